#include "MountFixture.h"

#include "mount/MountProtocols.h"
#include "mount/panels/ConnectMenu.h"
#include "support/OtherProgramsLock.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

struct FakeDevice final : MenuDevice {
    bool isConnected() const override { return connected; }
    bool connectDevice() override { return connected = true; }
    void disconnectDevice() override { connected = false; }
    bool connected = false;
};

struct FakePanel final : MenuPanel {
    bool isVisible() const override { return visible; }
    void show() override { visible = true; }
    void hide() override { visible = false; }
    bool visible = false;
};

}  // namespace

class ConnectMenuTest : public MountFixture {
protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        menu = std::make_unique<ConnectMenu>(*prefs, *serial, *scope, DebugWriter());
        menu->setDome(&dome);
        menu->setDDW(&ddw);
        menu->setDomePanel(&domePanel);
        menu->setDDWPanel(&ddwPanel);
        menu->setAlignPanel(&alignPanel);
        menu->setMountPanels(&panels);
    }
    void TearDown() override
    {
        menu.reset();
        MountFixture::TearDown();
    }

    // Chooses the first telescope's item and waits for the search to end:
    // the alerts it showed, each as its title and its text.
    QStringList connectAlerts()
    {
        alerts.alerts.clear();
        menu->connectMenuAction(0);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !scope->isConnecting(); }, 20000));
        EXPECT_FALSE(scope->isConnected());
        QStringList shown;
        for (const RecordedAlert& alert : alerts.alerts)
            shown.append(alert.title + '|' + alert.message);
        return shown;
    }

    bool enabled(int tag)
    {
        menu->validateMenu();
        QAction* item = menu->itemWithTag(tag);
        return item != nullptr && item->isEnabled();
    }

    FakeDevice dome, ddw;
    FakePanel domePanel, ddwPanel, alignPanel;
    std::unique_ptr<ConnectMenu> menu;
};

TEST_F(ConnectMenuTest, WithoutPortOrBridgeTheTelescopesAndScanAreDisabled)
{
    serial->setExtraPorts({});
    menu->validateMenu();
    EXPECT_EQ(menu->itemWithTag(2), nullptr);  // slot without a name
    EXPECT_FALSE(enabled(0));
    EXPECT_FALSE(enabled(1));
    EXPECT_FALSE(enabled(31));
    addPorts(1);
    EXPECT_TRUE(enabled(0));
    EXPECT_TRUE(enabled(31));
}

// The list is scanned as the menu opens, so a port that went away is gone
// from it; one that is listed but will not open (here a folder, which even
// a privileged user cannot open as a device) is disabled.
TEST_F(ConnectMenuTest, APortThatCannotBeOpenedIsDisabled)
{
    addPorts(1);
    QTemporaryDir notADevice;
    ASSERT_TRUE(notADevice.isValid());
    serial->setExtraPorts({ptys[0]->path(), notADevice.path()});
    EXPECT_TRUE(enabled(32));
    EXPECT_FALSE(enabled(33));
}

// An adapter plugged in (or back in) after the first look is offered the
// next time the menu opens, without a restart.
TEST_F(ConnectMenuTest, ThePortListIsScannedEachTimeTheMenuOpens)
{
    addPorts(1);
    EXPECT_EQ(menu->itemWithTag(33), nullptr);
    PtyDevice plugged;
    serial->setExtraPorts({ptys[0]->path(), plugged.path()});
    EXPECT_TRUE(enabled(33));
    EXPECT_EQ(menu->itemWithTag(33)->text(), plugged.path().mid(5));
}

TEST_F(ConnectMenuTest, DomeAndDigitalDomeWorksExcludeEachOther)
{
    EXPECT_TRUE(enabled(55) && enabled(56));
    menu->connectMenuAction(55);  // shows the dome panel
    EXPECT_FALSE(enabled(56));
    menu->connectMenuAction(55);  // hides it again
    ddw.connected = true;
    EXPECT_FALSE(enabled(55));
    EXPECT_TRUE(enabled(56));
}

TEST_F(ConnectMenuTest, PolarAlignmentNeedsAMountThatSupportsIt)
{
    EXPECT_FALSE(enabled(58));
    for (const auto& [protocol, expected] :
         {std::pair{kProtocolUltima, false}, std::pair{kProtocolLX200, true}}) {
        connectScope(protocol);
        EXPECT_EQ(enabled(58), expected) << protocol;
        scope->disconnect();
    }
}

TEST_F(ConnectMenuTest, AnyTelescopeItemWhileConnectedDisconnects)
{
    addPorts(1);
    prefs->scopes()[0].mountProtocol = kProtocolLX200;
    prefs->scopes()[1].mountProtocol = kProtocolLX200;
    menu->connectMenuAction(0);
    ASSERT_TRUE(QTest::qWaitFor([this] { return scope->isConnected(); }, 20000));
    menu->validateMenu();
    EXPECT_TRUE(menu->itemWithTag(0)->isChecked());
    EXPECT_FALSE(enabled(31));  // the port stays while connected

    menu->connectMenuAction(1);
    EXPECT_FALSE(scope->isConnected());
    EXPECT_EQ(scope->scopeIndex(), -1);
}

// A failed mount connect names the telescope and, under it, why: the only
// port held by the program's own focuser or by another program, or a port
// where no mount answered.
TEST_F(ConnectMenuTest, AFailedMountConnectGivesTheTelescopesNameAndTheReason)
{
    PtyDevice silent;
    silent.start();
    serial->setExtraPorts({silent.path()});
    serial->getPortNames();
    const QString port = silent.path().mid(5);
    const QString title = "Could not connect to telescope:|Scope A\n";
    prefs->scopes()[0].mountProtocol = kProtocolLX200;

    ASSERT_TRUE(serial->openSerialDriver(0, 9600, false, kSerialSlotFocuser));
    EXPECT_EQ(connectAlerts(), QStringList{title + "The only serial port is in use by the focuser."});
    serial->closeSerialDriver(kSerialSlotFocuser);
    {
        const OtherProgramsLock lock(silent);
        ASSERT_TRUE(lock.holds());
        EXPECT_EQ(connectAlerts(), QStringList{title + port + " is in use by another program."});
    }
    EXPECT_EQ(silent.simulator().received(), "") << "a held port is never asked";
    EXPECT_EQ(connectAlerts(), QStringList{title + "No mount answered on " + port + "."});
}

// The advice to set the Gemini to 9600 baud, and the next connect at 9600,
// follow a mount that was asked and kept silent, never a port that was not free.
TEST_F(ConnectMenuTest, TheGeminiSpeedAdviceFollowsOnlyAMountThatDidNotAnswer)
{
    constexpr int kTag19200 = 44;
    PtyDevice silent;
    silent.start();
    serial->setExtraPorts({silent.path()});
    serial->getPortNames();
    prefs->scopes()[0].mountProtocol = kProtocolGemini;
    scope->setGeminiBaud(kTag19200);

    ASSERT_TRUE(serial->openSerialDriver(0, 9600, false, kSerialSlotFocuser));
    EXPECT_EQ(connectAlerts().size(), 1);
    EXPECT_EQ(scope->geminiBaud(), 19200);
    serial->closeSerialDriver(kSerialSlotFocuser);
    {
        const OtherProgramsLock lock(silent);
        ASSERT_TRUE(lock.holds());
        EXPECT_EQ(connectAlerts().size(), 1);
        EXPECT_EQ(scope->geminiBaud(), 19200);
    }

    const QStringList shown = connectAlerts();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[1], "Set the Gemini the baud rate to 9600 from the hand controller and try again.| ");
    EXPECT_EQ(scope->geminiBaud(), 9600);
}

namespace {

struct MenuSG4 final : SG4Connection {
    bool isSG4Connect() const override { return sg4; }
    bool isAllSkyConnect() const override { return allSky; }
    void setIsAllSkySelect(bool on) override { select = on; }
    bool initSG4Port() override
    {
        selectAtConnect = select;
        if (allSky) {
            allSky = false;
            return true;
        }
        allSky = select && answers;
        return allSky;
    }
    bool sg4Disconnect() override { return !(sg4 = allSky = false); }
    bool sg4 = false;
    bool allSky = false;
    bool select = false;
    bool selectAtConnect = false;
    bool answers = true;
};

}  // namespace

// The AllSky item steers only its own connect: after it, connected or not,
// the controller is back to the SG-4 choice.
TEST_F(ConnectMenuTest, TheAllSkyChoiceIsClearedAfterEveryConnect)
{
    constexpr int kTagAllSky = 57;
    MenuSG4 sg4;
    menu->setSG4(&sg4);
    menu->connectMenuAction(kTagAllSky);
    EXPECT_TRUE(sg4.allSky);
    EXPECT_TRUE(sg4.selectAtConnect);
    EXPECT_FALSE(sg4.select);

    menu->connectMenuAction(kTagAllSky);
    EXPECT_FALSE(sg4.allSky);
    EXPECT_FALSE(sg4.select);
}

namespace {

TEST_F(ConnectMenuTest, ACameraSearchThatCannotStartSaysWhy)
{
    constexpr int kTagAllSky = 57;
    const ScopedAlertRecorder alerts;
    MenuSG4 sg4;
    sg4.answers = false;
    menu->setSG4(&sg4);
    serial->setExtraPorts({});
    serial->getPortNames();
    menu->connectMenuAction(kTagAllSky);
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "SBIG AllSky connection failed.");
    EXPECT_EQ(alerts.alerts[0].message, serial->maxPorts() == 0 ? QString("No serial port was found.")
                                                                 : QString("A connection is still being made, or "
                                                                           "another device holds the camera's "
                                                                           "serial port."));
}

}  // namespace
