#pragma once

#include <QString>

// The telescope view and its window as Track drives them.
class TrackView {
public:
    virtual ~TrackView() = default;
    // The user closed the window; it is not reopened by a Track.
    virtual bool keepSVClosed() const = 0;
    virtual bool isWindowVisible() const = 0;
    virtual bool isMiniaturized() const = 0;
    virtual void setTitle(const QString& title) = 0;
    virtual void orderFront() = 0;
    // The object index of the field centre.
    virtual void setTrackIndex(int index) = 0;
    // The field centre, radians of date; the pan stays.
    virtual void setTrackRA(double ra, double dec) = 0;
    // Drops the user's pan.
    virtual void resetDeltas() = 0;
    // Drops the survey image and the cone-search stars of the old field.
    virtual void dropFieldImages() = 0;
    virtual void display() = 0;
};
