#include "model/TempSettings.h"

#include "model/settings/PrefControl.h"
#include "mount/SerialControl.h"
#include "mount/links/BridgeMount.h"
#include "mount/panels/WiFiPanel.h"
#include "support/LoopbackDevice.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class FakeMount : public BridgeMount {
public:
    bool isConnected() const override { return connected; }
    void disconnectScope() override { connected = false; }
    bool connected = true;
};

}  // namespace

class WiFiPanelTest : public TempSettings {};

TEST_F(WiFiPanelTest, PanelShowsEditsAndConnectsTheStoredBridge)
{
    seed({{"WiFiIPPref", "10.0.0.7"}, {"WiFiPortPref", "5000"}});
    const std::unique_ptr<DisplayGamma> gamma = DisplayGamma::create();
    PrefControl prefs(*gamma);
    SerialControl serial;
    PrefLinks links;
    links.wifiBridge = &serial;
    prefs.setLinks(links);
    prefs.readPrefs();

    WiFiPanel panel(serial, prefs);
    EXPECT_EQ(panel.addressEdit()->text(), "10.0.0.7");
    EXPECT_EQ(panel.portEdit()->text(), "5000");

    LoopbackDevice bridge;
    bridge.start();
    panel.addressEdit()->setText(LoopbackDevice::address());
    panel.wifiEditAction(panel.addressEdit());
    panel.portEdit()->setText(bridge.port());
    panel.wifiEditAction(panel.portEdit());
    EXPECT_EQ(serial.wifiIPAddress(), LoopbackDevice::address());
    EXPECT_EQ(stored("WiFiIPPref"), LoopbackDevice::address());
    EXPECT_EQ(stored("WiFiPortPref"), bridge.port());

    panel.connectButton()->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return serial.hasWiFi(); }, 2000));
    EXPECT_EQ(panel.statusText(), "Connected");
    EXPECT_EQ(panel.connectButton()->text(), "Cancel");

    // Cancelling takes down a mount that talks through the bridge.
    FakeMount mount;
    serial.setBridgeMount(&mount);
    serial.setIsWiFi(true);
    panel.connectButton()->click();
    EXPECT_EQ(panel.statusText(), "Connect Canceled");
    EXPECT_EQ(panel.connectButton()->text(), "Connect");
    EXPECT_FALSE(mount.connected);
    EXPECT_FALSE(serial.hasWiFi());
    EXPECT_FALSE(serial.isWiFi());
}

TEST_F(WiFiPanelTest, APortOutsideTheTCPRangeIsRefusedAloud)
{
    seed({{"WiFiIPPref", "127.0.0.1"}, {"WiFiPortPref", "5000"}});
    const std::unique_ptr<DisplayGamma> gamma = DisplayGamma::create();
    PrefControl prefs(*gamma);
    SerialControl serial;
    PrefLinks links;
    links.wifiBridge = &serial;
    prefs.setLinks(links);
    prefs.readPrefs();
    WiFiPanel panel(serial, prefs);

    const QString refusal = "The port must be a whole number from 1 to 65535.";
    panel.portEdit()->setText("99999");
    panel.wifiEditAction(panel.portEdit());
    EXPECT_EQ(panel.statusText(), refusal);
    EXPECT_EQ(panel.portEdit()->text(), "5000");
    EXPECT_EQ(serial.wifiPortNumber(), "5000");
    EXPECT_EQ(stored("WiFiPortPref"), "5000");

    // Connect with a port typed but not yet taken refuses it too, and starts nothing.
    panel.portEdit()->setText("0");
    panel.connectButton()->click();
    EXPECT_EQ(panel.statusText(), refusal);
    EXPECT_EQ(panel.portEdit()->text(), "5000");
    EXPECT_EQ(panel.connectButton()->text(), "Connect");
    EXPECT_FALSE(serial.hasWiFi());

    panel.portEdit()->setText(" 4030 ");
    panel.wifiEditAction(panel.portEdit());
    EXPECT_EQ(stored("WiFiPortPref"), "4030");
}
