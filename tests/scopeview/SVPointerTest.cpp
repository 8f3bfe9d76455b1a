#include "FakeSVMount.h"
#include "SVFixture.h"

#include "scopeview/SVConeSearch.h"
#include "scopeview/SVHitTest.h"
#include "scopeview/SVPointer.h"
#include "scopeview/SVProjection.h"
#include "scopeview/SVReadouts.h"

#include "model/Angles.h"
#include "model/ObjectIndex.h"
#include "model/UnitVector.h"
#include "model/records/RecordConstants.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/ChartSky.h"
#include "skydraw/ChartSkySource.h"

#include <gtest/gtest.h>

#include <cmath>

#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

namespace {

constexpr std::array<double, 9> kIdentity{1, 0, 0, 0, 1, 0, 0, 0, 1};
constexpr int kSide = 500;
const QChar kDegree(0x00B0);

struct FakeSky final : ChartSkySource {
    std::vector<star> stars;
    std::vector<planet> planets;
    ChartSky chartSky() const override
    {
        ChartSky sky;
        sky.stars = stars;
        sky.planets = planets;
        return sky;
    }
};

struct FakeCone final : SVConeSearch {
    std::vector<nomadData> stars;
    bool has = false;
    void setNomadHasData(bool on) override { has = on; }
    bool hasNomadData() const override { return has; }
    void nomadDownload(bool) override {}
    void setNomadCache(bool) override {}
    std::span<nomadData> nomadStars() override { return stars; }
};

star starAt(double ra, double dec)
{
    star s{};
    s.mag = 5.0f;
    s.color = 'W';
    s.state = kStateOnScreen;
    s.raDeg = ra * Angles::kRadToDeg;
    s.decDeg = dec * Angles::kRadToDeg;
    const UnitVector v = UnitVector::fromRADec(ra, dec);
    s.vecX = v.x;
    s.vecY = v.y;
    s.vecZ = v.z;
    std::strcpy(s.name, "Vega");
    return s;
}

planet planetAt(int index, double ra, double dec)
{
    planet p{};
    p.index = index;
    const UnitVector v = UnitVector::fromRADec(ra, dec);
    p.vecX = v.x;
    p.vecY = v.y;
    p.vecZ = v.z;
    p.ra = float(ra);
    p.dec = float(dec);
    return p;
}

TEST(SVHitTest, SquareCandidatesAndTheirCentres)
{
    EXPECT_DOUBLE_EQ(SVHitTest::halfSide(500.0), 3.0);
    EXPECT_DOUBLE_EQ(SVHitTest::halfSide(1000.0), 4.0);

    const SVAngles angles = SVAngles::calculate(1.0, kSide);
    const SVProjection projection(angles, 0.0, 0.0, kIdentity);
    const QPointF centre(angles.svOffset, angles.svOffset);
    std::vector<planet> planets(10, planetAt(0, 3.0, 0.0));  // all far behind the view
    SVDiscState discs;
    discs.jupiterSatPts.fill(QPointF(-100, -100));
    discs.jupiterSatPts[2] = centre + QPointF(2.9, -2.9);
    std::vector<star> stars{starAt(0.0, 0.0)};
    std::vector<ht2Star> ht2(1);
    ht2[0].point = {float(centre.x()), float(centre.y())};
    ht2[0].x = float(std::cos(0.5));
    ht2[0].y = float(std::sin(0.5));
    ChartSky sky;
    sky.planets = planets;
    const auto find = [&](std::span<const star> s, std::span<const ht2Star> h, std::span<const nomadData> n,
                          bool isNomadShown) {
        ChartSky only = sky;
        only.stars = s;
        return SVHitTest::find({centre, double(kSide), projection, only, 0.0, discs, h, n, isNomadShown});
    };

    // Jupiter outside the cull: its satellites are not searched.
    EXPECT_EQ(find({}, {}, {}, false).findIndex, kNoObjectIndex);
    planets[4] = planetAt(4, 0.0, 0.001);
    const SVHitTest::Hit satellite = find({}, {}, {}, false);
    EXPECT_EQ(satellite.findIndex, kPlanetMoonIndexBase + 2);
    EXPECT_FALSE(satellite.name || satellite.findPoint || satellite.centre);
    planets[4] = planetAt(4, 3.0, 0.0);

    const SVHitTest::Hit catalogue = find(stars, ht2, {}, false);
    EXPECT_EQ(catalogue.findIndex, kStarIndexBase);
    EXPECT_EQ(catalogue.name, QString("Vega"));
    const SVHitTest::Hit deep = find({}, ht2, {}, false);
    EXPECT_EQ(deep.findIndex, kHT2StarIndexBase);
    ASSERT_TRUE(deep.centre);
    EXPECT_NEAR(deep.centre->first, 0.5, 1e-7);
    EXPECT_NEAR(deep.centre->second, 0.0, 1e-7);

    // Cone-search stars shown: catalogue, deep and lookup stars are not found.
    std::vector<nomadData> nomad(2);
    nomad[1].point = {float(centre.x() + 1.0), float(centre.y())};
    sky.simStar = &stars[0];
    EXPECT_EQ(find(stars, ht2, {}, true).findIndex, kNoObjectIndex);
    EXPECT_EQ(find(stars, ht2, nomad, true).findIndex, kNomadStarIndexBase + 1);
    EXPECT_EQ(find({}, {}, {}, false).findIndex, kSimStarIndex);
}

TEST(SVReadouts, FieldCentreAndCarries)
{
    EXPECT_EQ(SVReadouts::fov(0.5), "30'0\"");
    EXPECT_EQ(SVReadouts::fov(1.25), QString("1") + kDegree + "15'");
    // Just under a degree reads as the preferences show it.
    EXPECT_EQ(SVReadouts::fov(0.99999), QString("1") + kDegree + "0'");
    EXPECT_EQ(SVReadouts::power(99.5), "100");
    EXPECT_EQ(SVReadouts::rightAscension(23.0 + 59.0 / 60.0 + 59.6 / 3600.0), "0h 0m 0s");
    EXPECT_EQ(SVReadouts::rightAscension(359.999 / 15.0), "0h 0m 0s");
    // A pan past either end of the day wraps.
    EXPECT_EQ(SVReadouts::rightAscension(-0.5), "23h 30m 0s");
    EXPECT_EQ(SVReadouts::rightAscension(24.25), "0h 15m 0s");
    EXPECT_EQ(SVReadouts::declination(-0.5), QString("-0%1 30' 0.0\"").arg(kDegree));
    EXPECT_EQ(SVReadouts::declination(-12.5), QString("-12%1 30' 0.0\"").arg(kDegree));
    EXPECT_EQ(SVReadouts::declination(10.0 - 0.01 / 3600.0), QString("10%1 0' 0.0\"").arg(kDegree));
}

TEST(SVStatusLights, LightFollowsTheMountsState)
{
    const SVStatusLights lights;
    EXPECT_EQ(&lights.forMount(false, true, true), &lights.clearButton);
    EXPECT_EQ(&lights.forMount(true, true, true), &lights.redButton);
    EXPECT_EQ(&lights.forMount(true, false, true), &lights.yellowButton);
    EXPECT_EQ(&lights.forMount(true, false, false), &lights.greenButton);
}

TEST(SVPointerZoom, PowerStaysWithinSixAndEightThousand)
{
    EXPECT_NEAR(SVPointer::zoomedPower(100.0, 10.0), 200.0, 1e-9);
    EXPECT_NEAR(SVPointer::zoomedPower(7000.0, 50.0), 8000.0, 2.0);
    EXPECT_NEAR(SVPointer::zoomedPower(7.0, -50.0), 6.0, 0.01);
    EXPECT_NEAR(SVPointer::zoomedPower(0.0, 0.0), 6.0, 0.01);
}

class SVPointerTest : public SVFixture {
protected:
    void SetUp() override
    {
        SVFixture::SetUp();
        setScopes({1000.0f});
        prefs().setCurrentScope(0);
        makeWindow();
        view().setSkySource(&sky);
        view().setConeSearch(&cone);
        view().setMountLink(&mount);
        view().resize(kSide, kSide);
        view().setTrackRA(1.0, 0.3);
    }

    void drawPass()
    {
        QImage image(view().size(), QImage::Format_ARGB32_Premultiplied);
        view().render(&image);
    }
    // The widget point of a view point (no flips or rotation here).
    QPoint widgetPoint(QPointF p) { return QPoint(int(std::lround(p.x())), view().height() - int(std::lround(p.y()))); }

    FakeSky sky;
    FakeCone cone;
    FakeSVMount mount;
};

TEST_F(SVPointerTest, TrackClickRecentresSendsTheGotoAndDropsPassNumbers)
{
    mount.connected = true;
    sky.stars.push_back(starAt(1.0, 0.3 + 0.002));
    drawPass();
    if (!prefs().isStarNames())
        prefs().setIsStarNames();
    drawPass();
    ASSERT_EQ(view().svLabels().size(), 1u);
    const QPointF at = view().svLabels()[0].point;  // the star's drawn place
    const UnitVector u = UnitVector::fromRADec(1.0, 0.302);
    const double dec = std::asin(view().projection()->toDate(u.x, u.y, u.z)[2]);
    view().state().addDeltas(0.001, 0.0);
    QTest::mouseClick(&view(), Qt::LeftButton, Qt::ControlModifier, widgetPoint(at));
    EXPECT_EQ(prefs().findIndex(), kStarIndexBase);
    EXPECT_NEAR(view().state().trackDec(), dec, 1e-6);
    EXPECT_EQ(view().state().deltaRA(), 0.0);
    ASSERT_TRUE(mount.lastGoto);
    EXPECT_NEAR(mount.lastGoto->second, dec, 1e-6);
    EXPECT_EQ(window().windowTitle(), "Vega");

    // A cone-search star is numbered by the pass: the selection is dropped.
    sky.stars.clear();
    cone.has = true;
    cone.stars.resize(1);
    drawPass();
    const QPointF centre(view().width() / 2.0, view().height() / 2.0);
    cone.stars[0].point = {float(centre.x()), float(centre.y())};
    QTest::mouseClick(&view(), Qt::LeftButton, Qt::ControlModifier, widgetPoint(centre));
    EXPECT_EQ(prefs().findIndex(), kNoObjectIndex);
    EXPECT_FALSE(cone.has);
}

TEST_F(SVPointerTest, MoonLabelToggleIsBlockedByAMirrorOrAMissingImage)
{
    QTemporaryDir withLabels;
    QImage label(8, 8, QImage::Format_ARGB32);
    label.fill(Qt::white);
    label.save(withLabels.filePath("MoonLabel.png"));
    QTemporaryDir withoutLabels;
    ChartImageSet shipped(withLabels.path() + "/", QString());
    ChartImageSet missing(withoutLabels.path() + "/", QString());
    shipped.createObjectSymbols();
    missing.createObjectSymbols();
    struct Case {
        const ChartImageSet* images;
        bool isMirrored;
        bool toggles;
    };
    const QPointF centre(view().width() / 2.0, view().height() / 2.0);
    for (const Case& c : {Case{&shipped, false, true}, Case{&shipped, true, false}, Case{&missing, false, false},
                          Case{nullptr, false, false}}) {
        view().setChartImages(c.images);
        prefs().scopes()[0].isRevEW = c.isMirrored;
        view().discState() = SVDiscState{true, false, centre, 40.0f, {}, {}};
        prefs().setFindIndex(kNoObjectIndex);
        QTest::mouseClick(&view(), Qt::LeftButton, Qt::NoModifier, widgetPoint(centre + QPointF(30, 20)));
        EXPECT_EQ(view().discState().isMoonLabel, c.toggles) << c.isMirrored << " " << (c.images == &shipped);
        EXPECT_EQ(prefs().findIndex(), kNoObjectIndex) << "a click on the Moon's disc selects nothing else";
    }
    view().setChartImages(nullptr);
}

TEST_F(SVPointerTest, ThePlainWheelZoomsWithinRangeShiftOrCtrlWheelPansAndDragsMeasure)
{
    drawPass();
    const QPoint c(view().width() / 2, view().height() / 2);
    const auto wheel = [&](int notches, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(c, view().mapToGlobal(c), QPoint(), QPoint(0, notches * 120), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view(), &event);
    };
    for (const int notches : {400, -400}) {
        wheel(notches, Qt::NoModifier);
        EXPECT_NEAR(drawer().power(), notches > 0 ? 8000.0 : 6.0, 2.0);
    }
    for (const Qt::KeyboardModifier modifier : {Qt::ShiftModifier, Qt::ControlModifier}) {
        const double power = drawer().power();
        const double dec = view().state().deltaDec();
        wheel(1, modifier);
        EXPECT_EQ(drawer().power(), power);
        EXPECT_NE(view().state().deltaDec(), dec);
    }
    // A separation drag of 100 points at this scale.
    QTest::mousePress(&view(), Qt::LeftButton, Qt::AltModifier, c);
    QMouseEvent move(QEvent::MouseMove, QPointF(c + QPoint(100, 0)), view().mapToGlobal(QPointF(c + QPoint(100, 0))),
                     Qt::NoButton, Qt::LeftButton, Qt::AltModifier);
    QApplication::sendEvent(&view(), &move);
    const double s = std::asin(100.0 / view().angles().svRadius) * 114.5915590261646;
    EXPECT_EQ(view().state().angleSeparation().degSep, int(s));
    EXPECT_TRUE(view().state().isAngleSep());
    QTest::mouseRelease(&view(), Qt::LeftButton, Qt::AltModifier, c + QPoint(100, 0));
    EXPECT_FALSE(view().state().isAngleSep());
}

TEST(SVPointerZoom, TheCentreMovesTowardThePointerByWhatItsDistanceLoses)
{
    const SVViewState::Centre centre{1.0, 0.3};
    for (const QPointF offset : {QPointF(0, 0), QPointF(100, 0)}) {
        const SVViewState::Centre same = SVPointer::movedCentre(centre, offset, offset.isNull() ? 900 : 1000, 1000);
        EXPECT_NEAR(same.ra, centre.ra, 1e-12);
        EXPECT_NEAR(same.dec, centre.dec, 1e-12);
    }
    // North (up) of the centre: the declination grows by the distance lost.
    const SVViewState::Centre north = SVPointer::movedCentre(centre, {0, 100}, 1000, 2000);
    EXPECT_NEAR(north.dec - centre.dec, 2.0 * (std::atan(0.1) - std::atan(0.05)), 1e-12);
    EXPECT_NEAR(north.ra, centre.ra, 1e-12);
    // East is to the left: a point left of the centre pulls the right ascension up.
    EXPECT_GT(SVPointer::movedCentre(centre, {-100, 0}, 1000, 2000).ra, centre.ra);
    // Across the pole the declination stays a declination.
    EXPECT_LE(SVPointer::movedCentre({0.0, 1.5707}, {0, 400}, 100, 4000).dec, Angles::kPi / 2);
}

TEST_F(SVPointerTest, TheWheelKeepsTheSkyUnderThePointerAndTheViewFollowsItsCentre)
{
    drawPass();
    const double reach = 0.5 * view().angles().svAngle;
    const UnitVector u = UnitVector::fromRADec(1.0 + reach / std::cos(0.3), 0.3 - 0.6 * reach);
    const auto pointAt = [&] {
        drawPass();
        return view().projection()->projectJ2000(u.x, u.y, u.z).value_or(QPointF(-1, -1));
    };
    const QPointF before = pointAt();
    const QPoint pointer = widgetPoint(before);
    for (const int notches : {6, -9}) {
        const double power = drawer().power();
        QWheelEvent event(pointer, view().mapToGlobal(pointer), QPoint(), QPoint(0, notches * 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view(), &event);
        EXPECT_EQ(drawer().power() > power, notches > 0);
        const QPointF after = pointAt();
        EXPECT_NEAR(after.x(), before.x(), 1.0) << notches;
        EXPECT_NEAR(after.y(), before.y(), 1.0) << notches;
    }
    // The pan rides on the tracked centre: a new mount place moves the view with it.
    const double pan = view().state().deltaRA();
    EXPECT_NE(pan, 0.0);
    view().setTrackRA(1.1, 0.3);
    EXPECT_EQ(view().state().deltaRA(), pan);
}

TEST_F(SVPointerTest, BottomBarAndTheLightsFade)
{
    mount.connected = true;
    mount.threadUpdate = true;
    view().setTrackRA(-0.01, -0.5 * Angles::kDegToRad);
    window().updateBottomPanel();
    EXPECT_TRUE(window().svRADecText().text().contains("RA: 23h 57m 42s"));
    EXPECT_TRUE(window().svRADecText().text().contains(QString("Dec: -0%1 30' 0.0\"").arg(kDegree)));
    EXPECT_FALSE(mount.threadUpdate);
    mount.threadUpdate = true;
    mount.slewing = true;
    window().updateBottomPanel();
    EXPECT_TRUE(mount.threadUpdate);  // no fade while it slews
}

}  // namespace
