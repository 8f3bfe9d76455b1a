#include "SkyCommanderSimulator.h"

#include <QList>
#include <QString>

#include <numbers>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr qsizetype kServoCatGoto = 16;

}  // namespace

SkyCommanderSimulator::SkyCommanderSimulator(bool servoCat) : m_servoCat(servoCat)
{
    serve([this](const QByteArray& pending) { return respond(pending); });
}

int SkyCommanderSimulator::badChecksums() const
{
    const std::lock_guard lock(m_mutex);
    return m_badChecksums;
}

MountSimulator::Response SkyCommanderSimulator::respond(const QByteArray& pending)
{
    if (pending[0] == '\r')
        return reply(1, QString::asprintf("R%06.3f %+07.3f", m_ra / kDegree / 15.0, m_dec / kDegree).toLatin1());
    if (pending[0] == 'g' && m_servoCat) {
        if (pending.size() < kServoCatGoto)
            return {};
        char checksum = 0;
        for (qsizetype i = 1; i < kServoCatGoto - 1; ++i)
            checksum ^= pending[i];
        if (checksum == pending[kServoCatGoto - 1])
            setPositionLocked(pending.mid(1, 6).toDouble() * 15.0 * kDegree,
                              pending.mid(8, 7).toDouble() * kDegree);
        else
            ++m_badChecksums;
        return reply(kServoCatGoto);
    }
    if (pending[0] == 'L' && !m_servoCat) {
        const qsizetype end = pending.indexOf('\r');
        if (end < 0)
            return {};
        const QList<QByteArray> fields = pending.left(end).split(' ');
        if (fields.size() != 3)
            return reply(end + 1, "N");
        setPositionLocked(fields[1].toDouble() * 15.0 * kDegree, fields[2].toDouble() * kDegree);
        return reply(end + 1, "A");
    }
    return noise();
}
