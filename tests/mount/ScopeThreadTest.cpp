#include "MountFixture.h"

#include "mount/PanelCommand.h"
#include "mount/ScopeThread.h"
#include "mount/dome/ScopeDomeMount.h"
#include "mount/links/DomeJobs.h"
#include "mount/links/SG4Jobs.h"

#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <thread>
#include <vector>

using ScopeThreadTest = MountFixture;

TEST_F(ScopeThreadTest, AGotoWhileSlewingIsDroppedWithoutAnswer)
{
    connectScope();
    const int moves = view.moves;
    scope->setIsSlewing(true);
    scope->gotoRA(1.0, 0.2);
    settle();
    EXPECT_EQ(family->count("goto"), 0);
    EXPECT_EQ(view.moves, moves);

    scope->setIsSlewing(false);
    scope->gotoRA(1.0, 0.2);
    settle();
    EXPECT_EQ(family->count("goto"), 1);
    EXPECT_EQ(view.moves, moves + 1);
}

// A command that comes while a poll runs follows it on the worker at once:
// it was refused and resent, up to seven times, while the poll's answer
// waited for the main thread.
TEST_F(ScopeThreadTest, ACommandDuringAPollRunsRightAfterIt)
{
    connectScope();
    family->holdPolls(true);
    scope->setTimerRate(1.0f);
    scope->runScopeTimer();
    ASSERT_TRUE(scope->isPolling());
    // The worker is inside the poll (the first was the connection's own read).
    ASSERT_TRUE(waitForWorker([this] { return family->count("poll") == 2; }));
    scope->lx200Command(30);
    family->holdPolls(false);
    ASSERT_TRUE(waitForWorker([this] { return family->count("run 30") == 1; }));
    settle();
    EXPECT_EQ(family->operations(), (std::vector<QString>{"poll", "poll", "run 30"}));
    EXPECT_FALSE(scope->isPolling());
    EXPECT_FALSE(scope->isSerialCmd());
}

// A stop goes ahead of the polls waiting, but never ahead of the slew it ends.
TEST_F(ScopeThreadTest, AStopPassesWaitingPollsButNotTheSlewBeforeIt)
{
    connectScope();
    family->holdPolls(true);
    scope->status().isPolling = true;
    scope->scopeThread().post({kScopeMsgPoll, {}, {}, {}});
    ASSERT_TRUE(waitForWorker([this] { return family->count("poll") == 2; }));
    scope->slewLX200(1);
    scope->scopeThread().post({kScopeMsgPoll, {}, {}, {}});
    scope->scopeThread().post({kScopeMsgPoll, {}, {}, {}});
    scope->slewStopLX200(1);
    family->holdPolls(false);
    settle();
    EXPECT_EQ(family->operations(),
              (std::vector<QString>{"poll", "poll", "run 1", "run 1 stop", "poll", "poll"}));
}

TEST_F(ScopeThreadTest, ACommandWithoutAPositionUpdateStillEndsAndPollsGoOn)
{
    // Parking and a Temma sync bring no position back.
    const struct {
        int protocol;
        int code;
    } quiet[] = {{kProtocolLX200, 31}, {kProtocolTemma, 20}};
    for (const auto& c : quiet) {
        SCOPED_TRACE(c.code);
        if (scope->isConnected())
            scope->disconnect();
        connectScope(c.protocol);
        scope->status().isTemmaSync = true;
        const int moves = view.moves;
        if (c.protocol == kProtocolTemma)
            scope->temmaCommand(c.code);
        else
            scope->lx200Command(c.code);
        settle();
        EXPECT_EQ(family->count(QString("run %1").arg(c.code)), 1);
        EXPECT_EQ(view.moves, moves);
        EXPECT_FALSE(scope->isSerialCmd());

        const int polls = family->count("poll");
        scope->setTimerRate(1.0f);
        scope->runScopeTimer();
        settle();
        EXPECT_GT(family->count("poll"), polls);
    }

    scope->lx200Command(32);
    settle();
    EXPECT_FALSE(scope->isSerialCmd());
}

TEST_F(ScopeThreadTest, SlewDetectionAsksEveryMountButTheIEQ45AndNeverAnswers)
{
    for (const int protocol : {kProtocolLX200, kProtocolIEQ45}) {
        SCOPED_TRACE(protocol);
        if (scope->isConnected())
            scope->disconnect();
        connectScope(protocol);
        const int moves = view.moves;
        scope->genericSlewDetect();
        settle();
        EXPECT_EQ(family->count("detect"), protocol == kProtocolIEQ45 ? 0 : 1);
        EXPECT_EQ(view.moves, moves);
    }
}

TEST_F(ScopeThreadTest, SmallMovesOnlyMoveTheViewLargerOnesAlsoRedrawTheChart)
{
    connectScope();
    constexpr double kDegree = 0.017453292519943295;
    struct Case {
        double ra;
        int redraws;
    };
    const double ra = family->ra;
    for (const Case& c : {Case{ra + 0.02 * kDegree, 0}, Case{ra + 0.06 * kDegree, 1}}) {
        family->ra = c.ra;
        const int redraws = sky.redraws;
        scope->status().isPolling = true;
        scope->scopeThread().post({kScopeMsgPoll, {}, {}, {}});
        settle();
        EXPECT_DOUBLE_EQ(view.lastRA, c.ra);
        EXPECT_EQ(sky.redraws - redraws, c.redraws);
    }
}

TEST_F(ScopeThreadTest, AMiniaturisedViewIsNotRaisedButStillMoves)
{
    connectScope();
    view.visible = false;
    view.miniaturized = true;
    const int raised = view.raised;
    const int moves = view.moves;
    scope->gotoRA(1.0, 0.2);
    settle();
    EXPECT_EQ(view.raised, raised);
    EXPECT_EQ(view.moves, moves + 1);

    view.miniaturized = false;
    scope->gotoRA(1.0, 0.2);
    settle();
    EXPECT_EQ(view.raised, raised + 1);
}

namespace {

struct RecordingSG4 final : SG4Jobs {
    void sg4ImageDownload() override { downloadThread = QThread::currentThread(); }
    void allSkyRecordMovie() override { movieThread = QThread::currentThread(); }
    std::atomic<QThread*> downloadThread = nullptr;
    std::atomic<QThread*> movieThread = nullptr;
};

}  // namespace

// The image transfer blocks on the serial line, so it runs on the SG-4
// port's worker, not the mount's; the movie frame touches windows, so it
// comes back to the main thread.
TEST_F(ScopeThreadTest, SG4JobsRunOnTheirOwnThreads)
{
    RecordingSG4 sg4;
    scope->setSG4(&sg4);
    connectScope();
    scope->portWorkers().post(kSerialSlotSG4, kSG4MsgImageDownload);
    scope->portWorkers().post(kSerialSlotSG4, kSG4MsgAllSkyMovie);
    EXPECT_TRUE(QTest::qWaitFor([&] { return sg4.movieThread.load() != nullptr; }, 20000));
    EXPECT_EQ(sg4.downloadThread.load(), scope->portWorkers().worker(kSerialSlotSG4));
    EXPECT_EQ(sg4.movieThread.load(), QThread::currentThread());
    scope->portWorkers().worker(kSerialSlotSG4)->killRemotePort();
    scope->setSG4(nullptr);
}

// A quit empties the queue while the worker may be taking a job from it:
// the job taken must be whole (each one reads its own heap copy, so ASan
// sees a job read after the quit freed it).
TEST(ScopeThreadQuit, AQuitWhileAJobIsTakenNeverFreesIt)
{
    ScopeStatus status;
    for (int round = 0; round < 200; ++round) {
        ScopeThread thread(status, DebugWriter());
        thread.launchThread();
        for (int k = 0; k < 20; ++k) {
            thread.postJob([copy = std::make_shared<std::vector<int>>(64, k)] {
                EXPECT_EQ(copy->back(), copy->front());
            });
        }
        thread.killRemotePort();
    }
}

// Each device's port has a worker of its own: while the mount's worker is
// held in a long exchange, a dome's and a focuser's work still runs at
// once, each on its own thread, and a job the dome board posts reaches it.
TEST_F(ScopeThreadTest, OtherDevicesWorkNeverWaitsForTheMountsWorker)
{
    constexpr int kMostMs = 60000;
    scope->launchThread();
    ASSERT_TRUE(QTest::qWaitFor([this] { return scope->hasScopePort(); }, kMostMs));
    std::promise<void> endExchange;
    std::shared_future<void> exchangeEnds = endExchange.get_future().share();
    std::atomic<bool> inExchange = false;
    scope->scopeThread().postJob([&inExchange, exchangeEnds] {
        inExchange = true;
        exchangeEnds.wait();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return inExchange.load(); }, kMostMs));

    struct Board : DomeBoardJobs {
        std::atomic<int> homes = 0;
        void domeTrackTimer() override {}
        void domeCalibrateTimer() override {}
        void domeHomeTimer() override { ++homes; }
        void domeRelayWestOnTimer() override {}
        void domeRelayEastOnTimer() override {}
    } board;
    scope->portWorkers().worker(kSerialSlotDome)->setDomeBoard(&board);
    std::atomic<QThread*> domeThread = nullptr;
    std::atomic<QThread*> focuserThread = nullptr;
    ScopeDomeMount dome(*scope, *prefs, kSerialSlotDome);
    dome.postWork([&domeThread] { domeThread = QThread::currentThread(); });
    EXPECT_TRUE(dome.postJob(kDomeMsgHome));
    scope->portWorkers().postWork(kSerialSlotFocuser,
                                  [&focuserThread] { focuserThread = QThread::currentThread(); });
    const bool ranBeside = QTest::qWaitFor(
        [&] { return domeThread && focuserThread && board.homes == 1; }, kMostMs);
    endExchange.set_value();
    EXPECT_TRUE(ranBeside);
    EXPECT_NE(domeThread.load(), focuserThread.load());
    EXPECT_NE(domeThread.load(), static_cast<QThread*>(&scope->scopeThread()));
    scope->portWorkers().worker(kSerialSlotDome)->killRemotePort();
    scope->portWorkers().worker(kSerialSlotDome)->setDomeBoard(nullptr);
}

// The panels' codes: which ones leave the position alone, and the site
// command that reads the site instead while Option is held.
TEST(PanelCommand, PositionUpdatesAndTheOptionKey)
{
    struct Case {
        int message;
        int code;
        bool option;
        MountOperation operation;
        bool positionAfter;
    };
    const Case cases[] = {
        {kScopeMsgLX200Command, 31, false, MountOperation::Command, false},
        {kScopeMsgLX200Command, 34, true, MountOperation::GetSite, true},
        {kScopeMsgTemmaCommand, 21, false, MountOperation::Sync, false},
        {kScopeMsgNexStarCommand, 12, false, MountOperation::None, false},
        {kScopeMsgGeminiCommand, 40, false, MountOperation::SetBaudRate, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.message << "/" << c.code);
        const PanelCommand command = panelCommand(c.message, c.code, c.option);
        EXPECT_EQ(command.operation, c.operation);
        EXPECT_EQ(command.positionAfter, c.positionAfter);
    }
}

TEST(ScopeMessage, PayloadsOfTheWrongSizeAreRefused)
{
    const ScopeMessage target = ScopeMessage::gotoMessage(1.5, -0.25);
    ASSERT_EQ(target.payload.size(), 24);
    EXPECT_EQ(target.gotoTarget()->dec, -0.25);
    EXPECT_FALSE(ScopeMessage::command(kScopeMsgLX200Command, 7).gotoTarget());
    EXPECT_FALSE((ScopeMessage{kScopeMsgLX200Command, QByteArray(3, '\0'), {}, {}}.code()));
}
