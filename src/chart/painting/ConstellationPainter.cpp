#include "chart/painting/ConstellationPainter.h"

#include "model/records/RecordConstants.h"
#include "model/settings/PrefControl.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSky.h"
#include "skydraw/PrintMapping.h"

#include <QPen>

namespace {

constexpr double kScreenWidth = 2.0;
constexpr double kPaperWidth = 1.0;

// The star of a figure line when it is on screen; a line whose star index
// lies outside the table names no star.
const star* shownStar(const ChartSky& sky, std::int32_t index)
{
    if (index < 0 || std::size_t(index) >= sky.stars.size())
        return nullptr;
    const star& s = sky.stars[std::size_t(index)];
    return s.state == kStateOnScreen ? &s : nullptr;
}

}  // namespace

void ConstellationPainter::paint(ChartCanvas& canvas, const ChartSky& sky)
{
    draw(canvas, sky, PrintMapping(), false);
}

void ConstellationPainter::print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping)
{
    draw(canvas, sky, mapping, true);
}

void ConstellationPainter::draw(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping,
                                bool isPaper)
{
    if (!m_prefs.isConstellations())
        return;
    if (!sky.conLines.empty()) {
        m_lines.clear();
        for (const conLine& line : sky.conLines) {
            const star* from = shownStar(sky, line.star1);
            const star* to = shownStar(sky, line.star2);
            if (from == nullptr || to == nullptr)
                continue;
            m_lines.emplace_back(mapping.map(from->screenX, from->screenY), mapping.map(to->screenX, to->screenY));
        }
        canvas.drawLines(m_lines, isPaper ? QPen(Qt::black, kPaperWidth)
                                          : QPen(m_prefs.constellationColor(), kScreenWidth));
    }
    if (m_prefs.isHideCNames())
        return;
    LabelCache& labels = isPaper ? m_printLabels : m_labels;
    labels.setAttributes(isPaper ? TextAttributes{m_prefs.constellationPrintFont(), Qt::black}
                                 : m_prefs.constellationNameAttributes());
    labels.apply(canvas);
    for (std::size_t i = 0; i < sky.conLocns.size(); ++i) {
        const conLocn& label = sky.conLocns[i];
        if (label.visible != 0)
            labels.draw(canvas, mapping.map(label.screenPt.x, label.screenPt.y), i, label.name);
    }
}
