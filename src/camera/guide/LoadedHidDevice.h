#pragma once

#include "camera/guide/HidDevice.h"

#include <memory>

// A HID device of the USB HID module, loaded when a device is first opened,
// so that hidapi and its enumeration cost nothing until an adapter is used.
// Without the module no device opens, and the user is told which support
// is missing.
class LoadedHidDevice final : public HidDevice {
public:
    // `feature` names the adapters in the user's words ("the FCUSB focuser").
    explicit LoadedHidDevice(QString feature) : m_feature(std::move(feature)) {}

    HidOpen open(quint16 vendorId, quint16 productId) override;
    bool sendReport(const QByteArray& data) override;
    bool close() override;
    bool isOpen() const override;

private:
    QString m_feature;
    std::unique_ptr<HidDevice> m_device;
};
