#pragma once

#include "chart/menus/TaggedMenuActions.h"

class NightVisionFade;
class PrefControl;
class UpdateChain;
struct ChartOutlets;

// The View menu: preset directions and fields, centring on and tracking the
// selection, full screen, night vision and the field outlines on the chart.
// Every item ends by re-projecting, redrawing and refreshing the readouts.
class ViewMenuActions final : public TaggedMenuActions {
public:
    static constexpr int kNightVisionTag = 15;
    static constexpr int kFinderOutlineTag = 48;

    ViewMenuActions(PrefControl& prefs, const ChartOutlets& outlets, UpdateChain& chain, NightVisionFade& fade);

    void menuAction(int tag) override;
    MenuItemState validateMenuItem(int tag) const override;

    // 1 north, 2 south, 3 east, 4 west, 5 altitude 45, 6 the zenith; any
    // other value only redraws.
    void lookDirection(int direction);
    void zoomAngle(double degrees);

private:
    void nightVision();
    void toggleOutline(int tag);
    bool hasFinderOutline() const;

    PrefControl& m_prefs;
    const ChartOutlets& m_outlets;
    UpdateChain& m_chain;
    NightVisionFade& m_fade;
};
