#include "SimulatedMountFixture.h"
#include "MountFixture.h"

#include "mount/MountProtocols.h"
#include "mount/families/NexStarFamily.h"
#include "mount/families/TemmaFamily.h"
#include "support/NexStarSimulator.h"
#include "support/TemmaSimulator.h"

// Each family's whole session against a mount whose every reply pauses
// 300 ms after its fourth byte, as real controllers' do.
namespace {

constexpr auto kPause = std::chrono::milliseconds(300);

class MountRoundTripTest : public SimulatedMountFixture {
protected:
    void openPausing(MountSimulator& simulator)
    {
        simulator.faults().splitReplies(4, kPause);
        open(simulator);
    }
    // Polls until the goto has ended; true when the mount stands on the target.
    bool arrives(MountFamily& family, MountSimulator& simulator, double ra, double dec)
    {
        for (int polls = 0; polls < 6 && (status.isSlewing || simulator.isSlewing()); ++polls)
            if (!family.readPosition())
                return false;
        return family.readPosition() && std::abs(status.scopeRA - ra) < 1e-3
            && std::abs(status.scopeDec - dec) < 1e-3;
    }
};

}  // namespace

TEST_F(MountRoundTripTest, NexStarAndSynScan)
{
    for (const int protocol : {kProtocolNexStarGPS, kProtocolSynScan}) {
        NexStarSimulator simulator;
        openPausing(simulator);
        inputs.trackedObject = [] { return FamilyInputs::Target{1.01, 0.31}; };
        NexStarFamily family(protocol, context(), inputs);
        ASSERT_TRUE(family.connect()) << protocol;
        ASSERT_TRUE(family.gotoPosition(1.0, 0.3));
        EXPECT_TRUE(arrives(family, simulator, 1.0, 0.3)) << protocol;
        EXPECT_TRUE(family.run({MountOperation::Sync, 0, 1, false})) << protocol;
        serial.closeSerialDriver(kSerialSlotScope);
    }
}

TEST_F(MountRoundTripTest, Temma)
{
    TemmaSimulator simulator;
    openPausing(simulator);
    inputs.latitude = [] { return 52.5; };
    inputs.localSiderealHours = [] { return 3.25; };
    inputs.selectedObject = [] { return FamilyInputs::Target{0.8, 0.5}; };
    TemmaFamily family(context(), inputs);
    ASSERT_TRUE(family.connect());
    ASSERT_TRUE(family.run({MountOperation::Sync, 20, 0, false}));
    ASSERT_TRUE(family.gotoPosition(1.0, 0.3));
    EXPECT_TRUE(arrives(family, simulator, 1.0, 0.3));
}

using MountDispatchTest = MountFixture;

TEST_F(MountDispatchTest, TheControllerOpensATemmaWithEvenParityAndConnectsItsFamily)
{
    TemmaSimulator simulator;
    simulator.start();
    serial->setExtraPorts({simulator.path()});
    serial->getPortNames();
    scope->setFamilies({});
    prefs->scopes()[0].mountProtocol = kProtocolTemma;
    ASSERT_TRUE(connectSlot0());
    const std::optional<termios> settings = serial->requestedSettings(kSerialSlotScope);
    ASSERT_TRUE(settings);
    EXPECT_TRUE(settings->c_cflag & PARENB);
    EXPECT_EQ(simulator.frames().front(), "v");
    // The guide rate is the Temma panel's, not a default.
    ASSERT_TRUE(QTest::qWaitFor([this] { return scope->hasScopePort(); }, 2000));
    panels.guidePercent = 70;
    scope->temmaCommand(40);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const std::vector<QByteArray> frames = simulator.frames();
        return std::find(frames.begin(), frames.end(), "LB70") != frames.end();
    }, 5000));
    const std::vector<QByteArray> frames = simulator.frames();
    EXPECT_EQ(std::count(frames.begin(), frames.end(), "LA70"), 1);
    scope->disconnect();
}
