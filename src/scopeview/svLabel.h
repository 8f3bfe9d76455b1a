#pragma once

#include <QPointF>
#include <QString>

#include <cstdint>

// A label collected during a drawing pass of the telescope view, drawn upright
// after every layer (held in memory only).
struct svLabel {
    std::uint16_t kind = 0;    // the text attributes and placement rule, 0 to 9
    std::int16_t xOffset = 0;  // points added to x when drawn
    QPointF point;             // the anchor, already through the view transform
    QString text;
};
