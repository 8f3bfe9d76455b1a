#pragma once

#include "ChartFakes.h"

#include "model/TempSettings.h"
#include "model/settings/PrefControl.h"

#include <memory>

// A settings object on a temporary settings file, with a fake of everything
// the chart window talks to.
class ChartPrefsTest : public TempSettings {
protected:
    // A new settings object, not yet read.
    PrefControl& makePrefs()
    {
        m_prefs = std::make_unique<PrefControl>(fakes.gamma);
        fakes.prefs = m_prefs.get();
        return *m_prefs;
    }
    // A new settings object after its launch read.
    PrefControl& readPrefs()
    {
        makePrefs().readPrefs();
        return *m_prefs;
    }
    // The settings object made last.
    PrefControl& settings() { return *m_prefs; }

    ChartFakes fakes;

private:
    std::unique_ptr<PrefControl> m_prefs;
};
