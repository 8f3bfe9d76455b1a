#include "model/settings/PrefControl.h"
#include "remote/EventFakes.h"
#include "remote/events/AppDelegate.h"
#include "remote/speech/CommandRecognizer.h"
#include "remote/speech/VoiceChart.h"
#include "remote/speech/VoiceCommands.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <map>

using namespace event_fakes;

namespace {

// The chart's switches as the Show menu flips them.
struct FakeChart final : VoiceChart {
    explicit FakeChart(PrefControl& p) : prefs(p) {}
    void lookDirection(int direction) override { actions << QString("look %1").arg(direction); }
    void zoomAngle(double degrees) override { actions << QString("zoom %1").arg(degrees); }
    void setItem(int item) override
    {
        actions << QString("item %1").arg(item);
        const std::map<int, void (PrefSwitches::*)()> flips = {
            {1, &PrefSwitches::setIsConstellations}, {2, &PrefSwitches::setIsBoundaries},
            {3, &PrefSwitches::setIsRA_Dec},         {4, &PrefSwitches::setIsAlt_Az},
            {5, &PrefSwitches::setIsEcliptic},       {6, &PrefSwitches::setIsEquator},
            {7, &PrefSwitches::setIsPlanetNames},    {8, &PrefSwitches::setIsStarNames},
            {9, &PrefSwitches::setIsDeepSkyNames},   {10, &PrefSwitches::setIsCometNames},
            {11, &PrefSwitches::setIsMilkyWay},      {12, &PrefSwitches::setIsPath},
            {13, &PrefSwitches::setIsPhoto},         {14, &PrefSwitches::setIsBelow},
            {15, &PrefSwitches::setIsMist},          {16, &PrefSwitches::setIsMeteor},
        };
        (prefs.*flips.at(item))();
    }
    PrefControl& prefs;
    QStringList actions;
};

struct FakeRecognizer final : CommandRecognizer {
    bool startListening(const QStringList& commands, Heard h) override
    {
        listened = commands;
        heard = std::move(h);
        return canStart;
    }
    void stopListening() override { ++stops; }
    bool canStart = true;
    QStringList listened;
    Heard heard;
    int stops = 0;
};

class VoiceCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        delegate.setFinder(&finder);
        delegate.setVoice(&voice);
        voiceCommands.setChart(&chart);
        voiceCommands.setVoice(&voice);
        prefs.setFindName("M 13");
    }
    SilentGamma gamma;
    PrefControl prefs{gamma};
    FakeFinder finder;
    RecordingSpeaker voice;
    FakeChart chart{prefs};
    AppDelegate delegate{prefs};
    VoiceCommands voiceCommands{prefs, delegate};
    ScopedAlertRecorder alerts;
};

TEST_F(VoiceCommandsTest, EveryCommandRunsItsActionAndSpeaksItsAnswer)
{
    finder.answer = findResultFound;
    finder.tourAnswer = findResultFound;
    // Show answers: the subject, then whether the layer is on after the flip.
    const struct {
        const char* text;
        const char* action;  // on the chart, or the finder's lookup
        const char* answer;
        bool (PrefSwitches::*shown)() const = nullptr;
    } expected[] = {
        {"Look east", "look 3", "Looking east"},
        {"Look north", "look 1", "Looking north"},
        {"Look south", "look 2", "Looking south"},
        {"look west", "look 4", "Looking west"},
        {"Look to zenith", "look 6", "Looking at zenith"},
        {"Look to forty five degrees", "look 5", "Looking at forty five degrees"},
        {"Show altitude grid", "item 4", "Altitude grid is", &PrefSwitches::isAlt_Az},
        {"Show below horizon", "item 14", "Below the horizon is", &PrefSwitches::isBelow},
        {"Show boundaries", "item 2", "Boundaries are", &PrefSwitches::isBoundaries},
        {"Show comet names", "item 10", "Comet names are", &PrefSwitches::isCometNames},
        {"Show constellations", "item 1", "Constellations are", &PrefSwitches::isConstellations},
        {"Show deep sky objects", "item 9", "Deep sky names are", &PrefSwitches::isDeepSkyNames},
        {"Show ecliptic", "item 5", "Ecliptic is", &PrefSwitches::isEcliptic},
        {"Show equator", "item 6", "Equator is", &PrefSwitches::isEquator},
        {"Show horizon mist", "item 15", "Horizon mist is", &PrefSwitches::isMist},
        {"Show meteors", "item 16", "Meteors are", &PrefSwitches::isMeteor},
        {"Show milky way", "item 11", "Milky Way is", &PrefSwitches::isMilkyWay},
        {"Show photos", "item 13", "Photos are", &PrefSwitches::isPhoto},
        {"Show planet names", "item 7", "Planet names are", &PrefSwitches::isPlanetNames},
        {"Show planet paths", "item 12", "Planet paths are", &PrefSwitches::isPath},
        {"Show RA grid", "item 3", "RA grid is", &PrefSwitches::isRA_Dec},
        {"Show star names", "item 8", "Star names are", &PrefSwitches::isStarNames},
        {"Track mercury", "mercury", "Tracking mercury"},
        {"Track venus", "venus", "Tracking venus"},
        {"Track mars", "mars", "Tracking mars"},
        {"Track jupiter", "jupiter", "Tracking jupiter"},
        {"Track saturn", "saturn", "Tracking saturn"},
        {"Track uranus", "uranus", "Tracking uranus"},
        {"Track neptune", "neptune", "Tracking neptune"},
        {"Track pluto", "pluto", "Tracking pluto"},
        {"Track moon", "Moon", "Tracking Moon"},
        {"Track next", "", "Tracking M 13"},
        {"Track previous", "", "Tracking M 13"},
        {"Zoom to ninety degrees", "zoom 90", "Zoomed to ninety degrees."},
        {"Zoom to one eighty degrees", "zoom 180", "Zoomed to one hundred eighty degrees."},
        {"Zoom to one twenty degrees", "zoom 120", "Zoomed to one hundred twenty degrees."},
        {"Zoom to sixty degrees", "zoom 60", "Zoomed to sixty degrees."},
        {"Zoom to thirty degrees", "zoom 30", "Zoomed to thirty degrees."},
        {"Zoom to three sixty degrees", "zoom 185", "Zoomed to three sixty degrees."},
    };
    ASSERT_EQ(std::size(expected), 39u);
    QStringList texts;
    for (const auto& e : expected) {
        texts << e.text;
        chart.actions.clear();
        finder.lookups.clear();
        voice.spoken.clear();
        voiceCommands.didRecognizeCommand(e.text);
        const QString text = e.text;
        if (text.startsWith("Track")) {
            EXPECT_EQ(finder.lookups, *e.action ? QStringList{e.action} : QStringList()) << e.text;
            EXPECT_TRUE(chart.actions.isEmpty()) << e.text;
        } else {
            EXPECT_EQ(chart.actions, QStringList{e.action}) << e.text;
        }
        QString answer = e.answer;
        if (e.shown)
            answer += (prefs.*e.shown)() ? " displayed." : " not displayed.";
        EXPECT_EQ(voice.spoken, QStringList{answer}) << e.text;
    }
    EXPECT_EQ(VoiceCommands::commands(), texts);
    EXPECT_EQ(finder.tourSteps, (std::vector<int>{1, 2}));
    // The planets and the Moon are tracked here; the tour steps track themselves.
    EXPECT_EQ(finder.trackObjects, 9);
}

TEST_F(VoiceCommandsTest, ShowingALayerTwiceAnswersItsNewStateEachTime)
{
    if (!prefs.isConstellations())
        prefs.setIsConstellations();
    voiceCommands.didRecognizeCommand("Show constellations");
    voiceCommands.didRecognizeCommand("Show constellations");
    EXPECT_EQ(voice.spoken,
              QStringList({"Constellations are not displayed.", "Constellations are displayed."}));
}

TEST_F(VoiceCommandsTest, TrackAnswersWhatTheFinderFound)
{
    voiceCommands.didRecognizeCommand("Track next");
    finder.answer = findResultBelowHorizon;
    voiceCommands.didRecognizeCommand("Track mars");
    finder.answer = findResultFiltered;
    voiceCommands.didRecognizeCommand("Track pluto");
    finder.answer = findResultAmbiguous;
    voiceCommands.didRecognizeCommand("Track venus");
    finder.tourAnswer = TourFinder::findResultSlewing;
    voiceCommands.didRecognizeCommand("Track previous");
    EXPECT_EQ(voice.spoken, QStringList({"M 13 can not be found.", "mars is below the horizon.",
                                         "pluto is filtered out.", "Please use comet name.",
                                         "Wait until scope stops slewing"}));
    EXPECT_EQ(finder.trackObjects, 0);
}

TEST_F(VoiceCommandsTest, OtherTextsDoNothing)
{
    voiceCommands.didRecognizeCommand("look east");
    voiceCommands.didRecognizeCommand("Zoom to forty degrees");
    EXPECT_TRUE(chart.actions.isEmpty());
    EXPECT_TRUE(voice.spoken.isEmpty());
}

TEST_F(VoiceCommandsTest, ListeningStartsWithTheCommandsAndStops)
{
    FakeRecognizer* made = nullptr;
    voiceCommands.setRecognizerFactory([&] {
        auto recognizer = std::make_unique<FakeRecognizer>();
        made = recognizer.get();
        return recognizer;
    });
    voiceCommands.setListen();
    ASSERT_TRUE(voiceCommands.isListening());
    EXPECT_EQ(made->listened, VoiceCommands::commands());
    made->heard("Zoom to sixty degrees");
    EXPECT_EQ(chart.actions, QStringList{"zoom 60"});
    voiceCommands.setListen();
    EXPECT_FALSE(voiceCommands.isListening());
    EXPECT_EQ(alerts.beeps, 0);
}

TEST_F(VoiceCommandsTest, ARecognizerThatCannotStartBeepsAndStaysOff)
{
    voiceCommands.setListen();
    EXPECT_FALSE(voiceCommands.isListening());
    voiceCommands.setRecognizerFactory([] {
        auto recognizer = std::make_unique<FakeRecognizer>();
        recognizer->canStart = false;
        return recognizer;
    });
    voiceCommands.setListen();
    EXPECT_FALSE(voiceCommands.isListening());
    EXPECT_EQ(alerts.beeps, 2);
}

}  // namespace
