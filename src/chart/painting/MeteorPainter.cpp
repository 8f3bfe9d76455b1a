#include "chart/painting/MeteorPainter.h"

#include "chart/painting/MeteorShowerTimer.h"
#include "model/settings/PrefControl.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSky.h"

#include <QPainterPath>

#include <cstring>

namespace {

constexpr double kCrossHalf = 5.0;
constexpr double kCrossWidth = 2.0;

}  // namespace

std::optional<int> MeteorPainter::firstShower(std::span<const meteor> meteors)
{
    for (std::size_t k = 0; k < meteors.size(); ++k) {
        if (meteors[k].visible != 0 && meteors[k].rate > 0)
            return int(k);
    }
    return std::nullopt;
}

void MeteorPainter::paint(ChartCanvas& canvas, const ChartSky& sky)
{
    if (!m_prefs.isMeteor())
        return;
    const std::optional<int> first = firstShower(sky.meteors);
    if (!first)
        return;
    const meteor& shower = sky.meteors[std::size_t(*first)];
    const double x = shower.screenX;
    const double y = shower.screenY;
    QPainterPath cross;
    cross.moveTo(x - kCrossHalf, y);
    cross.lineTo(x + kCrossHalf, y);
    cross.moveTo(x, y - kCrossHalf);
    cross.lineTo(x, y + kCrossHalf);
    canvas.strokePath(cross, QPen(m_prefs.gridLinesColor(), kCrossWidth));
    m_labels.setAttributes(m_prefs.gridLabelAttributes());
    m_labels.apply(canvas);
    m_labels.draw(canvas, QPointF(x + 4.0, y + 3.0), std::uint64_t(*first),
                  QLatin1StringView(shower.name, qsizetype(strnlen(shower.name, sizeof shower.name))));
    if (m_timer)
        m_timer->startIfIdle(shower.rate);
}
