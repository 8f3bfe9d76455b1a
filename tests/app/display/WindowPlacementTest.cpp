#include "app/display/WindowManagerTest.h"

#include "app/DomeLink.h"
#include "app/MountLink.h"
#include "chart/ChartOutlets.h"
#include "chart/TimePanel.h"
#include "chart/menus/ChartMenuBar.h"
#include "chart/menus/WindowMenuActions.h"
#include "find/panels/FindPanelControl.h"
#include "find/panels/InfoPanelControl.h"
#include "model/settings/PrefStore.h"
#include "mount/MountProtocols.h"
#include "mount/panels/DomePanel.h"
#include "mount/panels/HandControlPanelSet.h"
#include "mount/panels/HandPanel.h"
#include "platform/widgets/FloatingPanel.h"
#include "platform/widgets/KeptFrame.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTimer>

#include <functional>
#include <optional>
#include <tuple>
#include <utility>

namespace {

using WindowPlacementTest = WindowManagerTest;

QWidget* timePanel(ChartAssembly& chart) { return dynamic_cast<QWidget*>(chart.outlets().timeControlPanel); }
QWidget* directionPanel(ChartAssembly& chart)
{
    return dynamic_cast<QWidget*>(chart.outlets().directionControlPanel);
}

QRect workArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

// Runs the event loop until Ctrl+Q, typed at `window`, ends it.
int quitWithCtrlQ(QWidget& window)
{
    QTimer::singleShot(200, &window, [&window] { QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier); });
    QTimer guard;
    guard.callOnTimeout([] { QCoreApplication::exit(99); });
    guard.start(30000);
    return QApplication::exec();
}

}  // namespace

TEST_F(WindowPlacementTest, PanelsOpenAtQuitReopenWhereTheyWere)
{
    ASSERT_TRUE(launch());
    settle();
    WindowMenuActions& menu = chart->menuBar().windowMenu();
    menu.menuAction(WindowMenuActions::kTimePanelTag);
    menu.menuAction(WindowMenuActions::kDirectionPanelTag);
    QWidget* time = timePanel(*chart);
    QWidget* direction = directionPanel(*chart);
    ASSERT_TRUE(time && direction);
    ASSERT_TRUE(settledFrame(*time) && settledFrame(*direction));
    time->move(workArea().topLeft() + QPoint(200, 150));
    direction->move(workArea().topLeft() + QPoint(600, 300));
    const std::optional<QRect> timeAt = settledFrame(*time);
    const std::optional<QRect> directionAt = settledFrame(*direction);
    ASSERT_TRUE(timeAt && directionAt);

    ASSERT_EQ(quitWithCtrlQ(chart->skyWindow()), 0);
    restart();
    ASSERT_TRUE(launch());
    settle();
    time = timePanel(*chart);
    direction = directionPanel(*chart);
    EXPECT_TRUE(time->isVisible());
    EXPECT_TRUE(direction->isVisible());
    EXPECT_EQ(settledFrame(*time), timeAt);
    EXPECT_EQ(settledFrame(*direction), directionAt);

    // Closed by the user, a panel stays closed at the next start.
    time->close();
    settle();
    ASSERT_EQ(quitWithCtrlQ(chart->skyWindow()), 0);
    restart();
    ASSERT_TRUE(launch());
    settle();
    EXPECT_FALSE(timePanel(*chart)->isVisible());
    EXPECT_TRUE(directionPanel(*chart)->isVisible());
}

TEST_F(WindowPlacementTest, TheHandAndDomePanelsReopenWhereTheUserLeftThem)
{
    chart->skyWindow().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart->skyWindow()));
    const auto panels = [this] {
        return std::pair<QWidget*, QWidget*>{chart->mountLink().handPanels().panel(MountPanel::NexStar),
                                             &chart->domeLink().domePanel()};
    };
    const QPoint places[] = {workArea().topLeft() + QPoint(500, 120), workArea().topLeft() + QPoint(150, 400)};
    std::optional<QRect> left[2];
    auto [hand, dome] = panels();
    int i = 0;
    for (QWidget* panel : {hand, dome}) {
        panel->show();
        ASSERT_TRUE(settledFrame(*panel));
        panel->move(places[i]);
        left[i] = settledFrame(*panel);
        ASSERT_TRUE(left[i++]);
        // Closed, it keeps its place.
        panel->close();
    }

    restart();
    std::tie(hand, dome) = panels();
    i = 0;
    for (QWidget* panel : {hand, dome}) {
        panel->show();
        EXPECT_EQ(settledFrame(*panel), left[i++]) << panel->windowTitle().toStdString();
    }
}

TEST_F(WindowPlacementTest, AMovedPanelsPlaceIsInTheSettingsFileBeforeAnyQuit)
{
    ASSERT_TRUE(launch());
    settle();
    chart->menuBar().windowMenu().menuAction(WindowMenuActions::kTimePanelTag);
    QWidget* time = timePanel(*chart);
    ASSERT_TRUE(time && settledFrame(*time));
    QTest::qWait(int(KeptFrame::kSaveDelay.count()) * 2);
    QFile file(PrefStore::fileName());
    const auto onDisk = [&file] {
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray();
        const QByteArray text = file.readAll();
        file.close();
        return text;
    };
    const QByteArray before = onDisk();
    time->move(workArea().topLeft() + QPoint(260, 210));
    const std::optional<QRect> movedTo = settledFrame(*time);
    ASSERT_TRUE(movedTo);
    ASSERT_TRUE(QTest::qWaitFor([&] { return onDisk() != before; }, int(KeptFrame::kSaveDelay.count()) * 5));
    const QByteArray crashed = onDisk();

    // The program ends without a quit; the next one starts from the file as it was.
    scopeView.reset();
    chart.reset();
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(crashed);
    file.close();
    chart = std::make_unique<ChartAssembly>(folders);
    scopeView = std::make_unique<ScopeViewAssembly>(*chart, folders);
    ASSERT_TRUE(launch());
    // Open when the program ended, the panel opens with it.
    time = timePanel(*chart);
    ASSERT_TRUE(time->isVisible());
    EXPECT_EQ(settledFrame(*time), movedTo);
}

TEST_F(WindowPlacementTest, EveryWindowFromTheWindowsMenuOpensInsideTheWorkArea)
{
    const struct {
        const char* name;
        int tag;
    } items[] = {
        {"time panel", WindowMenuActions::kTimePanelTag},
        {"direction panel", WindowMenuActions::kDirectionPanelTag},
        {"telescope view", WindowMenuActions::kScopeViewTag},
        {"solar system", WindowMenuActions::kSolarSystemTag},
        {"planner", WindowMenuActions::kPlannerTag},
    };
    const auto shown = [] {
        QWidgetList windows;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->windowType() != Qt::Popup)
                windows << window;
        return windows;
    };
    // Opens each window the menu offers and calls `check` with those it showed.
    const auto openAll = [&](const std::function<void(const char*, QWidget&)>& check) {
        WindowMenuActions& menu = chart->menuBar().windowMenu();
        QWidgetList before = shown();
        for (const auto& item : items) {
            menu.menuAction(item.tag);
            settle();
            const QWidgetList now = shown();
            for (QWidget* window : now) {
                if (before.contains(window))
                    continue;
                ASSERT_TRUE(QTest::qWaitForWindowExposed(window)) << item.name;
                settle();
                check(item.name, *window);
            }
            before = now;
        }
    };
    const auto inside = [](const char* name, QWidget& window) {
        // The window manager may place a window after its first exposure on a
        // busy machine.
        const std::optional<QRect> frame = settledFrame(window);
        ASSERT_TRUE(frame.has_value()) << name;
        EXPECT_TRUE(workArea().contains(*frame))
            << name << ": " << window.windowTitle().toStdString() << " frame bottom " << frame->bottom();
    };

    ASSERT_TRUE(launch());
    settle();
    openAll(inside);
    EXPECT_TRUE(workArea().contains(settledFrame(chart->skyWindow()).value_or(QRect())));

    // Left partly below the work area, each comes back inside it.
    for (QWidget* window : shown()) {
        const std::optional<QRect> frame = frameOf(*window);
        ASSERT_TRUE(frame.has_value()) << window->windowTitle().toStdString();
        window->move(window->x(), workArea().bottom() + 41 - frame->height());
    }
    settle();
    ASSERT_EQ(quitWithCtrlQ(chart->skyWindow()), 0);
    restart();
    ASSERT_TRUE(launch());
    settle();
    for (QWidget* window : shown())
        inside("reopened at launch", *window);
    chart->menuBar().windowMenu().menuAction(WindowMenuActions::kTimePanelTag);
    chart->menuBar().windowMenu().menuAction(WindowMenuActions::kDirectionPanelTag);
    settle();
    openAll(inside);
}

TEST_F(WindowPlacementTest, TheFindInformationTelescopeAndSolarSystemWindowsFirstOpenOverTheChartsView)
{
    ASSERT_TRUE(launch());
    settle();
    QWidget& view = chart->skyWindow().skyView();
    const QRect chartView(view.mapToGlobal(QPoint(0, 0)), view.size());
    const struct {
        const char* name;
        std::function<void()> open;
    } windows[] = {
        {"telescope view", [&] { chart->menuBar().windowMenu().menuAction(WindowMenuActions::kScopeViewTag); }},
        {"solar system", [&] { chart->menuBar().windowMenu().menuAction(WindowMenuActions::kSolarSystemTag); }},
        {"find panel", [&] { chart->findPanel()->orderFront(); }},
        {"information panel", [&] { chart->infoPanels().moonInfo(); }},
    };
    for (const auto& w : windows) {
        QWidgetList before;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible())
                before << window;
        w.open();
        settle();
        int opened = 0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible() || before.contains(window) || window->windowType() == Qt::Popup)
                continue;
            ++opened;
            const std::optional<QRect> settled = settledFrame(*window);
            ASSERT_TRUE(settled) << w.name;
            const QRect frame = *settled;
            EXPECT_GE(frame.top(), chartView.top()) << w.name << ": below the chart's menu bar";
            EXPECT_TRUE(chartView.intersects(frame)) << w.name;
            EXPECT_TRUE(workArea().contains(frame)) << w.name;
        }
        EXPECT_EQ(opened, 1) << w.name;
    }
}
