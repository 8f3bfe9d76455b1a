#pragma once

#include <QAbstractEventDispatcher>
#include <QPoint>
#include <QWidget>

#include <xcb/xcb.h>

// The X server's pointer events as the platform hands them to the program
// before it makes its own of them, for windows on a platform without an X
// server. Places are in the screen's pixels; each event is a moment of its
// own, later than any before it.
class PointerCrossings {
public:
    // The pointer moved to `at` within `window`.
    static void movesWithin(const QWidget& window, QPoint at)
    {
        xcb_motion_notify_event_t motion{};
        motion.response_type = XCB_MOTION_NOTIFY;
        motion.event = xcb_window_t(window.winId());
        motion.time = nextTime();
        motion.root_x = qint16(at.x());
        motion.root_y = qint16(at.y());
        deliver(motion);
    }
    // The pointer, at `at`, left `from` for `to` (null: a window of another
    // program): the pointer was moved there, or a window changed under it.
    static void crosses(const QWidget* from, const QWidget* to, QPoint at)
    {
        const xcb_timestamp_t time = nextTime();
        if (from)
            deliver(crossing(XCB_LEAVE_NOTIFY, *from, at, time));
        if (to)
            deliver(crossing(XCB_ENTER_NOTIFY, *to, at, time));
    }

private:
    static xcb_timestamp_t nextTime()
    {
        static xcb_timestamp_t time = 1000;
        return ++time;
    }
    static xcb_enter_notify_event_t crossing(quint8 type, const QWidget& window, QPoint at, xcb_timestamp_t time)
    {
        xcb_enter_notify_event_t event{};
        event.response_type = type;
        event.event = xcb_window_t(window.winId());
        event.time = time;
        event.detail = XCB_NOTIFY_DETAIL_NONLINEAR;
        event.root_x = qint16(at.x());
        event.root_y = qint16(at.y());
        return event;
    }
    template <class Event>
    static void deliver(Event event)
    {
        qintptr result = 0;
        QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &event, &result);
    }
};
