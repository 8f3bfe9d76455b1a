#include "app/display/WindowManagerTest.h"
#include "app/MountLink.h"
#include "app/ScopeViewAssembly.h"
#include "chart/ChartOutlets.h"
#include "chart/TimePanel.h"
#include "chart/menus/ChartMenuBar.h"
#include "model/settings/PrefControl.h"
#include "mount/MountProtocols.h"
#include "mount/ScopeControl.h"
#include "mount/SerialControl.h"
#include "mount/panels/ConnectMenu.h"
#include "mount/panels/HandControlPanelSet.h"
#include "mount/panels/HandPanel.h"
#include "platform/widgets/MessageBoxPresenter.h"
#include "scopeview/ScopeViewControl.h"
#include "support/ColonCommandMount.h"
#include "support/LX200Personality.h"
#include "support/PtyDevice.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>
#include <optional>
#include <string>

using WindowStackingTest = WindowManagerTest;

namespace {

// Generous: the machine may be loaded; the mount's own limits are shorter.
constexpr int kWaitMs = 20000;
// The Connect menu's tags: the first telescope, the 2 s poll rate.
constexpr int kFirstScopeTag = 0;
constexpr int kTwoSecondPollTag = 5;

// Which window has the keyboard, by its kind: the hand panel and the
// telescope view both carry the mount's name.
std::string activeKind()
{
    const QWidget* active = QApplication::activeWindow();
    return active ? active->metaObject()->className() : "none";
}

void pointerTo(QPoint at)
{
    QProcess::execute("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y())});
}

// Where the pointer last moved within a window, as the program was told.
class PointerMoves final : public QObject {
public:
    explicit PointerMoves(QWidget& window) { window.windowHandle()->installEventFilter(this); }
    QPoint last;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseMove)
            last = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        return false;
    }
};

}  // namespace

TEST_F(WindowStackingTest, AWindowFromTheMenuStaysAboveTheChartAndAnAlertAboveEveryPanel)
{
    SkyWindow& sky = chart->skyWindow();
    sky.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sky));
    settle();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const std::optional<QRect> skyFrame = settledFrame(sky);
    ASSERT_TRUE(skyFrame.has_value());
    EXPECT_TRUE(screen.contains(skyFrame->topLeft())) << "the chart's title bar is on screen";

    chart->menuBar().windowMenu().menuAction(WindowMenuActions::kScopeViewTag);
    SVWindow& view = scopeView->svWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    settle();
    ASSERT_GE(level(sky), 0);
    EXPECT_GT(level(view), level(sky));

    // The pointer crossing the chart gives it the keyboard, not the top.
    const QPoint middle = sky.mapToGlobal(sky.rect().center());
    QProcess::execute("xdotool", {"mousemove", QString::number(middle.x()), QString::number(middle.y())});
    settle();
    sky.activateWindow();
    settle();
    EXPECT_GT(level(view), level(sky));

    chart->outlets().timeControlPanel->orderFront();
    chart->outlets().directionControlPanel->orderFront();
    settle();
    qsizetype alertLevel = -1;
    qsizetype top = -2;
    QTimer::singleShot(800, [&] {
        if (QWidget* alert = QApplication::activeModalWidget()) {
            alertLevel = level(*alert);
            top = stacking().size() - 1;
            alert->close();
        }
    });
    MessageBoxPresenter().showAlert("Reset all preferences?", " ");
    EXPECT_EQ(alertLevel, top) << "the alert is the topmost window";
}

TEST_F(WindowStackingTest, AConnectedMountsHandPanelKeepsTheKeyboardWhileTheTelescopeViewComesToTheFront)
{
    ASSERT_TRUE(launch());
    SkyWindow& sky = chart->skyWindow();
    sky.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &sky; }, kWaitMs));
    settle();

    PtyDevice port;
    ColonCommandMount mount(
        std::make_unique<LX200Personality>(LX200Personality::Kind::Autostar, LX200Personality::Options{}));
    mount.attach(port.simulator());
    port.start();
    PrefControl& prefs = chart->prefControl();
    prefs.scopes()[0].mountProtocol = kProtocolLX200;
    prefs.setScopeNamesArray({"LX200", "", "", "", ""});
    ConnectMenu& menu = *chart->mountLink().connectMenu();
    menu.setupConnectMenu();
    chart->mountLink().serialControl().setExtraPorts({port.path()});
    const auto choose = [&menu](int tag) {
        menu.validateMenu();
        QAction* item = menu.itemWithTag(tag);
        ASSERT_NE(item, nullptr);
        item->trigger();
    };
    ASSERT_NO_FATAL_FAILURE(choose(kFirstScopeTag));
    ScopeControl& scope = chart->scopeControl();
    ASSERT_TRUE(QTest::qWaitFor([&] { return scope.isConnected() && scope.hasScopePort(); }, kWaitMs));
    ASSERT_NO_FATAL_FAILURE(choose(kTwoSecondPollTag));

    HandPanel& hand = *chart->mountLink().handPanels().panel(MountPanel::LX200);
    SVWindow& view = scopeView->svWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&hand));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &hand; }, kWaitMs));
    // Nothing takes the keyboard back once the window manager is done.
    settle();
    EXPECT_EQ(QApplication::activeWindow(), &hand) << "active: " << activeKind();
    EXPECT_GT(level(view), level(sky)) << "the telescope view is in front of the chart";

    // Hidden, the view comes back with the next position, and leaves the
    // keyboard where the user has it. The pointer rests on the view: hiding,
    // the view leaves it over the chart, which is told the pointer entered
    // though it never moved.
    const std::optional<QRect> viewFrame = settledFrame(view);
    ASSERT_TRUE(viewFrame.has_value());
    pointerTo(viewFrame->center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.underMouse(); }, kWaitMs));
    hand.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &hand; }, kWaitMs));
    chart->outlets().svControl->orderOut();
    ASSERT_FALSE(view.isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.isVisible(); }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    settle();
    EXPECT_EQ(QApplication::activeWindow(), &hand) << "active: " << activeKind();
    EXPECT_GT(level(view), level(sky));

    // The window manager moving or shrinking the view from under the still
    // pointer leaves the chart under it, which is told the pointer entered
    // before the program learns that the view changed. The pointer last
    // moved within the view.
    PointerMoves moves(view);
    const auto fromUnderThePointer = [&](const char* change, const QStringList& command) {
        const std::optional<QRect> frame = settledFrame(view);
        ASSERT_TRUE(frame.has_value());
        const QPoint onView = frame->center();
        pointerTo(onView);
        ASSERT_TRUE(QTest::qWaitFor([&] { return view.underMouse(); }, kWaitMs)) << change;
        const QPoint within = onView + QPoint(5, 5);
        pointerTo(within);
        ASSERT_TRUE(QTest::qWaitFor([&] { return moves.last == within; }, kWaitMs)) << change;
        hand.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &hand; }, kWaitMs)) << change;
        QProcess::execute("xdotool", QStringList{command[0], QString::number(view.winId())} + command.mid(1));
        ASSERT_TRUE(QTest::qWaitFor([&] { return sky.underMouse(); }, kWaitMs)) << change;
        settle();
        EXPECT_EQ(QApplication::activeWindow(), &hand) << "the view " << change << ", active: " << activeKind();
    };
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QPoint aside = settledFrame(view).value_or(QRect()).center().x() < screen.center().x()
                             ? QPoint(screen.right() - view.width() - 40, 40)
                             : QPoint(40, 40);
    fromUnderThePointer("moved", {"windowmove", QString::number(aside.x()), QString::number(aside.y())});
    fromUnderThePointer("shrunk", {"windowsize", QString::number(view.width() / 3), QString::number(view.height() / 3)});

    scope.disconnect();
}
