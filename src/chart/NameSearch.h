#pragma once

#include <QString>

// Finding an object by name as the toolbar's search field asks for it.
class NameSearch {
public:
    // The answer of findVoiceName when the object was found and selected.
    static constexpr int kFoundAndSelected = 4;

    virtual ~NameSearch() = default;
    // Finds and selects the object without any panel: 1 ambiguous comet
    // name, 2 below the horizon, 3 not found, 4 found and selected, 5 filtered out.
    virtual int findVoiceName(const QString& name) = 0;
    // Centres the chart on the selection.
    virtual void findCenterAction() = 0;
    // Brings the find panel to the front with `text` in its entry and runs
    // the panel's own search, which shows its results and messages.
    virtual void searchInFindPanel(const QString& text) = 0;
};
