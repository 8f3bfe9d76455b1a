#include "platform/widgets/X11ActiveWindow.h"

#include "platform/widgets/XcbConnection.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

#include <cstring>
#include <optional>

#include <unistd.h>

std::unique_ptr<X11ActiveWindow> X11ActiveWindow::create()
{
    xcb_connection_t* connection = Xcb::connection();
    if (!connection)
        return nullptr;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return nullptr;
    return std::unique_ptr<X11ActiveWindow>(new X11ActiveWindow(connection, screen->root));
}

X11ActiveWindow::X11ActiveWindow(xcb_connection_t* connection, xcb_window_t root)
    : m_connection(connection),
      m_root(root),
      m_activeWindow(atom("_NET_ACTIVE_WINDOW")),
      m_supportingCheck(atom("_NET_SUPPORTING_WM_CHECK")),
      m_pid(atom("_NET_WM_PID"))
{
    // The root's property changes are added to what Qt already hears of
    // there: a mask set anew would take the rest from Qt.
    const auto attributes = Xcb::owned(
        xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, m_root), nullptr));
    const quint32 mask = attributes ? attributes->your_event_mask : 0;
    if (!(mask & XCB_EVENT_MASK_PROPERTY_CHANGE)) {
        const quint32 wanted = mask | XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &wanted);
        xcb_flush(m_connection);
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11ActiveWindow::~X11ActiveWindow()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
}

xcb_atom_t X11ActiveWindow::atom(const char* name) const
{
    const auto reply = Xcb::owned(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, quint16(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::optional<quint32> X11ActiveWindow::cardinal(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const
{
    xcb_generic_error_t* error = nullptr;
    const auto reply = Xcb::owned(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, property, type, 0, 1), &error));
    const auto freed = Xcb::owned(error);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return std::nullopt;
    return *static_cast<const quint32*>(xcb_get_property_value(reply.get()));
}

bool X11ActiveWindow::isWindowManagerRunning() const
{
    // The window the window manager names for its check names itself while it runs.
    const std::optional<quint32> check = cardinal(m_root, m_supportingCheck, XCB_ATOM_WINDOW);
    return check && cardinal(*check, m_supportingCheck, XCB_ATOM_WINDOW) == check;
}

bool X11ActiveWindow::isProgramWindow(xcb_window_t window) const
{
    const QWindowList windows = QGuiApplication::allWindows();
    for (const QWindow* ours : windows)
        if (ours->handle() && xcb_window_t(ours->winId()) == window)
            return true;
    return cardinal(window, m_pid, XCB_ATOM_CARDINAL) == quint32(getpid());
}

ActiveOwner X11ActiveWindow::owner() const
{
    if (!isWindowManagerRunning())
        return ActiveOwner::Untold;
    const std::optional<quint32> active = cardinal(m_root, m_activeWindow, XCB_ATOM_WINDOW);
    if (!active)
        return ActiveOwner::Untold;
    if (*active == XCB_WINDOW_NONE)
        return ActiveOwner::NoOne;
    if (isProgramWindow(*active))
        return ActiveOwner::Program;
    // A window already destroyed (one of the program's dialogs, closed) is no one's.
    xcb_generic_error_t* error = nullptr;
    const auto exists = Xcb::owned(
        xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, *active), &error));
    const auto freed = Xcb::owned(error);
    return exists ? ActiveOwner::OtherProgram : ActiveOwner::NoOne;
}

void X11ActiveWindow::follow(std::function<void()> changed) { m_changed = std::move(changed); }

bool X11ActiveWindow::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t" || !m_changed)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* property = reinterpret_cast<const xcb_property_notify_event_t*>(event);
    if (property->window == m_root && property->atom == m_activeWindow)
        m_changed();
    return false;
}
