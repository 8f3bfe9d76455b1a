#include "solarsystem/planets/SaturnRing.h"

#include "model/Angles.h"

#include <cmath>

SaturnRing SaturnRing::compute(const ApparentPlace& apparent, const EclipticPlace& helio, const PlanetHandOver& h)
{
    using Angles::kDegree;
    const double T = h.pT;
    const double inc = (28.075216 - 0.012998 * T) * kDegree;
    const double node = (169.50847 + 1.394681 * T) * kDegree;
    SaturnRing ring;
    ring.B = std::asin(std::sin(inc) * std::cos(apparent.beta) * std::sin(apparent.lambda - node)
                       - std::cos(inc) * std::sin(apparent.beta));

    const double poleL = node - 90.0 * kDegree;
    const double poleB = 90.0 * kDegree - inc;
    const double poleRA = Angles::wrapTwoPi(
        std::atan2(h.pCO * std::sin(poleL) - std::tan(poleB) * h.pSO, std::cos(poleL)));
    const double poleDec = std::asin(std::sin(poleB) * h.pCO + std::cos(poleB) * h.pSO * std::sin(poleL));
    ring.P = std::atan2(std::cos(poleDec) * std::sin(poleRA - apparent.ra),
                        std::sin(poleDec) * std::cos(apparent.dec)
                            - std::cos(poleDec) * std::sin(apparent.dec) * std::cos(poleRA - apparent.ra));

    // The Sun's latitude on the ring plane, from Saturn's heliocentric place
    // corrected for the Sun's aberration as seen from Saturn.
    const double N = (113.6655 + 0.8771 * T) * kDegree;
    const double l = helio.longitude - 0.01759 * kDegree / helio.radius;
    const double b = helio.latitude - 0.000764 * kDegree * std::cos(helio.longitude - N) / helio.radius;
    ring.BPrime = std::asin(std::sin(inc) * std::cos(b) * std::sin(l - node) - std::cos(inc) * std::sin(b));
    return ring;
}
