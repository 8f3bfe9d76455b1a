#pragma once

#include <QLineF>
#include <QPoint>
#include <QtGlobal>
#include <QRect>
#include <QRgb>
#include <QTransform>

#include <optional>
#include <span>

class QImage;
class QPainter;
struct AlphaMap;
struct ImagePixels;

// The pixels under a painter, for blending many small images without a
// painter call each: only where the painter draws straight onto a 32-bit
// image in memory (a widget's backing store or an image) one pixel per
// point, over plain source-over with no clip but a rectangular system one.
class PixelTarget {
public:
    // None where the painter's device or state does not allow it.
    static std::optional<PixelTarget> of(QPainter& painter);

    // Blends a premultiplied 32-bit image over the pixels, its top-left
    // corner at `topLeft` in the painter's coordinates as they are now, as
    // the painter would (source over).
    void blend(QPoint topLeft, const QImage& image) const;
    void blend(QPoint topLeft, const ImagePixels& image) const;
    // The same after laying the premultiplied colour `shade` over the
    // image's own pixels (source atop, as the painter fills), in one pass
    // and without a shaded copy of the image.
    void blendShaded(QPoint topLeft, const QImage& image, QRgb shade) const;
    // Blends the part `source` (image pixels) of a premultiplied 32-bit
    // image, mapped into the painter's coordinates by `toPainter` (which
    // may turn and scale), sampling the nearest image pixel at each pixel
    // centre as the painter does without smooth transforms.
    void blendTurned(const QTransform& toPainter, const QImage& image, const QRect& source) const;
    // The same from the image's alpha map: the same pixels, a quarter of
    // the memory read.
    void blendTurned(const QTransform& toPainter, const AlphaMap& map, const QRect& source) const;
    // Asks for the image pixels and chart pixels of such a part ahead of
    // its blend: the parts of a large picture lie scattered in memory.
    void prefetchTurned(const QTransform& toPainter, const QImage& image, const QRect& source) const;
    void prefetchTurned(const QTransform& toPainter, const AlphaMap& map, const QRect& source) const;
    // Asks the processor to fetch the pixels of `rect` (painter
    // coordinates) ahead of a blend there: scattered small images otherwise
    // wait on memory for most of their time.
    void prefetch(const QRect& rect) const;
    // Separate lines one or two pixels wide in one premultiplied colour, on
    // whole pixels and unsmoothed, for a frame of a moving sky: every pixel
    // lies within a pixel of the painter's own drawing of them. The last
    // pixel of a line is left to the line that goes on from it.
    void drawLines(std::span<const QLineF> lines, QRgb premultiplied, int width) const;

private:
    template <class Source>
    void blendTurnedFrom(const QTransform& toPainter, const Source& from, const QRect& source) const;
    template <class Source>
    void prefetchTurnedFrom(const QTransform& toPainter, const Source& from, const QRect& source) const;

    PixelTarget(uchar* bits, qsizetype bytesPerLine, QPoint offset, QRect clip)
        : m_bits(bits), m_bytesPerLine(bytesPerLine), m_offset(offset), m_clip(clip)
    {
    }

    uchar* m_bits;
    qsizetype m_bytesPerLine;
    QPoint m_offset;  // painter coordinates to image pixels
    QRect m_clip;     // in image pixels
};
