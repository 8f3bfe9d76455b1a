#include "chart/painting/MilkyWayPainter.h"

#include "model/catalogue/MilkyWayTable.h"
#include "model/settings/PrefControl.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSky.h"
#include "skydraw/PrintMapping.h"

#include <QPen>

namespace {

// One point on, three off.
QPen dottedPen(const QColor& color)
{
    QPen pen(color, 1.0);
    pen.setDashPattern({1.0, 3.0});
    pen.setDashOffset(0.0);
    return pen;
}

}  // namespace

void MilkyWayPainter::paint(ChartCanvas& canvas, const ChartSky& sky)
{
    if (!m_prefs.isMilkyWay())
        return;
    const QPen pen = dottedPen(m_prefs.milkyWayColor());
    for (int k = 0; k < ChartSky::kNumMilkyWayPaths; ++k) {
        if (sky.mwPathVisible[std::size_t(k)])
            canvas.strokePath(sky.mwPaths[std::size_t(k)], pen);
    }
}

void MilkyWayPainter::print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping)
{
    if (!m_prefs.isMilkyWay() || sky.mwCoords.size() != std::size_t(MilkyWayTable::kNumPoints))
        return;
    const QPen pen = dottedPen(Qt::black);
    const QTransform toPage = mapping.transform();
    for (int k = 0; k < ChartSky::kNumMilkyWayPaths; ++k) {
        if (sky.mwPathVisible[std::size_t(k)])
            canvas.strokePath(toPage.map(MilkyWayTable::outlinePath(k, sky.mwCoords)), pen);
    }
}
