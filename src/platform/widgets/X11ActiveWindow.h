#pragma once

#include "platform/widgets/ProgramActivity.h"

#include <QAbstractNativeEventFilter>

#include <xcb/xcb.h>

#include <memory>

// The window manager's active window on X11: _NET_ACTIVE_WINDOW on the root
// window, followed as it changes. Untold while no window manager runs or
// where it does not keep that property.
class X11ActiveWindow final : public ActiveWindowSource, public QAbstractNativeEventFilter {
public:
    // Null off X11.
    static std::unique_ptr<X11ActiveWindow> create();
    ~X11ActiveWindow() override;

    ActiveOwner owner() const override;
    void follow(std::function<void()> changed) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    X11ActiveWindow(xcb_connection_t* connection, xcb_window_t root);

    xcb_atom_t atom(const char* name) const;
    // The first value of a 32-bit property of `window`; none when the
    // property or the window is not there.
    std::optional<quint32> cardinal(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const;
    bool isWindowManagerRunning() const;
    // Whether the program made `window`.
    bool isProgramWindow(xcb_window_t window) const;

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    xcb_atom_t m_activeWindow;
    xcb_atom_t m_supportingCheck;
    xcb_atom_t m_pid;
    std::function<void()> m_changed;
};
