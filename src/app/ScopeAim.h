#pragma once

#include "chart/painting/TelescopeAim.h"
#include "mount/links/FinderTrack.h"

#include <functional>

class ScopeControl;
struct ChartOutlets;

// Where the telescope points, for the chart's reticle: the telescope view's
// centre, which the mount's position updates move, and the mount's state.
// Without a telescope view the mount's own last position stands in.
class ScopeAim final : public TelescopeAim {
public:
    ScopeAim(const ScopeControl& scope, const ChartOutlets& outlets, std::function<FinderTrack()> finder)
        : m_scope(scope), m_outlets(outlets), m_finder(std::move(finder))
    {
    }

    bool isReticleShown() const override;
    bool keepSVClosed() const override;
    void followFinder() override;
    double trackRA() const override;
    double trackDec() const override;
    double fov() const override;
    int scopeProtocol() const override;
    double synScanRAError() const override;
    double synScanDecError() const override;

private:
    const ScopeControl& m_scope;
    const ChartOutlets& m_outlets;
    std::function<FinderTrack()> m_finder;
};
