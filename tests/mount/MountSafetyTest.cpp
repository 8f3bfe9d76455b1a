#include "MountFixture.h"

#include "mount/MountProtocols.h"
#include "support/LX200Personality.h"
#include "support/MainThreadWatchdog.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

using namespace std::chrono_literals;
using Kind = LX200Personality::Kind;
constexpr auto kNoStall = 100ms;

}  // namespace

// A mount that talks for ever, one that trickles, and one that answers
// slowly: the program never hangs on them, its main thread never waits on
// them, and a stop goes out before anything else the worker would send.
class MountSafetyTest : public MountFixture {
protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        // The program's own families, with the debug log off: its lines go
        // through to the disk, whose pace is not the one measured here.
        ScopeThreadTiming timing;
        timing.sleep = [](std::chrono::microseconds) {};
        scope = std::make_unique<ScopeControl>(*prefs, *skyDate, *serial, DebugWriter(), timing);
        scope->setScopeView(&view);
        scope->setSkyView(&sky);
        scope->setHandPanels(&panels);
        scope->setWebcamGuide(&guider);
        scope->scopeThread().setDomeBoard(&mark);
    }

    // An LX200 simulator behind a pty, listed as the only port.
    ColonCommandMount& simulate(DeviceSimulator::Duration replyDelay = 0ms)
    {
        pty = std::make_unique<PtyDevice>();
        lx200 = std::make_unique<ColonCommandMount>(
            std::make_unique<LX200Personality>(Kind::Autostar, LX200Personality::Options{}));
        lx200->setSlewTime(30s);
        lx200->attach(pty->simulator());
        pty->simulator().setReplyDelay(replyDelay);
        pty->start();
        serial->setExtraPorts({pty->path()});
        serial->getPortNames();
        prefs->scopes()[0].mountProtocol = kProtocolLX200;
        return *lx200;
    }

    bool connected()
    {
        return connectSlot0() && QTest::qWaitFor([this] { return scope->hasScopePort(); }, 2000);
    }

    // The frames the simulator took after the first `skip`, from the first
    // that starts with `from`.
    QByteArrayList framesFrom(const QByteArray& from, qsizetype skip = 0)
    {
        QByteArrayList frames;
        const std::vector<QByteArray> all = lx200->frames();
        for (auto frame = all.begin() + std::min(skip, qsizetype(all.size())); frame != all.end(); ++frame) {
            if (!frames.isEmpty() || frame->startsWith(from))
                frames.append(*frame);
        }
        return frames;
    }
    qsizetype framesSoFar() { return qsizetype(lx200->frames().size()); }

    // The transport's own limit on one exchange with the fixture's tick:
    // 40 cycles of a 3-tick wait and a read that waits up to 0.1 s.
    static constexpr auto kExchangeLimit = 40 * (3ms + 100ms);

    std::unique_ptr<PtyDevice> pty;
    std::unique_ptr<ColonCommandMount> lx200;
    MainThreadWatchdog watchdog;
};

// A device that never stops sending, or trickles a byte at a time: the
// connect ends in the transport's time with the failure told; a poll ends
// likewise; a disconnect while a poll reads returns at once. The main
// thread never waits.
TEST_F(MountSafetyTest, AStreamingDeviceNeitherHangsNorHoldsTheMainThread)
{
    for (const auto every : {5ms, 500ms}) {
        SCOPED_TRACE(every.count());
        alerts.alerts.clear();
        PtyDevice babbler;
        babbler.simulator().dropAnswers();
        babbler.simulator().babble("U", every);
        babbler.start();
        serial->setExtraPorts({babbler.path()});
        serial->getPortNames();
        prefs->scopes()[0].mountProtocol = kProtocolLX200;
        watchdog.start();
        ASSERT_TRUE(scope->scopeConnect(0));
        ASSERT_TRUE(QTest::qWaitFor([this] { return !scope->isConnecting(); }, 60000));
        EXPECT_LT(watchdog.longestStall(), kNoStall);
        EXPECT_FALSE(scope->isConnected());
        ASSERT_EQ(alerts.alerts.size(), 1u);
        EXPECT_EQ(alerts.alerts[0].title, "Could not connect to telescope:");

        // A mount that answers through the noise, and then one that is
        // disconnected while a poll reads.
        simulate();
        ASSERT_TRUE(connected());
        scope->setTimerRate(1.0f);
        pty->simulator().babble("U", every);
        watchdog.start();
        for (int poll = 0; poll < 2 && scope->isConnected(); ++poll) {
            scope->runScopeTimer();
            ASSERT_TRUE(QTest::qWaitFor([this] { return !scope->isPolling(); }, 4 * kExchangeLimit.count()));
        }
        if (!scope->isConnected()) {
            ASSERT_TRUE(connected());
        }
        const qsizetype before = framesSoFar();
        scope->runScopeTimer();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !framesFrom(":GR#", before).isEmpty(); }, 5000));
        QElapsedTimer disconnecting;
        disconnecting.start();
        scope->disconnect();
        EXPECT_LT(std::chrono::milliseconds(disconnecting.elapsed()), kNoStall);
        EXPECT_LT(watchdog.longestStall(), kNoStall);
        EXPECT_TRUE(QTest::qWaitFor([this] { return serial->serialRefNum(kSerialSlotScope) == -1; },
                                    kExchangeLimit.count()));
        pty->simulator().babble({}, every);
    }
}

// Destroying the controller while it connects to a device that never stops
// sending ends the handshake at its next read.
TEST_F(MountSafetyTest, DestroyingTheControllerMidConnectEndsWithinOneExchange)
{
    simulate();
    pty->simulator().babble("U", 5ms);
    ASSERT_TRUE(scope->scopeConnect(0));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !pty->simulator().received().isEmpty(); }, 5000));
    QElapsedTimer destroying;
    destroying.start();
    scope.reset();
    EXPECT_LT(destroying.elapsed(), std::chrono::milliseconds(kExchangeLimit).count());
}

// On a link whose every reply takes 300 ms, a stop asked for while a
// poll's first exchange is out goes next, ahead of the poll's second.
TEST_F(MountSafetyTest, AStopGoesOutBetweenTheExchangesOfAPoll)
{
    simulate(300ms);
    ASSERT_TRUE(connected());
    scope->setTimerRate(1.0f);
    const qsizetype before = framesSoFar();
    scope->runScopeTimer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !framesFrom(":GR#", before).isEmpty(); }, 5000));
    scope->lx200Command(kStopAll);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !scope->isPolling(); }, 10000));
    settle();
    const QByteArrayList sent = framesFrom(":GR#", before);
    ASSERT_GE(sent.size(), 3) << sent.join(' ').toStdString();
    EXPECT_EQ(sent[0], ":GR#");
    EXPECT_EQ(sent[1], ":Q#");
    EXPECT_EQ(sent[2], ":GD#") << sent.join(' ').toStdString();
    EXPECT_TRUE(scope->isConnected());
    EXPECT_TRUE(alerts.alerts.empty());
}

// A goto interrupted by a stop sends none of its remaining commands.
TEST_F(MountSafetyTest, AStopDropsTheRestOfAGoto)
{
    simulate(300ms);
    ASSERT_TRUE(connected());
    scope->setTimerRate(0.0f);
    const qsizetype before = framesSoFar();
    // The first command's reply waits until the stop is given, so the rest of
    // the goto is surely still to come when it is.
    pty->simulator().holdReplyTo(":Sr");
    scope->gotoRA(1.0, 0.2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !framesFrom(":Sr", before).isEmpty(); }, 5000));
    scope->lx200Command(kStopAll);
    pty->simulator().releaseReply();
    // The simulator reads what the worker wrote on a thread of its own, later.
    ASSERT_TRUE(QTest::qWaitFor([&] { return framesFrom(":Sr", before).size() >= 2; }, 5000));
    settle();
    const QByteArrayList sent = framesFrom(":Sr", before);
    ASSERT_EQ(sent.size(), 2) << sent.join(' ').toStdString();
    EXPECT_EQ(sent[1], ":Q#");
    EXPECT_FALSE(lx200->isSlewing());
}
