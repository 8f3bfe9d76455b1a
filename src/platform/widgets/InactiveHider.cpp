#include "platform/widgets/InactiveHider.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

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
        if (m_isMinimizedWhileInactive)
            m_window.setWindowState(m_window.windowState() & ~Qt::WindowMinimized);
        m_isHiddenWhileInactive = false;
        m_isMinimizedWhileInactive = false;
    } else if (state == Qt::ApplicationInactive && m_hides && m_window.isVisible()
               && !m_window.isMinimized()) {
        if (isOtherWindowShown()) {
            m_isHiddenWhileInactive = true;
            m_window.hide();
        } else {
            m_isMinimizedWhileInactive = true;
            m_window.setWindowState(m_window.windowState() | Qt::WindowMinimized);
        }
    }
}

bool InactiveHider::isOtherWindowShown() const
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(), [this](const QWidget* window) {
        const Qt::WindowType type = window->windowType();
        return window != &m_window && window->isVisible() && type != Qt::Popup && type != Qt::ToolTip;
    });
}
