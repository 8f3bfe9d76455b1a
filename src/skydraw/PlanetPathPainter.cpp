#include "skydraw/PlanetPathPainter.h"

#include "model/ObjectIndex.h"
#include "model/records/RecordConstants.h"
#include "model/records/planetPath.h"
#include "model/settings/PrefControl.h"
#include "platform/AppTimeZone.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSky.h"
#include "skydraw/PrintMapping.h"
#include "solarsystem/PlanetPath.h"

#include <QLocale>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr int kDotEvery = 5;
constexpr double kDotHalf = 3.0;
constexpr double kDotSize = 7.0;
// A label needs this much room from the last one: more than 48 points
// across, or 10 points up or down (whole points, cut toward zero).
constexpr double kLabelClearX = 48.0;
constexpr double kLabelClearY = 10.0;
// Paths of a day or less step at most this many days: their labels give the time.
constexpr float kTimeLabelStep = 0.025f;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kPathLineWidth = 2.0;
// Offsets beyond a hundred thousand years are no date to show (and would
// overflow the seconds count); a typed span that large is held there.
constexpr double kMaxOffsetSeconds = 1e5 * 365.25 * kSecondsPerDay;

bool isClear(QPointF last, QPointF p)
{
    return std::abs(std::trunc(last.x() - p.x())) > kLabelClearX
           || std::abs(std::trunc(last.y() - p.y())) >= kLabelClearY;
}

}  // namespace

std::vector<PlanetPathPainter::Dot> PlanetPathPainter::dots(
    std::span<const planetPath> points, const std::function<QPointF(const planetPath&)>& place)
{
    std::vector<Dot> result;
    QPointF last(0.0, 0.0);
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        if (points[i].state == kStateOffView || points[i + 1].state == kStateOffView)
            continue;
        if (i % kDotEvery == 0) {
            const QPointF p = place(points[i]);
            const bool isLabelled = i == 0 || isClear(last, p);
            if (isLabelled)
                last = p;
            result.push_back({int(i), p, isLabelled});
        }
        if (i + 2 == points.size()) {
            const QPointF p = place(points[i + 1]);
            result.push_back({int(i + 1), p, isClear(last, p)});
        }
    }
    return result;
}

QDateTime PlanetPathPainter::pointDate(const QDateTime& skyDate, int point, float pathDays, float pathPercent)
{
    const int n = PlanetPath::anchorIndex(pathPercent);
    const float s = PlanetPath::stepDays(pathDays);
    const float days = float(point - n) * s;
    const double seconds = double(days) * kSecondsPerDay;
    if (!(std::abs(seconds) <= kMaxOffsetSeconds))
        return skyDate.addSecs(qint64(seconds > 0.0 ? kMaxOffsetSeconds : -kMaxOffsetSeconds));
    return skyDate.addSecs(qint64(seconds));
}

QString PlanetPathPainter::labelText(const QDateTime& moment, float pathDays, bool isEndPoint)
{
    const QDateTime local = moment.toTimeZone(AppTimeZone::zone());
    const QLocale locale;
    if (!isEndPoint && PlanetPath::stepDays(pathDays) <= kTimeLabelStep)
        return locale.toString(local.time(), QLocale::ShortFormat);
    return locale.toString(local.date(), QLocale::ShortFormat);
}

bool PlanetPathPainter::isSelectionValid(const ChartSky& sky) const
{
    const ObjectIndexParts find = splitObjectIndex(m_prefs.findIndex());
    if (find.band == ObjectBand::Comet)
        return std::size_t(find.number) < sky.comets.size();
    if (find.band == ObjectBand::MinorPlanet)
        return std::size_t(find.number) < sky.minorPlanets.size();
    return true;
}

void PlanetPathPainter::draw(ChartCanvas& canvas, const ChartSky& sky,
                             const std::function<QPointF(const planetPath&)>& place, const QColor& color,
                             QPointF labelOffset, LabelCache& labels)
{
    QPainterPath line;
    for (std::size_t i = 0; i + 1 < sky.planetPaths.size(); ++i) {
        if (sky.planetPaths[i].state == kStateOffView || sky.planetPaths[i + 1].state == kStateOffView)
            continue;
        line.moveTo(place(sky.planetPaths[i]));
        line.lineTo(place(sky.planetPaths[i + 1]));
    }
    canvas.strokePath(line, QPen(color, kPathLineWidth));

    const std::vector<Dot> marks = dots(sky.planetPaths, place);
    QPainterPath ovals;
    for (const Dot& dot : marks)
        ovals.addEllipse(dot.at.x() - kDotHalf, dot.at.y() - kDotHalf, kDotSize, kDotSize);
    canvas.fillPath(ovals, color);

    labels.apply(canvas);
    const int last = int(sky.planetPaths.size()) - 1;
    for (const Dot& dot : marks) {
        if (!dot.isLabelled)
            continue;
        const QDateTime moment = pointDate(sky.skyDate, dot.point, m_prefs.pathDays(), m_prefs.pathPercent());
        labels.draw(canvas, dot.at + labelOffset, std::uint64_t(dot.point),
                    labelText(moment, m_prefs.pathDays(), dot.point == last));
    }
}

void PlanetPathPainter::paint(ChartCanvas& canvas, const ChartSky& sky)
{
    if (!m_prefs.isPath() || !sky.hasPlanetPath || !isSelectionValid(sky))
        return;
    m_labels.setAttributes(m_prefs.pathLabelAttributes());
    draw(
        canvas, sky, [](const planetPath& p) { return QPointF(p.screenX, p.screenY); }, m_prefs.pathColor(),
        QPointF(4.0, 3.0), m_labels);
}

void PlanetPathPainter::print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping)
{
    if (!m_prefs.isPath() || !sky.hasPlanetPath || !isSelectionValid(sky))
        return;
    m_printLabels.setAttributes({m_prefs.pathLabelAttributes().font, Qt::black});
    draw(
        canvas, sky, [&mapping](const planetPath& p) { return mapping.map(p.screenX, p.screenY); }, Qt::black,
        QPointF(5.0, -1.0), m_printLabels);
}
