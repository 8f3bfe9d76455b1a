#include "app/FamilySessionFixture.h"
#include "find/FindObjects.h"
#include "mount/MountProtocols.h"
#include "mount/families/EquatorJ2000.h"
#include "mount/families/NexStarFamily.h"
#include "mount/panels/NexStarPanel.h"
#include "mount/panels/RadioMatrix.h"
#include "mount/panels/SlewPulseMenu.h"
#include "platform/AppTimeZone.h"
#include "support/MainThreadWatchdog.h"
#include "support/NexStarSimulator.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QPushButton>

using namespace std::chrono_literals;

namespace {

constexpr char kAltitudeMotor = 17;  // north and south
constexpr char kAzimuthMotor = 16;   // east and west

// The motor pass-through slew as the hand controller takes it.
QByteArray passThrough(char motor, char direction, char rate)
{
    return QByteArray("P\x02", 2) + motor + direction + rate + QByteArray(3, '\0');
}

// Cancel GOTO, then both motors at rate 0.
const QByteArrayList kStopFrames{"M", passThrough(kAltitudeMotor, '$', 0), passThrough(kAzimuthMotor, '$', 0)};

bool isPosition(const QByteArray& frame)
{
    return frame == "E";
}

// All but the polls' position and slew queries.
bool isCommand(const QByteArray& frame)
{
    return !isPosition(frame) && frame != "L";
}

bool isMotion(const QByteArray& frame)
{
    return frame == "M" || frame.startsWith('P');
}

}  // namespace

// The NexStar GPS and SynScan hand controllers as the program drives them:
// no site or clock of the program's goes out; gotos the polls follow; a
// stop that also ends a running goto; the panel's push-on/push-off slews at
// the chosen speed; the sync each does its own way. Neither parks.
class FamilySessionNexStar : public FamilySessionTest {
protected:
    // The mount's position as the program should read it, radians of date.
    struct Reading {
        std::function<double()> ra;
        std::function<double()> dec;
    };

    void connectNexStar(int protocol, const QString& name)
    {
        useProtocol(protocol, name);
        mount.setPosition(2.0 * kHour, 0.3);
        mount.setTrackMode(3);
        mount.start();
        ASSERT_NO_FATAL_FAILURE(connectTo(mount.path()));
        panel().show();
    }
    NexStarPanel& panel() { return panels().nexStarPanel(); }
    Frames sent() { return [this] { return mount.frames(); }; }

    // A goto the mount finishes while the polls ask, and the polls' position.
    void gotoArrives(double ra, double dec, const Reading& reading)
    {
        scope().gotoRA(ra, dec);
        ASSERT_TRUE(QTest::qWaitFor([&] { return mount.isSlewing(); }, kSessionWaitMs));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !mount.isSlewing(); }, kSessionWaitMs));
        EXPECT_TRUE(pollsReach(reading.ra, reading.dec));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !scope().isSlewing(); }, kSessionWaitMs));
    }

    // The panel's stop ends a running goto where the mount stands, then
    // north and, slower, east slews that run until clicked off, a fixed
    // pulse of the pulse menu notwithstanding. `stop` is what each stop sends.
    void stopsFromThePanel(double ra, double dec, const Reading& reading, const QByteArrayList& stop)
    {
        const double standRA = mount.ra();
        const double standDec = mount.dec();
        scope().gotoRA(ra, dec);
        ASSERT_TRUE(QTest::qWaitFor([&] { return mount.isSlewing(); }, kSessionWaitMs));
        EXPECT_EQ(sentBy(sent(), isCommand, [&] { panel().directionButton(kDirStop)->click(); }, stop.size()),
                  stop);
        EXPECT_FALSE(mount.isSlewing());
        EXPECT_DOUBLE_EQ(mount.ra(), standRA);
        EXPECT_DOUBLE_EQ(mount.dec(), standDec);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !scope().isSlewing(); }, kSessionWaitMs));
        // The poll that saw the goto end has had its say (a NexStar GPS reads its mode then).
        const size_t settled = mount.frames().size();
        EXPECT_TRUE(QTest::qWaitFor([&] { return framesSince(mount.frames(), settled, isPosition).size() > 0; },
                                    kSessionWaitMs));
        EXPECT_TRUE(pollsReach(reading.ra, reading.dec));

        // At the fastest speed, rate 7.
        EXPECT_EQ(sentBy(sent(), isCommand, [&] { panel().directionButton(kDirUp)->click(); }, 1),
                  QByteArrayList{passThrough(kAltitudeMotor, '$', 7)});
        EXPECT_EQ(sentBy(sent(), isCommand, [&] { panel().directionButton(kDirUp)->click(); }, stop.size()),
                  stop);
        EXPECT_EQ(sentInAWhile(sent(), isMotion), QByteArrayList{}) << "a stop must stop";

        // The pulse lengths are the LX200 and Gemini panels': this slew runs until clicked off.
        panels().slewPulseMenu().slewPulseMenuAction(2);
        panel().speedMatrix()->cell(12)->click();
        EXPECT_EQ(sentBy(sent(), isCommand, [&] { panel().directionButton(kDirLeft)->click(); }, 1),
                  QByteArrayList{passThrough(kAzimuthMotor, '%', 3)});
        EXPECT_EQ(sentInAWhile(sent(), isMotion), QByteArrayList{});
        EXPECT_EQ(sentBy(sent(), isCommand, [&] { panel().directionButton(kDirLeft)->click(); }, stop.size()),
                  stop);
        panels().slewPulseMenu().slewPulseMenuAction(0);
        EXPECT_EQ(sentInAWhile(sent(), isCommand), QByteArrayList{}) << "nothing more after a stop";
    }

    NexStarSimulator mount;
};

// The NexStar GPS reads its tracking mode at connect and after each stop,
// and takes a sync on the finder's tracked object.
TEST_F(FamilySessionNexStar, NexStarGPS)
{
    ASSERT_NO_FATAL_FAILURE(connectNexStar(kProtocolNexStarGPS, "Simulated NexStar GPS"));
    MainThreadWatchdog watchdog;
    watchdog.start();
    const std::vector<QByteArray> handshake = mount.frames();
    ASSERT_GE(handshake.size(), 2u);
    EXPECT_EQ(handshake[0], "Kx");
    EXPECT_EQ(handshake[1], "t");
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel().trackMatrix()->selectedTag() == 22; }, kSessionWaitMs))
        << "EQ S, as the mount reports";
    const Reading mountReads{[&] { return mount.ra(); }, [&] { return mount.dec(); }};
    EXPECT_TRUE(pollsReach(mountReads.ra, mountReads.dec));

    ASSERT_NO_FATAL_FAILURE(gotoArrives(4.0 * kHour, -0.2, mountReads));
    EXPECT_EQ(framesSince(mount.frames(), 0, [](const QByteArray& f) { return f.startsWith('R'); }),
              QByteArrayList{"R" + NexStarFamily::positionDigits(4.0 * kHour) + ","
                             + NexStarFamily::positionDigits(-0.2)});
    ASSERT_NO_FATAL_FAILURE(stopsFromThePanel(6.0 * kHour, 0.4, mountReads, kStopFrames + QByteArrayList{"t"}));

    const double ra = 4.5 * kHour;
    const double dec = -0.1;
    chart->findObjects().setTrackRA(ra, dec);
    EXPECT_EQ(sentBy(sent(), isCommand, [&] { panel().syncButton()->click(); }, 1),
              QByteArrayList{"S" + NexStarFamily::positionDigits(ra) + "," + NexStarFamily::positionDigits(dec)});
    EXPECT_TRUE(pollsReach([&] { return ra; }, [&] { return dec; }));
    EXPECT_LT(watchdog.longestStall(), 100ms);
    EXPECT_TRUE(alerts.alerts.empty());
}

// The SynScan works on J2000 and is never asked its tracking mode; its sync
// sends nothing but keeps offsets here that the next nearby goto carries.
TEST_F(FamilySessionNexStar, SynScan)
{
    ASSERT_NO_FATAL_FAILURE(connectNexStar(kProtocolSynScan, "Simulated SynScan"));
    MainThreadWatchdog watchdog;
    watchdog.start();
    const auto onDate = [&] { return EquatorJ2000::toDate(mount.ra(), mount.dec(), AppTimeZone::now()); };
    const Reading mountReads{[&] { return onDate().ra; }, [&] { return onDate().dec; }};
    EXPECT_TRUE(pollsReach(mountReads.ra, mountReads.dec));
    EXPECT_EQ(mount.frames().front(), "Kx");

    ASSERT_NO_FATAL_FAILURE(gotoArrives(4.0 * kHour, -0.2, mountReads));
    EXPECT_NEAR(onDate().ra, 4.0 * kHour, kPollTolerance);
    EXPECT_NEAR(onDate().dec, -0.2, kPollTolerance);
    ASSERT_NO_FATAL_FAILURE(stopsFromThePanel(4.2 * kHour, -0.15, mountReads, kStopFrames));

    // The tracked object a little west and north of where the mount points.
    const double offsetRA = 0.01;
    const double offsetDec = -0.005;
    chart->findObjects().setTrackRA(scope().status().scopeRA - offsetRA, scope().status().scopeDec - offsetDec);
    const size_t beforeSync = mount.frames().size();
    panel().syncButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel().syncButton()->text() == scopeText("Synced"); },
                                kSessionWaitMs));
    EXPECT_EQ(framesSince(mount.frames(), beforeSync, isCommand), QByteArrayList{}) << "a SynScan sync stays here";

    // Within 10° of the last target the goto carries the offsets.
    const double ra = 4.1 * kHour;
    const double dec = -0.1;
    ASSERT_NO_FATAL_FAILURE(gotoArrives(ra, dec, mountReads));
    EXPECT_NEAR(onDate().ra, ra + offsetRA, kPollTolerance);
    EXPECT_NEAR(onDate().dec, dec + offsetDec, kPollTolerance);
    EXPECT_LT(watchdog.longestStall(), 100ms);
    EXPECT_TRUE(alerts.alerts.empty());
}
