#include "FamilyFixture.h"

#include "mount/MountProtocols.h"
#include "mount/families/GeminiFamily.h"
#include "mount/families/GeminiFrame.h"

#include <QTest>

namespace {

using namespace std::chrono_literals;
using Frames = std::vector<QByteArray>;

}  // namespace

class GeminiFamilyTest : public FamilyFixture {
protected:
    GeminiFamily& gemini() { return static_cast<GeminiFamily&>(*family); }
};

TEST_F(GeminiFamilyTest, ConnectChecksTheLevelAndReadsTheSettings)
{
    EXPECT_EQ(GeminiFrame::get(160), "<160:q#");
    // The one-byte speed answer `C` (centring) is read as it comes.
    start(Kind::Gemini, kProtocolGemini, {.speedState = 'C'});
    ASSERT_TRUE(family->connect());
    EXPECT_TRUE(status.isGeminiLevel4);
    EXPECT_TRUE(status.usesStar);
    const Frames frames = newFrames();
    ASSERT_EQ(frames.size(), 8u);
    EXPECT_EQ(Frames(frames.begin(), frames.begin() + 4),
              (Frames{"\x06", ":GV#", ":Gv#", "<160:q#"}));
    // Speed radio 11, Visual, Sidereal, guide 0.5, centring 16, slew 800.
    EXPECT_EQ(panelCodes, (std::vector<int>{11, 51, 54, 65, 74, 85}));
    EXPECT_EQ(mount->badFrames(), 0);

    start(Kind::Gemini, kProtocolGemini, {.starting = true});
    alerts.clear();
    EXPECT_FALSE(family->connect());
    EXPECT_EQ(alerts, std::vector<QString>{"Start up Gemini before you connect."});
}

TEST_F(GeminiFamilyTest, SitesDatesAndSettingsGoOutByteForByte)
{
    start(Kind::Gemini, kProtocolGemini, {.version = "310"});
    ASSERT_TRUE(family->connect());
    EXPECT_FALSE(status.isGeminiLevel4);
    prefs->setLatitude(-33.5);
    prefs->setLongitude(151.25);
    prefs->setCurrentSite(1);
    newFrames();
    ASSERT_TRUE(family->run({MountOperation::SetSite, 34, 0, false}));
    EXPECT_EQ(newFrames(), (Frames{":St-33*30#", ":Sg-151*15#"}));

    status.isGeminiLevel4 = true;
    ASSERT_TRUE(family->run({MountOperation::SetSite, 34, 0, false}));
    const Frames level4 = newFrames();
    ASSERT_EQ(level4.size(), 4u);
    EXPECT_EQ(level4.front(), ":W1#");
    EXPECT_TRUE(level4.back().startsWith(":SN"));
    // Beyond the four stored sites, or none chosen: nothing goes out.
    for (const int site : {4, -1}) {
        alerts.clear();
        prefs->setCurrentSite(site);
        EXPECT_FALSE(family->run({MountOperation::SetSite, 34, 0, false}));
        EXPECT_TRUE(newFrames().empty());
        EXPECT_EQ(alerts, std::vector<QString>{"Set Site Failed"});
    }

    // The date's two parts come in one reply, with or without a pause.
    clock = QDateTime(QDate(2026, 1, 14), QTime(20, 0, 0), QTimeZone("America/New_York"));
    for (const auto late : {0ms, 300ms}) {
        start(Kind::Gemini, kProtocolGemini, {.dateLineLate = late});
        ASSERT_TRUE(family->run({MountOperation::SetDate, 33, 0, false}));
        EXPECT_EQ(newFrames(), (Frames{":SG+05#", ":SC01/14/26#", ":SL20:00:00#"}));
    }
    EXPECT_FALSE(status.isNoResponse);

    LX200Personality& centring = start(Kind::Gemini, kProtocolGemini);
    centring.setParameter(170, "12");
    EXPECT_EQ(gemini().getGeminiCenterSpeed(), 0);
    ASSERT_TRUE(family->run({MountOperation::Mode, 55, 0, false}));
    ASSERT_TRUE(family->run({MountOperation::MaxSlewSpeed, 84, 0, false}));
    newFrames();
    EXPECT_EQ(gemini().getGeminiTrackMode(), 55);
    EXPECT_EQ(gemini().getGeminiSlewSpeed(), 84);
    EXPECT_EQ(mount->badFrames(), 0);
}

TEST_F(GeminiFamilyTest, AGotoReadsAsSlewingUntilTheMountArrives)
{
    start(Kind::Gemini, kProtocolGemini);
    mount->setSlewTime(1500ms);
    ASSERT_TRUE(family->gotoPosition(1.0, 0.3));
    ASSERT_TRUE(family->readPosition());
    EXPECT_TRUE(status.isSlewing);
    // A new goto is refused while the mount still runs the first.
    EXPECT_FALSE(family->gotoPosition(2.0, 0.1));
    EXPECT_EQ(alerts, std::vector<QString>{"Scope is slewing."});
    EXPECT_TRUE(QTest::qWaitFor([this] { return family->readPosition() && !status.isSlewing; }, 10000));
    EXPECT_NEAR(status.scopeRA, 1.0, 1e-4);
    EXPECT_NEAR(status.scopeDec, 0.3, 1e-4);
}
