#include "app/AssembledProgram.h"

#include "chart/NameSearch.h"
#include "chart/SkyView.h"
#include "chart/menus/ChartMenuBar.h"
#include "chart/photohorizon/PhotoHorizonAdjustPanel.h"
#include "chart/PrefWindowSetup.h"
#include "find/panels/FindPanelControl.h"
#include "prefs/PrefWindow.h"
#include "prefs/PrefWindowControl.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>

using ChartWiringTest = AssembledProgram;

TEST_F(ChartWiringTest, MenusAndKeysOpenAndCloseTheirWindowsAndPanels)
{
    ChartMenuBar& menus = chart->menuBar();
    chart->skyWindow().show();
    PhotoHorizonAdjustPanel& photoHorizon = chart->photoHorizonPanel();
    photoHorizon.radio(PhotoHorizonAdjustPanel::SiteRadio).button(3)->click();
    chart->prefControl().saveShortcutPref(QStringLiteral("fx"));  // the find panel's key first
    const struct {
        std::function<void()> choose;
        const QWidget& target;
    } items[] = {
        {[&] { menus.windowMenu().menuAction(WindowMenuActions::kSolarSystemTag); }, chart->ssWindow()},
        {[&] { menus.setupMenu().menuAction(SetupMenuActions::kPhotoHorizonTag); }, photoHorizon},
        {[&] { menus.editMenu().menuAction(EditMenuActions::kFindTag); }, *chart->findPanel()},
        {[&] { QTest::keyClick(&chart->skyWindow().skyView(), 'f'); }, *chart->findPanel()},
    };
    for (const auto& item : items) {
        item.choose();
        EXPECT_TRUE(item.target.isVisible()) << item.target.metaObject()->className();
        item.choose();
        EXPECT_FALSE(item.target.isVisible()) << item.target.metaObject()->className();
    }
    // The panel was shown for the current site, not the one it was left on.
    EXPECT_EQ(photoHorizon.radio(PhotoHorizonAdjustPanel::SiteRadio).checkedId(), chart->prefControl().currentSite());
    EXPECT_EQ(chart->ssWindow().menuBar()->actions(), chart->skyWindow().menuBar()->actions());
}

TEST_F(ChartWiringTest, ASearchTheChartCannotCentreGoesToTheFindPanelWhoseTextTheEditMenuCopies)
{
    // A typed position is no name: the window-less search leaves it to the panel.
    const QString position = QStringLiteral("5 35 17 -5 23 28");
    NameSearch& search = *chart->outlets().nameSearch;
    EXPECT_NE(search.findVoiceName(position), NameSearch::kFoundAndSelected);
    search.searchInFindPanel(position);
    FindPanelControl& panel = *chart->findPanel();
    ASSERT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.findEnterText()->text(), position);
    if (!QTest::qWaitForWindowActive(&panel))
        GTEST_SKIP() << "this platform gives no window the keyboard";
    EditMenuActions& edit = chart->menuBar().editMenu();
    edit.menuAction(EditMenuActions::kCopyTag);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), position);
    QGuiApplication::clipboard()->setText(QStringLiteral("M 31"));
    edit.menuAction(EditMenuActions::kPasteTag);
    EXPECT_EQ(panel.findEnterText()->text(), "M 31");
}

TEST_F(ChartWiringTest, TheFinderGetsThePhotographicHorizonsAdjustments)
{
    const PhotoHorizonAdjustments* adjustments = &chart->openGLView();
    EXPECT_EQ(chart->findObjects().photoHorizon(), adjustments);
}

TEST_F(ChartWiringTest, TheChartOpensThePreferencesWindowOnTheTabItAsksFor)
{
    PrefWindowSetup* setup = chart->outlets().prefWindow;
    ASSERT_NE(setup, nullptr);
    setup->setupDate();
    setup->showTab(PrefWindow::kFilters);
    PrefWindow& window = chart->prefWindow().window();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.tabs()->currentIndex(), PrefWindow::kFilters);
    window.hide();

    QMenu* appMenu = chart->skyWindow().menuBar()->actions().value(0)->menu();
    ASSERT_NE(appMenu, nullptr);
    appMenu->actions().value(0)->trigger();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.tabs()->currentIndex(), PrefWindow::kSetup);
}
