#include "skydraw/ChartCanvas.h"

#include "skydraw/AlphaMap.h"
#include "skydraw/PixelTarget.h"
#include "skydraw/SubPixelSprites.h"

#include <QImage>
#include <QPainterPath>
#include <QStaticText>

#include <algorithm>
#include <cmath>
#include <optional>

ChartCanvas::ChartCanvas(QPainter& painter, double height)
    : m_painter(painter),
      m_height(height),
      m_device(painter.worldTransform()),
      m_chart(QTransform(1.0, 0.0, 0.0, -1.0, 0.0, height) * m_device)
{
    const QTransform device = painter.deviceTransform();
    m_isPixelForPoint = device.type() <= QTransform::TxTranslate && device.dx() == std::floor(device.dx()) &&
                        device.dy() == std::floor(device.dy()) && height == std::floor(height);
}

ChartCanvas::~ChartCanvas() { m_painter.setWorldTransform(m_device); }

void ChartCanvas::useChartSpace()
{
    if (!m_isChartSpace) {
        m_painter.setWorldTransform(m_chart);
        m_isChartSpace = true;
    }
}

void ChartCanvas::useDeviceSpace()
{
    if (m_isChartSpace) {
        m_painter.setWorldTransform(m_device);
        m_isChartSpace = false;
    }
}

template <class Draw>
void ChartCanvas::inBands(const QRect& bounds, int rows, Draw draw)
{
    if (!m_isPixelForPoint || bounds.height() <= rows) {
        draw();
        return;
    }
    for (int top = bounds.top(); top <= bounds.bottom(); top += rows) {
        m_painter.save();
        m_painter.setClipRect(QRect(bounds.left(), top, bounds.width(), rows), Qt::IntersectClip);
        draw();
        m_painter.restore();
    }
}

void ChartCanvas::fillRect(const QRectF& rect, const QBrush& brush)
{
    useChartSpace();
    const QRectF r = rect.normalized();
    if (!m_isPixelForPoint || r.height() <= kBandRows) {
        m_painter.fillRect(r, brush);
        return;
    }
    // Bands cut on whole rows cover each pixel as the whole rectangle does,
    // with no clip to set for each.
    double bottom = r.top();
    while (bottom < r.bottom()) {
        const double cut = std::min(r.bottom(), (std::floor(bottom / kBandRows) + 1.0) * kBandRows);
        m_painter.fillRect(QRectF(r.left(), bottom, r.width(), cut - bottom), brush);
        bottom = cut;
    }
}

void ChartCanvas::fillPath(const QPainterPath& path, const QBrush& brush)
{
    useChartSpace();
    m_painter.fillPath(path, brush);
}

void ChartCanvas::strokePath(const QPainterPath& path, const QPen& pen)
{
    useChartSpace();
    // The pen's reach beyond the path, a pixel of smoothing and one to spare.
    const double reach = std::ceil(pen.widthF() / 2.0) + 2.0;
    const QRect bounds = path.controlPointRect().adjusted(-reach, -reach, reach, reach).toAlignedRect();
    // A long line across the chart is stroked once: band by band it would
    // be stroked whole for every band.
    if (bounds.height() > kMostBandedStroke)
        m_painter.strokePath(path, pen);
    else
        inBands(bounds, kStrokeBandRows, [&] { m_painter.strokePath(path, pen); });
}

void ChartCanvas::drawLines(std::span<const QLineF> lines, const QPen& pen)
{
    if (lines.empty())
        return;
    // Flipped here rather than by the painter: without a scaling transform
    // the painter draws thin lines on its fastest path.
    m_deviceLines.clear();
    for (const QLineF& line : lines)
        m_deviceLines.emplace_back(toDevice(line.p1()), toDevice(line.p2()));
    useDeviceSpace();
    if (m_isQuickLines && drawQuickLines(pen))
        return;
    if (m_isPixelForPoint) {
        // Where a point is a pixel a cosmetic pen draws the same pixels,
        // sooner.
        QPen cosmetic = pen;
        cosmetic.setCosmetic(true);
        m_painter.setPen(cosmetic);
    } else {
        m_painter.setPen(pen);
    }
    const bool wasAntialiased = m_painter.testRenderHint(QPainter::Antialiasing);
    const bool isQuick = m_isQuickLines && pen.widthF() > 1.0;
    if (isQuick)
        m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.drawLines(m_deviceLines.data(), int(m_deviceLines.size()));
    if (isQuick)
        m_painter.setRenderHint(QPainter::Antialiasing, wasAntialiased);
}

bool ChartCanvas::drawQuickLines(const QPen& pen)
{
    const double width = pen.widthF();
    if (!m_isPixelForPoint || pen.style() != Qt::SolidLine || pen.brush().style() != Qt::SolidPattern
        || !(width <= 1.0 || width == 2.0))
        return false;
    const std::optional<PixelTarget> target = PixelTarget::of(m_painter);
    if (!target)
        return false;
    // The painter fills with the colour premultiplied at 16 bits, then taken
    // to 8.
    target->drawLines(m_deviceLines, qPremultiply(pen.color().rgba64()).toArgb32(), width <= 1.0 ? 1 : 2);
    return true;
}

void ChartCanvas::drawImage(QPointF lowerLeft, const QImage& image, double opacity)
{
    if (image.isNull())
        return;
    useDeviceSpace();
    const double before = m_painter.opacity();
    if (opacity < 1.0)
        m_painter.setOpacity(before * opacity);
    const QPointF topLeft = spriteTopLeft(lowerLeft, image.height());
    if (!m_isPixelForPoint) {
        // Printed or on a dense screen: the painter scales it anyway.
        m_painter.drawImage(topLeft, image);
    } else if (m_sprites != nullptr) {
        const SubPixelSprites::Placement at = SubPixelSprites::place(topLeft);
        m_painter.drawImage(at.pixel, m_sprites->shifted(image, at.stepX, at.stepY));
    } else {
        // On whole pixels, so that a sprite keeps its sharp shape.
        drawImageOnPixels(lowerLeft, image);
    }
    if (opacity < 1.0)
        m_painter.setOpacity(before);
}

void ChartCanvas::drawSprites(std::span<const Sprite> sprites)
{
    if (sprites.empty())
        return;
    useDeviceSpace();
    const std::optional<PixelTarget> target = m_isPixelForPoint ? PixelTarget::of(m_painter) : std::nullopt;
    if (!target) {
        for (const Sprite& sprite : sprites) {
            if (sprite.image != nullptr)
                drawImage(sprite.lowerLeft, *sprite.image);
        }
        return;
    }
    m_spriteSources.clear();
    // How many sprites ahead their pixels are fetched: enough to cover the
    // wait on memory, few enough that they are still there when blended.
    constexpr std::size_t kAhead = 8;
    for (std::size_t i = 0; i < sprites.size(); ++i) {
        if (i + kAhead < sprites.size() && sprites[i + kAhead].image != nullptr) {
            // A shifted copy is a pixel larger than its image.
            const Sprite& next = sprites[i + kAhead];
            const ImagePixels& pixels = m_spriteSources.of(*next.image).pixels;
            const QPointF topLeft = spriteTopLeft(next.lowerLeft, pixels.height);
            target->prefetch(QRect(int(std::floor(topLeft.x())), int(std::floor(topLeft.y())), pixels.width + 1,
                                   pixels.height + 1));
        }
        const Sprite& sprite = sprites[i];
        if (sprite.image == nullptr)
            continue;
        const SpriteSource& source = m_spriteSources.of(*sprite.image);
        if (source.pixels.bits == nullptr)
            continue;
        if (m_sprites != nullptr) {
            const SubPixelSprites::Placement at =
                SubPixelSprites::place(spriteTopLeft(sprite.lowerLeft, source.pixels.height));
            target->blend(at.pixel, m_sprites->shiftedPixels(source, at.stepX, at.stepY));
        } else if (source.isPremultiplied) {
            // Whole pixels where the canvas is pixel for point: exact.
            target->blend(pixelTopLeft(sprite.lowerLeft, source.pixels.height).toPoint(), source.pixels);
        } else {
            drawImage(sprite.lowerLeft, *sprite.image);
        }
    }
}

void ChartCanvas::drawImageOnPixels(QPointF lowerLeft, const QImage& image)
{
    if (image.isNull())
        return;
    useDeviceSpace();
    // On whole pixels smoothing changes nothing, but with it on the painter
    // takes its general texture fill, which hands a tall image to helper
    // threads and waits for them, instead of its direct blend.
    const bool wasSmooth = m_painter.testRenderHint(QPainter::SmoothPixmapTransform);
    if (wasSmooth)
        m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter.drawImage(pixelTopLeft(lowerLeft, image.height()), image);
    if (wasSmooth)
        m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

bool ChartCanvas::drawShadedImageOnPixels(QPointF lowerLeft, const QImage& image, const QColor& shade)
{
    if (!m_isPixelForPoint || image.format() != QImage::Format_ARGB32_Premultiplied)
        return false;
    useDeviceSpace();
    const std::optional<PixelTarget> target = PixelTarget::of(m_painter);
    if (!target)
        return false;
    // The painter fills with the colour premultiplied at 16 bits, then taken
    // to 8.
    const QRgb premultiplied = qPremultiply(shade.rgba64()).toArgb32();
    target->blendShaded(pixelTopLeft(lowerLeft, image.height()).toPoint(), image, premultiplied);
    return true;
}

void ChartCanvas::drawImage(const QRectF& rect, const QImage& image)
{
    if (image.isNull())
        return;
    useDeviceSpace();
    const QRectF target(rect.x(), m_height - rect.y() - rect.height(), rect.width(), rect.height());
    inBands(target.toAlignedRect().adjusted(-1, -1, 1, 1), kBandRows, [&] { m_painter.drawImage(target, image); });
}

void ChartCanvas::drawImage(const QTransform& local, const QRectF& rect, const QImage& image,
                            std::span<const QRect> tiles, const AlphaMap* alpha)
{
    if (image.isNull() || tiles.empty())
        return;
    // The image's first row is its top: turn the rectangle upside down in
    // place so that, once flipped onto the device, the picture is upright.
    const QTransform upright = QTransform(1.0, 0.0, 0.0, -1.0, 0.0, 2.0 * rect.y() + rect.height());
    const double kx = rect.width() / image.width();
    const double ky = rect.height() / image.height();
    if (m_isPixelForPoint && !m_painter.testRenderHint(QPainter::SmoothPixmapTransform) &&
        image.format() == QImage::Format_ARGB32_Premultiplied) {
        // Unsmoothed, the painter's general turned fill costs several times
        // sampling the pixels here.
        useDeviceSpace();
        if (const std::optional<PixelTarget> target = PixelTarget::of(m_painter)) {
            const QTransform toPainter = QTransform(kx, 0.0, 0.0, ky, rect.x(), rect.y()) * upright * local *
                                         QTransform(1.0, 0.0, 0.0, -1.0, 0.0, m_height);
            // Tiles side by side in a row blend as one part: fewer rows to
            // set up.
            m_parts.clear();
            for (const QRect& tile : tiles) {
                QRect* last = m_parts.empty() ? nullptr : &m_parts.back();
                if (last != nullptr && last->top() == tile.top() && last->height() == tile.height()
                    && last->right() + 1 == tile.left())
                    last->setRight(tile.right());
                else
                    m_parts.push_back(tile);
            }
            if (alpha != nullptr && alpha->alpha.size() == image.size())
                blendParts(*target, toPainter, *alpha);
            else
                blendParts(*target, toPainter, image);
            return;
        }
    }
    m_painter.setWorldTransform(upright * local * m_chart);
    m_isChartSpace = false;
    // Tiles meet edge to edge: with anti-aliased edges their seams would show.
    const bool wasAntialiased = m_painter.testRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    for (const QRect& tile : tiles) {
        const QRectF target(rect.x() + tile.x() * kx, rect.y() + tile.y() * ky, tile.width() * kx,
                            tile.height() * ky);
        m_painter.drawImage(target, image, QRectF(tile));
    }
    m_painter.setRenderHint(QPainter::Antialiasing, wasAntialiased);
    useChartSpace();
}

template <class Pixels>
void ChartCanvas::blendParts(const PixelTarget& target, const QTransform& toPainter, const Pixels& pixels) const
{
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        // The next part's pixels are fetched while this one blends.
        if (i + 1 < m_parts.size())
            target.prefetchTurned(toPainter, pixels, m_parts[i + 1]);
        target.blendTurned(toPainter, pixels, m_parts[i]);
    }
}

void ChartCanvas::drawLabel(QPointF lowerLeft, const QStaticText& text, double textHeight)
{
    useDeviceSpace();
    m_painter.drawStaticText(QPointF(lowerLeft.x(), m_height - lowerLeft.y() - textHeight), text);
}
