#include "app/AssembledProgram.h"
#include "app/RemoteLink.h"
#include "chart/ChartOutlets.h"
#include "chart/menus/ChartMenuBar.h"
#include "chart/menus/EditMenuActions.h"
#include "find/panels/InfoPanelControl.h"
#include "remote/EventsClient.h"
#include "remote/EventFakes.h"
#include "MountSessionFixture.h"
#include "mount/MountProtocols.h"
#include "support/ColonCommandMount.h"
#include "support/LX200Personality.h"
#include "support/PrivateBus.h"
#include "support/PtyDevice.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace event_fakes;

namespace {

// The program's events and keys as it assembles them, on a private bus.
class RemoteSessionTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        ASSERT_TRUE(bus.isRunning());
        ASSERT_TRUE(chart->remoteLink().eventsBus().registerOn(bus.connection()));
    }
    void TearDown() override { chart.reset(); }

    PrivateBus bus;
    EventsClient client{bus};
};

TEST_F(RemoteSessionTest, GuideEventAndKeysWithoutAMount)
{
    EXPECT_EQ(client.event("phdG", "evGD", "{'prEW': <'0.5'>}"), "({'prRC': <int16 -1>},)");
    EXPECT_EQ(client.property("scopeDec"), "(<-100.0>,)");
    EXPECT_EQ(client.property("scopeAzimuth"), "(<-100.0>,)");
}

TEST_F(RemoteSessionTest, PositionRequestAnswersWithTheFindersTrackedPosition)
{
    chart->prefControl().setIsAstroplanner(true);
    chart->findObjects().setTrackRA(1.5, -0.25);
    QVariantMap answer;
    QObject::connect(&chart->remoteLink().eventsBus(), &RemoteEventsBus::OutgoingEvent,
                     [&](const QString& target, const QString&, const QString& id, const QVariantMap& p) {
                         if (target == "agLi" && id == "evGP")
                             answer = p;
                     });
    client.event("misc", "evGP", "{}");
    EXPECT_DOUBLE_EQ(answer.value("prRA").toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(answer.value("prDE").toDouble(), -0.25);
}

TEST_F(RemoteSessionTest, ChartClicksReachThePlannerThroughTheDelegate)
{
    ASSERT_EQ(chart->outlets().appDelegate, &chart->remoteLink().plannerLink());
    chart->prefControl().setIsAstroplanner(true);
    int clicks = 0;
    QObject::connect(&chart->remoteLink().eventsBus(), &RemoteEventsBus::OutgoingEvent,
                     [&](const QString&, const QString&, const QString& id, const QVariantMap&) {
                         clicks += id == "evEX";
                     });
    chart->outlets().appDelegate->sendAPClick(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(chart->remoteLink().appDelegate().isAPCommand());
}

}  // namespace

namespace {

// The spoken commands on the program's own menus, answered into a recording voice.
class VoiceSessionTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        auto recording = std::make_unique<RecordingSpeaker>();
        voice = recording.get();
        chart->remoteLink().setVoice(std::move(recording));
    }
    void TearDown() override { chart.reset(); }

    RecordingSpeaker* voice = nullptr;
    ScopedAlertRecorder alerts;
};

TEST_F(VoiceSessionTest, CommandsMoveTheChartAndAnswer)
{
    PrefControl& prefs = chart->prefControl();
    const bool shown = prefs.isConstellations();
    VoiceCommands& commands = chart->remoteLink().voiceCommands();
    commands.didRecognizeCommand("Show constellations");
    EXPECT_NE(prefs.isConstellations(), shown);
    commands.didRecognizeCommand("Zoom to three sixty degrees");
    EXPECT_DOUBLE_EQ(prefs.viewAngle(), 185.0);
    commands.didRecognizeCommand("Track next");
    EXPECT_EQ(voice->spoken,
              QStringList({shown ? "Constellations are not displayed." : "Constellations are displayed.",
                           "Zoomed to three sixty degrees.", prefs.findName() + " can not be found."}));
}

TEST_F(VoiceSessionTest, TheEditMenuItemBeepsWithoutARecognizer)
{
    EditMenuActions& edit = chart->menuBar().editMenu();
    edit.menuAction(EditMenuActions::kSpeechTag);
    EXPECT_EQ(alerts.beeps, 1);
    const MenuItemState state = edit.validateMenuItem(EditMenuActions::kSpeechTag);
    EXPECT_TRUE(state.enabled);
    EXPECT_EQ(state.checked, std::optional<bool>(false));
}

}  // namespace

namespace {

// The guiding program's events on a private bus, the mount simulated on a pty.
class RemoteGuideSession : public MountSessionFixture {
protected:
    void SetUp() override
    {
        MountSessionFixture::SetUp();
        ASSERT_TRUE(chart->remoteLink().eventsBus().registerOn(bus.connection()));
    }

    PrivateBus bus;
    EventsClient client{bus};
};

}  // namespace

// A correction that would overflow the guider's timers or slew for days is
// answered -3 and the mount hears no move; one it can make moves it.
TEST_F(RemoteGuideSession, CorrectionsBeyondTheLongestPulseLeaveTheMountStill)
{
    PtyDevice pty;
    ColonCommandMount lx200(std::make_unique<LX200Personality>(LX200Personality::Kind::GPS,
                                                               LX200Personality::Options{}));
    lx200.attach(pty.simulator());
    pty.start();
    chart->prefControl().setIsPrecession(true);
    useProtocol(kProtocolLX200GPS, "Simulated LX200 GPS");
    connectTo(pty.path());
    const auto moves = [&] {
        const std::vector<QByteArray> frames = lx200.frames();
        return std::count_if(frames.begin(), frames.end(), [](const QByteArray& frame) {
            return frame.startsWith(":Mg") || frame.startsWith(":Me") || frame.startsWith(":Mw");
        });
    };

    EXPECT_EQ(client.event("phdG", "evGD", "{'prEW': <'1e6'>}"), "({'prRC': <int16 -3>},)");
    EXPECT_EQ(client.event("phdG", "evGD", "{'prNS': <'1e300'>}"), "({'prRC': <int16 -3>},)");
    // No move may go out for them: waiting the span out is the check.
    QTest::qWait(500);
    EXPECT_EQ(moves(), 0);
    EXPECT_EQ(client.event("phdG", "evGD", "{'prEW': <'0.5'>}"), "({'prRC': <int16 0>},)");
    EXPECT_TRUE(QTest::qWaitFor([&] { return moves() > 0; }, kSessionWaitMs));
}
