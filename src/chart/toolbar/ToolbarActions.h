#pragma once

#include <QString>

class PrefControl;
class SkyTimeControl;
class UpdateChain;
struct ChartOutlets;

// What the main toolbar's items do: switch chart layers (storing them at
// once), open and close the time, direction, solar-system and telescope view
// windows, step the sky date, and find an object by name. None refreshes the
// bottom panel but the time steps. The labels carry a check mark while their
// layer or window is on.
class ToolbarActions {
public:
    ToolbarActions(PrefControl& prefs, const ChartOutlets& outlets, UpdateChain& chain, SkyTimeControl& time);

    // A tag the toolbar does not have does nothing.
    void skyToolbarAction(int tag);
    // Stepper 1 one second, 2 a minute, 3 an hour, 4 a day, forward or back;
    // the real-time clock keeps running. Refused while a mount is connected.
    void timeToolbarAction(int tag, bool forward);
    // Finds the object and centres the chart on it, or hands the text to the
    // find panel. False for an empty text, which only ends the editing.
    bool searchUsingToolbarSearchField(const QString& text);
    void showTimeControlPanel();
    void showDirectionControlPanel();

    // The item's label, with the check mark when its layer or window is on;
    // whatever marks `label` carries at either end are dropped first.
    QString validateToolbarItem(int tag, const QString& label) const;

private:
    void displayMain();
    void displayScopeView();
    void displaySolarSystem();
    void toggleScopeViewWindow();

    PrefControl& m_prefs;
    const ChartOutlets& m_outlets;
    UpdateChain& m_chain;
    SkyTimeControl& m_time;
};
