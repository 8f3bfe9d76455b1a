#include "CanonFixture.h"

using namespace CanonIds;
using Call = SimulatedCanonSdk::Call;

namespace {

// Sequences that end early: a start the camera refuses only later, an
// abort or a disconnection. Whatever answer comes afterwards (a download
// ending, the delay's timer, a start's refusal), the camera is not started
// again and the panel stays idle.
class CanonSequenceTest : public CanonFixture {
protected:
    void SetUp() override
    {
        CanonFixture::SetUp();
        ASSERT_TRUE(connect());
    }
    // A file of an earlier exposure whose transfer is asked for only now,
    // and is held until the test lets it go.
    void lateFileOfAnEarlierExposure()
    {
        sdk.holdDownloads(true);
        sdk.announceFile({"IMG_0001.JPG", "late"});
        ASSERT_TRUE(waitFor([this] { return sdk.heldDownloads() == 1; }));
    }
    // Lets the held transfer finish and waits until the controller is done with it.
    void finishLateFile(int files)
    {
        sdk.holdDownloads(false);
        ASSERT_TRUE(waitFor([this, files] { return imageFiles().size() == files && sdk.openItems() == 0; }));
    }
    void expectIdleAfterOneRefusal(int starts)
    {
        EXPECT_EQ(commandsSent(kCmdTakePicture) + commandsSent(kCmdBulbStart), starts)
            << "no exposure starts after the sequence ended";
        EXPECT_FALSE(control->isCanonStarting());
        EXPECT_FALSE(control->isCanonExposing());
        EXPECT_FALSE(control->isCanonDelaying());
        EXPECT_EQ(control->panel().expButtonTitle, "Expose");
        EXPECT_TRUE(control->panel().expButtonEnabled);
        EXPECT_EQ(alertTitles(), QStringList{"Start exposure error: 0x0081."});
    }
};

}  // namespace

TEST_F(CanonSequenceTest, ALateRefusalWhileAnEarlierImageDownloadsEndsTheSequence)
{
    choose(32);  // 1/800 s
    count(2);    // 3 exposures
    expose();
    ASSERT_TRUE(control->isCanonExposing());
    sdk.refuseCommandLater(kCmdTakePicture, kErrDeviceBusy);
    now += 6;
    // The first image is in and the camera has taken the second start.
    ASSERT_TRUE(waitFor([this] { return imageFiles().size() == 1 && control->isCanonExposing(); }));
    ASSERT_EQ(control->canonNumExpTaken(), 2u);
    ASSERT_NO_FATAL_FAILURE(lateFileOfAnEarlierExposure());

    sdk.answerLateCommands();
    ASSERT_TRUE(waitFor([this] { return !alerts.alerts.empty(); }));
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");
    ASSERT_NO_FATAL_FAILURE(finishLateFile(2));
    expectIdleAfterOneRefusal(2);
    EXPECT_EQ(control->canonNumExpTaken(), 1u);

    // The panel starts a new sequence as usual.
    now += 6;
    expose();
    EXPECT_TRUE(control->isCanonExposing());
    EXPECT_EQ(control->panel().expTakenText, "1/3");
}

TEST_F(CanonSequenceTest, ALateRefusalBetweenDelayedExposuresLeavesNoDelayRunning)
{
    choose(32);
    count(2);
    delay(3);  // 15 s: the first exposure starts at once
    sdk.refuseCommandLater(kCmdTakePicture, kErrDeviceBusy);
    expose();
    ASSERT_TRUE(control->isCanonExposing());
    ASSERT_NO_FATAL_FAILURE(lateFileOfAnEarlierExposure());
    sdk.answerLateCommands();
    ASSERT_TRUE(waitFor([this] { return !alerts.alerts.empty(); }));
    ASSERT_NO_FATAL_FAILURE(finishLateFile(1));
    expectIdleAfterOneRefusal(1);
}

TEST_F(CanonSequenceTest, TheDelayEndsWithItsSequence)
{
    choose(32);
    count(1);
    delay(1);  // 5 s, before the first exposure too
    expose();
    ASSERT_TRUE(control->isCanonDelaying());
    control->canonDisconnect();
    EXPECT_FALSE(control->isCanonDelaying()) << "a disconnection ends the sequence";

    ASSERT_TRUE(connect());
    choose(32);
    count(1);
    delay(1);
    expose();
    ASSERT_TRUE(control->isCanonDelaying());
    // Pressed again in "Delay": a new sequence, whose first exposure starts
    // at once with a long delay, and no second start from the old timer.
    delay(3);
    expose();
    EXPECT_TRUE(control->isCanonExposing());
    EXPECT_FALSE(control->isCanonDelaying());
    EXPECT_EQ(commandsSent(kCmdTakePicture), 1);
}

TEST_F(CanonSequenceTest, ABulbRefusedAfterAnAbortIsNotStartedAgain)
{
    // Mirror lock-up is turned off and the start repeated, unless the user
    // has aborted meanwhile: then nothing would ever release the bulb.
    choose(15);  // 45 s bulb
    sdk.setUInt32Value(kPropCustomFunction, kParamMirrorLockup, 1);
    sdk.refuseCommandLater(kCmdBulbStart, kErrMirrorUp);
    expose();
    ASSERT_TRUE(control->isCanonExposing());
    control->canonAction(CanonControl::kTagExpose);  // abort
    ASSERT_FALSE(control->isCanonExposing());
    sdk.answerLateCommands();
    ASSERT_TRUE(delivered());
    EXPECT_EQ(commandsSent(kCmdBulbStart), 1);
    EXPECT_FALSE(sdk.isBulbOpen());
    EXPECT_TRUE(alerts.alerts.empty()) << "the aborted exposure's refusal is no news";

    // Without an abort the repaired start goes on and is released at its end.
    sdk.refuseCommandLater(kCmdBulbStart, kErrMirrorUp);
    expose();
    sdk.answerLateCommands();
    ASSERT_TRUE(waitFor([this] { return commandsSent(kCmdBulbStart) == 3; }));
    EXPECT_TRUE(sdk.isBulbOpen());
    EXPECT_EQ(sdk.uint32Value(kPropCustomFunction, kParamMirrorLockup), 0u);
    control->canonAction(CanonControl::kTagExpose);
    EXPECT_FALSE(sdk.isBulbOpen());
}

TEST_F(CanonSequenceTest, AnImageWhoseDetailsCannotBeReadEndsTheSequence)
{
    choose(32);
    count(2);
    sdk.failCall(Call::ItemInfo, kErrDeviceBusy);
    expose();
    now += 6;
    ASSERT_TRUE(waitFor([this] { return sdk.callCount(Call::ItemInfo) == 1 && sdk.openItems() == 0; }));
    EXPECT_FALSE(control->isCanonDownloading()) << "the panel does not stay in Download";
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");
    EXPECT_TRUE(control->panel().expButtonEnabled);
    EXPECT_EQ(commandsSent(kCmdTakePicture), 1);
}

TEST_F(CanonSequenceTest, ADisconnectionReleasesAnOpenBulb)
{
    choose(15);
    FakeShutter shutter;
    control->setShutter(&shutter);
    expose();
    ASSERT_EQ(shutter.opened, 1);
    control->canonDisconnect();
    EXPECT_EQ(shutter.closed, 1) << "the adapter would hold the shutter open for good";
    EXPECT_FALSE(control->isCanonExposing());

    control->setShutter(nullptr);
    ASSERT_TRUE(connect(15));
    expose();
    ASSERT_TRUE(sdk.isBulbOpen());
    control->canonDisconnect();
    EXPECT_EQ(commandsSent(kCmdBulbEnd), 1);
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");
}

TEST_F(CanonSequenceTest, AFileThatComesAfterTheDownloadWasGivenUpStartsNothing)
{
    control->setDownloadGraceMs(50);
    choose(32);
    count(2);
    sdk.setAnnounceFiles(false);
    expose();
    now += 6;
    ASSERT_TRUE(waitFor([this] { return control->isCanonDownloading(); }));
    ASSERT_TRUE(waitFor([this] { return !control->isCanonDownloading(); }));
    sdk.announceFile({"IMG_0001.CR2", "late"});
    ASSERT_TRUE(waitFor([this] { return imageFiles().size() == 1 && sdk.openItems() == 0; }));
    EXPECT_EQ(commandsSent(kCmdTakePicture), 1) << "the given-up sequence stays ended";
    EXPECT_FALSE(control->isCanonStarting());
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");
}
