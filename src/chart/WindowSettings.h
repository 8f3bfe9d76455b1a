#pragma once

class PrefControl;
struct ChartOutlets;

// Applies the window settings that reach across every window and panel: the
// hiding while the application is inactive and the tool tips.
class WindowSettings {
public:
    WindowSettings(const PrefControl& prefs, const ChartOutlets& outlets);

    // Each window hides while inactive as its group's setting says.
    void setAllHide();
    // Every panel's tool tips on or off as the tool-tip setting says.
    void toolTipsControl();

private:
    const PrefControl& m_prefs;
    const ChartOutlets& m_outlets;
};
