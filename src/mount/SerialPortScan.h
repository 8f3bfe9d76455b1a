#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// One serial port the user can pick: its display name and the device path opened.
struct SerialPortEntry {
    QString name;
    QByteArray path;
};

// Finds the machine's serial ports in its device folder (DeviceFolder, /dev):
// first any paths given (pseudo-terminals, which no scan lists), then the
// named links of serial/by-id, then the USB adapters ttyUSB* and ttyACM*;
// with `everyStream` also the built-in ttyS* and Bluetooth rfcomm* ports. A device reached by
// two names is listed once, by its first; at most kMaxPorts are listed.
class SerialPortScan {
public:
    static constexpr int kMaxPorts = 10;
    static std::vector<SerialPortEntry> scan(const QStringList& extraPaths, bool everyStream);
    // The ports `found` by a scan, with each entry of `before` marked in
    // `kept` (a connected device's, the chosen one) at its index still, so
    // that an index held elsewhere keeps meaning its port. The others fill
    // the free places in the order found; a kept device found again is not
    // listed twice. Where fewer ports are left than free places below a
    // kept one, those places hold earlier entries gone since.
    static std::vector<SerialPortEntry> keepingPlaces(const std::vector<SerialPortEntry>& before,
                                                      const std::vector<SerialPortEntry>& found,
                                                      const std::vector<bool>& kept);
};
