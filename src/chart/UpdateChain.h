#pragma once

#include "model/settings/links/ChartRefresh.h"

#include <QRectF>

class PrefControl;
struct ChartOutlets;

// The re-project-and-redraw chain that every change of a setting or of the
// sky date ends in. The three full entries force the projection to recompute
// the time-dependent places; view-only changes let it recompute only what
// changed. Every step runs whatever the previous one did.
class UpdateChain final : public ChartRefresh {
public:
    UpdateChain(PrefControl& prefs, const ChartOutlets& outlets);

    // Re-project, redraw, refresh the readouts.
    void updateSkyView();
    // Recolour, then as updateSkyView; then the telescope view and the time
    // panel's date fields.
    void updateSky();
    // Recolour, the selected body's path, then as updateSkyView; then the
    // telescope view.
    void updateSkyAndColor() override;
    void updateBottomPanel();

    // Re-project (forced or not) and redraw, leaving the readouts.
    void redraw(bool force = false);
    // A change of view or time: re-project, redraw, refresh the readouts.
    void updateView();
    // Re-project (forced or not) without redrawing.
    void project(bool force);

    // The window zoomed: re-project and redraw.
    void zoom();
    // A resize of the chart view ended: the new bounds, re-project, redraw.
    void viewDidEndLiveResize(const QRectF& bounds);
    // Track the selection, re-project, refresh the readouts.
    void trackSelection();
    // Turn the view to the selection, re-project, redraw, refresh the readouts.
    void centerSelection();

private:
    void recolor();
    void display();
    void displayScopeView();

    PrefControl& m_prefs;
    const ChartOutlets& m_outlets;
};
