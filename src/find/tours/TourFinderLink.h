#pragma once

#include "find/tours/TourFinder.h"

#include <functional>

class FindObjects;
class FindSky;
class PrefControl;

// The object finder as the tours and the night planner reach it.
class TourFinderLink final : public TourFinder {
public:
    TourFinderLink(FindObjects& finder, FindSky& sky, PrefControl& prefs, std::function<void()> updateSky)
        : m_finder(finder), m_sky(sky), m_prefs(prefs), m_updateSky(std::move(updateSky))
    {
    }

    FindResultCode findVoiceName(const QString& name) override;
    int findIndex() const override;
    QString findName() const override;
    double trackRA() const override;
    double trackDec() const override;
    void setTrackRA(double ra, double dec) override;
    void trackObject() override;
    void centerAndUpdateSky() override;

private:
    FindObjects& m_finder;
    FindSky& m_sky;
    PrefControl& m_prefs;
    std::function<void()> m_updateSky;
};
