#include "ProbeFocuser.h"

#include "mount/MountFixture.h"
#include "support/DeviceFolderAt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

// Adapters come and go in a device folder of the test's own while the mount
// stays connected: each focuser search lists the ports afresh, the mount's
// port keeping its place.
class FocuserLatePortTest : public MountFixture {
protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        ASSERT_TRUE(machine.isValid());
        folder = std::make_unique<DeviceFolderAt>(machine.path());
        mount.simulator().answer(":hello#", "1");
        mount.start();
        plug("ttyUSB1", mount);
        prefs->scopes()[0].mountProtocol = quint16(kProtocolLX200);
        ASSERT_TRUE(connectSlot0());
        worker = std::make_unique<ScopeTestWorker>(*scope);
        control = std::make_unique<ProbeFocuserControl>(*serial, *worker);
    }
    void TearDown() override
    {
        control.reset();
        worker.reset();
        MountFixture::TearDown();
        folder.reset();
    }
    void plug(const QString& name, const PtyDevice& device)
    {
        ASSERT_TRUE(QFile::link(device.path(), QDir(machine.path()).filePath(name)));
    }
    void unplug(const QString& name) { ASSERT_TRUE(QFile::remove(QDir(machine.path()).filePath(name))); }
    std::optional<bool> search()
    {
        std::optional<bool> found;
        if (!control->initPort([&found](bool ok) { found = ok; }))
            return std::nullopt;
        control->settle(kWorkerWaitMs);
        return found;
    }
    static void answerProbe(PtyDevice& device)
    {
        device.simulator().answer(ProbeFocuserControl::kProbe, "PONG#");
        device.start();
    }

    QTemporaryDir machine;
    std::unique_ptr<DeviceFolderAt> folder;
    PtyDevice mount;
    std::unique_ptr<ScopeTestWorker> worker;
    std::unique_ptr<ProbeFocuserControl> control;
};

TEST_F(FocuserLatePortTest, AFocuserPluggedInAfterTheMountConnectedIsFound)
{
    ASSERT_EQ(serial->portNames(), QStringList{"ttyUSB1"});
    PtyDevice focuser;
    answerProbe(focuser);
    plug("ttyUSB0", focuser);

    EXPECT_EQ(search(), true);
    EXPECT_EQ(control->port(), 2);
    EXPECT_EQ(serial->portNames(), (QStringList{"ttyUSB1", "ttyUSB0"})) << "the mount's port kept its place";
    EXPECT_EQ(focuser.simulator().received(), "PING#");
    EXPECT_FALSE(mount.simulator().received().contains("PING#")) << "the mount's port is not asked";
    EXPECT_TRUE(scope->isConnected());
}

TEST_F(FocuserLatePortTest, AFocuserBackUnderAnotherNameIsFoundThere)
{
    PtyDevice focuser;
    answerProbe(focuser);
    plug("ttyUSB2", focuser);
    ASSERT_EQ(search(), true);
    control->disconnectDevice();
    ASSERT_TRUE(control->settle());
    unplug("ttyUSB2");
    focuser.closeMaster();

    PtyDevice back;
    answerProbe(back);
    plug("ttyUSB3", back);
    EXPECT_EQ(search(), true);
    EXPECT_EQ(serial->portNames(), (QStringList{"ttyUSB1", "ttyUSB3"}));
    EXPECT_EQ(back.simulator().received(), "PING#");
}

// The chosen port keeps meaning its port while others come: a port that
// sorts first does not push the choice onto another device.
TEST_F(FocuserLatePortTest, TheChosenPortKeepsItsPlace)
{
    PtyDevice focuser;
    answerProbe(focuser);
    plug("ttyUSB2", focuser);
    serial->getPortNames();
    ASSERT_EQ(serial->portNames(), (QStringList{"ttyUSB1", "ttyUSB2"}));
    scope->setSelectPort(2);
    PtyDevice other;
    answerProbe(other);
    plug("ttyUSB0", other);

    EXPECT_EQ(search(), true);
    EXPECT_EQ(serial->portNames(), (QStringList{"ttyUSB1", "ttyUSB2", "ttyUSB0"}));
    EXPECT_EQ(focuser.simulator().received(), "PING#");
    EXPECT_EQ(other.simulator().received(), "");
}
