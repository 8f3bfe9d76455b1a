#include "chart/menus/MenuFakes.h"

#include "chart/controls/SkyTimeControl.h"
#include "chart/menus/EditMenuActions.h"
#include "chart/menus/ScopeViewPosition.h"
#include "find/panels/FindPanelEntry.h"
#include "model/SkyDateModel.h"
#include "mount/MountGoto.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

namespace {

constexpr double kRad = 0.0174532925199433;

struct FakeEntry final : FindPanelEntry, Logged {
    using Logged::Logged;
    bool key = false;
    QString text;
    bool isKeyWindow() const override { return key; }
    QString enterString() const override { return text; }
    void setEnterString(const QString& t) override { text = t; }
};

struct FakeGoto final : MountGoto, Logged {
    using Logged::Logged;
    void gotoRA(double ra, double dec) override { log.add("mount", "gotoRA", ra, dec); }
};

TEST(ScopeViewPositionTest, TextsCarryAndKeepTheSignOfSmallDeclinations)
{
    struct Case {
        double ra, dec;  // degrees
        const char* text;
    };
    const Case cases[] = {
        {(5 + 35 / 60.0 + 17 / 3600.0) * 15, -(5 + 23 / 60.0 + 28 / 3600.0), "5:35:17:-5:23:28.0"},
        {(23 + 59 / 60.0 + 59.6 / 3600.0) * 15, 10.0, "0:0:0:+10:0:0.0"},
        {0.0, -0.5, "0:0:0:-0:30:0.0"},
        {0.0, 0.5, "0:0:0:+0:30:0.0"},
        {0.0, 20 + 59 / 60.0 + 59.95 / 3600.0, "0:0:0:+21:0:0.0"},
        {0.0, 20 + 59.94 / 3600.0, "0:0:0:+20:0:59.9"},
        {-15.0, 0.0, "23:0:0:+0:0:0.0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScopeViewPosition::format(c.ra, c.dec), c.text) << c.text;
}

TEST(ScopeViewPositionTest, OnlyWellFormedPositionsAreRead)
{
    const auto south = ScopeViewPosition::parse("0:0:0:-0:30:0.0");
    ASSERT_TRUE(south);
    EXPECT_NEAR(south->dec, -0.5 * kRad, 1e-12);
    const auto north = ScopeViewPosition::parse("12:30:0:+0:30:0.0");
    ASSERT_TRUE(north);
    EXPECT_NEAR(north->ra, 12.5 * 15 * kRad, 1e-12);
    EXPECT_NEAR(north->dec, 0.5 * kRad, 1e-12);
    ASSERT_TRUE(ScopeViewPosition::parse("0:0:0.0:+0:0:0.0")) << "the registered default";
    // Round trip through the text.
    const auto back = ScopeViewPosition::parse(ScopeViewPosition::format(83.8, -5.39));
    ASSERT_TRUE(back);
    EXPECT_NEAR(back->ra / kRad, 83.8, 0.005);
    EXPECT_NEAR(back->dec / kRad, -5.39, 0.0001);

    for (const char* bad : {"", "1:2:3:+4:5", "1:2:3:+4:5:6:7", "24:0:0:+0:0:0", "1:60:0:+0:0:0", "1:0:60:+0:0:0",
                            "1:0:0:+91:0:0", "1:0:0:+90:0:1", "1:0:0:-0:60:0", "x:0:0:+0:0:0", "-1:0:0:+0:0:0",
                            "1:0:0:+0:0:nan", "1:0:0:+0:-5:0",
                            "23.5:58:0:4:0:1", "23:59:60:+0:0:0", "23.99:59:59.9:+0:0:0"})  // past 24 h in all
        EXPECT_FALSE(ScopeViewPosition::parse(bad)) << bad;
}

class EditMenuActionsTest : public MenusTest {
protected:
    void SetUp() override
    {
        MenusTest::SetUp();
        outlets.findPanelEntry = &entry;
        outlets.scopeGoto = &mountGoto;
        skyDate = std::make_unique<SkyDateModel>(settings());
        time = std::make_unique<SkyTimeControl>(settings(), *skyDate, outlets);
        time->setBeep([this] { ++beeps; });
        edit = std::make_unique<EditMenuActions>(settings(), outlets, *chain, *time);
    }

    FakeEntry entry{fakes.log};
    FakeGoto mountGoto{fakes.log};
    std::unique_ptr<SkyDateModel> skyDate;
    std::unique_ptr<SkyTimeControl> time;
    std::unique_ptr<EditMenuActions> edit;
    int beeps = 0;
};

TEST_F(EditMenuActionsTest, SavedPositionBecomesTheSelectionAndRestoresTheView)
{
    PrefControl& p = settings();
    fakes.svWindow.visible = true;
    EXPECT_TRUE(edit->validateMenuItem(EditMenuActions::kSavePositionTag).enabled);
    scopeView.ra = (23 + 59 / 60.0 + 59.6 / 3600.0) * 15;
    scopeView.dec = -0.5;
    edit->menuAction(EditMenuActions::kSavePositionTag);
    EXPECT_EQ(p.SVSavePosnStr(), "0:0:0:-0:30:0.0");
    EXPECT_EQ(p.findIndex(), kTypedPositionIndex);
    EXPECT_EQ(p.findName(), "0:0:0:-0:30:0.0");

    fakes.log.calls.clear();
    fakes.svWindow.visible = false;
    edit->menuAction(EditMenuActions::kRestorePositionTag);
    EXPECT_EQ(count("svView.resetDeltas"), 1);
    EXPECT_EQ(scopeView.trackedRA, 0.0);
    EXPECT_NEAR(scopeView.trackedDec, -0.5 * kRad, 1e-12) << "restored south";
    EXPECT_EQ(count("mount.gotoRA"), 0) << "no mount connected";
    EXPECT_TRUE(fakes.svWindow.visible) << "a window not kept closed comes to the front";
    EXPECT_EQ(count("svWindow.setTitle Restored Position"), 1);

    fakes.mount.connected = true;
    fakes.svWindow.visible = false;
    scopeView.keepClosed = true;
    edit->menuAction(EditMenuActions::kRestorePositionTag);
    EXPECT_EQ(fakes.log.calls.filter("mount.gotoRA").size(), 1);
    EXPECT_FALSE(fakes.svWindow.visible) << "kept closed by the user";
}

TEST_F(EditMenuActionsTest, WithNoPositionEverSavedRestoreIsOffAndTheMountStays)
{
    fakes.mount.connected = true;
    fakes.svWindow.visible = true;
    EXPECT_FALSE(edit->validateMenuItem(EditMenuActions::kRestorePositionTag).enabled);
    fakes.log.calls.clear();
    edit->menuAction(EditMenuActions::kRestorePositionTag);
    EXPECT_TRUE(fakes.log.calls.isEmpty()) << "no slew to the registered 0h, 0 degrees";
    EXPECT_EQ(beeps, 1);

    // Saved during the session, it can be restored at once.
    edit->menuAction(EditMenuActions::kSavePositionTag);
    EXPECT_TRUE(edit->validateMenuItem(EditMenuActions::kRestorePositionTag).enabled);
    edit->menuAction(EditMenuActions::kRestorePositionTag);
    EXPECT_EQ(fakes.log.calls.filter("mount.gotoRA").size(), 1);
}

TEST_F(EditMenuActionsTest, ABadStoredPositionBeepsAndNothingMoves)
{
    fakes.mount.connected = true;
    for (const char* bad : {"25:0:0:+0:0:0.0", "1:2:3", "1:0:0:+95:0:0.0", "garbage"}) {
        settings().saveSVPosnPrefs(QString::fromLatin1(bad));
        fakes.log.calls.clear();
        edit->menuAction(EditMenuActions::kRestorePositionTag);
        EXPECT_TRUE(fakes.log.calls.isEmpty()) << bad;
    }
    EXPECT_EQ(beeps, 4);
}

TEST_F(EditMenuActionsTest, SaveNeedsTheScopeViewAndAddsToATourBeingBuilt)
{
    fakes.svWindow.visible = false;
    EXPECT_FALSE(edit->validateMenuItem(EditMenuActions::kSavePositionTag).enabled);
    fakes.svWindow.visible = true;
    settings().setIsCreateTour(true);
    edit->menuAction(EditMenuActions::kSavePositionTag);
    EXPECT_EQ(count("finder.addTourObject"), 1);
    edit->menuAction(EditMenuActions::kResetPositionTag);
    EXPECT_EQ(count("svWindow.setTitle Reset Position"), 1);
    EXPECT_EQ(count("svView.resetDeltas"), 1);
}

TEST_F(EditMenuActionsTest, CopyAndPasteGoThroughTheFindPanelWhileItHasTheKeyboard)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    entry.key = true;
    EXPECT_FALSE(edit->validateMenuItem(EditMenuActions::kPasteTag).enabled);
    edit->menuAction(EditMenuActions::kPasteTag);
    EXPECT_EQ(beeps, 1) << "nothing to paste";

    entry.text = "M 42";
    edit->menuAction(EditMenuActions::kCopyTag);
    EXPECT_EQ(clipboard->text(), "M 42");
    EXPECT_EQ(count("skyView.setPasteboard"), 0) << "the panel's text, not the chart";
    entry.text.clear();
    EXPECT_TRUE(edit->validateMenuItem(EditMenuActions::kPasteTag).enabled);
    edit->menuAction(EditMenuActions::kPasteTag);
    EXPECT_EQ(entry.text, "M 42");

    entry.key = false;
    EXPECT_FALSE(edit->validateMenuItem(EditMenuActions::kPasteTag).enabled);
    edit->menuAction(EditMenuActions::kCopyTag);
    EXPECT_EQ(count("skyView.setPasteboard"), 1);
}

TEST_F(EditMenuActionsTest, SwitchesFlipAndTheirMarksFollow)
{
    PrefControl& p = settings();
    fakes.svWindow.visible = true;
    const bool showAll = p.showAll();
    edit->menuAction(EditMenuActions::kShowAllTag);
    EXPECT_EQ(p.showAll(), !showAll);
    EXPECT_EQ(edit->validateMenuItem(EditMenuActions::kShowAllTag).checked, !showAll);
    EXPECT_EQ(projections(true), 1);
    EXPECT_EQ(count("svWindow.display"), 1);

    edit->menuAction(EditMenuActions::kMonitorAdjustTag);
    EXPECT_EQ(edit->validateMenuItem(EditMenuActions::kMonitorAdjustTag).checked, true);

    edit->menuAction(EditMenuActions::kFindTag);
    EXPECT_EQ(edit->validateMenuItem(EditMenuActions::kFindTag).checked, true);
}

}  // namespace
