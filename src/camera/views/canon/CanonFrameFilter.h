#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>

#include <array>

// The Canon image view's picture work: the exposure and saturation filters,
// the 3:2 rule of live-view frames, the still image's zoom crop and the 8-bit
// grey focus image.
class CanonFrameFilter {
public:
    // `ev` in stops (each doubles the linear light); `saturation` 1 keeps
    // the colours, 0 makes grey.
    void setAdjustments(double ev, double saturation);
    // The frame through both filters, as 32-bit RGB.
    QImage apply(const QImage& source) const;

    // A frame narrower than 1.4:1 is used as 3:2: its width and width / 1.5.
    static QSizeF liveSize(QSize extent);
    // The part of a live frame shown and measured: its bottom rows when cut.
    static QRect liveRect(QSize extent);
    // The still image's source rectangle: all of it, or when `zoomed` the
    // central fifth (or, with `oneToOne`, a rectangle of the view's size)
    // centred on the image point under `click` and kept inside the image.
    // Coordinates from the top left.
    static QRectF stillRect(QSizeF extent, QSizeF view, QPointF click, bool zoomed, bool oneToOne);
    // One byte of luminance per pixel of `rect`, row after row from the top;
    // empty when the image cannot be read as 32-bit pixels.
    static QByteArray greyBuffer(const QImage& image, QRect rect);

private:
    double m_ev = 0;
    double m_saturation = 1;
    std::array<quint8, 256> m_evTable{};
};
