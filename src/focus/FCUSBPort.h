#pragma once

#include <QByteArray>
#include <QtGlobal>

// One FCUSB unit's USB HID link. The program's link does its I/O on a thread
// of its own and waits for it only a bounded time.
class FCUSBPort {
public:
    virtual ~FCUSBPort() = default;
    // Opens the one attached device of this identity; false when none or
    // more than one is attached, or when it cannot be opened.
    virtual bool open(quint16 vendorId, quint16 productId) = 0;
    // Sends an output report of report id 0; true when the unit took it.
    virtual bool sendReport(const QByteArray& report) = 0;
    virtual void close() = 0;
};
