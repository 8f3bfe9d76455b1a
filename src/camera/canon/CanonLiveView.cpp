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
constexpr const char* kZoomError = "EdsSetPropertyData kEdsPropID_Evf_Zoom error: 0x%04X.";
constexpr const char* kZoomPositionError = "EdsSetPropertyData kEdsPropID_Evf_ZoomPosition error: 0x%04X.";
constexpr const char* kExtendError = "EdsSendCommand ExtendShutDownTimer error: 0x%04X.";

QByteArray zoomPositionBytes(QPoint at)
{
    return uint32Bytes(static_cast<std::uint32_t>(at.x())) + uint32Bytes(static_cast<std::uint32_t>(at.y()));
}

}  // namespace

template <class Then>
auto CanonControl::whileLiveView(Then then)
{
    return whilePending(&CanonControl::m_isCanonConnected, &CanonControl::m_liveViewGeneration, std::move(then));
}

void CanonControl::writeWithRetries(std::uint32_t property, const QByteArray& data, int retries, int intervalMs,
                                    std::function<void(CanonSdk::Error)> done)
{
    m_sdk.writePropertyData(property, 0, data, whileLiveView([=, this](Error error) {
        if (error != kErrDeviceBusy || retries == 0) {
            done(error);
            return;
        }
        // The camera is busy: try again later without holding up the event loop.
        const std::uint64_t generation = m_liveViewGeneration;
        QTimer::singleShot(intervalMs, this, [=, this] {
            if (generation == m_liveViewGeneration && m_isCanonConnected)
                writeWithRetries(property, data, retries - 1, intervalMs, done);
        });
    }));
}

void CanonControl::newLiveViewSwitch()
{
    ++m_liveViewGeneration;
    m_isZoomWriting = false;
    m_isZoomPending = false;
}

void CanonControl::setupCanonLiveView(bool on)
{
    const bool running = m_isCanonLiveView || m_isLiveViewWanted;
    newLiveViewSwitch();
    m_isLiveViewWanted = on;
    if (!on) {
        // The frames stop at once; the camera is told when it answers.
        m_isCanonLiveView = false;
        if (!running)
            return;
    }
    m_sdk.readUInt32(kPropEvfOutputDevice, 0, whileLiveView([this, on](Error error, std::uint32_t device) {
        if (error != kOk) {
            logError("setupCanonLiveView EdsGetPropertyData error: 0x%04X.", error);
            return;
        }
        logError("setupCanonLiveView EdsGetPropertyData device: 0x%04X.", device);
        m_evfOutputDevice = device;
        if (on)
            switchLiveViewOn(device);
        else
            switchLiveViewOff(device);
    }));
}

void CanonControl::switchLiveViewOn(std::uint32_t device)
{
    writeWithRetries(kPropEvfOutputDevice, uint32Bytes(device | kEvfOutputHost), kBusyRetries, kOnRetryMs,
                     [this, device](Error result) {
        if (result != kOk) {
            logError("EdsSetPropertyData kEdsPropID_Evf_OutputDevice error: 0x%04X.", result);
            return;
        }
        m_evfOutputDevice = device | kEvfOutputHost;
        // A click meanwhile waits for these writes, and is written after them.
        m_isZoomWriting = true;
        const std::uint32_t scale = m_canonZoomScale;
        writeWithRetries(kPropEvfZoomPosition, zoomPositionBytes(m_zoomPt), kBusyRetries, kOnRetryMs,
                         [this, scale](Error position) {
            if (position != kOk)
                logError(kZoomPositionError, position);
            writeWithRetries(kPropEvfZoom, uint32Bytes(scale), kBusyRetries, kOnRetryMs, [this, scale](Error zoom) {
                if (zoom != kOk)
                    logError(kZoomError, zoom);
                else
                    m_cameraZoomScale = scale;
                zoomAnswered();
            });
        });
    });
}

void CanonControl::switchLiveViewOff(std::uint32_t device)
{
    if (!m_hasCamera) {
        log(QStringLiteral("setupCanonLiveView canonCamera = nil"));
        return;
    }
    writeWithRetries(kPropEvfOutputDevice, uint32Bytes(device & ~kEvfOutputHost), kBusyRetries, kOffRetryMs,
                     [this, device](Error result) {
        if (result != kOk)
            logError("EdsSetPropertyData ~kEdsPropID_Evf_OutputDevice error: 0x%04X.", result);
        else
            m_evfOutputDevice = device & ~kEvfOutputHost;
    });
}

void CanonControl::stopLiveViewForDisconnect()
{
    // The session closes right after: the switch-off is queued before it
    // without waiting for a read, from the value last read.
    if ((m_isCanonLiveView || m_isLiveViewWanted) && m_hasCamera)
        m_sdk.writeUInt32(kPropEvfOutputDevice, 0, m_evfOutputDevice & ~kEvfOutputHost, {});
    // Without a camera to ask, the stream is over all the same.
    newLiveViewSwitch();
    m_isLiveViewWanted = false;
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
    m_evfOutputDevice = device;
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

bool CanonControl::setupCanonLiveViewPosition(double x, double y)
{
    if (!m_isCanonLiveView)
        return false;
    if (m_canonZoomScale == kZoomWhole) {
        // The window's corner on the sensor, kept wholly on it.
        double left = std::max(0.0, x * m_factor - m_width10);
        double top = std::max(0.0, (m_viewH - y) * m_factor - m_height10);
        left = std::min(left, m_width - m_width5);
        top = std::min(top, m_height - m_height5);
        m_zoomPt = QPoint(static_cast<int>(std::trunc(left + 0.5)), static_cast<int>(std::trunc(top + 0.5)));
        m_canonZoomScale = kZoomWindow;
    } else {
        m_canonZoomScale = kZoomWhole;
    }
    requestZoom();
    return true;
}

bool CanonControl::jogCanonLiveViewPosition(int dx, int dy)
{
    if (m_canonZoomScale == kZoomWhole)
        return false;
    const double left = std::min(std::max(0.0, double(m_zoomPt.x()) + dx), m_width - m_width5);
    const double top = std::min(std::max(0.0, double(m_zoomPt.y()) + dy), m_height - m_height5);
    m_zoomPt = QPoint(static_cast<int>(left), static_cast<int>(top));
    requestZoom();
    return true;
}

void CanonControl::requestZoom()
{
    // The last click wins: one waiting behind the writes under way is
    // replaced by any that follows it.
    if (m_isZoomWriting) {
        m_isZoomPending = true;
        return;
    }
    writeZoom();
}

void CanonControl::writeZoom()
{
    m_isZoomWriting = true;
    if (m_canonZoomScale == kZoomWhole) {
        if (m_cameraZoomScale == kZoomWhole)
            zoomAnswered();
        else
            writeZoomScale(kZoomWhole);
        return;
    }
    writeWithRetries(kPropEvfZoomPosition, zoomPositionBytes(m_zoomPt), 0, 0, [this](Error position) {
        if (position != kOk) {
            // A jog the camera refuses is left silently, as the arrow keys expect.
            if (m_cameraZoomScale != kZoomWindow)
                zoomFailed(kZoomPositionError, position);
        } else if (m_cameraZoomScale != kZoomWindow) {
            writeZoomScale(kZoomWindow);
            return;
        } else {
            emit imageChanged();
        }
        zoomAnswered();
    });
}

void CanonControl::writeZoomScale(std::uint32_t scale)
{
    writeWithRetries(kPropEvfZoom, uint32Bytes(scale), 0, 0, [this, scale](Error zoom) {
        if (zoom == kOk) {
            m_cameraZoomScale = scale;
            if (scale == kZoomWindow)
                emit imageChanged();
            m_panel.movieFramesEnabled = true;
            m_panel.expComboEnabled = scale == kZoomWhole;
            changed();
        } else {
            zoomFailed(kZoomError, zoom);
        }
        zoomAnswered();
    });
}

void CanonControl::zoomFailed(const char* format, CanonSdk::Error error)
{
    logError(format, error);
    if (m_isZoomPending)
        return;
    // The zoom shown is the camera's, so that the next click toggles from it.
    m_canonZoomScale = m_cameraZoomScale;
    AlertPanel::beep();
}

void CanonControl::zoomAnswered()
{
    m_isZoomWriting = false;
    if (m_isZoomPending) {
        m_isZoomPending = false;
        writeZoom();
    }
}

void CanonControl::canonExtendLiveViewTime()
{
    const QPointer<CanonControl> self(this);
    const Error error = m_sdk.sendCommand(kCmdExtendShutDownTimer, 0, [self](Error answer) {
        if (self && answer != kOk)
            self->logError(kExtendError, answer);
    });
    if (error != kOk)
        logError(kExtendError, error);
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
