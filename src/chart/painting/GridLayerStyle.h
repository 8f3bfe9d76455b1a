#pragma once

#include "model/settings/TextAttributes.h"
#include "skydraw/PrintMapping.h"

#include <QColor>

// How the line layers draw on screen or on paper: the point mapping, the
// line widths, and the colours that paper turns black.
struct GridLayerStyle {
    PrintMapping mapping;     // the identity on screen
    bool isPaper = false;     // all black, no anti-aliasing changes
    double gridWidth = 1.0;   // grids of both frames
    double lineWidth = 2.0;   // ecliptic and equator

    // The colour of a line or label: its own on screen, black on paper.
    QColor color(const QColor& screenColor) const { return isPaper ? QColor(Qt::black) : screenColor; }
    TextAttributes labels(const TextAttributes& screen) const
    {
        return isPaper ? TextAttributes{screen.font, QColor(Qt::black)} : screen;
    }

    static GridLayerStyle screen() { return {}; }
    static GridLayerStyle paper(const PrintMapping& mapping) { return {mapping, true, 0.25, 1.0}; }
};
