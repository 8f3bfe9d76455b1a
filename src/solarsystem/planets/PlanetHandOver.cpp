#include "solarsystem/planets/PlanetHandOver.h"

#include "model/Angles.h"
#include "solarsystem/planets/Nutation.h"
#include "solarsystem/planets/VSOP87Tables.h"

#include <cmath>
#include <numbers>

PlanetHandOver PlanetHandOver::at(double tau, bool shortened)
{
    PlanetHandOver h;
    h.pT = 10.0 * tau;
    const Nutation nutation = Nutation::at(h.pT);
    h.pNutLong = nutation.longitude;
    h.pNutObl = nutation.obliquity;
    h.pOE = Obliquity::mean(h.pT) + h.pNutObl;
    h.pCO = std::cos(h.pOE);
    h.pSO = std::sin(h.pOE);

    const VSOP87Body& earth = VSOP87Tables::planet(VSOP87Planet::Earth);
    h.pLe = shortened ? earth.leadingLongitude(tau) : earth.longitude(tau);
    h.pecc = 0.016708634 - 0.000042037 * h.pT - 0.0000001267 * h.pT * h.pT;
    h.plp = (102.93735 + 1.71946 * h.pT + 0.00046 * h.pT * h.pT) * Angles::kDegree;
    h.abbK = 20.49552 * Angles::kArcsecond;
    if (shortened)
        return h;
    const double B = earth.latitude(tau);
    const double R = earth.radius(tau);
    h.pRe = R;
    h.pRCC = R * std::cos(B) * std::cos(h.pLe);
    h.pRCS = R * std::cos(B) * std::sin(h.pLe);
    h.pRS = R * std::sin(B);
    h.pLsun = Angles::wrapTwoPi(h.pLe + std::numbers::pi);
    h.pBsun = -B;
    h.pRsun = R;
    return h;
}
