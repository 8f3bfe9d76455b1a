#pragma once

#include "camera/sg4/SG4Image.h"

#include <QImage>
#include <QRect>

#include <optional>

// Where and how an SG-4 image is drawn in the 640 x 480 view: 1X1 as it is,
// Crop centred between 64-point bands, 2X2 magnified twice, and a sub-frame
// magnified twice and centred where it lies on the full frame, never
// starting left of or below the view's edge.
namespace SG4ImageDrawing {

constexpr int kViewWidth = 640;
constexpr int kViewHeight = 480;

// The rectangle the picture fills, in view coordinates with y down; none
// for a mode that is not drawn.
std::optional<QRect> targetFor(const SG4Image& image);

// The picture as 16-bit grey with the display exposure applied: each value
// times 2^ev, kept within 0..65535.
QImage exposed(const SG4Image& image, float ev);

// The sub-frame a drag from `press` to `current` (view points, y down)
// defines: the square's side (10 up to 127) and its top-left corner on the
// full frame, kept inside it.
struct SubFrame {
    int x;
    int y;   // top row, counted from the top edge
    int side;
};
// The side of the square while dragging, at most 127.
int dragSide(QPoint press, QPoint current);
// The square shown while dragging, view coordinates.
QRect dragRect(QPoint press, QPoint current);
SubFrame subFrameOf(QPoint press, QPoint current);

}  // namespace SG4ImageDrawing
