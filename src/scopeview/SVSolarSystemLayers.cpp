#include "scopeview/SVSolarSystemLayers.h"

#include "scopeview/SVDiscPainter.h"
#include "scopeview/SVDrawPass.h"
#include "scopeview/SVProjection.h"

#include "model/ObjectIndex.h"
#include "model/records/BodyNumber.h"
#include "model/records/RecordConstants.h"
#include "model/records/RecordText.h"
#include "model/settings/PrefControl.h"
#include "platform/StringTables.h"
#include "skydraw/ChartSky.h"
#include "skydraw/PlanetPainter.h"
#include "skydraw/PlanetPathPainter.h"
#include "skydraw/SmallBodyPainter.h"
#include "skydraw/StarClasses.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSmallBodyLabel = 2;
constexpr int kPathLabel = 5;
constexpr int kPlanetLabel = 6;
constexpr double kPathWidth = 2.0;
constexpr int kDotEvery = 5;
constexpr double kPathDot = 7.0;
constexpr int kPathLabelOffset = 3;
constexpr int kCometLabelOffset = 3;
constexpr int kMinorPlanetLabelOffset = 5;
constexpr double kLabelClearX = 48.0;
constexpr double kLabelClearY = 9.0;
constexpr double kNeoRing = 15.0;
const QColor kNeoRingColor = QColor::fromRgbF(1.0f, 0.0f, 0.0f, 0.75f);
constexpr int kNumDrawnBodies = PlanetPainter::kNumDrawnBodies;
// The Sun and the Moon have no magnitude class (the Moon's record holds its
// phase there): without a disc painter their sprite is the brightest.
constexpr int kDiscBodyClass = 13;
// Label offsets of the faint sprite classes 0-2 and of the others.
constexpr int kFaintPlanetLabelOffset = 4;
constexpr int kPlanetLabelOffset = 7;
constexpr int kFaintPlanetClasses = 3;

long long selectedIn(int findIndex, ObjectBand band)
{
    const ObjectIndexParts find = splitObjectIndex(findIndex);
    return find.band == band ? find.number : -1;
}

template <typename Record>
std::optional<QPointF> projectOfDate(const SVProjection& projection, const Record& r)
{
    return projection.projectOfDate(r.vecX, r.vecY, r.vecZ);
}

}  // namespace

namespace SVSolarSystemLayers {

bool isLabelClear(QPointF last, QPointF p)
{
    return std::abs(p.x() - last.x()) > kLabelClearX || std::abs(p.y() - last.y()) > kLabelClearY;
}

int planetClass(float mag, double starBrightVal)
{
    const double v = (mag - 12.5) * starBrightVal + 12.5;
    if (!(v < 12.0))
        return 0;
    return std::min(13, int(std::ceil(12.0 - v)));
}

void drawPath(const SVLayerContext& c)
{
    const PrefControl& p = c.prefs;
    if (!p.isPath() || !c.sky.hasPlanetPath || c.sky.planetPaths.empty())
        return;
    const std::span<const planetPath> points = c.sky.planetPaths;
    std::vector<std::optional<QPointF>> at;
    at.reserve(points.size());
    for (const planetPath& point : points)
        at.push_back(projectOfDate(c.projection, point));

    QPainterPath line;
    QPainterPath dots;
    QPointF lastLabel(0.0, 0.0);
    const std::size_t last = points.size() - 1;
    for (std::size_t i = 0; i < last; ++i) {
        if (!at[i] || !at[i + 1])
            continue;
        line.moveTo(*at[i]);
        line.lineTo(*at[i + 1]);
        const auto mark = [&](std::size_t n, bool isEnd) {
            const QPointF q = *at[n];
            dots.addEllipse(q.x() - 3.0, q.y() - 3.0, kPathDot, kPathDot);
            if (n != 0 && !isLabelClear(lastLabel, q))
                return;
            lastLabel = q;
            const QDateTime moment = PlanetPathPainter::pointDate(c.sky.skyDate, int(n), p.pathDays(), p.pathPercent());
            c.pass.addLabel(kPathLabel, kPathLabelOffset, q, PlanetPathPainter::labelText(moment, p.pathDays(), isEnd));
        };
        if (i % kDotEvery == 0)
            mark(i, false);
        if (i + 1 == last)
            mark(last, true);
    }
    c.canvas.strokePath(line, QPen(c.ink(p.pathColor()), kPathWidth));
    c.canvas.fillPath(dots, c.ink(p.pathColor()));
}

void drawComets(const SVLayerContext& c)
{
    const PrefControl& p = c.prefs;
    const long long selected = selectedIn(c.findIndex, ObjectBand::Comet);
    if (!p.showComet() && selected < 0)
        return;
    const double limit = p.mpMagLimit();
    const bool isAll = limit > kNoMagLimit;
    for (std::size_t n = 0; n < c.sky.comets.size(); ++n) {
        const comet& body = c.sky.comets[n];
        if (body.state != kStateOnScreen || !(isAll || body.mag <= limit || (long long)n == selected))
            continue;
        const std::optional<QPointF> at = projectOfDate(c.projection, body);
        if (!at)
            continue;
        c.drawSymbol(ChartImageSet::Symbol::Comet, QPointF(at->x() - 3.0, at->y() - 5.0));
        if (p.isCometNames())
            c.pass.addLabel(kSmallBodyLabel, kCometLabelOffset, *at, recordText(body.name));
    }
}

void drawMinorPlanets(const SVLayerContext& c)
{
    const PrefControl& p = c.prefs;
    const long long selected = selectedIn(c.findIndex, ObjectBand::MinorPlanet);
    const bool showMP = p.showMP();
    const bool showNEO = p.showNEO();
    if (!showMP && !showNEO && selected < 0)
        return;
    const double limit = p.mpMagLimit();
    const bool isAll = limit > kNoMagLimit;
    QPainterPath rings;
    for (std::size_t n = 0; n < c.sky.minorPlanets.size(); ++n) {
        const minorPlanet& body = c.sky.minorPlanets[n];
        const bool isSelected = (long long)n == selected;
        const bool isNearest = c.sky.neoIndex && *c.sky.neoIndex == n;
        if (body.state != kStateOnScreen
            || !SmallBodyPainter::isSourceShown(body.source, showMP, showNEO, isSelected)
            || !(isAll || body.mag <= limit || isSelected || isNearest))
            continue;
        const std::optional<QPointF> at = projectOfDate(c.projection, body);
        if (!at)
            continue;
        c.drawSymbol(SmallBodyPainter::screenSymbol(body.source), QPointF(at->x() - 5.0, at->y() - 3.0));
        if (isNearest && body.source == kMPSourceUnusual)
            rings.addEllipse(at->x() - 7.0, at->y() - 8.0, kNeoRing, kNeoRing);
        if (p.isCometNames())
            c.pass.addLabel(kSmallBodyLabel, kMinorPlanetLabelOffset, *at, recordText(body.name));
    }
    if (!rings.isEmpty())
        c.canvas.strokePath(rings, QPen(c.ink(kNeoRingColor), 1.0));
}

int planetPrintDot(float mag, double starBrightVal)
{
    const double v = (mag - 12.5) * starBrightVal + 12.5;
    if (!(v < 10.0))
        return 1;
    return 3 + 2 * std::min(4, int(std::max(0.0, std::ceil((10.0 - v) / 2.0) - 1.0)));
}

void drawPlanets(const SVLayerContext& c, SVDiscPainter* discs)
{
    const PrefControl& p = c.prefs;
    const int count = std::min<int>(kNumDrawnBodies, int(c.sky.planets.size()));
    QPainterPath dots;
    for (int body = 0; body < count; ++body) {
        const planet& record = c.sky.planets[std::size_t(body)];
        if (record.state < 0)
            continue;
        const std::optional<QPointF> at = projectOfDate(c.projection, record);
        if (!at)
            continue;
        const bool isDiscBody = body == BodyNumber::kSun || body == BodyNumber::kMoon;
        const int k = isDiscBody ? kDiscBodyClass : planetClass(record.mag, p.starBrightVal());
        const float disc = discs && body != BodyNumber::kPluto ? discs->draw(body, *at) : -1.0f;
        // The Sun's disc is always drawn, whatever its label takes.
        const bool isSprite = disc < 0.0f && !(discs && body == BodyNumber::kSun);
        if (isSprite && c.isPrint()) {
            const double d = planetPrintDot(record.mag, p.starBrightVal());
            dots.addEllipse(at->x() - (d - 1.0) / 2.0, at->y() - (d - 1.0) / 2.0, d, d);
        } else if (isSprite && c.images) {
            const int back = StarClasses::originOffset(k);
            c.canvas.drawImage(QPointF(at->x() - back, at->y() - back), c.images->starArray()[std::size_t(k)]);
        }
        if (p.isPlanetNames()) {
            const int spriteOffset = k < kFaintPlanetClasses ? kFaintPlanetLabelOffset : kPlanetLabelOffset;
            c.pass.addLabel(kPlanetLabel, disc < 0.0f ? spriteOffset : int(disc), *at,
                            StringTables::localizedString(QStringLiteral("Global"),
                                                          QString::fromLatin1(PlanetPainter::nameKey(body))));
        }
    }
    if (!dots.isEmpty())
        c.canvas.fillPath(dots, Qt::black);
}

}  // namespace SVSolarSystemLayers
