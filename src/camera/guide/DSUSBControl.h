#pragma once

#include "camera/guide/HidWorker.h"
#include "mount/links/ConnectMenuLinks.h"

#include <chrono>
#include <memory>

// The DSUSB adapter: closes a camera's remote-release line for bulb
// exposures, with a one-byte output report. The device is driven on the
// HID worker's thread; every call here waits for it only a bounded time.
class DSUSBControl final : public MenuDevice {
public:
    static constexpr quint16 kVendorId = 0x134A;
    static constexpr quint16 kProductId = 0x9021;
    static constexpr quint8 kShutterOpen = '1';
    static constexpr quint8 kShutterReleased = ' ';
    static constexpr quint8 kDisconnect = 0x00;
    // A report not taken within this counts as failed.
    static constexpr std::chrono::milliseconds kWriteTimeout{50};

    explicit DSUSBControl(std::unique_ptr<HidDevice> device)
        : m_device(std::move(device), QByteArray(1, char(kShutterReleased)))
    {
    }

    bool findDSHIDDevice();
    void closeDSHIDDevice();
    // Closes the release line (the exposure runs) or lets it go; false when
    // not connected or the report failed.
    bool openDSShutter();
    bool closeDSShutter();
    bool isDSUSBConnected() const { return m_isDSUSBConnected; }
    quint8 dsData() const { return m_dsData; }

    bool isConnected() const override { return m_isDSUSBConnected; }
    bool connectDevice() override { return findDSHIDDevice(); }
    void disconnectDevice() override { closeDSHIDDevice(); }
    QString connectFailure() const override { return m_connectFailure; }

private:
    bool send(quint8 data);

    HidWorker m_device;
    QString m_connectFailure;
    bool m_isDSUSBConnected = false;
    quint8 m_dsData = 0;
};
