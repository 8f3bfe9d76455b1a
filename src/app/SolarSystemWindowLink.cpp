#include "app/SolarSystemWindowLink.h"

#include "solarsystem/window/SSView.h"
#include "solarsystem/window/SSWindow.h"

void SolarSystemWindowLink::setHide(bool hide) { m_window.setHide(hide); }

bool SolarSystemWindowLink::isWindowVisible() const { return m_window.isVisible(); }

void SolarSystemWindowLink::display() { m_window.ssView().update(); }

void SolarSystemWindowLink::orderFront()
{
    m_window.show();
    m_window.raise();
    m_window.activateWindow();
}

void SolarSystemWindowLink::orderOut() { m_window.hide(); }

void SolarSystemWindowLink::updatePositions() { m_window.updatePositions(); }
