#include "FakeSVMount.h"
#include "scopeview/SVOrientation.h"
#include "scopeview/SVProjection.h"
#include "scopeview/SVViewState.h"

#include "model/Angles.h"
#include "model/UnitVector.h"
#include "model/projection/PrecessionMatrix.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using Angles::kDegToRad;
using Angles::kPi;

constexpr std::array<double, 9> kIdentity{1, 0, 0, 0, 1, 0, 0, 0, 1};

double distance(const QPointF& a, const QPointF& b) { return std::hypot(a.x() - b.x(), a.y() - b.y()); }

TEST(SVProjection, CentreAndFieldEdgeWithEastLeftAndNorthUp)
{
    const SVAngles a = SVAngles::calculate(2.0, 400.0);
    for (double dec0 : {0.0, 0.7, -1.2, 1.5}) {
        const double ra0 = 1.3;
        const SVProjection p(a, ra0, dec0, kIdentity);
        const UnitVector c = UnitVector::fromRADec(ra0, dec0);
        const QPointF centre(a.svOffset, a.svOffset);
        const auto at = p.projectOfDate(c.x, c.y, c.z);
        ASSERT_TRUE(at);
        EXPECT_LT(distance(*at, centre), 1e-3) << dec0;

        // On the edge to the north: straight up by the edge radius.
        const UnitVector n = UnitVector::fromRADec(ra0, dec0 + a.svAngle);
        const auto north = p.projectOfDate(n.x, n.y, n.z);
        ASSERT_TRUE(north);
        EXPECT_NEAR(north->y() - centre.y(), a.fieldEdgeRadius(), 1e-3) << dec0;
        EXPECT_NEAR(north->x(), centre.x(), 1e-3) << dec0;

        // A little east: to the left.
        const UnitVector e = UnitVector::fromRADec(ra0 + 0.2 * a.svAngle / std::cos(dec0), dec0);
        const auto east = p.projectOfDate(e.x, e.y, e.z);
        ASSERT_TRUE(east);
        EXPECT_LT(east->x(), centre.x() - 1.0) << dec0;
    }
}

TEST(SVProjection, CullKeepsAMarginBeyondTheFieldEdge)
{
    const SVAngles a = SVAngles::calculate(2.0, 400.0);
    const SVProjection p(a, 0.0, 0.0, kIdentity);
    const auto at = [&](double dec) {
        const UnitVector v = UnitVector::fromRADec(0.0, dec);
        return p.projectOfDate(v.x, v.y, v.z);
    };
    EXPECT_TRUE(at(a.svAngle + 0.014));
    EXPECT_FALSE(at(a.svAngle + 0.016));
    EXPECT_FALSE(at(kPi / 2.0));
}

TEST(SVProjection, J2000PlacesArePrecessedToTheCentreOfDate)
{
    // A J2000 star with the field centred on its place of 2030 lands in the middle.
    const PrecessionMatrix m = PrecessionMatrix::forJulianDay(2462502.5);
    const UnitVector star = UnitVector::fromRADec(2.0, 0.4);
    const auto [x, y, z] = m.apply(star.x, star.y, star.z);
    const SVAngles a = SVAngles::calculate(0.1, 400.0);
    const SVProjection p(a, std::atan2(y, x), std::asin(z), m.p);
    const auto at = p.projectJ2000(star.x, star.y, star.z);
    ASSERT_TRUE(at);
    EXPECT_LT(distance(*at, QPointF(200.0, 200.0)), 1e-2);
    // Unprecessed, the same star is well off the centre of so small a field.
    const auto unturned = p.projectOfDate(star.x, star.y, star.z);
    EXPECT_FALSE(unturned && distance(*unturned, QPointF(200.0, 200.0)) < 50.0);
}

// The quick cull before the telescope view's star places: it may keep a
// direction the projection then drops, never drop one the projection shows,
// for fields anywhere (pole included), under precession, and for a star
// moved by up to `reach` from its stored place.
TEST(SVProjection, QuickCullNeverDropsWhatTheProjectionShows)
{
    const PrecessionMatrix m = PrecessionMatrix::forJulianDay(2462502.5);
    struct Field {
        double fov, ra0, dec0;
    };
    const Field fields[] = {{1.0, 1.3, 84.0 * kDegToRad}, {0.1, 4.0, -0.3}, {60.0, 0.2, 1.5}, {5.0, 6.0, 0.0}};
    int kept = 0;
    int dropped = 0;
    for (const Field& f : fields) {
        const SVAngles a = SVAngles::calculate(f.fov, 400.0);
        const SVProjection p(a, f.ra0, f.dec0, m.p);
        const auto [cx, cy, cz] = PrecessionMatrix::multiplyTransposed(m.p, std::cos(f.dec0) * std::cos(f.ra0),
                                                                       std::cos(f.dec0) * std::sin(f.ra0),
                                                                       std::sin(f.dec0));
        const double ra = std::atan2(cy, cx);
        const double dec = std::asin(cz);
        for (double reach : {0.0, 0.003, 0.05}) {
            for (int i = 0; i < 2000; ++i) {
                // Places spread over and around the field's edge, and each moved by up to `reach`.
                const double away = (a.svAngle + 0.015) * (0.5 + i % 100 / 60.0);
                const double turn = i * 2.399963;
                const UnitVector stored = UnitVector::fromRADec(
                    ra + away * std::sin(turn) / std::max(0.05, std::cos(dec)), dec + away * std::cos(turn));
                const double dRA = reach * 0.6 * std::cos(i * 0.7);
                const double dDec = reach * 0.4 * std::sin(i * 1.3);
                const double storedRA = std::atan2(stored.y, stored.x);
                const double storedDec = std::asin(stored.z);
                const UnitVector moved = UnitVector::fromRADec(storedRA + dRA, storedDec + dDec);
                const bool shows = p.projectJ2000(moved.x, moved.y, moved.z).has_value();
                const bool may = p.mayShowJ2000(stored.x, stored.y, stored.z, std::abs(dRA) + std::abs(dDec));
                EXPECT_TRUE(may || !shows) << f.fov << " " << f.dec0 << " " << reach << " " << i;
                kept += shows ? 1 : 0;
                dropped += may ? 0 : 1;
            }
        }
    }
    // Both sides of the edge were tried, and the cull does cull.
    EXPECT_GT(kept, 1000);
    EXPECT_GT(dropped, 1000);
}

// The deep-star layer skips a star whose J2000 declination lies further from
// the centre's than the cull radius: none of those may show.
TEST(SVProjection, DeclinationBeyondTheCullRadiusNeverShows)
{
    const PrecessionMatrix m = PrecessionMatrix::forJulianDay(2462502.5);
    for (const double dec0 : {84.0 * kDegToRad, -0.3, 89.9 * kDegToRad}) {
        const SVAngles a = SVAngles::calculate(1.0, 400.0);
        const SVProjection p(a, 1.3, dec0, m.p);
        const double raJ = p.centreJ2000()[0] * kDegToRad;
        const double decJ = p.centreJ2000()[1] * kDegToRad;
        const double reach = p.cullRadius();
        ASSERT_GT(reach, 0.0);
        ASSERT_LT(reach, 0.1);
        int shown = 0;
        for (int i = 0; i < 4000; ++i) {
            const double dec = std::clamp(decJ + reach * (i % 200 / 50.0 - 2.0), -kPi / 2.0, kPi / 2.0);
            // A grid of places over the field and twice its reach around it.
            const double ra = raJ + reach * (i / 200 / 5.0 - 2.0) / std::max(std::cos(decJ), 0.01);
            const UnitVector v = UnitVector::fromRADec(ra, dec);
            const bool shows = p.projectJ2000(v.x, v.y, v.z).has_value();
            EXPECT_TRUE(!shows || std::abs(dec - decJ) <= reach + 1e-9) << dec0 << " " << i;
            shown += shows ? 1 : 0;
        }
        EXPECT_GT(shown, 0) << dec0;
    }
}

TEST(SVOrientation, ParallacticAngleOnTheMeridian)
{
    const double latitude = 50.0 * kDegToRad;
    EXPECT_DOUBLE_EQ(SVOrientation::parallacticAngle(latitude, 0.0, 20.0 * kDegToRad), 0.0);
    EXPECT_NEAR(std::abs(SVOrientation::parallacticAngle(latitude, 0.0, 70.0 * kDegToRad)), kPi, 1e-12);
    // East of the meridian the field turns the other way than west of it.
    EXPECT_LT(SVOrientation::parallacticAngle(latitude, -0.5, 0.3) *
                  SVOrientation::parallacticAngle(latitude, 0.5, 0.3),
              0.0);
}

TEST(SVOrientation, TransformFlipsAndTurnsAboutTheViewCentre)
{
    struct Case {
        double ew;
        double ns;
        double qP;
        QPointF expected;  // where (250, 230) goes about (200, 200)
    };
    for (const Case c : {Case{1, 1, 0, {250, 230}}, Case{-1, 1, 0, {150, 230}},
                         Case{1, -1, 0, {250, 170}}, Case{1, 1, kPi, {150, 170}},
                         Case{1, 1, kPi / 2, {230, 150}}}) {
        const SVOrientation o{c.ew, c.ns, c.qP};
        const QPointF at = o.tran(200.0).map(QPointF(250, 230));
        EXPECT_NEAR(at.x(), c.expected.x(), 1e-9) << c.ew << c.ns << c.qP;
        EXPECT_NEAR(at.y(), c.expected.y(), 1e-9) << c.ew << c.ns << c.qP;
        EXPECT_EQ(o.tran(200.0).map(QPointF(200, 200)), QPointF(200, 200));
    }
}


TEST(SVViewState, FieldCentreTakesOffSynScanOffsetsThenAddsThePan)
{
    struct Case {
        int protocol;
        double trackRA;
        double raError;
        double ra;  // expected, before the pan
    };
    for (const Case c :
         {Case{kProtocolSynScan, 1.0, 0.25, 0.75}, Case{kProtocolSynScan, 0.1, 0.2, 0.1 - 0.2 + 2 * kPi},
          Case{kProtocolSynScan, 6.2, -0.2, 6.4 - 2 * kPi}, Case{kProtocolServoCat, 1.0, 0.25, 1.0}}) {
        FakeSVMount mount;
        mount.protocol = c.protocol;
        mount.raError = c.raError;
        mount.decError = 0.05;
        SVViewState s;
        s.setTrackRA(c.trackRA, 0.5);
        s.addDeltas(0.01, -0.02);
        const SVViewState::Centre centre = s.fieldCentre(&mount, nullptr);
        EXPECT_NEAR(centre.ra, c.ra + 0.01, 1e-12) << c.trackRA;
        EXPECT_NEAR(centre.dec, (c.protocol == kProtocolSynScan ? 0.45 : 0.5) - 0.02, 1e-12) << c.trackRA;
    }
    SVViewState s;
    s.setTrackRA(1.0, 0.5);
    const SVViewState::Centre alone = s.fieldCentre(nullptr, nullptr);
    EXPECT_EQ(alone.ra, 1.0);
    EXPECT_EQ(alone.dec, 0.5);
}

TEST(SVViewState, SynScanDebugLinesGiveTheUncorrectedCentreAndOffsetsInDegrees)
{
    FakeSVMount mount;
    mount.raError = 1.0 * kDegToRad;
    mount.decError = -0.5 * kDegToRad;
    SVViewState s;
    s.setTrackRA(90.0 * kDegToRad, 10.0 * kDegToRad);
    QStringList lines;
    s.fieldCentre(&mount, [&](const QString& line) { lines << line; });
    EXPECT_EQ(lines, QStringList({"svDrawRect: RA: 90.000, Dec: 10.000.",
                                  "svDrawRect: RAErr: 1.000, DecErr: -0.500."}));
}

}  // namespace
