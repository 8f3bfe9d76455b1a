#include "chart/menus/MenuFakes.h"

#include "chart/menus/ShowMenuActions.h"

#include <gtest/gtest.h>

namespace {

// What each item does after its switch; the menu's column and setItem's.
struct FollowUp {
    int forced = 0, plain = 0;  // projections
    int ssDisplays = 0, svDisplays = 0, paths = 0;
};

class ShowMenuActionsTest : public MenusTest {
protected:
    void SetUp() override
    {
        MenusTest::SetUp();
        solarSystem.visible = true;
        fakes.svWindow.visible = true;
        show = std::make_unique<ShowMenuActions>(settings(), outlets, *chain);
    }
    FollowUp observed() const
    {
        return {projections(true), projections(false), count("ssWindow.display"), count("svWindow.display"),
                count("model.calculatePlanetPath")};
    }
    std::unique_ptr<ShowMenuActions> show;
};

TEST_F(ShowMenuActionsTest, EveryItemFlipsItsStoredSwitchAndTheMarkFollows)
{
    for (int tag = ShowMenuActions::kFirstTag; tag <= ShowMenuActions::kLastTag; ++tag) {
        for (int round = 0; round < 2; ++round) {
            const bool before = *show->validateMenuItem(tag).checked;
            show->menuAction(tag);
            const MenuItemState state = show->validateMenuItem(tag);
            EXPECT_TRUE(state.enabled) << tag;
            ASSERT_TRUE(state.checked) << tag;
            EXPECT_EQ(*state.checked, !before) << tag;
            // A fresh read of the settings file shows the same value.
            PrefControl again(fakes.gamma);
            again.readPrefs();
            ShowMenuActions reread(again, outlets, *chain);
            EXPECT_EQ(reread.validateMenuItem(tag).checked, state.checked) << tag;
        }
    }
}

TEST_F(ShowMenuActionsTest, MenuAndSpokenSwitchesRefreshWhatTheLayerNeeds)
{
    struct Case {
        int tag;
        bool fromMenu;
        FollowUp want;
    };
    const Case cases[] = {
        {1, true, {.plain = 1}},
        {2, true, {.forced = 1}},
        {7, true, {.ssDisplays = 1}},
        {7, false, {}},
        {10, true, {.ssDisplays = 1}},
        {10, false, {}},
        {11, false, {.forced = 1}},
        {16, true, {.forced = 1}},
        {18, true, {.plain = 1}},
        {18, false, {.forced = 1}},
        {19, true, {.svDisplays = 1}},
        {19, false, {.svDisplays = 1}},
    };
    for (const Case& c : cases) {
        fakes.log.calls.clear();
        c.fromMenu ? show->menuAction(c.tag) : show->setItem(c.tag);
        const FollowUp got = observed();
        EXPECT_EQ(got.forced, c.want.forced) << c.tag << c.fromMenu;
        EXPECT_EQ(got.plain, c.want.plain) << c.tag << c.fromMenu;
        EXPECT_EQ(got.ssDisplays, c.want.ssDisplays) << c.tag << c.fromMenu;
        EXPECT_EQ(got.svDisplays, c.want.svDisplays) << c.tag << c.fromMenu;
        EXPECT_EQ(count("skyView.display"), 1) << "the chart is redrawn once, " << c.tag;
        EXPECT_EQ(count("bottomPanel.updateBottomPanel"), 0);
    }
}

TEST_F(ShowMenuActionsTest, FiguresAreTintedOnceWhenFirstSwitchedOn)
{
    PrefControl& p = settings();
    ASSERT_FALSE(p.isMyth());
    show->menuAction(17);  // on: tinted
    show->menuAction(17);  // off
    show->menuAction(17);  // on again: already tinted
    EXPECT_EQ(count("images.recolorMythForms"), 1);
    EXPECT_EQ(projections(true), 3);

    // The spoken command's 17 leaves the figures alone.
    const bool before = p.isMyth();
    show->setItem(17);
    EXPECT_EQ(p.isMyth(), before);
}

TEST_F(ShowMenuActionsTest, UnknownTagsChangeNothingAndRedraw)
{
    auto marks = [this] {
        QList<bool> on;
        for (int tag = ShowMenuActions::kFirstTag; tag <= ShowMenuActions::kLastTag; ++tag)
            on.append(*show->validateMenuItem(tag).checked);
        return on;
    };
    const QList<bool> before = marks();
    for (int tag : {0, 20, -3}) {
        fakes.log.calls.clear();
        show->menuAction(tag);
        show->setItem(tag);
        EXPECT_EQ(marks(), before) << tag;
        EXPECT_EQ(count("skyView.display"), 2) << tag;
        EXPECT_EQ(projections(true) + projections(false), 0) << tag;
        EXPECT_FALSE(show->validateMenuItem(tag).checked) << tag;
    }
}

}  // namespace
