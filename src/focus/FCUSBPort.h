#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// One FCUSB unit's USB HID link. The program's link does its I/O on a thread
// of its own and waits for it only a bounded time.
class FCUSBPort {
public:
    virtual ~FCUSBPort() = default;
    // Opens the one attached device of this identity. Empty when it opened;
    // otherwise why not (none or more than one attached, refused, no answer),
    // for the user.
    virtual QString open(quint16 vendorId, quint16 productId) = 0;
    // Sends an output report of report id 0; true when the unit took it.
    virtual bool sendReport(const QByteArray& report) = 0;
    virtual void close() = 0;
};
