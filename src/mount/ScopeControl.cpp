#include "mount/ScopeControl.h"

#include "model/Angles.h"
#include "model/SkyCoordinates.h"
#include "model/SkyDateModel.h"
#include "model/settings/PrefControl.h"
#include "mount/MountProtocols.h"
#include "mount/SerialControl.h"
#include "mount/links/AutoguiderLink.h"
#include "mount/links/HandControlPanels.h"
#include "mount/links/SG4Jobs.h"
#include "mount/links/ScopeViewLink.h"
#include "mount/links/SiteHandOver.h"
#include "mount/links/SkyRedraw.h"
#include "platform/AlertPanel.h"
#include "platform/AppTimeZone.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <numbers>

namespace {

constexpr int kTickMs = 1000;
// The families' pauses count ticks of 1/60 s.
constexpr int kTicksPerSecond = 60;
constexpr int kFadeMs = 50;
// The chart redraws for the mount's marker only past 0.03°.
constexpr double kRedrawRadians = 0.0005235987755982989;
// The fade starts after 5 s of 0.05 s ticks and stops at a quarter.
constexpr quint16 kFadeStart = 100;
constexpr double kFadeStep = 0.05;
constexpr int kFadeSteps = 15;  // down to 0.25
// The preferences window keeps its time zone for this one.
constexpr double kTimeZoneUnchanged = -999.0;

// A setting or state the mount reported, shown in its panel's own control;
// `scopeName` titles the Temma panel after a sync.
void showPanelSetting(HandControlPanels& panels, MountPanelSetting setting, int code,
                      const QString& scopeName)
{
    switch (setting) {
    case MountPanelSetting::SlewSpeed: panels.setSlewSpeedRadio(code); break;
    case MountPanelSetting::Mode: panels.setGeminiModeMenu(code); break;
    case MountPanelSetting::GuideSpeed: panels.setGeminiGuideSpeedMenu(code); break;
    case MountPanelSetting::CenterSpeed: panels.setGeminiCenterSpeedMenu(code); break;
    case MountPanelSetting::MaxSlewSpeed: panels.setGeminiSlewSpeedMenu(code); break;
    case MountPanelSetting::Baud: panels.setGeminiBaudMenu(code); break;
    case MountPanelSetting::SynScanSync: panels.setSynScanSyncButton(code != 0); break;
    case MountPanelSetting::NexStarMode: panels.setNexStarModeMatrix(code); break;
    case MountPanelSetting::TemmaSide: panels.setSideRadio(code != 0); break;
    case MountPanelSetting::TemmaTrack:
        // Only the stand-by state has a cell of its own to select.
        if (code == 0)
            panels.setTrackRadio();
        break;
    case MountPanelSetting::TemmaSynced:
        if (panels.isVisible(MountPanel::Temma))
            panels.showPanel(MountPanel::Temma, QString("%1 - Synced %2").arg(scopeName).arg(code));
        break;
    }
}

}  // namespace

ScopeControl::ScopeControl(PrefControl& prefControl, const SkyDateModel& skyDateModel,
                           SerialControl& serialControl, DebugWriter debug,
                           ScopeThreadTiming timing, QObject* parent)
    : QObject(parent),
      m_prefs(prefControl),
      m_skyDate(skyDateModel),
      m_serial(serialControl),
      m_debug(std::move(debug)),
      m_timing(timing),
      m_thread(m_status, m_debug, timing),
      m_ports(m_debug, std::move(timing))
{
    m_scopeTimer.setInterval(kTickMs);
    m_fadeTimer.setInterval(kFadeMs);
    connect(&m_scopeTimer, &QTimer::timeout, this, &ScopeControl::runScopeTimer);
    connect(&m_fadeTimer, &QTimer::timeout, this, &ScopeControl::setScopeAlphaDelay);
    m_readTimer.setSingleShot(true);
    connect(&m_readTimer, &QTimer::timeout, this, [this] {
        if (auto done = std::exchange(m_positionRead, nullptr))
            done(false);
    });
    connect(&m_thread, &ScopeThread::portMessage, this, &ScopeControl::handlePortMessage,
            Qt::QueuedConnection);
    m_thread.setLineCheck([this] { return m_serial.isHungUp(kSerialSlotScope); });
    // The SG-4's worker bounces the all-sky movie; nothing else of its comes here.
    connect(m_ports.worker(kSerialSlotSG4), &ScopeThread::portMessage, this,
            [this](int id) {
                if (id == kSG4MsgAllSkyMovie)
                    handlePortMessage(id);
            },
            Qt::QueuedConnection);
    connect(&m_events, &MountEvents::alertRequested, this,
            [](const QString& title, const QString& message) { AlertPanel::runAlert(title, message); });
    connect(&m_events, &MountEvents::beepRequested, this, [] { AlertPanel::beep(); });
    connect(&m_events, &MountEvents::redrawRequested, this, [this] {
        if (m_links.skyView)
            m_links.skyView->setNeedsDisplay();
    });
    connect(&m_events, &MountEvents::siteRead, this, &ScopeControl::siteRead);
    connect(&m_events, &MountEvents::parked, this, [this] {
        if (m_status.isConnected)
            endConnection(false);
    });
    connect(&m_events, &MountEvents::slewButtonsOff, this, [this] {
        if (m_links.panels)
            m_links.panels->setSlewButtonsOff();
    });
    connect(&m_events, &MountEvents::commandRequested, this, &ScopeControl::postCommand);
    connect(&m_events, &MountEvents::panelSetting, this,
            [this](MountPanelSetting setting, int code) {
                if (setting == MountPanelSetting::Baud)
                    setGeminiBaudChoice(code);
                if (m_links.panels)
                    showPanelSetting(*m_links.panels, setting, code, currentScopeName());
            });
}

QString ScopeControl::currentScopeName() const
{
    return m_prefs.scopeNamesArray().value(m_scopeIndex);
}

ScopeControl::~ScopeControl()
{
    // The exchange in progress ends at its next read rather than run its
    // course, and a connect in progress tries no further port.
    m_thread.askToStop();
    m_ports.askToStop();
    m_serial.closeSerialDriver(kSerialSlotScope);
    m_thread.killRemotePort();
}

void ScopeControl::setSG4(SG4Jobs* sg4)
{
    m_links.sg4 = sg4;
    m_ports.worker(kSerialSlotSG4)->setSG4(sg4);
}

void ScopeControl::launchThread()
{
    m_thread.launchThread();
}

void ScopeControl::releaseThread()
{
    if (m_status.isConnected || m_isConnecting)
        return;
    // Not waited for: the exchange in progress ends at its next read.
    m_hasScopePort = false;
    m_thread.askToStop();
}

void ScopeControl::killScopePort()
{
    m_hasScopePort = false;
}

void ScopeControl::handlePortMessage(int id)
{
    m_debug([id] { return QString("ScopeControl handlePortMessage: %1").arg(id); });
    switch (id) {
    case kScopeMsgCheckin:
        m_hasScopePort = true;
        runScopeTimer();
        break;
    case kScopeMsgPosition:
        positionUpdate();
        break;
    case kScopeMsgPollFailed:
        pollFailed();
        break;
    case kScopeMsgLineLost:
        lostContact();
        break;
    case kSG4MsgAllSkyMovie:
        if (m_links.sg4)
            m_links.sg4->allSkyRecordMovie();
        break;
    default:
        break;
    }
}

void ScopeControl::positionUpdate()
{
    if (!m_hasScopePort)
        return;
    const double ra = m_status.scopeRA;
    const double dec = m_status.scopeDec;
    if (ScopeViewLink* view = m_links.scopeView) {
        if (!view->isWindowVisible() && !view->keepSVClosed() && !view->isMiniaturized())
            view->showInFront();
        view->setTrackRA(ra, dec);
    }
    m_status.isThreadUpdate = true;
    if (m_links.scopeView && m_links.scopeView->isWindowVisible())
        m_links.scopeView->setNeedsDisplay();
    if (std::abs(ra - m_scopeRAOld) > kRedrawRadians || std::abs(dec - m_scopeDecOld) > kRedrawRadians) {
        m_scopeRAOld = ra;
        m_scopeDecOld = dec;
        if (m_links.skyView)
            m_links.skyView->setNeedsDisplay();
    }
    m_status.resetSerialBlocks();
    m_failedPolls = 0;
    if (!m_positionRead)
        return;
    if (m_status.lastPollRead > m_readAfterPoll) {
        m_readTimer.stop();
        std::exchange(m_positionRead, nullptr)(true);
        return;
    }
    // An update that read no position since the ask (a command's, or a poll
    // begun before): the read waits for a poll of its own.
    m_status.isPolling = true;
    m_thread.post({kScopeMsgPoll, {}, {}, {}});
}

void ScopeControl::pollFailed()
{
    m_status.isPolling = false;
    m_readTimer.stop();
    if (auto done = std::exchange(m_positionRead, nullptr))
        done(false);
    if (m_status.isConnected && ++m_failedPolls >= kLostAfterFailedPolls)
        lostContact();
}

void ScopeControl::lostContact()
{
    if (!m_status.isConnected)
        return;
    const QString name = currentScopeName();
    m_debug("Lost contact with the telescope");
    endConnection(false);
    // The clock the connection started to follow the mount stops with it,
    // so that the user can set a date again.
    if (std::exchange(m_realTimeByConnect, false))
        m_prefs.setIsRunRealTime(false, false);
    emit connectionLost();
    AlertPanel::runAlert("Lost contact with the telescope.", name);
}

void ScopeControl::readScopePosition(std::function<void(bool)> done, std::chrono::milliseconds wait)
{
    if (!m_hasScopePort || !m_status.isConnected || m_positionRead) {
        done(false);
        return;
    }
    m_positionRead = std::move(done);
    m_readAfterPoll = m_status.pollsBegun;
    m_status.isPolling = true;
    m_thread.post({kScopeMsgPoll, {}, {}, {}});
    m_readTimer.start(wait);
}

void ScopeControl::runScopeTimer()
{
    if (!m_hasScopePort || !m_status.isConnected)
        return;
    if (m_links.webcamGuide && m_links.webcamGuide->isCalibrating())
        return;
    if (m_links.scopeView && m_links.scopeView->keepSVClosed() && !m_prefs.isScopeRetainPolling())
        return;
    if (m_status.isBlockPolling)
        return;
    if ((m_status.isSerialCmd && m_status.isPolling)
        || (m_status.scopeProtocol == kProtocolTemma && !m_status.isTemmaSync)) {
        m_status.resetSerialBlocks();
        return;
    }
    m_rateCount += 1.0f;
    if (m_timerRate == 0.0f) {
        m_rateCount = 1.0f;
        return;
    }
    // After a failed poll the next goes out on the next tick.
    if ((m_rateCount < m_timerRate && m_failedPolls == 0) || m_status.isSerialCmd)
        return;
    // One poll in flight at most: a slow link must not pile them up.
    if (m_status.isPolling)
        return;
    m_rateCount = 0.0f;
    m_status.isPolling = true;
    m_thread.post({kScopeMsgPoll, {}, {}, {}});
}

void ScopeControl::setTimerRate(float seconds)
{
    m_timerRate = seconds;
    if (!m_status.isConnected)
        return;
    m_prefs.setScopePollRatePref(seconds);
    m_scopeTimer.start();
}

bool ScopeControl::checkSerialCom() const
{
    if (!m_hasScopePort || !m_status.isConnected || m_status.isBlockPolling
)
        return false;
    return !(m_status.isSerialCmd && m_status.isPolling);
}

void ScopeControl::gotoRA(double ra, double dec)
{
    if (!m_hasScopePort)
        return;
    m_gotoRA = ra;
    m_gotoDec = dec;
    m_thread.post(ScopeMessage::gotoMessage(ra, dec));
}

void ScopeControl::postCommand(int id, qint32 code)
{
    // Without a worker or a mount nothing would ever clear the command flag,
    // and a flag left set would hold off every later poll.
    if (!m_hasScopePort || !m_status.isConnected)
        return;
    const Qt::KeyboardModifiers held = m_links.modifiers ? m_links.modifiers() : Qt::NoModifier;
    // A stop goes ahead of waiting polls.
    const PanelCommand command = panelCommand(id, code, held.testFlag(Qt::AltModifier));
    if (command.operation == MountOperation::Slew && code == kStopAll) {
        runNow(command);
        return;
    }
    if (sendsSite(id, code, held.testFlag(Qt::AltModifier)) && !isSiteDefined()) {
        // Sent, it would move the mount's sky to the Gulf of Guinea.
        m_debug("postCommand: site undefined, not sent");
        AlertPanel::runAlert(kSetSiteFailed, kSiteUndefined);
        return;
    }
    sampleInputs();
    m_status.isSerialCmd = true;
    m_thread.post(ScopeMessage::command(id, code, held));
}

bool ScopeControl::isSiteDefined() const
{
    // Exactly 0°, 0° is the fresh installation's site, before any location was taken.
    return m_prefs.latitude() != 0.0 || m_prefs.longitude() != 0.0;
}

void ScopeControl::sampleFinderTrack()
{
    if (m_links.finderTrack)
        m_finderTrack.set(m_links.finderTrack());
}

void ScopeControl::samplePanelState()
{
    const MountPanel panel = mountPanelFor(m_status.scopeProtocol);
    const HandControlPanels* panels = m_links.panels;
    if (!panels || panel == MountPanel::None)
        return;
    m_status.isPanelLocked = panels->isLocked(panel);
    int ticks = 0;
    if (panels->isTenth(panel))
        ticks = kTicksPerSecond / 10;
    else if (panels->isQuarter(panel))
        ticks = kTicksPerSecond / 4;
    else if (panels->isHalf(panel))
        ticks = kTicksPerSecond / 2;
    m_status.fixedPulseTicks = ticks;
    m_status.guideRatePercent = panels->guideRate();
}

void ScopeControl::sampleInputs()
{
    sampleFinderTrack();
    samplePanelState();
}

void ScopeControl::temmaCommand(int code)
{
    if (code == 20 || code == 21)
        m_debug("ScopeControl temmaCommand sync");
    if (!m_hasScopePort)
        m_debug(" ScopeControl temmaCommand MesgObj failed");
    postCommand(kScopeMsgTemmaCommand, code);
}

bool ScopeControl::genericSlewDetect()
{
    if (m_hasScopePort) {
        m_status.isSerialCmd = false;
        m_thread.post(ScopeMessage::command(kScopeMsgSlewDetect, kScopeMsgSlewDetect));
    }
    return true;
}

void ScopeControl::stopSlewing()
{
    switch (mountPanelFor(m_status.scopeProtocol)) {
    case MountPanel::LX200:
    case MountPanel::MeadeBasic:
        lx200Command(kStopAll);
        break;
    case MountPanel::Gemini:
        geminiCommand(kStopAll);
        break;
    case MountPanel::Temma:
        temmaCommand(kStopAll);
        break;
    case MountPanel::NexStar:
        nexStarCommand(kStopAll);
        break;
    case MountPanel::IOptron:
        iOptronCommand(kStopAll);
        break;
    case MountPanel::IEQ45:
        iEQ45Command(kStopAll);
        break;
    case MountPanel::None:
        break;
    }
}

void ScopeControl::setScopeAlphaDelay()
{
    if (!m_fadeTimer.isActive())
        return;
    ++m_fadeCount;
    if (m_fadeCount < kFadeStart)
        return;
    const int steps = m_fadeCount - (kFadeStart - 1);
    if (m_links.panels)
        m_links.panels->setAlpha(mountPanelFor(m_status.scopeProtocol), 1.0 - kFadeStep * steps);
    if (steps >= kFadeSteps)
        m_fadeTimer.stop();
}

void ScopeControl::setGeminiBaud(int tag)
{
    switch (tag) {
    case 42: m_geminiBaud = 4800; break;
    case 43: m_geminiBaud = 9600; break;
    case 44: m_geminiBaud = 19200; break;
    case 45: m_geminiBaud = 38400; break;
    case 47: m_geminiBaud = 28800; break;
    default: break;
    }
}

void ScopeControl::setGeminiBaudChoice(int tag)
{
    constexpr int kTag9600 = 43;
    constexpr std::array kTags = {42, 43, 44, 45, 47};
    if (std::find(kTags.begin(), kTags.end(), tag) == kTags.end())
        tag = kTag9600;
    setGeminiBaud(tag);
    m_prefs.setGeminiBaudPref(int(m_geminiBaud));
    m_debug([this] { return QString("setGeminiBaud: %1").arg(m_geminiBaud); });
}

void ScopeControl::siteRead(double latitude, double longitude, const QString& siteName)
{
    if (m_links.prefWindow)
        m_links.prefWindow->setLocation(latitude, longitude, kTimeZoneUnchanged);
    m_prefs.setLatitude(latitude);
    m_prefs.setLongitude(longitude);
    if (m_links.prefWindow)
        m_links.prefWindow->lumarikSiteGoto(siteName);
}

void ScopeControl::setGotoRA(double ra, double dec)
{
    m_gotoRA = ra;
    m_gotoDec = dec;
}

double ScopeControl::scopeRA() const
{
    return m_status.scopeRA * Angles::kRadToDeg;
}

double ScopeControl::scopeDec() const
{
    return m_status.scopeDec * Angles::kRadToDeg;
}

ScopeControl::AzAlt ScopeControl::azAltOf(double ra, double dec, const SkyDateModel& date) const
{
    constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
    const SkyCoordinates::Site site{m_prefs.latitude() * kRadiansPerDegree,
                                    date.localSiderialTime() * 15.0 * kRadiansPerDegree};
    AzAlt result{};
    SkyCoordinates::CalculateAzFromRA(ra, dec, site, &result.az, &result.alt);
    return result;
}

double ScopeControl::scopeAz() const
{
    return azAltOf(m_status.scopeRA, m_status.scopeDec, m_skyDate).az * Angles::kRadToDeg;
}

double ScopeControl::scopeAlt() const
{
    return azAltOf(m_status.scopeRA, m_status.scopeDec, m_skyDate).alt * Angles::kRadToDeg;
}

ScopeControl::AzAlt ScopeControl::scopeAzAlt() const
{
    // A date of its own: the domes ask from the worker too, and the chart's
    // date is the user's.
    SkyDateModel now(m_prefs);
    now.calculateDate(AppTimeZone::now(), 0.0);
    return azAltOf(m_status.scopeRA, m_status.scopeDec, now);
}
