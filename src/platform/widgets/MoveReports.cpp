#include "platform/widgets/MoveReports.h"

#include <QCoreApplication>
#include <QWidget>

#include <xcb/xcb.h>

MoveReports::MoveReports(const QWidget& window, Told told) : m_window(window), m_told(std::move(told))
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

MoveReports::~MoveReports()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
}

bool MoveReports::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t" || !m_window.testAttribute(Qt::WA_WState_Created))
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const auto window = xcb_window_t(m_window.internalWinId());
    // Sent by a client (the window manager), not by the X server.
    constexpr quint8 kSent = 0x80;
    switch (event->response_type) {
    case XCB_MAP_NOTIFY:
        if (reinterpret_cast<const xcb_map_notify_event_t*>(event)->window == window)
            m_mapped = window;
        break;
    case XCB_UNMAP_NOTIFY:
        if (reinterpret_cast<const xcb_unmap_notify_event_t*>(event)->window == window)
            m_mapped = XCB_WINDOW_NONE;
        break;
    case XCB_CONFIGURE_NOTIFY | kSent:
        // Until it maps the window, the window manager is taking it in and
        // tells of the places it passes through.
        if (const auto* configure = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
            configure->window == window && m_mapped == window)
            m_told(QPoint(configure->x, configure->y));
        break;
    default:
        break;
    }
    return false;
}
