#include "skydraw/SmallBodyPainter.h"

#include "model/ObjectIndex.h"
#include "model/records/RecordConstants.h"
#include "model/settings/PrefControl.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/ChartSky.h"
#include "skydraw/FindMark.h"
#include "skydraw/PrintMapping.h"

#include <QPainterPath>

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

namespace {

template <std::size_t N>
QLatin1StringView nameOf(const char (&name)[N])
{
    return QLatin1StringView(name, qsizetype(strnlen(name, N)));
}

// The ring around the nearest near-Earth object.
const QColor kNeoRingColor = QColor::fromRgbF(1.0f, 0.0f, 0.0f, 0.75f);

// Print labels of minor planets are kept apart from the comets'.
constexpr std::uint64_t kPrintMinorPlanetKeys = std::uint64_t(1) << 40;

// The array position of the find selection when it is of `band`, else −1.
long long selectedIn(int findIndex, ObjectBand band)
{
    const ObjectIndexParts find = splitObjectIndex(findIndex);
    return find.band == band ? find.number : -1;
}

bool isNeo(std::optional<std::uint32_t> neoIndex, std::size_t position)
{
    return neoIndex && *neoIndex == position;
}

// One of the minor planets a moving sky draws.
struct Pick {
    float key;  // the magnitude; lowest for those always drawn
    std::uint32_t p;
    bool isNamed;
};

// The `count` brightest of the table's records listed in `onScreen`, those
// `isAlways` takes first, in table order as the labels expect; the `named`
// brightest of them are marked. The magnitudes are copied once, so that
// the choice does not go back to records scattered over the table.
template <class IsAlways>
std::vector<Pick> brightest(std::span<const std::uint32_t> onScreen, std::span<const minorPlanet> table,
                            const IsAlways& isAlways, std::size_t count, std::size_t named)
{
    std::vector<Pick> picks;
    picks.reserve(onScreen.size());
    for (const std::uint32_t p : onScreen) {
        if (p < table.size())
            picks.push_back({isAlways(p) ? -1e9f : table[p].mag, p, false});
    }
    const auto byKey = [](const Pick& a, const Pick& b) { return a.key < b.key; };
    if (picks.size() > count) {
        std::ranges::nth_element(picks, picks.begin() + std::ptrdiff_t(count), byKey);
        picks.resize(count);
    }
    named = std::min(named, picks.size());
    std::ranges::nth_element(picks, picks.begin() + std::ptrdiff_t(named), byKey);
    for (std::size_t i = 0; i < named; ++i)
        picks[i].isNamed = true;
    std::ranges::sort(picks, {}, &Pick::p);
    return picks;
}

}  // namespace

SmallBodyPainter::SmallBodyPainter(const PrefControl& prefs, const ChartImageSet& images)
    : m_prefs(prefs), m_images(images)
{
}

ChartImageSet::Symbol SmallBodyPainter::screenSymbol(std::int32_t source)
{
    switch (source) {
    case kMPSourceBright:
        return ChartImageSet::Symbol::MinorPlanet;
    case kMPSourceUnusual:
        return ChartImageSet::Symbol::NEO;
    case kMPSourceNumbered:
        return ChartImageSet::Symbol::AstOrb;
    default:
        return ChartImageSet::Symbol::AstOrbYellow;
    }
}

bool SmallBodyPainter::isSourceShown(std::int32_t source, bool showMP, bool showNEO, bool isSelected)
{
    if (source == kMPSourceUnusual)
        return showNEO || isSelected;
    if (source == kMPSourceBright || source == kMPSourceNumbered)
        return showMP || isSelected;
    return true;
}

void SmallBodyPainter::paint(ChartCanvas& canvas, const ChartSky& sky, float markAlpha)
{
    const ObjectBand band = splitObjectIndex(m_prefs.findIndex()).band;
    if (m_prefs.showComet() || band == ObjectBand::Comet)
        paintComets(canvas, sky, markAlpha);
    if (m_prefs.showMP() || m_prefs.showNEO() || band == ObjectBand::MinorPlanet)
        paintMinorPlanets(canvas, sky, markAlpha);
}

void SmallBodyPainter::paintComets(ChartCanvas& canvas, const ChartSky& sky, float markAlpha)
{
    const double limit = m_prefs.cometMagLimit();
    const long long selected = selectedIn(m_prefs.findIndex(), ObjectBand::Comet);
    const bool isNames = m_prefs.isCometNames();
    const QImage& symbol = m_images.symbol(ChartImageSet::Symbol::Comet);
    m_cometLabels.setAttributes(m_prefs.cometNameAttributes());
    m_cometLabels.apply(canvas);
    for (std::size_t p = 0; p < sky.comets.size(); ++p) {
        const comet& c = sky.comets[p];
        if (c.state != kStateOnScreen || (c.mag > limit && (long long)p != selected))
            continue;
        const double x = c.screenX;
        const double y = c.screenY;
        canvas.drawImage(QPointF(x - 3.0, y - 5.0), symbol);
        if ((long long)c.index == selected)
            FindMark::draw(canvas, m_images, m_prefs.isNightVision(), QPointF(x, y), markAlpha);
        if (isNames)
            m_cometLabels.draw(canvas, QPointF(x + 7.0, y - 5.0), p, nameOf(c.name));
    }
}

void SmallBodyPainter::paintMinorPlanets(ChartCanvas& canvas, const ChartSky& sky, float markAlpha)
{
    const double limit = m_prefs.cometMagLimit();
    const long long selected = selectedIn(m_prefs.findIndex(), ObjectBand::MinorPlanet);
    const bool showMP = m_prefs.showMP();
    const bool showNEO = m_prefs.showNEO();
    const bool isNames = m_prefs.isCometNames();
    m_minorPlanetLabels.setAttributes(m_prefs.cometNameAttributes());
    m_minorPlanetLabels.apply(canvas);
    const auto draw = [&](std::size_t p, bool isNamed) {
        const minorPlanet& m = sky.minorPlanets[p];
        if (m.state != kStateOnScreen)
            return;
        const bool isSelected = (long long)p == selected;
        const bool isNearest = isNeo(sky.neoIndex, p);
        if (!isSourceShown(m.source, showMP, showNEO, isSelected) || (m.mag > limit && !isSelected && !isNearest))
            return;
        const double x = m.screenX;
        const double y = m.screenY;
        canvas.drawImage(QPointF(x - 5.0, y - 3.0), m_images.symbol(screenSymbol(m.source)));
        if (m.source == kMPSourceUnusual && isNearest) {
            QPainterPath ring;
            ring.addEllipse(x - 7.0, y - 8.0, 15.0, 15.0);
            canvas.strokePath(ring, QPen(kNeoRingColor, 1.0));
        }
        if ((long long)m.index == selected)
            FindMark::draw(canvas, m_images, m_prefs.isNightVision(), QPointF(x, y), markAlpha);
        if (isNamed)
            m_minorPlanetLabels.draw(canvas, QPointF(x + 9.0, y - 5.0), p, nameOf(m.name));
    };
    // The sky moves under a pan and under time steps alike.
    const bool isMoving = m_movingSky.note(sky.view, sky.skyDate);
    m_hasLeftOut = false;
    // A large table's pass lists those on screen: the rest need no look.
    if (sky.minorPlanetsOnScreen) {
        const std::span<const std::uint32_t> onScreen = *sky.minorPlanetsOnScreen;
        if (isMoving && onScreen.size() > kMovingMinorPlanets) {
            const auto isAlways = [&](std::uint32_t p) { return (long long)p == selected || isNeo(sky.neoIndex, p); };
            for (const Pick& pick :
                 brightest(onScreen, sky.minorPlanets, isAlways, kMovingMinorPlanets, kMovingMinorPlanetNames))
                draw(pick.p, isNames && pick.isNamed);
            m_hasLeftOut = true;
            return;
        }
        for (const std::uint32_t p : onScreen) {
            if (p < sky.minorPlanets.size())
                draw(p, isNames);
        }
        return;
    }
    for (std::size_t p = 0; p < sky.minorPlanets.size(); ++p)
        draw(p, isNames);
}

void SmallBodyPainter::print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping,
                             const PrintSymbols& symbols)
{
    const double limit = m_prefs.cometMagLimit();
    const bool isNames = m_prefs.isCometNames();
    m_printLabels.setAttributes({m_prefs.cometPrintFont(), Qt::black});
    m_printLabels.apply(canvas);
    if (m_prefs.showComet()) {
        for (std::size_t p = 0; p < sky.comets.size(); ++p) {
            const comet& c = sky.comets[p];
            if (c.state != kStateOnScreen || c.mag > limit)
                continue;
            const QPointF at = mapping.map(c.screenX, c.screenY);
            const QPointF origin(at.x() - 3.0, at.y() - 5.0);
            canvas.drawImage(origin, symbols.comet);
            if (isNames)
                m_printLabels.draw(canvas, QPointF(origin.x() + 9.0, origin.y()), p, nameOf(c.name));
        }
    }
    const bool showMP = m_prefs.showMP();
    const bool showNEO = m_prefs.showNEO();
    if (!showMP && !showNEO)
        return;
    for (std::size_t p = 0; p < sky.minorPlanets.size(); ++p) {
        const minorPlanet& m = sky.minorPlanets[p];
        const bool isNearest = isNeo(sky.neoIndex, p);
        if (m.state != kStateOnScreen || !isSourceShown(m.source, showMP, showNEO, false)
            || (m.mag > limit && !isNearest))
            continue;
        const QPointF at = mapping.map(m.screenX, m.screenY);
        const QPointF origin(at.x() - 5.0, at.y() - 3.0);
        if (m.source == kMPSourceBright) {
            canvas.drawImage(origin, symbols.minorPlanet);
        } else if (m.source == kMPSourceUnusual) {
            canvas.drawImage(origin, symbols.neo);
            if (isNearest) {
                QPainterPath ring;
                ring.addEllipse(origin.x() - 2.0, origin.y() - 5.0, 15.0, 15.0);
                canvas.strokePath(ring, QPen(Qt::black, 1.0));
            }
        } else {
            canvas.drawImage(origin, symbols.astOrb);
        }
        if (isNames)
            m_printLabels.draw(canvas, QPointF(origin.x() + 14.0, origin.y() - 3.0), kPrintMinorPlanetKeys + p,
                               nameOf(m.name));
    }
}
