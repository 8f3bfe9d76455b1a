#include "model/projection/GroundArea.h"

#include "model/projection/RecordHorizon.h"
#include "model/Angles.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Outline points farther out than this to either side do not count.
constexpr double kFarLeft = 10000.0;
constexpr double kFarRight = 0.0;
// The outline's right end when no point follows the leftmost one.
constexpr double kNoHeight = 10000.0;
// Below this the default horizon line is too far under the view to matter.
constexpr double kLowestHorizon = -300.0;
constexpr int kHorizonLinePoints = 50;

}  // namespace

bool GroundArea::buildCustom(std::span<AltAzLocn> points, const ProjectionFrame& frame)
{
    const double top = 2.0 * frame.cy();
    std::optional<std::size_t> left;
    std::optional<std::size_t> right;
    for (std::size_t i = 0; i < points.size(); ++i) {
        AltAzLocn& point = points[i];
        const HorizonVector h = RecordHorizon::stored(point);
        const double depth = frame.depth(h);
        point.visible = 0;
        if (!frame.isInView(depth))
            continue;
        point.screenPt = frame.chartPoint(h, depth);
        point.visible = 1;
        if (point.screenPt.y >= top)
            point.screenPt.y = float(top + 1.0);
        const float x = point.screenPt.x;
        if (x < kFarLeft && (!left || x < points[*left].screenPt.x))
            left = i;
        if (x > kFarRight && (!right || x > points[*right].screenPt.x))
            right = i;
    }
    if (!left || !right)
        return false;

    QPainterPath path;
    path.moveTo(0.0, 0.0);
    path.lineTo(0.0, points[*left].screenPt.y);
    double lastY = kNoHeight;
    // From the leftmost point to the rightmost in table order, round the end
    // of the table when the rightmost comes first.
    for (std::size_t i = *left; i != *right;) {
        i = (i + 1) % points.size();
        const AltAzLocn& point = points[i];
        if (!point.visible)
            continue;
        lastY = std::max(double(point.screenPt.y), 0.0);
        path.lineTo(point.screenPt.x, lastY);
    }
    const double width = 2.0 * frame.cx();
    path.lineTo(width, lastY);
    path.lineTo(width, 0.0);
    path.lineTo(0.0, 0.0);
    path.closeSubpath();
    m_horizonPath = path;
    m_isHorizon = true;
    return true;
}

void GroundArea::buildDefault(const ProjectionFrame& frame, double viewAngle, const QRectF& skyRect)
{
    const double cx = frame.cx();
    const double cy = frame.cy();
    const double radius = frame.radius();
    m_isHorizon = true;
    if (frame.isAllSky()) {
        QPainterPath path;
        path.addEllipse(QRectF(cx - radius, cy - radius, 2.0 * radius, 2.0 * radius));
        path.addRect(skyRect);
        path.setFillRule(Qt::OddEvenFill);
        m_horizonPath = path;
        return;
    }
    // The horizon line from one side of the view angle to the other.
    const double h = viewAngle / 2.0 * Angles::kDegToRad;
    const double sinAlt = frame.sinAltitude();
    const double cosAlt = frame.cosAltitude();
    QPainterPath path;
    for (int i = 0; i < kHorizonLinePoints; ++i) {
        const double t = h - i * h / 25.0;
        const double f = 1.0 / (std::cos(t) * cosAlt + 1.0);
        const QPointF p(cx - f * std::sin(t) * radius, cy - std::cos(t) * sinAlt * f * radius);
        if (i == 0) {
            if (p.y() < kLowestHorizon) {
                m_isHorizon = false;
                return;
            }
            path.moveTo(p);
        } else {
            path.lineTo(p);
        }
    }
    path.lineTo(2.0 * cx, 0.0);
    path.lineTo(0.0, 0.0);
    path.closeSubpath();
    m_horizonPath = path;
}

void GroundArea::placeHorizonPoint(const ProjectionFrame& frame)
{
    m_horizonPt = QPointF(frame.cx(), frame.cy() - frame.sinAltitude() /
                                                       (frame.cosAltitude() + 1.0) *
                                                       frame.radius());
}
