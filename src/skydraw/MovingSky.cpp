#include "skydraw/MovingSky.h"

namespace {

bool sameView(const SkyCoordinates::View& a, const SkyCoordinates::View& b)
{
    return a.altitude == b.altitude && a.azimuth == b.azimuth && a.radius == b.radius && a.width == b.width
           && a.height == b.height;
}

}  // namespace

bool MovingSkyWatch::note(const SkyCoordinates::View& view, const QDateTime& moment)
{
    const bool isMoving = m_lastView && (!sameView(*m_lastView, view) || m_lastMoment != moment)
                          && m_sinceLastPaint.isValid() && m_sinceLastPaint.elapsed() < m_movingPaints.count();
    m_lastView = view;
    m_lastMoment = moment;
    m_sinceLastPaint.start();
    return isMoving;
}
