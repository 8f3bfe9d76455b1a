#pragma once

#include "camera/guide/GuideAdapter.h"
#include "camera/guide/GuideClock.h"
#include "camera/guide/HidWorker.h"
#include "mount/DebugWriter.h"
#include "mount/links/ConnectMenuLinks.h"

#include <chrono>
#include <memory>

// The GPUSB adapter: four relay lines of the mount's guide port (east, west,
// north, south) switched by a one-byte output report. Each axis's pulse is
// ended by its own timer; a new report on an axis replaces that timer, so an
// older pulse never cuts a newer one short. The device is driven on the HID
// worker's thread; every call here waits for it only a bounded time.
class GPUSBControl final : public GuideAdapter, public MenuDevice {
public:
    static constexpr quint16 kVendorId = 0x134A;
    static constexpr quint16 kProductId = 0x9020;
    // The report: '0' plus west 0x01, east 0x02, south 0x04, north 0x08; a
    // space when no line is on.
    static constexpr quint8 kBase = '0';
    static constexpr quint8 kWest = 0x01;
    static constexpr quint8 kEast = 0x02;
    static constexpr quint8 kSouth = 0x04;
    static constexpr quint8 kNorth = 0x08;
    static constexpr quint8 kEastWest = kWest | kEast;
    static constexpr quint8 kNorthSouth = kSouth | kNorth;
    static constexpr quint8 kIdle = ' ';
    // A report not taken within this counts as refused: a pulse's lines
    // must switch within a small part of the shortest correction, and the
    // guider's frame loop must not wait on a stuck adapter.
    static constexpr std::chrono::milliseconds kWriteTimeout{50};

    GPUSBControl(std::unique_ptr<HidDevice> device, GuideClock& clock, DebugWriter debug = {});

    void setWebcamGuide(GuideAdapterListener* guide) { m_webcamGuide = guide; }

    bool findHIDDevice();
    void closeHIDDevice();
    bool isGPUSBConnected() const override { return m_isGPUSBConnected; }
    bool guideGPUSB(float eastWest, float northSouth) override;
    bool lockGPUSB(float eastWest, float northSouth) override;
    quint8 data() const { return m_data; }

    bool isConnected() const override { return m_isGPUSBConnected; }
    bool connectDevice() override { return findHIDDevice(); }
    void disconnectDevice() override { closeHIDDevice(); }
    QString connectFailure() const override { return m_connectFailure; }

private:
    void runRATimer();
    void runDecTimer();
    // Ends an axis's pulse early: its timer is dropped and the guider told.
    void cancelRA();
    void cancelDec();
    // Clears `bits`, leaving a space when no line stays on.
    void clearBits(quint8 bits);
    bool send();

    HidWorker m_device;
    DebugWriter m_debug;
    GuideAdapterListener* m_webcamGuide = nullptr;
    std::unique_ptr<GuideTimer> m_raTimer;
    std::unique_ptr<GuideTimer> m_decTimer;
    QString m_connectFailure;
    bool m_isGPUSBConnected = false;
    quint8 m_data = 0;
};
