#include "app/display/WindowManagerTest.h"

#include "app/AllSkyLink.h"
#include "app/CanonLink.h"
#include "app/DomeLink.h"
#include "app/SG4AllSkyLink.h"
#include "camera/views/allsky/AllSkyDatePanel.h"
#include "camera/views/allsky/AllSkyPanel.h"
#include "camera/views/canon/CanonPanel.h"
#include "chart/ChartOutlets.h"
#include "chart/TimePanel.h"
#include "chart/menus/ChartMenuBar.h"
#include "chart/menus/WindowMenuActions.h"
#include "chart/photohorizon/PhotoHorizonAdjustPanel.h"
#include "find/panels/CalendarEvents.h"
#include "find/panels/FindPanelControl.h"
#include "mount/panels/DDWPanel.h"
#include "mount/panels/DomePanel.h"
#include "mount/panels/HandControlPanelSet.h"
#include "mount/panels/WiFiPanel.h"
#include "platform/widgets/FloatingPanel.h"
#include "prefs/CityDataSource.h"
#include "prefs/CityTablesPanel.h"
#include "prefs/PrefWindow.h"
#include "prefs/PrefWindowControl.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegion>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

namespace {

using KeptWindowsTest = WindowManagerTest;

constexpr int kWaitMs = kWindowSystemMs;

QRect workArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

template <class Outlet>
MenuPanel& menuPanel(Outlet* outlet)
{
    return *dynamic_cast<MenuPanel*>(outlet);
}

// Every window the user may place, as the menus and the Connect menu open it.
struct Opening {
    const char* name;
    std::function<void(ChartAssembly&)> open;
};

const std::vector<Opening>& openings()
{
    static const std::vector<Opening> all = {
        {"Preferences", [](ChartAssembly& c) { c.prefWindow().showTab(PrefWindow::kTelescope); }},
        {"Night Planner",
         [](ChartAssembly& c) { c.menuBar().windowMenu().menuAction(WindowMenuActions::kPlannerTag); }},
        {"Time panel", [](ChartAssembly& c) { c.outlets().timeControlPanel->orderFront(); }},
        {"Direction panel", [](ChartAssembly& c) { c.outlets().directionControlPanel->orderFront(); }},
        {"Find panel", [](ChartAssembly& c) { c.findPanel()->orderFront(); }},
        {"Solar System",
         [](ChartAssembly& c) { c.menuBar().windowMenu().menuAction(WindowMenuActions::kSolarSystemTag); }},
        {"Digital Dome Works", [](ChartAssembly& c) { c.domeLink().ddwPanelLink().show(); }},
        {"Dome", [](ChartAssembly& c) { c.domeLink().domePanelLink().show(); }},
        {"Polar Alignment", [](ChartAssembly& c) { menuPanel(c.outlets().alignPanel).show(); }},
        {"RoboFocus", [](ChartAssembly& c) { menuPanel(c.outlets().roboWindow).show(); }},
        {"TCF-S", [](ChartAssembly& c) { menuPanel(c.outlets().optecWindow).show(); }},
        {"JMI", [](ChartAssembly& c) { menuPanel(c.outlets().jmiWindow).show(); }},
        {"MoonLite", [](ChartAssembly& c) { menuPanel(c.outlets().moonWindow).show(); }},
        {"FCUSB", [](ChartAssembly& c) { menuPanel(c.outlets().fcusbWindow).show(); }},
        {"AllSky", [](ChartAssembly& c) { c.allSkyLink().allSkyLink().panel().show(); }},
        {"AllSky date", [](ChartAssembly& c) { c.allSkyLink().allSkyLink().datePanel().show(); }},
        {"SG-4", [](ChartAssembly& c) { menuPanel(c.outlets().sg4Panel).show(); }},
        {"Webcam", [](ChartAssembly& c) { menuPanel(c.outlets().webcamPanel).show(); }},
        {"Canon", [](ChartAssembly& c) { c.canonLink().panelLink().show(); }},
        {"WiFi", [](ChartAssembly& c) { c.skyWindow().findChild<WiFiPanel*>()->show(); }},
        {"Calendar event", [](ChartAssembly& c) { c.outlets().calEventPanel->displayDateTime(); }},
        {"Photo horizon", [](ChartAssembly& c) { c.photoHorizonPanel().show(); }},
    };
    return all;
}

QWidgetList shownWindows()
{
    QWidgetList windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowType() != Qt::Popup && window->windowType() != Qt::ToolTip)
            windows << window;
    return windows;
}

// The window `opening` shows, once the window manager has framed it; null
// when none showed.
QWidget* open(ChartAssembly& chart, const Opening& opening)
{
    const QWidgetList before = shownWindows();
    opening.open(chart);
    QWidget* opened = nullptr;
    const bool shown = QTest::qWaitFor(
        [&] {
            for (QWidget* window : shownWindows())
                if (!before.contains(window))
                    opened = window;
            return opened != nullptr;
        },
        kWaitMs);
    if (!shown) {
        ADD_FAILURE() << opening.name << " did not show";
        return nullptr;
    }
    // The window manager sets the frame's extents as it frames the window.
    if (!QTest::qWaitFor([opened] { return frameOf(*opened).has_value(); }, kWaitMs)) {
        ADD_FAILURE() << opening.name << " was not framed: " << opened->windowTitle().toStdString() << ", "
                      << (opened->isVisible() ? "shown" : "hidden") << ", "
                      << (pixelsOf(*opened) ? "viewable, no frame extents" : "not viewable");
        return nullptr;
    }
    return opened;
}

// A pixel near `pixel` that no whole logical point lands on at `scale` (at
// 150 %, one in three), as a user's drag may leave a window; at a whole
// scale, `pixel` itself.
int offPoint(int pixel, qreal scale)
{
    for (const int by : {0, -1, 1, -2, 2})
        if (qRound(qRound((pixel + by) / scale) * scale) != pixel + by)
            return pixel + by;
    return pixel;
}

// A drag of the window by its title bar, as the window manager moves it, in
// the screen's own pixels, which a scaled program does not use: to one no
// whole logical point lands on. False when the window did not move.
bool dragBy(QWidget& window, QPoint by)
{
    const QPoint from = window.geometry().topLeft();
    const qreal scale = window.devicePixelRatioF();
    const QPointF to = QPointF(from + by) * scale;
    const QPoint pixels(offPoint(qRound(to.x()), scale), offPoint(qRound(to.y()), scale));
    QProcess::execute("xdotool", {"windowmove", QString::number(window.winId()), QString::number(pixels.x()),
                                  QString::number(pixels.y())});
    const bool moved = QTest::qWaitFor(
        [&] { return (window.geometry().topLeft() - from - by).manhattanLength() <= 2; }, kWaitMs);
    if (!moved)
        ADD_FAILURE() << "from " << from.x() << "," << from.y() << " by " << by.x() << "," << by.y() << " to pixels "
                      << pixels.x() << "," << pixels.y() << ", at " << window.geometry().x() << ","
                      << window.geometry().y();
    return moved;
}

// The share of the window's frame no window of the program above it covers.
// `order` is the window manager's stacking, bottom to top.
double uncoveredShare(const QWidget& window, const QList<WId>& order)
{
    const std::optional<QRect> frame = frameOf(window);
    if (!frame) {
        ADD_FAILURE() << window.windowTitle().toStdString() << " is not framed by the window manager";
        return 0.0;
    }
    QRegion seen(*frame);
    // A window the window manager leaves unframed covers its content alone.
    for (const QWidget* other : shownWindows())
        if (other != &window && order.indexOf(other->winId()) > order.indexOf(window.winId()))
            seen -= frameOf(*other).value_or(other->geometry());
    qint64 area = 0;
    for (const QRect& part : seen)
        area += qint64(part.width()) * part.height();
    return double(area) / (qint64(frame->width()) * frame->height());
}

// Chooses the one item of a menu that pops up at `at`, by a click of the
// pointer as the user makes it: the menu closes over whatever lies under it.
void chooseFromMenuAt(QPoint at, const std::function<void()>& open)
{
    const auto pointerTo = [](QPointF device, const QStringList& then = {}) {
        QProcess::execute("xdotool",
                          QStringList{"mousemove", QString::number(qRound(device.x())),
                                      QString::number(qRound(device.y()))} +
                              then);
    };
    QMenu menu;
    QAction* item = menu.addAction(QStringLiteral("Open"));
    QObject::connect(item, &QAction::triggered, open);
    // The pointer rests off the menu as it pops up: a menu takes no item
    // under a pointer that has not moved since.
    pointerTo(QPointF(at - QPoint(30, 30)) * menu.devicePixelRatioF());
    menu.popup(at);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    const QPointF itemAt = QPointF(menu.mapToGlobal(menu.actionGeometry(item).center())) * menu.devicePixelRatioF();
    pointerTo(itemAt);
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.activeAction() == item; }, kWaitMs));
    pointerTo(itemAt, {"click", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&menu] { return !menu.isVisible(); }, kWaitMs));
}

QRect chartMenuBar(ChartAssembly& chart)
{
    const QMenuBar* bar = chart.skyWindow().menuBar();
    return QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size());
}

}  // namespace

TEST_F(KeptWindowsTest, EveryWindowFirstOpensOnTheScreenClearOfTheChartsMenuBar)
{
    ASSERT_TRUE(launch());
    settle();
    const QRect menuBar = chartMenuBar(*chart);
    ASSERT_FALSE(menuBar.isEmpty());
    const QRect area = workArea();
    for (const Opening& opening : openings()) {
        QWidget* window = open(*chart, opening);
        ASSERT_NE(window, nullptr) << opening.name;
        const std::optional<QRect> settled = settledFrame(*window);
        ASSERT_TRUE(settled) << opening.name;
        const QRect frame = *settled;
        EXPECT_TRUE(area.contains(frame)) << opening.name << ": frame " << frame.x() << "," << frame.y() << " "
                                          << frame.width() << "x" << frame.height() << " in a work area "
                                          << area.width() << "x" << area.height();
        EXPECT_FALSE(frame.intersects(menuBar)) << opening.name << " covers the chart's menu bar: frame top "
                                                << frame.top() << ", left " << frame.left();
        window->close();
        settle();
    }
}

TEST_F(KeptWindowsTest, APanelChosenFromAMenuOverTheActiveWindowOpensInSightAndKeepsTheKeyboard)
{
    ASSERT_TRUE(launch());
    settle();
    const Opening panels[] = {
        {"Dome", [](ChartAssembly& c) { c.domeLink().domePanelLink().show(); }},
        {"Hand panel",
         [](ChartAssembly& c) { c.mountLink().handPanels().showPanel(MountPanel::NexStar, QStringLiteral("Hand")); }},
        {"Polar Alignment", [](ChartAssembly& c) { menuPanel(c.outlets().alignPanel).show(); }},
        {"AllSky", [](ChartAssembly& c) { c.allSkyLink().allSkyLink().panel().show(); }},
        {"Digital Dome Works", [](ChartAssembly& c) { c.domeLink().ddwPanelLink().show(); }},
    };
    const Opening planner = {
        "Night Planner", [](ChartAssembly& c) { c.menuBar().windowMenu().menuAction(WindowMenuActions::kPlannerTag); }};
    QWidget* tonight = open(*chart, planner);
    ASSERT_NE(tonight, nullptr);
    const std::optional<QRect> plannerFrame = settledFrame(*tonight);
    ASSERT_TRUE(plannerFrame.has_value());
    // Both take the keyboard when the pointer enters them; the chart's view
    // is met right of the planner.
    QWidget& sky = chart->skyWindow();
    const QRect view = sky.geometry();
    const std::pair<QWidget*, QPoint> actives[] = {
        {tonight, tonight->geometry().center()},
        {&sky, QPoint((std::max(plannerFrame->right(), view.center().x()) + view.right()) / 2, view.center().y())},
    };
    for (const auto& [active, menuAt] : actives) {
        for (const Opening& panel : panels) {
            active->activateWindow();
            ASSERT_TRUE(QTest::qWaitFor([active] { return QApplication::activeWindow() == active; }, kWaitMs));
            QWidget* window = nullptr;
            chooseFromMenuAt(menuAt, [&] { window = open(*chart, panel); });
            ASSERT_NE(window, nullptr) << panel.name;
            settledFrame(*window);
            EXPECT_TRUE(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, kWaitMs))
                << panel.name << " is not the active window over " << active->windowTitle().toStdString();
            // Nothing takes the keyboard back once the window manager is done.
            settle();
            EXPECT_EQ(QApplication::activeWindow(), window) << panel.name;
            EXPECT_GT(uncoveredShare(*window, stacking()), 0.5) << panel.name << " is hidden under another window";
            window->close();
            settle();
        }
    }
}

TEST_F(KeptWindowsTest, PreferencesSaveEyepiecesCanBeReachedOnTheScreen)
{
    ASSERT_TRUE(launch());
    settle();
    QWidget* window = open(*chart, openings().front());
    ASSERT_NE(window, nullptr);
    settledFrame(*window);
    QPushButton* save = nullptr;
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->text().remove('&') == QLatin1String("Save Eyepieces") && button->isVisible())
            save = button;
    ASSERT_NE(save, nullptr);
    // Scrolled to, if the page is taller than the window.
    for (QWidget* up = save->parentWidget(); up; up = up->parentWidget())
        if (auto* scroll = qobject_cast<QScrollArea*>(up))
            scroll->ensureWidgetVisible(save);
    settle();
    const QRect button(save->mapToGlobal(QPoint(0, 0)), save->size());
    EXPECT_TRUE(window->geometry().contains(button));
    EXPECT_TRUE(workArea().contains(button));
    EXPECT_EQ(save->visibleRegion().boundingRect(), save->rect()) << "nothing hides it";

    // Only the page scrolled: the tabs are still in view.
    auto* tabs = window->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabBar()->visibleRegion().boundingRect(), tabs->tabBar()->rect());
    // No page as wide as the window scrolls sideways, at any scale.
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        settle();
        const auto* page = qobject_cast<QScrollArea*>(tabs->widget(tab));
        ASSERT_NE(page, nullptr) << "page " << tab << " scrolls on its own";
        EXPECT_FALSE(page->horizontalScrollBar()->isVisible())
            << "page " << tab << " scrolls sideways by " << page->horizontalScrollBar()->maximum();
    }
}

TEST_F(KeptWindowsTest, PreferencesCityListsKeepEightRowsInSightAndThePageScrollsInstead)
{
    constexpr int kRows = 8;
    ASSERT_TRUE(launch());
    settle();
    const Opening setup = {"Preferences Setup", [](ChartAssembly& c) { c.prefWindow().showTab(PrefWindow::kSetup); }};
    QWidget* window = open(*chart, setup);
    ASSERT_NE(window, nullptr);
    settledFrame(*window);
    auto* page = qobject_cast<QScrollArea*>(window->findChild<QTabWidget*>()->currentWidget());
    ASSERT_NE(page, nullptr);
    CityTablesPanel* cities = chart->prefWindow().cityTables();
    ASSERT_NE(cities, nullptr);
    for (const int tag : {CityDataSource::kUSTag, CityDataSource::kWorldTag}) {
        QTableView* list = cities->view(tag);
        ASSERT_GT(list->model()->rowCount(), kRows) << tag;
        // Scrolled to, as the user scrolls the page to its end.
        page->ensureWidgetVisible(list);
        settle();
        const int row = list->rowHeight(0);
        // Part of a row may go to the rounding of a scaled screen.
        EXPECT_GE(list->viewport()->height(), kRows * row - row / 2)
            << tag << ": " << list->viewport()->height() / row << " rows of " << row << " in a page "
            << page->viewport()->height() << " high";
        EXPECT_EQ(list->visibleRegion().boundingRect(), list->rect()) << tag << ": the page scrolls to all of it";
    }
    window->close();
}

TEST_F(KeptWindowsTest, EachWindowComesBackWhereTheUserDraggedItAfterAHideAndAfterARestart)
{
    ASSERT_TRUE(launch());
    settle();
    const QRect area = workArea();
    // Every window open at once, as a user may have them.
    const auto openAll = [this] {
        std::vector<QWidget*> windows;
        for (const Opening& opening : openings()) {
            windows.push_back(open(*chart, opening));
            EXPECT_NE(windows.back(), nullptr) << opening.name;
        }
        return windows;
    };
    const auto closeAll = [](const std::vector<QWidget*>& windows) {
        for (QWidget* window : windows)
            if (window)
                window->close();
        settle();
    };
    std::vector<QWidget*> windows = openAll();
    std::vector<QRect> dragged;
    std::vector<std::optional<QPoint>> draggedPixels;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const char* name = openings()[i].name;
        ASSERT_NE(windows[i], nullptr) << name;
        const std::optional<QRect> first = settledFrame(*windows[i]);
        ASSERT_TRUE(first) << name;
        // A few points toward the middle of the screen, a little more for each window.
        const int step = int(i) + 1;
        const QPoint by(first->center().x() < area.center().x() ? 17 + step : -17 - step,
                        first->center().y() < area.center().y() ? 11 + step : -11 - step);
        ASSERT_TRUE(dragBy(*windows[i], by)) << name;
        const std::optional<QRect> moved = settledFrame(*windows[i]);
        ASSERT_TRUE(moved) << name;
        dragged.push_back(*moved);
        draggedPixels.push_back(pixelsOf(*windows[i]));
        EXPECT_LE((moved->topLeft() - first->topLeft() - by).manhattanLength(), 2) << name;
    }
    const auto expectWhereDragged = [&](const std::vector<QWidget*>& shown, const char* when) {
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const std::optional<QRect> settled = shown[i] ? settledFrame(*shown[i]) : std::nullopt;
            if (!settled)
                continue;
            const QRect frame = *settled;
            EXPECT_EQ(frame.topLeft(), dragged[i].topLeft()) << openings()[i].name << when;
            // To the pixel, on a screen scaled by a fraction too.
            EXPECT_EQ(pixelsOf(*shown[i]), draggedPixels[i]) << openings()[i].name << when << ", in pixels";
            // Nor does the size, rounded anew, make the content scroll sideways by a pixel.
            for (const QScrollArea* area : shown[i]->findChildren<QScrollArea*>()) {
                const QScrollBar* bar = area->horizontalScrollBar();
                EXPECT_FALSE(bar->isVisible() && bar->maximum() <= 1) << openings()[i].name << when;
            }
            // A scaled screen may round the frame's size anew.
            const QSize grown = frame.size() - dragged[i].size();
            EXPECT_LE(std::max(std::abs(grown.width()), std::abs(grown.height())), 1) << openings()[i].name << when;
        }
    };

    closeAll(windows);
    windows = openAll();
    expectWhereDragged(windows, " shown again");

    closeAll(windows);
    restart();
    ASSERT_TRUE(launch());
    settle();
    windows = openAll();
    expectWhereDragged(windows, " after a restart");
    closeAll(windows);
}

TEST_F(KeptWindowsTest, AWindowMovedRightAfterItShowsStaysWhereItWasMoved)
{
    ASSERT_TRUE(launch());
    settle();
    // Moved by another program (a tool) as soon as the window manager has framed it.
    const Opening time = {"Time panel", [](ChartAssembly& c) { c.outlets().timeControlPanel->orderFront(); }};
    QWidget* panel = open(*chart, time);
    ASSERT_NE(panel, nullptr);
    const QPoint by = panel->geometry().center().x() < workArea().center().x() ? QPoint(140, 90) : QPoint(-140, 90);
    const QPoint movedTo = panel->geometry().topLeft() + by;
    ASSERT_TRUE(dragBy(*panel, by));
    const std::optional<QRect> rested = settledFrame(*panel);
    ASSERT_TRUE(rested);
    EXPECT_LE((panel->geometry().topLeft() - movedTo).manhattanLength(), 2)
        << "moved to " << movedTo.x() << "," << movedTo.y() << ", rests at " << panel->geometry().x() << ","
        << panel->geometry().y();
    panel->close();

    // Dragged by its title bar by hand as soon as it shows.
    const Opening scope = {"Scope View", [](ChartAssembly& c) {
                               c.menuBar().windowMenu().menuAction(WindowMenuActions::kScopeViewTag);
                           }};
    QWidget* view = open(*chart, scope);
    ASSERT_NE(view, nullptr);
    const std::optional<QRect> shown = frameOf(*view);
    const std::optional<QPoint> bar = framePixel(*view, 0.4, 0.5);
    ASSERT_TRUE(shown && bar);
    ASSERT_TRUE(heldDrag(*bar, QPoint(160, 120) * view->devicePixelRatioF()));
    const std::optional<QRect> dropped = frameOf(*view);
    ASSERT_TRUE(dropped);
    EXPECT_GT((dropped->topLeft() - shown->topLeft()).manhattanLength(), 100) << "the drag did not move it";
    const std::optional<QRect> settled = settledFrame(*view);
    ASSERT_TRUE(settled);
    EXPECT_EQ(settled->topLeft(), dropped->topLeft())
        << "dropped at " << dropped->x() << "," << dropped->y() << ", rests at " << settled->x() << ","
        << settled->y();
    view->close();
}
