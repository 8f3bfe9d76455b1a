#pragma once

// The SG-4 controller's work its port's worker carries: the image transfer
// (on the worker) and the all-sky movie frame (bounced to the main thread).
class SG4Jobs {
public:
    virtual ~SG4Jobs() = default;
    virtual void sg4ImageDownload() = 0;
    virtual void allSkyRecordMovie() = 0;
};
