#include "platform/widgets/PointerEntries.h"

#include "platform/widgets/XcbConnection.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <optional>

namespace {

// A pointer event's place in the screen's own pixels (the input extension's
// finer place truncated, as the X server does for the core events) and its
// time.
struct Sighting {
    QPoint at;
    xcb_timestamp_t time = 0;
};

QPoint whole(xcb_input_fp1616_t x, xcb_input_fp1616_t y) { return {int(x >> 16), int(y >> 16)}; }

class CrossingReader final : public QObject, public QAbstractNativeEventFilter {
public:
    CrossingReader()
    {
        xcb_connection_t* connection = Xcb::connection();
        if (const xcb_query_extension_reply_t* input =
                connection ? xcb_get_extension_data(connection, &xcb_input_id) : nullptr;
            input && input->present)
            m_inputOpcode = input->major_opcode;
    }

    bool movedInto(xcb_window_t window) const { return m_movedInto.value(window, false); }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        switch (event->response_type & ~0x80) {
        case XCB_MOTION_NOTIFY: {
            const auto* motion = reinterpret_cast<const xcb_motion_notify_event_t*>(event);
            if (!m_readsInput)
                seen({motion->root_x, motion->root_y});
            break;
        }
        case XCB_ENTER_NOTIFY:
        case XCB_LEAVE_NOTIFY: {
            const auto* crossing = reinterpret_cast<const xcb_enter_notify_event_t*>(event);
            if (!m_readsInput)
                crossed((event->response_type & ~0x80) == XCB_ENTER_NOTIFY, crossing->event, crossing->detail,
                        {{crossing->root_x, crossing->root_y}, crossing->time});
            break;
        }
        case XCB_GE_GENERIC:
            readInput(*reinterpret_cast<const xcb_ge_generic_event_t*>(event));
            break;
        default:
            break;
        }
        return false;
    }

private:
    // The input extension's events, which take the place of the core ones
    // for the windows that ask for them: the platform asks for its motions
    // (no core ones come then) and its crossings (the core ones come too,
    // and are read only until these do).
    void readInput(const xcb_ge_generic_event_t& event)
    {
        if (!m_inputOpcode || event.extension != *m_inputOpcode)
            return;
        if (!m_readsInput) {
            // What the core events of this crossing said comes again.
            m_readsInput = true;
            m_latest.reset();
            m_leave.reset();
        }
        switch (event.event_type) {
        case XCB_INPUT_MOTION: {
            const auto& motion = reinterpret_cast<const xcb_input_motion_event_t&>(event);
            seen(whole(motion.root_x, motion.root_y));
            break;
        }
        case XCB_INPUT_ENTER:
        case XCB_INPUT_LEAVE: {
            const auto& crossing = reinterpret_cast<const xcb_input_enter_event_t&>(event);
            crossed(event.event_type == XCB_INPUT_ENTER, crossing.event, crossing.detail,
                    {whole(crossing.root_x, crossing.root_y), crossing.time});
            break;
        }
        default:
            break;
        }
    }

    void seen(QPoint at)
    {
        m_latest = at;
        m_leave.reset();
    }

    void crossed(bool enters, xcb_window_t window, quint8 detail, const Sighting& sighting)
    {
        // The leave read just before, at the same place and time, is the
        // other half of this crossing: the pointer stood where it stood
        // before that. A leave alone (to another program's window, which
        // may later go from under the pointer) says where it stands.
        const bool pairs = enters && m_leave && m_leave->left.at == sighting.at &&
                           m_leave->left.time == sighting.time;
        const std::optional<QPoint> before = pairs ? m_leave->before : m_latest;
        const std::optional<QPoint> latest = m_latest;
        seen(sighting.at);
        if (!enters)
            m_leave = Leave{sighting, latest};
        // The pointer going into or out of a window inside this one stays in it.
        if (detail == XCB_NOTIFY_DETAIL_INFERIOR)
            return;
        if (enters)
            m_movedInto.insert(window, !before || *before != sighting.at);
        else
            m_movedInto.remove(window);
    }

    // A leave just read, and where the pointer stood before it.
    struct Leave {
        Sighting left;
        std::optional<QPoint> before;
    };

    std::optional<quint8> m_inputOpcode;
    bool m_readsInput = false;
    std::optional<QPoint> m_latest;
    std::optional<Leave> m_leave;
    QHash<xcb_window_t, bool> m_movedInto;
};

QPointer<CrossingReader> g_reader;

}  // namespace

namespace PointerEntries {

void watch()
{
    if (g_reader)
        return;
    g_reader = new CrossingReader;
    g_reader->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installNativeEventFilter(g_reader);
}

bool movedInto(const QWidget& window)
{
    return g_reader && window.internalWinId() && g_reader->movedInto(xcb_window_t(window.internalWinId()));
}

}  // namespace PointerEntries
