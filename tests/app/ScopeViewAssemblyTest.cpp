#include "app/ScopeViewAssembly.h"

#include "app/AssembledProgram.h"
#include "chart/WindowSettings.h"
#include "chart/menus/ChartMenuBar.h"
#include "model/Angles.h"
#include "mount/MountProtocols.h"
#include "scopeview/SVView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

// Made after the chart and gone before it, as in the program.
class ScopeViewAssemblyTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        scopeView = std::make_unique<ScopeViewAssembly>(*chart, folders);
    }
    SVWindow& window() { return scopeView->svWindow(); }

    std::unique_ptr<ScopeViewAssembly> scopeView;
};

}  // namespace

TEST_F(ScopeViewAssemblyTest, ASavedPositionBringsTheViewBackToItsCentre)
{
    // 5 h 35 min 17 s, -5° 23' 28"
    const double ra = (5.0 + 35.0 / 60.0 + 17.0 / 3600.0) * 15.0 * Angles::kDegToRad;
    const double dec = -(5.0 + 23.0 / 60.0 + 28.0 / 3600.0) * Angles::kDegToRad;
    SVView& view = window().svView();
    view.setTrackRA(ra, dec);
    EditMenuActions& edit = chart->menuBar().editMenu();
    edit.menuAction(EditMenuActions::kSavePositionTag);
    EXPECT_EQ(chart->prefControl().SVSavePosnStr(), "5:35:17:-5:23:28.0");

    view.setTrackRA(1.0, 0.5);
    view.state().addDeltas(0.01, -0.02);
    edit.menuAction(EditMenuActions::kRestorePositionTag);
    EXPECT_NEAR(view.state().trackRA(), ra, 1e-9);
    EXPECT_NEAR(view.state().trackDec(), dec, 1e-9);
    EXPECT_EQ(view.state().trackRAPlus(), view.state().trackRA() * Angles::kRadToDeg) << "the pan is gone";
    EXPECT_TRUE(window().isVisible());
}

TEST_F(ScopeViewAssemblyTest, ThePrintedViewIsInkOnWhiteInsideItsPage)
{
    window().show();
    // A letter sheet in points with half-inch margins.
    QImage paper(612, 792, QImage::Format_RGB32);
    paper.fill(Qt::white);
    const QRect page(36, 36, 540, 720);
    QPainter painter(&paper);
    chart->outlets().svControl->printPage(painter, page);
    painter.end();
    // The page's own layout in black on white, not the screen's dark field,
    // and nothing outside the page (the frame's edge line sits on its border).
    const QRect inside = page.adjusted(0, 0, 1, 1);
    int inked = 0;
    for (int y = 0; y < paper.height(); ++y)
        for (int x = 0; x < paper.width(); ++x)
            inked += paper.pixel(x, y) == qRgb(255, 255, 255) ? 0 : inside.contains(x, y) ? 1 : 1000000;
    EXPECT_GT(inked, 0);
    EXPECT_LT(inked, page.width() * page.width() / 4);
}

TEST_F(ScopeViewAssemblyTest, TheMountControllersStateReachesTheStatusLight)
{
    ScopeStatus& status = chart->scopeControl().status();
    struct Case {
        bool connected, slewing, fadesIn;
    };
    for (const Case c : {Case{false, false, false}, Case{true, true, false}, Case{true, false, true}}) {
        status.isConnected = c.connected;
        status.isSlewing = c.slewing;
        status.isThreadUpdate = true;
        window().updateBottomPanel();
        EXPECT_EQ(status.isThreadUpdate, !c.fadesIn) << c.connected << c.slewing;
    }
    status.isConnected = false;
}

TEST_F(ScopeViewAssemblyTest, TheScopeViewOpensFromTheMenusItCarriesAndEndsTheProgramLast)
{
    SkyWindow& sky = chart->skyWindow();
    SSWindow& solarSystem = chart->ssWindow();
    sky.show();
    solarSystem.show();
    chart->menuBar().windowMenu().menuAction(WindowMenuActions::kScopeViewTag);
    ASSERT_TRUE(window().isVisible());
    EXPECT_EQ(window().menuBar().actions(), sky.menuBar()->actions());

    bool wasRunning = false;
    QTimer::singleShot(0, [&] {
        sky.close();
        solarSystem.close();
    });
    QTimer::singleShot(100, [&] {
        wasRunning = true;
        window().close();
    });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });

    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(wasRunning);
}

TEST_F(ScopeViewAssemblyTest, TrackReachesTheProgramsMountController)
{
    const FindObjects::TrackLinks& track = chart->findObjects().trackLinks();
    ASSERT_TRUE(track.mount && track.alignment && track.view);
    ScopeStatus& status = chart->scopeControl().status();
    status.isConnected = true;
    status.scopeProtocol = kProtocolTemma;
    EXPECT_TRUE(track.mount->isConnected());
    EXPECT_EQ(track.mount->scopeProtocol(), kProtocolTemma);
    track.mount->setGotoRA(0.5, 0.25);
    EXPECT_EQ(chart->scopeControl().gotoRA(), 0.5);
    status.isConnected = false;
    status.scopeProtocol = 0;
}

TEST_F(ScopeViewAssemblyTest, HidesWhileInactiveOnlyWithTheHideSetting)
{
    WindowSettings settings(chart->prefControl(), chart->outlets());
    // With the chart up the view is not the last window, which would only be minimised.
    chart->skyWindow().show();
    for (bool hideSetting : {true, false}) {
        chart->prefControl().setIsSVHide(hideSetting);
        settings.setAllHide();
        window().show();
        emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
        EXPECT_EQ(window().isVisible(), !hideSetting) << hideSetting;
        emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
        EXPECT_TRUE(window().isVisible()) << hideSetting;
        EXPECT_FALSE(window().keepSVClosed());
    }
}

namespace {

// Counts the paint events of one widget.
class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

}  // namespace

TEST_F(ScopeViewAssemblyTest, ClearInTheFinderRedrawsTheTelescopeView)
{
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    PaintCounter counter;
    window().svView().installEventFilter(&counter);
    chart->findObjects().findObjectName(QStringLiteral("clear"));
    EXPECT_GT(counter.paints, 0);
}

TEST_F(ScopeViewAssemblyTest, TheSecondaryWindowsStayAboveTheChartAndOpenWhereTheyWereLeft)
{
    SkyWindow& sky = chart->skyWindow();
    sky.show();
    ASSERT_NE(window().windowHandle(), nullptr);
    EXPECT_EQ(window().windowHandle()->transientParent(), sky.windowHandle());
    EXPECT_EQ(chart->ssWindow().windowHandle()->transientParent(), sky.windowHandle());

    const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
    window().setGeometry(visible.left() + 40, visible.top() + 50, 500, 400);
    window().show();
    const QRect place = window().geometry();
    EXPECT_EQ(place.topLeft(), visible.topLeft() + QPoint(40, 50));
    window().hide();
    scopeView.reset();
    chart.reset();
    chart = std::make_unique<ChartAssembly>(folders);
    scopeView = std::make_unique<ScopeViewAssembly>(*chart, folders);
    EXPECT_EQ(window().geometry(), place);
}

TEST_F(ScopeViewAssemblyTest, QuitInTheApplicationMenuEndsTheProgramWithTheSettingsWritten)
{
    SkyWindow& sky = chart->skyWindow();
    QAction* quit = nullptr;
    QAction* about = nullptr;
    for (QAction* action : sky.findChildren<QAction*>()) {
        if (action->text() == "Quit")
            quit = action;
        else if (action->text() == "About Norvane Pro...")
            about = action;
    }
    ASSERT_NE(quit, nullptr);
    EXPECT_NE(about, nullptr);
    EXPECT_EQ(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));

    sky.show();
    window().show();
    QTimer::singleShot(0, quit, &QAction::trigger);
    QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(chart->prefControl().settingsWritten());
}
