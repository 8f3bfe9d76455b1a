#include "chart/painting/BoundaryPainter.h"

#include "model/settings/PrefControl.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSky.h"
#include "skydraw/PrintMapping.h"

#include <QPen>

namespace {

constexpr double kScreenWidth = 2.0;
constexpr double kPaperWidth = 0.25;

}  // namespace

void BoundaryPainter::buildLines(std::vector<QLineF>& lines, const ChartSky& sky, const PrintMapping& mapping)
{
    lines.clear();
    bool isLineOpen = false;
    std::uint32_t currentId = 0;
    QPointF last;
    for (const boundaryLocn& b : sky.boundaries) {
        if (b.visible == 0) {
            isLineOpen = false;
            continue;
        }
        const QPointF p = mapping.map(b.screenPt.x, b.screenPt.y);
        if (isLineOpen && b.lineId == currentId) {
            lines.emplace_back(last, p);
        } else {
            currentId = b.lineId;
            isLineOpen = true;
        }
        last = p;
    }
}

void BoundaryPainter::paint(ChartCanvas& canvas, const ChartSky& sky)
{
    if (!m_prefs.isBoundaries())
        return;
    buildLines(m_lines, sky, PrintMapping());
    canvas.drawLines(m_lines, QPen(m_prefs.constellationBoundaryColor(), kScreenWidth));
}

void BoundaryPainter::print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping)
{
    if (!m_prefs.isBoundaries())
        return;
    buildLines(m_lines, sky, mapping);
    canvas.drawLines(m_lines, QPen(Qt::black, kPaperWidth));
}
