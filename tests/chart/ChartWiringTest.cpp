#include "chart/ChartAssembly.h"

#include "chart/MenuBarItem.h"
#include "chart/NameSearch.h"
#include "chart/PhotoPanel.h"
#include "chart/SkyView.h"
#include "chart/menus/ChartMenuBar.h"
#include "chart/photohorizon/PhotoHorizonAdjustPanel.h"
#include "find/panels/FindPanelControl.h"
#include "find/panels/InfoPanelControl.h"
#include "model/TempSettings.h"
#include "platform/DataPaths.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The program as it is assembled, not launched: every window and panel the
// menus, keys and toolbar reach is the real one.
class ChartWiringTest : public TempSettings {
protected:
    void SetUp() override
    {
        TempSettings::SetUp();
        ASSERT_TRUE(m_root.isValid());
        program = std::make_unique<ChartAssembly>(ChartAssembly::Folders{
            DataPaths::bundleDataFolder(), m_root.path() + "/Norvane Pro", DataPaths::bundleResourcesFolder()});
    }
    void TearDown() override { program.reset(); }

    ChartMenuBar& menus() { return program->menuBar(); }
    FindPanelControl& findPanel()
    {
        return *static_cast<FindPanelControl*>(program->outlets().findPanel);
    }

    std::unique_ptr<ChartAssembly> program;

private:
    QTemporaryDir m_root;
};

}  // namespace

TEST_F(ChartWiringTest, TheSolarSystemWindowOpensFromTheMenuAndShowsTheChartAgain)
{
    SSWindow& solarSystem = program->ssWindow();
    SkyWindow& chart = program->skyWindow();
    chart.show();
    menus().windowMenu().menuAction(WindowMenuActions::kSolarSystemTag);
    ASSERT_TRUE(solarSystem.isVisible());

    // Hidden from the chart, the chart comes back through the solar-system
    // window's own menu bar.
    menus().windowMenu().menuAction(WindowMenuActions::kSkyWindowTag);
    ASSERT_FALSE(chart.isVisible());
    QAction* skyItem = menuBarItem(*solarSystem.menuBar(), "Windows", WindowMenuActions::kSkyWindowTag);
    ASSERT_NE(skyItem, nullptr);
    skyItem->trigger();
    EXPECT_TRUE(chart.isVisible());

    menus().windowMenu().menuAction(WindowMenuActions::kSolarSystemTag);
    EXPECT_FALSE(solarSystem.isVisible());
}

TEST_F(ChartWiringTest, TheSetupMenuShowsAndHidesThePhotoHorizonPanelFreshlyLoaded)
{
    PhotoHorizonAdjustPanel& panel = program->photoHorizonPanel();
    panel.radio(PhotoHorizonAdjustPanel::SiteRadio).button(3)->click();
    const int setupTag = SetupMenuActions::kPhotoHorizonTag;
    QAction* item = menuBarItem(*program->skyWindow().menuBar(), "Setup", setupTag);
    ASSERT_NE(item, nullptr);

    item->trigger();
    ASSERT_TRUE(panel.isVisible());
    // Shown for the current site, whatever site it was left on.
    EXPECT_EQ(panel.radio(PhotoHorizonAdjustPanel::SiteRadio).checkedId(), program->prefControl().currentSite());
    EXPECT_EQ(menus().setupMenu().validateMenuItem(setupTag).checked, true);
    EXPECT_TRUE(menus().setupMenu().validateMenuItem(setupTag).enabled);

    item->trigger();
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(menus().setupMenu().validateMenuItem(setupTag).checked, false);
}

TEST_F(ChartWiringTest, TheFindPanelOpensFromTheEditMenuAndItsKey)
{
    FindPanelControl& panel = findPanel();
    menus().editMenu().menuAction(EditMenuActions::kFindTag);
    EXPECT_TRUE(panel.isVisible());
    menus().editMenu().menuAction(EditMenuActions::kFindTag);
    EXPECT_FALSE(panel.isVisible());

    // The first of the user's shortcut keys toggles the find panel.
    program->prefControl().saveShortcutPref(QStringLiteral("fx"));
    SkyView& view = program->skyWindow().skyView();
    QTest::keyClick(&view, 'f');
    EXPECT_TRUE(panel.isVisible());
    QTest::keyClick(&view, 'f');
    EXPECT_FALSE(panel.isVisible());
}

TEST_F(ChartWiringTest, ASearchTheChartCannotCentreGoesToTheFindPanelWhoseTextTheEditMenuCopies)
{
    // A typed position is no name: the window-less search leaves it to the panel.
    const QString position = QStringLiteral("5 35 17 -5 23 28");
    NameSearch& search = *program->outlets().nameSearch;
    EXPECT_NE(search.findVoiceName(position), NameSearch::kFoundAndSelected);
    search.searchInFindPanel(position);
    FindPanelControl& panel = findPanel();
    ASSERT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.findEnterText()->text(), position);

    if (!QTest::qWaitForWindowActive(&panel))
        GTEST_SKIP() << "this platform gives no window the keyboard";
    QGuiApplication::clipboard()->setText(QStringLiteral("chart"));
    menus().editMenu().menuAction(EditMenuActions::kCopyTag);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), position);
    QGuiApplication::clipboard()->setText(QStringLiteral("M 31"));
    menus().editMenu().menuAction(EditMenuActions::kPasteTag);
    EXPECT_EQ(panel.findEnterText()->text(), "M 31");
}

TEST_F(ChartWiringTest, AnOpenedPhotoShowsInThePhotoPanelUnderItsName)
{
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(Qt::red);
    program->outlets().photoPanel->showPhoto(photo, QStringLiteral("Orion.png"));
    const QWidget& panel = program->infoPanels().photoPanel();
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.windowTitle(), "Orion.png");
    EXPECT_EQ(program->infoPanels().photoImage(), photo);
}
