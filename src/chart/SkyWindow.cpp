#include "chart/SkyWindow.h"

#include "chart/SkyView.h"
#include "chart/UpdateChain.h"
#include "chart/controls/SkyKeyboard.h"
#include "model/settings/PrefControl.h"
#include "platform/widgets/ProgramActivity.h"
#include "platform/widgets/WindowStacking.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QWindowStateChangeEvent>

namespace {

// Milliseconds for the window manager to frame a newly shown window.
constexpr int kFrameSettleMs = 150;

bool isTypingInField()
{
    const QWidget* focus = QApplication::focusWidget();
    return qobject_cast<const QLineEdit*>(focus) || qobject_cast<const QAbstractSpinBox*>(focus) ||
           qobject_cast<const QTextEdit*>(focus) || qobject_cast<const QPlainTextEdit*>(focus);
}

}  // namespace

SkyWindow::SkyWindow(PrefControl& prefs, const ChartOutlets& outlets, UpdateChain& chain,
                     WindowSettings& windowSettings, const CatalogueFolders& folders)
    : m_prefs(prefs),
      m_chain(chain),
      m_skyView(new SkyView(*this, *this, prefs, outlets, chain, windowSettings, folders))
{
    setWindowTitle("Norvane Pro");
    setCentralWidget(m_skyView);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_screenRect = screen->availableGeometry();
    if (!m_screenRect.isEmpty())
        setGeometry(m_screenRect);

    connect(&ProgramActivity::instance(), &ProgramActivity::stateChanged, this,
            &SkyWindow::applicationStateChanged);
    WindowStacking::watchPointer();
}

void SkyWindow::setBottomPanel(QWidget* panel)
{
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addPermanentWidget(panel, 1);
}

void SkyWindow::updateSkyView() { m_chain.updateSkyView(); }

void SkyWindow::updateSky() { m_chain.updateSky(); }

void SkyWindow::updateSkyAndColor() { m_chain.updateSkyAndColor(); }

void SkyWindow::updateBottomPanel() { m_chain.updateBottomPanel(); }

void SkyWindow::setHide(bool hide) { m_hidesOnDeactivate = hide; }

void SkyWindow::didLaunch()
{
    setWindowTitle("Norvane Pro");
    raise();
    makeKeyWindow();
}

void SkyWindow::setToolbarShown(bool shown)
{
    for (QToolBar* toolbar : findChildren<QToolBar*>(Qt::FindDirectChildrenOnly))
        toolbar->setVisible(shown);
    // The chart view takes its new size now, not at the next turn of the
    // event loop: the launch projects and draws the first chart before that.
    layout()->activate();
}

void SkyWindow::makeKeyWindow() { activateWindow(); }

void SkyWindow::orderFront()
{
    show();
    raise();
}

void SkyWindow::toggleFullScreen() { setWindowState(windowState() ^ Qt::WindowFullScreen); }

void SkyWindow::applicationStateChanged(Qt::ApplicationState state)
{
    if (state == Qt::ApplicationActive)
        madeActive();
    else if (state == Qt::ApplicationInactive)
        resignedActive();
}

void SkyWindow::madeActive()
{
    if (m_isMinimizedWhileInactive) {
        m_isMinimizedWhileInactive = false;
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    update();
}

void SkyWindow::resignedActive()
{
    if (!m_hidesOnDeactivate || !isVisible() || isMinimized())
        return;
    m_isMinimizedWhileInactive = true;
    setWindowState(windowState() | Qt::WindowMinimized);
}

void SkyWindow::closeEvent(QCloseEvent* event)
{
    m_keepSWClosed = true;
    event->accept();
}

void SkyWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        windowStateChanged(static_cast<QWindowStateChangeEvent*>(event)->oldState());
}

void SkyWindow::windowStateChanged(Qt::WindowStates before)
{
    const Qt::WindowStates now = windowState();
    const bool wasFullScreen = before.testFlag(Qt::WindowFullScreen);
    const bool isFullScreen = now.testFlag(Qt::WindowFullScreen);
    // A full-screen chart stays up while other programs are in front.
    if (isFullScreen && !wasFullScreen)
        setHide(false);
    else if (wasFullScreen && !isFullScreen)
        setHide(m_prefs.isSkyHide());
    // Before the launch has finished there is nothing to project.
    if (!m_skyView->hasLaunched())
        return;
    if (isFullScreen != wasFullScreen)
        m_chain.updateSkyView();
    else if (before.testFlag(Qt::WindowMaximized) != now.testFlag(Qt::WindowMaximized))
        m_chain.zoom();
}

void SkyWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_isFrameFitted || event->spontaneous())
        return;
    m_isFrameFitted = true;
    // The window manager tells the frame's size only once it has framed the window.
    QTimer::singleShot(kFrameSettleMs, this, &SkyWindow::fitFrameOnScreen);
}

void SkyWindow::fitFrameOnScreen()
{
    const QRect frame = frameGeometry();
    if (m_screenRect.isEmpty() || m_screenRect.contains(frame) ||
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QRect inner = geometry();
    const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                           frame.bottom() - inner.bottom());
    setGeometry(m_screenRect.marginsRemoved(margins));
}

void SkyWindow::enterEvent(QEnterEvent* event)
{
    QMainWindow::enterEvent(event);
    m_skyView->resetCursorRects();
    // The keyboard follows the pointer between the program's own windows
    // only: taking it from another program would pull the chart over it, and
    // taking it from a field would lose what the user is typing there.
    if (QGuiApplication::applicationState() == Qt::ApplicationActive && !isActiveWindow() && !isTypingInField() &&
        WindowStacking::mayTakeKeyOnEntry(*this))
        makeKeyWindow();
}

void SkyWindow::keyPressEvent(QKeyEvent* event)
{
    if (SkyKeyboard* keyboard = m_skyView->keyboard())
        keyboard->keyDown(*event);
    else
        QMainWindow::keyPressEvent(event);
}
