#pragma once

#include <QByteArray>
#include <QtGlobal>

// One USB HID device found by its vendor and product id, to which output
// reports are sent.
class HidDevice {
public:
    virtual ~HidDevice() = default;
    // Opens the one attached device of this identity; false when none or more
    // than one is attached, or when it cannot be opened.
    virtual bool open(quint16 vendorId, quint16 productId) = 0;
    // Sends an output report of report id 0 carrying `data`; true when the
    // device took it.
    virtual bool sendReport(const QByteArray& data) = 0;
    // Closes the device; false when it could not be released.
    virtual bool close() = 0;
    virtual bool isOpen() const = 0;
};
