#include "app/ScopeTrackMount.h"
#include "find/FindFixture.h"
#include "model/ObjectIndex.h"
#include "mount/MountFixture.h"
#include "mount/families/FamilyInputs.h"
#include "mount/panels/AlignPanel.h"

#include <gtest/gtest.h>

namespace {

// The finder's Track and the families' syncs on the real mount controller
// (a fake protocol family behind a simulated port) and the real
// polar-alignment panel, joined as the program joins them.
class ScopeTrackMountTest : public MountFixture {
protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        lookup = std::make_unique<SimbadLookup>(folder() + "/Misc/", SimbadLookup::Services{});
        finder = std::make_unique<FindObjects>(findSky, *prefs, *lookup, FindObjects::Hooks{});
        align = std::make_unique<AlignPanel>(
            *prefs, *scope, *skyDate,
            AlignPanel::Finder{[this] { return PolarAlignment::Star{finder->trackRA(), finder->trackDec()}; },
                               [this](bool on) {
                                   finder->setIsAlignAdjust(on);
                                   armed = on;
                               }});
        mount = std::make_unique<ScopeTrackMount>(*scope);
        finder->setTrackLinks({nullptr, mount.get(), align.get()});
        scope->setScopeView(&view);
        scope->setFamilies([this](int, const MountContext& c) {
            context = std::make_unique<MountContext>(c);
            family = std::make_shared<FakeFamily>(c);
            return family;
        });
        scope->setFinderTrack(
            [this] { return FinderTrack{prefs->findIndex(), finder->trackRA(), finder->trackDec(), {}}; });
    }
    void TearDown() override
    {
        align.reset();
        MountFixture::TearDown();
    }
    void select(double ra, double dec)
    {
        prefs->setFindIndex(kStarIndexBase);
        finder->setTrackRA(ra, dec);
    }
    // Tracks the selection and waits for the worker; how many gotos it ran.
    int track()
    {
        const int before = family->count("goto");
        finder->findTrackAction();
        settle();
        return family->count("goto") - before;
    }

    FakeSky findSky;
    std::unique_ptr<SimbadLookup> lookup;
    std::unique_ptr<FindObjects> finder;
    std::unique_ptr<AlignPanel> align;
    std::unique_ptr<ScopeTrackMount> mount;
    std::unique_ptr<MountContext> context;
    bool armed = false;
};

}  // namespace

TEST_F(ScopeTrackMountTest, TheAlignmentOffsetsGoWithTheNextTrackOnlyAndATrackDrivesTheMount)
{
    connectScope();
    select(1.0, 0.2);
    align->alignButtonAction(3);
    select(2.5, -0.4);
    align->alignButtonAction(4);
    settle();
    family->ra = 2.5 + 0.004;
    family->dec = -0.4 - 0.002;
    align->alignButtonAction(5);
    ASSERT_TRUE(QTest::qWaitFor([this] { return armed; }, 2000));

    select(1.5, 0.1);
    EXPECT_EQ(track(), 1);
    EXPECT_NEAR(scope->gotoRA(), 1.5 + align->dRA(), 1e-12);
    EXPECT_NEAR(scope->gotoDec(), 0.1 + align->dDec(), 1e-12);
    EXPECT_NE(align->dRA(), 0.0);
    EXPECT_EQ(track(), 1);
    EXPECT_EQ(scope->gotoRA(), 1.5);
    EXPECT_EQ(scope->gotoDec(), 0.1);
}

TEST_F(ScopeTrackMountTest, AnUnsyncedTemmaKeepsTheTargetWithoutASlew)
{
    connectScope(kProtocolTemma);
    select(0.7, 0.3);
    EXPECT_EQ(track(), 0);
    EXPECT_EQ(scope->gotoRA(), 0.7);
    scope->status().isTemmaSync = true;
    EXPECT_EQ(track(), 1);
}

TEST_F(ScopeTrackMountTest, FamiliesSyncOnTheFindersSelectionAsItStoodWhenTheCommandWasSent)
{
    connectScope();
    ASSERT_TRUE(context);
    const FamilyInputs inputs = FamilyInputs::of(*context);
    EXPECT_FALSE(inputs.trackedObject()) << "nothing found yet";
    struct Case {
        int findIndex;
        double ra;
        bool tracked, selected;
    };
    for (const Case c : {Case{kStarIndexBase, -1.0, false, false}, Case{kNoObjectIndex, 0.9, true, false},
                         Case{kStarIndexBase, 0.9, true, true}}) {
        prefs->setFindIndex(c.findIndex);
        finder->setTrackRA(c.ra, -0.25);
        scope->nexStarCommand(1);
        settle();
        const auto tracked = inputs.trackedObject();
        EXPECT_EQ(bool(tracked), c.tracked) << c.findIndex << " " << c.ra;
        EXPECT_EQ(bool(inputs.selectedObject()), c.selected) << c.findIndex << " " << c.ra;
        if (tracked) {
            EXPECT_EQ(tracked->dec, -0.25);
        }
    }
    finder->setTrackRA(0.4, 0.1);
    EXPECT_EQ(inputs.trackedObject()->ra, 0.9) << "taken as a command goes, not meanwhile";
}
