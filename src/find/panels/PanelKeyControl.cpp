#include "find/panels/PanelKeyControl.h"

#include "model/settings/PrefControl.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace {

constexpr qreal kTransparent = 0.25;
constexpr qreal kOpaque = 1.0;

}  // namespace

PanelKeyControl::PanelKeyControl(PrefControl& prefs, Links links, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_prefs(prefs), m_links(std::move(links))
{
    mouseExited();
}

void PanelKeyControl::enterEvent(QEnterEvent* event)
{
    setWindowOpacity(kOpaque);
    if (m_links.setKillAlphaTimer)
        m_links.setKillAlphaTimer();
    QWidget::enterEvent(event);
}

void PanelKeyControl::leaveEvent(QEvent* event)
{
    mouseExited();
    QWidget::leaveEvent(event);
}

void PanelKeyControl::mouseExited()
{
    setWindowOpacity(m_prefs.isTransparent() ? kTransparent : kOpaque);
}

void PanelKeyControl::keyPressEvent(QKeyEvent* event)
{
    if (m_links.chart.keyDown)
        m_links.chart.keyDown(event);
}

void PanelKeyControl::closeEvent(QCloseEvent* event)
{
    if (m_prefs.isCreateTour() && windowTitle() == QLatin1String(kTourTitle)) {
        // Building goes on in the panel as it is, never hidden and shown anew.
        if (m_links.handleTourClose && m_links.handleTourClose()) {
            event->ignore();
            return;
        }
    } else {
        m_links.chart.makeKey();
    }
    QWidget::closeEvent(event);
}
