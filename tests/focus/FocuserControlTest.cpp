#include "ProbeFocuser.h"

#include "mount/MountFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class FocuserControlTest : public MountFixture {
protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        control = std::make_unique<ProbeFocuserControl>(*serial, *scope);
    }
    void TearDown() override
    {
        control.reset();
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

    std::vector<std::unique_ptr<PtyDevice>> ports;
    std::unique_ptr<ProbeFocuserControl> control;
};

TEST_F(FocuserControlTest, PortChoiceZeroTriesEveryPortInOrder)
{
    listPorts(3, {1, 2});
    ASSERT_TRUE(control->initPort());
    EXPECT_TRUE(control->isConnected());
    EXPECT_EQ(control->port(), 2);
    EXPECT_EQ(received(0), "PING#");
    EXPECT_EQ(received(1), "PING#");
    EXPECT_EQ(received(2), "");
    EXPECT_NE(serial->serialRefNum(kSerialSlotFocuser), -1);

    // Connected: no new search.
    EXPECT_TRUE(control->initPort());
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
    ASSERT_TRUE(control->initPort());
    EXPECT_EQ(control->port(), 3);
    EXPECT_EQ(received(0), "");
    EXPECT_EQ(received(1), "");

    control->disconnectDevice();
    scope->setSelectPort(2);
    EXPECT_FALSE(control->initPort());
    EXPECT_EQ(received(0), "");
    EXPECT_EQ(serial->serialRefNum(kSerialSlotFocuser), -1);

    // A port beyond the list opens nothing.
    scope->setSelectPort(quint16(serial->maxPorts() + 1));
    EXPECT_FALSE(control->initPort());
}

TEST_F(FocuserControlTest, ABusySlotOrNoPortFails)
{
    // Only where the machine lists no port of its own, which no test may open.
    serial->setExtraPorts({});
    serial->getPortNames();
    if (serial->maxPorts() == 0)
        EXPECT_FALSE(control->initPort());

    listPorts(1, {0});
    ASSERT_TRUE(serial->openSerialDriver(0, 9600, false, kSerialSlotFocuser));
    EXPECT_FALSE(control->initPort());
    EXPECT_EQ(received(0), "");
    serial->closeSerialDriver(kSerialSlotFocuser);
}
