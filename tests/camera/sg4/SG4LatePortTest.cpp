#include "SG4Fixture.h"

#include "support/PtyDevice.h"

using SG4LatePort = SG4Fixture;

// A camera plugged in after the mount connected: the search lists the
// ports again and finds it, the mount's port keeping its place unasked.
TEST_F(SG4LatePort, AnAllSkyPluggedInAfterTheMountConnectedIsFound)
{
    PtyDevice mount;
    mount.start();
    serial.setExtraPorts({mount.path()});
    serial.getPortNames();
    ASSERT_TRUE(serial.openSerialDriver(0, 9600, false, kSerialSlotScope));
    serial.setExtraPorts({pty.path(), mount.path()});

    ASSERT_TRUE(connect(true));
    EXPECT_TRUE(control.isAllSkyConnect());
    EXPECT_EQ(control.sg4Port(), 2);
    EXPECT_EQ(serial.portNames(), (QStringList{mount.path().mid(5), pty.path().mid(5)}));
    EXPECT_TRUE(mount.simulator().received().isEmpty());
    serial.closeSerialDriver(kSerialSlotScope);
}
