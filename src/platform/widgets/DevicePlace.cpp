#include "platform/widgets/DevicePlace.h"

#include "platform/widgets/XcbConnection.h"

#include <QWidget>

#include <array>

namespace DevicePlace {

namespace {

// WM_NORMAL_HINTS: the flag of a given gravity, and where the gravity stands.
constexpr quint32 kGravityGiven = 1u << 9;
constexpr int kGravityField = 17;

using Xcb::connection;
using Xcb::owned;

// The X window of a window that has one, without making one.
std::optional<xcb_window_t> windowOf(const QWidget& window)
{
    if (!window.isWindow() || !window.testAttribute(Qt::WA_WState_Created) || !connection())
        return std::nullopt;
    return xcb_window_t(window.internalWinId());
}

// Whether the window manager takes the window's place as its content's
// (static gravity), as the program sets it, not as its frame's.
bool placesContent(xcb_connection_t* c, xcb_window_t window)
{
    const auto reply = owned(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 0, kGravityField + 1),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4 * (kGravityField + 1))
        return false;
    const auto* fields = static_cast<const quint32*>(xcb_get_property_value(reply.get()));
    return (fields[0] & kGravityGiven) && fields[kGravityField] == XCB_GRAVITY_STATIC;
}

}  // namespace

std::optional<QPoint> of(const QWidget& window)
{
    const std::optional<xcb_window_t> id = windowOf(window);
    if (!id)
        return std::nullopt;
    xcb_connection_t* c = connection();
    const auto geometry = owned(xcb_get_geometry_reply(c, xcb_get_geometry(c, *id), nullptr));
    if (!geometry)
        return std::nullopt;
    const auto root =
        owned(xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, *id, geometry->root, 0, 0), nullptr));
    if (!root)
        return std::nullopt;
    return QPoint(root->dst_x, root->dst_y);
}

bool moveTo(QWidget& window, QPoint pixels)
{
    const std::optional<xcb_window_t> id = windowOf(window);
    if (!id)
        return false;
    xcb_connection_t* c = connection();
    if (!placesContent(c, *id))
        return false;
    const std::array<quint32, 2> place{quint32(qint32(pixels.x())), quint32(qint32(pixels.y()))};
    xcb_configure_window(c, *id, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place.data());
    xcb_flush(c);
    return true;
}

}  // namespace DevicePlace
