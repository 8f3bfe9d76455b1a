#include "solarsystem/window/SSPlotPainter.h"

#include "model/Angles.h"
#include "model/settings/TextAttributes.h"
#include "solarsystem/window/SSImages.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const QColor kDarkGrey = QColor::fromRgbF(1.0 / 3.0, 1.0 / 3.0, 1.0 / 3.0);
const QColor kLightGrey = QColor::fromRgbF(2.0 / 3.0, 2.0 / 3.0, 2.0 / 3.0);
const QColor kGrey = QColor::fromRgbF(0.5, 0.5, 0.5);
const QColor kGaugeNorth = QColor::fromRgbF(0.2, 0.6, 0.2);
const QColor kGaugeSouth = QColor::fromRgbF(0.1, 0.4, 0.1);

constexpr double kOrbitWidth = 2.0;
constexpr double kSmallestMarker = 2.0;
constexpr double kBodyDiameter = 6.0;
constexpr double kGaugeRadius = 10.0;
const QPointF kGaugeCentre(20.0, 20.0);

}  // namespace

SSPlotPainter::SSPlotPainter(QPainter& painter, double height, const PlotView& view, double scale,
                             const OrbitTable& table)
    : m_painter(painter), m_height(height), m_view(view), m_scale(scale), m_table(table)
{
}

QPointF SSPlotPainter::orbitPoint(int k, double rho, double trueAnomaly) const
{
    const auto s = std::size_t(k);
    const OrbitPlace::Orientation orbit{m_table.w[s], m_table.n[s], m_table.i[s]};
    return OrbitProjection::toView(m_view, OrbitProjection::ecliptic(rho, trueAnomaly, orbit));
}

std::optional<SSPlotPainter::Marker> SSPlotPainter::planetMarker(int k, double longitude) const
{
    const auto s = std::size_t(k);
    const double e = m_table.e[s];
    const double a = m_table.r[s] * m_scale;
    if ((1.0 - e / 2.0) * a < kSmallestOrbit)
        return std::nullopt;
    const double nu = longitude - m_table.w[s] - m_table.n[s];
    const double rho = *OrbitProjection::conicRadius(a * (1.0 - e * e), e, nu);
    // A planet on the near side of a tilted plot draws larger.
    const double halfSize = std::max(
        kSmallestMarker, 4.0 * m_scale * m_table.d[s]
                             * (0.03 + 0.02 * std::cos(m_view.rotate + longitude) * std::cos(m_view.angle)));
    return Marker{orbitPoint(k, rho, nu), halfSize};
}

void SSPlotPainter::drawPlanetOrbit(int k)
{
    const auto s = std::size_t(k);
    const double e = m_table.e[s];
    const double p = m_table.r[s] * m_scale * (1.0 - e * e);
    QPolygonF points;
    for (int t = 0; t < OrbitProjection::kPoints; ++t) {
        const double nu = OrbitProjection::trueAnomaly(t);
        points << flip(orbitPoint(k, *OrbitProjection::conicRadius(p, e, nu), nu));
    }
    m_painter.setPen(QPen(kDarkGrey, kOrbitWidth));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPolygon(points);
}

void SSPlotPainter::drawPlanetMarker(int k, const Marker& marker, const QImage& picture)
{
    const double s = marker.halfSize;
    const QRectF square(flip(marker.point) - QPointF(s, s), QSizeF(2 * s, 2 * s));
    if (k >= SSImages::kFirstPictured && k <= SSImages::kLastPictured) {
        if (picture.isNull())
            return;
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        m_painter.drawImage(square, picture);
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(kLightGrey);
    m_painter.drawEllipse(square);
}

void SSPlotPainter::drawLabel(const QString& text, QPointF at, const TextAttributes& attributes)
{
    // The text's box stands on the point, as the view's y upward has it.
    const QFontMetricsF metrics(attributes.font);
    m_painter.setFont(attributes.font);
    m_painter.setPen(attributes.color);
    m_painter.drawText(flip(at) - QPointF(0.0, metrics.descent()), text);
    m_painter.setPen(kDarkGrey);
}

bool SSPlotPainter::drawPlanetLabel(const QString& text, QPointF at, const TextAttributes& attributes)
{
    const QFontMetricsF metrics(attributes.font);
    const QPointF corner = flip(at);
    const QRectF box(corner.x(), corner.y() - metrics.height(), metrics.horizontalAdvance(text), metrics.height());
    const bool covers = std::any_of(m_planetLabels.begin(), m_planetLabels.end(),
                                    [&box](const QRectF& drawn) { return drawn.intersects(box); });
    if (covers)
        return false;
    m_planetLabels.push_back(box);
    drawLabel(text, at, attributes);
    return true;
}

void SSPlotPainter::drawBelt(const QImage& pattern)
{
    if (kBeltInner * m_scale < kSmallestBelt)
        return;
    QPainterPath belt;
    belt.setFillRule(Qt::OddEvenFill);
    for (const double radius : {kBeltInner * m_scale, kBeltOuter * m_scale}) {
        QPolygonF ring;
        for (int t = 0; t < OrbitProjection::kPoints; ++t) {
            const double a = OrbitProjection::trueAnomaly(t);
            ring << flip({m_view.hOffset + radius * std::sin(a),
                          m_view.vOffset - radius * std::cos(a) * std::sin(m_view.angle)});
        }
        ring << ring.first();
        belt.addPolygon(ring);
        belt.closeSubpath();
    }
    if (pattern.isNull())
        return;
    m_painter.fillPath(belt, QBrush(pattern));
}

void SSPlotPainter::drawSun(const QImage& sun)
{
    if (sun.isNull())
        return;
    const double w = sun.width();
    const QPointF centre = flip({m_view.hOffset, m_view.vOffset});
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    m_painter.drawImage(QRectF(centre - QPointF(w / 2, w / 2), QSizeF(w, w)), sun);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

double SSPlotPainter::smallBodyParameter() const
{
    const auto s = std::size_t(OrbitTable::kSmallBody);
    return (1.0 + m_table.e[s]) * m_table.r[s] * OrbitTable::kMillionKmPerAU * m_scale;
}

QPainterPath SSPlotPainter::smallBodyPath() const
{
    const auto s = std::size_t(OrbitTable::kSmallBody);
    const double e = m_table.e[s];
    const double p = smallBodyParameter();
    const double limit = kSmallBodyLimit * m_scale;
    std::array<std::optional<QPointF>, OrbitProjection::kPoints> points;
    for (int t = 0; t < OrbitProjection::kPoints; ++t) {
        const double nu = OrbitProjection::trueAnomaly(t);
        const std::optional<double> rho = OrbitProjection::conicRadius(p, e, nu);
        if (rho && *rho <= limit)
            points[std::size_t(t)] = flip(orbitPoint(OrbitTable::kSmallBody, *rho, nu));
    }
    QPainterPath path;
    std::optional<QPointF> previous;
    for (const std::optional<QPointF>& point : points) {
        if (point) {
            if (previous)
                path.lineTo(*point);
            else
                path.moveTo(*point);
        }
        previous = point;
    }
    if (points.front() && points.back())
        path.lineTo(*points.front());
    return path;
}

std::optional<QPointF> SSPlotPainter::drawSmallBody()
{
    m_painter.setPen(QPen(kLightGrey, kOrbitWidth));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPath(smallBodyPath());

    const auto s = std::size_t(OrbitTable::kSmallBody);
    const double nu = m_table.d[s] - m_table.w[s] - m_table.n[s];
    const std::optional<double> rho = OrbitProjection::conicRadius(smallBodyParameter(), m_table.e[s], nu);
    if (!rho)
        return std::nullopt;
    const QPointF place = orbitPoint(OrbitTable::kSmallBody, *rho, nu);
    const double radius = kBodyDiameter / 2;
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(Qt::white);
    m_painter.drawEllipse(QRectF(flip(place) - QPointF(radius, radius), QSizeF(kBodyDiameter, kBodyDiameter)));
    return place;
}

void SSPlotPainter::drawGauge()
{
    // The ecliptic plane as a small disc seen at the plot's tilt, with a
    // pointer toward the vernal point; darker when seen from the south.
    const double h = kGaugeRadius * std::sin(m_view.angle);
    const double height = std::abs(h);
    const bool fromNorth = h < 0.0;
    const QPointF centre = kGaugeCentre;
    if (height < 1.0) {
        m_painter.setPen(QPen(kGaugeNorth, 1.0));
        m_painter.drawLine(flip(centre - QPointF(kGaugeRadius, 0)), flip(centre + QPointF(kGaugeRadius, 0)));
        return;
    }
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(fromNorth ? kGaugeNorth : kGaugeSouth);
    m_painter.drawEllipse(flip(centre), kGaugeRadius, height);
    const double toward = fromNorth ? -1.0 : 1.0;
    const QPointF tip = centre + QPointF(kGaugeRadius * std::sin(m_view.rotate),
                                         toward * kGaugeRadius * std::cos(m_view.rotate));
    m_painter.setPen(QPen(Qt::black, 1.0));
    m_painter.drawLine(flip(centre), flip(tip));
}

void SSPlotPainter::drawFrame(const QRectF& rect)
{
    m_painter.setPen(QPen(kGrey, 1.0));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
}
