#include "scopeview/SVTrackLink.h"

#include "scopeview/SVConeSearch.h"
#include "scopeview/SVView.h"
#include "scopeview/SVWindow.h"

bool SVTrackLink::keepSVClosed() const
{
    return m_window.keepSVClosed();
}

bool SVTrackLink::isWindowVisible() const
{
    return m_window.isWindowVisible();
}

bool SVTrackLink::isMiniaturized() const
{
    return m_window.isMinimized();
}

void SVTrackLink::setTitle(const QString& title)
{
    m_window.setWindowTitle(title);
}

void SVTrackLink::orderFront()
{
    m_window.show();
    m_window.raise();
}

void SVTrackLink::setTrackIndex(int index)
{
    m_window.svView().state().setTrackIndex(index);
}

void SVTrackLink::setTrackRA(double ra, double dec)
{
    m_window.svView().setTrackRA(ra, dec);
}

void SVTrackLink::resetDeltas()
{
    m_window.svView().resetDeltas();
}

void SVTrackLink::dropFieldImages()
{
    m_window.svView().state().setIsDSSImage(false);
    if (m_nomad)
        m_nomad->setNomadHasData(false);
}

void SVTrackLink::display()
{
    m_window.display();
}

std::span<const ht2Star> SVTrackLink::ht2Stars() const
{
    return m_window.svView().ht2Stars();
}
