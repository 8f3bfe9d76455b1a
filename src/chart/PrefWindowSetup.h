#pragma once

// What the launch prepares of the preferences window.
class PrefWindowSetup {
public:
    virtual ~PrefWindowSetup() = default;
    // Every label, tab and button title from the string table "PrefPanel".
    virtual void localizePrefPanel() = 0;
    // The Setup tab from the settings.
    virtual void setupDate() = 0;
    // The Telescope tab for telescope slot 0 to 4.
    virtual void setupScopes(int slot) = 0;
    // The shortcut fields from the shortcut string.
    virtual void setupShortcuts() = 0;
    // The first state of the Fonts and Colours tab.
    virtual void setupFontsAndColors() = 0;
    // The hide check boxes from the settings.
    virtual void setupHideBoxes() = 0;
    // Brings the window to front on the tab at `index` (1 "Filters").
    virtual void showTab(int index) = 0;
};
