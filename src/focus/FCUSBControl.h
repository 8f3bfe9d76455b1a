#pragma once

#include "focus/FocuserConnection.h"
#include "model/settings/links/FCUSBFocuser.h"
#include "mount/links/ConnectMenuLinks.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <memory>

class FCUSBDisplay;
class FCUSBPort;
class PrefControl;

// The FCUSB focus-motor controllers: up to two units at once, one of each
// product (FCUSB and FCUSB2), each running a DC motor in one of two
// directions at a pulse-width speed. Every action becomes one two-byte
// output report (mode byte, speed) to the unit the controls address (the
// selected tab). There is no position and no autofocus.
class FCUSBControl final : public FocuserConnection, public FCUSBFocuser, public ConnectedDevice {
public:
    static constexpr quint16 kVendorId = 0x134A;
    static constexpr quint16 kFCUSBProductId = 0x9023;
    static constexpr quint16 kFCUSB2ProductId = 0x9024;
    static constexpr int kUnit1 = 1;
    static constexpr int kUnit2 = 2;
    // Mode byte bits.
    static constexpr quint8 kPWM16 = 0x80;   // radio column 2
    static constexpr quint8 kPWM4 = 0x40;    // radio column 1; neither bit: column 0, choice 1
    static constexpr quint8 kReport = 0x20;  // in every report
    static constexpr quint8 kStop = 0x30;    // with kReport: the motor stops
    static constexpr quint8 kRunTag1 = 0x02;
    static constexpr quint8 kRunTag2 = 0x01;
    static constexpr quint8 kStartSpeed = 125;
    static constexpr quint16 kStartPWM = 1;

    FCUSBControl(PrefControl& prefs, std::unique_ptr<FCUSBPort> fcusb, std::unique_ptr<FCUSBPort> fcusb2);
    ~FCUSBControl() override;

    void setDisplay(FCUSBDisplay* display) { m_display = display; }

    bool isFocuserConnected() const override { return isFCUSBConnected(); }
    void focuserConnect() override { fcusbConnect(); }
    // The Connect menu's Control Panel item shows the window while connected.
    bool isConnected() const override { return isFCUSBConnected(); }

    // Unit 1 connected: closes both units and hides the window. Otherwise
    // finds unit 1 (an alert when it is missing) and then unit 2 (silently).
    void fcusbConnect();
    // False when the unit did not open; connectFailure() then says why.
    bool findHIDDevice(int unit);
    QString connectFailure() const { return m_connectFailure; }
    // Stops a running motor, closes the unit and stores the settings.
    void closeHIDDevice(int unit);
    // Sends the unit's PWM choice and speed, then stops its motor.
    bool setupFCUSB(int unit);
    // The addressed unit's report; false when it is not connected or refused it.
    bool sendFCUSBReport();

    // A direction button (tag 1 or 2) pressed runs the motor; released, stops it.
    void fcusbMotorAction(int tag, bool pressed);
    void fcusbSpeedAction(int value);
    // The PWM radio's column: 0 is choice 1, 1 is 4, 2 is 16.
    void fcusbPWMAction(int column);
    // Selects the tab with this identifier (2 addresses unit 2); false when
    // refused because unit 2 is not connected.
    bool selectTab(int identifier);
    // The window closed: its settings are stored.
    void closeButtonHit();

    bool isFCUSBConnected() const { return m_units[0].isConnected; }
    bool isFCUSB2Connected() const { return m_units[1].isConnected; }
    bool isOn(int unit) const { return state(unit).isOn; }
    int addressedUnit() const { return m_addressed; }
    // The unit's current report.
    QByteArray data(int unit) const;

    void setFCUSBSpeed(quint8 speed) override { m_units[0].speed = speed; }
    void setFCUSB2Speed(quint8 speed) override { m_units[1].speed = speed; }
    void setFCUSBPWM(quint16 pwm) override { m_units[0].pwm = pwm; }
    void setFCUSB2PWM(quint16 pwm) override { m_units[1].pwm = pwm; }
    quint8 fcusbSpeed() const override { return m_units[0].speed; }
    quint8 fcusbSpeed2() const override { return m_units[1].speed; }
    quint16 fcusbPWM() const override { return m_units[0].pwm; }
    quint16 fcusbPWM2() const override { return m_units[1].pwm; }

private:
    struct Unit {
        std::unique_ptr<FCUSBPort> port;
        quint16 productId;
        bool isConnected = false;
        bool isOn = false;
        quint8 speed = kStartSpeed;
        quint16 pwm = kStartPWM;
        std::array<quint8, 2> data{};
    };

    Unit& state(int unit) { return m_units[unit == kUnit2 ? 1 : 0]; }
    const Unit& state(int unit) const { return m_units[unit == kUnit2 ? 1 : 0]; }
    bool send(int unit);
    void show(int unit);

    PrefControl& m_prefs;
    FCUSBDisplay* m_display = nullptr;
    std::array<Unit, 2> m_units;
    int m_addressed = kUnit1;
    QString m_connectFailure;
};
