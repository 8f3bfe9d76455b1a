#include "scopeview/SVControlLink.h"

#include "scopeview/PrintSVView.h"
#include "scopeview/SVView.h"
#include "scopeview/SVWindow.h"

void SVControlLink::orderFront()
{
    m_window.show();
    m_window.raise();
}

void SVControlLink::orderOut() { m_window.hide(); }

bool SVControlLink::isMiniaturized() const { return m_window.isMinimized(); }

bool SVControlLink::keepSVClosed() const { return m_window.keepSVClosed(); }

void SVControlLink::setKeepSVClosed(bool keepClosed) { m_window.setKeepSVClosed(keepClosed); }

void SVControlLink::setTitle(const QString& title) { m_window.setWindowTitle(title); }

double SVControlLink::trackRAPlus() const { return m_window.svView().state().trackRAPlus(); }

double SVControlLink::trackDecPlus() const { return m_window.svView().state().trackDecPlus(); }

void SVControlLink::resetDeltas() { m_window.svView().resetDeltas(); }

void SVControlLink::setTrackRA(double ra, double dec) { m_window.svView().setTrackRA(ra, dec); }

bool SVControlLink::isDSSImage() const { return m_window.svView().state().isDSSImage(); }

void SVControlLink::printPage(QPainter& painter, const QRectF& page) { m_print.printPage(painter, page); }
