#include "NexStarSimulator.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kTurn = 2.0 * std::numbers::pi;

// A fraction of a turn as four upper-case hex digits.
QByteArray turnDigits(double radians)
{
    const double turn = std::fmod(std::fmod(radians, kTurn) + kTurn, kTurn) / kTurn;
    return QByteArray::number(qlonglong(std::lround(turn * 65536.0)) % 65536, 16)
        .toUpper()
        .rightJustified(4, '0');
}

double turnOf(const QByteArray& digits)
{
    bool ok = false;
    const int value = digits.toInt(&ok, 16);
    return ok ? value / 65536.0 * kTurn : 0.0;
}

double signedTurn(double radians)
{
    return radians >= std::numbers::pi ? radians - kTurn : radians;
}

}  // namespace

NexStarSimulator::NexStarSimulator(bool ultima) : m_ultima(ultima)
{
    serve([this](const QByteArray& pending) { return respond(pending); });
}

std::vector<QByteArray> NexStarSimulator::slews() const
{
    std::vector<QByteArray> slews;
    for (const QByteArray& frame : frames()) {
        if (frame.startsWith('P'))
            slews.push_back(frame.left(8));
    }
    return slews;
}

void NexStarSimulator::loseReplies(char command, int count)
{
    const std::lock_guard lock(m_mutex);
    m_lostCommand = command;
    m_lostReplies = count;
}

bool NexStarSimulator::isAtRest() const
{
    const bool slewing = isSlewing();
    const std::lock_guard lock(m_mutex);
    return !slewing && m_altitudeRate == 0 && m_azimuthRate == 0;
}

QByteArray NexStarSimulator::positionReply() const
{
    return (m_lead ? QByteArray("\x01") : QByteArray()) + turnDigits(m_ra) + "," + turnDigits(m_dec) + "#";
}

MountSimulator::Response NexStarSimulator::respond(const QByteArray& pending)
{
    Response response = answer(pending);
    if (response.consumed > 0 && !response.noise && m_lostReplies > 0 && pending[0] == m_lostCommand) {
        --m_lostReplies;
        response.parts.clear();
    }
    return response;
}

MountSimulator::Response NexStarSimulator::answer(const QByteArray& pending)
{
    // The length of each command before its CR in Ultima mode.
    const char command = pending[0];
    qsizetype length = 0;
    switch (command) {
    case 'K':
    case 'T': length = 2; break;
    case 'L':
    case 'M':
    case 'E':
    case 't':
    case 'V':
    case 'm': length = 1; break;
    case 'R':
    case 'S': length = 10; break;
    case 'P': length = 8; break;
    default: return noise();
    }
    const qsizetype whole = length + (m_ultima ? 1 : 0);
    if (pending.size() < whole)
        return {};
    const QByteArray body = pending.left(length);
    switch (command) {
    case 'K': return reply(whole, (m_ultima ? body : body.mid(1)) + "#");
    case 'L': return reply(whole, stillSlewing() ? "1#" : "0#");
    case 'M': cancelGoto(); return reply(whole, "#");
    case 'E': return reply(whole, positionReply());
    case 't': return reply(whole, QByteArray(1, m_trackMode) + "#");
    case 'T': m_trackMode = body[1]; return reply(whole, "#");
    case 'V': return reply(whole, "\x04\x0A#");
    case 'm': return reply(whole, "\x01#");
    case 'P':
        // Motor 17 altitude, 16 azimuth; the rate byte follows the direction.
        (body[2] == 17 ? m_altitudeRate : m_azimuthRate) = body[4];
        return reply(whole, "#");
    default: break;
    }
    const double ra = turnOf(body.mid(1, 4));
    const double dec = signedTurn(turnOf(body.mid(6, 4)));
    if (command == 'R')
        startGoto(ra, dec);
    else
        setPositionLocked(ra, dec);
    return reply(whole, m_ultima ? QByteArray() : QByteArray("#"));
}
