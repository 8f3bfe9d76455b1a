#include "PassHelpers.h"

#include "solarsystem/planets/Pluto.h"
#include "solarsystem/planets/SunJ2000.h"
#include "solarsystem/planets/SunSky.h"
#include "solarsystem/planets/VSOP87Tables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr double kSkyDate = 2460310.5;  // 2024 Jan 1, 0h UT

template <class Records>
bool sameBytes(const Records& a, const Records& b)
{
    return std::memcmp(a.data(), b.data(), sizeof(a)) == 0;
}

class PlanetaryPassTest : public ::testing::Test {
protected:
    PlanetaryPassRequest request(double dayOffset = 0.0) const
    {
        PlanetaryPassRequest r;
        r.julianDay = kSkyDate;
        r.dayOffset = dayOffset;
        return r;
    }

    // A full pass, so that the records hold light-time distances.
    void settle()
    {
        ASSERT_TRUE(records.run(pass, request()));
    }

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
    PlanetaryPassRequest r = request();
    r.julianDay = 2451545.0;
    ASSERT_TRUE(records.run(pass, r));
    EXPECT_NEAR(pass.state().handOver.pT * 36525.0 * 86400.0, 63.86, 1e-3);
}

TEST_F(PlanetaryPassTest, FirstPassAppliesNoLightTime)
{
    ASSERT_TRUE(records.run(pass, request()));
    const double geometric = records.planets[5].vecX;
    ASSERT_TRUE(records.run(pass, request()));
    // Saturn moves about 2" in its ~80 minutes of light time.
    EXPECT_NE(records.planets[5].vecX, geometric);
    const double lightTimed = records.planets[5].vecX;
    ASSERT_TRUE(records.run(pass, request()));
    EXPECT_NEAR(records.planets[5].vecX, lightTimed, 1e-9);
}

TEST_F(PlanetaryPassTest, FullPassFillsSunToPlutoAndAsksForTheMoon)
{
    settle();
    const PlanetaryState& s = pass.state();
    EXPECT_TRUE(s.moonDue);
    for (int i = 0; i <= 8; ++i) {
        const planet& p = records.planets[std::size_t(i)];
        EXPECT_NEAR(p.vecX * p.vecX + p.vecY * p.vecY + p.vecZ * p.vecZ, 1.0, 1e-12) << i;
        EXPECT_GT(p.geoDistance, 0.0f) << i;
        EXPECT_EQ(p.index, i);
    }
    // Jupiter's and Saturn's places for their satellites.
    EXPECT_NE(s.jL, 0.0);
    EXPECT_NE(s.sL, 0.0);
}

TEST_F(PlanetaryPassTest, TellsOfEveryPlacedEntry)
{
    std::vector<int> entries;
    PlanetaryPass told([&entries](int entry, double ra, double dec) {
        entries.push_back(entry);
        EXPECT_GE(ra, 0.0);
        EXPECT_LE(std::abs(dec), std::numbers::pi / 2);
    });
    ASSERT_TRUE(records.run(told, request()));
    EXPECT_EQ(entries, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    entries.clear();
    PlanetaryPassRequest path = request(3.0);
    path.body = 6;
    path.pathSlot = 0;
    ASSERT_TRUE(records.run(told, path));
    EXPECT_EQ(entries, (std::vector<int>{0}));
}

TEST_F(PlanetaryPassTest, ShortenedPassChangesNoRecord)
{
    settle();
    const PassRecords before = records;
    ASSERT_TRUE(records.run(pass, request(10.0)));
    EXPECT_TRUE(sameBytes(records.planets, before.planets));
    EXPECT_TRUE(sameBytes(records.paths, before.paths));
    EXPECT_FALSE(pass.state().moonDue);

    // Its longitudes come from the leading terms, close to the full ones.
    const double tau = pass.state().handOver.pT / 10.0;
    const VSOP87Body& earth = VSOP87Tables::planet(VSOP87Planet::Earth);
    EXPECT_EQ(pass.state().handOver.pLe, earth.leadingLongitude(tau));
    EXPECT_NEAR(pass.state().handOver.pLe, earth.longitude(tau), 20 * kArcsec);
}

TEST_F(PlanetaryPassTest, ShortenedPlotLongitudes)
{
    settle();
    PlanetaryPassRequest r = request(100.0);
    r.plotOnly = true;
    const PassRecords before = records;
    ASSERT_TRUE(records.run(pass, r));
    EXPECT_TRUE(sameBytes(records.planets, before.planets));
    const PlanetaryState& s = pass.state();
    const double tau = s.handOver.pT / 10.0;
    EXPECT_EQ(s.plotL[2], VSOP87Tables::planet(VSOP87Planet::Earth).leadingLongitude(tau));
    // Pluto keeps its whole series and the ecliptic of J2000.0.
    const double tauPluto = tau - (before.planets[8].geoDistance / PlanetaryPass::kKmPerAU) * 0.0057755183 / 365250.0;
    EXPECT_NEAR(s.plotL[8], Pluto::heliocentricJ2000(10.0 * tauPluto).longitude, 1e-12);
    for (double l : s.plotL) {
        EXPECT_GE(l, 0.0);
        EXPECT_LT(l, 2.0 * std::numbers::pi);
    }
}

TEST_F(PlanetaryPassTest, PlotOnlyAtTheSkyDateIsFullAndRefreshesTheSun)
{
    settle();
    PassRecords changed = records;
    changed.planets[0].ra = 0.0f;
    changed.planets[3].ra = 0.0f;
    PlanetaryPassRequest r = request();
    r.plotOnly = true;
    ASSERT_TRUE(changed.run(pass, r));
    const PlanetaryState& s = pass.state();
    const double tau = s.handOver.pT / 10.0;
    EXPECT_EQ(s.plotL[2], VSOP87Tables::planet(VSOP87Planet::Earth).longitude(tau));
    EXPECT_EQ(changed.planets[0].ra, records.planets[0].ra);  // the Sun is placed again
    EXPECT_EQ(changed.planets[3].ra, 0.0f);                   // no planet is
    EXPECT_TRUE(s.moonDue);
}

TEST_F(PlanetaryPassTest, BodyZeroPlacesOnlyTheSun)
{
    settle();
    PassRecords changed = records;
    for (planet& p : changed.planets)
        p.ra = 0.0f;
    PlanetaryPassRequest r = request();
    r.body = 0;
    ASSERT_TRUE(changed.run(pass, r));
    EXPECT_EQ(changed.planets[0].ra, records.planets[0].ra);
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(changed.planets[std::size_t(i)].ra, 0.0f) << i;
    EXPECT_FALSE(pass.state().moonDue);
}

TEST_F(PlanetaryPassTest, PathCallWritesOnlyItsPoint)
{
    settle();
    const PassRecords before = records;
    PlanetaryPassRequest r = request(-12.5);
    r.body = 4;
    r.pathSlot = 7;
    ASSERT_TRUE(records.run(pass, r));
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(std::memcmp(&records.planets[std::size_t(i)], &before.planets[std::size_t(i)], sizeof(planet)), 0) << i;
    const planetPath& point = records.paths[7];
    EXPECT_NEAR(point.vecX * point.vecX + point.vecY * point.vecY + point.vecZ * point.vecZ, 1.0, 1e-12);
    EXPECT_EQ(point.state, before.paths[7].state);
    EXPECT_EQ(double(point.horX), double(before.paths[7].horX));
    for (int slot = 0; slot < 40; ++slot) {
        if (slot != 7) {
            EXPECT_EQ(std::memcmp(&records.paths[std::size_t(slot)], &before.paths[std::size_t(slot)], sizeof(planetPath)), 0);
        }
    }
    // Twelve and a half days earlier Jupiter stood elsewhere.
    EXPECT_GT(separation(point, records.planets[4].ra, records.planets[4].dec), 0.1 * kDeg);

    PlanetaryPassRequest bad = request();
    bad.body = 4;
    bad.pathSlot = 40;
    EXPECT_FALSE(records.run(pass, bad));
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
    ASSERT_TRUE(records.run(pass, request()));
    for (int i = 0; i <= 8; ++i) {
        const planet& km = records.planets[std::size_t(i)];
        const planet& mi = miles.planets[std::size_t(i)];
        EXPECT_NEAR(mi.vecX, km.vecX, 1e-11) << i;
        EXPECT_NEAR(mi.vecY, km.vecY, 1e-11) << i;
        EXPECT_NEAR(mi.vecZ, km.vecZ, 1e-11) << i;
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
    // The Moon's entry carries the Earth-Sun distance.
    EXPECT_NEAR(records.planets[9].helioDistance, sun.geoDistance, 1e-3);
    const PlanetaryState& s = pass.state();
    EXPECT_NEAR(s.sunAlt, SunSky::altitude(sun.ra, sun.dec, 100.0, 45.0), 1e-6);
    EXPECT_EQ(s.twilightLevel, SunSky::twilightLevel(s.sunAlt));
}

// At J2000.0 the Earth is near perihelion and the Sun near RA 18h45m.
TEST(SunJ2000, AtTheEpoch)
{
    const Vec3 sun = SunJ2000::geocentric(0.0);
    EXPECT_NEAR(sun.length(), 0.9833, 1e-4);
    EXPECT_NEAR(sun.length(), VSOP87Tables::earthJ2000.radius(0.0), 1e-9);
    const double ra = std::atan2(sun.y, sun.x) + 2.0 * std::numbers::pi;
    EXPECT_NEAR(ra / kDeg / 15.0, 18.75, 0.02);
}

TEST(SunSky, TwilightLevel)
{
    EXPECT_EQ(SunSky::twilightLevel(-20.0 * kDeg), -0.5);
    EXPECT_NEAR(SunSky::twilightLevel(-10.0 * kDeg), 8.0, 1e-12);
    EXPECT_EQ(SunSky::twilightLevel(-0.4 * kDeg), 17.5);
    EXPECT_EQ(SunSky::twilightLevel(30.0 * kDeg), 17.5);
}

TEST(SunSky, AltitudeAndAzimuth)
{
    // On the meridian at the equator: straight overhead for dec 0.
    EXPECT_NEAR(SunSky::altitude(1.0, 0.0, 1.0 / kDeg, 0.0), std::numbers::pi / 2, 1e-12);
    // Six hours west of the meridian from latitude 0, dec 0: setting due west.
    EXPECT_NEAR(SunSky::altitude(0.0, 0.0, 90.0, 0.0), 0.0, 1e-12);
    EXPECT_NEAR(SunSky::azimuth(0.0, 0.0, 90.0, 0.0), 1.5 * std::numbers::pi, 1e-12);
    EXPECT_NEAR(SunSky::azimuth(0.0, 0.0, -90.0, 0.0), 0.5 * std::numbers::pi, 1e-12);
}

// Venus at greatest eastern elongation (2023 Jun 4) and western (2023 Oct 24).
TEST(PlanetPhases, VenusIsNegativeWestOfTheSun)
{
    for (const auto& [jd, sign] : std::vector<std::pair<double, double>>{{2460099.5, 1.0}, {2460241.5, -1.0}}) {
        PlanetaryPass pass;
        PassRecords records;
        PlanetaryPassRequest r;
        r.julianDay = jd;
        ASSERT_TRUE(records.run(pass, r));
        EXPECT_NEAR(pass.state().venusPhase, sign * 50.0, 2.0) << jd;
    }
}

// The Earth saw the ring's southern face around 2003.
TEST(PlanetPhases, SaturnRingOpenedSouthward)
{
    PlanetaryPass pass;
    PassRecords records;
    PlanetaryPassRequest r;
    r.julianDay = 2452640.5;
    ASSERT_TRUE(records.run(pass, r));
    EXPECT_LT(pass.state().ring.B, -25.0 * kDeg);
    EXPECT_LT(records.planets[5].mag, 0.0f);
}

}  // namespace
