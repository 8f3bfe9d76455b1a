#include "ProbeFocuser.h"

#include "mount/MountFixture.h"
#include "support/MainThreadWatchdog.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class FocuserControlTest : public MountFixture {
protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        worker = std::make_unique<ScopeTestWorker>(*scope);
        control = std::make_unique<ProbeFocuserControl>(*serial, *worker);
    }
    void TearDown() override
    {
        control.reset();
        worker.reset();
        MountFixture::TearDown();
    }
    // Focuser ports listed in order; those in `answering` reply to the probe.
    void listPorts(int count, std::vector<int> answering)
    {
        QStringList paths;
        for (int i = 0; i < count; ++i) {
            auto pty = std::make_unique<PtyDevice>();
            if (std::find(answering.begin(), answering.end(), i) != answering.end())
                pty->simulator().answer(ProbeFocuserControl::kProbe, "PONG#");
            pty->start();
            paths.append(pty->path());
            ports.push_back(std::move(pty));
        }
        serial->setExtraPorts(paths);
        serial->getPortNames();
    }
    QByteArray received(int port) const { return ports[size_t(port)]->simulator().received(); }
    // Starts the search and waits for its end; what it ended with.
    std::optional<bool> search()
    {
        std::optional<bool> found;
        if (!control->initPort([&found](bool ok) { found = ok; }))
            return std::nullopt;
        control->settle();
        return found;
    }

    std::vector<std::unique_ptr<PtyDevice>> ports;
    std::unique_ptr<ScopeTestWorker> worker;
    std::unique_ptr<ProbeFocuserControl> control;
};

TEST_F(FocuserControlTest, PortChoiceZeroTriesEveryPortInOrder)
{
    listPorts(3, {1, 2});
    EXPECT_EQ(search(), true);
    EXPECT_TRUE(control->isConnected());
    EXPECT_EQ(control->port(), 2);
    EXPECT_EQ(received(0), "PING#");
    EXPECT_EQ(received(1), "PING#");
    EXPECT_EQ(received(2), "");
    EXPECT_NE(serial->serialRefNum(kSerialSlotFocuser), -1);

    // Connected: no new search.
    EXPECT_TRUE(control->initPort({}));
    EXPECT_FALSE(control->isConnecting());
    EXPECT_EQ(received(2), "");

    control->disconnectDevice();
    EXPECT_FALSE(control->isConnected());
    EXPECT_EQ(control->port(), 0);
    EXPECT_EQ(serial->serialRefNum(kSerialSlotFocuser), -1);
}

TEST_F(FocuserControlTest, AChosenPortIsTheOnlyOneOpened)
{
    listPorts(3, {0, 2});
    scope->setSelectPort(3);
    EXPECT_EQ(search(), true);
    EXPECT_EQ(control->port(), 3);
    EXPECT_EQ(received(0), "");
    EXPECT_EQ(received(1), "");

    control->disconnectDevice();
    scope->setSelectPort(2);
    EXPECT_EQ(search(), false);
    EXPECT_EQ(received(0), "");
    EXPECT_EQ(serial->serialRefNum(kSerialSlotFocuser), -1);

    // A port beyond the list opens nothing.
    scope->setSelectPort(quint16(serial->maxPorts() + 1));
    EXPECT_EQ(search(), false);
}

TEST_F(FocuserControlTest, ABusySlotOrNoPortFails)
{
    // Only where the machine lists no port of its own, which no test may open.
    serial->setExtraPorts({});
    serial->getPortNames();
    if (serial->maxPorts() == 0) {
        EXPECT_FALSE(control->initPort({}));
    }

    listPorts(1, {0});
    ASSERT_TRUE(serial->openSerialDriver(0, 9600, false, kSerialSlotFocuser));
    EXPECT_FALSE(control->initPort({}));
    EXPECT_EQ(received(0), "");
    serial->closeSerialDriver(kSerialSlotFocuser);
}

// The search and every exchange run on the mount's worker: a silent port
// costs the transport's whole wait there while the main thread's loop runs
// on, and the search ends failed.
TEST_F(FocuserControlTest, ASilentPortIsSearchedOffTheMainThread)
{
    listPorts(1, {});
    scope->setSelectPort(1);
    MainThreadWatchdog watchdog;
    watchdog.start();
    std::optional<bool> found;
    ASSERT_TRUE(control->initPort([&found](bool ok) { found = ok; }));
    EXPECT_TRUE(control->isConnecting());
    EXPECT_FALSE(control->initPort({})) << "one search at a time";
    ASSERT_TRUE(control->settle());
    watchdog.stop();
    EXPECT_EQ(found, false);
    EXPECT_EQ(received(0), "PING#");
    EXPECT_LT(watchdog.longestStall(), std::chrono::milliseconds(100));
    EXPECT_EQ(serial->serialRefNum(kSerialSlotFocuser), -1);
}

TEST_F(FocuserControlTest, WorkRunsOnTheWorkerAndAnswersOnTheMainThread)
{
    listPorts(1, {0});
    ASSERT_EQ(search(), true);
    MainThreadWatchdog watchdog;
    watchdog.start();
    ports[0]->simulator().setReplyDelay(std::chrono::milliseconds(300));
    const QThread* mainThread = QThread::currentThread();
    std::vector<QByteArray> replies;
    const QThread* ranOn = nullptr;
    for (int i = 0; i < 2; ++i) {
        control->post(
            [&ranOn](const FocuserExchange& line) {
                ranOn = QThread::currentThread();
                return line.send(ProbeFocuserControl::kProbe, 5).value_or("none");
            },
            [&replies, mainThread](const QByteArray& reply) {
                EXPECT_EQ(QThread::currentThread(), mainThread);
                replies.push_back(reply);
            });
    }
    EXPECT_EQ(control->pendingExchanges(), 2);
    ASSERT_TRUE(control->settle());
    watchdog.stop();
    EXPECT_NE(ranOn, mainThread);
    EXPECT_EQ(replies, (std::vector<QByteArray>{"PONG#", "PONG#"}));
    EXPECT_LT(watchdog.longestStall(), std::chrono::milliseconds(100));

    // Results of work posted before a disconnect are dropped.
    bool heard = false;
    control->post([](const FocuserExchange& line) { return line.send("PING#", 5).has_value(); },
                  [&heard](bool) { heard = true; });
    control->disconnectDevice();
    ASSERT_TRUE(control->settle());
    EXPECT_FALSE(heard);
}

// A disconnect while the search runs on the worker wins: the port it found
// is closed again and nobody hears the outcome; a later search connects.
TEST_F(FocuserControlTest, ADisconnectDuringTheSearchLeavesThePortClosed)
{
    listPorts(2, {1});
    ports[0]->simulator().setReplyDelay(std::chrono::milliseconds(200));
    bool heard = false;
    ASSERT_TRUE(control->initPort([&heard](bool) { heard = true; }));
    control->disconnectDevice();
    EXPECT_FALSE(control->isConnecting());
    ASSERT_TRUE(QTest::qWaitFor([this] { return control->pendingExchanges() == 0; }, 10000));
    EXPECT_FALSE(heard);
    EXPECT_FALSE(control->isConnected());
    EXPECT_EQ(serial->serialRefNum(kSerialSlotFocuser), -1);

    EXPECT_EQ(search(), true);
    EXPECT_EQ(control->port(), 2);
}
