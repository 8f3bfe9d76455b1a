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
    // A setting the mount reported or took, shown by its code.
    virtual void showSetting(MountPanel, MountPanelSetting, int) {}
    // The LX200 panel's locked direction buttons go off.
    virtual void setSlewButtonsOff() {}
};
