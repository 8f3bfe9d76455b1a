#include "camera/canon/CanonControl.h"

#include "camera/canon/CanonTables.h"
#include "platform/AlertPanel.h"

#include <QElapsedTimer>

using namespace CanonIds;

namespace {

constexpr int kProgressMs = 100;
constexpr int kBatteryMs = 60000;

std::int64_t monotonicTicks()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.elapsed() * 60 / 1000;
}

}  // namespace

CanonControl::CanonControl(CanonSdk& sdk, PrefControl& prefs, DebugWriter debug, QObject* parent)
    : QObject(parent), m_sdk(sdk), m_prefs(prefs), m_debug(std::move(debug)), m_ticks(monotonicTicks)
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
    connect(&m_triggerTimer, &QTimer::timeout, this, [this] { startCanonExposure(); });
    connect(&m_batteryTimer, &QTimer::timeout, this, &CanonControl::canonBatteryLevelTimer);
    connect(&m_downloadTimeout, &QTimer::timeout, this, &CanonControl::downloadTimedOut);
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
}

void CanonControl::logError(const char* format, CanonSdk::Error error) const
{
    m_debug([&] { return QString::asprintf(format, static_cast<unsigned>(error)); });
}

std::int64_t CanonControl::ticks() const
{
    return m_ticks();
}

void CanonControl::canonDisconnect()
{
    m_batteryTimer.stop();
    m_sdk.closeSession();
    m_sdk.releaseCamera();
    m_sdk.terminateSdk();
    m_isSDKInit = false;
    m_isCanonConnected = false;
    releaseMovie();
    emit hidePanelRequested();
}

void CanonControl::canonDisconnectShutdown()
{
    m_batteryTimer.stop();
    m_sdk.closeSession();
    m_sdk.releaseCamera();
    m_isCanonConnected = false;
    releaseMovie();
    emit hidePanelRequested();
}

void CanonControl::releaseMovie()
{
    m_isCanonMovieRecording = false;
}

bool CanonControl::setCanonWhiteBalance()
{
    m_isCanonUSBBusy = true;
    Error error = m_sdk.setUInt32(kPropColorTemperature, 0, m_degK);
    if (error != kOk)
        logError("EdsSetPropertyData kEdsPropID_ColorTemperature error: 0x%04X.", error);
    else if (m_isLiveViewCapable) {
        error = m_sdk.setUInt32(kPropEvfColorTemperature, 0, m_degK);
        if (error != kOk)
            logError("EdsSetPropertyData kEdsPropID_Evf_ColorTemperature error: 0x%04X.", error);
    }
    m_isCanonUSBBusy = false;
    return error == kOk;
}

void CanonControl::handleCanonPropertyEvent(std::uint32_t, std::uint32_t property, std::uint32_t)
{
    if (property == kPropWhiteBalance || property == kPropISOSpeed)
        setIsPropChange(true);
}

void CanonControl::handleCanonStateEvent(std::uint32_t event, std::uint32_t)
{
    switch (event) {
    case kStateShutDown:
        if (m_isCanonConnected)
            canonDisconnectShutdown();
        break;
    case kStateWillSoonShutDown:
        if (m_isCanonConnected)
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
    if (!m_isCanonConnected || m_isCanonUSBBusy)
        return;
    std::uint32_t level = 0;
    const Error error = m_sdk.getUInt32(kPropBatteryLevel, 0, level);
    if (error != kOk) {
        logError("EdsGetPropertyData kEdsPropID_BatteryLevel error: 0x%04X.", error);
        return;
    }
    m_panel.batteryLevel = level == kBatteryAC ? 100 : static_cast<int>(level);
    changed();
}
