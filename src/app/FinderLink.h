#pragma once

#include "chart/Finder.h"

#include <functional>

class FindObjects;
class InfoPanelControl;
class TourControl;

// The chart view's finder: the hit test and Track of the object finder, the
// information panels, and the find panel's opening.
class FinderLink final : public Finder {
public:
    FinderLink(FindObjects& finder, InfoPanelControl& panels, std::function<void(bool)> openFind)
        : m_finder(finder), m_panels(panels), m_openFind(std::move(openFind))
    {
    }

    void findObject(QPointF chartPoint) override;
    void findTrackAction() override;
    void updatePanelInfo(bool planner) override;
    void addTourObject() override;
    // Chart clicks add to a tour being built once the tours exist.
    void setTours(TourControl* tours) { m_tours = tours; }
    void escapePanel() override;
    void openFind(bool open) override;

private:
    FindObjects& m_finder;
    InfoPanelControl& m_panels;
    std::function<void(bool)> m_openFind;
    TourControl* m_tours = nullptr;
};
