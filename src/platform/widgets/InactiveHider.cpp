#include "platform/widgets/InactiveHider.h"

#include <QGuiApplication>
#include <QWidget>

InactiveHider::InactiveHider(QWidget& window) : m_window(window)
{
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            &InactiveHider::applicationStateChanged);
}

void InactiveHider::applicationStateChanged(Qt::ApplicationState state)
{
    if (state == Qt::ApplicationActive) {
        // Only what was hidden here comes back: a window closed before stays closed.
        if (m_isHiddenWhileInactive)
            m_window.show();
        m_isHiddenWhileInactive = false;
    } else if (state == Qt::ApplicationInactive && m_hides && m_window.isVisible()) {
        m_isHiddenWhileInactive = true;
        m_window.hide();
    }
}
