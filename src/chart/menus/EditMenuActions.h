#pragma once

#include "chart/menus/TaggedMenuActions.h"

class PrefControl;
class SkyTimeControl;
class UpdateChain;
struct ChartOutlets;

// The Edit menu: copy the chart (or the find panel's text), paste into the
// find panel, open and close it, the deep-sky "show all" switch, the monitor
// test pattern, the spoken commands, and the one saved telescope-view
// position.
class EditMenuActions final : public TaggedMenuActions {
public:
    static constexpr int kCopyTag = 1;
    static constexpr int kFindTag = 2;
    static constexpr int kShowAllTag = 3;
    static constexpr int kMonitorAdjustTag = 4;
    static constexpr int kPasteTag = 5;
    static constexpr int kSpeechTag = 6;
    static constexpr int kSavePositionTag = 7;
    static constexpr int kRestorePositionTag = 8;
    static constexpr int kResetPositionTag = 9;

    // `time` gives the refusal's beep for a paste without text and a saved
    // position that cannot be used.
    EditMenuActions(PrefControl& prefs, const ChartOutlets& outlets, UpdateChain& chain, SkyTimeControl& time);

    void menuAction(int tag) override;
    MenuItemState validateMenuItem(int tag) const override;

    // Keeps the telescope view's centre as the saved position and selects it.
    void saveSVPosn();
    // Centres the telescope view on the saved position and slews a connected
    // mount there. With no position ever saved, or a saved text that is not
    // a position, it beeps and moves nothing.
    void restoreSVPosn();

private:
    void copy();
    void paste();
    void toggleFindPanel();
    void resetPosition();
    bool isFindPanelKey() const;
    bool isScopeViewVisible() const;
    void displayScopeView();

    PrefControl& m_prefs;
    const ChartOutlets& m_outlets;
    UpdateChain& m_chain;
    SkyTimeControl& m_time;
};
