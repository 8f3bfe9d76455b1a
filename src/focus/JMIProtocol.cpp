#include "focus/JMIProtocol.h"

#include <array>
#include <utility>

namespace JMIProtocol {

QByteArray command(char letter)
{
    return QByteArray(1, letter);
}

QByteArray command(char letter, quint16 value)
{
    QByteArray bytes(1, letter);
    bytes.append(char(value >> 8));
    bytes.append(char(value & 0xFF));
    return bytes;
}

bool isEcho(const Reply& reply, char letter)
{
    return reply && !reply->isEmpty() && reply->at(0) == letter;
}

bool isIDAnswer(const Reply& reply)
{
    return reply && reply->size() >= 2 && reply->at(1) == kIDAnswer;
}

std::optional<quint16> position(const Reply& reply)
{
    if (!isEcho(reply, kPosition) || reply->size() < 3)
        return std::nullopt;
    return quint16(quint8(reply->at(1)) << 8 | quint8(reply->at(2)));
}

bool isGotoComplete(const Reply& reply)
{
    return isEcho(reply, kGotoComplete);
}

int statusCode(const Reply& reply)
{
    if (!reply)
        return kStatusFailed;
    if (!isEcho(reply, kStatus) || reply->size() < 2)
        return kStatusBadEcho;
    const auto status = quint8(reply->at(1));
    constexpr std::array<std::pair<quint8, int>, 5> kBits{
        {{0x02, 2}, {0x04, 3}, {0x08, 4}, {0x40, 7}, {0x80, kStatusAtMax}}};
    for (const auto& [bit, code] : kBits) {
        if (status & bit)
            return code;
    }
    return kStatusConnected;
}

QString statusText(int code)
{
    switch (code) {
    case kStatusBadEcho: return QStringLiteral("Com error");
    case kStatusConnected: return QStringLiteral("Connected");
    case 2: return QStringLiteral("Frame error");
    case 3: return QStringLiteral("Overrun error");
    case 4: return QStringLiteral("Encoder error");
    case 7: return QStringLiteral("At 0 position");
    case kStatusAtMax: return QStringLiteral("At max position");
    default: return {};
    }
}

QChar firstByte(const Reply& reply)
{
    return reply && !reply->isEmpty() ? QChar::fromLatin1(reply->at(0)) : QChar(u' ');
}

}  // namespace JMIProtocol
