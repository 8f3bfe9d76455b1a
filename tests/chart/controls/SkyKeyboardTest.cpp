#include "chart/controls/ControlsFixture.h"

#include <gtest/gtest.h>

#include <QTest>

namespace {

constexpr double kPanStepFactor = 0.09948376736367681;

class SkyKeyboardTest : public ControlsTest {
protected:
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&view(), key, modifiers);
    }
    void type(char c) { QTest::keyClick(&view(), c); }
    // The view field that makes the arrow keys step by `degrees` at speed 51.
    static double fieldForStep(double degrees) { return degrees / (kPanStepFactor * 0.51); }
};

TEST_F(SkyKeyboardTest, ArrowKeysKeepTheViewInRange)
{
    PrefControl& p = settings();
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool below;
        double azimuth, altitude, field;
        double wantAzimuth, wantAltitude, wantField;
    };
    const double step5 = fieldForStep(5.0);
    const double step30 = fieldForStep(30.0);
    const Case cases[] = {
        {"up stops at the zenith", Qt::Key_Up, {}, false, 10, 88, step30, 10, 90, step30},
        {"down stops at the horizon", Qt::Key_Down, {}, false, 10, 3, step5, 10, 0, step5},
        {"down goes below with show-below", Qt::Key_Down, {}, true, 10, 3, step5, 10, -2, step5},
        {"down stops at the nadir", Qt::Key_Down, {}, true, 10, -88, step30, 10, -90, step30},
        {"left wraps below north", Qt::Key_Left, {}, false, 2, 20, step5, 357, 20, step5},
        {"right wraps past north", Qt::Key_Right, {}, false, 358, 20, step5, 3, 20, step5},
        {"alt+up zooms in to 5", Qt::Key_Up, Qt::AltModifier, false, 10, 20, 6, 10, 20, 5},
        {"alt+down zooms out to 180", Qt::Key_Down, Qt::AltModifier, false, 10, 20, 178, 10, 20, 180},
        {"plus zooms in by 5 s", Qt::Key_Plus, {}, false, 10, 20, 60, 10, 20, 57.45},
        {"minus zooms out by 5 s", Qt::Key_Minus, {}, false, 10, 20, 60, 10, 20, 62.55},
    };
    for (const Case& c : cases) {
        if (p.isBelow() != c.below)
            p.setIsBelow();
        p.setAzimuth(c.azimuth);
        p.setAltitude(c.altitude);
        p.setViewAngle(c.field);
        press(c.key, c.modifiers);
        EXPECT_NEAR(p.azimuth(), c.wantAzimuth, 1e-9) << c.name;
        EXPECT_NEAR(p.altitude(), c.wantAltitude, 1e-9) << c.name;
        EXPECT_NEAR(p.viewAngle(), c.wantField, 1e-9) << c.name;
    }
    // View keys redraw without forcing the time-dependent places.
    EXPECT_FALSE(fakes.log.calls.contains("model.calculateStarPositions true"));
    EXPECT_EQ(fakes.log.calls.count("skyView.display"), int(std::size(cases)));
}

TEST_F(SkyKeyboardTest, TimeKeysStepTheDateUnlessAMountIsConnected)
{
    PrefControl& p = settings();
    press(Qt::Key_Right, Qt::AltModifier);
    EXPECT_NEAR(secondsMoved(), 30.6, 1e-9);
    press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_NEAR(secondsMoved(), 0.0, 1e-9);
    EXPECT_EQ(fakes.log.calls.count("timePanel.setupDate"), 2);
    EXPECT_EQ(fakes.log.calls.count("bottomPanel.updateBottomPanel"), 2);

    // A running real-time clock stops at the first time key.
    p.setIsRunRealTime(true, false);
    press(Qt::Key_Right, Qt::AltModifier);
    EXPECT_FALSE(p.isRunRealTime());

    fakes.mount.connected = true;
    const QDateTime before = skyDate->skyDate();
    p.saveShortcutPref(QString(38, '-') + "t---");
    press(Qt::Key_Right, Qt::AltModifier);
    type('t');
    EXPECT_EQ(skyDate->skyDate(), before);
    EXPECT_EQ(beeps, 2);
}

TEST_F(SkyKeyboardTest, ShortcutPositionsRunTheFirstPositionThatHoldsTheKey)
{
    PrefControl& p = settings();
    // "a" at 40 (one sidereal day on) and 20; "b" at 41 (back).
    QString shortcuts(42, '-');
    shortcuts[40] = 'a';
    shortcuts[41] = 'b';
    shortcuts[3] = 'n';
    shortcuts[9] = 'n';
    p.saveShortcutPref(shortcuts);
    type('a');
    EXPECT_NEAR(secondsMoved(), 86160.0, 1e-9);
    type('b');
    EXPECT_EQ(skyDate->skyDate(), kMoment);

    p.setAzimuth(123.0);
    p.setViewAngle(100.0);
    type('n');
    EXPECT_EQ(p.azimuth(), 0.0);
    EXPECT_EQ(p.viewAngle(), 100.0);

    // Upper and lower case differ; a key in no position only redraws.
    fakes.log.calls.clear();
    type('N');
    EXPECT_EQ(fakes.log.calls, QStringList({"model.calculateStarPositions false", "skyView.display"}));
}

TEST_F(SkyKeyboardTest, FiguresAreTintedTheFirstTimeTheyAreSwitchedOn)
{
    PrefControl& p = settings();
    const bool wasOn = p.isMyth();
    for (int i = 0; i < 4; ++i)
        keyboard->runShortcut(17);
    EXPECT_EQ(p.isMyth(), wasOn);
    EXPECT_EQ(fakes.log.calls.count("images.recolorMythForms"), 1);
    // The figures' layer needs the forced pass, and gets no second redraw.
    EXPECT_EQ(fakes.log.calls.count("model.calculateStarPositions true"), 4);
    EXPECT_EQ(fakes.log.calls.count("skyView.display"), 4);
}

TEST_F(SkyKeyboardTest, SpaceStopsOnlyASlewingMount)
{
    press(Qt::Key_Space);
    fakes.mount.slewing = true;
    press(Qt::Key_Space);
    EXPECT_EQ(fakes.log.calls.count("mount.stopSlewing"), 1);
    EXPECT_EQ(fakes.log.calls.count("skyView.display"), 2);
}

TEST_F(SkyKeyboardTest, AltShiftF12SwitchesTheDebugTitle)
{
    QWidget& window = *view().window();
    press(Qt::Key_F12, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(window.windowTitle(), "Norvane Pro - Debug Mode");
    press(Qt::Key_F12, Qt::ShiftModifier);
    EXPECT_TRUE(settings().isDebug());
    press(Qt::Key_F12, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(window.windowTitle(), "Norvane Pro");
    EXPECT_TRUE(fakes.log.calls.isEmpty());
}

}  // namespace
