#pragma once

// The telescope view's side of tracking: the solar-system passes hand it the
// new place of the object it tracks, unless a mount is connected (the mount's
// reported position then moves the view).
class TelescopeTracking {
public:
    virtual ~TelescopeTracking() = default;
    // The tracked object (object-index bands); kNoObjectIndex for none.
    virtual int trackIndex() const = 0;
    virtual bool isConnected() const = 0;
    // The tracked object's new place of date, radians.
    virtual void setTrackRA(double ra, double dec) = 0;
};
