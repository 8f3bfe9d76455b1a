#pragma once

#include <QString>

// What outside programs and spoken commands reach of the finder and tours.
class RemoteFinder {
public:
    virtual ~RemoteFinder() = default;
    // A FindResultCode.
    virtual int findVoiceName(const QString& name) = 0;
    // Track as if the user had pressed Track.
    virtual void findTrackAction() = 0;
    // Track without the panel's side effects.
    virtual void trackObject() = 0;
    // Radians of the last tracked position.
    virtual double trackRA() const = 0;
    virtual double trackDec() const = 0;
    // One tour step (1 next, 2 previous); a find result code, or
    // TourFinder::findResultSlewing while the mount slews.
    virtual int voiceTrack(int direction) = 0;
};
