#include "camera/canon/CanonControl.h"

#include "camera/canon/CanonTables.h"
#include "platform/AlertPanel.h"

#include <QElapsedTimer>
#include <QPointer>

using namespace CanonIds;

namespace {

constexpr int kProgressMs = 100;
constexpr int kBatteryMs = 60000;

const QElapsedTimer& monotonicClock()
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock;
}

std::int64_t monotonicTicks()
{
    return monotonicClock().elapsed() * 60 / 1000;
}

std::int64_t monotonicMicros()
{
    return monotonicClock().nsecsElapsed() / 1000;
}

}  // namespace

CanonControl::CanonControl(CanonSdk& sdk, PrefControl& prefs, DebugWriter debug, QObject* parent)
    : QObject(parent), m_sdk(sdk), m_prefs(prefs), m_debug(std::move(debug)), m_ticks(monotonicTicks), m_microClock(monotonicMicros)
{
    for (int i = 0; i < CanonTables::kExposureCount; ++i)
        m_panel.expTitles << QString::fromLatin1(CanonTables::exposure(i).title);
    m_panel.expValue = m_panel.expTitles.value(m_panel.expSelected);

    m_canonExpTimer.setSingleShot(true);
    m_triggerTimer.setSingleShot(true);
    m_downloadTimeout.setSingleShot(true);
    m_progressTimer.setInterval(kProgressMs);
    m_batteryTimer.setInterval(kBatteryMs);
    connect(&m_canonExpTimer, &QTimer::timeout, this, &CanonControl::canonExpTimerFired);
    connect(&m_progressTimer, &QTimer::timeout, this, &CanonControl::canonExpProgressTimer);
    connect(&m_triggerTimer, &QTimer::timeout, this, &CanonControl::delayEnded);
    connect(&m_batteryTimer, &QTimer::timeout, this, &CanonControl::canonBatteryLevelTimer);
    connect(&m_downloadTimeout, &QTimer::timeout, this, &CanonControl::downloadTimedOut);
    connect(&m_evTimer, &QTimer::timeout, this, &CanonControl::canonEvTimer);
    connect(&m_canonMovie, &MovieJob::frameWritten, this, &CanonControl::movieFrameWritten);
    connect(&m_canonMovie, &MovieJob::movieFinished, this, &CanonControl::movieFinished);
}

CanonControl::~CanonControl()
{
    // The SDK outlives the controller: it must not call back into it.
    m_sdk.setObjectEventHandler({});
    m_sdk.setPropertyEventHandler({});
    m_sdk.setCameraStateEventHandler({});
}

void CanonControl::setViewBounds(double width, double height)
{
    m_viewW = width;
    m_viewH = height;
    m_factor = m_viewW > 0 ? m_width / m_viewW : 0;
}

void CanonControl::logError(const char* format, CanonSdk::Error error) const
{
    m_debug([&] { return QString::asprintf(format, static_cast<unsigned>(error)); });
}

std::int64_t CanonControl::ticks() const
{
    return m_ticks();
}

void CanonControl::abandonPendingAnswers()
{
    if (m_isCanonConnecting) {
        ++m_connectGeneration;
        endConnection(false, {});
    }
    if (m_isCanonStarting) {
        ++m_startGeneration;
        endStart(false);
    }
    endSequence();
    if (m_isCanonExposing)
        canonClearExposure();
}

void CanonControl::canonDisconnect()
{
    abandonPendingAnswers();
    stopRecordingMovie();
    stopLiveViewForDisconnect();
    m_batteryTimer.stop();
    m_sdk.closeSession();
    m_sdk.releaseCamera();
    m_hasCamera = false;
    m_sdk.terminateSdk();
    m_isSDKInit = false;
    m_isCanonConnected = false;
    emit hidePanelRequested();
}

void CanonControl::canonDisconnectShutdown()
{
    // The image on its way is lost with the camera: the user is told so.
    if (m_isCanonDownloading || !m_transfers.empty())
        AlertPanel::runAlert(QStringLiteral("The camera went away during a download."),
                             QStringLiteral("The image was not saved on the computer."));
    abandonPendingAnswers();
    stopRecordingMovie();
    m_batteryTimer.stop();
    m_sdk.closeSession();
    m_sdk.releaseCamera();
    m_hasCamera = false;
    stopLiveViewForDisconnect();
    m_isCanonConnected = false;
    emit hidePanelRequested();
}

void CanonControl::writeCanonWhiteBalance(std::function<void(bool)> done)
{
    m_isCanonUSBBusy = true;
    m_sdk.writeUInt32(kPropColorTemperature, 0, m_degK, answered([this, done](Error error) {
        if (error != kOk) {
            logError("EdsSetPropertyData kEdsPropID_ColorTemperature error: 0x%04X.", error);
            m_isCanonUSBBusy = false;
            done(false);
            return;
        }
        if (!m_isLiveViewCapable) {
            m_isCanonUSBBusy = false;
            done(true);
            return;
        }
        m_sdk.writeUInt32(kPropEvfColorTemperature, 0, m_degK, answered([this, done](Error evf) {
            if (evf != kOk)
                logError("EdsSetPropertyData kEdsPropID_Evf_ColorTemperature error: 0x%04X.", evf);
            m_isCanonUSBBusy = false;
            done(evf == kOk);
        }));
    }));
}

void CanonControl::handleCanonPropertyEvent(std::uint32_t, std::uint32_t property, std::uint32_t)
{
    if (property == kPropWhiteBalance || property == kPropISOSpeed)
        setIsPropChange(true);
    else if (property == kPropTv)
        setIsCanonBulb();
    else if (property == kPropEvfOutputDevice)
        setIsCanonLiveView();
}

void CanonControl::handleCanonStateEvent(std::uint32_t event, std::uint32_t)
{
    switch (event) {
    case kStateShutDown:
        if (m_isCanonConnected)
            canonDisconnectShutdown();
        break;
    case kStateWillSoonShutDown:
        if (m_isCanonConnected && m_isCanonLiveView)
            canonExtendLiveViewTime();
        else if (m_isCanonConnected)
            canonDisconnect();
        break;
    case kStateInternalError:
        AlertPanel::runAlert(QStringLiteral("Canon State Event."), QStringLiteral("Internal Error"));
        break;
    default:
        break;
    }
}

void CanonControl::canonBatteryLevelTimer()
{
    if (!m_isCanonConnected)
        m_batteryTimer.stop();
    // Read without waiting: a slow camera does not hold up the window.
    const QPointer<CanonControl> self(this);
    m_sdk.readUInt32(kPropBatteryLevel, 0, [self](Error error, std::uint32_t level) {
        if (self && error == kOk)
            self->takeBatteryLevel(level);
    });
}

void CanonControl::takeBatteryLevel(std::uint32_t level)
{
    // An answer that comes after the disconnection is not news any more.
    if (m_isBatteryWatchStopped || !m_isCanonConnected)
        return;
    if (level == 0) {
        AlertPanel::beep();
        m_isBatteryWatchStopped = true;
        if (askToDisconnect(QStringLiteral("WARNING - the camera's battery level is unknown.")))
            canonDisconnect();
        return;
    }
    if (level == kBatteryAC) {
        m_panel.batteryLevel = 10;
        changed();
        return;
    }
    m_panel.batteryLevel = static_cast<int>(level / 10);
    changed();
    if (!m_isLowBatteryWarned && level <= 10) {
        m_isLowBatteryWarned = true;
        AlertPanel::beep();
        AlertPanel::runAlert(QStringLiteral("WARNING - the camera's battery level is low."), QStringLiteral(" "));
    }
    if (level <= 2) {
        AlertPanel::beep();
        m_isBatteryWatchStopped = true;
        if (askToDisconnect(QStringLiteral("WARNING - the camera's battery level is too low.")))
            canonDisconnect();
    }
}

bool CanonControl::askToDisconnect(const QString& title)
{
    return AlertPanel::runChoice(title, QStringLiteral("Do you want to disconnect from the camera?"),
                                 QStringLiteral("YES"), QStringLiteral("NO"));
}
