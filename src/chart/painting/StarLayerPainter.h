#pragma once

#include "skydraw/ChartCanvas.h"
#include "skydraw/LabelCache.h"

#include <QPainterPath>

#include <vector>

class ChartImageSet;
class PrefControl;
struct ChartSky;
struct PrintMapping;
struct star;

// The star layer: every star on screen as its class's sprite in its colour
// (or a white dot without star anti-aliasing), with its find mark, flag and
// name; then the simulated star as a yellow square. On paper: black dots by
// the paper classes, the observing flags and the names.
class StarLayerPainter {
public:
    StarLayerPainter(const PrefControl& prefs, const ChartImageSet& images);

    // `markAlpha` is the find mark's opacity.
    void paint(ChartCanvas& canvas, const ChartSky& sky, float markAlpha);
    void print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping);

private:
    void paintSimStar(ChartCanvas& canvas, const star& simStar);
    // The lower-left corner of a star's sprite or dot of class `k`.
    static QPointF originOf(const star& s, int k);

    const PrefControl& m_prefs;
    const ChartImageSet& m_images;
    LabelCache m_labels;
    LabelCache m_printLabels;
    QPainterPath m_dots;
    std::vector<ChartCanvas::Sprite> m_sprites;
    // A star with a flag or a name to draw: where the flag (or the name
    // without one) goes, and the star whose name follows, if any.
    struct Labelled {
        QPointF at;
        const char* flag;
        const star* named;
    };
    std::vector<Labelled> m_labelled;
};
