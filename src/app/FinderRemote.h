#pragma once

#include "find/FindObjects.h"
#include "find/tours/TourControl.h"
#include "remote/events/RemoteFinder.h"

// The finder and the tours as outside programs and spoken commands reach them.
class FinderRemote final : public RemoteFinder {
public:
    FinderRemote(FindObjects& finder, TourControl& tours) : m_finder(finder), m_tours(tours) {}
    int findVoiceName(const QString& name) override { return m_finder.findVoiceName(name); }
    void findTrackAction() override { m_finder.findTrackAction(); }
    void trackObject() override { m_finder.trackObject(); }
    double trackRA() const override { return m_finder.trackRA(); }
    double trackDec() const override { return m_finder.trackDec(); }
    int voiceTrack(int direction) override { return m_tours.voiceTrack(direction); }

private:
    FindObjects& m_finder;
    TourControl& m_tours;
};
