#pragma once

#include <QString>

#include <mutex>

// The finder's selection as the mount's sync commands read it: its object
// index (-1 none) and tracked place, radians of date (ra -1 before the first find).
struct FinderTrack {
    int findIndex = -1;
    double ra = -1.0;
    double dec = 0.0;
    QString name;  // the selected object's name
};

// A copy of the finder's selection taken on the main thread, which the
// worker's protocol operations read without touching the finder itself.
class FinderTrackSnapshot {
public:
    void set(const FinderTrack& track)
    {
        const std::lock_guard lock(m_mutex);
        m_track = track;
    }
    FinderTrack get() const
    {
        const std::lock_guard lock(m_mutex);
        return m_track;
    }

private:
    mutable std::mutex m_mutex;
    FinderTrack m_track;
};
