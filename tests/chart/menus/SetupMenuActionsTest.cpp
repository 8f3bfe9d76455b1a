#include "chart/menus/MenuFakes.h"

#include "chart/controls/SkyTimeControl.h"
#include "chart/menus/SetupMenuActions.h"
#include "model/SkyDateModel.h"
#include "platform/AppTimeZone.h"

#include <gtest/gtest.h>

namespace {

class SetupMenuActionsTest : public MenusTest {
protected:
    void SetUp() override
    {
        MenusTest::SetUp();
        m_savedZone = AppTimeZone::zone();
        PrefControl& p = settings();
        p.setSiteNamesArray({"Boston", "Undefined", "Berlin", "Undefined", "Nowhere"});
        p.setTZNamesArray({"America/New_York", "UTC", "Europe/Berlin", "UTC", "Mars/Olympus"});
        p.sites()[0] = {42.36f, -71.06f};
        p.sites()[2] = {52.52f, 13.40f};
        AppTimeZone::setZone(QTimeZone("America/New_York"));
        skyDate = std::make_unique<SkyDateModel>(p);
        time = std::make_unique<SkyTimeControl>(p, *skyDate, outlets);
        time->setBeep([this] { ++beeps; });
        setup = std::make_unique<SetupMenuActions>(p, outlets, *chain, *time);
    }
    void TearDown() override
    {
        AppTimeZone::setZone(m_savedZone);
        MenusTest::TearDown();
    }
    // The chart's clock time in the program's zone.
    QTime wallClock() const { return skyDate->skyDate().toTimeZone(AppTimeZone::zone()).time(); }
    int marks()
    {
        int n = 0;
        for (int tag = 1; tag <= 5; ++tag)
            n += setup->validateMenuItem(tag).checked.value_or(false);
        return n;
    }

    std::unique_ptr<SkyDateModel> skyDate;
    std::unique_ptr<SkyTimeControl> time;
    std::unique_ptr<SetupMenuActions> setup;
    int beeps = 0;

private:
    QTimeZone m_savedZone;
};

TEST_F(SetupMenuActionsTest, SiteItemsShowTheirNamesAndEmptySlotsAreOff)
{
    const MenuItemState home = setup->validateMenuItem(1);
    EXPECT_EQ(home.title, "Boston");
    EXPECT_TRUE(home.enabled);
    EXPECT_EQ(home.checked, true);
    const MenuItemState empty = setup->validateMenuItem(2);
    EXPECT_EQ(empty.title, "Site 1");
    EXPECT_FALSE(empty.enabled);
    EXPECT_EQ(empty.checked, false);
    EXPECT_EQ(setup->validateMenuItem(3).title, "Berlin");
    EXPECT_FALSE(setup->validateMenuItem(7).enabled);
    EXPECT_EQ(marks(), 1);
}

TEST_F(SetupMenuActionsTest, SwitchingSitesKeepsTheWallClockOnEitherSideOfDaylightSaving)
{
    PrefControl& p = settings();
    // Winter and summer in both places, and a week in March when only
    // America has moved its clocks.
    for (const QDate day : {QDate(2025, 1, 15), QDate(2025, 7, 15), QDate(2025, 3, 20)}) {
        AppTimeZone::setZone(QTimeZone("America/New_York"));
        setup->setCurrentSite(0);
        skyDate->calculateDate(QDateTime(day, QTime(22, 0), QTimeZone("America/New_York")), 0.0);
        setup->menuAction(3);
        EXPECT_EQ(AppTimeZone::zone().id(), "Europe/Berlin");
        EXPECT_EQ(wallClock(), QTime(22, 0)) << day.toString().toStdString();
        EXPECT_EQ(skyDate->skyDate().toTimeZone(AppTimeZone::zone()).date(), day);
        EXPECT_EQ(p.currentSite(), 2);
        EXPECT_FLOAT_EQ(p.latitude(), 52.52f);
        EXPECT_EQ(marks(), 1);
        setup->menuAction(1);
        EXPECT_EQ(wallClock(), QTime(22, 0)) << day.toString().toStdString();
        EXPECT_EQ(skyDate->skyDate().toTimeZone(AppTimeZone::zone()).offsetFromUtc(),
                  QTimeZone("America/New_York").offsetFromUtc(skyDate->skyDate()));
    }
    // The whole chain runs, time panel included.
    EXPECT_GE(count("timePanel.setupDate"), 6);
    EXPECT_GE(count("images.recolorStarArrays"), 6);
}

TEST_F(SetupMenuActionsTest, AZoneNameThatNamesNoZoneChangesNeitherZoneNorTime)
{
    settings().setSiteNamesArray({"Boston", "Undefined", "Berlin", "Undefined", "Olympus"});
    const QDateTime before(QDate(2025, 1, 15), QTime(22, 0), QTimeZone("America/New_York"));
    skyDate->calculateDate(before, 0.0);
    setup->menuAction(5);
    EXPECT_EQ(AppTimeZone::zone().id(), "America/New_York");
    EXPECT_EQ(skyDate->skyDate(), before);
    EXPECT_EQ(settings().currentSite(), 4);
}

TEST_F(SetupMenuActionsTest, RealAndSetTimeNeverRunTogether)
{
    PrefControl& p = settings();
    setup->menuAction(SetupMenuActions::kRealTimeTag);
    EXPECT_TRUE(p.isRunRealTime());
    setup->menuAction(SetupMenuActions::kSetTimeTag);
    EXPECT_TRUE(p.isRunSetTime());
    EXPECT_FALSE(p.isRunRealTime());
    EXPECT_EQ(count("timePanel.setRunSetTime"), 1);
    setup->menuAction(SetupMenuActions::kRealTimeTag);
    EXPECT_TRUE(p.isRunRealTime());
    EXPECT_FALSE(p.isRunSetTime());
    EXPECT_EQ(setup->validateMenuItem(SetupMenuActions::kRealTimeTag).checked, true);
    EXPECT_EQ(setup->validateMenuItem(SetupMenuActions::kSetTimeTag).checked, false);
    setup->menuAction(SetupMenuActions::kRealTimeTag);
    EXPECT_FALSE(p.isRunRealTime());

    skyDate->calculateDate(QDateTime(QDate(2001, 5, 5), QTime(3, 0), Qt::UTC), 0.0);
    setup->menuAction(SetupMenuActions::kStartupTimeTag);
    EXPECT_EQ(skyDate->skyDate().toTimeZone(AppTimeZone::zone()).time(),
              QTime(p.startupTime().time().hour(), p.startupTime().time().minute()));
}

TEST_F(SetupMenuActionsTest, ClocksAreRefusedWhileAMountIsConnected)
{
    fakes.mount.connected = true;
    PrefControl& p = settings();
    for (int tag : {10, 11, 12}) {
        EXPECT_FALSE(setup->validateMenuItem(tag).enabled) << tag;
        setup->menuAction(tag);  // as a shortcut key sends it
    }
    EXPECT_EQ(beeps, 3);
    EXPECT_FALSE(p.isRunRealTime());
    EXPECT_FALSE(p.isRunSetTime());
}

}  // namespace
