#include "chart/painting/BoundaryPainter.h"

#include "chart/painting/ChartCanvas.h"
#include "chart/painting/ChartSky.h"
#include "chart/painting/PrintMapping.h"
#include "model/PrefControl.h"

#include <QPen>

namespace {

constexpr double kScreenWidth = 2.0;
constexpr double kPaperWidth = 0.25;

}  // namespace

void BoundaryPainter::buildPath(QPainterPath& path, const ChartSky& sky, const PrintMapping& mapping)
{
    path.clear();
    bool isLineOpen = false;
    std::uint32_t currentId = 0;
    for (const boundaryLocn& b : sky.boundaries) {
        if (b.visible == 0) {
            isLineOpen = false;
            continue;
        }
        const QPointF p = mapping.map(b.screenPt.x, b.screenPt.y);
        if (isLineOpen && b.lineId == currentId) {
            path.lineTo(p);
        } else {
            path.moveTo(p);
            currentId = b.lineId;
            isLineOpen = true;
        }
    }
}

void BoundaryPainter::paint(ChartCanvas& canvas, const ChartSky& sky)
{
    if (!m_prefs.isBoundaries())
        return;
    buildPath(m_path, sky, PrintMapping());
    canvas.strokePath(m_path, QPen(m_prefs.constellationBoundaryColor(), kScreenWidth));
}

void BoundaryPainter::print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping)
{
    if (!m_prefs.isBoundaries())
        return;
    buildPath(m_path, sky, mapping);
    canvas.strokePath(m_path, QPen(Qt::black, kPaperWidth));
}
