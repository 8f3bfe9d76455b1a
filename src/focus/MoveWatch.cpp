#include "focus/MoveWatch.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

MoveWatch::Path MoveWatch::Path::direct(quint16 from, quint16 target)
{
    return {from, {target}};
}

MoveWatch::Path MoveWatch::Path::overshooting(quint16 from, quint16 target, int overshoot, quint16 most)
{
    if (overshoot <= 0 || from == target)
        return direct(from, target);
    const int way = target > from ? 1 : -1;
    const auto turn = quint16(std::clamp(int(target) + way * overshoot, 0, int(most)));
    if (turn == target)
        return direct(from, target);
    return {from, {turn, target}};
}

int MoveWatch::Path::steps() const
{
    int steps = 0;
    quint16 at = from;
    for (const quint16 end : legEnds)
        steps += std::abs(int(end) - int(std::exchange(at, end)));
    return steps;
}

void MoveWatch::begin(Path path, double slowestStepsPerSecond, Positions positions, Ends ends)
{
    m_isOpen = !path.legEnds.empty();
    m_isUnasked = false;
    m_positions = positions;
    m_ends = ends;
    m_path = std::move(path);
    m_leg = 0;
    m_legStart = m_path.from;
    m_nearest = m_isOpen ? std::abs(int(m_path.legEnds.front()) - int(m_path.from)) : 0;
    m_isLineBusy = false;
    const double seconds = m_path.steps() / std::max(slowestStepsPerSecond, 1.0);
    m_ceiling = std::chrono::milliseconds(qint64(std::ceil(seconds * 1000.0))) + kCeilingMargin;
    m_sinceBegin.start();
    m_sinceProgress.start();
}

void MoveWatch::beginUnasked(quint16 at, bool afterStop)
{
    begin(Path::direct(at, at), 1.0);
    m_isUnasked = true;
    m_isAfterStop = afterStop;
}

void MoveWatch::end()
{
    m_isOpen = false;
}

void MoveWatch::turn(quint16 at)
{
    ++m_leg;
    m_legStart = at;
    m_nearest = std::abs(int(m_path.legEnds[m_leg]) - int(at));
}

bool MoveWatch::notePosition(quint16 position)
{
    if (!m_isOpen)
        return false;
    bool isProgress = false;
    for (;;) {
        const int end = m_path.legEnds[m_leg];
        const int distance = std::abs(end - int(position));
        if (distance < m_nearest) {
            m_nearest = distance;
            isProgress = true;
        }
        if (isLastLeg())
            break;
        // The leg ends where the motor reaches its end, or where it turned
        // back: echoes lost on the way may hide the turn's own step.
        const int way = end >= m_legStart ? 1 : -1;
        const bool reached = (int(position) - end) * way >= 0;
        const bool movedOn = m_nearest < std::abs(end - int(m_legStart));
        if (reached)
            turn(position);
        else if (movedOn && distance > m_nearest)
            turn(quint16(end - way * m_nearest));
        else
            break;
    }
    if (isProgress) {
        ++m_progress;
        m_isLineBusy = false;
        m_sinceProgress.start();
    }
    if (m_ends == Ends::AtTarget && isLastLeg() && m_nearest == 0)
        m_isOpen = false;
    return isProgress;
}

void MoveWatch::noteLineBusy()
{
    m_isLineBusy = m_isOpen;
}

MoveWatch::Overdue MoveWatch::overdue() const
{
    if (!m_isOpen)
        return Overdue::No;
    const bool pastCeiling = std::chrono::milliseconds(m_sinceBegin.elapsed()) >= m_ceiling;
    const bool stalled = m_positions == Positions::Reported
                         && std::chrono::milliseconds(m_sinceProgress.elapsed()) >= kStallLimit;
    if (!pastCeiling && !stalled)
        return Overdue::No;
    if (m_isLineBusy)
        return Overdue::LineNeverQuiet;
    if (m_isUnasked)
        return m_isAfterStop ? Overdue::KeptMoving : Overdue::MovedUnasked;
    return pastCeiling ? Overdue::PastCeiling : Overdue::Stalled;
}

QString MoveWatch::givenUpText(Overdue why, bool halted, std::optional<quint16> lastPosition)
{
    QString text;
    switch (why) {
    case Overdue::PastCeiling:
        text = QStringLiteral("The focuser's move took longer than its steps take at the slowest speed.");
        break;
    case Overdue::LineNeverQuiet:
        text = QStringLiteral("The focuser's position after its move could not be confirmed: its line never "
                              "fell quiet.");
        break;
    case Overdue::KeptMoving:
        text = QStringLiteral("The focuser kept moving after it was sent a stop.");
        break;
    case Overdue::MovedUnasked:
        text = QStringLiteral("The focuser kept moving though no move was asked of it.");
        break;
    default:
        text = QStringLiteral("The focuser stopped reporting progress during its move.");
        break;
    }
    const bool again = why == Overdue::KeptMoving;
    text += halted ? (again ? QStringLiteral(" It was sent a stop again.") : QStringLiteral(" It was sent a stop."))
                   : QStringLiteral(" It has no stop command and may still be moving.");
    if (lastPosition)
        text += QStringLiteral(" Its last reported position is %1.").arg(*lastPosition);
    return text;
}

QString MoveWatch::endedAwayTitle()
{
    return QStringLiteral("The focuser did not reach its target");
}

QString MoveWatch::endedAwayText(quint16 at, quint16 target)
{
    return QStringLiteral("The focuser stopped at %1 instead of its target %2.").arg(at).arg(target);
}
