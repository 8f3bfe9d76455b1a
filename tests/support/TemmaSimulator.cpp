#include "TemmaSimulator.h"

#include <cmath>
#include <numbers>
#include <optional>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

struct Target {
    double ra;
    double dec;
};

// "HHMMtt" + "sDDMMt" as radians.
std::optional<Target> targetOf(const QByteArray& text)
{
    if (text.size() != 12)
        return std::nullopt;
    const double hours =
        text.mid(0, 2).toInt() + (text.mid(2, 2).toInt() + text.mid(4, 2).toInt() / 100.0) / 60.0;
    const double degrees =
        text.mid(7, 2).toInt() + (text.mid(9, 2).toInt() + text.mid(11, 1).toInt() / 10.0) / 60.0;
    if (text[6] != '+' && text[6] != '-')
        return std::nullopt;
    return Target{hours * 15.0 * kDegree, (text[6] == '-' ? -degrees : degrees) * kDegree};
}

QByteArray textOf(double ra, double dec)
{
    const long hundredths = std::lround(ra / kDegree / 15.0 * 6000.0) % 144000;
    const long tenths = std::lround(std::abs(dec) / kDegree * 600.0);
    return QString::asprintf("%02ld%02ld%02ld%c%02ld%02ld%ld", hundredths / 6000, hundredths / 100 % 60,
                             hundredths % 100, dec < 0.0 ? '-' : '+', tenths / 600, tenths / 10 % 60,
                             tenths % 10)
        .toLatin1();
}

}  // namespace

TemmaSimulator::TemmaSimulator()
{
    serve([this](const QByteArray& pending) { return respond(pending); });
}

bool TemmaSimulator::isSynced() const
{
    const std::lock_guard lock(m_mutex);
    return m_synced;
}

std::vector<QByteArray> TemmaSimulator::frames() const
{
    std::vector<QByteArray> lines = MountSimulator::frames();
    for (QByteArray& line : lines)
        line.chop(2);
    return lines;
}

MountSimulator::Response TemmaSimulator::respond(const QByteArray& pending)
{
    const qsizetype end = pending.indexOf("\r\n");
    if (end < 0)
        return {};
    return answerFrame(pending.left(end), end + 2);
}

MountSimulator::Response TemmaSimulator::answerFrame(const QByteArray& frame, qsizetype consumed)
{
    const auto line = [consumed](const QByteArray& text) { return reply(consumed, text + "\r\n"); };
    if (frame == "v")
        return line("ver 2.05");
    if (frame == "STN-COD")
        return line(m_standBy ? "stn-on" : "stn-off");
    if (frame == "STN-ON" || frame == "STN-OFF")
        m_standBy = frame == "STN-ON";
    if (frame == "s")
        return m_silentSlewQuery ? reply(consumed) : line(stillSlewing() ? "s1" : "s0");
    if (frame == "E")
        return line("E" + textOf(m_ra, m_dec) + m_side);
    if (frame == "PT")
        m_side = m_side == 'E' ? 'W' : 'E';
    if ((frame.startsWith('D') || frame.startsWith('P')) && frame.size() == 13) {
        const std::optional<Target> target = targetOf(frame.mid(1));
        if (!target || (frame[0] == 'P' && !m_synced))
            return line("R1");
        if (frame[0] == 'D') {
            m_synced = true;
            setPositionLocked(target->ra, target->dec);
        } else {
            startGoto(target->ra, target->dec);
        }
        return line("R0");
    }
    return reply(consumed);
}
