#include "mount/dome/DomeBoard.h"

#include "mount/SerialControl.h"

namespace {

constexpr char kEnd = '\r';
constexpr int kTestAnswer = 170;
constexpr long kSpeeds[] = {4800, 9600, 14400, 19200, 28800, 38400};
constexpr quint16 kDefaultCode = 2;

bool isCode(quint16 code)
{
    return code >= 1 && code <= std::size(kSpeeds);
}

}  // namespace

long DomeBoard::baudOf(quint16 code)
{
    return kSpeeds[(isCode(code) ? code : kDefaultCode) - 1];
}

char DomeBoard::digitOf(quint16 code)
{
    return char('0' + (isCode(code) ? code : kDefaultCode));
}

DomeBoard::Reply DomeBoard::exchange(const QByteArray& command, quint16 expected) const
{
    const QByteArray out = command + kEnd;
    ReplyBuffer reply{};
    qint32 count = qint32(out.size());
    if (!m_serial->transaction(expected, count, out.constData(), reply, kSerialSlotDome))
        return {false, {}};
    if (expected == 0)
        return {true, {}};
    QByteArray text(reply.data(), count);
    if (text.endsWith(kEnd))
        text.chop(1);
    return {true, text};
}

bool DomeBoard::send(const QByteArray& command) const
{
    return exchange(command, 0).ok;
}

bool DomeBoard::replyStarts(const QByteArray& command, const QByteArray& start) const
{
    const Reply reply = exchange(command, 1);
    return reply.ok && reply.text.startsWith(start);
}

std::optional<int> DomeBoard::number(const QByteArray& command, quint16 expected) const
{
    const Reply reply = exchange(command, expected);
    bool ok = false;
    const int value = reply.text.trimmed().toInt(&ok);
    if (!reply.ok || !ok)
        return std::nullopt;
    return value;
}

bool DomeBoard::test() const
{
    const std::optional<int> answer = number("A!0", 4);
    if (!answer)
        m_debug("domeTest: trans err");
    return answer && (*answer & 0xFF) == kTestAnswer;
}

bool DomeBoard::enterSetup() const
{
    return replyStarts("A@55", "64");
}

bool DomeBoard::setSpeed(quint16 code) const
{
    const char digit = digitOf(code);
    return replyStarts(QByteArray("*b") + digit, QByteArray(1, digit));
}

bool DomeBoard::configureIO() const
{
    return replyStarts("*d31", "31");
}

bool DomeBoard::configure50ms() const
{
    return replyStarts("*m50", "50");
}

void DomeBoard::leaveSetup() const
{
    send("**0");
}

std::optional<int> DomeBoard::readInputs() const
{
    return number("AI15", 2);
}

std::optional<int> DomeBoard::readRelays() const
{
    const Reply reply = exchange("AR0", 1);
    if (!reply.ok || reply.text.isEmpty() || reply.text[0] < '0' || reply.text[0] > '9')
        return std::nullopt;
    return reply.text[0] - '0';
}

bool DomeBoard::outputsOff() const
{
    return send("AO0");
}

bool DomeBoard::outputOn(int value) const
{
    return send("AO" + QByteArray::number(value));
}

bool DomeBoard::relaysOff() const
{
    return send("AL0");
}

bool DomeBoard::relayOn(char relay) const
{
    return send(QByteArray("AH") + relay);
}

bool DomeBoard::pulseRelay(char relay) const
{
    return send(QByteArray("AM") + relay);
}
