#include "platform/widgets/WindowStacking.h"

#include "platform/widgets/PointerEntries.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace {

// The native window's property the platform reads as it maps the window:
// set, the window manager is told not to give the window the keyboard.
constexpr char kShowWithoutActivating[] = "_q_showWithoutActivating";

// Makes the window transient for its owner while the owner shows. A window
// transient for another does not count as the program's last window, so it
// stops being one once the owner is closed: it then keeps the program alive.
class TransientFollower final : public QObject {
public:
    TransientFollower(QWidget& window, QWidget& owner) : QObject(&window), m_window(window), m_owner(&owner)
    {
        owner.installEventFilter(this);
        follow();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_owner && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
            follow();
        return QObject::eventFilter(watched, event);
    }

private:
    void follow()
    {
        // The native windows must exist before one can be transient for the other.
        m_window.winId();
        const bool shows = m_owner && m_owner->isVisible();
        if (shows)
            m_owner->winId();
        m_window.windowHandle()->setTransientParent(shows ? m_owner->windowHandle() : nullptr);
    }

    QWidget& m_window;
    QPointer<QWidget> m_owner;
};

}  // namespace

namespace WindowStacking {

void watchPointer() { PointerEntries::watch(); }

void keepAbove(QWidget& window, QWidget& owner) { new TransientFollower(window, owner); }

void bringToFront(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

void showInFront(QWidget& window)
{
    // A window manager gives a window it maps the keyboard unless the window
    // asks it not to. The widget's own attribute reaches only a native window
    // made after it is set, so the ask goes to the native window, for this
    // showing only.
    window.winId();
    QWindow* handle = window.windowHandle();
    const QVariant asked = handle->property(kShowWithoutActivating);
    handle->setProperty(kShowWithoutActivating, true);
    window.show();
    handle->setProperty(kShowWithoutActivating, asked);
    window.raise();
}

bool mayTakeKeyOnEntry(const QWidget& window) { return PointerEntries::movedInto(window); }

QWidget* dialogOwner()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void keepOnTop(QWidget& dialog) { dialog.setWindowFlag(Qt::WindowStaysOnTopHint); }

int execOnTop(QDialog& dialog)
{
    keepOnTop(dialog);
    // The window manager raises a modal dialog by raising the window it is
    // transient for, within that window's layer: a dialog transient for the
    // chart would stay below the panels kept on top. Transient for no window
    // of ours, the dialog itself is raised. Its owner still places it.
    dialog.winId();
    dialog.windowHandle()->setTransientParent(nullptr);
    // A window manager may map a window that did not take the keyboard below
    // the active one; raised once shown, it is the topmost.
    QTimer::singleShot(0, &dialog, [&dialog] {
        if (dialog.isVisible()) {
            dialog.raise();
            dialog.activateWindow();
        }
    });
    return dialog.exec();
}

}  // namespace WindowStacking
