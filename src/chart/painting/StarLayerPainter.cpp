#include "chart/painting/StarLayerPainter.h"

#include "model/ObjectIndex.h"
#include "model/records/RecordConstants.h"
#include "model/settings/PrefControl.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/ChartSky.h"
#include "skydraw/PrintMapping.h"
#include "skydraw/StarClasses.h"

#include <cstring>

namespace {

// Flags share their cache with the names, above every star index.
constexpr std::uint64_t kFlagKeyBase = std::uint64_t(1) << 40;
constexpr std::uint64_t kSimStarKey = kFlagKeyBase - 1;

std::uint64_t flagKey(const char* flag) { return kFlagKeyBase + std::uint64_t(flag[1]); }

QLatin1StringView nameOf(const star& s)
{
    return QLatin1StringView(s.name, qsizetype(strnlen(s.name, sizeof s.name)));
}

// The simulated star's square and its colour.
constexpr double kSimStarHalf = 3.0;
constexpr double kSimStarSide = 7.0;
const QColor kSimStarColor = QColor::fromRgbF(1.0f, 1.0f, 0.0f, 0.75f);
constexpr double kNameAfterFlag = 16.0;

}  // namespace

StarLayerPainter::StarLayerPainter(const PrefControl& prefs, const ChartImageSet& images)
    : m_prefs(prefs), m_images(images)
{
}

void StarLayerPainter::paint(ChartCanvas& canvas, const ChartSky& sky, float markAlpha)
{
    const double bright = m_prefs.starBrightVal();
    const double shift = m_prefs.starShiftVal();
    const bool isSprite = m_prefs.isStarAntiAlias();
    const bool isNames = m_prefs.isStarNames();
    const ObjectIndexParts find = splitObjectIndex(m_prefs.findIndex());
    const bool isStarFound = find.band == ObjectBand::Star;
    const QImage& mark = m_images.symbol(m_prefs.isNightVision() ? ChartImageSet::Symbol::NVFindMark
                                                                 : ChartImageSet::Symbol::FindMark);
    m_dots.clear();
    m_sprites.clear();
    m_labelled.clear();
    const star* found = nullptr;

    // One pass over the records on screen (large, and up to 100,000 of
    // them) notes what the drawing needs; the stars go first, all in one
    // go, then the find mark over them and the flags and names over both, so
    // that no star hides a name.
    forEachStarOnScreen(sky, [&](const star& s) {
        const int k = StarClasses::screenClass(StarClasses::brightness(s.mag, bright, shift));
        const QPointF origin = originOf(s, k);
        if (isSprite) {
            if (const ChartImageSet::StarSet* set = m_images.starSetFor(s.color))
                m_sprites.push_back({origin, &(*set)[std::size_t(k)]});
        } else if (StarClasses::originOffset(k) == 0) {
            m_dots.addRect(origin.x(), origin.y(), 1.0, 1.0);
        } else {
            const int size = StarClasses::dotSize(k);
            m_dots.addEllipse(origin.x(), origin.y(), size, size);
        }
        if (isStarFound && std::uint32_t(find.number) == s.index)
            found = &s;
        const char* flag = StarClasses::screenFlag(s.type, m_prefs);
        const bool isNamed = isNames && StarClasses::isNameShown(s.name, int(sizeof s.name));
        if (flag != nullptr || isNamed)
            m_labelled.push_back({QPointF(origin.x() + StarClasses::flagOffset(k), origin.y() - 2.0), flag,
                                  isNamed ? &s : nullptr});
    });
    canvas.drawSprites(m_sprites);
    if (found != nullptr)
        canvas.drawImage(QPointF(found->screenX - 10.0, found->screenY - 10.0), mark, markAlpha);

    m_labels.setAttributes(m_prefs.starNameAttributes());
    m_labels.apply(canvas);
    for (const Labelled& l : m_labelled) {
        QPointF labelAt = l.at;
        if (l.flag != nullptr) {
            m_labels.draw(canvas, labelAt, flagKey(l.flag), QLatin1StringView(l.flag));
            labelAt.rx() += kNameAfterFlag;
        }
        if (l.named != nullptr)
            m_labels.draw(canvas, labelAt, l.named->index, nameOf(*l.named));
    }
    if (!isSprite && !m_dots.isEmpty()) {
        canvas.setAntialiasing(true);
        canvas.fillPath(m_dots, Qt::white);
    }
    if (sky.simStar && sky.simStar->state == kStateOnScreen)
        paintSimStar(canvas, *sky.simStar);
}

QPointF StarLayerPainter::originOf(const star& s, int k)
{
    const int offset = StarClasses::originOffset(k);
    return {s.screenX - offset, s.screenY - offset};
}

void StarLayerPainter::paintSimStar(ChartCanvas& canvas, const star& simStar)
{
    const double x = simStar.screenX;
    const double y = simStar.screenY;
    QPainterPath square;
    square.addRect(x - kSimStarHalf, y - kSimStarHalf, kSimStarSide, kSimStarSide);
    canvas.strokePath(square, QPen(kSimStarColor, 1.0));
    if (m_prefs.isStarNames()) {
        m_labels.apply(canvas);
        m_labels.draw(canvas, QPointF(x + 9.0, y - 5.0), kSimStarKey, nameOf(simStar));
    }
}

void StarLayerPainter::print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping)
{
    const double bright = m_prefs.starBrightVal();
    const bool isNames = m_prefs.isStarNames();
    m_printLabels.setAttributes({m_prefs.starPrintFont(), Qt::black});
    m_printLabels.apply(canvas);
    m_dots.clear();

    forEachStarOnScreen(sky, [&](const star& s) {
        const QPointF p = mapping.map(s.screenX, s.screenY);
        const int c = StarClasses::paperClass(StarClasses::brightness(s.mag, bright, 0.0));
        const QPointF corner(p.x() - c, p.y() - c);
        if (c == 0)
            m_dots.addRect(corner.x(), corner.y(), 1.0, 1.0);
        else
            m_dots.addEllipse(corner.x(), corner.y(), 2 * c + 1, 2 * c + 1);

        QPointF labelAt(corner.x() + 2 * c + 2, corner.y() - 2.0);
        if (const char* flag = StarClasses::paperFlag(s.type, m_prefs)) {
            m_printLabels.draw(canvas, labelAt, flagKey(flag), QLatin1StringView(flag));
            labelAt.rx() += kNameAfterFlag;
        }
        if (isNames && StarClasses::isNameShown(s.name, int(sizeof s.name)))
            m_printLabels.draw(canvas, labelAt, s.index, nameOf(s));
    });
    if (!m_dots.isEmpty()) {
        canvas.setAntialiasing(true);
        canvas.fillPath(m_dots, Qt::black);
    }
    if (sky.simStar && sky.simStar->state == kStateOnScreen) {
        const QPointF p = mapping.map(sky.simStar->screenX, sky.simStar->screenY);
        QPainterPath square;
        square.addRect(p.x() - kSimStarHalf, p.y() - kSimStarHalf, kSimStarSide, kSimStarSide);
        canvas.strokePath(square, QPen(Qt::black, 1.0));
        if (isNames)
            m_printLabels.draw(canvas, QPointF(p.x() + 9.0, p.y() - 5.0), kSimStarKey,
                               nameOf(*sky.simStar));
    }
}
