#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>

#include <optional>

struct AllSkyFrame;

// How a delivered all-sky frame is shown in the 640 x 480 picture area:
// the display exposure, the enlargement of the binned and sub-frame modes
// and the date stamp laid on with a lighten blend.
namespace AllSkyPicture {

struct Placement {
    QSize bitmap;     // the frame's pixels, w x h
    QRectF source;    // the part of the processed picture drawn
    QPointF point;    // where it is drawn, origin at the area's bottom left
    bool isDoubled = false;
};

// The placement of a frame's mode; none for a mode the view does not know.
std::optional<Placement> placement(const AllSkyFrame& frame);

// The processed picture (32-bit RGB): grey levels scaled by 2^ev, doubled
// for the 2X2 and sub-frame modes, with `stamp` (a 640 x 480 layer whose
// bottom left meets the picture's) laid on when given. Null when the frame
// is incomplete or of an unknown mode.
QImage process(const AllSkyFrame& frame, float ev, const QImage* stamp);

}  // namespace AllSkyPicture
