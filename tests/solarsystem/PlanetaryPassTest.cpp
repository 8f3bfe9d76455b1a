#include "solarsystem/SkyReference.h"

#include "solarsystem/planets/Pluto.h"
#include "solarsystem/planets/SunSky.h"
#include "solarsystem/planets/VSOP87Tables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using namespace SkyReference;

template <class Records>
bool sameBytes(const Records& a, const Records& b)
{
    return std::memcmp(a.data(), b.data(), sizeof(a)) == 0;
}

// A pass at 2024 Jan 1, 0h UT; settle() runs a full one so that the records hold light-time distances.
class PlanetaryPassTest : public ::testing::Test {
protected:
    static PlanetaryPassRequest request(double dayOffset = 0.0, int body = -1, int pathSlot = -1)
    {
        PlanetaryPassRequest r;
        r.julianDay = 2460310.5;
        r.dayOffset = dayOffset;
        r.body = body;
        r.pathSlot = pathSlot;
        return r;
    }
    void settle() { ASSERT_TRUE(records.run(pass, request())); }

    PlanetaryPass pass;
    PassRecords records;
};

TEST_F(PlanetaryPassTest, RangeGuardAcceptsTheBoundsAndRefusesBeyond)
{
    EXPECT_TRUE(records.run(pass, request(3650000.0)));
    EXPECT_TRUE(records.run(pass, request(-3650000.0)));
    settle();
    const PassRecords before = records;
    const double pT = pass.state().handOver.pT;
    EXPECT_FALSE(records.run(pass, request(3650000.5)));
    EXPECT_FALSE(records.run(pass, request(-3650000.5)));
    EXPECT_TRUE(sameBytes(records.planets, before.planets));
    EXPECT_EQ(pass.state().handOver.pT, pT);
}

TEST_F(PlanetaryPassTest, TimeCarriesDeltaT)
{
    PassRecords atJ2000;
    ASSERT_TRUE(atJ2000.run(pass, PlanetaryPassRequest()));
    EXPECT_NEAR(pass.state().handOver.pT * 36525.0 * 86400.0, 63.83, 0.01);
}

// Light time used to come from the distance the previous pass left: after a
// jump of the date the first pass put Venus up to 2' off. Now every pass is
// complete in itself, in kilometres and in miles alike: a pass after a jump
// equals one on fresh records.
TEST_F(PlanetaryPassTest, LightTimeDoesNotDependOnThePreviousPass)
{
    const auto same = [](const PassRecords& a, const PassRecords& b, const char* what) {
        for (std::size_t i = 0; i <= 8; ++i) {
            const planet& p = a.planets[i];
            const planet& q = b.planets[i];
            EXPECT_LT(std::hypot(p.vecX - q.vecX, p.vecY - q.vecY, p.vecZ - q.vecZ), 0.01 * kArcsec)
                << what << " body " << i;
            EXPECT_EQ(p.geoDistance, q.geoDistance) << what << " body " << i;
        }
    };
    constexpr double tenYears = 3652.5;
    for (const bool isMetric : {true, false}) {
        for (const double jump : {tenYears, -tenYears}) {
            PlanetaryPassRequest here = request();
            here.isMetric = isMetric;
            PlanetaryPassRequest there = here;
            there.julianDay += jump;
            PassRecords jumping;
            PassRecords freshThere;
            ASSERT_TRUE(jumping.run(pass, here));
            const PassRecords first = jumping;
            ASSERT_TRUE(jumping.run(pass, there));
            ASSERT_TRUE(freshThere.run(pass, there));
            same(jumping, freshThere, isMetric ? "km, second pass" : "miles, second pass");
            ASSERT_TRUE(jumping.run(pass, here));
            same(jumping, first, isMetric ? "km, third pass" : "miles, third pass");
        }
    }
}

TEST_F(PlanetaryPassTest, FullPassTellsOfSunToPlutoAndAsksForTheMoon)
{
    std::vector<int> entries;
    PlanetaryPass told([&entries](int entry, double ra, double dec) {
        entries.push_back(entry);
        EXPECT_GE(ra, 0.0);
        EXPECT_LE(std::abs(dec), std::numbers::pi / 2);
    });
    ASSERT_TRUE(records.run(told, request()));
    EXPECT_EQ(entries, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_TRUE(told.state().moonDue);
    for (std::size_t i = 0; i <= 8; ++i) {
        const planet& p = records.planets[i];
        EXPECT_NEAR(std::hypot(p.vecX, p.vecY, p.vecZ), 1.0, 1e-12) << i;
    }
    EXPECT_NE(told.state().jL, 0.0);  // Jupiter's and Saturn's places for their satellites
    EXPECT_NE(told.state().sL, 0.0);

    entries.clear();
    ASSERT_TRUE(records.run(told, request(3.0, 6, 0)));
    EXPECT_EQ(entries, (std::vector<int>{0}));
}

TEST_F(PlanetaryPassTest, ShortenedAndPlotOnlyPassesChangeNoRecord)
{
    settle();
    const PassRecords before = records;
    ASSERT_TRUE(records.run(pass, request(10.0)));
    EXPECT_TRUE(sameBytes(records.planets, before.planets));
    EXPECT_TRUE(sameBytes(records.paths, before.paths));
    EXPECT_FALSE(pass.state().moonDue);
    // Its longitudes come from the leading terms, close to the full ones.
    const VSOP87Body& earth = VSOP87Tables::planet(VSOP87Planet::Earth);
    double tau = pass.state().handOver.pT / 10.0;
    EXPECT_EQ(pass.state().handOver.pLe, earth.leadingLongitude(tau));
    EXPECT_NEAR(pass.state().handOver.pLe, earth.longitude(tau), 20 * kArcsec);

    PlanetaryPassRequest plot = request(100.0);
    plot.plotOnly = true;
    ASSERT_TRUE(records.run(pass, plot));
    EXPECT_TRUE(sameBytes(records.planets, before.planets));
    const PlanetaryState& s = pass.state();
    tau = s.handOver.pT / 10.0;
    EXPECT_EQ(s.plotL[2], earth.leadingLongitude(tau));
    // Pluto keeps its whole series and the ecliptic of J2000.0.
    const double tauPluto = tau - (before.planets[8].geoDistance / PlanetaryPass::kKmPerAU) * 0.0057755183 / 365250.0;
    EXPECT_NEAR(s.plotL[8], Pluto::heliocentricJ2000(10.0 * tauPluto).longitude, 1e-12);
    for (double l : s.plotL) {
        EXPECT_GE(l, 0.0);
        EXPECT_LT(l, 2.0 * std::numbers::pi);
    }
}

// At the sky date a plot-only pass is a full one that places the Sun again but
// no planet; body 0 places only the Sun, without the Moon.
TEST_F(PlanetaryPassTest, PlotOnlyAtTheSkyDateAndBodyZeroPlaceOnlyTheSun)
{
    settle();
    for (const bool plotOnly : {true, false}) {
        PassRecords changed = records;
        for (planet& p : changed.planets)
            p.ra = 0.0f;
        PlanetaryPassRequest r = request(0.0, plotOnly ? -1 : 0);
        r.plotOnly = plotOnly;
        ASSERT_TRUE(changed.run(pass, r));
        EXPECT_EQ(changed.planets[0].ra, records.planets[0].ra) << plotOnly;
        for (int i = 1; i <= 9; ++i)
            EXPECT_EQ(changed.planets[std::size_t(i)].ra, 0.0f) << plotOnly << " " << i;
        EXPECT_EQ(pass.state().moonDue, plotOnly);
        if (plotOnly) {
            EXPECT_EQ(pass.state().plotL[2],
                      VSOP87Tables::planet(VSOP87Planet::Earth).longitude(pass.state().handOver.pT / 10.0));
        }
    }
}

// Twelve and a half days earlier Jupiter stood elsewhere: only its path point's vector changes.
TEST_F(PlanetaryPassTest, PathCallWritesOnlyItsPointAndRefusesASlotBeyond)
{
    settle();
    PassRecords expected = records;
    ASSERT_TRUE(records.run(pass, request(-12.5, 4, 7)));
    const planetPath& point = records.paths[7];
    EXPECT_NEAR(point.vecX * point.vecX + point.vecY * point.vecY + point.vecZ * point.vecZ, 1.0, 1e-12);
    EXPECT_GT(separation(point, records.planets[4].ra, records.planets[4].dec), 0.1 * kDeg);
    expected.paths[7].vecX = point.vecX;
    expected.paths[7].vecY = point.vecY;
    expected.paths[7].vecZ = point.vecZ;
    EXPECT_TRUE(sameBytes(records.paths, expected.paths));
    for (std::size_t i = 1; i <= 8; ++i)
        EXPECT_EQ(std::memcmp(&records.planets[i], &expected.planets[i], sizeof(planet)), 0) << i;
    EXPECT_FALSE(records.run(pass, request(0.0, 4, 40)));
}

TEST_F(PlanetaryPassTest, MilesGiveTheSameLightTimeAsKilometres)
{
    settle();
    PassRecords miles = records;
    for (planet& p : miles.planets)
        p.geoDistance = float(double(p.geoDistance) * PlanetaryPass::kMilesPerKm);
    PlanetaryPass milePass;
    PlanetaryPassRequest r = request();
    r.isMetric = false;
    ASSERT_TRUE(miles.run(milePass, r));
    settle();
    for (std::size_t i = 0; i <= 8; ++i) {
        const planet& km = records.planets[i];
        const planet& mi = miles.planets[i];
        EXPECT_LT(std::hypot(mi.vecX - km.vecX, mi.vecY - km.vecY, mi.vecZ - km.vecZ), 1e-11) << i;
        EXPECT_NEAR(mi.geoDistance, km.geoDistance * PlanetaryPass::kMilesPerKm, 1e-6 * km.geoDistance) << i;
        EXPECT_NEAR(mi.helioDistance, km.helioDistance * PlanetaryPass::kMilesPerKm, 1e-6 * km.geoDistance) << i;
        EXPECT_EQ(mi.mag, km.mag) << i;
    }
}

TEST_F(PlanetaryPassTest, SunStepFillsShadowPointMoonAndTwilight)
{
    PlanetaryPassRequest r = request();
    r.latitude = 45.0;
    r.primeMeridian = 100.0;
    ASSERT_TRUE(records.run(pass, r));
    const planet& sun = records.planets[0];
    const planet& shadow = records.planets[10];
    EXPECT_NEAR(shadow.ra, std::fmod(double(sun.ra) + std::numbers::pi, 2.0 * std::numbers::pi), 1e-6);
    EXPECT_EQ(shadow.dec, -sun.dec);
    EXPECT_NEAR(records.planets[9].helioDistance, sun.geoDistance, 1e-3);  // the Moon's entry: Earth-Sun distance
    const PlanetaryState& s = pass.state();
    EXPECT_NEAR(s.sunAlt, SunSky::altitude(sun.ra, sun.dec, 100.0, 45.0), 1e-6);
    EXPECT_EQ(s.twilightLevel, SunSky::twilightLevel(s.sunAlt));
}

TEST(SunSky, TwilightLevelAltitudeAndAzimuth)
{
    EXPECT_EQ(SunSky::twilightLevel(-20.0 * kDeg), -0.5);
    EXPECT_NEAR(SunSky::twilightLevel(-10.0 * kDeg), 8.0, 1e-12);
    EXPECT_EQ(SunSky::twilightLevel(-0.4 * kDeg), 17.5);
    EXPECT_EQ(SunSky::twilightLevel(30.0 * kDeg), 17.5);
    // On the meridian at the equator dec 0 is overhead; six hours west it sets due west.
    EXPECT_NEAR(SunSky::altitude(1.0, 0.0, 1.0 / kDeg, 0.0), std::numbers::pi / 2, 1e-12);
    EXPECT_NEAR(SunSky::altitude(0.0, 0.0, 90.0, 0.0), 0.0, 1e-12);
    EXPECT_NEAR(SunSky::azimuth(0.0, 0.0, 90.0, 0.0), 1.5 * std::numbers::pi, 1e-12);
    EXPECT_NEAR(SunSky::azimuth(0.0, 0.0, -90.0, 0.0), 0.5 * std::numbers::pi, 1e-12);
}

// Venus at greatest eastern (2023 Jun 4) and western (2023 Oct 24) elongation;
// the Earth saw Saturn's ring's southern face around 2003.
TEST(PlanetPhases, VenusNegativeWestOfTheSunAndSaturnsRingSouthward)
{
    const auto passAt = [](double jd, PassRecords& records) {
        PlanetaryPass pass;
        PlanetaryPassRequest r;
        r.julianDay = jd;
        EXPECT_TRUE(records.run(pass, r));
        return pass.state();
    };
    PassRecords records;
    EXPECT_NEAR(passAt(2460099.5, records).venusPhase, 50.0, 2.0);
    EXPECT_NEAR(passAt(2460241.5, records).venusPhase, -50.0, 2.0);
    EXPECT_LT(passAt(2452640.5, records).ring.B, -25.0 * kDeg);
    EXPECT_LT(records.planets[5].mag, 0.0f);
}

}  // namespace
