#pragma once

#include "focus/FocusPixels.h"

#include <QPoint>
#include <QPointF>
#include <QRect>

#include <functional>

// The size of the brightest star of a focus image, as a half-flux radius.
// The star is sought in a square box around the brightest pixel, moved
// inside the frame; pixels above a threshold just over twice the box mean
// count, weighted by their excess, and the radius is the one that encloses
// half their summed excess around the weighted centroid.
struct StarSize {
    float halfFluxRadius = 0.0f;  // pixels; 0 when no pixel stood out
    double starArea = 0.0;        // square pixels, pi r^2
    QPoint brightest;             // frame pixel of the first largest value
    QRect box;                    // frame pixels the star was measured in
    QPointF centroid;             // frame pixels, after the half-pixel shift
};

// How a focuser family sizes the box and the search.
struct StarBoxRule {
    int boxSize = 30;  // pixels along each side
    // The largest radius tried, given the centroid in box pixels.
    std::function<int(QPointF centroidInBox)> largestRadius;
};

class StarMeasure {
public:
    static constexpr int kLargestRadius = 14;
    static constexpr double kThresholdFraction = 0.015;

    // Radius and area stay 0 for a frame smaller than the box or shorter
    // than its size promises, and for a frame with no pixel above the
    // threshold.
    static StarSize measure(const FocusPixels& image, const StarBoxRule& rule = {});
};
