#include "SimulatedMountFixture.h"

#include "mount/MountProtocols.h"
#include "mount/families/SkyCommanderFamily.h"
#include "support/SkyCommanderSimulator.h"

#include <QTest>

namespace {

class SkyCommanderFamilyTest : public SimulatedMountFixture {
protected:
    SkyCommanderFamily& make(bool servoCat)
    {
        now = QDateTime(QDate(2000, 1, 1), QTime(0, 0), QTimeZone::utc());
        simulator = std::make_unique<SkyCommanderSimulator>(servoCat);
        open(*simulator);
        family = std::make_unique<SkyCommanderFamily>(servoCat ? kProtocolServoCat : kProtocolSkyCommander,
                                                      context(), inputs);
        return *family;
    }

    std::unique_ptr<SkyCommanderSimulator> simulator;
    std::unique_ptr<SkyCommanderFamily> family;
};

}  // namespace

TEST(SkyCommanderTexts, GotoTextsAtJ2000AndTargetsNearThePole)
{
    constexpr double kDegree = std::numbers::pi / 180.0;
    EXPECT_EQ(SkyCommanderFamily::skyCommanderGoto(
                  SkyCommanderFamily::toJ2000(5.5 * 15.0 * kDegree, 12.25 * kDegree, 0.0f)),
              "L99 05.500 +12.250");
    EXPECT_EQ(SkyCommanderFamily::servoCatGoto(
                  SkyCommanderFamily::toJ2000(0.25 * 15.0 * kDegree, -5.5 * kDegree, 0.0f)),
              "g00.250 -05.500");
    // A target a hair short of 24 h rounds to the day's start, not to 24.000.
    EXPECT_EQ(SkyCommanderFamily::skyCommanderGoto({23.9996f, 10.0f}), "L99 00.000 +10.000");
    EXPECT_EQ(SkyCommanderFamily::servoCatGoto({23.9996f, -10.0f}), "g00.000 -10.000");
    EXPECT_EQ(SkyCommanderFamily::servoCatGoto({23.9994f, -10.0f}), "g23.999 -10.000");
    // 26 years of precession carry +89.99° at RA 12h over the pole, to the
    // far side: RA near 0h (less the 0.33° of RA precession).
    const SkyCommanderFamily::J2000 pole =
        SkyCommanderFamily::toJ2000(std::numbers::pi, 89.99 * kDegree, 26.0f);
    EXPECT_LE(pole.degrees, 90.0f);
    EXPECT_GT(pole.degrees, 89.8f);
    EXPECT_NEAR(pole.hours, 24.0f - 0.333f / 15.0f, 0.001f);
}

TEST_F(SkyCommanderFamilyTest, TheServoCatGotoCarriesItsChecksumAndThePollReadsDecimals)
{
    SkyCommanderFamily& servoCat = make(true);
    ASSERT_TRUE(servoCat.gotoPosition(0.25 * 15.0 * kDegree, -5.5 * kDegree));
    const QByteArray body = "00.250 -05.500";
    char checksum = 0;
    for (const char c : body)
        checksum ^= c;
    ASSERT_TRUE(QTest::qWaitFor([&] { return simulator->received().size() == 16; }, 2000));
    EXPECT_EQ(simulator->received(), "g" + body + checksum);
    EXPECT_EQ(simulator->badChecksums(), 0);
    ASSERT_TRUE(servoCat.connect());
    EXPECT_NEAR(status.scopeRA, 0.25 * 15.0 * kDegree, 1e-6);
    EXPECT_NEAR(status.scopeDec, -5.5 * kDegree, 1e-6);
}

TEST_F(SkyCommanderFamilyTest, TheSkyCommanderGotoWantsAnA)
{
    SkyCommanderFamily& skyCommander = make(false);
    EXPECT_TRUE(skyCommander.gotoPosition(5.5 * 15.0 * kDegree, 12.25 * kDegree));
    EXPECT_EQ(simulator->received(), "L99 05.500 +12.250\r");
    simulator->faults().garbleReplies("N");
    EXPECT_FALSE(skyCommander.gotoPosition(5.5 * 15.0 * kDegree, 12.25 * kDegree));
}

TEST_F(SkyCommanderFamilyTest, AShortPollIsRefusedAndThePositionKept)
{
    SkyCommanderFamily& skyCommander = make(false);
    status.scopeRA = 0.5;
    simulator->faults().shortenReplies(14);
    EXPECT_FALSE(skyCommander.readPosition());
    EXPECT_EQ(status.scopeRA, 0.5);
}
