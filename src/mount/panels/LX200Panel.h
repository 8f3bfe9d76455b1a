#pragma once

#include "mount/panels/PulsePanel.h"

// The LX200, LX200 GPS and AstroPhysics panel.
class LX200Panel : public PulsePanel {
    Q_OBJECT
public:
    static constexpr int kSyncTag = 30;

    LX200Panel(Links links, QWidget* parent = nullptr);

    // An AstroPhysics mount recalibrates where others sync.
    void setAPSyncTitle();

protected:
    void sendCode(int code) override;
    void commandAction(int tag) override;
};
