#include "chart/controls/ControlsFixture.h"

#include "chart/controls/PanStep.h"
#include "chart/controls/SkyMouse.h"
#include "model/StarDatabaseModel.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

namespace {

constexpr QSize kViewSize(800, 600);

// The chart view with the real mouse handling over a model projected for a
// fixed view; the finder fake selects `fakes.parts.selection`.
class SkyMouseTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        view().window()->show();
        view().resize(kViewSize);
        PrefControl& p = settings();
        p.setSkyViewRect(QRectF(QPointF(0, 0), kViewSize));
        p.setLatitude(40.0);
        p.setViewAngle(90.0);
        p.setAltitude(30.0);
        p.setAzimuth(200.0);
        model.setLinks(p, *skyDate);
        model.calculateStarPositions(true);
        mouse = std::make_unique<SkyMouse>(p, model, *time, outlets, *chain, view().mouseParts());
        view().setMouse(mouse.get());
        fakes.log.calls.clear();
    }
    void TearDown() override { view().setMouse(nullptr); }

    QPoint centre() const { return {kViewSize.width() / 2, kViewSize.height() / 2}; }
    void click(QPoint at, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(&view(), Qt::LeftButton, modifiers, at);
    }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(&view(), Qt::LeftButton, modifiers, from);
        QTest::mouseMove(&view(), to);
        QTest::mouseRelease(&view(), Qt::LeftButton, modifiers, to);
    }
    void wheel(QPoint notches, Qt::KeyboardModifiers modifiers = {}, QPoint at = {}, QPoint pixels = {})
    {
        const QPointF point(at.isNull() ? centre() : at);
        QWheelEvent event(point, view().mapToGlobal(point), pixels, notches * 120, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view(), &event);
    }
    int count(const char* call) const { return int(fakes.log.calls.count(call)); }

    StarDatabaseModel model;
    std::unique_ptr<SkyMouse> mouse;
};

TEST(PanStep, StaysInRangeAndBoundedNearTheZenith)
{
    struct Case {
        const char* name;
        ViewDirection view;
        QPointF move;
        double radius, mouseAlt;
        bool below;
        double wantAzimuth, wantAltitude;
    };
    const double r = 400.0;
    // asin(2 * 20 / 400) = 5.739 degrees.
    const double step = std::asin(0.1) * 57.2957795130823;
    const Case cases[] = {
        {"up to the zenith, no further", {10, 88}, {0, 20}, r, 0, false, 10, 90},
        {"down to the horizon", {10, 2}, {0, -20}, r, 0, false, 10, 0},
        {"below with show-below", {10, 2}, {0, -20}, r, 0, true, 10, 2 - step},
        {"right lowers the azimuth through north", {2, 10}, {20, 0}, r, 0, false, 362 - step, 10},
        {"altitude 85 scales as 80", {100, 10}, {20, 0}, r, 85, false, 100 - step / std::cos(80 * M_PI / 180), 10},
        {"a step past half the radius turns 90 at most", {100, 0}, {0, 500}, r, 0, false, 100, 90},
        {"no projection yet", {100, 10}, {50, 50}, 0.0, 0, false, 100, 10},
    };
    for (const Case& c : cases) {
        const ViewDirection got = panStep(c.view, c.move, c.radius, c.mouseAlt, c.below);
        EXPECT_NEAR(got.azimuth, c.wantAzimuth, 1e-9) << c.name;
        EXPECT_NEAR(got.altitude, c.wantAltitude, 1e-9) << c.name;
    }
}

TEST_F(SkyMouseTest, DraggingPansTheSkyWithinRange)
{
    PrefControl& p = settings();
    // Dragging down raises the view centre; a long drag stops at the zenith.
    for (int i = 0; i < 5; ++i)
        drag(centre(), centre() + QPoint(0, 250));
    EXPECT_EQ(p.altitude(), 90.0);
    for (int i = 0; i < 8; ++i)
        drag(centre(), centre() - QPoint(0, 250));
    EXPECT_EQ(p.altitude(), 0.0);
    p.setIsBelow();
    for (int i = 0; i < 8; ++i)
        drag(centre(), centre() - QPoint(0, 250));
    EXPECT_EQ(p.altitude(), -90.0);
    EXPECT_GE(p.azimuth(), 0.0);
    EXPECT_LT(p.azimuth(), 360.0);
    // Each step re-projects without forcing and refreshes the readouts.
    EXPECT_EQ(count("model.calculateStarPositions true"), 0);
    EXPECT_EQ(count("bottomPanel.updateBottomPanel"), count("model.calculateStarPositions false"));
}

TEST_F(SkyMouseTest, ModifiersChooseWhatAClickDoes)
{
    fakes.parts.selection = 5;
    click(centre(), Qt::ControlModifier);
    click(centre(), Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(count("finder.findTrackAction"), 2);
    click(centre(), Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(count("model.centerObject"), 1);
    EXPECT_EQ(count("finder.findTrackAction"), 2);

    // A track click on empty sky does nothing more.
    fakes.parts.selection = kNoObjectIndex;
    fakes.log.calls.clear();
    click(centre(), Qt::ControlModifier);
    EXPECT_EQ(fakes.log.calls, QStringList({"finder.findObject 400 300"}));
}

TEST_F(SkyMouseTest, AMarqueeStaysUntilTheNextPlainPressTakesItAway)
{
    drag(QPoint(100, 500), QPoint(300, 400), Qt::ShiftModifier);
    // Chart points, y upward: the view is 600 high.
    EXPECT_EQ(view().dragRect(), QRectF(100, 100, 200, 100));
    EXPECT_EQ(count("finder.findObject 100 100"), 0);

    click(QPoint(50, 50));
    EXPECT_EQ(view().dragRect().size(), QSizeF(0, 0));
    EXPECT_EQ(count("finder.findObject 50 550"), 0);
    click(QPoint(50, 50));
    EXPECT_EQ(count("finder.findObject 50 550"), 1);
}

TEST_F(SkyMouseTest, TheRulerMeasuresTheAngleBetweenItsEnds)
{
    // A direction 10 degrees from the view centre lies R tan 5° from it.
    const double offset = model.radius() * std::tan(5.0 * M_PI / 180.0);
    QTest::mousePress(&view(), Qt::LeftButton, Qt::AltModifier, centre());
    EXPECT_EQ(view().calculateAngularSeparation(false), 0.0f);
    QTest::mouseMove(&view(), centre() + QPoint(int(std::lround(offset)), 0));
    EXPECT_EQ(view().overlay().currentPt, QPointF(centre().x() + std::lround(offset), 300));
    EXPECT_NEAR(view().calculateAngularSeparation(true), 10.0, 0.05);
    QTest::mouseRelease(&view(), Qt::LeftButton, Qt::AltModifier, centre());
    EXPECT_EQ(view().startPt(), QPointF());
    EXPECT_EQ(count("finder.findObject 400 300"), 0);
}

TEST_F(SkyMouseTest, ADoubleClickOpensTheFiltersAndStartsNoDrag)
{
    fakes.parts.selection = 5;
    QTest::mouseDClick(&view(), Qt::LeftButton, {}, centre());
    EXPECT_EQ(count("prefWindow.showTab 1"), 1);
    const double azimuth = settings().azimuth();
    mouse->mouseDragged(QPointF(centre() + QPoint(100, 0)));
    EXPECT_EQ(settings().azimuth(), azimuth);
    mouse->mouseUp();

    // Without a preferences window the double click says so.
    ScopedAlertRecorder recorder;
    outlets.prefWindow = nullptr;
    QTest::mouseDClick(&view(), Qt::LeftButton, {}, centre());
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "This version has no preferences window to show the filters in.");
}

TEST_F(SkyMouseTest, ShiftWheelPansSidewaysCtrlWheelUpAndDownTheTouchpadBothWays)
{
    PrefControl& p = settings();
    const double k = 0.02617993877991495 * 90.0 * 0.51;
    const struct {
        const char* name;
        Qt::KeyboardModifiers modifiers;
        QPoint pixels;
        QPoint notches;
        double azimuth, altitude;
    } cases[] = {
        {"Shift, away", Qt::ShiftModifier, {}, {0, 1}, 200.0 - k, 30.0},
        {"Shift, toward", Qt::ShiftModifier, {}, {0, -2}, 200.0 + 2 * k, 30.0},
        {"Shift, a sideways wheel", Qt::ShiftModifier, {}, {1, 0}, 200.0 - k, 30.0},
        {"Ctrl, away", Qt::ControlModifier, {}, {0, 1}, 200.0, 30.0 + k},
        {"Ctrl, sideways", Qt::ControlModifier, {}, {1, 0}, 200.0 - k, 30.0},
        {"Ctrl+Shift", Qt::ControlModifier | Qt::ShiftModifier, {}, {0, 1}, 200.0, 30.0 + k},
        {"touchpad", Qt::NoModifier, QPoint(12, 12), {1, 1}, 200.0 - k, 30.0 + k},
        {"touchpad with Shift", Qt::ShiftModifier, QPoint(0, 12), {0, 1}, 200.0, 30.0 + k},
    };
    for (const auto& c : cases) {
        p.setAltitude(30.0);
        p.setAzimuth(200.0);
        wheel(c.notches, c.modifiers, {}, c.pixels);
        EXPECT_NEAR(p.azimuth(), c.azimuth, 1e-9) << c.name;
        EXPECT_NEAR(p.altitude(), c.altitude, 1e-9) << c.name;
        EXPECT_EQ(p.viewAngle(), 90.0) << c.name;
    }
    EXPECT_EQ(skyDate->skyDate(), kMoment);
}

TEST_F(SkyMouseTest, ThePlainWheelZoomsInAwayFromTheUserAboutThePointerAndStepsTheTime)
{
    PrefControl& p = settings();
    const QPoint pointer(600, 200);
    // The model takes chart points, y up.
    const FloatPoint under{float(pointer.x()), float(kViewSize.height() - pointer.y())};
    model.calculateCursorPosition(under);
    const double alt = model.mouseAlt();
    const double az = model.mouseAz();
    for (const int notches : {3, -2, 8}) {
        const double field = p.viewAngle();
        wheel(QPoint(0, notches), Qt::NoModifier, pointer);
        EXPECT_NEAR(p.viewAngle(), field / std::pow(1.12, notches), 1e-9) << notches;
        model.calculateStarPositions(true);
        model.calculateCursorPosition(under);
        EXPECT_NEAR(model.mouseAlt(), alt, 0.02) << notches;
        EXPECT_NEAR(model.mouseAz(), az, 0.02) << notches;
    }
    // Eight notches make about two and a half times.
    EXPECT_NEAR(90.0 / p.viewAngle(), std::pow(1.12, 9), 1e-9);
    EXPECT_NEAR(std::pow(1.12, 8), 2.5, 0.1);
    EXPECT_EQ(skyDate->skyDate(), kMoment);
    wheel(QPoint(1, 0));
    EXPECT_NEAR(secondsMoved(), -30.6, 1e-9);

    // With a mount connected the wheel still zooms, but the time stays.
    fakes.mount.connected = true;
    const double field = p.viewAngle();
    wheel(QPoint(-3, -1));
    EXPECT_GT(p.viewAngle(), field);
    EXPECT_NEAR(secondsMoved(), -30.6, 1e-9);
    EXPECT_EQ(beeps, 1);
}

TEST_F(SkyMouseTest, PinchZoomsWithinRangeAndSwipeTurnsTheView)
{
    PrefControl& p = settings();
    p.setViewAngle(100.0);
    mouse->magnify(0.1);
    EXPECT_NEAR(p.viewAngle(), 85.758, 1e-3);
    mouse->magnify(5.0);
    EXPECT_EQ(p.viewAngle(), 5.0);
    p.setViewAngle(100.0);
    mouse->magnify(-1.0);
    EXPECT_EQ(p.viewAngle(), 180.0);

    const QPointingDevice* touchpad = QPointingDevice::primaryPointingDevice();
    QNativeGestureEvent pinch(Qt::ZoomNativeGesture, touchpad, 2, QPointF(), QPointF(), QPointF(), -0.1, QPointF());
    p.setViewAngle(100.0);
    QApplication::sendEvent(&view(), &pinch);
    EXPECT_NEAR(p.viewAngle(), 114.242, 1e-3);

    p.setAzimuth(30.0);
    p.setAltitude(60.0);
    mouse->swipe(1.0, 1.0);
    EXPECT_EQ(p.azimuth(), 300.0);
    EXPECT_EQ(p.altitude(), 90.0);
}

}  // namespace
