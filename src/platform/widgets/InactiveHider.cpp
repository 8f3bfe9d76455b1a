#include "platform/widgets/InactiveHider.h"

#include "platform/widgets/ProgramActivity.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>

InactiveHider::InactiveHider(QWidget& window) : InactiveHider(window, ProgramActivity::instance()) {}

InactiveHider::InactiveHider(QWidget& window, ProgramActivity& activity) : m_window(window)
{
    connect(&activity, &ProgramActivity::stateChanged, this, &InactiveHider::applicationStateChanged);
    window.installEventFilter(this);
}

void InactiveHider::applicationStateChanged(Qt::ApplicationState state)
{
    if (state == Qt::ApplicationActive) {
        // As it iconifies the window, the window system can report the focus
        // on it while another program holds the keyboard; restoring it would
        // take the keyboard back. Restored by the user, it is no longer
        // minimised when the focus comes.
        if (m_isMinimizedWhileInactive && m_window.isMinimized() &&
            QGuiApplication::focusWindow() == m_window.windowHandle())
            return;
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
            m_mayOpenMinimized = true;
            m_window.setWindowState(m_window.windowState() | Qt::WindowMinimized);
        }
    }
}

bool InactiveHider::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && event->type() == QEvent::Hide && m_mayOpenMinimized && !m_window.isMinimized())
        forgetMinimizedStart();
    return QObject::eventFilter(watched, event);
}

void InactiveHider::forgetMinimizedStart()
{
    // Minimised by the program, a window tells the window system to map it
    // minimised; restored by the window manager, it keeps telling so, and
    // shown again it would come back minimised. Any change of its state
    // while it is withdrawn rewrites that hint, and shows nothing.
    m_mayOpenMinimized = false;
    QWindow* handle = m_window.windowHandle();
    if (!handle)
        return;
    const Qt::WindowStates states = handle->windowStates();
    handle->setWindowStates(states ^ Qt::WindowMaximized);
    handle->setWindowStates(states);
}

bool InactiveHider::isOtherWindowShown() const
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(), [this](const QWidget* window) {
        const Qt::WindowType type = window->windowType();
        return window != &m_window && window->isVisible() && type != Qt::Popup && type != Qt::ToolTip;
    });
}
