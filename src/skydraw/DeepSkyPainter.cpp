#include "skydraw/DeepSkyPainter.h"

#include "model/Angles.h"
#include "model/ObjectIndex.h"
#include "model/records/RecordConstants.h"
#include "model/settings/PrefControl.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/ChartSky.h"
#include "skydraw/DeepSkyPhotos.h"
#include "skydraw/PrintMapping.h"
#include "skydraw/ProjectedAngle.h"

#include <cctype>
#include <cmath>
#include <cstring>

namespace {

constexpr int kGalaxy = 0;
constexpr int kNebula = 1;
constexpr int kOpenCluster = 2;
constexpr int kGlobularCluster = 3;
constexpr int kOther = 4;
// Symbols start this far left of and below the object's point; the open
// cluster's (an even number of pixels wide) half a point further.
constexpr double kSymbolOffset = 4.0;
constexpr double kOpenClusterShift = 0.5;
constexpr double kNameRight = 12.0;
constexpr double kNameDown = 1.0;

template <std::size_t N>
QLatin1StringView textOf(const char (&field)[N])
{
    return QLatin1StringView(field, qsizetype(strnlen(field, N)));
}

bool startsWithLetterOrDigit(QLatin1StringView text)
{
    return !text.isEmpty() && std::isalnum(static_cast<unsigned char>(text.front().toLatin1())) != 0;
}

ChartImageSet::Symbol symbolOf(int type, bool* isKnown)
{
    *isKnown = true;
    switch (type) {
    case kGalaxy:
        return ChartImageSet::Symbol::Galaxy;
    case kNebula:
        return ChartImageSet::Symbol::Nebula;
    case kOpenCluster:
        return ChartImageSet::Symbol::OpenCluster;
    case kGlobularCluster:
        return ChartImageSet::Symbol::GlobularCluster;
    case kOther:
        return ChartImageSet::Symbol::Other;
    default:
        *isKnown = false;
        return ChartImageSet::Symbol::Other;
    }
}

}  // namespace

DeepSkyPainter::DeepSkyPainter(const PrefControl& prefs, const ChartImageSet& images, DeepSkyPhotos& photos)
    : m_prefs(prefs), m_images(images), m_photos(photos)
{
}

double DeepSkyPainter::photoRadius(float size, double radius)
{
    const double a = double(size) * Angles::kDegToRad / 120.0;
    return ProjectedAngle::distance(a, radius);
}

bool DeepSkyPainter::isPhotoExcluded(const deepSky& object)
{
    const QLatin1StringView ngc = textOf(object.ngc);
    const QLatin1StringView messier = textOf(object.messier);
    return ngc == QLatin1StringView("NGC 5195") || messier == QLatin1StringView("M43") ||
           messier == QLatin1StringView("M110");
}

int DeepSkyPainter::nameField(const deepSky& object, bool showName, bool showMessier, bool showNGC)
{
    if (showName && startsWithLetterOrDigit(textOf(object.name)))
        return 0;
    const QLatin1StringView messier = textOf(object.messier);
    if (showMessier && !messier.isEmpty() && messier.front() == QLatin1Char('M'))
        return 1;
    if (showNGC && startsWithLetterOrDigit(textOf(object.ngc)))
        return 2;
    return -1;
}

QLatin1StringView DeepSkyPainter::nameOf(const deepSky& object, bool showName, bool showMessier, bool showNGC)
{
    switch (nameField(object, showName, showMessier, showNGC)) {
    case 0:
        return textOf(object.name);
    case 1:
        return textOf(object.messier);
    case 2:
        return textOf(object.ngc);
    default:
        return {};
    }
}

bool DeepSkyPainter::drawPhoto(ChartCanvas& canvas, const deepSky& object, double x, double y, double radius)
{
    const double r = photoRadius(object.size, radius);
    if (r < kPhotoRadius || isPhotoExcluded(object))
        return false;
    const QImage photo = m_photos.photoFor(object);
    if (photo.isNull())
        return false;
    const double w = photo.width();
    const double h = photo.height();
    if (w >= h)
        canvas.drawImage(QRectF(x - r, y - r * h / w, 2.0 * r, 2.0 * r * h / w), photo);
    else
        canvas.drawImage(QRectF(x - r * w / h, y - r, 2.0 * r * w / h, 2.0 * r), photo);
    return true;
}

void DeepSkyPainter::paint(ChartCanvas& canvas, const ChartSky& sky, float markAlpha)
{
    const bool isPhoto = m_prefs.isPhoto();
    const bool isNames = m_prefs.isDeepSkyNames();
    const bool showName = m_prefs.showDSOName();
    const bool showMessier = m_prefs.showDSOMessier();
    const bool showNGC = m_prefs.showDSONGC();
    const ObjectIndexParts find = splitObjectIndex(m_prefs.findIndex());
    const bool isDeepSkyFound = find.band == ObjectBand::DeepSky;
    const QImage& mark = m_images.symbol(m_prefs.isNightVision() ? ChartImageSet::Symbol::NVFindMark
                                                                 : ChartImageSet::Symbol::FindMark);
    m_labels.setAttributes(m_prefs.deepSkyNameAttributes());
    m_labels.apply(canvas);
    canvas.painter().setRenderHint(QPainter::SmoothPixmapTransform, true);

    for (const deepSky& object : sky.deepSkyData) {
        if (object.state != kStateOnScreen)
            continue;
        const double x = object.screenX;
        const double y = object.screenY;
        QPointF origin(x - kSymbolOffset, y - kSymbolOffset);
        if (object.type == kOpenCluster)
            origin -= QPointF(kOpenClusterShift, kOpenClusterShift);
        const bool hasPhoto = isPhoto && object.size != 0.0f && drawPhoto(canvas, object, x, y, sky.radius);
        bool isKnown = false;
        const ChartImageSet::Symbol symbol = symbolOf(object.type, &isKnown);
        if (!hasPhoto && isKnown)
            canvas.drawImage(origin, m_images.symbol(symbol));
        if (isDeepSkyFound && std::uint32_t(find.number) == object.index)
            canvas.drawImage(QPointF(x - 10.0, y - 10.0), mark, markAlpha);
        if (!isNames)
            continue;
        const int field = nameField(object, showName, showMessier, showNGC);
        if (field >= 0)
            m_labels.draw(canvas, QPointF(origin.x() + kNameRight, origin.y() - kNameDown),
                          std::uint64_t(object.index) * 3 + std::uint64_t(field),
                          nameOf(object, showName, showMessier, showNGC));
    }
}

void DeepSkyPainter::print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping,
                           const PrintSymbols& printSymbols)
{
    const bool isNames = m_prefs.isDeepSkyNames();
    const bool showName = m_prefs.showDSOName();
    const bool showMessier = m_prefs.showDSOMessier();
    const bool showNGC = m_prefs.showDSONGC();
    m_printLabels.setAttributes({m_prefs.deepSkyPrintFont(), Qt::black});
    m_printLabels.apply(canvas);

    for (const deepSky& object : sky.deepSkyData) {
        if (object.state != kStateOnScreen)
            continue;
        const QPointF p = mapping.map(object.screenX, object.screenY);
        QPointF origin(p.x() - kSymbolOffset, p.y() - kSymbolOffset);
        if (object.type == kOpenCluster)
            origin -= QPointF(kOpenClusterShift, kOpenClusterShift);
        // The paper symbols cover galaxies, nebulae and the two kinds of cluster.
        if (object.type >= kGalaxy && object.type <= kGlobularCluster)
            canvas.drawImage(origin, printSymbols[std::size_t(object.type)]);
        if (!isNames)
            continue;
        const int field = nameField(object, showName, showMessier, showNGC);
        if (field >= 0)
            m_printLabels.draw(canvas, QPointF(origin.x() + kNameRight, origin.y() - kNameDown),
                               std::uint64_t(object.index) * 3 + std::uint64_t(field),
                               nameOf(object, showName, showMessier, showNGC));
    }
}
