#pragma once

#include "app/ChartAssembly.h"
#include "scopeview/PrintSVView.h"
#include "scopeview/SVControlLink.h"
#include "scopeview/SVScopeMount.h"
#include "scopeview/SVSolarSystemLink.h"
#include "scopeview/SVWindow.h"

#include <memory>

class DSSControl;
class Nomad;

// The telescope view window with its survey images, cone search, discs,
// printed page and mount, made after the chart's program and joined to its
// outlets, its finder, its menus and its mount controller for as long as it
// lives. `chart` must outlive it.
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
    SVSolarSystemLink m_discs;
    SVScopeMount m_mount;
    PrintSVView m_print;
    std::unique_ptr<DSSControl> m_dssControl;
    std::unique_ptr<Nomad> m_nomad;
    std::unique_ptr<SVControlLink> m_link;
};
