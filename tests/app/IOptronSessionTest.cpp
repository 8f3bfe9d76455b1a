#include "app/FamilySessionFixture.h"
#include "mount/MountProtocols.h"
#include "mount/families/IOptronFamily.h"
#include "mount/panels/IEQ45Panel.h"
#include "mount/panels/IOptronPanel.h"
#include "mount/panels/RadioMatrix.h"
#include "mount/panels/SlewPulseMenu.h"
#include "platform/AppTimeZone.h"
#include "support/IOptronSimulator.h"
#include "support/MainThreadWatchdog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QPushButton>

#include <cstdlib>
#include <memory>

using namespace std::chrono_literals;

namespace {

// What tells one of the two command sets from the other.
struct Dialect {
    int protocol;
    QString name;
    QByteArrayList handshake;
    QByteArray north;
    QByteArray west;  // the panel's left
    QByteArray east;
    QByteArray stop;
    QByteArray gotoRA;  // 4h, each field truncated
};

const Dialect kIOptron{kProtocolIOptron, "Simulated iOptron", {":GAM#", ":GTR#", ":GGS#"},
                       ":Mn#", ":Mw#", ":Me#", ":Q#", ":Sr 04:00:00.0#"};
// Whole seconds truncated from 3.99999... hours.
const Dialect kIEQ45{kProtocolIEQ45, "Simulated iEQ45", {":V#", ":MountInfo#"}, ":mn#", ":mw#", ":me#", ":q#",
                     ":Sr 03:59:59#"};

bool isMotion(const QByteArray& frame)
{
    return frame.startsWith(":M") || frame.startsWith(":m") || frame.startsWith(":Q") || frame.startsWith(":q");
}

bool isClock(const QByteArray& frame)
{
    return frame.startsWith(":SC ") || frame.startsWith(":SL ") || frame.startsWith(":SG ");
}

bool isSite(const QByteArray& frame)
{
    return frame.startsWith(":St ") || frame.startsWith(":Sg ");
}

bool isPark(const QByteArray& frame)
{
    return frame.startsWith(":STPKP") || frame == ":PK#" || frame == ":MH#";
}

}  // namespace

// The iOptron and iEQ45 as the program drives them: date, time, zone and
// site from the panel; gotos the polls follow; a stop that ends a running
// goto and never sends a move again; locked slews (a fixed pulse of the
// pulse menu notwithstanding) and held ones; a sync onto the last target;
// the park position and park, or the iEQ45's home.
class FamilySessionIOptron : public FamilySessionTest {
protected:
    void connectIOptron(const Dialect& dialect)
    {
        useProtocol(dialect.protocol, dialect.name);
        mount = std::make_unique<IOptronSimulator>(dialect.protocol == kProtocolIEQ45);
        mount->setPosition(2.0 * kHour, 0.3);
        mount->start();
        ASSERT_NO_FATAL_FAILURE(connectTo(mount->path()));
        const std::vector<QByteArray> frames = mount->frames();
        ASSERT_GE(qsizetype(frames.size()), dialect.handshake.size());
        EXPECT_EQ(QByteArrayList(frames.begin(), frames.begin() + dialect.handshake.size()), dialect.handshake);
    }
    Frames sent() { return [this] { return mount->frames(); }; }
    bool pollsReachMount()
    {
        return pollsReach([this] { return mount->ra(); }, [this] { return mount->dec(); });
    }
    void click(HandPanel& panel, int tag) { panel.buttonWithTag(tag)->click(); }

    // The clock and the site from the panel, each as its commands' fields say.
    void clockAndSite(HandPanel& panel, int dateTag, int siteTag)
    {
        const QByteArrayList clock = sentBy(sent(), isClock, [&] { click(panel, dateTag); }, 3);
        ASSERT_EQ(clock.size(), 3);
        const QDateTime now = AppTimeZone::now();
        const QList<QByteArray> expected = IOptronFamily::dateCommands(now);
        EXPECT_EQ(clock[0], expected[0]);
        EXPECT_TRUE(clock[1].startsWith(":SL ") && clock[1].size() == 13) << clock[1].toStdString();
        EXPECT_LE(std::abs(QTime::fromString(QString::fromLatin1(clock[1].mid(4, 8)), "HH:mm:ss")
                               .secsTo(now.time())),
                  10)
            << "the time as sent";
        EXPECT_EQ(clock[2], expected[2]);
        // The start-up site at 0°, 0° is undefined: refused with a word, nothing sent.
        PrefControl& prefs = chart->prefControl();
        const double latitude = prefs.latitude();
        const double longitude = prefs.longitude();
        prefs.setLatitude(0.0);
        prefs.setLongitude(0.0);
        alerts.alerts.clear();
        click(panel, siteTag);
        EXPECT_EQ(sentInAWhile(sent(), isSite), QByteArrayList{});
        ASSERT_EQ(alerts.alerts.size(), 1u);
        EXPECT_EQ(alerts.alerts[0].title, "Set Site Failed");
        alerts.alerts.clear();
        prefs.setLatitude(-33.9);
        prefs.setLongitude(18.4);
        EXPECT_EQ(sentBy(sent(), isSite, [&] { click(panel, siteTag); }, 2),
                  (QByteArrayList{":St " + IOptronFamily::latitudeText(prefs.latitude()) + "#",
                                  ":Sg " + IOptronFamily::longitudeText(prefs.longitude()) + "#"}));
        prefs.setLatitude(latitude);
        prefs.setLongitude(longitude);
    }

    // A goto the mount finishes while the polls ask; a second one the
    // panel's stop ends; the slews; a sync that puts the mount on the
    // stopped goto's target.
    void session(HandPanel& panel, const Dialect& dialect, int syncTag)
    {
        const size_t beforeGoto = mount->frames().size();
        scope().gotoRA(4.0 * kHour, -0.2);
        ASSERT_TRUE(QTest::qWaitFor([&] { return mount->isSlewing(); }, kSessionWaitMs));
        const QByteArrayList target = framesSince(mount->frames(), beforeGoto, [](const QByteArray& f) {
            return f.startsWith(":Sr ") || f.startsWith(":Sd ");
        });
        ASSERT_EQ(target.size(), 2);
        EXPECT_EQ(target[0], dialect.gotoRA);
        EXPECT_EQ(target[1], ":Sd -11*27:32#");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !mount->isSlewing(); }, kSessionWaitMs));
        EXPECT_NEAR(mount->ra(), 4.0 * kHour, kPollTolerance);
        EXPECT_NEAR(mount->dec(), -0.2, kPollTolerance);
        EXPECT_TRUE(pollsReachMount());
        // Till the program sees the goto end it drops the next.
        ASSERT_TRUE(QTest::qWaitFor([&] { return !scope().isSlewing(); }, kSessionWaitMs));

        const auto motionsOf = [&](const std::function<void()>& use, qsizetype count) {
            return sentBy(sent(), isMotion, use, count);
        };
        const QByteArrayList stop{dialect.stop};
        EXPECT_EQ(motionsOf([&] { click(panel, kLockTag); }, 1), stop);
        const double standRA = mount->ra();
        const double standDec = mount->dec();
        const double targetRA = 5.0 * kHour;
        const double targetDec = 0.1;
        scope().gotoRA(targetRA, targetDec);
        ASSERT_TRUE(QTest::qWaitFor([&] { return mount->isSlewing(); }, kSessionWaitMs));
        EXPECT_EQ(motionsOf([&] { panel.directionButton(kDirStop)->click(); }, 1), stop);
        EXPECT_FALSE(mount->isSlewing());
        EXPECT_DOUBLE_EQ(mount->ra(), standRA);
        EXPECT_DOUBLE_EQ(mount->dec(), standDec);
        EXPECT_EQ(sentInAWhile(sent(), isMotion), QByteArrayList{}) << "a stop starts nothing again";
        EXPECT_TRUE(pollsReachMount());

        // Locked: on, then off with the stop alone.
        EXPECT_EQ(motionsOf([&] { panel.directionButton(kDirUp)->click(); }, 1), QByteArrayList{dialect.north});
        EXPECT_EQ(motionsOf([&] { panel.directionButton(kDirUp)->click(); }, 1), stop);
        EXPECT_EQ(sentInAWhile(sent(), isMotion), QByteArrayList{}) << "a stop must stop";
        // The pulse lengths are the LX200 and Gemini panels': this slew runs until clicked off.
        panels().slewPulseMenu().slewPulseMenuAction(2);
        EXPECT_EQ(motionsOf([&] { panel.directionButton(kDirLeft)->click(); }, 1), QByteArrayList{dialect.west});
        EXPECT_EQ(sentInAWhile(sent(), isMotion), QByteArrayList{});
        EXPECT_EQ(motionsOf([&] { panel.directionButton(kDirLeft)->click(); }, 1), stop);
        panels().slewPulseMenu().slewPulseMenuAction(0);

        // Held: the press slews, the release stops.
        EXPECT_EQ(motionsOf([&] { click(panel, kLockTag); }, 1), stop);
        EXPECT_EQ(motionsOf(
                      [&] {
                          QTest::mousePress(panel.directionButton(kDirRight), Qt::LeftButton);
                          QTest::mouseRelease(panel.directionButton(kDirRight), Qt::LeftButton);
                      },
                      2),
                  (QByteArrayList{dialect.east, dialect.stop}));
        EXPECT_EQ(sentInAWhile(sent(), isMotion), QByteArrayList{}) << "a stop must stop";

        EXPECT_EQ(sentBy(sent(), [](const QByteArray& f) { return f == ":CM#"; }, [&] { click(panel, syncTag); }, 1),
                  QByteArrayList{":CM#"});
        EXPECT_TRUE(QTest::qWaitFor([&] { return std::abs(mount->ra() - targetRA) < kPollTolerance; },
                                    kSessionWaitMs));
        EXPECT_NEAR(mount->dec(), targetDec, kPollTolerance);
        EXPECT_TRUE(pollsReachMount());
    }

    std::unique_ptr<IOptronSimulator> mount;
};

TEST_F(FamilySessionIOptron, IOptron)
{
    ASSERT_NO_FATAL_FAILURE(connectIOptron(kIOptron));
    MainThreadWatchdog watchdog;
    watchdog.start();
    IOptronPanel& panel = panels().iOptronPanel();
    panel.show();
    ASSERT_NO_FATAL_FAILURE(clockAndSite(panel, IOptronPanel::kDateTag, IOptronPanel::kSiteTag));
    ASSERT_NO_FATAL_FAILURE(session(panel, kIOptron, IOptronPanel::kSyncTag));

    EXPECT_EQ(sentBy(sent(), isPark, [&] { panel.parkMatrix()->cell(24)->click(); }, 1),
              QByteArrayList{":STPKP2#"})
        << "left, horizontal";
    EXPECT_EQ(sentBy(sent(), isPark, [&] { click(panel, IOptronPanel::kParkTag); }, 1), QByteArrayList{":PK#"});
    EXPECT_LT(watchdog.longestStall(), 100ms);
    EXPECT_TRUE(alerts.alerts.empty());
}

// The iEQ45 is never asked whether it slews, and its panel's park button
// sends the mount home.
TEST_F(FamilySessionIOptron, IEQ45)
{
    ASSERT_NO_FATAL_FAILURE(connectIOptron(kIEQ45));
    MainThreadWatchdog watchdog;
    watchdog.start();
    IEQ45Panel& panel = panels().iEQ45Panel();
    panel.show();
    ASSERT_NO_FATAL_FAILURE(clockAndSite(panel, IEQ45Panel::kDateTag, IEQ45Panel::kSiteTag));
    ASSERT_NO_FATAL_FAILURE(session(panel, kIEQ45, IEQ45Panel::kSyncTag));
    EXPECT_EQ(framesSince(mount->frames(), 0, [](const QByteArray& f) { return f == ":SE?#"; }), QByteArrayList{});

    EXPECT_EQ(sentBy(sent(), isPark, [&] { click(panel, IEQ45Panel::kParkTag); }, 1), QByteArrayList{":MH#"});
    EXPECT_LT(watchdog.longestStall(), 100ms);
    EXPECT_TRUE(alerts.alerts.empty());
}
