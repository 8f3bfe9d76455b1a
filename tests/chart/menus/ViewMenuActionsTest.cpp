#include "chart/menus/MenuFakes.h"

#include "chart/menus/NightVisionFade.h"
#include "chart/menus/ViewMenuActions.h"

#include <gtest/gtest.h>

namespace {

// Keeps every formula the display is given.
struct RecordingGamma final : DisplayGamma {
    std::vector<GammaFormula> set;
    int restores = 0;
    quint32 displayID() const override { return 7; }
    GammaFormula defaultFormula() const override { return {0.0f, 1.0f, 1.8f, 0.0f, 1.0f, 1.8f, 0.0f, 1.0f, 1.8f}; }
    bool setFormula(const GammaFormula& f) override { set.push_back(f); return true; }
    bool restoreDefault() override { ++restores; return true; }
};

class ViewMenuActionsTest : public MenusTest {
protected:
    void SetUp() override
    {
        MenusTest::SetUp();
        view = std::make_unique<ViewMenuActions>(settings(), outlets, *chain, fade);
    }
    bool checked(int tag) const { return view->validateMenuItem(tag).checked.value_or(false); }

    RecordingGamma display;
    int waits = 0;
    NightVisionFade fade{display, [this](int ms) { waits += ms; }};
    std::unique_ptr<ViewMenuActions> view;
};

TEST_F(ViewMenuActionsTest, PresetsSetTheViewAndOnlyTheExactPresetIsMarked)
{
    PrefControl& p = settings();
    struct Case {
        int tag;
        double azimuth, altitude, angle;
    };
    p.setAzimuth(12.0);
    p.setAltitude(20.0);
    p.setViewAngle(70.0);
    const Case cases[] = {
        {1, 0, 20, 70}, {2, 180, 20, 70}, {3, 90, 20, 70}, {4, 270, 20, 70}, {5, 270, 45, 70}, {6, 270, 90, 70},
        {7, 270, 90, 5}, {12, 270, 90, 180}, {17, 270, 90, 185},
    };
    for (const Case& c : cases) {
        fakes.log.calls.clear();
        view->menuAction(c.tag);
        EXPECT_EQ(p.azimuth(), c.azimuth) << c.tag;
        EXPECT_EQ(p.altitude(), c.altitude) << c.tag;
        EXPECT_EQ(p.viewAngle(), c.angle) << c.tag;
        EXPECT_TRUE(checked(c.tag)) << c.tag;
        EXPECT_EQ(projections(false), 1);
        EXPECT_EQ(count("skyView.display"), 1);
        EXPECT_EQ(count("bottomPanel.updateBottomPanel"), 1);
    }
    // Azimuth 270 marks West only; a hand-panned view marks none.
    int marked = 0;
    for (int tag = 1; tag <= 4; ++tag)
        marked += checked(tag);
    EXPECT_EQ(marked, 1);
    p.setAzimuth(0.5);
    EXPECT_FALSE(checked(1));
    // A spoken direction out of range changes nothing but still redraws.
    fakes.log.calls.clear();
    view->lookDirection(7);
    EXPECT_EQ(p.azimuth(), 0.5);
    EXPECT_EQ(count("skyView.display"), 1);
    EXPECT_FALSE(checked(10)) << "120 is not 90";
}

TEST_F(ViewMenuActionsTest, SelectionItemsNeedASelection)
{
    PrefControl& p = settings();
    p.setFindIndex(kNoObjectIndex);
    EXPECT_FALSE(view->validateMenuItem(14).enabled);
    EXPECT_FALSE(view->validateMenuItem(16).enabled);
    p.setFindIndex(kPlanetIndexBase + 4);
    EXPECT_TRUE(view->validateMenuItem(14).enabled);
    view->menuAction(14);
    view->menuAction(16);
    EXPECT_EQ(count("model.centerObject"), 1);
    EXPECT_EQ(count("finder.findTrackAction"), 1);
    view->menuAction(18);
    EXPECT_EQ(count("mainWindow.toggleFullScreen"), 1);
}

TEST_F(ViewMenuActionsTest, OneOutlineAtATimeAndTheSameItemRemovesIt)
{
    view->menuAction(22);
    EXPECT_EQ(viewModes.outline, 22);
    view->menuAction(33);
    EXPECT_EQ(viewModes.outline, 33);
    EXPECT_FALSE(checked(22));
    EXPECT_TRUE(checked(33));
    view->menuAction(33);
    EXPECT_EQ(viewModes.outline, 0);
    view->menuAction(47);
    EXPECT_TRUE(checked(47));
}

TEST_F(ViewMenuActionsTest, FinderOutlineOnlyForACrossFinder)
{
    PrefControl& p = settings();
    viewModes.outline = ViewMenuActions::kFinderOutlineTag;
    struct Case {
        int current;
        quint16 finderType;
        bool enabled;
    };
    for (const Case c : {Case{0, 2, true}, Case{0, 1, false}, Case{-1, 2, false}, Case{5, 2, false}}) {
        p.scopes()[0].finderType = c.finderType;
        p.setCurrentScope(c.current);
        const MenuItemState state = view->validateMenuItem(ViewMenuActions::kFinderOutlineTag);
        EXPECT_EQ(state.enabled, c.enabled) << c.current << " " << c.finderType;
        EXPECT_EQ(state.checked.value_or(true), c.enabled) << "disabled means unmarked";
    }
}

TEST_F(ViewMenuActionsTest, NightVisionFadesInTwentyStepsAndBackToTheExactRamps)
{
    PrefControl& p = settings();
    const GammaFormula night = p.nvGammaArray();
    view->menuAction(ViewMenuActions::kNightVisionTag);
    EXPECT_TRUE(p.isNightVision());
    EXPECT_TRUE(checked(ViewMenuActions::kNightVisionTag));
    ASSERT_EQ(display.set.size(), std::size_t(NightVisionFade::kSteps));
    EXPECT_EQ(display.set.back(), night);
    // The red maximum falls from 0.996 toward 0.6, green toward 0, in even steps.
    EXPECT_NEAR(display.set[0][1], 0.996 - (0.996 - 0.6) / 20, 1e-6);
    EXPECT_NEAR(display.set[18][4], 0.996 - 19 * 0.996 / 20, 1e-6);
    EXPECT_EQ(display.set[0][2], 1.8f) << "gammas of the shown formula kept";
    EXPECT_EQ(waits, 19 * NightVisionFade::kStepMilliseconds);

    display.set.clear();
    view->menuAction(ViewMenuActions::kNightVisionTag);
    EXPECT_FALSE(p.isNightVision());
    EXPECT_EQ(display.set.size(), std::size_t(NightVisionFade::kSteps - 1));
    EXPECT_NEAR(display.set.back()[4], 19 * 0.996 / 20, 1e-6);
    EXPECT_EQ(display.restores, 1) << "ends on the ramps captured at start";
}

TEST_F(ViewMenuActionsTest, NightVisionWithoutADisplayOnlyFlipsTheFlag)
{
    fakes.gamma.id = 0;
    PrefControl withoutDisplay(fakes.gamma);
    withoutDisplay.readPrefs();
    ViewMenuActions actions(withoutDisplay, outlets, *chain, fade);
    actions.menuAction(ViewMenuActions::kNightVisionTag);
    EXPECT_TRUE(withoutDisplay.isNightVision());
    EXPECT_TRUE(display.set.empty());
    EXPECT_EQ(count("skyView.display"), 1);
}

}  // namespace
