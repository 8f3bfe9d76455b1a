#include "scopeview/SVSkyObjectLayers.h"

#include "platform/widgets/ImageFile.h"
#include "scopeview/SVAngles.h"
#include "scopeview/SVDrawPass.h"
#include "scopeview/SVProjection.h"

#include "model/Angles.h"
#include "model/UnitVector.h"
#include "model/records/RecordConstants.h"
#include "model/records/RecordText.h"
#include "model/settings/PrefControl.h"
#include "platform/VectorState.h"
#include "skydraw/ChartSky.h"
#include "skydraw/DeepSkyPainter.h"
#include "skydraw/DeepSkyPhotos.h"
#include "skydraw/StarClasses.h"

#include <QFileInfo>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDeepSkyLabel = 0;
constexpr int kStarLabel = 1;
// Below this projected radius (points) an object gets its symbol.
constexpr double kMinObjectRadius = 5.0;
constexpr int kDeepSkyLabelOffset = 4;
const QColor kOvalColor = QColor::fromRgbF(0.3f, 0.5f, 0.3f, 1.0f);
constexpr double kPrintOvalWidth = 0.5;
const QColor kLookupColor = QColor::fromRgbF(1.0f, 1.0f, 0.0f, 0.75f);
constexpr int kLookupLabelOffset = 3;
constexpr double kLookupSquare = 7.0;
// The one object whose missing outline image leaves its symbol.
constexpr QLatin1StringView kSymbolWithoutOutline("NGC 1982");
constexpr int kBrightestClass = 13;
constexpr int kFaintestClass = 6;

// The image fitted into the square of side 2r about the point, its longer side 2r.
void drawFitted(ChartCanvas& canvas, const QImage& image, QPointF at, double r)
{
    const double w = image.width();
    const double h = image.height();
    const QRectF rect = w >= h ? QRectF(at.x() - r, at.y() - r * h / w, 2.0 * r, 2.0 * r * h / w)
                               : QRectF(at.x() - r * w / h, at.y() - r, 2.0 * r * w / h, 2.0 * r);
    canvas.drawImage(rect, image);
}

// The outline image, "<ngc>.png" on screen and "<ngc>P.png" on paper.
QImage outlineOf(const deepSky& object, const QString& photoDirectory, bool isPrint)
{
    const QString ngc = recordText(object.ngc);
    if (photoDirectory.isEmpty() || !DeepSkyPhotos::isSafeFileName(ngc))
        return {};
    const QString path = photoDirectory + QLatin1StringView("Outlines/") + ngc + QLatin1StringView(isPrint ? "P.png" : ".png");
    return QFileInfo::exists(path) ? ImageFile::image(path) : QImage();
}

std::optional<ChartImageSet::Symbol> symbolOf(std::int32_t type)
{
    switch (type) {
    case 0: return ChartImageSet::Symbol::Galaxy;
    case 1: return ChartImageSet::Symbol::Nebula;
    case 2: return ChartImageSet::Symbol::OpenCluster;
    case 3: return ChartImageSet::Symbol::GlobularCluster;
    case 4: return ChartImageSet::Symbol::Other;
    default: return std::nullopt;
    }
}

// A text field that counts as given: not empty and not opening with a blank.
bool isGiven(QLatin1StringView text) { return !text.isEmpty() && text.front() != QLatin1Char(' '); }

// The star's J2000 place carried by its proper motion over T centuries.
std::optional<QPointF> projectStar(const SVProjection& projection, const star& s, double T)
{
    const UnitVector v = UnitVector::fromRADec(s.raDeg * Angles::kDegToRad + s.pmRA * T,
                                               s.decDeg * Angles::kDegToRad + s.pmDec * T);
    return projection.projectJ2000(v.x, v.y, v.z);
}

}  // namespace

namespace SVSkyObjectLayers {

double objectRadius(float size, double svRadius)
{
    const double s = size * Angles::kDegToRad / 120.0;
    return svRadius * std::sin(s) / (std::cos(s) + 1.0);
}

int printStarClass(float brightness)
{
    if (!(brightness < 6.0f))
        return kFaintestClass;
    return std::min(kBrightestClass, kFaintestClass + int(std::ceil(6.0f - brightness)));
}

int printStarDot(int printClass)
{
    return 5 + 2 * ((printClass - kFaintestClass + 1) / 2);
}

int starClass(float brightness)
{
    if (!(brightness < 5.5f))
        return kFaintestClass;
    return std::min(kBrightestClass, kFaintestClass + int(std::ceil(5.5f - brightness)));
}

void drawDeepSky(const SVLayerContext& c, DeepSkyPhotos& photos, const QString& photoDirectory)
{
    const PrefControl& p = c.prefs;
    const bool isNames = p.isDeepSkyNames();
    QPainterPath ovals;
    for (const deepSky& object : c.sky.deepSkyData) {
        if (object.state < 0)
            continue;
        const std::optional<QPointF> at = c.projection.projectJ2000(object.vecX, object.vecY, object.vecZ);
        if (!at)
            continue;
        const double r = object.size != 0.0f ? objectRadius(object.size, c.angles.svRadius) : 0.0;
        bool isSymbol = !(r >= kMinObjectRadius);
        if (!isSymbol) {
            QImage image;
            if (p.isPhoto() && !c.isPrint()) {
                if (!DeepSkyPainter::isPhotoExcluded(object))
                    image = photos.photoFor(object);
            } else if (p.isOutlines()) {
                image = outlineOf(object, photoDirectory, c.isPrint());
                isSymbol = image.isNull() && recordText(object.ngc) == kSymbolWithoutOutline;
            }
            if (!image.isNull())
                drawFitted(c.canvas, image, *at, r);
            else if (!isSymbol)
                ovals.addEllipse(*at, r, r);
        }
        if (isSymbol) {
            if (const auto symbol = symbolOf(object.type)) {
                const double back = *symbol == ChartImageSet::Symbol::OpenCluster ? 4.5 : 4.0;
                c.drawSymbol(*symbol, QPointF(at->x() - back, at->y() - back));
            }
        }
        if (isNames) {
            const QLatin1StringView name =
                DeepSkyPainter::nameOf(object, p.showDSOName(), p.showDSOMessier(), p.showDSONGC());
            if (!name.isEmpty())
                c.pass.addLabel(kDeepSkyLabel, kDeepSkyLabelOffset, *at, name);
        }
    }
    if (!ovals.isEmpty())
        c.canvas.strokePath(ovals, c.isPrint() ? QPen(Qt::black, kPrintOvalWidth) : QPen(kOvalColor, 1.0));
}

void drawStars(const SVLayerContext& c, double T)
{
    const PrefControl& p = c.prefs;
    const double limit = p.svStarMagLimit();
    const bool isAntiAlias = p.isStarAntiAlias() && c.images;
    const bool isNames = p.isStarNames();
    QPainterPath dots;
    VectorState::clearUpper();
    const double years = std::abs(T);
    for (const star& s : c.sky.stars) {
        if (!(s.mag <= limit) || s.state == kStateBelowHorizon)
            continue;
        // Most of the catalogue lies far outside a telescope's field: its
        // stored J2000 direction, with the most its proper motion can move
        // it, rules it out before the place's trigonometry.
        if (!c.projection.mayShowJ2000(s.vecX, s.vecY, s.vecZ, (std::abs(s.pmRA) + std::abs(s.pmDec)) * years))
            continue;
        const std::optional<QPointF> at = projectStar(c.projection, s, T);
        if (!at)
            continue;
        const int k = c.isPrint() ? printStarClass(float((s.mag - 6.5) * p.starBrightVal() + 6.5))
                                  : starClass(StarClasses::brightness(s.mag, p.starBrightVal(), p.starShiftVal()));
        const int size = c.isPrint() ? printStarDot(k) : StarClasses::dotSize(k);
        const int back = (size - 1) / 2;
        const QPointF corner(at->x() - back, at->y() - back);
        if (long(c.findIndex) == long(s.index))
            c.drawFindMark(*at);
        if (isAntiAlias && !c.isPrint()) {
            if (const ChartImageSet::StarSet* set = c.images->starSetFor(s.color))
                c.canvas.drawImage(corner, (*set)[std::size_t(k)]);
        } else {
            dots.addEllipse(corner.x(), corner.y(), size, size);
        }
        if (isNames) {
            const QLatin1StringView name = recordText(s.name);
            const QLatin1StringView bayer = recordText(s.bayer);
            if (isGiven(name) || isGiven(bayer))
                c.pass.addLabel(kStarLabel, size / 2, *at, isGiven(name) ? name : bayer);
        }
    }
    if (!dots.isEmpty())
        c.canvas.fillPath(dots, c.isPrint() ? Qt::black : Qt::white);
}

void drawLookupStar(const SVLayerContext& c, double T)
{
    const star* s = c.sky.simStar;
    if (!s || s->state != kStateOnScreen)
        return;
    const std::optional<QPointF> at = projectStar(c.projection, *s, T);
    if (!at)
        return;
    QPainterPath square;
    square.addRect(at->x() - 3.0, at->y() - 3.0, kLookupSquare, kLookupSquare);
    c.canvas.strokePath(square, QPen(c.ink(kLookupColor), 1.0));
    if (c.prefs.isStarNames())
        c.pass.addLabel(kStarLabel, kLookupLabelOffset, *at, recordText(s->name));
}

}  // namespace SVSkyObjectLayers
