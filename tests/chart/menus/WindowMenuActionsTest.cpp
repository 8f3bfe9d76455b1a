#include "chart/menus/MenuFakes.h"

#include "chart/menus/ShowMenuActions.h"
#include "chart/menus/TaggedMenu.h"
#include "chart/menus/WindowMenuActions.h"
#include "find/panels/NightPlanner.h"

#include <gtest/gtest.h>

namespace {

class WindowMenuActionsTest : public MenusTest {
protected:
    void SetUp() override
    {
        MenusTest::SetUp();
        windows = std::make_unique<WindowMenuActions>(settings(), outlets, *chain);
    }
    bool checked(int tag) const { return windows->validateMenuItem(tag).checked.value_or(false); }
    std::unique_ptr<WindowMenuActions> windows;
};

TEST_F(WindowMenuActionsTest, PanelsFollowTheirStoredSwitches)
{
    PrefControl& p = settings();
    for (int tag : {WindowMenuActions::kDirectionPanelTag, WindowMenuActions::kTimePanelTag}) {
        const bool before = checked(tag);
        windows->menuAction(tag);
        EXPECT_EQ(checked(tag), !before) << tag;
        PrefControl again(fakes.gamma);
        again.readPrefs();
        EXPECT_EQ(tag == WindowMenuActions::kTimePanelTag ? again.isTimePanel() : again.isDirectionPanel(), !before);
    }
    EXPECT_EQ(fakes.timePanel.visible, p.isTimePanel());
    EXPECT_EQ(fakes.directionPanel.visible, p.isDirectionPanel());
}

TEST_F(WindowMenuActionsTest, ClosingTheScopeViewHereKeepsItClosedUntilOpenedHere)
{
    windows->menuAction(WindowMenuActions::kScopeViewTag);
    EXPECT_TRUE(fakes.svWindow.visible);
    EXPECT_TRUE(checked(WindowMenuActions::kScopeViewTag));
    windows->menuAction(WindowMenuActions::kScopeViewTag);
    EXPECT_FALSE(fakes.svWindow.visible);
    EXPECT_TRUE(scopeView.keepClosed);
    windows->menuAction(WindowMenuActions::kScopeViewTag);
    EXPECT_FALSE(scopeView.keepClosed);

    windows->menuAction(WindowMenuActions::kSolarSystemTag);
    EXPECT_TRUE(solarSystem.visible);
    EXPECT_EQ(count("ssWindow.updatePositions"), 1);
    EXPECT_TRUE(checked(WindowMenuActions::kSolarSystemTag));
}

TEST_F(WindowMenuActionsTest, AWindowHidesOnlyWhileAnotherCarriesTheMenus)
{
    struct Window {
        int tag;
        bool& visible;
    };
    const Window windowsWithMenus[] = {{WindowMenuActions::kSkyWindowTag, mainWindow.visible},
                                       {WindowMenuActions::kScopeViewTag, fakes.svWindow.visible},
                                       {WindowMenuActions::kSolarSystemTag, solarSystem.visible}};
    for (const Window& only : windowsWithMenus) {
        for (const Window& window : windowsWithMenus)
            window.visible = &window == &only;
        EXPECT_FALSE(windows->validateMenuItem(only.tag).enabled) << only.tag;
        windows->menuAction(only.tag);
        EXPECT_TRUE(only.visible) << "the only window stays: " << only.tag;
        for (const Window& other : windowsWithMenus) {
            if (&other != &only) {
                EXPECT_TRUE(windows->validateMenuItem(other.tag).enabled) << other.tag;
            }
        }
    }
    fakes.svWindow.visible = false;
    mainWindow.visible = true;

    fakes.svWindow.visible = true;
    EXPECT_TRUE(windows->validateMenuItem(WindowMenuActions::kSkyWindowTag).enabled);
    windows->menuAction(WindowMenuActions::kSkyWindowTag);
    EXPECT_FALSE(mainWindow.visible);
    EXPECT_TRUE(mainWindow.keepClosed);
    EXPECT_FALSE(checked(WindowMenuActions::kSkyWindowTag));

    fakes.log.calls.clear();
    windows->menuAction(WindowMenuActions::kSkyWindowTag);
    EXPECT_TRUE(mainWindow.visible);
    EXPECT_FALSE(mainWindow.keepClosed);
    // Projected before it comes to the front, redrawn after.
    EXPECT_EQ(fakes.log.calls.indexOf("model.calculateStarPositions false"), 0);
    EXPECT_LT(fakes.log.calls.indexOf("mainWindow.orderFront"), fakes.log.calls.indexOf("skyView.display"));
}

TEST_F(WindowMenuActionsTest, ThePlannerOpensOnTheChartsNightAndClosesAgain)
{
    struct FakePlanner final : NightPlanner {
        bool isPlannerVisible() const override { return visible; }
        void orderOut() override { visible = false; }
        void showTonight() override
        {
            visible = true;
            ++nights;
        }
        bool visible = false;
        int nights = 0;
    } planner;
    windows->menuAction(WindowMenuActions::kPlannerTag);  // no planner: nothing
    outlets.tonightView = &planner;
    windows->menuAction(WindowMenuActions::kPlannerTag);
    EXPECT_TRUE(planner.visible);
    EXPECT_EQ(planner.nights, 1);
    windows->menuAction(WindowMenuActions::kPlannerTag);
    EXPECT_FALSE(planner.visible);
    EXPECT_EQ(planner.nights, 1);
}

TEST_F(WindowMenuActionsTest, InformationPanelsSwitchForTheRunOnly)
{
    PrefControl& p = settings();
    const bool before = p.isInfoPanel();
    windows->menuAction(WindowMenuActions::kInfoPanelTag);
    EXPECT_EQ(p.isInfoPanel(), !before);
    EXPECT_EQ(count("finder.updatePanelInfo false"), 1);
    EXPECT_EQ(count("mainWindow.setTitle Norvane Pro"), 1);
    for (int tag : {5, 7, 0, 99}) {
        windows->menuAction(tag);
        EXPECT_TRUE(windows->validateMenuItem(tag).enabled) << tag;
    }
}

TEST_F(WindowMenuActionsTest, AnOpeningMenuTakesItsMarksFromTheSettings)
{
    ShowMenuActions show(settings(), outlets, *chain);
    TaggedMenu menu("Show", show);
    QAction* stars = menu.addItem("Star Names", 8);
    QAction* planets = menu.addItem("Planet Names", 7);
    settings().setIsStarNames();  // as a spoken command would
    menu.validateMenuItems();
    EXPECT_EQ(stars->isChecked(), settings().isStarNames());
    EXPECT_EQ(planets->isChecked(), settings().isPlanetNames());
    stars->trigger();
    menu.validateMenuItems();
    EXPECT_EQ(stars->isChecked(), settings().isStarNames());
}

}  // namespace
