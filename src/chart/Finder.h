#pragma once

#include <QPointF>

// The finder, its information panels and tours as the chart view uses them.
class Finder {
public:
    virtual ~Finder() = default;
    // Selects the object nearest the chart point (y upward), or nothing.
    virtual void findObject(QPointF chartPoint) = 0;
    // Tracks the selected object: the telescope view follows it and a
    // connected mount slews to it.
    virtual void findTrackAction() = 0;
    // Fills the information panel with the selection; `planner` when the
    // click goes on to the observing planner.
    virtual void updatePanelInfo(bool planner) = 0;
    // Adds the selection to the tour being built.
    virtual void addTourObject() = 0;
    // Closes the front information panel.
    virtual void escapePanel() = 0;
    // The find panel was shown (true) or hidden (false).
    virtual void openFind(bool open) = 0;
};
