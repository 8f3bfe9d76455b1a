#include "app/display/WindowManagerTest.h"

#include "chart/ChartOutlets.h"
#include "chart/TimePanel.h"
#include "chart/menus/ChartMenuBar.h"
#include "chart/menus/WindowMenuActions.h"
#include "scopeview/SVWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QProcess>

#include <functional>

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

// Counts the key presses that reach a window or a widget in it.
class KeysReaching final : public QObject {
public:
    explicit KeysReaching(const QWidget& window) : m_window(window) { qApp->installEventFilter(this); }
    ~KeysReaching() override { qApp->removeEventFilter(this); }
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
            if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->window() == &m_window)
                ++m_count;
        return false;
    }

private:
    const QWidget& m_window;
    int m_count = 0;
};

// Whether the window manager shows the window as a window, not iconified
// nor withdrawn.
bool isUp(const QWidget& window) { return wmState(window) == QLatin1String("Normal") && window.isVisible(); }

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

TEST_F(InactiveWindowsTest, AHeldDragOrResizeByTheWindowManagerLeavesEveryWindowUpAndTakingKeys)
{
    ASSERT_TRUE(launch());
    settle();
    SkyWindow& sky = chart->skyWindow();
    // Every window hides while the program is inactive, as the settings start.
    ASSERT_TRUE(sky.hidesOnDeactivate());
    chart->menuBar().windowMenu().menuAction(WindowMenuActions::kScopeViewTag);
    SVWindow& view = scopeView->svWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ASSERT_TRUE(settledFrame(view));

    struct Gesture {
        const char* name;
        QWidget* window;
        std::function<bool()> make;
    };
    const auto titleBarDrag = [](QWidget& window, QPoint by) {
        return [&window, by] {
            const std::optional<QPoint> bar = framePixel(window, 0.4, 0.5);
            return bar && heldDrag(*bar, by);
        };
    };
    const Gesture gestures[] = {
        {"a resize of the chart by its frame's corner", &sky,
         [&sky] {
             const std::optional<QPoint> corner = framePixel(sky, 1.0, 1.5);
             return corner && heldDrag(*corner - QPoint(2, 0), {-120, -90});
         }},
        {"a drag of the chart by its title bar", &sky, titleBarDrag(sky, {60, 40})},
        {"a drag of the telescope view by its title bar", &view, titleBarDrag(view, {80, 60})},
        {"the window manager's Alt+drag of the telescope view", &view,
         [&view] {
             const std::optional<QPoint> content = pixelsOf(view);
             const QPoint middle = QPoint(view.width(), view.height()) * view.devicePixelRatioF() / 2;
             return content && heldDrag(*content + middle, {-60, 50}, QStringLiteral("alt"));
         }},
    };
    for (const Gesture& gesture : gestures) {
        QWidget& window = *gesture.window;
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }, kWaitMs))
            << gesture.name;
        const std::optional<QRect> before = settledFrame(window);
        ASSERT_TRUE(before) << gesture.name;
        ASSERT_TRUE(gesture.make()) << gesture.name;
        EXPECT_TRUE(QTest::qWaitFor([&] { return frameOf(window) != before; }, kWaitMs))
            << gesture.name << " did not move or resize the window";

        // The user types into the window at once.
        KeysReaching keys(window);
        ASSERT_TRUE(xdotool({"key", "Right"})) << gesture.name;
        EXPECT_TRUE(QTest::qWaitFor([&] { return keys.count() > 0; }, kWaitMs))
            << gesture.name << ": the key went elsewhere, active window " << activeWindow();
        EXPECT_TRUE(isActive()) << gesture.name;
        EXPECT_TRUE(isUp(sky)) << gesture.name << ": the chart is " << wmState(sky).toStdString();
        EXPECT_TRUE(isUp(view)) << gesture.name << ": the telescope view is " << wmState(view).toStdString();
    }
}
