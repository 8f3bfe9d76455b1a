#pragma once

// The dome board's long jobs, which run on its port's worker (messages 200 to 204).
class DomeBoardJobs {
public:
    virtual ~DomeBoardJobs() = default;
    virtual void domeTrackTimer() = 0;
    virtual void domeCalibrateTimer() = 0;
    virtual void domeHomeTimer() = 0;
    virtual void domeRelayWestOnTimer() = 0;
    virtual void domeRelayEastOnTimer() = 0;
};

// A dome that follows the mount: after a goto the worker turns it when it tracks.
class DomeFollower {
public:
    virtual ~DomeFollower() = default;
    virtual bool isTracking() const = 0;
    virtual void followMount() = 0;
};
