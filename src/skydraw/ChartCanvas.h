#pragma once

#include "skydraw/SpriteSource.h"

#include <QLineF>
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QTransform>

#include <cmath>
#include <span>
#include <vector>

class PixelTarget;
class QImage;
class QPainterPath;
class QStaticText;
class SubPixelSprites;
struct AlphaMap;

// A painter on the chart's own coordinates: points with the origin at the
// bottom left and y upward, as the projection gives them, over a device
// whose y runs downward. Shapes are flipped whole; images and labels are
// placed by their lower-left corner and stay upright.
class ChartCanvas {
public:
    // `height` is the height of the chart area in its own points. The
    // painter's transform at this moment maps device points onto its device
    // and is kept under everything drawn.
    ChartCanvas(QPainter& painter, double height);
    ~ChartCanvas();
    ChartCanvas(const ChartCanvas&) = delete;
    ChartCanvas& operator=(const ChartCanvas&) = delete;

    QPainter& painter() { return m_painter; }
    double height() const { return m_height; }
    QPointF toDevice(QPointF chartPoint) const { return {chartPoint.x(), m_height - chartPoint.y()}; }
    // The painter's transform that draws in chart coordinates, for layers
    // that clip or turn with the painter itself.
    const QTransform& chartTransform() const { return m_chart; }
    // Whether a chart point is one device pixel, whole points falling on
    // whole pixels (no scaling for printing or a high-density screen).
    bool isPixelForPoint() const { return m_isPixelForPoint; }

    // Where a point is a pixel, tall rectangles, strokes and scaled images
    // are drawn in bands of whole rows: the painter hands a drawing of many
    // rows to helper threads and waits for them, which costs more than the
    // drawing on a busy or single core. Every pixel comes out as drawn whole.
    static constexpr int kBandRows = 30;
    // A smoothed pen lays several pieces of a row.
    static constexpr int kStrokeBandRows = 12;
    static constexpr int kMostBandedStroke = 256;

    // Shapes in chart coordinates.
    void fillRect(const QRectF& rect, const QBrush& brush);
    void fillPath(const QPainterPath& path, const QBrush& brush);
    void strokePath(const QPainterPath& path, const QPen& pen);
    // Separate straight segments: the painter's quickest way to many lines.
    void drawLines(std::span<const QLineF> lines, const QPen& pen);
    // For a frame of a moving sky: lines drawn by drawLines() are not
    // anti-aliased, and where the canvas is pixel for point those one or two
    // pixels wide go straight into its pixels (their pixels stay within a
    // pixel of the painter's, for a fraction of its stroking).
    void setQuickLines(bool on) { m_isQuickLines = on; }
    void setAntialiasing(bool on) { m_painter.setRenderHint(QPainter::Antialiasing, on); }

    // Small images placed between pixels, with the resampled copies kept in
    // `sprites` (which must outlive the canvas); without, they are placed on
    // whole pixels.
    void useSprites(SubPixelSprites& sprites) { m_sprites = &sprites; }
    // The whole image at its own size, lower-left corner at the point, with
    // the given opacity.
    void drawImage(QPointF lowerLeft, const QImage& image, double opacity = 1.0);
    // Many small images, each whole at its own size, lower-left corner at
    // its point, in order, placed as drawImage() places them; an entry
    // without an image draws nothing.
    struct Sprite {
        QPointF lowerLeft;
        const QImage* image;
    };
    void drawSprites(std::span<const Sprite> sprites);
    // The whole image at its own size on whole device pixels, lower-left
    // corner at the pixel corner nearest the point: for large pictures that
    // half a pixel does not spoil.
    void drawImageOnPixels(QPointF lowerLeft, const QImage& image);
    // The same with `shade` laid over the image's own pixels first (source
    // atop), in one pass where the canvas can blend straight into its
    // pixels; false, with nothing drawn, where it cannot.
    bool drawShadedImageOnPixels(QPointF lowerLeft, const QImage& image, const QColor& shade);
    // The whole image scaled into the rectangle.
    void drawImage(const QRectF& rect, const QImage& image);
    // The image scaled into `rect` of the local system that `local` maps
    // into chart coordinates (y upward there too): only its parts `tiles`
    // (image pixels, first row at the top), which must not overlap. Where
    // the canvas samples the pixels itself, it reads them from `alpha`, the
    // image's alpha map, when given.
    void drawImage(const QTransform& local, const QRectF& rect, const QImage& image, std::span<const QRect> tiles,
                   const AlphaMap* alpha = nullptr);
    // A label laid out beforehand, lower-left corner at the point, in the
    // painter's current font and pen; `textHeight` is the font's ascent plus
    // descent.
    void drawLabel(QPointF lowerLeft, const QStaticText& text, double textHeight);

private:
    // Draws once per band of `rows` rows of `bounds` (painter coordinates as
    // they are), each under a clip to its band.
    template <class Draw>
    void inBands(const QRect& bounds, int rows, Draw draw);
    void useChartSpace();
    // The turned parts in m_parts, from the image or its alpha map.
    template <class Pixels>
    void blendParts(const PixelTarget& target, const QTransform& toPainter, const Pixels& pixels) const;
    void useDeviceSpace();
    // Where a sprite's top-left corner goes, in device space.
    // The device lines of drawLines() in one go, where it can; false, with
    // nothing drawn, where it cannot.
    bool drawQuickLines(const QPen& pen);
    QPointF spriteTopLeft(QPointF lowerLeft, int height) const
    {
        return {lowerLeft.x(), m_height - lowerLeft.y() - height};
    }
    // The same on whole pixels: the pixel corner nearest the point.
    QPointF pixelTopLeft(QPointF lowerLeft, int height) const
    {
        return {std::floor(lowerLeft.x() + 0.5), m_height - std::floor(lowerLeft.y() + 0.5) - height};
    }

    QPainter& m_painter;
    double m_height;
    QTransform m_device;
    QTransform m_chart;
    bool m_isChartSpace = false;
    bool m_isPixelForPoint = false;
    bool m_isQuickLines = false;
    SubPixelSprites* m_sprites = nullptr;
    SpriteSources m_spriteSources;
    std::vector<QLineF> m_deviceLines;
    std::vector<QRect> m_parts;
};
