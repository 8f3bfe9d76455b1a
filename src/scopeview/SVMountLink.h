#pragma once

// What the telescope view reads of the mount controller: the protocol in use
// and the software sync offsets of a SynScan mount (radians).
class SVMountLink {
public:
    static constexpr int kSynScanProtocol = 12;

    virtual ~SVMountLink() = default;
    virtual int scopeProtocol() const = 0;
    virtual double synScanRAError() const = 0;
    virtual double synScanDecError() const = 0;
};
