#include "scopeview/HT2StarLayer.h"

#include "scopeview/HT2FieldWindows.h"
#include "scopeview/HT2ZoneFile.h"
#include "scopeview/HT2ZoneIndex.h"
#include "scopeview/HT2ZoneStars.h"
#include "scopeview/SVProjection.h"

#include "model/Angles.h"
#include "model/ObjectIndex.h"
#include "model/UnitVector.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/FindMark.h"
#include "skydraw/PixelTarget.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The class value's midpoint of the star scale.
constexpr double kMidClass = 12.5;
constexpr float kFaintestClass = 11.5f;
constexpr double kPoleCrossDeclination = 85.0;
constexpr double kPoleCrossSize = 10.0;
// Degrees added to the declination cull for the rounding of the centre's
// J2000 place and of the cull's angle.
constexpr double kDecRounding = 1e-6;

// How far left of and below the star the sprite or shape starts, by image.
constexpr std::array<int, HT2StarLayer::kNumImages> kOrigins{0, 0, 0, 1, 1, 2, 2};

}  // namespace

HT2StarLayer::HT2StarLayer(HT2ZoneIndex& index, const SVProjection& projection, ChartCanvas& canvas,
                           const ChartImageSet* images, const Settings& settings,
                           std::vector<ht2Star>& stars)
    : m_index(index), m_projection(projection), m_canvas(canvas), m_images(images),
      m_settings(settings), m_stars(stars)
{
    m_stars.clear();
    m_decJ = m_projection.centreJ2000()[1];
    m_decReach = m_projection.cullRadius() * Angles::kRadToDeg + kDecRounding;
}

int HT2StarLayer::imageIndex(float classValue)
{
    if (!(classValue < kFaintestClass))
        return 0;
    return std::min(kNumImages - 1, int(std::ceil(kFaintestClass - classValue)));
}

void HT2StarLayer::draw(double margin)
{
    const HT2FieldWindows w = HT2FieldWindows::choose(m_projection.centreJ2000()[0], m_decJ, margin);
    for (int band : w.bands) {
        const auto zone = static_cast<unsigned short>(band);
        drawHT2Stars(zone, w.start1, w.end1, w.wrapped, w.start2, w.end2,
                     m_index.GetHT2Offset(zone, w.readStart()));
    }
}

void HT2StarLayer::drawPoleCross()
{
    if (!(m_decJ > kPoleCrossDeclination))
        return;
    const std::optional<QPointF> pole = m_projection.projectOfDate(0.0, 0.0, 1.0);
    if (!pole)
        return;
    const double h = kPoleCrossSize / 2.0;
    QPainterPath cross;
    cross.moveTo(pole->x() - h, pole->y());
    cross.lineTo(pole->x() + h, pole->y());
    cross.moveTo(pole->x(), pole->y() - h);
    cross.lineTo(pole->x(), pole->y() + h);
    m_canvas.strokePath(cross, QPen(Qt::red, 1.0));
}

void HT2StarLayer::drawHT2Stars(unsigned short zone, double start1, double end1, bool wrapped,
                                double start2, double end2, unsigned long offset)
{
    const std::shared_ptr<const HT2ZoneStars> stars = m_index.zoneStars(zone);
    if (!stars)
        return;
    if (!wrapped) {
        readWindow(stars->from(offset), start1, end1);
    } else {
        // Each half is read from its own offset, the lower one first, rather
        // than the whole band between them.
        if (start2 < start1) {
            std::swap(start1, start2);
            std::swap(end1, end2);
        }
        readWindow(stars->from(offset), start1, end1);
        readWindow(stars->from(m_index.GetHT2Offset(zone, start2)), start2, end2);
    }
    fillShapes();
}

void HT2StarLayer::fillShapes()
{
    m_canvas.drawSprites(m_sprites);
    m_sprites.clear();
    if (m_dots.empty() && m_ovals.empty())
        return;
    QPainter& painter = m_canvas.painter();
    painter.save();
    // Whole pixels without a transform take the painter's quickest paths.
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    if (const std::optional<PixelTarget> target = PixelTarget::of(painter)) {
        // A dot or oval on whole pixels has the same shape wherever it lies:
        // drawn once per size and copied, it costs a blend instead of a shape.
        const QImage& dot = ovalOf(1);
        for (const QRect& square : m_dots)
            target->blend(square.topLeft(), dot);
        for (const QRect& oval : m_ovals)
            target->blend(oval.topLeft(), ovalOf(oval.width()));
    } else {
        painter.drawRects(m_dots.data(), int(m_dots.size()));
        for (const QRect& oval : m_ovals)
            painter.drawEllipse(oval);
    }
    painter.restore();
    m_dots.clear();
    m_ovals.clear();
}

const QImage& HT2StarLayer::ovalOf(int size)
{
    QImage& oval = m_ovalImages[size];
    if (oval.isNull()) {
        oval = QImage(size, size, QImage::Format_ARGB32_Premultiplied);
        oval.fill(Qt::transparent);
        QPainter painter(&oval);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        if (size == 1)
            painter.drawRect(0, 0, 1, 1);
        else
            painter.drawEllipse(QRect(0, 0, size, size));
    }
    return oval;
}

void HT2StarLayer::readWindow(std::span<const HT2ZoneFile::Line> lines, double start, double end)
{
    for (const HT2ZoneFile::Line* line = lines.data(); line != lines.data() + lines.size(); ++line) {
        // A faint star never ends the band, even past the window.
        if (line->mag > m_settings.faintLimit)
            continue;
        const double ra = line->ra;
        if (ra > end)
            break;
        // Most stars of a band lie too far north or south of the field: cull
        // them before the trigonometry.
        if (ra < start || std::abs(line->dec - m_decJ) > m_decReach)
            continue;
        const UnitVector j2000 = UnitVector::fromRADec(ra * Angles::kDegToRad, line->dec * Angles::kDegToRad);
        const auto [u, w, s] = m_projection.toDate(j2000.x, j2000.y, j2000.z);
        const std::optional<QPointF> point = m_projection.projectOfDate(u, w, s);
        if (!point)
            continue;
        if (m_stars.size() >= kCapacity)
            break;
        const float classValue = float((line->mag - kMidClass) * m_settings.starBrightVal
                                       + (kMidClass - m_settings.starShiftVal));
        m_stars.push_back({float(u), float(w), float(s), line->mag, {float(point->x()), float(point->y())}});
        if (!m_settings.hasChanged && m_images
            && m_settings.findIndex == long(kHT2StarIndexBase + m_stars.size() - 1)) {
            // The mark goes over the stars before it and under those after.
            fillShapes();
            FindMark::draw(m_canvas, *m_images, m_settings.isNightVision, *point, 1.0f);
        }
        drawStar(*point, classValue);
    }
}

void HT2StarLayer::drawStar(const QPointF& point, float classValue)
{
    const int image = imageIndex(classValue);
    const int back = kOrigins[std::size_t(image)];
    const QPointF origin(point.x() - back, point.y() - back);
    if (m_settings.isStarAntiAlias && m_images) {
        m_sprites.push_back({origin, &m_images->starArray()[std::size_t(image)]});
        return;
    }
    const int size = 2 * back + 1;
    const QPointF centre = m_canvas.chartTransform().map(point);
    const QRect shape(int(std::floor(centre.x())) - back, int(std::floor(centre.y())) - back, size, size);
    (size == 1 ? m_dots : m_ovals).push_back(shape);
}
