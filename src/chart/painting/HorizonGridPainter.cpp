#include "chart/painting/HorizonGridPainter.h"

#include "chart/painting/GridJoin.h"
#include "chart/painting/GridLayerStyle.h"
#include "model/settings/PrefControl.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSky.h"

#include <QPainterPath>
#include <QPen>

#include <cstdio>

namespace {

constexpr int kLastLinePoint = HorizonGridPainter::kFirstCirclePoint;  // joins up to 1476
constexpr int kLastCircleJoin = 1628;
// Altitude circles 0° to 70° carry labels; the 80° circle has none.
constexpr int kLabelledCircles = 8;
// The meridian: the south line, the north line, and the zenith circle.
constexpr int kSouthLine = 0;
constexpr int kNorthLine = 18 * HorizonGridPainter::kLinePoints;
constexpr int kMeridianSegments = 40;
constexpr double kZenithCircle = 10.0;

// Label keys: azimuths below 1000, altitudes from 1000 on.
constexpr std::uint64_t kAltitudeKeyBase = 1000;

}  // namespace

int HorizonGridPainter::azimuthLabel(int line)
{
    const int value = 10 * line + 180;
    return value > 350 ? 10 * line - 180 : value;
}

void HorizonGridPainter::paint(ChartCanvas& canvas, const ChartSky& sky, const GridLayerStyle& style)
{
    if (sky.altAzGrid.size() < std::size_t(kNumPoints))
        return;
    if (m_prefs.isAlt_Az())
        paintGrid(canvas, sky, style);
    if (m_prefs.isMeridian() && !style.isPaper)
        paintMeridian(canvas, sky);
}

void HorizonGridPainter::paintGrid(ChartCanvas& canvas, const ChartSky& sky, const GridLayerStyle& style)
{
    const auto& grid = sky.altAzGrid;
    const PrintMapping& map = style.mapping;
    m_lines.clear();
    if (!style.isPaper)
        canvas.setAntialiasing(false);
    m_labels.setAttributes(style.labels(m_prefs.gridLabelAttributes()));
    m_labels.apply(canvas);
    char text[16];

    for (int i = 1; i <= kLastLinePoint; ++i) {
        if (i % kLinePoints != 0)
            GridJoin::join(m_lines, grid[i - 1], grid[i], map);
    }
    for (int r = 0; r < kNumLines; ++r) {
        const int value = azimuthLabel(r);
        const int length = std::snprintf(text, sizeof text, "%d\xB0", value);
        for (int j = 0; j <= 60; j += 20) {
            const AltAzLocn& p = grid[kLinePoints * r + j / 2 + 2];
            if (p.visible == 0)
                continue;
            const QPointF at = GridJoin::pointOf(p, map);
            m_labels.draw(canvas, QPointF(at.x() + 2.0, at.y()), std::uint64_t(value),
                          QLatin1StringView(text, length));
        }
    }
    for (int n = 1; n <= kLastCircleJoin; ++n) {
        if (n % kCirclePoints != 0)
            GridJoin::join(m_lines, grid[kFirstCirclePoint - 1 + n], grid[kFirstCirclePoint + n], map);
    }
    for (int a = 0; a < kLabelledCircles; ++a) {
        const int length = std::snprintf(text, sizeof text, "%d\xB0", 10 * a);
        for (int e = 0; e < 360; e += 20) {
            const AltAzLocn& p = grid[kFirstCirclePoint + kCirclePoints * a + e / 2 + 2];
            if (p.visible == 0)
                continue;
            const QPointF at = GridJoin::pointOf(p, map);
            m_labels.draw(canvas, QPointF(at.x(), at.y() + 2.0), kAltitudeKeyBase + std::uint64_t(a),
                          QLatin1StringView(text, length));
        }
    }
    if (grid[kZenith].visible != 0)
        GridJoin::addPlus(m_lines, GridJoin::pointOf(grid[kZenith], map));
    canvas.drawLines(m_lines, QPen(style.color(m_prefs.gridLinesColor()), style.gridWidth));
    if (!style.isPaper)
        canvas.setAntialiasing(true);
}

void HorizonGridPainter::paintMeridian(ChartCanvas& canvas, const ChartSky& sky)
{
    const auto& grid = sky.altAzGrid;
    const PrintMapping identity;
    const AltAzLocn& zenith = grid[kZenith];
    const QPointF top = GridJoin::pointOf(zenith, identity);
    m_lines.clear();
    for (int k = kSouthLine; k < kSouthLine + kMeridianSegments; ++k)
        GridJoin::join(m_lines, grid[k], grid[k + 1], identity);
    const bool isZenithCircle = zenith.visible != 0 && grid[kSouthLine + kMeridianSegments - 1].visible != 0;
    if (isZenithCircle)
        GridJoin::join(m_lines, grid[kSouthLine + kMeridianSegments - 1], zenith, identity);
    for (int k = kNorthLine; k < kNorthLine + kMeridianSegments; ++k)
        GridJoin::join(m_lines, grid[k], grid[k + 1], identity);
    if (zenith.visible != 0 && grid[kNorthLine + kMeridianSegments - 1].visible != 0)
        GridJoin::join(m_lines, grid[kNorthLine + kMeridianSegments - 1], zenith, identity);
    const QPen pen(m_prefs.eclipticColor(), 2.0);
    canvas.drawLines(m_lines, pen);
    if (isZenithCircle) {
        QPainterPath circle;
        circle.addEllipse(top, kZenithCircle / 2.0, kZenithCircle / 2.0);
        canvas.strokePath(circle, pen);
    }
}
