#include "chart/SolarSystemWindowLink.h"

#include "solarsystem/window/SSWindow.h"

void SolarSystemWindowLink::setHide(bool hide) { m_window.setHide(hide); }
