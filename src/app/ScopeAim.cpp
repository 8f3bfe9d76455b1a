#include "app/ScopeAim.h"

#include "chart/ChartOutlets.h"
#include "model/Angles.h"
#include "mount/ScopeControl.h"
#include "scopeview/ScopeViewControl.h"
#include "scopeview/ScopeViewWindow.h"

bool ScopeAim::isReticleShown() const
{
    return (m_outlets.svWindow && m_outlets.svWindow->isWindowVisible()) || m_scope.isConnected();
}

bool ScopeAim::keepSVClosed() const
{
    return m_outlets.svControl && m_outlets.svControl->keepSVClosed();
}

void ScopeAim::followFinder()
{
    if (!m_outlets.svControl || !m_finder)
        return;
    const FinderTrack track = m_finder();
    m_outlets.svControl->setTrackRA(track.ra, track.dec);
}

double ScopeAim::trackRA() const
{
    return m_outlets.svControl ? m_outlets.svControl->trackRA() : m_scope.scopeRA() * Angles::kDegToRad;
}

double ScopeAim::trackDec() const
{
    return m_outlets.svControl ? m_outlets.svControl->trackDec() : m_scope.scopeDec() * Angles::kDegToRad;
}

double ScopeAim::fov() const
{
    return m_outlets.svControl ? m_outlets.svControl->fov() : 0.0;
}

int ScopeAim::scopeProtocol() const { return m_scope.scopeProtocol(); }

double ScopeAim::synScanRAError() const { return m_scope.synScanRAError(); }

double ScopeAim::synScanDecError() const { return m_scope.synScanDecError(); }
