#include "app/SolarSystemWindowLink.h"

#include "platform/widgets/WindowStacking.h"

#include "solarsystem/window/SSView.h"
#include "solarsystem/window/SSWindow.h"

void SolarSystemWindowLink::setHide(bool hide) { m_window.setHide(hide); }

bool SolarSystemWindowLink::isWindowVisible() const { return m_window.isVisible(); }

void SolarSystemWindowLink::display() { m_window.ssView().update(); }

void SolarSystemWindowLink::orderFront() { WindowStacking::bringToFront(m_window); }

void SolarSystemWindowLink::orderOut() { m_window.hide(); }

void SolarSystemWindowLink::updatePositions() { m_window.updatePositions(); }
