#include "FamilyFixture.h"

#include "mount/MountProtocols.h"
#include "mount/families/LX200Family.h"

#include <cmath>
#include <numbers>

namespace {

using namespace std::chrono_literals;
using Frames = std::vector<QByteArray>;
constexpr double kHour = std::numbers::pi / 12.0;
constexpr double kDegree = std::numbers::pi / 180.0;

struct Step {
    const char* name;
    std::function<bool(MountFamily&)> act;
    Frames frames;
};

PanelCommand op(MountOperation operation, int code, int flag = 0)
{
    return {operation, code, flag, false};
}

std::function<bool(MountFamily&)> runs(MountOperation operation, int code, int flag = 0)
{
    return [=](MountFamily& f) { return f.run(op(operation, code, flag)); };
}

// RA 2h30m15s, Dec -5°10'20".
bool gotoTarget(MountFamily& f)
{
    return f.gotoPosition((2.0 + 30.0 / 60 + 15.0 / 3600) * kHour,
                          -(5.0 + 10.0 / 60 + 20.0 / 3600) * kDegree);
}

}  // namespace

class LX200FamilyTest : public FamilyFixture {
protected:
    void expectSteps(const std::vector<Step>& steps)
    {
        newFrames();
        for (const Step& step : steps) {
            SCOPED_TRACE(step.name);
            step.act(*family);
            EXPECT_EQ(newFrames(), step.frames);
            status.isSlewing = false;
        }
    }
    LX200Family& lx200() { return static_cast<LX200Family&>(*family); }
};

TEST_F(LX200FamilyTest, CommandsGoOutByteForByteForEachKind)
{
    prefs->setLatitude(48.0 + 59.0 / 60 + 45.0 / 3600);
    prefs->setLongitude(0.0);
    const QByteArray df(1, char(0xDF));
    start(Kind::Classic, kProtocolLX200);
    EXPECT_TRUE(family->connect());
    EXPECT_TRUE(family->readPosition());
    expectSteps({
        {"goto", gotoTarget, {":D#", ":Sr02:30:15#", ":Sd-05" + df + "10:20#", ":MS#"}},
        {"north", runs(MountOperation::Slew, 1), {":Mn#"}},
        {"stop all", runs(MountOperation::Slew, 5), {":Q#"}},
        {"stop east", runs(MountOperation::Slew, 3, 1), {":Qe#"}},
        {"centre speed", runs(MountOperation::SlewSpeed, 12), {":RC#"}},
        {"focus out", runs(MountOperation::Focus, 21), {":F-#"}},
        {"no medium focus speed", runs(MountOperation::FocusSpeed, 26), {}},
        {"sync", runs(MountOperation::Command, 30), {":CM#"}},
        {"date", runs(MountOperation::SetDate, 33), {":SC03/14/26#", ":SL21:30:05#"}},
        {"site, Greenwich as 000", runs(MountOperation::SetSite, 34),
         {":St+49" + df + "00#", ":Sg000" + df + "00#"}},
        {"park", runs(MountOperation::Command, 31), {":hP#"}},
    });

    prefs->setLongitude(11.5);
    start(Kind::AstroPhysics, kProtocolAstroPhysics);
    EXPECT_TRUE(family->connect());
    expectSteps({
        {"goto", gotoTarget, {":Sr02:30:15#", ":Sd-05*10:20#", ":MS#"}},
        {"sync", runs(MountOperation::Command, 30), {":CMR#"}},
        {"time, then date", runs(MountOperation::SetDate, 33), {":SL21:30:05#", ":SC03/14/26#"}},
        {"site", runs(MountOperation::SetSite, 34), {":St+49*00#", ":Sg348*30#"}},
        {"park", runs(MountOperation::Command, 31), {":KA#"}},
    });
    EXPECT_EQ(mount->frames().front(), ":V#");
    EXPECT_FALSE(status.isNoResponse);

    start(Kind::GPS, kProtocolLX200GPS);
    // Just after midnight in Berlin the GPS date is still yesterday's in UTC.
    clock = QDateTime(QDate(2026, 3, 15), QTime(0, 30, 5), QTimeZone("Europe/Berlin"));
    expectSteps({
        {"medium focus speed", runs(MountOperation::FocusSpeed, 26), {":F3#"}},
        {"baud", runs(MountOperation::SetBaudRate, 44), {":SB4#"}},
        {"UTC date, local time", runs(MountOperation::SetDate, 33), {":SC03/14/26#", ":SL00:30:05#"}},
    });
    EXPECT_EQ(status.baudRate, 19200);
}

TEST_F(LX200FamilyTest, ShortFormatGotoAndRoundedMinutes)
{
    start(Kind::Autostar, kProtocolLX200, {.longFormat = false});
    ASSERT_TRUE(family->readPosition());
    EXPECT_FALSE(lx200().lxLongFormat());
    newFrames();
    ASSERT_TRUE(family->gotoPosition(2.505 * kHour, (10.0 + 59.6 / 60) * kDegree));
    const Frames frames = newFrames();
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[1], ":Sr02:30.3#");
    EXPECT_EQ(frames[2], ":Sd+11" + QByteArray(1, char(0xDF)) + "00#");
}

TEST_F(LX200FamilyTest, AGotoWhileSlewingAlertsAndSendsNothing)
{
    // The Classic answers with bars of 0xFF; the Autostar with 0x7F.
    for (const Kind kind : {Kind::Classic, Kind::Autostar}) {
        start(kind, kProtocolLX200);
        alerts.clear();
        mount->setSlewTime(2s);
        ASSERT_TRUE(gotoTarget(*family));
        newFrames();
        EXPECT_FALSE(gotoTarget(*family));
        EXPECT_EQ(newFrames(), Frames{":D#"});
        EXPECT_EQ(alerts, std::vector<QString>{"Scope is slewing."});
    }
}

TEST_F(LX200FamilyTest, AMountSilentAfterTheRAGivesNoResponseNeverSlewing)
{
    start(Kind::MeadeBasic, kProtocolMeadeBasic, {},
          [](DeviceSimulator& device) { device.stopAnsweringAfter(1); });
    EXPECT_FALSE(gotoTarget(*family));
    EXPECT_TRUE(status.isNoResponse);
    EXPECT_FALSE(status.isSlewing);
}

TEST_F(LX200FamilyTest, PollFaultsKeepTheLastPosition)
{
    const std::vector<std::pair<const char*, std::function<void(DeviceSimulator&)>>> faults = {
        {"silence", [](DeviceSimulator& d) { d.dropAnswers(); }},
        {"short reply", [](DeviceSimulator& d) { d.shortenReplies(3); }},
        {"garbage", [](DeviceSimulator& d) { d.garbleReplies("25:61:00#"); }},
        {"silent after one", [](DeviceSimulator& d) { d.stopAnsweringAfter(1); }},
    };
    for (const auto& [name, fault] : faults) {
        SCOPED_TRACE(name);
        start(Kind::Autostar, kProtocolLX200, {}, fault);
        status.scopeRA = 1.25;
        status.isNoResponse = false;
        EXPECT_FALSE(family->readPosition());
        EXPECT_TRUE(status.isNoResponse);
        EXPECT_EQ(status.scopeRA, 1.25);
    }
}

TEST_F(LX200FamilyTest, LongPulsesRepeatAndAShortOneCancels)
{
    start(Kind::GPS, kProtocolLX200GPS);
    const PanelCommand east{MountOperation::PulseGuide, 25000, 1, false};
    ASSERT_TRUE(family->run(east));
    EXPECT_EQ(lx200().pulseRepeatInterval(true), 8333);
    for (int firing = 0; firing < 3; ++firing)
        lx200().pgCalRepeatTimer(true);
    EXPECT_EQ(newFrames(), Frames(3, ":Mge8333#"));
    EXPECT_EQ(lx200().pulseRepeatInterval(true), 0);

    ASSERT_TRUE(family->run({MountOperation::PulseGuide, -10001, 0, false}));
    EXPECT_EQ(newFrames(), Frames{":Mgs9999#"});
    EXPECT_EQ(lx200().pulseRepeatInterval(false), 0);

    ASSERT_TRUE(family->run(east));
    ASSERT_TRUE(family->run({MountOperation::PulseGuide, 40, 1, false}));
    lx200().pgCalRepeatTimer(true);
    EXPECT_EQ(newFrames(), (Frames{":Mge8333#", ":Mge0040#"}));

    start(Kind::Autostar, kProtocolLX200);
    EXPECT_FALSE(family->run(east));
    EXPECT_TRUE(newFrames().empty());
}

TEST_F(LX200FamilyTest, ASiteReadHandsOverEastPositive)
{
    // The Classic answers 349 westward without a sign; the Autostar -011.
    for (const Kind kind : {Kind::Classic, Kind::Autostar}) {
        start(kind, kProtocolLX200);
        ColonCommandMount::Sky sky = mount->sky();
        sky.latitude = -33.5;
        sky.westLongitude = 349.0;
        mount->setSky(sky);
        ASSERT_TRUE(family->run(op(MountOperation::GetSite, 34)));
        EXPECT_DOUBLE_EQ(siteLat, -33.5);
        EXPECT_DOUBLE_EQ(siteLon, 11.0);
        EXPECT_EQ(siteName, "LX200");
    }
}

TEST_F(LX200FamilyTest, RepliesAsRealUnitsGiveThem)
{
    // Replies paused 300 ms halfway are read whole, not as two replies.
    start(Kind::Autostar, kProtocolLX200, {.longFormat = false},
          [](DeviceSimulator& d) { d.splitRepliesInHalf(300ms); });
    ColonCommandMount::Sky sky = mount->sky();
    sky.ra = 2.765;
    mount->setSky(sky);
    ASSERT_TRUE(family->readPosition());
    ASSERT_TRUE(family->readPosition());
    EXPECT_NEAR(status.scopeRA, 2.765 * kHour, 1e-9);

    // The date's second line comes 5 s late (scaled to the test's tick).
    start(Kind::Classic, kProtocolLX200, {.dateLineLate = 5000ms * 1000 / 16667});
    EXPECT_TRUE(family->run(op(MountOperation::SetDate, 33)));
    EXPECT_FALSE(status.isNoResponse);
    EXPECT_EQ(mount->sky().time, "21:30:05");

    // A busy LX200 GPS is asked again, three times at most, 100 ms apart.
    for (const int naks : {3, 4}) {
        LX200Personality& gps = start(Kind::GPS, kProtocolLX200GPS);
        pauses.clear();
        gps.answerBusy(naks);
        EXPECT_EQ(family->run(op(MountOperation::SetBaudRate, 43)), naks == 3);
        EXPECT_EQ(pauses, std::vector<std::chrono::microseconds>(3, 100ms));
    }
}

TEST_F(LX200FamilyTest, TheTimeGoesOutAsItIsWhenSentAfterThePlanetaryUpdate)
{
    // The date's second line comes 1.5 s late; the time sent after it must
    // be the time then, not the time the date went.
    const std::pair<Kind, int> mounts[] = {{Kind::Classic, kProtocolLX200}, {Kind::Gemini, kProtocolGemini}};
    for (const auto& [kind, protocol] : mounts) {
        SCOPED_TRACE(protocol);
        start(kind, protocol, {.dateLineLate = 1500ms});
        clockRuns = true;
        running.start();
        ASSERT_TRUE(family->run(op(MountOperation::SetDate, 33)));
        const QByteArray sent = mount->sky().time;
        EXPECT_GE(QTime::fromString(QString::fromLatin1(sent), "HH:mm:ss"), QTime(21, 30, 6))
            << sent.toStdString();
    }
}

// The slewing flag changes only on an answer: the main thread never reads
// "not slewing" while a slew query is out, nor after it went unanswered.
TEST_F(LX200FamilyTest, TheSlewingFlagChangesOnlyOnAnAnswer)
{
    start(Kind::Classic, kProtocolLX200);
    mount->setSlewTime(10s);
    ASSERT_TRUE(gotoTarget(*family));
    ASSERT_TRUE(status.isSlewing);
    EXPECT_TRUE(family->slewDetect());
    EXPECT_TRUE(status.isSlewing);
    pty->closeMaster();
    EXPECT_FALSE(family->slewDetect());
    EXPECT_TRUE(status.isSlewing);
}
