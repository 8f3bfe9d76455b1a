#pragma once

#include "skydraw/LabelCache.h"

#include <QRectF>
#include <QString>

#include <optional>

class ChartCanvas;
class ChartImageSet;
class PrefControl;
struct ChartOverlayState;
struct ChartSky;

// The centre mark, flashed once when the finder centred the chart on a
// position, and the field-of-view outline: a camera lens's 3 : 2 frame, a
// binocular's or a fixed circle, or the telescope finder's circle, at its
// true size in the projection, translucent, with its label.
class FieldOutlinePainter {
public:
    struct Outline {
        QString label;
        double halfAngle;  // radians
        bool isLens;
    };

    FieldOutlinePainter(PrefControl& prefs, const ChartImageSet& images);

    // `rect` is the chart; the outline is placed by `state` and its drawn
    // rectangle written back there.
    void paint(ChartCanvas& canvas, const ChartSky& sky, const QRectF& rect, float markAlpha,
               ChartOverlayState& state);

    // The outline of an `outlines` value: the lenses 21–27, binoculars
    // 31–35, circles 41–47 and the finder's circle 48, this last only with
    // a current telescope whose finder is a circle. None for any other value.
    static std::optional<Outline> outline(int outlines, const PrefControl& prefs);

private:
    void paintOutline(ChartCanvas& canvas, const Outline& outline, double radius, const QRectF& rect,
                      ChartOverlayState& state);

    PrefControl& m_prefs;
    const ChartImageSet& m_images;
    LabelCache m_labels;
};
