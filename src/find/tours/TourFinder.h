#pragma once

#include "find/FindResultCode.h"

#include <QString>

// The finder as the tours and the night planner use it: the window-less
// search, the selection it leaves and Track.
class TourFinder {
public:
    // Added by the tours' spoken step: the telescope is still slewing.
    static constexpr int findResultSlewing = 6;

    virtual ~TourFinder() = default;
    virtual FindResultCode findVoiceName(const QString& name) = 0;
    // The selection's object index and name.
    virtual int findIndex() const = 0;
    virtual QString findName() const = 0;
    // Where Track sends the selection, radians of date.
    virtual double trackRA() const = 0;
    virtual double trackDec() const = 0;
    virtual void setTrackRA(double ra, double dec) = 0;
    // Sends the telescope view and a connected mount to the selection.
    virtual void trackObject() = 0;
    // Turns the chart to the selection and redraws everything.
    virtual void centerAndUpdateSky() = 0;
};
