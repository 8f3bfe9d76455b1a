#pragma once

#include "solarsystem/smallbodies/OrbitPlace.h"
#include "solarsystem/Vec3.h"

#include <QPointF>

#include <optional>

// How the solar-system plot looks at the heliocentric ecliptic: the Sun at
// (hOffset, vOffset) in view coordinates (y upward), the picture turned by
// `rotate` about the ecliptic pole and tilted by `angle` (radians; -pi/2
// looks down from the north side, 0 along the plane).
struct PlotView {
    double hOffset = 0.0;
    double vOffset = 0.0;
    double angle = 0.0;
    double rotate = 0.0;
};

namespace OrbitProjection {

// Every orbit is drawn from 72 points, 5 degrees of true anomaly apart.
inline constexpr int kPoints = 72;
inline constexpr double kStepDegrees = 5.0;

// True anomaly of point t, radians.
double trueAnomaly(int t);

// Distance p / (1 + e cos v) on a conic of semi-latus rectum p; none where
// 1 + e cos v <= 0, the part of an open orbit (e >= 1) beyond its asymptotes
// that the body never reaches.
std::optional<double> conicRadius(double p, double e, double trueAnomaly);

// Heliocentric ecliptic place (x toward the vernal point, z to the north
// pole; the unit of rho) of a body at true anomaly v and distance rho.
Vec3 ecliptic(double rho, double trueAnomaly, const OrbitPlace::Orientation& orbit);

// The view point of an ecliptic place in pixels. At tilt -pi/2 and rotation
// 0 the vernal point lies straight below the Sun and the planets run
// counter-clockwise.
QPointF toView(const PlotView& view, const Vec3& place);

}  // namespace OrbitProjection
