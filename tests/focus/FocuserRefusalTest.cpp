#include "FocuserWorkerFixture.h"

#include "focus/RoboControl.h"
#include "support/OtherProgramsLock.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

// Why a focuser search that found nothing failed, as the user reads it.
class FocuserRefusalTest : public FocuserWorkerFixture {
protected:
    void list(const std::vector<const PtyDevice*>& devices)
    {
        QStringList paths;
        for (const PtyDevice* device : devices)
            paths.append(device->path());
        serial->setExtraPorts(paths);
    }
    // Runs `control`'s search to its end; what it ended with.
    static std::optional<bool> search(FocuserControl& control)
    {
        std::optional<bool> found;
        if (!control.initPort([&found](bool ok) { found = ok; }))
            return std::nullopt;
        QTest::qWaitFor([&] { return !control.isConnecting() && control.pendingExchanges() == 0; },
                        kWorkerWaitMs);
        return found;
    }

};

// A port another program holds was never asked: it is named as in use,
// not counted among the ports where the focuser did not answer.
TEST_F(FocuserRefusalTest, APortHeldByAnotherProgramIsSaidToBeInUse)
{
    PtyDevice held;
    held.simulator().answer(ProbeFocuserControl::kProbe, "PONG#");
    held.start();
    PtyDevice silent;
    silent.start();
    list({&held, &silent});
    const OtherProgramsLock lock(held);
    ASSERT_TRUE(lock.holds());
    ProbeFocuserControl control(*serial, *worker);
    const QString name = held.path().mid(5);

    scope->setSelectPort(1);
    EXPECT_EQ(search(control), false);
    EXPECT_EQ(control.connectFailure(), name + " is in use by another program.");
    EXPECT_EQ(held.simulator().received(), "");

    scope->setSelectPort(0);
    EXPECT_EQ(search(control), false);
    EXPECT_EQ(control.connectFailure(),
              name + " is in use by another program, and the focuser did not answer on any other port.");
    EXPECT_EQ(silent.simulator().received(), "PING#");
}

TEST_F(FocuserRefusalTest, ASilentPortOrNoPortSaySo)
{
    PtyDevice silent;
    silent.start();
    list({&silent});
    ProbeFocuserControl control(*serial, *worker);
    EXPECT_EQ(search(control), false);
    EXPECT_EQ(control.connectFailure(), "No port could be opened, or the focuser did not answer on any port.");

    // Only where the machine lists no port of its own, which no test may open.
    serial->setExtraPorts({});
    serial->getPortNames();
    if (serial->maxPorts() == 0) {
        EXPECT_EQ(search(control), std::nullopt);
        EXPECT_EQ(control.connectFailure(), "No serial port was found.");
    }
}

TEST_F(FocuserRefusalTest, ARoboFocusWithARefusedVersionSaysWhichItGave)
{
    PtyDevice robo;
    robo.simulator().answer(RoboControl::roboFrame("FV000000"), RoboControl::roboFrame("FV0XY\x01" "12"));
    robo.start();
    list({&robo});
    RoboControl control(*serial, *worker);
    EXPECT_EQ(search(control), false);
    EXPECT_EQ(control.connectFailure(),
              "The RoboFocus answered with version 0XY?12, which this program does not support.");
}
