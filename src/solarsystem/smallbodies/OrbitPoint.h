#pragma once

// A body's place in its orbit: true anomaly v (radians) and distance from
// the Sun r (AU).
struct OrbitPoint {
    double trueAnomaly = 0.0;
    double radius = 0.0;
};
