#pragma once

#include <array>

// What the telescope view's disc painters read of the solar-system model
// beside the planet records: the Moon's size and phase, the inner planets'
// phases, Jupiter's central meridian and satellites, Saturn's ring angles
// and satellites. Angles in radians unless said; satellite places in the
// planet's equatorial radii, x to the west, y to the north.
struct SVDiscSky {
    double moonAD = 0.0;
    double moonHP = 0.0;
    double moonPhase = 0.0;  // illuminated percent, negative while waning
    double mercuryPhase = 0.0;
    double venusPhase = 0.0;

    double jupIIlong = 0.0;  // System II central meridian, degrees
    std::array<double, 4> jupiterSatX{};
    std::array<double, 4> jupiterSatY{};
    std::array<bool, 4> jupiterSatVis{};  // in front of the disc
    std::array<double, 4> jSatShadowX{};
    std::array<double, 4> jSatShadowY{};
    std::array<bool, 4> jSatShadowVis{};  // nearer the Sun than Jupiter

    double saturnP = 0.0;
    double saturnB = 0.0;
    double saturnBPrime = 0.0;
    double saturnLes = 0.0;
    std::array<double, 8> saturnSatX{};
    std::array<double, 8> saturnSatY{};
    std::array<bool, 8> saturnSatVis{};  // in front of the planet
};
