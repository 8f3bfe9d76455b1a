#pragma once

#include "camera/guide/HidOpen.h"

#include <QByteArray>
#include <QtGlobal>

// One USB HID device found by its vendor and product id, to which output
// reports are sent.
class HidDevice {
public:
    virtual ~HidDevice() = default;
    // Opens the one attached device of this identity; otherwise says why not.
    virtual HidOpen open(quint16 vendorId, quint16 productId) = 0;
    // Sends an output report of report id 0 carrying `data`; true when the
    // device took it.
    virtual bool sendReport(const QByteArray& data) = 0;
    // Closes the device; false when it could not be released.
    virtual bool close() = 0;
    virtual bool isOpen() const = 0;
};
