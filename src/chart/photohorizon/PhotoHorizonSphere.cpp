#include "chart/photohorizon/PhotoHorizonSphere.h"

#include "model/Angles.h"
#include "model/projection/HorizonVector.h"
#include "model/projection/StereographicProjection.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kColumns = 360 / PhotoHorizonSphere::kStepDeg + 1;  // azimuth 0° … 360°
constexpr int kBandStepDeg = 15;

// The horizon-frame direction of a sphere point `zenithDeg` from the zenith
// at azimuth `azimuthDeg`.
HorizonVector direction(int zenithDeg, int azimuthDeg)
{
    const double phi = (zenithDeg - 90) * Angles::kDegToRad;  // minus the altitude
    const double lambda = azimuthDeg * Angles::kDegToRad;
    const double north = std::cos(phi) * std::cos(lambda);
    const double east = std::cos(phi) * std::sin(lambda);
    return {-north, -east, std::sin(phi)};
}

}  // namespace

PhotoHorizonSphere::Latitudes PhotoHorizonSphere::latitudes(std::uint16_t band)
{
    if (band == 0 || band >= kNumBands)
        return {0, 180};
    return {kBandStepDeg * band, 180 - kBandStepDeg * band};
}

double PhotoHorizonSphere::wrapAzimuth(double azimuth)
{
    if (azimuth >= Angles::kTwoPi)
        return azimuth - Angles::kTwoPi;
    if (azimuth < 0.0)
        return azimuth + Angles::kTwoPi;
    return azimuth;
}

double PhotoHorizonSphere::clampAltitude(double altitude)
{
    return std::clamp(altitude, -Angles::kPi / 2.0, Angles::kPi / 2.0);
}

std::vector<SphereVertex> PhotoHorizonSphere::triangles(double radius, double azimuth, double altitude,
                                                        std::uint16_t band, int width, int height)
{
    const StereographicProjection projection(width / 2.0, height / 2.0, radius, clampAltitude(altitude),
                                             wrapAzimuth(azimuth));
    const Latitudes range = latitudes(band);
    struct Corner {
        HorizonVector h;
        double depth;
    };
    auto corner = [&](int zenithDeg, int azimuthDeg) {
        const HorizonVector h = direction(zenithDeg, azimuthDeg);
        return Corner{h, projection.depth(h)};
    };
    auto vertex = [&](const Corner& c, int zenithDeg, int azimuthDeg) {
        // Only corners of quads that reach the facing half get here: a quad
        // is at most 15° across, so their depth stays far above -1.
        const FloatPoint p = projection.chartPoint(c.h, c.depth);
        return SphereVertex{p.x, float(height - double(p.y)), float(c.depth), float(azimuthDeg / 360.0),
                            float(zenithDeg / 180.0)};
    };

    std::vector<SphereVertex> out;
    std::array<Corner, kColumns> upper{};
    std::array<Corner, kColumns> lower{};
    for (int c = 0; c < kColumns; ++c)
        upper[std::size_t(c)] = corner(range.start, c * kStepDeg);
    for (int top = range.start; top < range.end; top += kStepDeg) {
        const int bottom = top + kStepDeg;
        for (int c = 0; c < kColumns; ++c)
            lower[std::size_t(c)] = corner(bottom, c * kStepDeg);
        for (int c = 0; c + 1 < kColumns; ++c) {
            const Corner& a = upper[std::size_t(c)];
            const Corner& b = upper[std::size_t(c + 1)];
            const Corner& d = lower[std::size_t(c)];
            const Corner& e = lower[std::size_t(c + 1)];
            if (std::max({a.depth, b.depth, d.depth, e.depth}) < 0.0)
                continue;
            const int left = c * kStepDeg;
            const int right = left + kStepDeg;
            const SphereVertex va = vertex(a, top, left), vb = vertex(b, top, right);
            const SphereVertex vd = vertex(d, bottom, left), ve = vertex(e, bottom, right);
            out.insert(out.end(), {va, vb, vd, vb, ve, vd});
        }
        upper = lower;
    }
    return out;
}
