#pragma once

#include <QAbstractNativeEventFilter>
#include <QPoint>

#include <functional>

class QWidget;

// The window manager's reports of a window's new place on X11, once it has
// mapped the window: it tells a window it moved without resizing it (at the
// user's drag, at another program's request or at the program's own) by a
// configure event it sends itself, with the content's corner in the root
// window's pixels. The X server's own reports, of the window within its
// frame, are not these. Off X11 there are none.
class MoveReports final : public QAbstractNativeEventFilter {
public:
    using Told = std::function<void(QPoint pixels)>;

    MoveReports(const QWidget& window, Told told);
    ~MoveReports() override;
    MoveReports(const MoveReports&) = delete;
    MoveReports& operator=(const MoveReports&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    const QWidget& m_window;
    Told m_told;
    quint32 m_mapped = 0;  // the X window last mapped, while it stays mapped
};
