#pragma once

#include "app/LazySetupPanel.h"
#include "model/settings/links/DomeSetupPanel.h"
#include "mount/panels/DomePanel.h"

// The dome board panel's set-up fields as the settings reach them.
class DomeSetupLink final : public LazySetupPanel<DomePanel, DomeSetupPanel> {
public:
    using LazySetupPanel::LazySetupPanel;

    void setDomeSetupText() override
    {
        if (DomePanel* made = madePanel())
            made->setDomeSetupText();
    }
    void setDomeCalText() override
    {
        if (DomePanel* made = madePanel())
            made->setDomeCalText();
    }

private:
    void fillTexts(DomePanel& made) override
    {
        made.setDomeSetupText();
        made.setDomeCalText();
    }
};
