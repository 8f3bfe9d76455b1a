#include "remote/ConnectionManager.h"

#include "support/FakeDiscovery.h"
#include "support/TestCompanion.h"

#include <gtest/gtest.h>

#include <QTest>

#include <QSignalSpy>

#include <plist/plist.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr int kStallMs = 400;

class CompanionLinks : public ::testing::Test {
protected:
    void SetUp() override
    {
        manager = std::make_unique<ConnectionManager>(discovery, kStallMs);
        QObject::connect(manager.get(), &ConnectionManager::connectionManagerHasReceivedCommand,
                         [this](const QVariantMap& message) { commands.push_back(message); });
    }
    quint16 port() { return manager->serverSide().port(); }
    // Connects `companion` both ways, as the handshake does.
    void handshake(TestCompanion& companion, const QString& name = QStringLiteral("Pocket"))
    {
        discovery.services = {{name, QStringLiteral("127.0.0.1"), companion.backPort()}};
        ASSERT_TRUE(companion.connectTo(port()));
        ASSERT_TRUE(companion.sendCommand("connectToDevice", {{"deviceName", name}}));
        ASSERT_TRUE(companion.waitForBackLink());
        ASSERT_TRUE(QTest::qWaitFor([this] { return manager->clientSide() && manager->clientSide()->isConnected(); },
                                    TestCompanion::kWaitMs));
    }

    FakeDiscovery discovery;
    std::unique_ptr<ConnectionManager> manager;
    std::vector<QVariantMap> commands;
};

}  // namespace

TEST_F(CompanionLinks, PublishesItselfAndAnswersTheHandshake)
{
    ASSERT_TRUE(discovery.published);
    EXPECT_EQ(discovery.published->name, "Norvane 6|_lumarikMac._tcp.");
    EXPECT_EQ(discovery.published->port, port());

    TestCompanion companion;
    ASSERT_TRUE(companion.connectTo(port()));
    // No back link yet: nothing to answer over.
    ASSERT_TRUE(companion.sendCommand("identificationRequest"));
    QSignalSpy connected(manager.get(), &ConnectionManager::connectionManagerHasConnected);
    discovery.services = {{"Other phone", "127.0.0.1", 1}, {"Pocket", "127.0.0.1", companion.backPort()}};
    ASSERT_TRUE(companion.sendCommand("connectToDevice", {{"deviceName", "Pocket"}}));
    EXPECT_EQ(discovery.browsedType, "_lumarikIPhone._tcp.");
    ASSERT_TRUE(connected.count() > 0 || connected.wait(TestCompanion::kWaitMs));
    EXPECT_EQ(manager->deviceName(), "Pocket");
    EXPECT_FALSE(discovery.isBrowsing());

    ASSERT_TRUE(companion.sendCommand("connectToDevice", {{"deviceName", "Pocket"}}));
    EXPECT_EQ(discovery.searches, 1) << "a second connectToDevice is ignored";
    ASSERT_TRUE(companion.sendCommand("identificationRequest"));
    const std::optional<QVariantMap> answer = companion.nextMessage();
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, (QVariantMap{{"command", "identification"},
                                    {"applicationName", "Norvane 6"},
                                    {"capabilities", qint64(20)}}));
    EXPECT_TRUE(commands.empty()) << "the handshake is the manager's own";
}

TEST_F(CompanionLinks, WithoutADaemonItStillListensAndServes)
{
    FakeDiscovery noDaemon;
    noDaemon.daemonRuns = false;
    ConnectionManager alone(noDaemon, kStallMs);
    EXPECT_TRUE(alone.serverSide().isListening());
    EXPECT_FALSE(noDaemon.published);
    std::vector<QVariantMap> received;
    QObject::connect(&alone, &ConnectionManager::connectionManagerHasReceivedCommand,
                     [&](const QVariantMap& m) { received.push_back(m); });
    TestCompanion companion;
    ASSERT_TRUE(companion.connectTo(alone.serverSide().port()));
    ASSERT_TRUE(companion.sendCommand("requestStatus"));
    ASSERT_EQ(received.size(), 1u);
    // The search cannot start either: no back link, no crash.
    ASSERT_TRUE(companion.sendCommand("connectToDevice", {{"deviceName", "Pocket"}}));
    EXPECT_FALSE(alone.hasOutgoingLink());
}

TEST_F(CompanionLinks, TakesLengthAndBodyInOneWriteAndBinaryLists)
{
    TestCompanion companion;
    ASSERT_TRUE(companion.connectTo(port()));
    const QByteArray body = PropertyList::toXml({{"command", "requestCoordinates"}});
    companion.writeRaw(TestCompanion::lengthWord(quint32(body.size())) + body);
    EXPECT_EQ(companion.nextAcknowledgement(), 0x11);
    EXPECT_EQ(companion.nextAcknowledgement(), 0x22);

    plist_t root = nullptr;
    plist_from_xml(body.constData(), uint32_t(body.size()), &root);
    char* bin = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &bin, &length);
    const QByteArray binary(bin, qsizetype(length));
    std::free(bin);
    plist_free(root);
    ASSERT_TRUE(companion.send(binary));
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].value("command").toString(), "requestCoordinates");
}

TEST_F(CompanionLinks, AHugeLengthClosesTheLinkAndTheNextCompanionIsServed)
{
    QSignalSpy disconnected(manager.get(), &ConnectionManager::connectionManagerHasDisconnected);
    TestCompanion greedy;
    ASSERT_TRUE(greedy.connectTo(port()));
    greedy.writeRaw(TestCompanion::lengthWord(0xFFFFFFFF));
    ASSERT_TRUE(greedy.waitForClose());
    EXPECT_GE(disconnected.count(), 1);

    TestCompanion next;
    ASSERT_TRUE(next.connectTo(port()));
    EXPECT_TRUE(next.sendCommand("requestStatus"));
}

TEST_F(CompanionLinks, ASilentCompanionDoesNotLockOutTheNext)
{
    TestCompanion silent;
    ASSERT_TRUE(silent.connectTo(port()));
    ASSERT_TRUE(QTest::qWaitFor([this] { return manager->serverSide().isServing(); }, TestCompanion::kWaitMs));
    TestCompanion next;
    ASSERT_TRUE(next.connectTo(port()));
    ASSERT_TRUE(next.sendCommand("requestStatus"));
    EXPECT_EQ(commands.size(), 1u);
    EXPECT_TRUE(silent.waitForClose());
}

TEST_F(CompanionLinks, AStalledLinkIsClosed)
{
    TestCompanion silent;
    ASSERT_TRUE(silent.connectTo(port()));
    EXPECT_TRUE(silent.waitForClose()) << "no message within the limit";

    TestCompanion halfway;
    ASSERT_TRUE(halfway.connectTo(port()));
    ASSERT_TRUE(halfway.sendCommand("requestStatus"));
    halfway.writeRaw(TestCompanion::lengthWord(100));
    EXPECT_EQ(halfway.nextAcknowledgement(), 0x11);
    halfway.writeRaw("<?xml");
    EXPECT_TRUE(halfway.waitForClose()) << "stalled inside a message";
    EXPECT_EQ(manager->serverSide().serverState(), IncomingFrames::IDLE);
}

TEST_F(CompanionLinks, AnIdleCompanionAfterAMessageStaysConnected)
{
    TestCompanion companion;
    ASSERT_TRUE(companion.connectTo(port()));
    ASSERT_TRUE(companion.sendCommand("requestStatus"));
    // Idle past the stall limit is the check: the span is waited out.
    QTest::qWait(2 * kStallMs);
    EXPECT_EQ(companion.link.state(), QAbstractSocket::ConnectedState);
}

TEST_F(CompanionLinks, ADisconnectMidMessageLeavesTheReceiverIdle)
{
    QSignalSpy disconnected(manager.get(), &ConnectionManager::connectionManagerHasDisconnected);
    TestCompanion companion;
    handshake(companion);
    companion.writeRaw(TestCompanion::lengthWord(50));
    EXPECT_EQ(companion.nextAcknowledgement(), 0x11);
    companion.link.disconnectFromHost();
    ASSERT_TRUE(disconnected.wait(TestCompanion::kWaitMs));
    EXPECT_EQ(manager->serverSide().serverState(), IncomingFrames::IDLE);
    EXPECT_FALSE(manager->hasOutgoingLink()) << "the back link goes with the incoming one";
}

TEST_F(CompanionLinks, ThreeMessagesInFlightSendOnlyTheThirdAfterTheFirst)
{
    TestCompanion companion;
    handshake(companion);
    companion.autoAcknowledge = false;
    manager->sendCommand({{"command", "first"}});
    manager->sendCommand({{"command", "second"}});
    manager->sendCommand({{"command", "third"}});
    ASSERT_TRUE(QTest::qWaitFor([&] { return companion.lengths.size() == 1; }, TestCompanion::kWaitMs));
    companion.acknowledge(0x11);
    ASSERT_TRUE(companion.nextMessage());
    companion.acknowledge(0x22);
    ASSERT_TRUE(QTest::qWaitFor([&] { return companion.lengths.size() == 2; }, TestCompanion::kWaitMs));
    companion.acknowledge(0x11);
    const std::optional<QVariantMap> next = companion.nextMessage();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->value("command").toString(), "third");
    companion.acknowledge(0x22);
    // Nothing may follow: waiting a moment out is the check.
    QTest::qWait(100);
    EXPECT_EQ(companion.lengths.size(), 2u) << "nothing sent twice";
    EXPECT_EQ(manager->clientSide()->clientState(), ClientSide::IDLE);
}

TEST_F(CompanionLinks, AStrayAcknowledgementWhileIdleChangesNothing)
{
    TestCompanion companion;
    handshake(companion);
    companion.acknowledge(0x22);
    companion.acknowledge(0x11);
    // Nothing may follow: waiting a moment out is the check.
    QTest::qWait(100);
    EXPECT_EQ(manager->clientSide()->clientState(), ClientSide::IDLE);
    EXPECT_TRUE(companion.lengths.empty()) << "no body without a length";
    manager->sendCommand({{"command", "statusAnswer"}});
    const std::optional<QVariantMap> answer = companion.nextMessage();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->value("command").toString(), "statusAnswer");
}

TEST_F(CompanionLinks, ACommandThatIsNoTextIsDropped)
{
    TestCompanion companion;
    ASSERT_TRUE(companion.connectTo(port()));
    ASSERT_TRUE(companion.send(QVariantMap{{"command", 7}}));
    ASSERT_TRUE(companion.send(QVariantMap{{"deviceName", "Pocket"}}));
    ASSERT_TRUE(companion.send(QByteArray("garbage")));
    EXPECT_TRUE(commands.empty());
    EXPECT_EQ(discovery.searches, 0);
}

TEST_F(CompanionLinks, TheBackLinkEndingAloneLeavesTheIncomingOne)
{
    TestCompanion companion;
    handshake(companion);
    QSignalSpy disconnected(manager.get(), &ConnectionManager::connectionManagerHasDisconnected);
    companion.back->disconnectFromHost();
    ASSERT_TRUE(disconnected.wait(TestCompanion::kWaitMs));
    EXPECT_FALSE(manager->hasOutgoingLink());
    EXPECT_TRUE(manager->serverSide().isServing());
    // A new connectToDevice opens it again.
    companion.back = nullptr;
    ASSERT_TRUE(companion.sendCommand("connectToDevice", {{"deviceName", "Pocket"}}));
    EXPECT_TRUE(companion.waitForBackLink());
}

// A scan, a second phone or anybody on the network: nothing short of a
// complete message that names a command ends the served companion's session.
TEST_F(CompanionLinks, StrangersOnThePortLeaveTheServedCompanionAlone)
{
    TestCompanion companion;
    handshake(companion);
    QSignalSpy disconnected(manager.get(), &ConnectionManager::connectionManagerHasDisconnected);

    TestCompanion silent;
    ASSERT_TRUE(silent.connectTo(port()));
    TestCompanion garbage;
    ASSERT_TRUE(garbage.connectTo(port()));
    EXPECT_FALSE(garbage.send(QByteArray("garbage")));
    EXPECT_TRUE(garbage.waitForClose());
    TestCompanion nameless;
    ASSERT_TRUE(nameless.connectTo(port()));
    EXPECT_FALSE(nameless.send(QVariantMap{{"deviceName", "Pocket"}}));
    EXPECT_TRUE(nameless.waitForClose());
    TestCompanion greedy;
    ASSERT_TRUE(greedy.connectTo(port()));
    greedy.writeRaw(TestCompanion::lengthWord(0xFFFFFFFF));
    EXPECT_TRUE(greedy.waitForClose());
    for (int i = 0; i < 2 * ServerSide::kMaxNewcomers; ++i) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port());
        probe.waitForConnected(TestCompanion::kWaitMs);
        probe.abort();
    }

    ASSERT_TRUE(companion.sendCommand("requestStatus"));
    EXPECT_EQ(commands.size(), 1u);
    manager->sendCommand({{"command", "statusAnswer"}});
    std::optional<QVariantMap> answer = companion.nextMessage();
    ASSERT_TRUE(answer) << "the link back stays";
    EXPECT_TRUE(silent.waitForClose()) << "a silent newcomer goes at the stall limit";
    ASSERT_TRUE(companion.sendCommand("requestCoordinates"));
    EXPECT_EQ(commands.size(), 2u);
    EXPECT_EQ(disconnected.count(), 0);
    EXPECT_EQ(manager->deviceName(), "Pocket");
}

TEST_F(CompanionLinks, ASecondCompanionTakesOverWithItsFirstMessage)
{
    TestCompanion first;
    handshake(first);
    QSignalSpy disconnected(manager.get(), &ConnectionManager::connectionManagerHasDisconnected);
    TestCompanion second;
    ASSERT_TRUE(second.connectTo(port()));
    // Nothing may change while it only connects: waiting a moment out is the check.
    QTest::qWait(kStallMs / 4);
    EXPECT_EQ(first.link.state(), QAbstractSocket::ConnectedState) << "connecting alone takes nothing over";

    discovery.services = {{"Second", "127.0.0.1", second.backPort()}};
    ASSERT_TRUE(second.sendCommand("connectToDevice", {{"deviceName", "Second"}}));
    EXPECT_TRUE(first.waitForClose());
    EXPECT_GE(disconnected.count(), 1);
    ASSERT_TRUE(second.waitForBackLink());
    ASSERT_TRUE(QTest::qWaitFor([this] { return manager->clientSide() && manager->clientSide()->isConnected(); },
                                TestCompanion::kWaitMs));
    EXPECT_EQ(manager->deviceName(), "Second");
    ASSERT_TRUE(second.sendCommand("identificationRequest"));
    EXPECT_TRUE(second.nextMessage());
}
