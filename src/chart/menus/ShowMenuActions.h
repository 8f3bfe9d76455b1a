#pragma once

#include "chart/menus/TaggedMenuActions.h"

class PrefControl;
class UpdateChain;
struct ChartOutlets;

// The Show menu: items 1 to 19 each switch one chart layer, store it at once
// and re-project and redraw as much as that layer needs. The bottom panel is
// never refreshed. The spoken commands reach the same switches by setItem.
class ShowMenuActions final : public TaggedMenuActions {
public:
    static constexpr int kFirstTag = 1;
    static constexpr int kLastTag = 19;
    // What follows one switch; listed with the switches.
    enum class FollowUp;

    ShowMenuActions(PrefControl& prefs, const ChartOutlets& outlets, UpdateChain& chain);

    // Any other tag only redraws the chart.
    void menuAction(int tag) override;
    // The switch of `tag` without the menu: the planet and comet names leave
    // the solar-system window alone, 17 only redraws, 18 forces the projection.
    void setItem(int tag);
    // Always enabled; the mark is the stored switch.
    MenuItemState validateMenuItem(int tag) const override;

private:
    void apply(int tag, bool fromMenu);
    void followUp(FollowUp step);
    void display();

    PrefControl& m_prefs;
    const ChartOutlets& m_outlets;
    UpdateChain& m_chain;
};
