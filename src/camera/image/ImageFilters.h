#pragma once

#include <QImage>
#include <QPoint>

#include <cstdint>
#include <span>

// Per-pixel operations on 32-bit images (QImage::Format_RGB32 or
// ARGB32_Premultiplied, one quint32 per pixel), shared by every camera's
// frame processing. Each works in place on its first image and allocates
// nothing, so a frame chain runs without touching the heap. Images given
// together must have the same size unless a position is given.
namespace ImageFilters {

// |image - background| per colour channel (a difference blend): subtracts a dark frame.
void difference(QImage& image, const QImage& background);

// image + each of `others`, per colour channel, clamped at 255 (addition
// compositing): sums a stack of frames; up to eight others are added.
void addition(QImage& image, std::span<const QImage* const> others);

// The brighter of the two per colour channel (a lighten blend), `overlay`
// placed with its top-left corner at `at` in `image` and clipped to it. A
// premultiplied overlay's transparent pixels leave the image as it was.
void lighten(QImage& image, const QImage& overlay, QPoint at);

// Copies the grey level (Rec. 709 luminance, black 0 to white 255) of every
// pixel, rows from the top, into `grey`, which holds width x height bytes.
void grey(const QImage& image, std::span<std::uint8_t> grey);

// Copies `source` (any 32-bit format, rows read through its own bytesPerLine)
// into `target`, which has the same size: a padded row never skews the copy.
void copyRows(const QImage& source, QImage& target);

}  // namespace ImageFilters
