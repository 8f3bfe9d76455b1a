#include "app/FamilySessionFixture.h"
#include "find/FindObjects.h"
#include "mount/MountProtocols.h"
#include "mount/families/TemmaFamily.h"
#include "mount/panels/GeminiPanel.h"
#include "mount/panels/SlewPulseMenu.h"
#include "mount/panels/TemmaPanel.h"
#include "support/ColonCommandMount.h"
#include "support/Eventually.h"
#include "support/LX200Personality.h"
#include "support/MainThreadWatchdog.h"
#include "support/PtyDevice.h"
#include "support/SkyCommanderSimulator.h"
#include "support/TemmaSimulator.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QPushButton>

#include <functional>

using namespace std::chrono_literals;

// The Temma knows where it points only once synced: the site at connect,
// a zenith sync from the panel, a goto the polls follow, locked and held
// slews that stop, and polls that go on after a later sync.
TEST_F(FamilySessionTest, Temma)
{
    useProtocol(kProtocolTemma, "Simulated Temma");
    TemmaSimulator mount;
    mount.start();
    ASSERT_NO_FATAL_FAILURE(connectTo(mount.path()));
    MainThreadWatchdog watchdog;
    watchdog.start();
    const std::optional<QByteArray> latitude = TemmaFamily::latitudeText(chart->prefControl().latitude());
    ASSERT_TRUE(latitude);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !mount.frames().empty(); }, kSessionWaitMs));
    EXPECT_EQ(mount.frames()[1], "I" + *latitude);
    // Unsynced, the polls have nothing to read: that is no loss of the mount.
    // Nothing may happen over a few poll periods: waiting them out is the check.
    QTest::qWait(2500);
    EXPECT_TRUE(scope().isConnected());

    TemmaPanel& panel = panels().temmaPanel();
    panel.show();
    panel.syncButton(TemmaPanel::kZenithSyncTag)->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return scope().isTemmaSync(); }, kSessionWaitMs));
    EXPECT_TRUE(mount.isSynced());
    const auto frames = [&] { return mount.frames(); };
    const auto lstBefore = [&](const char* command) {
        const std::vector<QByteArray> sent = frames();
        for (size_t i = 1; i < sent.size(); ++i) {
            if (sent[i].startsWith(command))
                return sent[i - 1].startsWith('T') && sent[i - 1].size() == 7;
        }
        return false;
    };
    EXPECT_TRUE(lstBefore("D")) << "the sidereal time goes with the sync";

    scope().gotoRA(mount.ra() + 1.0 * kHour, 0.4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return mount.isSlewing(); }, kSessionWaitMs));
    EXPECT_TRUE(lstBefore("P"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mount.isSlewing(); }, kSessionWaitMs));
    EXPECT_TRUE(pollsReach([&] { return mount.ra(); }, [&] { return mount.dec(); }));

    ASSERT_TRUE(QTest::qWaitFor([&] { return !scope().isSlewing(); }, kSessionWaitMs));

    // What the mount receives from one use of the panel: `count` frames.
    const auto isMotion = [](const QByteArray& frame) { return frame.startsWith('M') || frame == "PS"; };
    const auto motionsOf = [&](const std::function<void()>& use, qsizetype count) {
        return sentBy(frames, isMotion, use, count);
    };
    // The motion byte: 0x40 and a bit per direction (north 0x08, east 0x04) at the slow speed.
    const QByteArray stop = QByteArray("M") + char(0x40);
    const QByteArray north = QByteArray("M") + char(0x40 | 0x08);
    const QByteArray east = QByteArray("M") + char(0x40 | 0x04);
    // A stop during a slew also ends any goto, before and after the motion stops.
    const QByteArrayList slewStop = {"PS", stop, "PS"};
    EXPECT_EQ(motionsOf([&] { panel.lockAction(true); }, 2), (QByteArrayList{stop, "PS"}));
    // Locked, the slew is sent again each second until it is clicked off.
    EXPECT_EQ(motionsOf([&] { panel.directionButton(1)->click(); }, 2), (QByteArrayList{north, north}));
    EXPECT_EQ(motionsOf([&] { panel.directionButton(1)->click(); }, 3), slewStop);
    EXPECT_EQ(sentInAWhile(frames, isMotion), QByteArrayList{}) << "a stop must stop";

    EXPECT_EQ(motionsOf([&] { panel.lockAction(false); }, 2), (QByteArrayList{stop, "PS"}));
    EXPECT_EQ(motionsOf(
                  [&] {
                      QTest::mousePress(panel.directionButton(3), Qt::LeftButton);
                      QTest::mouseRelease(panel.directionButton(3), Qt::LeftButton);
                  },
                  4),
              (QByteArrayList{east} + slewStop));

    // After a later sync the polls still read the mount.
    const size_t beforeSync = frames().size();
    panel.syncButton(TemmaPanel::kZenithSyncTag)->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !framesSince(frames(), beforeSync, [](const QByteArray& f) {
                                                 return f.startsWith('D');
                                             }).isEmpty(); },
                                kSessionWaitMs));
    EXPECT_TRUE(pollsReach([&] { return mount.ra(); }, [&] { return mount.dec(); }));
    EXPECT_LT(watchdog.longestStall(), 100ms);
    EXPECT_TRUE(alerts.alerts.empty());
}

// A digital setting circle: it reports where the telescope points and
// takes a target in J2000; it has no panel, sync, stop or park.
TEST_F(FamilySessionTest, SkyCommander)
{
    useProtocol(kProtocolSkyCommander, "Simulated Sky Commander");
    SkyCommanderSimulator mount;
    mount.setPosition(3.0 * kHour, 0.2);
    mount.start();
    ASSERT_NO_FATAL_FAILURE(connectTo(mount.path()));
    MainThreadWatchdog watchdog;
    watchdog.start();
    EXPECT_TRUE(pollsReach([&] { return mount.ra(); }, [&] { return mount.dec(); }));

    scope().gotoRA(6.0 * kHour, 0.5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return mount.received().contains("L99 "); }, kSessionWaitMs));
    // The target goes out in J2000: a quarter of a degree or so from the date's.
    EXPECT_NEAR(mount.ra(), 6.0 * kHour, 0.01);
    EXPECT_NEAR(mount.dec(), 0.5, 0.01);
    EXPECT_TRUE(pollsReach([&] { return mount.ra(); }, [&] { return mount.dec(); }));
    EXPECT_LT(watchdog.longestStall(), 100ms);
    EXPECT_TRUE(alerts.alerts.empty());
}

// A Gemini: date, time and site from its panel, a goto that reads as
// slewing until it arrives, locked slews with and without a pulse, a sync
// and a park after which it stays connected.
TEST_F(FamilySessionTest, Gemini)
{
    useProtocol(kProtocolGemini, "Simulated Gemini");
    PtyDevice pty;
    ColonCommandMount mount(std::make_unique<LX200Personality>(LX200Personality::Kind::Gemini,
                                                              LX200Personality::Options{}));
    mount.setSlewTime(4000ms);
    mount.attach(pty.simulator());
    pty.start();
    chart->prefControl().setCurrentSite(0);
    chart->prefControl().setLatitude(48.2);
    chart->prefControl().setLongitude(16.4);
    ASSERT_NO_FATAL_FAILURE(connectTo(pty.path()));
    MainThreadWatchdog watchdog;
    watchdog.start();
    const auto sentSince = [&](size_t from, const std::function<bool(const QByteArray&)>& keep) {
        return framesSince(mount.frames(), from, keep);
    };
    const auto all = [](const QByteArray&) { return true; };
    const auto sentCount = [&] { return mount.frames().size(); };

    GeminiPanel& panel = panels().geminiPanel();
    panel.show();
    const size_t beforeDate = sentCount();
    panel.buttonWithTag(33)->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mount.sky().time.isEmpty(); }, kSessionWaitMs));
    const QByteArrayList dateFrames = sentSince(beforeDate, [](const QByteArray& f) {
        return f.startsWith(":SG") || f.startsWith(":SC") || f.startsWith(":SL");
    });
    ASSERT_EQ(dateFrames.size(), 3);
    EXPECT_TRUE(dateFrames[1].startsWith(":SC"));
    EXPECT_TRUE(dateFrames[2].startsWith(":SL"));
    panel.buttonWithTag(34)->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sentSince(0, [](const QByteArray& f) {
                                                 return f.startsWith(":SM");
                                             }).isEmpty(); },
                                kSessionWaitMs));
    EXPECT_NEAR(mount.sky().latitude, chart->prefControl().latitude(), 1.0 / 60.0);
    EXPECT_FALSE(sentSince(0, [](const QByteArray& f) { return f == ":W0#"; }).isEmpty());

    const double ra = 5.5 * kHour;
    const double dec = 20.0 * Angles::kDegToRad;
    scope().gotoRA(ra, dec);
    ASSERT_TRUE(QTest::qWaitFor([&] { return mount.isSlewing(); }, kSessionWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([&] { return scope().isSlewing(); }, kSessionWaitMs))
        << "the status query says a goto runs";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mount.isSlewing(); }, kSessionWaitMs));
    EXPECT_TRUE(pollsReach([&] { return mount.sky().ra * kHour; },
                           [&] { return mount.sky().dec * Angles::kDegToRad; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !scope().isSlewing(); }, kSessionWaitMs));

    const auto isMotion = [](const QByteArray& frame) { return frame.startsWith(":M") || frame.startsWith(":Q"); };
    const auto motionsOf = [&](const std::function<void()>& use, qsizetype count) {
        return sentBy([&] { return mount.frames(); }, isMotion, use, count);
    };
    EXPECT_EQ(motionsOf([&] { panel.lockAction(true); }, 1), QByteArrayList{":Q#"});
    panels().slewPulseMenu().slewPulseMenuAction(2);
    EXPECT_EQ(motionsOf([&] { panel.directionButton(1)->click(); }, 2), (QByteArrayList{":Mn#", ":Q#"}));
    panels().slewPulseMenu().slewPulseMenuAction(0);
    EXPECT_EQ(motionsOf([&] {
                  panel.directionButton(4)->click();
                  panel.directionButton(4)->click();
              }, 2),
              (QByteArrayList{":Mw#", ":Qw#"}));

    // Synced on the object the finder tracks.
    chart->findObjects().setTrackRA(ra + 0.01, dec);
    const size_t beforeSync = sentCount();
    panel.buttonWithTag(30)->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return sentSince(beforeSync, all).contains(":CM#"); }, kSessionWaitMs));

    panel.buttonWithTag(32)->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return mount.sky().parked; }, kSessionWaitMs));
    const size_t afterPark = sentCount();
    EXPECT_TRUE(eventually([&] { return sentCount() > afterPark + ScopeControl::kLostAfterFailedPolls; }))
        << "the polls go on";
    EXPECT_TRUE(scope().isConnected()) << "a Gemini stays connected after parking";
    EXPECT_LT(watchdog.longestStall(), 100ms);
    EXPECT_TRUE(alerts.alerts.empty());
    pty.closeMaster();
}
