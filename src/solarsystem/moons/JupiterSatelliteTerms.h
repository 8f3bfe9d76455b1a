#pragma once

#include <array>
#include <cstdint>
#include <span>

// Periodic terms of the Galilean satellites (Lieske's theory E5 as given in
// Meeus, Astronomical Algorithms, ch. 44), generated into
// JupiterSatelliteTerms.cpp by tools/make_moon_tables.py.
namespace JupiterSatelliteTerms {

// The angles a term's argument combines, all in degrees; index k - 1 of
// satellite k (Io 1 ... Callisto 4).
enum Argument : std::uint8_t {
    kMeanLongitude1, kMeanLongitude2, kMeanLongitude3, kMeanLongitude4,   // l1..l4
    kTrueLongitude1, kTrueLongitude2, kTrueLongitude3, kTrueLongitude4,   // L1..L4 = l + sum
    kPerijove1, kPerijove2, kPerijove3, kPerijove4,                       // pi1..pi4
    kNode1, kNode2, kNode3, kNode4,                                       // omega1..omega4
    kLongitudeSum1, kLongitudeSum2, kLongitudeSum3,                       // Sigma1..Sigma3
    kJupiterPerihelion,                                                   // Pi
    kJupiterAnomaly,                                                      // G, with Gamma
    kSaturnAnomaly,                                                       // G'
    kLibration,                                                           // Phi lambda
    kEquatorNode,                                                         // psi
    kArgumentCount
};

// coefficient x sin or cos(constant + sum of multiplier[k] x angle[argument[k]]);
// unused slots have multiplier 0.
struct Term {
    double coefficient;
    double constantDegrees;
    std::array<Argument, 4> argument;
    std::array<double, 4> multiplier;
};

// satellite 0 (Io) .. 3 (Callisto).
// Longitude: sine terms in degrees added to the mean longitude.
std::span<const Term> longitude(int satellite);
// Latitude: sine terms whose sum is the tangent of the latitude.
std::span<const Term> latitude(int satellite);
// Radius: cosine terms, the fraction by which the radius vector departs from a.
std::span<const Term> radius(int satellite);

}  // namespace JupiterSatelliteTerms
