#pragma once

// What shows the settings outside the chart (the preferences window, the
// telescope view's drawer, the Connect menu, the clock): reloaded from the
// defaults after a reset, before the chart redraws, so that nothing shows an
// old value and no Save writes one back.
class SettingsReset {
public:
    virtual ~SettingsReset() = default;
    virtual void settingsReset() = 0;
};
