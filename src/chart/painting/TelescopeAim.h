#pragma once

// Where the telescope points, as the chart's reticle reads it from the
// telescope view and the mount controller.
class TelescopeAim {
public:
    virtual ~TelescopeAim() = default;

    // The telescope view window is visible or a mount is connected.
    virtual bool isReticleShown() const = 0;
    // The user closed the telescope view window; it stays closed while tracking.
    virtual bool keepSVClosed() const = 0;
    // Centres the telescope view on the finder's current place.
    virtual void followFinder() = 0;
    // The telescope view's centre (radians, of date) and field (degrees).
    virtual double trackRA() const = 0;
    virtual double trackDec() const = 0;
    virtual double fov() const = 0;
    // The connected mount's protocol (12 SynScan) and its software-sync
    // offsets (radians).
    virtual int scopeProtocol() const = 0;
    virtual double synScanRAError() const = 0;
    virtual double synScanDecError() const = 0;
};
