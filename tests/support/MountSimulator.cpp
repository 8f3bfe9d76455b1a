#include "MountSimulator.h"

namespace {

// Slew queries a goto lasts.
constexpr int kSlewQueries = 2;

}  // namespace

void MountSimulator::setPosition(double ra, double dec)
{
    const std::lock_guard lock(m_mutex);
    m_ra = ra;
    m_dec = dec;
}

double MountSimulator::ra() const
{
    const std::lock_guard lock(m_mutex);
    return m_ra;
}

double MountSimulator::dec() const
{
    const std::lock_guard lock(m_mutex);
    return m_dec;
}

bool MountSimulator::isSlewing() const
{
    const std::lock_guard lock(m_mutex);
    return m_slewQueries > 0;
}

void MountSimulator::startGoto(double ra, double dec)
{
    m_targetRA = ra;
    m_targetDec = dec;
    m_slewQueries = kSlewQueries;
}

bool MountSimulator::stillSlewing()
{
    if (m_slewQueries == 0)
        return false;
    if (--m_slewQueries == 0) {
        m_ra = m_targetRA;
        m_dec = m_targetDec;
    }
    return true;
}
