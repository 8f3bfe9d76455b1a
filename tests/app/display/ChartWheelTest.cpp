#include "app/display/WindowManagerTest.h"

#include "model/StarDatabaseModel.h"
#include "model/settings/PrefControl.h"

#include <QProcess>

#include <cmath>

namespace {

// A real mouse's wheel over the launched chart, its turns sent through the
// X server as a user's would be.
class ChartWheelTest : public WindowManagerTest {
protected:
    void SetUp() override
    {
        WindowManagerTest::SetUp();
        if (HasFatalFailure() || IsSkipped())
            return;
        ASSERT_TRUE(launch());
        SkyWindow& sky = chart->skyWindow();
        sky.activateWindow();
        settle();
        prefs().setAzimuth(180.0);
        prefs().setAltitude(35.0);
        prefs().setViewAngle(90.0);
        chart->starDatabaseModel().calculateStarPositions(true);
        view().update();
        settle();
    }

    PrefControl& prefs() { return chart->prefControl(); }
    QWidget& view() { return chart->skyWindow().skyView(); }

    // `notches` turns of the wheel (away from the user when positive) at
    // `at` in the chart view, with `keys` ("shift", "ctrl") held.
    void turn(QPoint at, int notches, const QString& keys = {})
    {
        const QPoint global = view().mapToGlobal(at);
        xdotool({"mousemove", QString::number(global.x()), QString::number(global.y())});
        if (!keys.isEmpty())
            xdotool({"keydown", keys});
        xdotool({"click", "--repeat", QString::number(std::abs(notches)), "--delay", "30",
                 notches > 0 ? "4" : "5"});
        if (!keys.isEmpty())
            xdotool({"keyup", keys});
        settle();
    }
    static void xdotool(const QStringList& arguments) { QProcess::execute("xdotool", arguments); }

    // The altitude and azimuth under `at` (widget coordinates).
    QPointF skyUnder(QPoint at)
    {
        StarDatabaseModel& model = chart->starDatabaseModel();
        model.calculateCursorPosition({float(at.x()), float(view().height() - at.y())});
        return {model.mouseAz(), model.mouseAlt()};
    }
};

}  // namespace

TEST_F(ChartWheelTest, TheWheelZoomsInAwayFromTheUserAboutThePointer)
{
    const QPoint pointer(view().width() * 3 / 4, view().height() / 4);
    const QPointF sky = skyUnder(pointer);
    turn(pointer, 8);
    const double eight = 90.0 / prefs().viewAngle();
    EXPECT_GT(eight, 2.2) << "eight notches in";
    EXPECT_LT(eight, 2.8) << "eight notches in";
    // The pointer's sky stays under it to about a pixel.
    const double pixel = prefs().viewAngle() / view().width();
    QPointF now = skyUnder(pointer);
    EXPECT_NEAR(now.x(), sky.x(), pixel);
    EXPECT_NEAR(now.y(), sky.y(), pixel);

    turn(pointer, 17);
    now = skyUnder(pointer);
    EXPECT_NEAR(prefs().viewAngle(), 90.0 / std::pow(1.12, 25), 1e-6);
    EXPECT_NEAR(now.x(), sky.x(), 2 * prefs().viewAngle() / view().width());
    EXPECT_NEAR(now.y(), sky.y(), 2 * prefs().viewAngle() / view().width());

    turn(pointer, -25);
    EXPECT_NEAR(prefs().viewAngle(), 90.0, 1e-6) << "back out";
}

TEST_F(ChartWheelTest, ShiftWheelPansSidewaysAndCtrlWheelUpAndDown)
{
    const QPoint centre = view().rect().center();
    turn(centre, 2, "shift");
    EXPECT_LT(prefs().azimuth(), 180.0) << "Shift and the wheel away turn the view left";
    EXPECT_DOUBLE_EQ(prefs().altitude(), 35.0);
    EXPECT_DOUBLE_EQ(prefs().viewAngle(), 90.0);

    const double azimuth = prefs().azimuth();
    turn(centre, 2, "ctrl");
    EXPECT_GT(prefs().altitude(), 35.0) << "Ctrl and the wheel away raise the view";
    EXPECT_DOUBLE_EQ(prefs().azimuth(), azimuth);
    EXPECT_DOUBLE_EQ(prefs().viewAngle(), 90.0);
}
