#pragma once

#include "camera/canon/CanonShutter.h"
#include "camera/guide/DSUSBControl.h"

// The guide adapters' DSUSB as the Canon camera's bulb shutter line.
class DSUSBShutter final : public CanonShutter {
public:
    explicit DSUSBShutter(DSUSBControl& dsusb) : m_dsusb(dsusb) {}
    bool isDSUSBConnected() const override { return m_dsusb.isDSUSBConnected(); }
    bool openDSShutter() override { return m_dsusb.openDSShutter(); }
    bool closeDSShutter() override { return m_dsusb.closeDSShutter(); }

private:
    DSUSBControl& m_dsusb;
};
