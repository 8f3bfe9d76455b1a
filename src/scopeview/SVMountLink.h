#pragma once

#include "mount/MountProtocols.h"

// What the telescope view reads of the mount controller: the protocol in use,
// the software sync offsets of a SynScan mount (radians), its state for the
// status light, and the goto of a track click (radians of date).
class SVMountLink {
public:
    virtual ~SVMountLink() = default;
    virtual int scopeProtocol() const = 0;
    virtual double synScanRAError() const = 0;
    virtual double synScanDecError() const = 0;

    virtual bool isConnected() const = 0;
    virtual bool isNoResponse() const = 0;
    virtual bool isSlewing() const = 0;
    // A fresh position arrived since the light last faded in.
    virtual bool isThreadUpdate() const = 0;
    virtual void setIsThreadUpdate(bool update) = 0;
    virtual void gotoRA(double ra, double dec) = 0;
};
