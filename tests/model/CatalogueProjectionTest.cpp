#include "model/projection/CatalogueProjection.h"

#include "model/projection/DeepSkyFilter.h"

#include "ProjectionFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

using namespace ProjectionFixture;

double altitudeOf(const HorizonVector& h)
{
    return -std::asin(h.z) / kDegToRad;
}

template <class Record>
HorizonVector stored(const Record& r)
{
    return {r.horX, r.horY, r.horZ};
}

// A star without proper motion takes its stored J2000 direction, one with
// proper motion turns that direction's angles: a motion too small to move it
// must leave it within rounding of where it was, or the chart would move by
// a pixel here and there.
TEST(StarProjection, StoredDirectionGivesTheSameBitsAsTheTrigonometry)
{
    ProjectionFrame::View view;
    view.latitude = 48.14 * kDegToRad;
    view.primeMeridian = 1.234;
    view.julianDay = 2460325.375;
    view.precession = PrecessionMatrix::forJulianDay(view.julianDay);
    const ProjectionFrame frame(view);
    for (const auto& [raDeg, decDeg] : {std::pair{0.5, 0.0}, {88.79293899, 7.40706399}, {279.23473479, 38.78368896},
                                        {359.999, -89.9}, {37.95456067, 89.26410897}}) {
        star s{};
        s.raDeg = raDeg;
        s.decDeg = decDeg;
        const UnitVector v = UnitVector::fromRADec(raDeg * kDegToRad, decDeg * kDegToRad);
        s.vecX = v.x;
        s.vecY = v.y;
        s.vecZ = v.z;
        const HorizonVector fast = CatalogueProjection::starDirection(s, frame);
        const HorizonVector trigonometry = frame.fromJ2000(v.x, v.y, v.z);
        EXPECT_EQ(fast.x, trigonometry.x) << raDeg;
        EXPECT_EQ(fast.y, trigonometry.y) << raDeg;
        EXPECT_EQ(fast.z, trigonometry.z) << raDeg;
        s.pmRA = 1e-300;  // too small to move it
        const HorizonVector slow = CatalogueProjection::starDirection(s, frame);
        EXPECT_NEAR(fast.x, slow.x, 1e-15) << raDeg;
        EXPECT_NEAR(fast.y, slow.y, 1e-15) << raDeg;
        EXPECT_NEAR(fast.z, slow.z, 1e-15) << raDeg;
    }
}

// The stored direction turned by the proper motion lands where the
// trigonometry of the moved angles does, centuries from J2000, for the
// fastest stars, near a pole, and for a record without a stored direction.
TEST(StarProjection, ProperMotionTurnsTheStoredDirectionAsTheTrigonometry)
{
    constexpr double kBarnard = 10.36 * 100.0 / 3600.0 * kDegToRad;  // radians per century
    for (const double julianDay : {2451545.0, 2460325.375, 2451545.0 - 36525.0 * 5.0, 2451545.0 + 36525.0 * 20.0}) {
        ProjectionFrame::View view;
        view.latitude = 48.14 * kDegToRad;
        view.primeMeridian = 1.234;
        view.julianDay = julianDay;
        view.precession = PrecessionMatrix::forJulianDay(view.julianDay);
        const ProjectionFrame frame(view);
        const double t = frame.julianCenturies();
        for (const auto& [raDeg, decDeg] : {std::pair{269.45402, 4.66828}, {37.95456067, 89.26410897},
                                            {0.0, 90.0}, {359.999, -89.9999}, {120.0, -35.0}}) {
            for (const bool isStored : {true, false}) {
                star s{};
                s.raDeg = raDeg;
                s.decDeg = decDeg;
                s.pmRA = -0.8 * kBarnard;
                s.pmDec = kBarnard;
                if (isStored) {
                    const UnitVector v = UnitVector::fromRADec(raDeg * kDegToRad, decDeg * kDegToRad);
                    s.vecX = v.x;
                    s.vecY = v.y;
                    s.vecZ = v.z;
                }
                const UnitVector moved =
                    UnitVector::fromRADec(raDeg * kDegToRad + s.pmRA * t, decDeg * kDegToRad + s.pmDec * t);
                const HorizonVector expected = frame.fromJ2000(moved.x, moved.y, moved.z);
                const HorizonVector h = CatalogueProjection::starDirection(s, frame);
                EXPECT_NEAR(h.x, expected.x, 1e-14) << raDeg << " " << decDeg << " " << t << " " << isStored;
                EXPECT_NEAR(h.y, expected.y, 1e-14) << raDeg << " " << decDeg << " " << t << " " << isStored;
                EXPECT_NEAR(h.z, expected.z, 1e-14) << raDeg << " " << decDeg << " " << t << " " << isStored;
            }
        }
    }
}

// Theta Persei: J2000 alpha 2h44m11.986s, delta +49 13' 42.48", proper motion
// +0.03425 s and -0.0895" a year; on 2028 November 13.19 its mean place of
// date is alpha 41.547214, delta 49.348483 degrees. At the pole with sidereal
// time 0, alpha = atan2(-horY, horX) and delta = altitude.
TEST(StarProjection, MeeusExample21bWithProperMotion)
{
    star s{};
    s.raDeg = (2.0 + 44.0 / 60.0 + 11.986 / 3600.0) * 15.0;
    s.decDeg = 49.0 + 13.0 / 60.0 + 42.48 / 3600.0;
    s.pmRA = 0.03425 * 15.0 * 100.0 / 3600.0 * kDegToRad;
    s.pmDec = -0.0895 * 100.0 / 3600.0 * kDegToRad;
    ProjectionFrame::View view;
    view.latitude = 90.0 * kDegToRad;
    view.julianDay = 2462088.69;
    view.precession = PrecessionMatrix::forJulianDay(view.julianDay);
    const HorizonVector h = CatalogueProjection::starDirection(s, ProjectionFrame(view));
    EXPECT_NEAR(std::atan2(-h.y, h.x) / kDegToRad, 41.547214, 5e-6);
    EXPECT_NEAR(altitudeOf(h), 49.348483, 5e-6);
}

TEST(StarProjection, StatesAndChartPoints)
{
    std::vector<star> stars = {
        makeStar(180.0, 30.0, 2.0),   // in view
        makeStar(180.0, -5.0, 2.0),   // below the horizon
        makeStar(0.0, 10.0, 2.0),     // behind the viewer
        makeStar(180.0, 30.0, 7.0),   // too faint
        makeStar(200.0, 10.0, 9.0),   // too faint but selected
    };
    for (star& s : stars)
        s.screenX = -1.0f;
    const ProjectionFrame frame = poleFrame();
    // A list left from an earlier pass is replaced.
    std::vector<std::uint32_t> onScreen = {3, 2};
    CatalogueProjection::projectStars(stars, frame, true, {CatalogueFilters::starLimit(6.0), 4u}, onScreen);
    EXPECT_EQ(onScreen, (std::vector<std::uint32_t>{0, 4}));
    const std::int32_t states[] = {kStateOnScreen, kStateBelowHorizon, kStateOffView,
                                   kStateFiltered, kStateOnScreen};
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(stars[i].state, states[i]) << i;
    EXPECT_FLOAT_EQ(stars[0].screenX, 500.0f);
    EXPECT_NEAR(stars[0].screenY, 400.0 + frame.radius() * std::tan(15.0 * kDegToRad), 1e-3);
    // Only a shown star gets a chart point; every star its horizon vector.
    for (std::size_t i : {1, 2, 3})
        EXPECT_FLOAT_EQ(stars[i].screenX, -1.0f) << i;
    EXPECT_NEAR(altitudeOf(stored(stars[3])), 30.0, 1e-9);

    // Without a time change the stored vector (here: straight ahead) is projected.
    stars[1].horX = 1.0;
    stars[1].horY = stars[1].horZ = 0.0;
    CatalogueProjection::projectStars(stars, frame, false, {20.0, {}}, onScreen);
    EXPECT_EQ(stars[1].state, kStateOnScreen);
    EXPECT_EQ(onScreen, (std::vector<std::uint32_t>{0, 1, 3, 4}));
    EXPECT_FLOAT_EQ(stars[1].screenY, 400.0f);
}

TEST(SimStarProjection, NeverFilteredAndAlwaysRecomputed)
{
    star sim = makeStar(180.0, 20.0, 99.0f);
    sim.horX = sim.horY = sim.horZ = 0.0;
    CatalogueProjection::projectSimStar(sim, poleFrame());
    EXPECT_EQ(sim.state, kStateOnScreen);
    EXPECT_NEAR(altitudeOf(stored(sim)), 20.0, 1e-9);
    // Later in the sidereal day it has moved, though the sky did not "change".
    CatalogueProjection::projectSimStar(sim, poleFrame(180.0, 0.0, false, 120.0, 180.0));
    EXPECT_EQ(sim.state, kStateOffView);
}

TEST(LabelAndBoundaryProjection, CutsAndStoredVectors)
{
    std::vector<conLocn> labels(3);
    setDirection(labels[0], 180.0, 10.0);
    setDirection(labels[1], 180.0, -5.0);
    setDirection(labels[2], 180.0, 10.0);
    labels[2].visible = 1;
    const ProjectionFrame frame = poleFrame();
    CatalogueProjection::projectLabels(labels, frame, true);
    EXPECT_EQ(labels[0].visible, 1);
    EXPECT_EQ(labels[1].visible, 0);
    EXPECT_FLOAT_EQ(labels[0].screenPt.x, 500.0f);

    // Boundaries reach 11.5 degrees below the horizon.
    std::vector<boundaryLocn> points(2, boundaryLocn{});
    setDirection(points[0], 180.0, -10.0);
    setDirection(points[1], 180.0, -13.0);
    CatalogueProjection::projectBoundaries(points, frame, true);
    EXPECT_EQ(points[0].visible, 1);
    EXPECT_EQ(points[1].visible, 0);
    // Without a time change the stored vectors count, not the catalogue ones.
    points[1].horX = 1.0;
    points[1].horY = points[1].horZ = 0.0;
    CatalogueProjection::projectBoundaries(points, frame, false);
    EXPECT_EQ(points[1].visible, 1);
}

TEST(DeepSkyProjection, FilteredObjectsKeepTheirOldVectors)
{
    std::vector<deepSky> objects(2, deepSky{});
    for (deepSky& d : objects)
        setDirection(d, 180.0, 25.0);
    objects[0].mag = 8.0f;
    objects[1].mag = 15.0f;
    DeepSkySwitches switches;
    switches.deepSkyMagLimit = 12.0;
    switches.showOther = true;
    switches.showGalaxy = true;
    const DeepSkyFilter filter(switches, nullptr);
    CatalogueProjection::projectDeepSky(objects, poleFrame(), true, filter, std::nullopt);
    EXPECT_EQ(objects[0].state, kStateOnScreen);
    EXPECT_NEAR(altitudeOf(stored(objects[0])), 25.0, 1e-9);
    EXPECT_EQ(objects[1].state, kStateFiltered);
    EXPECT_DOUBLE_EQ(double(objects[1].horZ), 0.0);
    // Selected, it passes at any magnitude.
    CatalogueProjection::projectDeepSky(objects, poleFrame(), true, filter, 1u);
    EXPECT_EQ(objects[1].state, kStateOnScreen);
}

}  // namespace
