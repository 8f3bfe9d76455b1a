#include "app/SolarSystemWindowLink.h"

#include "platform/widgets/WindowStacking.h"

#include "solarsystem/window/SSView.h"
#include "solarsystem/window/SSWindow.h"

void SolarSystemWindowLink::setHide(bool hide)
{
    // A window made later takes the setting as it is made.
    if (SSWindow* window = m_window.ifMade())
        window->setHide(hide);
}

bool SolarSystemWindowLink::isWindowVisible() const
{
    const SSWindow* window = m_window.ifMade();
    return window && window->isVisible();
}

void SolarSystemWindowLink::display()
{
    if (SSWindow* window = m_window.ifMade())
        window->ssView().update();
}

void SolarSystemWindowLink::orderFront()
{
    const bool isNew = !m_window.isMade();
    SSWindow& window = m_window.get();
    if (isNew)
        window.updatePositions();
    WindowStacking::bringToFront(window);
}

void SolarSystemWindowLink::orderOut()
{
    if (SSWindow* window = m_window.ifMade())
        window->hide();
}

void SolarSystemWindowLink::updatePositions()
{
    if (SSWindow* window = m_window.ifMade())
        window->updatePositions();
}
