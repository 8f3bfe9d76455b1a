#pragma once

#include <functional>

// The Canon camera as a tour takes its exposures.
class TourCamera {
public:
    virtual ~TourCamera() = default;
    virtual bool isCanonConnected() const = 0;
    // Starts one exposure with the camera's settings; `started` hears, once
    // the camera has answered, whether it did.
    virtual void canonStartBulbExposure(std::function<void(bool started)> started) = 0;
    virtual bool isCanonExposing() const = 0;
    virtual bool isCanonDownloading() const = 0;
};
