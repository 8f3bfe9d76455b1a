#include "focus/FocuserFrame.h"

#include "focus/FocusCameras.h"
#include "focus/FocuserControl.h"
#include "focus/FocuserDisplay.h"
#include "model/settings/PrefControl.h"
#include "mount/MountProtocols.h"
#include "mount/ScopeControl.h"
#include "mount/links/HandControlPanels.h"
#include "platform/AlertPanel.h"

#include <QPointer>

#include <algorithm>

FocuserFrame::FocuserFrame(FocuserControl& control, const Links& links, FocuserDisplay& display,
                           AutoFocusDisplay& curveDisplay, QObject* parent)
    : QObject(parent),
      m_control(control),
      m_scope(links.scope),
      m_prefs(links.prefs),
      m_cameras(links.cameras),
      m_display(display),
      m_run(*this, curveDisplay, links.cameras)
{
    m_updateTimer.setInterval(kUpdateInterval);
    connect(&m_updateTimer, &QTimer::timeout, this, &FocuserFrame::updateTimer);
}

bool FocuserFrame::isFocuserConnected() const
{
    return m_control.isConnected();
}

bool FocuserFrame::isFocuserConnecting() const
{
    return m_control.isConnecting();
}

quint64 FocuserFrame::progressCount() const
{
    return m_control.progress();
}

MoveWatch::Overdue FocuserFrame::moveOverdue() const
{
    return m_control.moveOverdue();
}

bool FocuserFrame::haltRun()
{
    if (!isFocuserConnected())
        return false;
    const bool halted = haltMove();
    m_control.endMove();
    return halted;
}

void FocuserFrame::focuserConnect()
{
    m_run.setIsTimerBlock(false);
    if (m_control.isConnected() || m_control.isConnecting()) {
        if (m_run.isRun() || m_run.isAwaitingFocuser())
            m_run.abort();
        m_control.disconnectDevice();
        m_updateTimer.stop();
        m_display.showStatus(QStringLiteral("Not Connected"));
        m_display.showPosition(QStringLiteral("----"));
        m_display.showTemperature(QStringLiteral("--- \u00B0C"));
        didDisconnect();
        m_display.orderOut();
        return;
    }
    const QPointer<FocuserFrame> self(this);
    const bool started = m_control.initPort([self](bool found) {
        if (self)
            self->connectEnded(found);
    });
    if (!started)
        connectEnded(false);
}

void FocuserFrame::connectEnded(bool found)
{
    if (!found) {
        const QString reason = m_control.connectFailure();
        AlertPanel::runAlert(connectFailedMessage(), reason.isEmpty() ? QStringLiteral(" ") : reason);
        return;
    }
    m_failedReads = 0;
    m_hungUpChecks = 0;
    readStartUp();
    m_display.showCriticalFocusZone(criticalFocusZoneText());
    if (!m_updateTimer.isActive())
        m_updateTimer.start();
    m_display.showStatus(QStringLiteral("Connected"));
    m_display.orderFront();
}

QString FocuserFrame::criticalFocusZoneText() const
{
    const int index = m_prefs.currentScope();
    if (index < 0 || size_t(index) >= m_prefs.scopes().size())
        return QStringLiteral("---");
    const scope& telescope = m_prefs.scopes()[size_t(index)];
    if (telescope.scopeFL == 0.0f || telescope.scopeAP <= 0.0f)
        return QStringLiteral("---");
    return QString::asprintf("%.1f", criticalFocusZone(double(telescope.scopeFL / telescope.scopeAP)));
}

bool FocuserFrame::shouldSelectTab(int identifier) const
{
    switch (identifier) {
    case kAutoFocusTab:
        return isFocuserConnected() && m_cameras.isAnyConnected();
    case kTemperatureTab:
        return isFocuserConnected() && isTemperatureGood();
    default:
        return true;
    }
}

void FocuserFrame::parameterAction(int tag, int value)
{
    m_run.setIsTimerBlock(false);
    // A run needs at least one position and one sample at each.
    const auto count = quint16(std::clamp(value, tag == kStepsTag ? 0 : 1, 0xFFFF));
    switch (tag) {
    case kSamplesTag: m_run.setSamples(count); break;
    case kImagesTag: m_run.setImages(count); break;
    case kStepsTag: m_run.setSteps(count); break;
    default: break;
    }
}

bool FocuserFrame::keyAction(int key)
{
    if (!isFocuserConnected())
        return false;
    switch (key) {
    case Qt::Key_Escape: {
        const MountPanel panel = mountPanelFor(m_scope.scopeProtocol());
        if (m_panels && panel != MountPanel::None)
            m_panels->showPanel(panel, m_prefs.scopeNamesArray().value(m_scope.scopeIndex()));
        return true;
    }
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        moveIn();
        return true;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        moveOut();
        return true;
    default:
        return false;
    }
}

bool FocuserFrame::keyUpAction(int key)
{
    if (!isFocuserConnected())
        return false;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        stopMove();
        return true;
    default:
        return false;
    }
}

void FocuserFrame::updateTimer()
{
    if (m_run.isTimerBlock())
        return;
    giveUpOverdueMove();
    // Its port stays open but its replies stopped.
    if (m_control.silentReplies() >= kLostAfter) {
        loseConnection();
        return;
    }
    // One request at a time: a silent focuser gets no queue of polls.
    if (m_control.pendingExchanges() != 0)
        return;
    updateTick();
    checkLine();
}

void FocuserFrame::giveUpOverdueMove()
{
    const MoveWatch::Overdue why = m_control.moveOverdue();
    if (why == MoveWatch::Overdue::No)
        return;
    const bool isNews = m_control.takeGiveUpNews();
    const bool halted = haltRun();
    if (isNews)
        AlertPanel::runAlert(QStringLiteral("The focuser's move was given up"),
                             MoveWatch::givenUpText(why, halted, lastKnownPosition()));
}

void FocuserFrame::checkLine()
{
    if (!m_control.isConnected())
        return;
    const QPointer<FocuserFrame> self(this);
    m_control.checkLine([self](bool hungUp) {
        if (self)
            self->lineChecked(hungUp);
    });
}

void FocuserFrame::lineChecked(bool hungUp)
{
    m_hungUpChecks = hungUp ? m_hungUpChecks + 1 : 0;
    if (m_hungUpChecks >= kHungUpChecks) {
        loseConnection();
        return;
    }
    if (hungUp) {
        const QPointer<FocuserFrame> self(this);
        QTimer::singleShot(kHungUpRecheck, this, [self] {
            if (self)
                self->checkLine();
        });
    }
}

void FocuserFrame::noteRead(bool answered)
{
    m_failedReads = answered ? 0 : m_failedReads + 1;
    if (m_failedReads >= kLostAfter)
        loseConnection();
}

void FocuserFrame::loseConnection()
{
    m_failedReads = 0;
    m_hungUpChecks = 0;
    if (!m_control.isConnected())
        return;
    FocuserFrame::focuserConnect();
    AlertPanel::runAlert(QStringLiteral("Lost connection with ") + focuserName(), QStringLiteral("disconnected"));
}
