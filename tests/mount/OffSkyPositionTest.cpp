#include "SimulatedMountFixture.h"

#include "mount/MountProtocols.h"
#include "mount/families/MountFamilies.h"
#include "support/PtyDevice.h"

#include <utility>

namespace {

using Answers = std::vector<std::pair<QByteArray, QByteArray>>;

}  // namespace

// A mount whose replies fit their fields but not the sphere: each family
// refuses the position as a bad reply, keeps the last one and fails the poll.
class OffSkyPositionTest : public SimulatedMountFixture {
protected:
    MountFamily& make(int protocol, const Answers& answers)
    {
        family.reset();
        serial.closeSerialDriver(kSerialSlotScope);
        device = std::make_unique<PtyDevice>();
        for (const auto& [request, reply] : answers)
            device->simulator().answer(request, reply);
        device->start();
        serial.setExtraPorts({device->path()});
        serial.getPortNames();
        EXPECT_TRUE(serial.openSerialDriver(0, 9600, false, kSerialSlotScope));
        status.scopeRA = 1.0;
        status.scopeDec = 0.25;
        family = makeMountFamily(protocol, context());
        return *family;
    }

    std::unique_ptr<PtyDevice> device;
    std::shared_ptr<MountFamily> family;
};

TEST_F(OffSkyPositionTest, APositionOffTheSphereIsABadReply)
{
    const struct {
        const char* name;
        int protocol;
        Answers answers;
        bool taken;
    } cases[] = {
        {"NexStar GPS, Dec -105.75", kProtocolNexStarGPS, {{"E", "03A6,B4CD#"}}, false},
        {"Ultima, Dec -105.75", kProtocolUltima, {{"E\r", "03A6,B4CD#"}}, false},
        {"NexStar GPS on the sphere", kProtocolNexStarGPS, {{"E", "03A6,34CD#"}}, true},
        // Precessed to the date these would land back on the sphere.
        {"SynScan, Dec -105.75", kProtocolSynScan, {{"E", "03A6,B4CD#"}}, false},
        {"SynScan, Dec +142.2", kProtocolSynScan, {{"E", "E650,6505#"}}, false},
        {"SynScan on the sphere", kProtocolSynScan, {{"E", "03A6,34CD#"}}, true},
        {"iOptron, Dec +90.50", kProtocolIOptron, {{":GR#", "05:00:00.0#"}, {":GD#", "+90*30:15#"}}, false},
        {"iOptron on the sphere", kProtocolIOptron, {{":GR#", "05:00:00.0#"}, {":GD#", "+89*30:15#"}}, true},
        {"iEQ45, RA 24.58 h", kProtocolIEQ45, {{":GR#", "24:34:56#"}, {":GD#", "+10*00:00#"}}, false},
        {"iEQ45 on the sphere", kProtocolIEQ45, {{":GR#", "23:34:56#"}, {":GD#", "+10*00:00#"}}, true},
        {"Sky Commander, RA 24 h", kProtocolSkyCommander, {{"\r", "x24.000 +10.000"}}, false},
        {"Sky Commander, Dec -90.5", kProtocolSkyCommander, {{"\r", "x01.000 -90.500"}}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MountFamily& mount = make(c.protocol, c.answers);
        EXPECT_EQ(mount.readPosition(), c.taken);
        if (!c.taken) {
            EXPECT_EQ(status.scopeRA, 1.0);
            EXPECT_EQ(status.scopeDec, 0.25);
        } else {
            EXPECT_NE(status.scopeRA, 1.0);
        }
    }
}
