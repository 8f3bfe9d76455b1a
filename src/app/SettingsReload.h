#pragma once

#include "model/settings/links/SettingsReset.h"

class PrefControl;
class PrefWindowLink;
class SkyDateModel;
struct ChartOutlets;

// After a reset of the settings: the program's zone goes back to the home
// site's with the site, the sky date is worked out again for the home
// longitude, and every window, drawer and menu that shows a setting reads the
// defaults. The chart redraws once afterwards, for the moment the clock shows.
class SettingsReload final : public SettingsReset {
public:
    SettingsReload(PrefControl& prefs, SkyDateModel& skyDate, PrefWindowLink& prefWindow,
                   const ChartOutlets& outlets)
        : m_prefs(prefs), m_skyDate(skyDate), m_prefWindow(prefWindow), m_outlets(outlets)
    {
    }

    void settingsReset() override;

private:
    PrefControl& m_prefs;
    SkyDateModel& m_skyDate;
    PrefWindowLink& m_prefWindow;
    const ChartOutlets& m_outlets;
};
