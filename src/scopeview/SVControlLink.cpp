#include "scopeview/SVControlLink.h"

#include "platform/widgets/WindowStacking.h"

#include "scopeview/PrintSVView.h"
#include "scopeview/SVConeSearch.h"
#include "scopeview/SVDrawer.h"
#include "scopeview/SVView.h"
#include "scopeview/SVWindow.h"

bool SVControlLink::keepSVClosed() const { return m_window.keepSVClosed(); }

void SVControlLink::setKeepSVClosed(bool keepClosed) { m_window.setKeepSVClosed(keepClosed); }

bool SVControlLink::isWindowVisible() const { return m_window.isWindowVisible(); }

bool SVControlLink::isMiniaturized() const { return m_window.isMinimized(); }

void SVControlLink::setTitle(const QString& title) { m_window.setWindowTitle(title); }

void SVControlLink::orderFront() { WindowStacking::bringToFront(m_window); }

void SVControlLink::showInFront() { WindowStacking::showInFront(m_window); }

void SVControlLink::orderOut() { m_window.hide(); }

void SVControlLink::setTrackIndex(int index) { m_window.svView().state().setTrackIndex(index); }

void SVControlLink::setTrackRA(double ra, double dec) { m_window.svView().setTrackRA(ra, dec); }

void SVControlLink::resetDeltas() { m_window.svView().resetDeltas(); }

void SVControlLink::dropFieldImages()
{
    m_window.svView().state().setIsDSSImage(false);
    if (m_nomad)
        m_nomad->setNomadHasData(false);
}

void SVControlLink::display() { m_window.display(); }

void SVControlLink::setupDrawer() { m_window.setupDrawer(); }

double SVControlLink::trackRA() const { return m_window.svView().state().trackRA(); }

double SVControlLink::trackDec() const { return m_window.svView().state().trackDec(); }

double SVControlLink::fov() const { return m_window.svDrawer().fov(); }

double SVControlLink::trackRAPlus() const { return m_window.svView().state().trackRAPlus(); }

double SVControlLink::trackDecPlus() const { return m_window.svView().state().trackDecPlus(); }

bool SVControlLink::isDSSImage() const { return m_window.svView().state().isDSSImage(); }

void SVControlLink::printPage(QPainter& painter, const QRectF& page) { m_print.printPage(painter, page); }

std::span<const ht2Star> SVControlLink::ht2Stars() const { return m_window.svView().ht2Stars(); }
