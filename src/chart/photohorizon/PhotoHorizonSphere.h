#pragma once

#include <cstdint>
#include <vector>

// One corner of a panorama triangle: frame-buffer pixels (x to the right, y
// down from the chart's top row), the cosine of its angle from the view
// centre, and the panorama position (u from azimuth 0 at the left edge, v
// from the zenith at the top row, both 0 to 1).
struct SphereVertex {
    float x;
    float y;
    float depth;
    float u;
    float v;
};

// The sphere the panorama is wrapped on, in quads of 10° of altitude and of
// azimuth, placed with the chart's own stereographic projection so that the
// rendered photograph lies exactly over the chart.
class PhotoHorizonSphere {
public:
    static constexpr int kStepDeg = 10;
    static constexpr std::uint16_t kNumBands = 6;

    // The part of the sphere an altitude band keeps, in degrees from the
    // zenith, [start, end): band b keeps altitudes within ±(90 − 15b)°; band
    // 0 and any band above 5 the whole sphere.
    struct Latitudes {
        int start;
        int end;
    };
    static Latitudes latitudes(std::uint16_t band);

    // The view azimuth (radians) brought into [0, 2π) by one step of 2π, as
    // far as one step reaches; the view altitude (radians) held to ±π/2.
    static double wrapAzimuth(double azimuth);
    static double clampAltitude(double altitude);

    // The triangles of every quad of the band that reaches the half of the
    // sphere facing the viewer (the rest cannot show), for a frame of
    // `width` × `height` pixels centred on the view (azimuth, altitude in
    // radians, `radius` the chart's scale). The renderer clips them at depth 0.
    static std::vector<SphereVertex> triangles(double radius, double azimuth, double altitude,
                                               std::uint16_t band, int width, int height);
};
