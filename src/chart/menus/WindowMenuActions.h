#pragma once

#include "chart/menus/TaggedMenuActions.h"

class PrefControl;
class UpdateChain;
struct ChartOutlets;

// The Window menu: shows and hides the direction and time panels (kept for
// the next launch), the telescope view, the solar-system window, the chart
// window and the information panels. Hiding the telescope view or the chart
// from here keeps it closed until this menu shows it again.
class WindowMenuActions final : public TaggedMenuActions {
public:
    static constexpr int kDirectionPanelTag = 1;
    static constexpr int kTimePanelTag = 2;
    static constexpr int kScopeViewTag = 3;
    static constexpr int kSolarSystemTag = 4;
    static constexpr int kSkyWindowTag = 6;
    static constexpr int kInfoPanelTag = 8;

    WindowMenuActions(PrefControl& prefs, const ChartOutlets& outlets, UpdateChain& chain);

    void menuAction(int tag) override;
    // Every item is enabled, but that of the chart, the telescope view or
    // the solar-system window while it is the only one of them open: without
    // a menu bar elsewhere nothing could be shown again.
    MenuItemState validateMenuItem(int tag) const override;

private:
    void toggleScopeView();
    void toggleSkyWindow();
    bool isScopeViewVisible() const;
    bool isSolarSystemVisible() const;
    bool isSkyWindowVisible() const;
    // A window open may be hidden here only while another carries the menus.
    bool mayHide(bool isVisible) const;

    PrefControl& m_prefs;
    const ChartOutlets& m_outlets;
    UpdateChain& m_chain;
};
