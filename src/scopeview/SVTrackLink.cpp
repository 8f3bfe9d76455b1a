#include "scopeview/SVTrackLink.h"

#include "scopeview/SVConeSearch.h"
#include "scopeview/SVView.h"
#include "scopeview/SVWindow.h"

#include <QPainter>

#include <algorithm>

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

void SVTrackLink::orderOut()
{
    m_window.hide();
}

void SVTrackLink::setKeepSVClosed(bool keepClosed)
{
    m_window.setKeepSVClosed(keepClosed);
}

double SVTrackLink::trackRAPlus() const
{
    return m_window.svView().state().trackRAPlus();
}

double SVTrackLink::trackDecPlus() const
{
    return m_window.svView().state().trackDecPlus();
}

bool SVTrackLink::isDSSImage() const
{
    return m_window.svView().state().isDSSImage();
}

void SVTrackLink::printPage(QPainter& painter, const QRectF& page)
{
    SVView& view = m_window.svView();
    const double side = std::min(page.width(), page.height());
    const double scale = side / std::max(1, std::max(view.width(), view.height()));
    painter.save();
    painter.translate(page.center() - QPointF(side, side) / 2.0);
    painter.scale(scale, scale);
    view.render(&painter);
    painter.restore();
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
