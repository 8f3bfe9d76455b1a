#pragma once

// The Digital Dome Works set-up panel.
class DDWSetupPanel {
public:
    virtual ~DDWSetupPanel() = default;
    virtual void setIsGEM(bool germanEquatorial) = 0;
    // Shows the controller's geometry, delta and frequency.
    virtual void setDDWSetupText() = 0;
    virtual bool isGEM() const = 0;
    virtual bool isVisible() const = 0;
};
