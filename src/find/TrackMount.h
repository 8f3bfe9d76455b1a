#pragma once

// The mount controller as Track sends it to the selection. Positions are
// right ascension and declination in radians of date.
class TrackMount {
public:
    static constexpr int kTemmaIIProtocol = 5;

    virtual ~TrackMount() = default;
    virtual bool isConnected() const = 0;
    virtual int scopeProtocol() const = 0;
    // A Temma II mount takes no goto before its first sync.
    virtual bool isTemmaSync() const = 0;
    // Slews there.
    virtual void gotoRA(double ra, double dec) = 0;
    // Stores the goto target without moving.
    virtual void setGotoRA(double ra, double dec) = 0;
};
