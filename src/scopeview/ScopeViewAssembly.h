#pragma once

#include "chart/ChartAssembly.h"
#include "scopeview/SVTrackLink.h"
#include "scopeview/SVWindow.h"

#include <memory>

class DSSControl;
class Nomad;

// The telescope view window with its survey images and cone search, made
// after the chart's program and joined to its outlets, its finder and its
// menus for as long as it lives. `chart` must outlive it.
class ScopeViewAssembly {
public:
    ScopeViewAssembly(ChartAssembly& chart, const ChartAssembly::Folders& folders);
    ~ScopeViewAssembly();
    ScopeViewAssembly(const ScopeViewAssembly&) = delete;
    ScopeViewAssembly& operator=(const ScopeViewAssembly&) = delete;

    SVWindow& svWindow() { return m_window; }

private:
    ChartAssembly& m_chart;
    SVWindow m_window;
    std::unique_ptr<DSSControl> m_dssControl;
    std::unique_ptr<Nomad> m_nomad;
    std::unique_ptr<SVTrackLink> m_link;
};
