#pragma once

#include "camera/guide/HidDevice.h"

struct hid_device_;

// A HID device through hidapi's hidraw backend. The library's process-wide
// state is shared by every open device and released with the last one.
class HidApiDevice final : public HidDevice {
public:
    HidApiDevice() = default;
    ~HidApiDevice() override;
    HidApiDevice(const HidApiDevice&) = delete;
    HidApiDevice& operator=(const HidApiDevice&) = delete;

    HidOpen open(quint16 vendorId, quint16 productId) override;
    bool sendReport(const QByteArray& data) override;
    bool close() override;
    bool isOpen() const override { return m_device != nullptr; }

private:
    hid_device_* m_device = nullptr;
};
