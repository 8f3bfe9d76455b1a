#include "camera/canon/CanonControl.h"

#include "camera/canon/CanonShutter.h"
#include "camera/canon/CanonTables.h"
#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"

#include <QPointer>

#include <algorithm>
#include <cmath>

using namespace CanonIds;

namespace {

const QString& kBlank = CanonTables::kBlankText;
const QString& kExpose = CanonTables::kExposeTitle;
const QString& kAbort = CanonTables::kAbortTitle;
const QString kExposureErrorTitle = QStringLiteral("The exposure time setting generated an error.");
const QString kExposureErrorMessage = QStringLiteral("Some exposure times are not valid for your camera.");
constexpr double kShortestDelayBeforeFirst = 15.0;
using CanonTables::kDSUSBFailed;
constexpr int kUnlockRetries = 150;
constexpr int kUnlockRetryMs = 200;

}  // namespace

void CanonControl::canonAction(int tag)
{
    switch (tag) {
    case kTagExpose: exposeButton(); break;
    case kTagSaveToCamera:
    case kTagSaveToMac: saveTarget(); break;
    case kTagISO: chooseISO(); break;
    case kTagExpCombo: exposureTime(); break;
    case kTagDelay:
        if (const auto delay = CanonTables::delaySeconds(m_panel.delaySelected))
            m_canonDelayTime = *delay;
        break;
    case kTagFileFolder: setFileFolder(); break;
    case kTagMovieFolder: setMovieFolder(); break;
    case kTagRecord: recordButton(); break;
    case kTagMovieFrames: readMovieFrameLimit(); break;
    case kTagMovieQuality:
        m_codecStr = m_panel.movieQualityRow == 0 ? QStringLiteral("avc1") : QStringLiteral("tiff");
        m_codecQuality = m_panel.movieQualityRow == 0 ? 768 : 1024;
        break;
    case kTagNumExp:
        if (const auto count = CanonTables::exposureCount(m_panel.numExpSelected)) {
            m_canonNumExposures = *count;
            if (m_canonNumExposures <= 1)
                m_panel.expTakenText = kBlank;
            else if (m_canonNumExposures == CanonTables::kContinuous)
                m_panel.expTakenText = QStringLiteral("0");
            else
                m_panel.expTakenText = QStringLiteral("0/%1").arg(m_canonNumExposures);
        }
        break;
    case kTagFocusCheck:
        m_zoomPt = QPoint(0, 0);
        m_canonZoomScale = 1;
        emit scaleImageReset();
        if (m_panel.focusChecked) {
            setupCanonLiveView(true);
            m_panel.recordEnabled = true;
        } else {
            // No frames come any more: the movie ends with the stream.
            stopRecordingMovie();
            setupCanonLiveView(false);
            m_panel.recordEnabled = false;
            m_panel.expComboEnabled = true;
            emit imageChanged();
        }
        break;
    case kTagSaturation:
        m_canonSatValue = m_panel.saturation;
        emit imageChanged();
        break;
    case kTagFocusExposure:
        m_canonFocusExposureScale = m_panel.focusExposure;
        emit imageChanged();
        break;
    case kTagGrid:
        m_isCanonGrid = m_panel.gridChecked;
        emit imageChanged();
        break;
    case kTagWhiteBalance:
        m_degK = static_cast<std::uint32_t>(std::trunc(m_panel.whiteBalance + 0.5)) * 100;
        writeCanonWhiteBalance([this](bool written) {
            if (!written)
                return;
            m_panel.degKelvinText = QString::number(m_degK);
            if (m_isCanonLiveView)
                getCanonLiveView();
        });
        break;
    default:
        return;
    }
    changed();
}

void CanonControl::exposeButton()
{
    // The camera has not answered the start yet: there is nothing to abort.
    if (m_isCanonStarting)
        return;
    if (m_isCanonExposing) {
        if (m_isBulbOpen && canonEndBulbExposure())
            m_panel.expButtonTitle = kExpose;
        m_canonNumExpTaken = 1;
        m_canonNumExposures = 1;
        m_isCanonAbort = true;
        endSequence();
        m_panel.numExpSelected = 0;
        m_panel.expTakenText = kBlank;
        canonClearExposure();
        m_panel.focusEnabled = m_isLiveViewCapable;
        if (m_isCanonLiveView)
            m_panel.recordEnabled = true;
        return;
    }
    if (m_isCanonDownloading)
        return;
    m_canonNumExpTaken = 0;
    m_isCanonAbort = false;
    beginSequence();
    const bool sequence = m_canonNumExposures >= 2;
    if (m_canonDelayTime > 0 && m_canonDelayTime < kShortestDelayBeforeFirst && sequence) {
        m_triggerTimer.start(static_cast<int>(m_canonDelayTime * 1000));
        m_panel.expButtonTitle = QStringLiteral("Delay");
        setCountText();
        sequenceStarted();
        return;
    }
    canonStartBulbExposure([this](bool started) {
        if (!started) {
            m_panel.expTakenText = kBlank;
            changed();
            return;
        }
        setCountText();
        sequenceStarted();
        changed();
    });
}

void CanonControl::sequenceStarted()
{
    if (m_isCanonLiveView)
        m_canonZoomScale = 1;
    m_panel.focusEnabled = false;
    m_panel.recordEnabled = false;
}

void CanonControl::setCountText()
{
    if (m_canonNumExposures == CanonTables::kContinuous)
        m_panel.expTakenText = QString::number(m_canonNumExpTaken);
    else if (m_canonNumExposures >= 2)
        m_panel.expTakenText = QStringLiteral("%1/%2").arg(m_canonNumExpTaken).arg(m_canonNumExposures);
    else
        m_panel.expTakenText = kBlank;
}

void CanonControl::saveTarget()
{
    m_isCanonTestImage = false;
    const bool camera = m_panel.saveToCameraChecked;
    const bool computer = m_panel.saveToMacChecked;
    if (camera && computer)
        m_canonSaveTo = kSaveToBoth;
    else if (camera)
        m_canonSaveTo = kSaveToCamera;
    else if (computer)
        m_canonSaveTo = kSaveToHost;
    else {
        m_canonSaveTo = kSaveToHost;
        m_isCanonTestImage = true;
    }
    m_panel.fileFolderEnabled = computer;
    m_isCanonUSBBusy = true;
    m_sdk.writeUInt32(kPropSaveTo, 0, m_canonSaveTo, answered([this](Error error) {
        if (error != kOk) {
            logError("EdsSetPropertyData kEdsPropID_SaveTo error: 0x%04X.", error);
            AlertPanel::beep();
        }
        m_isCanonUSBBusy = false;
    }));
}

void CanonControl::chooseISO()
{
    const int item = m_panel.isoSelected;
    if (item < 0 || static_cast<std::uint32_t>(item) >= m_numMaxISO)
        return;
    m_isoCode = m_canonISOMenu[static_cast<std::size_t>(item)];
    m_canonISO = CanonTables::isoChoice(m_isoCode).iso;
    m_isCanonUSBBusy = true;
    m_sdk.writeUInt32(kPropISOSpeed, 0, m_isoCode, answered([this](Error error) {
        if (error != kOk) {
            logError("EdsSetPropertyData kEdsPropID_ISOSpeed error: 0x%04X.", error);
            AlertPanel::beep();
        }
        m_isCanonUSBBusy = false;
    }));
}

void CanonControl::exposureTime()
{
    const int item = m_panel.expSelected;
    if (item >= 0 && item < CanonTables::kExposureCount) {
        const CanonTables::Exposure& exposure = CanonTables::exposure(item);
        m_panel.expValue = m_panel.expTitles.value(item);
        m_prefs.setCanonExpIndex(static_cast<quint16>(item));
        m_isCanonBulb = item < CanonTables::kFirstShutterSpeed;
        m_canonExpTime = exposure.seconds;
        m_expCode = exposure.tvCode;
    } else {
        // A typed number of seconds: only bulb lengths above 30 s are taken;
        // anything else leaves the previous choice as it was.
        bool isNumber = false;
        const double seconds = m_panel.expValue.trimmed().toDouble(&isNumber);
        if (!isNumber || seconds <= 30) {
            AlertPanel::beep();
            return;
        }
        m_isCanonBulb = true;
        m_expCode = kTvBulb;
        m_canonExpTime = std::min(seconds, CanonTables::kMaxBulbSeconds);
    }
    m_panel.expButtonEnabled = true;
    m_canonExpTime = std::max(m_canonExpTime, CanonTables::kMinExposureSeconds);
    writeShutterSpeedForChoice();
}

void CanonControl::writeShutterSpeedForChoice()
{
    m_isCanonUSBBusy = true;
    if (m_is7D) {
        const std::uint32_t wanted = m_isCanonBulb ? kAEBulb : kAEManual;
        if (m_canonAEData == wanted) {
            write7DShutterSpeed();
            return;
        }
        m_canonAEData = wanted;
        m_sdk.writeUInt32(kPropAEMode, 0, m_canonAEData, answered([this](Error error) {
            if (error == kOk) {
                write7DShutterSpeed();
                return;
            }
            logError("EdsSetPropertyData (is7D, action5) kEdsPropID_AEMode error: 0x%04X.", error);
            AlertPanel::runAlert(QStringLiteral("The mode setting generated an error."),
                                 QStringLiteral("Set the mode dial to bulb or manual based on exposure time."));
            m_isCanonUSBBusy = false;
        }));
    } else if (m_is60D) {
        set60DExposure("EdsSetPropertyData (is60D, action5) kEdsPropID_Tv error: 0x%04X.");
    } else {
        m_sdk.writeUInt32(kPropTv, 0, m_expCode, answered([this](Error error) {
            if (error != kOk) {
                logError("EdsSetPropertyData action5 kEdsPropID_Tv error: 0x%04X.", error);
                AlertPanel::runAlert(kExposureErrorTitle, kExposureErrorMessage);
                m_panel.expButtonEnabled = false;
            }
            m_isCanonUSBBusy = false;
        }));
    }
}

void CanonControl::write7DShutterSpeed()
{
    m_sdk.writeUInt32(kPropTv, 0, m_expCode, answered([this](Error error) {
        if (error != kOk) {
            logError("EdsSetPropertyData (is7D, action5) kEdsPropID_Tv error: 0x%04X.", error);
            AlertPanel::runAlert(kExposureErrorTitle, kExposureErrorMessage);
        }
        m_isCanonUSBBusy = false;
    }));
}

void CanonControl::set60DExposure(const char* tvErrorFormat, Next then)
{
    if (m_isCanonBulb && m_canonAEData != kAEBulb) {
        AlertPanel::runAlert(QStringLiteral("Set the mode dial to Bulb for long (>30s) exposures."), kBlank);
        m_panel.expButtonEnabled = false;
    } else if (!m_isCanonBulb && m_canonAEData == kAEBulb && m_canonExpTime < 1) {
        AlertPanel::runAlert(QStringLiteral("Set the mode dial to Manual for short (<1s) exposures."), kBlank);
        m_panel.expButtonEnabled = false;
    } else if (!m_isCanonBulb && m_canonAEData == kAEManual) {
        m_sdk.writeUInt32(kPropTv, 0, m_expCode, answered([this, tvErrorFormat, then](Error error) {
            if (error != kOk) {
                logError(tvErrorFormat, error);
                AlertPanel::runAlert(kExposureErrorTitle, kExposureErrorMessage);
                m_panel.expButtonEnabled = false;
            }
            m_isCanonUSBBusy = false;
            if (then)
                then();
        }));
        return;
    }
    m_isCanonUSBBusy = false;
    if (then)
        then();
}

CanonSdk::Done CanonControl::answered(std::function<void(CanonSdk::Error)> then)
{
    const QPointer<CanonControl> self(this);
    return [self, then = std::move(then)](Error error) {
        if (!self)
            return;
        then(error);
        self->changed();
    };
}

bool CanonControl::isDialBulb() const
{
    return m_is60D && !m_isCanonBulb && m_canonAEData == kAEBulb && m_canonExpTime >= 1;
}

void CanonControl::getCanonImageQuality(std::function<void(bool)> done)
{
    const QPointer<CanonControl> self(this);
    m_sdk.readUInt32(kPropImageQuality, 0, [self, done](Error error, std::uint32_t quality) {
        if (self)
            done(error == kOk && (quality & 0xF) < 15);
    });
}

void CanonControl::uiUnlock()
{
    if (!m_isUILock)
        return;
    m_isUILock = false;
    sendUnlock(kUnlockRetries);
}

void CanonControl::sendUnlock(int retries)
{
    const QPointer<CanonControl> self(this);
    m_sdk.postStatusCommand(kStatusUIUnlock, [self, retries](Error error) {
        if (!self)
            return;
        if (error == kErrDeviceBusy && retries > 0) {
            // Tried again while the camera finishes what it does, unless a
            // new exposure has locked the controls meanwhile.
            QTimer::singleShot(kUnlockRetryMs, self, [self, retries] {
                if (!self->m_isUILock && self->m_hasCamera)
                    self->sendUnlock(retries - 1);
            });
        } else if (error != kOk) {
            self->logError("EdsSendStatusCommand UIUnlock error: 0x%04X.", error);
        }
    });
}

bool CanonControl::canonEndBulbExposure()
{
    m_isCanonUSBBusy = true;
    log(QStringLiteral("EdsSendCommand EndBulb"));
    if (m_isBulbOpen) {
        if (m_dsusb && m_dsusb->isDSUSBConnected()) {
            m_isBulbOpen = false;
            const Error status = m_dsusb->closeDSShutter() ? kOk : kDSUSBFailed;
            logError("DSUSB end exposure status: 0x%04X.", status);
        } else {
            // The controls are unlocked once the camera has taken the
            // release: before, it answers busy.
            const QPointer<CanonControl> self(this);
            const auto released = [self](Error late) {
                if (!self)
                    return;
                if (late != kOk)
                    self->logError("EdsSendCommand EndBulb error: 0x%04X.", late);
                self->uiUnlock();
            };
            const bool button = m_is60D || m_is7D || m_isT1i;
            const Error error = button ? m_sdk.sendCommand(kCmdPressShutterButton, kShutterOff, released)
                                       : m_sdk.sendCommand(kCmdBulbEnd, 0, released);
            if (error != kOk) {
                logError("EdsSendCommand EndBulb error: 0x%04X.", error);
                uiUnlock();
                m_isCanonUSBBusy = false;
                return false;
            }
            m_isBulbOpen = false;
        }
    }
    if (m_isCanonLiveView)
        m_panel.recordEnabled = true;
    m_isCanonUSBBusy = false;
    return true;
}

void CanonControl::startCanonExposure()
{
    canonStartBulbExposure([this](bool started) {
        if (started) {
            m_panel.expButtonTitle = kAbort;
            if (m_canonNumExposures == CanonTables::kContinuous)
                m_panel.expTakenText = QString::number(m_canonNumExpTaken);
            else
                m_panel.expTakenText = QStringLiteral("%1/%2").arg(m_canonNumExpTaken).arg(m_canonNumExposures);
        } else {
            m_panel.expTakenText = kBlank;
        }
        changed();
    });
}

void CanonControl::canonTriggerExposure()
{
    m_triggerTimer.start(static_cast<int>(m_canonDelayTime * 1000));
}

void CanonControl::canonExpTimerFired()
{
    if (m_isBulbOpen)
        canonEndBulbExposure();
}

void CanonControl::canonClearExposure()
{
    if (m_isBulbOpen)
        canonEndBulbExposure();
    m_canonExpTimer.stop();
    m_downloadTimeout.stop();
    m_isCanonDownloading = false;
    m_isCanonExposing = false;
    m_panel.progressAnimating = false;
    m_panel.progressIndeterminate = false;
    m_panel.progress = 0;
    m_panel.expButtonEnabled = true;
    m_panel.expButtonTitle = kExpose;
    changed();
}

void CanonControl::setFocusEnabled()
{
    if (m_isLiveViewCapable)
        m_panel.focusEnabled = true;
    changed();
}

void CanonControl::canonExpProgressTimer()
{
    if (!m_isCanonExposing || m_isCanonAbort) {
        m_progressTimer.stop();
        if (m_isCanonLiveView)
            m_panel.recordEnabled = true;
        changed();
        return;
    }
    m_canonExpTime = std::max(m_canonExpTime, 0.001);
    const double elapsed = static_cast<double>(ticks() - m_canonExpStartTicks) / 60.0;
    const double percent = std::max(0.0, elapsed / m_canonExpTime * 100.0);
    if (percent >= 100) {
        // The exposure's time is up by the tick clock, which may come
        // before the exposure timer: the shutter is released here then.
        if (m_isBulbOpen)
            canonEndBulbExposure();
        m_isCanonExposing = false;
        m_isCanonDownloading = true;
        m_panel.progress = 0;
        m_panel.expButtonEnabled = false;
        m_panel.expButtonTitle = QStringLiteral("Download");
        if (m_isCanonLiveView)
            m_panel.recordEnabled = true;
        // A transfer request that never comes must not leave the panel in
        // "Download" for good.
        if (m_canonSaveTo != kSaveToCamera)
            m_downloadTimeout.start(static_cast<int>(std::lround(m_canonExpTime * 1000)) + m_downloadGraceMs);
    } else {
        m_panel.progress = percent;
    }
    changed();
}
