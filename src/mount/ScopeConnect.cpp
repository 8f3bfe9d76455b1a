#include "mount/ScopeControl.h"

#include "model/settings/PrefControl.h"
#include "mount/MountProtocols.h"
#include "mount/SerialControl.h"
#include "mount/families/MountFamilies.h"
#include "mount/links/AutoguiderLink.h"
#include "mount/links/CompanionLink.h"
#include "mount/links/ConnectMenuLinks.h"
#include "mount/links/HandControlPanels.h"
#include "mount/links/ScopeViewLink.h"
#include "mount/links/SkyRedraw.h"
#include "platform/AlertPanel.h"
#include "platform/MainThreadCall.h"
#include "platform/StringTables.h"

#include <QPointer>

namespace {

constexpr long kDefaultBaud = 9600;
constexpr long kTemmaBaud = 19200;
constexpr int kBaudTag9600 = 43;
// An LX200 GPS needs a moment after going back to 9600 baud.
constexpr int kBaudSettleTicks = 15;
constexpr int kScopeSlots = 5;
constexpr char kNoMountOnBridge[] = "No mount answered through the WiFi bridge.";

}  // namespace

bool ScopeControl::scopeConnect(int slot)
{
    if (slot < 0 || slot >= kScopeSlots || m_status.isConnected || m_isConnecting)
        return false;
    const bool bridge = m_serial.hasWiFi();
    if (!bridge)
        m_serial.relistPorts(m_selectPort);
    const QString name = m_prefs.scopeNamesArray().value(slot);
    if (m_serial.maxPorts() == 0 && !bridge) {
        connectFailed(name, {kNoSerialPort});
        return false;
    }

    m_scopeIndex = slot;
    // No position until this mount's is read.
    m_status.scopeRA = -1.0;
    m_status.resetSerialBlocks();
    const int protocol = m_prefs.scopes()[slot].mountProtocol;
    m_status.scopeProtocol = protocol;
    if (protocol < kProtocolLX200 || protocol > kProtocolIEQ45) {
        m_scopeIndex = -1;
        return false;
    }
    m_debug([&] {
        return QString("scopeConnect scopeIndex: %1, protocol: %2").arg(slot).arg(protocol);
    });

    long baud = kDefaultBaud;
    const bool evenParity = protocol == kProtocolTemma;
    if (protocol == kProtocolTemma) {
        baud = kTemmaBaud;
    } else if (protocol == kProtocolGemini) {
        baud = m_geminiBaud;
        m_debug([baud] { return QString("scopeConnect Gemini baud: %1").arg(baud); });
    }

    sampleInputs();
    const MountContext context{m_serial, m_status,   m_debug,
                               m_events, &m_prefs,   &m_skyDate,
                               [this] { return m_finderTrack.get(); }, m_timing, {},
                               [this] { return m_thread.betweenExchanges(); }};
    std::shared_ptr<MountFamily> family = m_links.families ? m_links.families(protocol, context)
                                                           : makeMountFamily(protocol, context);
    if (!family) {
        connectFailed(name, {});
        return false;
    }
    const quint16 chosen = m_selectPort;
    const quint16 ports = m_serial.maxPorts();
    const bool readsPosition = protocol != kProtocolTemma;
    m_isConnecting = true;
    launchThread();
    // The handshakes run on the worker: a silent port holds it, not the interface.
    m_thread.postJob([this, family, bridge, chosen, ports, baud, evenParity, readsPosition, name]() mutable {
        bool answered = false;
        ConnectFailure failure{kNoMountOnBridge, true};
        if (bridge) {
            m_serial.setIsWiFi(true);
            m_debug("Scope Connecting with WiFi");
            answered = family->connect();
            if (!answered)
                m_serial.setIsWiFi(false);
        } else {
            const SlotExchange::PortSearch found = tryPorts(*family, chosen, ports, baud, evenParity);
            answered = found.port != 0;
            failure = searchFailure(found);
        }
        const bool positionRead = answered && readsPosition && family->readPosition();
        // The family goes back with the answer: its last reference must not
        // be dropped here, away from its timers' thread.
        MainThreadCall::post([self = QPointer(this), family = std::move(family), answered, positionRead, name,
                              failure] {
            if (self)
                self->finishConnect(family, answered, positionRead, name, failure);
        });
    });
    return true;
}

void ScopeControl::finishConnect(std::shared_ptr<MountFamily> family, bool answered, bool positionRead,
                                 const QString& name, const ConnectFailure& failure)
{
    m_isConnecting = false;
    if (!answered) {
        connectFailed(name, failure);
        releaseThread();
        emit connectFinished(false);
        return;
    }
    m_family = std::move(family);
    connected(name, positionRead);
    emit connectFinished(true);
}

SlotExchange::PortSearch ScopeControl::tryPorts(MountFamily& family, quint16 chosen, quint16 ports, long baud,
                                                bool evenParity)
{
    const SlotExchange line(m_serial, kSerialSlotScope, baud, m_debug, m_timing, evenParity);
    return line.search(chosen, ports, [&family] { return family.connect(); },
                       [this] { return !m_thread.isStopping(); });
}

ScopeControl::ConnectFailure ScopeControl::searchFailure(const SlotExchange::PortSearch& found)
{
    const QString silent = found.unanswered.isEmpty()
                               ? QStringLiteral("No serial port could be opened.")
                               : "No mount answered on " + found.unanswered.join(QStringLiteral(", ")) + '.';
    return {found.failure(QStringLiteral("the mount"), silent), !found.unanswered.isEmpty()};
}

void ScopeControl::connectFailed(const QString& name, const ConnectFailure& failure)
{
    m_scopeIndex = -1;
    // The name is shown as it is, never read as a pattern; the reason under it.
    AlertPanel::runAlert(StringTables::localizedString("Global", "Could not connect to telescope:"),
                         failure.reason.isEmpty() ? name : name + '\n' + failure.reason);
    // Another speed is worth trying only where a mount was asked and kept
    // silent, not where the port was never free.
    if (failure.unanswered && m_status.scopeProtocol == kProtocolGemini && m_geminiBaud != kDefaultBaud) {
        setGeminiBaud(kBaudTag9600);
        AlertPanel::runAlert(
            "Set the Gemini the baud rate to 9600 from the hand controller and try again.", " ");
    }
}

void ScopeControl::connected(const QString& name, bool positionRead)
{
    const int protocol = m_status.scopeProtocol;
    m_failedPolls = 0;
    m_realTimeByConnect = !m_prefs.isRunRealTime();
    m_prefs.setIsRunRealTime(true, false);
    HandControlPanels* panels = m_links.panels;
    if (panels && protocol != kProtocolLX200GPS)
        panels->disableBaud(MountPanel::LX200);
    if (panels && protocol == kProtocolGemini && !m_status.isGeminiLevel4)
        panels->disableBaud(MountPanel::Gemini);
    m_thread.setFamily(m_family);
    launchThread();
    m_scopeTimer.start();
    m_status.isConnected = true;
    m_prefs.setCurrentScope(m_scopeIndex);
    ScopeViewLink* view = m_links.scopeView;
    if (view)
        view->setupDrawer();

    const MountPanel panel = mountPanelFor(protocol);
    if (panels && panel != MountPanel::None) {
        panels->showPanel(panel, name);
        if (m_prefs.isTransparent()) {
            m_fadeCount = 0;
            m_fadeTimer.start();
        }
        if (protocol == kProtocolAstroPhysics)
            panels->setAPSyncTitle();
    }

    if (view)
        view->setWindowTitle(name);
    if (positionRead) {
        const double ra = m_status.scopeRA;
        const double dec = m_status.scopeDec;
        if (view)
            view->setTrackRA(ra, dec);
        m_status.isThreadUpdate = true;
        m_scopeRAOld = ra;
        m_scopeDecOld = dec;
        if (m_links.webcamGuide)
            m_links.webcamGuide->setCalibrateEnable(true);
        if (m_links.skyView)
            m_links.skyView->setNeedsDisplay();
    }
    if (view) {
        view->setKeepSVClosed(false);
        if (!view->isWindowVisible())
            view->showInFront();
        else
            view->setNeedsDisplay();
    }
    if (m_links.companion && m_links.companion->connectionEstablished())
        m_links.companion->requestStatusCommand();
}

void ScopeControl::disconnect()
{
    endConnection(true);
}

void ScopeControl::endConnection(bool resetBaud)
{
    m_scopeTimer.stop();
    m_fadeTimer.stop();
    m_scopeIndex = -1;
    m_status.isConnected = false;
    m_status.isSlewing = false;
    m_status.usesStar = false;
    m_status.isTemmaSync = false;
    m_status.isNoResponse = false;

    if (HandControlPanels* panels = m_links.panels) {
        for (const MountPanel panel : {MountPanel::LX200, MountPanel::MeadeBasic, MountPanel::Temma,
                                       MountPanel::Gemini, MountPanel::NexStar,
                                       MountPanel::IOptron, MountPanel::IEQ45}) {
            if (panels->isVisible(panel))
                panels->hidePanel(panel);
        }
    }
    // An LX200 GPS goes back to 9600 baud on the worker, which then closes
    // the port and lets itself go.
    const bool resetsBaud = resetBaud && m_family && m_status.scopeProtocol == kProtocolLX200GPS
                            && !m_serial.isWiFi() && m_status.baudRate != kDefaultBaud;
    if (resetsBaud) {
        m_thread.postJob([this, family = m_family]() mutable {
            family->run({MountOperation::SetBaudRate, kBaudTag9600, 0, false});
            m_timing.pause(kBaudSettleTicks * m_timing.tick);
            m_serial.closeSerialDriver(kSerialSlotScope);
            // The family's last reference goes on the main thread, where its timers live.
            MainThreadCall::post([self = QPointer(this), family = std::move(family)] {
                if (self)
                    self->releaseThread();
            });
        });
    }
    m_debug("disconnect\r");
    if (m_links.scopeView && m_links.scopeView->isWindowVisible())
        m_links.scopeView->setNeedsDisplay();
    // The chart's reticle shows a connected mount: redrawn, it goes with it.
    if (m_links.skyView)
        m_links.skyView->setNeedsDisplay();

    // The worker keeps running, but has no mount to talk to.
    m_thread.setFamily(nullptr);
    m_family.reset();
    if (!resetsBaud)
        m_serial.closeSerialDriver(kSerialSlotScope);
    if (m_links.webcamGuide && !m_links.webcamGuide->useGPUSB())
        m_links.webcamGuide->setCalibrateEnable(false);
    if (m_links.companion && m_links.companion->connectionEstablished())
        m_links.companion->requestStatusCommand();
    m_serial.setIsWiFi(false);
    if (!resetsBaud)
        releaseThread();
}
