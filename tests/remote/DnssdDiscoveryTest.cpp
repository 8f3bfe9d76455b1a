#include "remote/ConnectionManager.h"
#include "remote/DnssdDiscovery.h"
#include "remote/SleepWatch.h"

#include "support/TestCompanion.h"

#include <gtest/gtest.h>

#include <QDBusConnection>

// The system's own discovery where no mDNS daemon can answer, as in CI: with
// a system bus a daemon may run, and publishing would reach the network.
TEST(DnssdDiscovery, WithoutADaemonNothingIsPublishedAndTheServerStillServes)
{
    if (QDBusConnection::systemBus().isConnected())
        GTEST_SKIP() << "a system bus is present: an mDNS daemon could publish on the network";
    DnssdDiscovery discovery;
    EXPECT_FALSE(discovery.publish(ConnectionManager::kPublishedType, ConnectionManager::kServiceName, 5000));
    EXPECT_FALSE(discovery.browse(ConnectionManager::kBrowsedType, [](const CompanionDiscovery::Service&) {}));

    ConnectionManager manager(discovery);
    ASSERT_TRUE(manager.serverSide().isListening());
    int commands = 0;
    QObject::connect(&manager, &ConnectionManager::connectionManagerHasReceivedCommand, [&] { ++commands; });
    TestCompanion companion;
    ASSERT_TRUE(companion.connectTo(manager.serverSide().port()));
    ASSERT_TRUE(companion.sendCommand("connectToDevice", {{"deviceName", "Pocket"}}));
    ASSERT_TRUE(companion.sendCommand("requestStatus"));
    EXPECT_EQ(commands, 1);
    EXPECT_FALSE(manager.hasOutgoingLink());
}

TEST(SleepWatch, WithoutASystemBusItStaysSilent)
{
    if (QDBusConnection::systemBus().isConnected())
        GTEST_SKIP() << "a system bus is present";
    SleepWatch watch;
    EXPECT_FALSE(watch.isWatching());
}
