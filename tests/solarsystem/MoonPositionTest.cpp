#include "solarsystem/moons/MoonPosition.h"

#include "solarsystem/SkyReference.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace {

using SkyReference::degrees;
using SkyReference::kDeg;

// With the time, nutation and obliquity the planetary pass hands to the Moon step.
MoonPosition::Geocentric placeAt(double jde)
{
    const PlanetHandOver h = SkyReference::handOverAt(jde);
    return MoonPosition::geocentric(h.pT, h.pNutLong, h.pCO, h.pSO);
}

// Meeus example 47.a, 1992 April 12 0h TD (JDE 2448724.5), with the book's
// nutation and obliquity. Right ascension and declination: the book converts
// its rounded values, so one unit of the last decimal.
TEST(MoonPosition, Example47a)
{
    const double nutation = 0.004610 * kDeg;
    const double obliquity = 23.440636 * kDeg;
    const MoonPosition::Geocentric place =
        MoonPosition::geocentric((2448724.5 - 2451545.0) / 36525.0, nutation, std::cos(obliquity), std::sin(obliquity));
    EXPECT_NEAR(degrees(place.longitude - nutation), 133.162655, 0.5e-6);
    EXPECT_NEAR(degrees(place.longitude), 133.167265, 0.5e-6);
    EXPECT_NEAR(degrees(place.latitude), -3.229126, 0.5e-6);
    EXPECT_NEAR(place.distanceKm, 368409.7, 0.05);
    EXPECT_NEAR(degrees(place.parallax), 0.991990, 0.5e-6);
    EXPECT_NEAR(degrees(place.rightAscension), 134.688470, 1e-6);
    EXPECT_NEAR(degrees(place.declination), 13.768368, 1e-6);
    // The Moon's diameter 3475.86 km and the Earth's equatorial radius 6378.14 km.
    EXPECT_NEAR(place.apparentDiameter * place.distanceKm, 3475.856, 0.001);
    EXPECT_NEAR(std::sin(place.parallax) * place.distanceKm, 6378.14, 0.001);
}

// Apparent geocentric places from PyEphem 4.1.4 (Debian python3-ephem), an
// independent lunar theory, at 60 instants from 1950 to 2050:
//   d = ephem.Date('1950/1/1') + i * (36524 / 59 + 0.2137), i = 0..59 (the last
//       one replaced by 1950/1/1 + 36524.5 days); m = ephem.Moon(d);
//   row = (d + 2415020 + ephem.delta_t(d) / 86400, degrees(m.g_ra), degrees(m.g_dec)):
// Julian day of dynamical time, apparent right ascension and declination of date, degrees.
struct ReferencePlace {
    double julianDay, rightAscension, declination;
};

constexpr std::array<ReferencePlace, 60> kPyEphemPlaces{{
    {2433282.500337, 58.451803, +24.152499}, {2433901.764893, 308.650159, -21.794347}, {2434521.029448, 180.332918, -4.767693},
    {2435140.294002, 60.334630, +23.467835}, {2435759.558556, 304.769884, -14.838093}, {2436378.823113, 180.150704, -2.672433},
    {2436998.087669, 63.449189, +16.165059}, {2437617.352225, 301.420685, -18.296903}, {2438236.616782, 187.063442, +2.491436},
    {2438855.881343, 55.923023, +18.173930}, {2439475.145907, 309.659655, -23.734436}, {2440094.410472, 177.388565, +2.440216},
    {2440713.675038, 62.516215, +26.163897}, {2441332.939606, 297.359997, -21.996827}, {2441952.204176, 182.607546, -6.582977},
    {2442571.468743, 51.723275, +19.432165}, {2443190.733311, 304.459293, -14.504919}, {2443809.997879, 174.658755, +2.108612},
    {2444429.262444, 61.131679, +15.607651}, {2445048.527007, 296.272847, -21.636609}, {2445667.791571, 182.592256, +4.440647},
    {2446287.056129, 52.832187, +20.146218}, {2446906.320686, 302.037590, -25.313804}, {2447525.585243, 176.093206, -0.209470},
    {2448144.849803, 53.704306, +24.236314}, {2448764.114365, 299.105160, -18.357364}, {2449383.378929, 173.499422, -2.177740},
    {2450002.643493, 57.031586, +17.101332}, {2450621.908054, 293.486992, -17.233800}, {2451241.172612, 180.080118, +3.381466},
    {2451860.437165, 49.238589, +13.780007}, {2452479.701717, 301.929744, -23.711518}, {2453098.966266, 170.707463, +8.564813},
    {2453718.230817, 55.528881, +23.482657}, {2454337.495370, 289.472018, -26.298877}, {2454956.759924, 176.525969, -2.935756},
    {2455576.024476, 43.292150, +20.490327}, {2456195.289029, 298.544850, -16.353828}, {2456814.553584, 167.148907, +1.928334},
    {2457433.818140, 54.788239, +14.659699}, {2458053.082696, 289.742462, -19.444668}, {2458672.347251, 176.559177, +6.777599},
    {2459291.611808, 47.761447, +15.653095}, {2459910.876368, 294.631555, -26.461347}, {2460530.140929, 172.352061, +4.904128},
    {2461149.405492, 44.536507, +21.935317}, {2461768.670058, 293.923249, -22.577594}, {2462387.934625, 165.125474, +1.115348},
    {2463007.199193, 50.151013, +18.925638}, {2463626.463764, 283.270472, -17.930250}, {2464245.728336, 173.912664, +2.574069},
    {2464864.992910, 40.077442, +10.241025}, {2465484.257485, 295.372063, -21.835126}, {2466103.522062, 163.694180, +12.611427},
    {2466722.786640, 50.794594, +19.590553}, {2467342.051220, 281.286659, -28.336140}, {2467961.315801, 172.826141, +1.420337},
    {2468580.580383, 36.853895, +20.048408}, {2469199.844967, 292.394079, -19.833159}, {2469807.001251, 9.425665, +8.224040},
}};

TEST(MoonPosition, AgreesWithAnIndependentTheoryFrom1950To2050)
{
    for (const ReferencePlace& reference : kPyEphemPlaces) {
        const MoonPosition::Geocentric place = placeAt(reference.julianDay);
        EXPECT_LT(SkyReference::separationArcsec(place.rightAscension, place.declination,
                                                 reference.rightAscension * kDeg, reference.declination * kDeg),
                  20.0)
            << "at JDE " << reference.julianDay;
        for (const double angle : {place.longitude, place.rightAscension}) {
            EXPECT_GE(angle, 0.0);
            EXPECT_LT(angle, 2.0 * std::numbers::pi);
        }
        EXPECT_LT(std::fabs(place.latitude), 5.4 * kDeg);
        EXPECT_GT(place.distanceKm, 356000.0);
        EXPECT_LT(place.distanceKm, 407000.0);
    }
}

}  // namespace
