#pragma once

#include <QString>

// The Digital Dome Works panel as its controller updates it.
class DDWView {
public:
    virtual ~DDWView() = default;
    virtual bool isGEM() const = 0;
    virtual void setPanelTitle(const QString& version) = 0;
    // Shows the azimuths, shutter, home, DSR and pins the controller holds.
    virtual void setDDWUpdateText() = 0;
    // The port scan ended: connected, or no controller answered.
    virtual void ddwConnectEnded(bool connected) = 0;
};
