#pragma once

#include "mount/MountFamily.h"
#include "mount/MountProtocols.h"

#include <QString>

// The mounts' hand-control panels, one per kind.
class HandControlPanels {
public:
    virtual ~HandControlPanels() = default;
    virtual bool isVisible(MountPanel panel) const = 0;
    // Shows the panel titled with the telescope's name and fully opaque.
    virtual void showPanel(MountPanel panel, const QString& title) = 0;
    virtual void hidePanel(MountPanel panel) = 0;
    virtual void setAlpha(MountPanel panel, double alpha) = 0;
    // Disables the panel's speed control (protocols that cannot change it).
    virtual void disableBaud(MountPanel panel) = 0;
    // The LX200 panel names its sync button as an AstroPhysics mount needs.
    virtual void setAPSyncTitle() = 0;

    // What the protocol families read from and show on the panels; any
    // thread may call these (the worker runs most protocol operations).
    virtual bool isLocked(MountPanel) const { return false; }
    // The fixed slew pulse of the LX200 or Gemini panel.
    virtual bool isTenth(MountPanel) const { return false; }
    virtual bool isQuarter(MountPanel) const { return false; }
    virtual bool isHalf(MountPanel) const { return false; }
    // The LX200 panel's locked direction buttons go off after a pulse.
    virtual void setSlewButtonsOff() {}
    // Temma: the pier side, the RA motor on stand-by, the guide rate (percent).
    virtual void setSideRadio(bool) {}
    virtual void setTrackRadio() {}
    virtual int guideRate() const { return 50; }
    // NexStar: the tracking mode 0..3, the SynScan sync state, the sync button.
    virtual void setNexStarModeMatrix(int) {}
    virtual void setSynScanSyncButton(bool) {}
    virtual void setSyncEnable(bool) {}
    // Gemini: the speed cell and the pop-up items the mount reports, by tag.
    virtual void setSlewSpeedRadio(int) {}
    virtual void setGeminiModeMenu(int) {}
    virtual void setGeminiBaudMenu(int) {}
    virtual void setGeminiGuideSpeedMenu(int) {}
    virtual void setGeminiCenterSpeedMenu(int) {}
    virtual void setGeminiSlewSpeedMenu(int) {}
};
