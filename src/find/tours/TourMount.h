#pragma once

// The mount as a tour waits on it.
class TourMount {
public:
    virtual ~TourMount() = default;
    virtual bool isConnected() const = 0;
    virtual bool isSlewing() const = 0;
    // Asks the mount whether it slews; true while it does.
    virtual bool genericSlewDetect() = 0;
};
