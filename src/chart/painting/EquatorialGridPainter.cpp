#include "chart/painting/EquatorialGridPainter.h"

#include "chart/painting/GridJoin.h"
#include "chart/painting/GridLayerStyle.h"
#include "model/settings/PrefControl.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSky.h"

#include <QPen>

#include <cstdio>

namespace {

constexpr int kLastHourPoint = EquatorialGridPainter::kFirstDecPoint - 1;
// The 0° circle: the ninth of the declination circles.
constexpr int kEquatorFrom = EquatorialGridPainter::kFirstDecPoint + 8 * EquatorialGridPainter::kDecPoints - 1;
constexpr int kEquatorTo = kEquatorFrom + EquatorialGridPainter::kDecPoints - 1;

// Label keys: hours below 100, declinations from 100 on.
constexpr std::uint64_t kDecKeyBase = 100;

}  // namespace

void EquatorialGridPainter::paint(ChartCanvas& canvas, const ChartSky& sky, const GridLayerStyle& style)
{
    if (sky.raGrid.size() < std::size_t(kNumPoints))
        return;
    if (m_prefs.isRA_Dec()) {
        paintGrid(canvas, sky, style);
        paintLabels(canvas, sky, style);
        if (!style.isPaper)
            canvas.setAntialiasing(true);
    }
    if (m_prefs.isEcliptic())
        paintEcliptic(canvas, sky, style);
    if (m_prefs.isEquator())
        paintEquator(canvas, sky, style);
}

void EquatorialGridPainter::paintGrid(ChartCanvas& canvas, const ChartSky& sky, const GridLayerStyle& style)
{
    const auto& grid = sky.raGrid;
    const PrintMapping& map = style.mapping;
    m_lines.clear();
    if (!style.isPaper)
        canvas.setAntialiasing(false);
    for (int i = 1; i <= kLastHourPoint; ++i) {
        if (i % kHourPoints != 0)
            GridJoin::join(m_lines, grid[i - 1], grid[i], map);
    }
    for (int k = kFirstDecPoint; k < kFirstEclipticPoint - 1; ++k) {
        if (GridJoin::isSameDeclination(grid[k], grid[k + 1]))
            GridJoin::join(m_lines, grid[k], grid[k + 1], map);
    }
    // One mark only, even when both poles show.
    if (grid[kNorthPole].visible != 0)
        GridJoin::addPlus(m_lines, GridJoin::pointOf(grid[kNorthPole], map));
    else if (grid[kSouthPole].visible != 0)
        GridJoin::addPlus(m_lines, GridJoin::pointOf(grid[kSouthPole], map));
    canvas.drawLines(m_lines, QPen(style.color(m_prefs.gridLinesColor()), style.gridWidth));
}

void EquatorialGridPainter::paintLabels(ChartCanvas& canvas, const ChartSky& sky, const GridLayerStyle& style)
{
    const auto& grid = sky.raGrid;
    m_labels.setAttributes(style.labels(m_prefs.gridLabelAttributes()));
    m_labels.apply(canvas);
    char text[16];
    for (int h = 0; h < 24; ++h) {
        const int length = std::snprintf(text, sizeof text, "%dh", h);
        // On the hour circle, 4° north of every 20° of declination.
        for (int j = -60; j <= 60; j += 20) {
            const RALocn& r = grid[kHourPoints * h + (j + 80) / 2 + 2];
            if (r.visible == 0)
                continue;
            const QPointF p = GridJoin::pointOf(r, style.mapping);
            m_labels.draw(canvas, QPointF(p.x() + 2.0, p.y()), std::uint64_t(h),
                          QLatin1StringView(text, length));
        }
    }
    for (int d = -70; d <= 70; d += 10) {
        const int c = (d + 80) / 10;
        const int length = std::snprintf(text, sizeof text, "%d\xB0", d);
        for (int m = 1; m <= 12; ++m) {
            const RALocn& r = grid[kFirstDecPoint - 1 + kDecPoints * c + 5 * m];
            if (r.visible == 0)
                continue;
            const QPointF p = GridJoin::pointOf(r, style.mapping);
            m_labels.draw(canvas, QPointF(p.x(), p.y() + 2.0), kDecKeyBase + std::uint64_t(d + 80),
                          QLatin1StringView(text, length));
        }
    }
}

void EquatorialGridPainter::paintEcliptic(ChartCanvas& canvas, const ChartSky& sky, const GridLayerStyle& style)
{
    m_lines.clear();
    for (int k = kFirstEclipticPoint; k < kLastEclipticPoint; ++k)
        GridJoin::join(m_lines, sky.raGrid[k], sky.raGrid[k + 1], style.mapping);
    canvas.drawLines(m_lines, QPen(style.color(m_prefs.eclipticColor()), style.lineWidth));
}

void EquatorialGridPainter::paintEquator(ChartCanvas& canvas, const ChartSky& sky, const GridLayerStyle& style)
{
    m_lines.clear();
    for (int k = kEquatorFrom; k <= kEquatorTo; ++k) {
        if (GridJoin::isSameDeclination(sky.raGrid[k], sky.raGrid[k + 1]))
            GridJoin::join(m_lines, sky.raGrid[k], sky.raGrid[k + 1], style.mapping);
    }
    canvas.drawLines(m_lines, QPen(style.color(m_prefs.eclipticColor()), style.lineWidth));
}
