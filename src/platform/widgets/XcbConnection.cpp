#include "platform/widgets/XcbConnection.h"

#include <QGuiApplication>

namespace Xcb {

xcb_connection_t* connection()
{
    const auto* app = qGuiApp;
    const auto* x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

}  // namespace Xcb
