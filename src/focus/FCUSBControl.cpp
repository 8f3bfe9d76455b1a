#include "focus/FCUSBControl.h"

#include "focus/FCUSBDisplay.h"
#include "focus/FCUSBPort.h"
#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"

#include <algorithm>

namespace {

constexpr quint8 kPWMBits = FCUSBControl::kPWM16 | FCUSBControl::kPWM4;
constexpr quint8 kRunBits = FCUSBControl::kRunTag1 | FCUSBControl::kRunTag2;

quint8 pwmBits(quint16 pwm)
{
    switch (pwm) {
    case 16:
        return FCUSBControl::kPWM16;
    case 4:
        return FCUSBControl::kPWM4;
    default:
        return 0;
    }
}

// The PWM radio's column of a choice; a stored value that is none of the
// three shows as choice 1.
int pwmColumn(quint16 pwm)
{
    return pwm == 16 ? 2 : pwm == 4 ? 1 : 0;
}

}  // namespace

FCUSBControl::FCUSBControl(PrefControl& prefs, std::unique_ptr<FCUSBPort> fcusb, std::unique_ptr<FCUSBPort> fcusb2)
    : m_prefs(prefs)
{
    m_units[0].port = std::move(fcusb);
    m_units[0].productId = kFCUSBProductId;
    m_units[1].port = std::move(fcusb2);
    m_units[1].productId = kFCUSB2ProductId;
}

FCUSBControl::~FCUSBControl() = default;

QByteArray FCUSBControl::data(int unit) const
{
    const Unit& u = state(unit);
    return QByteArray(reinterpret_cast<const char*>(u.data.data()), qsizetype(u.data.size()));
}

void FCUSBControl::fcusbConnect()
{
    if (isFCUSBConnected()) {
        closeHIDDevice(kUnit1);
        if (isFCUSB2Connected())
            closeHIDDevice(kUnit2);
        if (m_display)
            m_display->orderOut();
        return;
    }
    if (!findHIDDevice(kUnit1)) {
        AlertPanel::runAlert("FCUSB connection failed.", m_connectFailure);
        return;
    }
    // Each unit has its own link, so a second unit that is missing leaves
    // the first one's open.
    findHIDDevice(kUnit2);
    m_addressed = kUnit1;
    if (m_display) {
        m_display->showAddressedUnit(kUnit1);
        m_display->orderFront();
    }
}

bool FCUSBControl::findHIDDevice(int unit)
{
    Unit& u = state(unit);
    if (!u.port) {
        m_connectFailure = QStringLiteral("This build has no USB HID support.");
        return false;
    }
    if (u.isConnected)
        closeHIDDevice(unit);
    m_connectFailure = u.port->open(kVendorId, u.productId);
    if (!m_connectFailure.isEmpty())
        return false;
    u.isConnected = true;
    u.isOn = false;
    show(unit);
    return setupFCUSB(unit);
}

void FCUSBControl::closeHIDDevice(int unit)
{
    Unit& u = state(unit);
    if (!u.isConnected)
        return;
    // A motor left running would drive the focuser to its stop.
    if (u.isOn) {
        u.data[0] = quint8((u.data[0] & ~kRunBits) | kReport | kStop);
        send(unit);
    }
    u.port->close();
    u.isConnected = false;
    u.isOn = false;
    if (unit == kUnit2 && m_addressed == kUnit2)
        m_addressed = kUnit1;
    show(unit);
    m_prefs.saveFCUSBPrefs();
}

bool FCUSBControl::setupFCUSB(int unit)
{
    Unit& u = state(unit);
    u.data = {quint8(kReport | pwmBits(u.pwm)), u.speed};
    send(unit);
    u.data[0] |= kStop;
    send(unit);
    return true;
}

bool FCUSBControl::sendFCUSBReport()
{
    return send(m_addressed);
}

bool FCUSBControl::send(int unit)
{
    const Unit& u = state(unit);
    return u.isConnected && u.port->sendReport(data(unit));
}

void FCUSBControl::fcusbMotorAction(int tag, bool pressed)
{
    Unit& u = state(m_addressed);
    if (!u.isConnected)
        return;
    u.data[0] = quint8((u.data[0] & ~(kRunBits | kStop)) | kReport);
    if (pressed) {
        u.data[0] |= tag == 2 ? kRunTag2 : kRunTag1;
        u.isOn = true;
    } else {
        u.data[0] |= kStop;
        u.isOn = false;
    }
    sendFCUSBReport();
}

void FCUSBControl::fcusbSpeedAction(int value)
{
    Unit& u = state(m_addressed);
    u.speed = quint8(std::clamp(value, 0, 255));
    u.data[1] = u.speed;
    sendFCUSBReport();
}

void FCUSBControl::fcusbPWMAction(int column)
{
    Unit& u = state(m_addressed);
    u.pwm = column == 2 ? 16 : column == 1 ? 4 : 1;
    u.data[0] = quint8((u.data[0] & ~kPWMBits) | pwmBits(u.pwm));
    sendFCUSBReport();
}

bool FCUSBControl::selectTab(int identifier)
{
    if (identifier == kUnit2 && !isFCUSB2Connected())
        return false;
    m_addressed = identifier == kUnit2 ? kUnit2 : kUnit1;
    return true;
}

void FCUSBControl::closeButtonHit()
{
    m_prefs.saveFCUSBPrefs();
}

void FCUSBControl::show(int unit)
{
    const Unit& u = state(unit);
    if (m_display)
        m_display->showUnit(unit, u.isConnected, pwmColumn(u.pwm), u.speed);
}
