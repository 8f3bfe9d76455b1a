#pragma once

#include <QString>

#include <functional>

class AutoguiderLink;
class HandControlPanels;

// A device whose window the Connect menu shows while it is connected.
class ConnectedDevice {
public:
    virtual ~ConnectedDevice() = default;
    virtual bool isConnected() const = 0;
};

// A device the Connect menu connects and disconnects.
class MenuDevice : public ConnectedDevice {
public:
    // True when it connected.
    virtual bool connectDevice() = 0;
    virtual void disconnectDevice() = 0;
    // Why the last connect failed, for the alert's informative text.
    virtual QString connectFailure() const { return QStringLiteral(" "); }
};

// A device whose connection takes a while: the menu starts it, shows the
// device as being connected meanwhile, and hears the outcome later.
class SlowMenuDevice {
public:
    // Whether it connected and, when not, why (the alert's informative text;
    // none when there is nothing more to report: the connection was ended on
    // purpose, or the device's own alert has already said why).
    using Connected = std::function<void(bool connected, const QString& failure)>;
    virtual ~SlowMenuDevice() = default;
    virtual bool isConnected() const = 0;
    virtual bool isConnecting() const = 0;
    virtual void startConnect(Connected done) = 0;
    virtual void disconnectDevice() = 0;
};

// A panel or window the Connect menu shows and hides.
class MenuPanel {
public:
    virtual ~MenuPanel() = default;
    virtual bool isVisible() const = 0;
    // Shows it in front of the others.
    virtual void show() = 0;
    virtual void hide() = 0;
    // Closes it as its close button does: a device panel may ask first, and
    // may end its device's connection.
    virtual void closeAsUser() { hide(); }
};

// Why a device's search could not start: the listing found no port.
inline constexpr char kNoSerialPort[] = "No serial port was found.";

// The alerts of a failed SG-4 or AllSky connect, whether it could not start
// or its scan found nothing.
inline constexpr char kSG4ConnectFailed[] = "SBIG SG-4 connection failed.";
inline constexpr char kAllSkyConnectFailed[] = "SBIG AllSky connection failed.";

// The SG-4 controller, which serves either the guider or the AllSky camera on one slot.
class SG4Connection {
public:
    virtual ~SG4Connection() = default;
    virtual bool isSG4Connect() const = 0;
    virtual bool isAllSkyConnect() const = 0;
    virtual void setIsAllSkySelect(bool allSky) = 0;
    // Disconnects a connected device (giving that result), else starts the
    // port scan: false when it cannot start; a scan that finds nothing
    // alerts as it ends.
    virtual bool initSG4Port() = 0;
    virtual bool sg4Disconnect() = 0;
};

// What the Connect menu reaches besides the mount. A null one is a device
// the program does not have yet: its item does nothing.
struct ConnectMenuLinks {
    MenuDevice* webcam = nullptr;
    MenuDevice* gpusb = nullptr;
    SlowMenuDevice* canon = nullptr;
    MenuDevice* dsusb = nullptr;
    MenuDevice* dome = nullptr;
    MenuDevice* ddw = nullptr;
    MenuDevice* robo = nullptr;
    MenuDevice* optec = nullptr;
    MenuDevice* jmi = nullptr;
    MenuDevice* moonLite = nullptr;
    const ConnectedDevice* fcusb = nullptr;
    SG4Connection* sg4 = nullptr;
    AutoguiderLink* webcamGuide = nullptr;
    HandControlPanels* mountPanels = nullptr;
    MenuPanel* webcamPanel = nullptr;
    MenuPanel* canonPanel = nullptr;
    MenuPanel* sg4Panel = nullptr;
    MenuPanel* allSkyPanel = nullptr;
    MenuPanel* domePanel = nullptr;
    MenuPanel* ddwPanel = nullptr;
    MenuPanel* alignPanel = nullptr;
    MenuPanel* roboWindow = nullptr;
    MenuPanel* optecWindow = nullptr;
    MenuPanel* jmiWindow = nullptr;
    MenuPanel* moonLiteWindow = nullptr;
    MenuPanel* fcusbWindow = nullptr;
};
