#pragma once

#include "chart/NameSearch.h"

class FindObjects;
class FindPanelControl;

// The toolbar's search field's way to the finder: the window-less search
// first, the find panel's own search when that finds nothing it can centre.
class NameSearchLink final : public NameSearch {
public:
    NameSearchLink(FindObjects& finder, FindPanelControl& panel) : m_finder(finder), m_panel(panel) {}

    int findVoiceName(const QString& name) override;
    void findCenterAction() override;
    void searchInFindPanel(const QString& text) override;

private:
    FindObjects& m_finder;
    FindPanelControl& m_panel;
};
