#include "chart/menus/MenuFakes.h"

#include "chart/controls/SkyTimeControl.h"
#include "chart/toolbar/ToolbarActions.h"
#include "chart/toolbar/ToolbarItems.h"
#include "model/SkyDateModel.h"

#include <gtest/gtest.h>

namespace {

const QString kCheck = QString(ToolbarItems::kCheckMark);

class ToolbarActionsTest : public MenusTest {
protected:
    void SetUp() override
    {
        MenusTest::SetUp();
        skyDate = std::make_unique<SkyDateModel>(settings());
        skyDate->calculateDate(kMoment, 0.0);
        time = std::make_unique<SkyTimeControl>(settings(), *skyDate, outlets);
        time->setBeep([this] { ++beeps; });
        toolbar = std::make_unique<ToolbarActions>(settings(), outlets, *chain, *time);
        fakes.log.calls.clear();
    }
    QString label(int tag) const
    {
        return toolbar->validateToolbarItem(tag, QString::fromLatin1(ToolbarItems::itemWithTag(tag)->label));
    }

    const QDateTime kMoment{QDate(2025, 3, 9), QTime(22, 0), Qt::UTC};
    std::unique_ptr<SkyDateModel> skyDate;
    std::unique_ptr<SkyTimeControl> time;
    std::unique_ptr<ToolbarActions> toolbar;
    int beeps = 0;
};

TEST_F(ToolbarActionsTest, LayerButtonsFlipTheirSwitchAndTheLabelCarriesOneMark)
{
    for (int tag : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17, 21, 22, 23}) {
        const ToolbarItems::Item* item = ToolbarItems::itemWithTag(tag);
        ASSERT_TRUE(item) << tag;
        const QString bare = QString::fromLatin1(item->label);
        const bool before = label(tag).startsWith(kCheck);
        toolbar->skyToolbarAction(tag);
        const QString after = label(tag);
        EXPECT_EQ(after.startsWith(kCheck), !before) << tag;
        EXPECT_EQ(after, before ? bare : kCheck + bare) << tag;
        // A label that collected marks at either end still gets exactly one.
        EXPECT_EQ(toolbar->validateToolbarItem(tag, kCheck + kCheck + bare + kCheck), after) << tag;

        PrefControl again(fakes.gamma);
        again.readPrefs();
        ToolbarActions reread(again, outlets, *chain, *time);
        EXPECT_EQ(reread.validateToolbarItem(tag, bare), after) << "stored at once, " << tag;
    }
    EXPECT_EQ(count("bottomPanel.updateBottomPanel"), 0);
}

TEST_F(ToolbarActionsTest, LayerButtonsRefreshWhatShowsTheLayer)
{
    solarSystem.visible = true;
    fakes.svWindow.visible = true;
    struct Case {
        int tag;
        int forced, plain, chart, scope, orbits;
    };
    const Case cases[] = {
        {1, 0, 0, 1, 1, 0}, {2, 0, 0, 1, 1, 1}, {5, 0, 1, 1, 0, 0}, {6, 1, 0, 1, 0, 0},
        {11, 1, 0, 1, 0, 0}, {17, 1, 0, 1, 0, 0}, {22, 0, 1, 1, 0, 0}, {23, 0, 0, 1, 1, 0},
    };
    for (const Case& c : cases) {
        fakes.log.calls.clear();
        toolbar->skyToolbarAction(c.tag);
        EXPECT_EQ(projections(true), c.forced) << c.tag;
        EXPECT_EQ(projections(false), c.plain) << c.tag;
        EXPECT_EQ(count("skyView.display"), c.chart) << c.tag;
        EXPECT_EQ(count("svWindow.display"), c.scope) << c.tag;
        EXPECT_EQ(count("ssWindow.display"), c.orbits) << c.tag;
    }
    // A hidden main window is not redrawn.
    mainWindow.visible = false;
    fakes.log.calls.clear();
    toolbar->skyToolbarAction(1);
    EXPECT_EQ(count("skyView.display"), 0);
}

// Tinting only once is the shared helper's, checked with the Show menu.
TEST_F(ToolbarActionsTest, MythFiguresAreTintedAndPathsComputedWhenOn)
{
    toolbar->skyToolbarAction(21);
    EXPECT_EQ(count("images.recolorMythForms"), 1);
    toolbar->skyToolbarAction(12);
    toolbar->skyToolbarAction(12);
    EXPECT_EQ(count("model.calculatePlanetPath"), 1);
}

TEST_F(ToolbarActionsTest, WindowButtonsOpenAndCloseAndKeepTheScopeViewClosed)
{
    toolbar->skyToolbarAction(20);
    EXPECT_TRUE(fakes.svWindow.visible);
    EXPECT_FALSE(scopeView.keepClosed);
    EXPECT_TRUE(label(20).startsWith(kCheck));
    toolbar->skyToolbarAction(20);
    EXPECT_FALSE(fakes.svWindow.visible);
    EXPECT_TRUE(scopeView.keepClosed);
    EXPECT_EQ(label(20), "Scope");

    toolbar->skyToolbarAction(19);
    EXPECT_TRUE(solarSystem.visible);
    EXPECT_EQ(count("ssWindow.updatePositions"), 1) << "positions refreshed before showing";
    EXPECT_EQ(label(19), kCheck + "Orbits");
    toolbar->skyToolbarAction(19);
    EXPECT_FALSE(solarSystem.visible);

    PrefControl& p = settings();
    const bool wasOpen = p.isTimePanel();
    toolbar->skyToolbarAction(15);
    EXPECT_EQ(p.isTimePanel(), !wasOpen);
    EXPECT_EQ(fakes.timePanel.visible, !wasOpen);
    EXPECT_EQ(label(15), "Time") << "panel buttons carry no mark";
    toolbar->skyToolbarAction(16);
    EXPECT_EQ(fakes.directionPanel.visible, p.isDirectionPanel());
}

TEST_F(ToolbarActionsTest, TimeSteppersMoveTheDateButNotPastAConnectedMount)
{
    PrefControl& p = settings();
    p.setIsRunRealTime(true, false);
    toolbar->timeToolbarAction(3, true);
    toolbar->timeToolbarAction(1, false);
    EXPECT_EQ(kMoment.secsTo(skyDate->skyDate()), 3599);
    EXPECT_TRUE(p.isRunRealTime()) << "the next real-time tick sets the date back";
    EXPECT_EQ(count("timePanel.setupDate"), 2);
    EXPECT_EQ(projections(true), 2);

    fakes.mount.connected = true;
    toolbar->timeToolbarAction(4, true);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(kMoment.secsTo(skyDate->skyDate()), 3599);
}

TEST_F(ToolbarActionsTest, SearchCentresAFoundObjectOrHandsTheTextToTheFindPanel)
{
    EXPECT_FALSE(toolbar->searchUsingToolbarSearchField(QString()));
    EXPECT_TRUE(fakes.log.calls.isEmpty());

    nameSearch.answer = NameSearch::kFoundAndSelected;
    EXPECT_TRUE(toolbar->searchUsingToolbarSearchField("M31"));
    EXPECT_EQ(count("finder.findCenterAction"), 1);
    EXPECT_EQ(count("findPanel.search M31"), 0);

    nameSearch.answer = 3;
    toolbar->searchUsingToolbarSearchField("Nowhere");
    EXPECT_EQ(count("finder.findCenterAction"), 1);
    EXPECT_EQ(count("findPanel.search Nowhere"), 1);
}

TEST(ToolbarItemsTest, SavedArrangementsAreCleanedOrReplacedByTheDefault)
{
    using namespace ToolbarItems;
    EXPECT_EQ(restoredItemIdentifiers({}), defaultItemIdentifiers());
    EXPECT_EQ(restoredItemIdentifiers({"junk", kSeparator, kSpace}), defaultItemIdentifiers());
    EXPECT_EQ(restoredItemIdentifiers({"Star Name Toolbar ID", "junk", kSeparator, "Star Name Toolbar ID",
                                       kSeparator, kFind, kFind}),
              QStringList({"Star Name Toolbar ID", kSeparator, kSeparator, kFind}));
    for (const QString& identifier : defaultItemIdentifiers())
        EXPECT_TRUE(allowedItemIdentifiers().contains(identifier)) << identifier.toStdString();
}

}  // namespace
