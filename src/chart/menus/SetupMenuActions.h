#pragma once

#include "chart/menus/TaggedMenuActions.h"

#include <QDateTime>

class PrefControl;
class SkyTimeControl;
class UpdateChain;
struct ChartOutlets;

// The Setup menu: moves the chart between the five sites, taking each
// site's time zone while keeping the chart's wall-clock time, and runs the
// chart's clocks (real time, set time, back to the start-up moment), and
// shows or hides the photographic-horizon panel. Every item ends by
// re-projecting, redrawing and refreshing the readouts.
class SetupMenuActions final : public TaggedMenuActions {
public:
    static constexpr int kHomeSiteTag = 1;
    static constexpr int kLastSiteTag = 5;
    static constexpr int kPhotoHorizonTag = 6;
    static constexpr int kRealTimeTag = 10;
    static constexpr int kSetTimeTag = 11;
    static constexpr int kStartupTimeTag = 12;

    SetupMenuActions(PrefControl& prefs, const ChartOutlets& outlets, UpdateChain& chain, SkyTimeControl& time);

    void menuAction(int tag) override;
    MenuItemState validateMenuItem(int tag) const override;

    // Makes site `site`'s time zone the program's and returns the chart's
    // date read as the same wall-clock time there. A zone name that names no
    // zone leaves the zone and the date as they are.
    QDateTime switchTimeZones(int site);
    // The site the chart shows; the preferences window's site actions call this too.
    void setCurrentSite(int site);

private:
    void goToSite(int site);
    void togglePhotoHorizonPanel();
    void runRealTime();
    void runSetTime();
    void startupDateTime();
    void stopRealTime();
    bool isMountConnected() const;

    PrefControl& m_prefs;
    const ChartOutlets& m_outlets;
    UpdateChain& m_chain;
    SkyTimeControl& m_time;
};
