#include "skydraw/MoonDisc.h"

#include "model/records/BodyNumber.h"
#include "model/records/RecordConstants.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSky.h"
#include "skydraw/PhaseTerminator.h"
#include "skydraw/UprightImage.h"

#include <QImage>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMinDiameter = 5.0;
// The Sun's semi-diameter, 0.27°, widening the penumbra and narrowing the umbra.
constexpr double kSunSemiDiameter = 0.0047123889803847;

constexpr double kDarkAlpha = 0.85;
constexpr double kFaintImage = 0.15;
const QColor kPenumbra = QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.25f);
const QColor kUmbra = QColor::fromRgbF(0.45f, 0.22f, 0.11f, 0.75f);

constexpr double kPaperLine = 1.5;
constexpr double kPaperLimb = 0.25;

// Rotation by −t about p, in chart coordinates (y upward).
QTransform turned(QPointF p, double t)
{
    QTransform turn;
    turn.translate(p.x(), p.y());
    turn.rotateRadians(-t);
    turn.translate(-p.x(), -p.y());
    return turn;
}

}  // namespace

MoonDisc::Geometry MoonDisc::geometry(QPointF p, double radius, double moonAD, double moonPhase)
{
    Geometry g{};
    g.diameter = std::max(kMinDiameter, radius * std::sin(moonAD / 2.0));
    g.radius = float(g.diameter / 2.0);
    const PhaseTerminator t = PhaseTerminator::of(g.radius, moonPhase);
    g.rho = t.rho;
    g.offset = t.offset;
    g.sigma = t.sigma;
    g.isDarkInside = t.isDarkInside;
    const double r = g.radius;
    g.disc = QRectF(p.x() - r, p.y() - r, g.diameter, g.diameter);
    return g;
}

float MoonDisc::draw(ChartCanvas& canvas, const ChartSky& sky, QPointF p, const QImage& moonFull)
{
    const Geometry g = geometry(p, sky.radius, sky.moonAD, sky.moonPhase);
    const double r = g.radius;
    QPainterPath clip;
    clip.addEllipse(g.disc.adjusted(-1.0, -1.0, 1.0, 1.0));
    QPainterPath terminator;
    terminator.addEllipse(p.x() - g.rho + g.sigma * g.offset, p.y() - g.rho, 2.0 * g.rho, 2.0 * g.rho);

    QPainter& painter = canvas.painter();
    const QTransform chart = canvas.chartTransform();
    const QTransform turnedChart = turned(p, sky.moonTermA) * chart;
    painter.save();
    painter.setWorldTransform(chart);
    painter.setClipPath(clip);
    if (g.isDarkInside) {
        drawUprightImage(painter, turnedChart, g.disc, moonFull, 1.0);
        painter.setWorldTransform(turnedChart);
        painter.setClipPath(terminator, Qt::IntersectClip);
        painter.fillPath(clip, QColor::fromRgbF(0.0f, 0.0f, 0.0f, float(kDarkAlpha)));
    } else {
        painter.fillPath(clip, Qt::black);
        drawUprightImage(painter, turnedChart, g.disc, moonFull, kFaintImage);
        painter.setWorldTransform(turnedChart);
        painter.setClipPath(terminator, Qt::IntersectClip);
        drawUprightImage(painter, turnedChart, g.disc, moonFull, 1.0);
    }
    painter.restore();

    const std::size_t shadowRecord = BodyNumber::kShadow;
    if (sky.planets.size() > shadowRecord && sky.planets[shadowRecord].state == kStateOnScreen) {
        const QPointF s(sky.planets[shadowRecord].screenX, sky.planets[shadowRecord].screenY);
        const double umbra = 2.0 * sky.radius * std::sin((sky.moonHP - kSunSemiDiameter) / 2.0);
        const double penumbra = 2.0 * sky.radius * std::sin((sky.moonHP + kSunSemiDiameter) / 2.0);
        QPainterPath penumbraOval;
        penumbraOval.addEllipse(s, penumbra / 2.0, penumbra / 2.0);
        QPainterPath umbraOval;
        umbraOval.addEllipse(s, umbra / 2.0, umbra / 2.0);
        painter.save();
        painter.setWorldTransform(chart);
        painter.setClipPath(clip);
        painter.fillPath(penumbraOval, kPenumbra);
        painter.fillPath(umbraOval, kUmbra);
        painter.restore();
    }
    return float(r);
}

float MoonDisc::print(ChartCanvas& canvas, const ChartSky& sky, QPointF p)
{
    const Geometry g = geometry(p, sky.radius, sky.moonAD, sky.moonPhase);
    const double t = sky.moonTermA;
    QPainterPath disc;
    disc.addEllipse(g.disc);
    QPainterPath terminator;
    terminator.addEllipse(p.x() - g.rho + g.sigma * g.offset * std::cos(t),
                          p.y() - g.rho - g.sigma * g.offset * std::sin(t), 2.0 * g.rho, 2.0 * g.rho);

    QPainter& painter = canvas.painter();
    const QPen line(Qt::black, kPaperLine);
    painter.save();
    painter.setWorldTransform(canvas.chartTransform());
    painter.setClipPath(disc);
    painter.fillPath(disc, Qt::white);
    if (g.isDarkInside) {
        painter.strokePath(disc, line);
        painter.setClipPath(terminator, Qt::IntersectClip);
        painter.fillPath(terminator, Qt::white);
    } else {
        painter.setClipPath(terminator, Qt::IntersectClip);
        painter.strokePath(disc, line);
    }
    painter.strokePath(terminator, line);
    painter.restore();
    canvas.strokePath(disc, QPen(Qt::black, kPaperLimb));
    return g.radius;
}
