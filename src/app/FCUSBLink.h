#pragma once

#include "focus/FCUSBControl.h"

#include <memory>

class FCUSB;
class FocusLink;
class HidDevice;
class PrefControl;
class QWidget;
struct ChartOutlets;
struct PrefLinks;

// The FCUSB focus-motor controller's two units and window, joined to the
// settings (its four values), the chart's outlets (the focuser-hide
// setting) and the Focuser menu.
class FCUSBLink final {
public:
    struct Devices {
        std::unique_ptr<HidDevice> fcusb;
        std::unique_ptr<HidDevice> fcusb2;
        // The two units through hidapi.
        static Devices usb();
    };

    FCUSBLink(PrefControl& prefs, Devices devices, QWidget* window);
    ~FCUSBLink();

    FCUSBControl& control() { return m_control; }
    FCUSB& window() { return *m_window; }

    void fillLinks(PrefLinks& links);
    void fillOutlets(ChartOutlets& outlets);
    void joinFocus(FocusLink& focus);

private:
    FCUSBControl m_control;
    // A child of the chart window, but it goes before the control it acts on.
    std::unique_ptr<FCUSB> m_window;
};
