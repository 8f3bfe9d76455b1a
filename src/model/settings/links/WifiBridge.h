#pragma once

#include <QString>

// The bridge's shipped address (a private one) and TCP port.
inline constexpr char kDefaultWifiIPAddress[] = "192.168.1.100";
inline constexpr char kDefaultWifiPortNumber[] = "4030";

// The serial-over-WiFi bridge's address and port, kept by the serial transport.
class WifiBridge {
public:
    virtual ~WifiBridge() = default;
    virtual void setWifiIPAddress(const QString& address) = 0;
    virtual void setWifiPortNumber(const QString& port) = 0;
    virtual QString wifiIPAddress() const = 0;
    virtual QString wifiPortNumber() const = 0;
};
