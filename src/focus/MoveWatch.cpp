#include "focus/MoveWatch.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

void MoveWatch::begin(quint16 from, quint16 target, double slowestStepsPerSecond, Positions positions)
{
    m_isOpen = true;
    m_positions = positions;
    m_target = target;
    m_nearest = std::abs(int(target) - int(from));
    const double seconds = m_nearest / std::max(slowestStepsPerSecond, 1.0);
    m_ceiling = std::chrono::milliseconds(qint64(std::ceil(seconds * 1000.0))) + kCeilingMargin;
    m_sinceBegin.start();
    m_sinceProgress.start();
}

void MoveWatch::end()
{
    m_isOpen = false;
}

bool MoveWatch::notePosition(quint16 position)
{
    if (!m_isOpen)
        return false;
    const int distance = std::abs(int(m_target) - int(position));
    if (distance >= m_nearest)
        return false;
    m_nearest = distance;
    ++m_progress;
    m_sinceProgress.start();
    return true;
}

bool MoveWatch::isPastCeiling() const
{
    return m_isOpen && std::chrono::milliseconds(m_sinceBegin.elapsed()) >= m_ceiling;
}

MoveWatch::Overdue MoveWatch::overdue() const
{
    if (!m_isOpen)
        return Overdue::No;
    if (isPastCeiling())
        return Overdue::PastCeiling;
    if (m_positions == Positions::Reported && std::chrono::milliseconds(m_sinceProgress.elapsed()) >= kStallLimit)
        return Overdue::Stalled;
    return Overdue::No;
}

QString MoveWatch::givenUpText(Overdue why, bool halted, std::optional<quint16> lastPosition)
{
    QString text = why == Overdue::PastCeiling
                       ? QStringLiteral("The focuser's move took longer than its steps take at the slowest speed.")
                       : QStringLiteral("The focuser stopped reporting progress during its move.");
    text += halted ? QStringLiteral(" It was sent a stop.")
                   : QStringLiteral(" It has no stop command and may still be moving.");
    if (lastPosition)
        text += QStringLiteral(" Its last reported position is %1.").arg(*lastPosition);
    return text;
}
