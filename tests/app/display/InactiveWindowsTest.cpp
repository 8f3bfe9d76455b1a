#include "app/display/WindowManagerTest.h"

#include "chart/ChartOutlets.h"
#include "chart/TimePanel.h"
#include "chart/menus/ChartMenuBar.h"
#include "chart/menus/WindowMenuActions.h"
#include "scopeview/SVWindow.h"

#include <QGuiApplication>
#include <QProcess>

namespace {

using InactiveWindowsTest = WindowManagerTest;

constexpr int kWaitMs = 10000;

// The window's state as the window manager keeps it: "Normal", "Iconic", or
// empty while the window is withdrawn.
QString wmState(const QWidget& window)
{
    QProcess state;
    state.start(QStringLiteral("xprop"), {"-id", QString::number(window.winId()), "WM_STATE"});
    state.waitForFinished(5000);
    const QString text = QString::fromLatin1(state.readAllStandardOutput());
    for (const char* name : {"Normal", "Iconic"})
        if (text.contains(QLatin1String("window state: ") + QLatin1String(name)))
            return QString::fromLatin1(name);
    return {};
}

bool xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(kWaitMs) && process.exitCode() == 0;
}

bool isActive() { return QGuiApplication::applicationState() == Qt::ApplicationActive; }

}  // namespace

TEST_F(InactiveWindowsTest, AWindowTheWindowManagerRestoredIsNotMinimisedWhenItComesBackLater)
{
    ASSERT_TRUE(launch());
    settle();
    chart->menuBar().windowMenu().menuAction(WindowMenuActions::kScopeViewTag);
    SVWindow& view = scopeView->svWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    chart->skyWindow().close();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor(isActive, kWaitMs));

    OtherProgram other;
    const auto switchAway = [&]() -> testing::AssertionResult {
        testing::AssertionResult activated = other.activate();
        if (activated && !QTest::qWaitFor([] { return !isActive(); }, kWaitMs))
            return testing::AssertionFailure() << "the program stayed active";
        return activated;
    };

    // The last window shown is minimised while the program is inactive, and
    // the window manager restores it when the user picks it.
    ASSERT_TRUE(switchAway());
    EXPECT_TRUE(QTest::qWaitFor([&] { return wmState(view) == QLatin1String("Iconic"); }, kWaitMs));
    ASSERT_TRUE(xdotool({"windowactivate", QString::number(view.winId())}));
    ASSERT_TRUE(QTest::qWaitFor(isActive, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return wmState(view) == QLatin1String("Normal"); }, kWaitMs));

    // With another window up, it is hidden instead, and shown again as it was.
    QWidget* time = dynamic_cast<QWidget*>(chart->outlets().timeControlPanel);
    ASSERT_NE(time, nullptr);
    chart->outlets().timeControlPanel->orderFront();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(time));
    settle();
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(switchAway());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !view.isVisible(); }, kWaitMs)) << round;
        ASSERT_TRUE(xdotool({"windowactivate", QString::number(time->winId())}));
        ASSERT_TRUE(QTest::qWaitFor(isActive, kWaitMs));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !wmState(view).isEmpty(); }, kWaitMs)) << round;
        settle();
        EXPECT_EQ(wmState(view), QLatin1String("Normal")) << round;
        EXPECT_FALSE(view.isMinimized()) << round;
    }

    time->close();
}
