#include "camera/canon/CanonControl.h"

#include "platform/AlertPanel.h"

#include <QPointer>
#include <QtEndian>

#include <algorithm>
#include <cmath>

using namespace CanonIds;

namespace {

constexpr int kFrameMs = 20;
constexpr int kBusyRetries = 10;
constexpr int kOnRetryMs = 100;
constexpr int kOffRetryMs = 50;
constexpr std::uint32_t kZoomWhole = 1;
constexpr std::uint32_t kZoomWindow = 5;

QByteArray zoomPositionBytes(QPoint at)
{
    return uint32Bytes(static_cast<std::uint32_t>(at.x())) + uint32Bytes(static_cast<std::uint32_t>(at.y()));
}

}  // namespace

void CanonControl::writeWithRetries(std::uint32_t property, const QByteArray& data, int retries, int intervalMs,
                                    std::function<void(CanonSdk::Error)> done)
{
    const Error error = m_sdk.setPropertyData(property, 0, data);
    if (error != kErrDeviceBusy || retries == 0) {
        done(error);
        return;
    }
    // The camera is busy: try again later without holding up the event loop.
    const std::uint64_t generation = m_liveViewGeneration;
    QTimer::singleShot(intervalMs, this, [=, this] {
        if (generation == m_liveViewGeneration)
            writeWithRetries(property, data, retries - 1, intervalMs, done);
    });
}

bool CanonControl::setupCanonLiveView(bool on)
{
    std::uint32_t device = 0;
    const Error error = m_sdk.getUInt32(kPropEvfOutputDevice, 0, device);
    if (error != kOk) {
        logError("setupCanonLiveView EdsGetPropertyData error: 0x%04X.", error);
        return false;
    }
    logError("setupCanonLiveView EdsGetPropertyData device: 0x%04X.", device);
    ++m_liveViewGeneration;
    if (on) {
        writeWithRetries(kPropEvfOutputDevice, uint32Bytes(device | kEvfOutputHost), kBusyRetries, kOnRetryMs,
                         [this](Error result) {
            if (result != kOk) {
                logError("EdsSetPropertyData kEdsPropID_Evf_OutputDevice error: 0x%04X.", result);
                return;
            }
            writeWithRetries(kPropEvfZoomPosition, zoomPositionBytes(m_zoomPt), kBusyRetries, kOnRetryMs,
                             [this](Error position) {
                if (position != kOk)
                    logError("EdsSetPropertyData kEdsPropID_Evf_ZoomPosition error: 0x%04X.", position);
                writeWithRetries(kPropEvfZoom, uint32Bytes(m_canonZoomScale), kBusyRetries, kOnRetryMs,
                                 [this](Error zoom) {
                    if (zoom != kOk)
                        logError("EdsSetPropertyData kEdsPropID_Evf_Zoom error: 0x%04X.", zoom);
                });
            });
        });
        return true;
    }
    if (!m_isCanonLiveView)
        return true;
    if (!m_hasCamera) {
        log(QStringLiteral("setupCanonLiveView canonCamera = nil"));
    } else {
        writeWithRetries(kPropEvfOutputDevice, uint32Bytes(device & ~kEvfOutputHost), kBusyRetries, kOffRetryMs,
                         [this](Error result) {
            if (result != kOk)
                logError("EdsSetPropertyData ~kEdsPropID_Evf_OutputDevice error: 0x%04X.", result);
        });
    }
    m_isCanonLiveView = false;
    return true;
}

void CanonControl::stopLiveViewForDisconnect()
{
    if (m_isCanonLiveView)
        setupCanonLiveView(false);
    // Without a camera to ask, the stream is over all the same.
    ++m_liveViewGeneration;
    m_isCanonLiveView = false;
    m_evTimer.stop();
}

void CanonControl::setIsCanonLiveView()
{
    const QPointer<CanonControl> self(this);
    m_sdk.readUInt32(kPropEvfOutputDevice, 0, [self](Error error, std::uint32_t device) {
        if (self)
            self->takeLiveViewOutput(error, device);
    });
}

void CanonControl::takeLiveViewOutput(CanonSdk::Error error, std::uint32_t device)
{
    if (error != kOk) {
        logError("setIsCanonLiveView error: 0x%04X.", error);
        return;
    }
    if (device & kEvfOutputHost) {
        m_isCanonLiveView = true;
        // One timer however often the camera reports.
        if (!m_evTimer.isActive())
            m_evTimer.start(kFrameMs);
        log(QStringLiteral("setIsCanonLiveView: YES"));
    } else {
        m_isCanonLiveView = false;
        logError("setIsCanonLiveView NO, evData: 0x%04X.", device);
    }
    changed();
}

void CanonControl::canonEvTimer()
{
    if (m_isCanonExposing || m_isCanonDownloading || m_isCanonUSBBusy || m_isFrameRequested)
        return;
    if (m_isCanonLiveView)
        getCanonLiveView();
    else
        m_evTimer.stop();
}

void CanonControl::getCanonLiveView()
{
    // One frame asked for at a time, however slowly the camera gives them.
    m_isFrameRequested = true;
    const QPointer<CanonControl> self(this);
    m_sdk.downloadEvfImage([self](Error error, const QByteArray& frame) {
        if (self)
            self->takeFrame(error, frame);
    });
}

void CanonControl::takeFrame(CanonSdk::Error error, const QByteArray& frame)
{
    m_isFrameRequested = false;
    if (!m_isCanonLiveView || error == kErrDeviceBusy || error == kErrObjectNotReady)
        return;
    if (error != kOk) {
        logError("EdsDownloadEvfImage error: 0x%04X.", error);
        return;
    }
    if (frame.isEmpty() || frame.size() > kEvfBuffSize) {
        log(QStringLiteral("getCanonLiveView: data == nil"));
        return;
    }
    m_canonEvfData = frame;
    emit imageChanged();
}

bool CanonControl::writeZoomPosition()
{
    const Error error = m_sdk.setPropertyData(kPropEvfZoomPosition, 0, zoomPositionBytes(m_zoomPt));
    if (error != kOk)
        logError("EdsSetPropertyData kEdsPropID_Evf_ZoomPosition error: 0x%04X.", error);
    return error == kOk;
}

bool CanonControl::setupCanonLiveViewPosition(double x, double y)
{
    if (!m_isCanonLiveView)
        return false;
    Error error = kOk;
    if (m_canonZoomScale == kZoomWhole) {
        // The window's corner on the sensor, kept wholly on it.
        double left = std::max(0.0, x * m_factor - m_width10);
        double top = std::max(0.0, (m_viewH - y) * m_factor - m_height10);
        left = std::min(left, m_width - m_width5);
        top = std::min(top, m_height - m_height5);
        m_zoomPt = QPoint(static_cast<int>(std::trunc(left + 0.5)), static_cast<int>(std::trunc(top + 0.5)));
        if (!writeZoomPosition())
            return false;
        m_canonZoomScale = kZoomWindow;
        error = m_sdk.setUInt32(kPropEvfZoom, 0, m_canonZoomScale);
        if (error == kOk) {
            emit imageChanged();
            m_panel.movieFramesEnabled = true;
            m_panel.expComboEnabled = false;
        }
    } else {
        m_canonZoomScale = kZoomWhole;
        error = m_sdk.setUInt32(kPropEvfZoom, 0, m_canonZoomScale);
        if (error == kOk) {
            m_panel.movieFramesEnabled = true;
            m_panel.expComboEnabled = true;
        }
    }
    if (error != kOk) {
        logError("EdsSetPropertyData kEdsPropID_Evf_Zoom error: 0x%04X.", error);
        return false;
    }
    changed();
    return true;
}

bool CanonControl::jogCanonLiveViewPosition(int dx, int dy)
{
    if (m_canonZoomScale == kZoomWhole)
        return false;
    const double left = std::min(std::max(0.0, double(m_zoomPt.x()) + dx), m_width - m_width5);
    const double top = std::min(std::max(0.0, double(m_zoomPt.y()) + dy), m_height - m_height5);
    m_zoomPt = QPoint(static_cast<int>(left), static_cast<int>(top));
    if (m_sdk.setPropertyData(kPropEvfZoomPosition, 0, zoomPositionBytes(m_zoomPt)) != kOk)
        return false;
    emit imageChanged();
    return true;
}

void CanonControl::canonExtendLiveViewTime()
{
    const Error error = m_sdk.sendCommand(kCmdExtendShutDownTimer, 0);
    if (error != kOk)
        logError("EdsSendCommand ExtendShutDownTimer error: 0x%04X.", error);
}

void CanonControl::setIsCanonBulb()
{
    // Both settings are read without waiting; the answers are taken together.
    m_isCanonUSBBusy = true;
    const QPointer<CanonControl> self(this);
    m_sdk.readUInt32(kPropTv, 0, [self](Error tvError, std::uint32_t tv) {
        if (!self)
            return;
        self->m_sdk.readUInt32(kPropAEMode, 0, [self, tvError, tv](Error aeError, std::uint32_t ae) {
            if (self)
                self->takeBulbState(tvError, tv, aeError, ae);
        });
    });
}

void CanonControl::takeBulbState(CanonSdk::Error tvError, std::uint32_t tv, CanonSdk::Error aeError, std::uint32_t ae)
{
    // A read the camera does not answer (busy with a command) tells nothing
    // about the bulb state, which then stays as it was.
    bool bulb = false;
    if (tvError == kOk) {
        if (tv == kTvBulb && !m_is60D)
            bulb = true;
        m_isPropChange = true;
    } else {
        logError("setIsCanonBulb Tv err: 0x%04X.", tvError);
    }
    if (aeError == kOk) {
        m_canonAEData = ae;
        if (m_is60D && m_canonAEData == kAEBulb)
            bulb = true;
    } else {
        logError("setIsCanonBulb AE err: 0x%04X.", aeError);
    }
    // The 60D's bulb is its dial's mode, the others' the shutter speed.
    if ((m_is60D ? aeError : tvError) == kOk)
        m_isCanonBulb = bulb;
    m_debug([&] { return QString::asprintf("setIsCanonBulb exp:0x%02X, AEData: %d.", tv, int(m_canonAEData)); });
    if (m_is60D) {
        if (m_canonExpTime > 30 && m_canonAEData != kAEBulb) {
            AlertPanel::runAlert(QStringLiteral("Set the mode dial to Bulb for long (>30s) exposures."), QStringLiteral(" "));
            m_panel.expButtonEnabled = false;
        } else if (m_canonExpTime < 1 && m_canonAEData != kAEManual) {
            AlertPanel::runAlert(QStringLiteral("Set the mode dial to Manual for short (<1s) exposures."), QStringLiteral(" "));
            m_panel.expButtonEnabled = false;
        } else {
            m_panel.expButtonEnabled = true;
        }
    }
    m_isCanonUSBBusy = false;
    changed();
}

void CanonControl::removeFilePath()
{
    if (m_canonFilePath.isEmpty())
        return;
    m_canonFilePath.clear();
    m_isCanonFileTestImage = false;
    m_isNewExposeImage = false;
}
