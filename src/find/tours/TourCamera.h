#pragma once

// The Canon camera as a tour takes its exposures.
class TourCamera {
public:
    virtual ~TourCamera() = default;
    virtual bool isCanonConnected() const = 0;
    // Starts one exposure with the camera's settings; false when it did not start.
    virtual bool canonStartBulbExposure() = 0;
    virtual bool isCanonExposing() const = 0;
    virtual bool isCanonDownloading() const = 0;
};
