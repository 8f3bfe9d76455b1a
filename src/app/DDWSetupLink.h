#pragma once

#include "app/LazySetupPanel.h"
#include "model/settings/links/DDWSetupPanel.h"
#include "mount/panels/DDWPanel.h"

// The Digital Dome Works panel's set-up fields as the settings reach them.
class DDWSetupLink final : public LazySetupPanel<DDWPanel, DDWSetupPanel> {
public:
    using LazySetupPanel::LazySetupPanel;

    void setDDWSetupText() override
    {
        if (DDWPanel* made = madePanel())
            made->setDDWSetupText();
    }

private:
    void fillTexts(DDWPanel& made) override { made.setDDWSetupText(); }
};
