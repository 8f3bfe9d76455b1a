#pragma once

#include "app/ScopeGuideMount.h"
#include "camera/guide/DSUSBControl.h"
#include "camera/guide/GPUSBControl.h"
#include "camera/guide/QtGuideClock.h"
#include "camera/guide/WebcamGuide.h"

#include <memory>

class DebugLog;
class GuidePanel;
class MountLink;
class PrefControl;
class QWidget;

// The webcam autoguider with its GPUSB and DSUSB adapters, wired to the
// mount controller and the Connect menu. The guide panel is made when the
// webcam panel first asks for it, so that its widgets cost nothing before.
// The mount side forgets the guider and the adapters when this goes.
class GuideLink final {
public:
    struct Devices {
        std::unique_ptr<HidDevice> gpusb;
        std::unique_ptr<HidDevice> dsusb;
        // The USB adapters through hidapi.
        static Devices usb();
    };

    GuideLink(PrefControl& prefs, DebugLog& log, MountLink& mount, Devices devices, QWidget* window);
    ~GuideLink();

    WebcamGuide& webcamGuide() { return m_guide; }
    GPUSBControl& gpusbControl() { return m_gpusb; }
    DSUSBControl& dsusbControl() { return m_dsusb; }
    GuidePanel& guidePanel();

private:
    MountLink& m_mountLink;
    QtGuideClock m_clock;
    ScopeGuideMount m_mount;
    WebcamGuide m_guide;
    GPUSBControl m_gpusb;
    DSUSBControl m_dsusb;
    QWidget* m_window;
    std::unique_ptr<GuidePanel> m_panel;
};
