#include "chart/painting/TurnedFigureCache.h"

#include "model/Angles.h"
#include "skydraw/ChartCanvas.h"

#include <QPainter>

#include <cmath>

namespace {

// How far (pixels) a corner of a kept picture may lie from where a fresh
// one would put it.
constexpr double kPixelTolerance = 1.0;
// Frames a figure must hold still before its picture is made.
constexpr int kStillFrames = 2;

}  // namespace

void TurnedFigureCache::draw(ChartCanvas& canvas, int key, const QTransform& local, const QRectF& rect,
                             const QImage& image, std::span<const QRect> tiles, const AlphaMap* alpha)
{
    const QRectF bounds = local.mapRect(rect);
    if (!canvas.isPixelForPoint() || bounds.width() * bounds.height() > kMaxPixels || image.isNull()) {
        canvas.drawImage(local, rect, image, tiles);
        return;
    }
    const double angle = std::atan2(local.m12(), local.m11());
    Turned& turned = m_turned[key];
    // The sky moves when a figure placed by a recent frame lies elsewhere now.
    const bool isMoving = turned.sourceKey == image.cacheKey() && m_sinceLastFrame.isValid()
                          && m_sinceLastFrame.elapsed() < m_movingPaints.count()
                          && (turned.lastLocal != local || turned.lastRect != rect);
    if (!fits(turned, image.cacheKey(), angle, rect.size())) {
        // Turning or growing: a picture made now would not last, so only
        // note where the figure is and draw it directly.
        turned = Turned{image.cacheKey(), angle, rect.size(), {}, {}, 0, false, {}, {}};
    } else if (turned.picture.isNull() && ++turned.stillFrames >= kStillFrames) {
        // A slow drift also stays within a pixel of the noted place for a
        // frame or two: make the picture only for a figure that held still.
        turned = make(canvas, local, rect, image, tiles, angle);
    }
    turned.isUsed = true;
    turned.lastLocal = local;
    turned.lastRect = rect;
    if (!turned.picture.isNull()) {
        canvas.drawImageOnPixels(local.map(rect.center()) + turned.offset, turned.picture);
    } else if (isMoving) {
        QPainter& painter = canvas.painter();
        const bool wasSmooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        canvas.drawImage(local, rect, image, tiles, alpha);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, wasSmooth);
        m_isRough = true;
    } else {
        canvas.drawImage(local, rect, image, tiles);
    }
}

void TurnedFigureCache::endFrame()
{
    std::erase_if(m_turned, [](const auto& entry) { return !entry.second.isUsed; });
    for (auto& [key, turned] : m_turned)
        turned.isUsed = false;
    m_wasRough = m_isRough;
    m_isRough = false;
    m_sinceLastFrame.start();
}

bool TurnedFigureCache::fits(const Turned& turned, qint64 sourceKey, double angle, QSizeF size)
{
    if (turned.sourceKey != sourceKey || turned.size.isEmpty())
        return false;
    // The corners move by the turn times their distance from the centre,
    // and by half the change of size.
    const double reach = 0.5 * std::hypot(size.width(), size.height());
    const double turn = std::remainder(angle - turned.angle, Angles::kTwoPi);
    return std::abs(turn) * reach <= kPixelTolerance &&
           std::abs(size.width() - turned.size.width()) <= 2.0 * kPixelTolerance &&
           std::abs(size.height() - turned.size.height()) <= 2.0 * kPixelTolerance;
}

TurnedFigureCache::Turned TurnedFigureCache::make(ChartCanvas& canvas, const QTransform& local,
                                                  const QRectF& rect, const QImage& image,
                                                  std::span<const QRect> tiles, double angle)
{
    // The picture covers the turned rectangle's bounds on whole pixels, with
    // a pixel to spare for the smoothed edge.
    const QRectF chartBounds = local.mapRect(rect);
    const double left = std::floor(chartBounds.left()) - 1.0;
    const double bottom = std::floor(chartBounds.top()) - 1.0;
    const int width = int(std::ceil(chartBounds.right()) - left) + 1;
    const int height = int(std::ceil(chartBounds.bottom()) - bottom) + 1;
    Turned turned;
    turned.isUsed = true;
    turned.sourceKey = image.cacheKey();
    turned.angle = angle;
    turned.size = rect.size();
    turned.offset = QPointF(left, bottom) - local.map(rect.center());
    turned.picture = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    turned.picture.fill(Qt::transparent);
    QPainter painter(&turned.picture);
    painter.setRenderHints(canvas.painter().renderHints());
    // The picture's own chart: its lower-left corner at (left, bottom).
    painter.translate(-left, 0.0);
    ChartCanvas pictureCanvas(painter, height + bottom);
    pictureCanvas.drawImage(local, rect, image, tiles);
    return turned;
}
