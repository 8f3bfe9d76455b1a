#pragma once

#include "scopeview/SVMountLink.h"

#include <optional>
#include <utility>

// A mount as the telescope view sees it, its state set by the test.
struct FakeSVMount final : SVMountLink {
    int protocol = kProtocolSynScan;
    double raError = 0.0;
    double decError = 0.0;
    bool connected = false;
    bool noResponse = false;
    bool slewing = false;
    bool threadUpdate = false;
    std::optional<std::pair<double, double>> lastGoto;

    int scopeProtocol() const override { return protocol; }
    double synScanRAError() const override { return raError; }
    double synScanDecError() const override { return decError; }
    bool isConnected() const override { return connected; }
    bool isNoResponse() const override { return noResponse; }
    bool isSlewing() const override { return slewing; }
    bool isThreadUpdate() const override { return threadUpdate; }
    void setIsThreadUpdate(bool update) override { threadUpdate = update; }
    void gotoRA(double ra, double dec) override { lastGoto = std::pair{ra, dec}; }
};
