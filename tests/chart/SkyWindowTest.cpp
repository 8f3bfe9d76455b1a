#include "ChartWindowFixture.h"
#include "support/PointerCrossings.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <functional>
#include <utility>

namespace {

class SkyWindowTest : public ChartWindowTest {};

const QStringList kForcedRedraw = {"model.calculateStarPositions true", "skyView.display",
                                   "bottomPanel.updateBottomPanel"};

// Counts the paints that reach a widget.
class PaintCount final : public QObject {
public:
    explicit PaintCount(QWidget& widget) { widget.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

}  // namespace

TEST_F(SkyWindowTest, TheChartGainingOrLosingTheKeyboardIsNotRedrawn)
{
    SkyWindow& window = makeWindow();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    PaintCount paints(view());
    // Until the frame has been fitted on screen and its resize has settled.
    for (int seen = -1; seen != paints.count;) {
        seen = paints.count;
        QTest::qWait(400);
    }
    paints.count = 0;

    QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(&view(), &in);
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(&view(), &out);
    QTest::qWait(200);
    EXPECT_EQ(paints.count, 0);
    // What does change the chart still draws it.
    view().update();
    EXPECT_TRUE(QTest::qWaitFor([&] { return paints.count > 0; }, 5000));
}

TEST_F(SkyWindowTest, TheWindowOpensOverTheFirstScreensVisibleAreaAndClosingKeepsItClosed)
{
    SkyWindow& window = makeWindow();

    EXPECT_EQ(window.windowTitle(), "Norvane Pro");
    ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
    EXPECT_EQ(window.screenRect(), QGuiApplication::primaryScreen()->availableGeometry());
    EXPECT_EQ(window.geometry(), window.screenRect());
    EXPECT_EQ(window.centralWidget(), &view());
    EXPECT_FALSE(window.keepSWClosed());

    // Until the window menu shows it again.
    QCloseEvent close;
    QCoreApplication::sendEvent(&window, &close);
    EXPECT_TRUE(close.isAccepted());
    EXPECT_TRUE(window.keepSWClosed());
}

TEST_F(SkyWindowTest, OnceLaunchedFullScreenKeepsTheWindowUpAndZoomingReprojectsWithoutForce)
{
    SkyWindow& window = makeWindow();
    window.show();
    window.setHide(true);
    window.setWindowState(Qt::WindowFullScreen);
    window.setWindowState(Qt::WindowMaximized);
    window.setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(fakes.log.calls.isEmpty());

    view().setHasLaunched();
    window.setWindowState(Qt::WindowFullScreen);
    EXPECT_FALSE(window.hidesOnDeactivate());
    EXPECT_EQ(fakes.log.calls, kForcedRedraw);
    fakes.log.calls.clear();
    window.setWindowState(Qt::WindowNoState);
    // Back to what the settings say.
    EXPECT_TRUE(window.hidesOnDeactivate());
    EXPECT_EQ(fakes.log.calls, kForcedRedraw);
    fakes.log.calls.clear();

    window.setWindowState(Qt::WindowMaximized);
    window.setWindowState(Qt::WindowNoState);
    const QStringList redraw = {"model.calculateStarPositions false", "skyView.display"};
    EXPECT_EQ(fakes.log.calls, redraw + redraw);
}

TEST_F(SkyWindowTest, AnInactiveApplicationMinimisesAHidingWindowUntilItIsActiveAgain)
{
    SkyWindow& window = makeWindow();
    window.show();
    window.setHide(true);

    window.applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_TRUE(window.isMinimized());
    window.applicationStateChanged(Qt::ApplicationActive);
    EXPECT_FALSE(window.isMinimized());

    // One the user minimised stays so.
    window.setWindowState(Qt::WindowMinimized);
    window.applicationStateChanged(Qt::ApplicationInactive);
    window.applicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(window.isMinimized());

    window.setWindowState(Qt::WindowNoState);
    window.setHide(false);
    window.applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(window.isMinimized());
}

TEST_F(SkyWindowTest, ThePointerBringsTheKeyboardToTheChartUnlessAFieldHasItOrThePointerStoodStill)
{
    SkyWindow& window = makeWindow();
    window.show();
    QWidget view(nullptr, Qt::Tool);
    view.show();
    QWidget panel(&window, Qt::Tool);
    auto* field = new QLineEdit(&panel);
    auto* button = new QPushButton(&panel);
    button->move(0, 40);
    panel.show();
    panel.activateWindow();
    if (!QTest::qWaitForWindowActive(&panel))
        GTEST_SKIP() << "this platform gives no window the keyboard";
    // The window system tells a window the pointer entered, and the
    // platform reads from its crossing whether the pointer moved.
    const auto chartToldOfEntry = [&window] {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(&window, &enter);
    };
    const auto at = [&window](int x) { return window.mapToGlobal(QPoint(x, 5)); };
    const auto pointerMovesIn = [&](int x) {
        QCursor::setPos(at(x));
        PointerCrossings::crosses(&view, &window, at(x));
        chartToldOfEntry();
    };
    // A window asked for the keyboard gets it through the window system's
    // queue: delivered, the panel still having it shows none was asked for.
    const auto activationsDelivered = [] { QCoreApplication::processEvents(); };

    field->setFocus();
    pointerMovesIn(5);
    activationsDelivered();
    EXPECT_TRUE(panel.isActiveWindow());

    // Another window of the program going from under the still pointer
    // leaves the chart under it: the user did not move into the chart.
    button->setFocus();
    QCursor::setPos(at(6));
    PointerCrossings::crosses(&window, &view, at(6));
    view.hide();
    PointerCrossings::crosses(&view, &window, at(6));
    chartToldOfEntry();
    activationsDelivered();
    EXPECT_TRUE(panel.isActiveWindow());

    // The window manager moving or shrinking the view from under the still
    // pointer: the chart is told the pointer entered before the program
    // learns that the view changed.
    view.show();
    panel.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"moved", [&view] { view.move(view.pos() + QPoint(300, 0)); }},
        {"shrunk", [&view] { view.resize(1, 1); }},
    };
    int x = 7;
    for (const auto& [change, made] : changes) {
        QCursor::setPos(at(++x));
        PointerCrossings::crosses(&window, &view, at(x));
        PointerCrossings::movesWithin(view, at(++x));
        QCursor::setPos(at(x));
        PointerCrossings::crosses(&view, &window, at(x));
        chartToldOfEntry();
        made();
        activationsDelivered();
        EXPECT_TRUE(panel.isActiveWindow()) << "the view " << change;
    }

    pointerMovesIn(7);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}
