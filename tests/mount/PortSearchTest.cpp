#include "SerialFixture.h"

#include "mount/PortWorkers.h"
#include "mount/SerialSlots.h"
#include "mount/SlotExchange.h"

#include <QCoreApplication>

#include <atomic>
#include <vector>

using PortSearchTest = SerialFixture;

// A device's search runs on its port's worker while the main thread lists
// the ports again and again (the Connect menu opened, another device's
// search begun): the search reads no entry a listing frees, finds its
// device, and the port it opened keeps its place in every listing after.
TEST_F(PortSearchTest, ASearchOnAWorkerWhileThePortsAreListedAgainFindsItsDevice)
{
    std::vector<std::unique_ptr<PtyDevice>> devices;
    QStringList paths;
    for (int i = 0; i < 4; ++i) {
        devices.push_back(std::make_unique<PtyDevice>());
        if (i == 3)
            devices.back()->simulator().answer("?", "!");
        devices.back()->start();
        paths.append(devices.back()->path());
    }
    serial.setExtraPorts(paths);
    serial.getPortNames();
    PortWorkers workers({}, {});
    std::atomic<quint16> found = 0;
    std::atomic<bool> ended = false;
    workers.postWork(kSerialSlotFocuser, [this, &found, &ended] {
        const SlotExchange line(serial, kSerialSlotFocuser, 9600, {}, {});
        found = line.firstAnswering(4, [&line] { return line.send("?", 1).value_or("") == "!"; });
        ended = true;
    });

    // Every listing frees the entries the last one made.
    int listings = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!ended && std::chrono::steady_clock::now() < deadline) {
        serial.relistPorts(0);
        ++listings;
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(ended);
    EXPECT_GT(listings, 1);
    EXPECT_EQ(found, 4);
    EXPECT_EQ(devices[3]->simulator().received(), "?");

    // The open port keeps its place when one that sorts first comes.
    PtyDevice plugged;
    serial.setExtraPorts(QStringList{plugged.path()} + paths);
    serial.getPortNames();
    EXPECT_EQ(serial.portNames().value(3), paths[3].mid(5));
    EXPECT_EQ(serial.portNames().value(0), plugged.path().mid(5));
    serial.closeSerialDriver(kSerialSlotFocuser);
}
