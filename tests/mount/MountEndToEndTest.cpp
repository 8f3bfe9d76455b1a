#include "MountFixture.h"

#include "mount/MountProtocols.h"
#include "support/LX200Personality.h"

#include <cmath>
#include <numbers>

namespace {

using namespace std::chrono_literals;
using Kind = LX200Personality::Kind;
constexpr double kHour = std::numbers::pi / 12.0;
constexpr double kDegree = std::numbers::pi / 180.0;

}  // namespace

// Whole sessions against simulated mounts answering as real units do:
// every reply paused 300 ms halfway, the date's second line 5 s late (in
// the transport's test tick).
class MountEndToEndTest : public MountFixture {
protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        // The program's own families.
        scope->setFamilies({});
        scope->setFinderTrack([] { return FinderTrack{0, 1.0, 0.0, {}}; });
    }

    void send(int protocol, int code)
    {
        if (protocol == kProtocolGemini)
            scope->geminiCommand(code);
        else
            scope->lx200Command(code);
    }

    void command(int protocol, int code)
    {
        send(protocol, code);
        settle();
    }
};

TEST_F(MountEndToEndTest, ConnectSetGotoPollSyncPark)
{
    const std::pair<Kind, int> mounts[] = {{Kind::Classic, kProtocolLX200},
                                           {Kind::Autostar, kProtocolLX200},
                                           {Kind::GPS, kProtocolLX200GPS},
                                           {Kind::Gemini, kProtocolGemini}};
    for (const auto& [kind, protocol] : mounts) {
        SCOPED_TRACE(protocol * 10 + int(kind));
        PtyDevice pty;
        ColonCommandMount mount(std::make_unique<LX200Personality>(
            kind, LX200Personality::Options{.dateLineLate = 5000ms * 1000 / 16667}));
        mount.setSlewTime(300ms);
        mount.attach(pty.simulator());
        pty.simulator().splitRepliesInHalf(300ms);
        pty.start();
        serial->setExtraPorts({pty.path()});
        serial->getPortNames();
        prefs->scopes()[0].mountProtocol = quint16(protocol);
        prefs->setLatitude(52.5);
        prefs->setLongitude(13.4);

        ASSERT_TRUE(connectSlot0());
        ASSERT_TRUE(QTest::qWaitFor([this] { return scope->hasScopePort(); }, kWorkerWaitMs));
        scope->setTimerRate(1.0f);
        const int firstMoves = view.moves;
        EXPECT_GE(firstMoves, 1);

        command(protocol, 33);
        command(protocol, 34);
        EXPECT_FALSE(scope->isNoResponse());
        EXPECT_NEAR(mount.sky().latitude, 52.5, 1.0 / 60);

        const double targetRA = 5.5 * kHour;
        scope->gotoRA(targetRA, 20.0 * kDegree);
        settle();
        // A poll asks whether the mount slews before it reads the position:
        // the one that first reads the target may still have seen it move.
        for (int poll = 0; poll < 10 && (std::abs(view.lastRA - targetRA) > 1e-4 || scope->isSlewing());
             ++poll) {
            scope->runScopeTimer();
            settle();
        }
        EXPECT_NEAR(view.lastRA, targetRA, 1e-4);
        EXPECT_FALSE(scope->isSlewing());

        command(protocol, 30);
        EXPECT_FALSE(scope->isNoResponse());
        // Not settled: a park that hangs up empties the worker's queue,
        // a marker behind it with it.
        send(protocol, protocol == kProtocolGemini ? 32 : 31);
        // A write-only park reaches the device, and the hang-up the main
        // thread, a moment after the command returns.
        EXPECT_TRUE(QTest::qWaitFor([&] { return mount.sky().parked; }, kWorkerWaitMs));
        // An LX200 parks and hangs up; a Gemini stays connected.
        const bool staysConnected = protocol == kProtocolGemini;
        EXPECT_TRUE(QTest::qWaitFor([&] { return scope->isConnected() == staysConnected; }, kWorkerWaitMs));
        scope->disconnect();
        EXPECT_FALSE(scope->isNoResponse());
    }
}

// The pulse menu's length and the panel's lock reach the mount: only a
// locked slew with a fixed pulse ends itself with a stop.
TEST_F(MountEndToEndTest, TheSlewPulseAndTheLockReachTheMount)
{
    PtyDevice pty;
    ColonCommandMount mount(std::make_unique<LX200Personality>(Kind::Autostar, LX200Personality::Options{}));
    mount.attach(pty.simulator());
    pty.start();
    serial->setExtraPorts({pty.path()});
    serial->getPortNames();
    prefs->scopes()[0].mountProtocol = kProtocolLX200;
    ASSERT_TRUE(connectSlot0());
    ASSERT_TRUE(QTest::qWaitFor([this] { return scope->hasScopePort(); }, kWorkerWaitMs));
    scope->setTimerRate(0.0f);
    const auto motions = [&] {
        QByteArrayList sent;
        for (const QByteArray& frame : mount.frames()) {
            if (frame.startsWith(":M") || frame.startsWith(":Q"))
                sent.append(frame);
        }
        return sent;
    };
    const struct {
        bool locked;
        int pulse;
        QByteArrayList sent;
    } cases[] = {
        {false, 2, {":Mn#"}},
        {true, 0, {":Mn#"}},
        {true, 2, {":Mn#", ":Q#"}},
        {true, 3, {":Mn#", ":Q#"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pulse + 10 * c.locked);
        panels.locked = c.locked;
        panels.pulse = c.pulse;
        const qsizetype before = motions().size();
        scope->slewLX200(kSlewNorth);
        settle();
        EXPECT_TRUE(QTest::qWaitFor([&] { return motions().size() >= before + c.sent.size(); }, kWorkerWaitMs));
        EXPECT_EQ(motions().mid(before), c.sent);
    }
    scope->disconnect();
}
