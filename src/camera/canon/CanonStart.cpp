#include "camera/canon/CanonControl.h"

#include "camera/canon/CanonShutter.h"
#include "camera/canon/CanonTables.h"
#include "platform/AlertPanel.h"

#include <QPointer>

#include <cmath>

using namespace CanonIds;
using CanonTables::kDSUSBFailed;

namespace {

const QString& kBlank = CanonTables::kBlankText;
const QString& kExpose = CanonTables::kExposeTitle;
const QString& kAbort = CanonTables::kAbortTitle;

}  // namespace

template <class Then>
auto CanonControl::whileStarting(Then then)
{
    return whilePending(&CanonControl::m_isCanonStarting, &CanonControl::m_startGeneration, std::move(then));
}

template <class Then>
auto CanonControl::whileSequence(Then then)
{
    return whilePending(&CanonControl::m_isSequenceRunning, &CanonControl::m_sequenceGeneration, std::move(then));
}

void CanonControl::canonStartBulbExposure(Started done)
{
    if (m_isCanonStarting) {
        if (done)
            done(false);
        return;
    }
    // A start from outside the panel's sequence (a tour's) is a sequence of its own.
    if (!m_isSequenceRunning)
        beginSequence();
    m_isCanonStarting = true;
    ++m_startGeneration;
    m_startDone = std::move(done);
    m_titleBeforeStart = m_panel.expButtonTitle;
    m_panel.expButtonTitle = CanonTables::kStartingTitle;
    m_isCanonUSBBusy = true;
    changed();
    const bool bulb = m_isCanonBulb || isDialBulb();
    getCanonImageQuality(whileStarting([this, bulb](bool pair) {
        m_isJpegPlusRaw = pair;
        m_hasDownloadedFirst = false;
        if (m_is60D)
            log(QStringLiteral("canonStartBulbExposure with 60D"));
        else if (m_is7D)
            log(QStringLiteral("canonStartBulbExposure with 7D"));
        log(bulb ? QStringLiteral("EdsSendCommand StartBulb") : QStringLiteral("EdsSendCommand Start Exposure"));
        rewriteChangedSettings(bulb, whileStarting([this, bulb] { sendStart(bulb); }));
    }));
}

void CanonControl::rewriteChangedSettings(bool bulb, Next next)
{
    if (!m_isPropChange) {
        next();
        return;
    }
    const auto whiteBalance = [this, next] {
        writeCanonWhiteBalance(whileStarting([this, next](bool) {
            m_isCanonUSBBusy = true;
            m_isPropChange = false;
            next();
        }));
    };
    m_sdk.writeUInt32(kPropISOSpeed, 0, m_isoCode, whileStarting([this, bulb, whiteBalance](Error error) {
        if (error != kOk)
            logError("Start exposure kEdsPropID_ISOSpeed error: 0x%04X.", error);
        if (m_is60D && bulb) {
            whiteBalance();
            return;
        }
        m_sdk.writeUInt32(kPropTv, 0, m_expCode, whileStarting([this, whiteBalance](Error tv) {
            if (tv != kOk)
                logError("Start exposure PropID_Tv error: 0x%04X.", tv);
            whiteBalance();
        }));
    }));
}

void CanonControl::sendStart(bool bulb)
{
    if (bulb && m_canonExpTime <= 0) {
        m_canonExpTime = 0;
        endStart(false);
        return;
    }
    if (bulb && m_dsusb && m_dsusb->isDSUSBConnected()) {
        const Error error = m_dsusb->openDSShutter() ? kOk : kDSUSBFailed;
        logError("DSUSB start exposure status: 0x%04X.", error);
        startAnswered(error, bulb, false);
        return;
    }
    if (!bulb) {
        sendStartCommand(false);
        return;
    }
    m_sdk.postStatusCommand(kStatusUILock, whileStarting([this](Error lock) {
        m_isUILock = lock == kOk;
        if (lock != kOk)
            logError("EdsSendStatusCommand UILock error: 0x%04X.", lock);
        sendStartCommand(true);
    }));
}

void CanonControl::sendStartCommand(bool bulb)
{
    // The camera may take the command now and refuse it later: the answer
    // belongs to this start only, and to a sequence the user has not ended.
    const std::uint64_t start = m_startGeneration;
    const auto answered = whileSequence([this, start, bulb](Error late) {
        if (late != kOk && start == m_startGeneration)
            startRefused(late, bulb);
    });
    const bool button = m_is60D || m_is7D || m_isT1i;
    Error error = kOk;
    if (!bulb)
        error = m_sdk.sendCommand(kCmdTakePicture, 0, answered);
    else if (button)
        error = m_sdk.sendCommand(kCmdPressShutterButton, kShutterCompletelyNonAF, answered);
    else
        error = m_sdk.sendCommand(kCmdBulbStart, 0, answered);
    startAnswered(error, bulb, bulb);
}

void CanonControl::startAnswered(CanonSdk::Error error, bool bulb, bool bulbCommand)
{
    if (error == kOk) {
        exposureStarted(bulb);
        return;
    }
    startFailed(error, bulbCommand, whileStarting([this, bulb](bool repaired) {
        if (!repaired) {
            endStart(false);
            return;
        }
        resendStart();
        exposureStarted(bulb);
    }));
}

void CanonControl::exposureStarted(bool bulb)
{
    // From here on the shutter is held open until released, whatever a
    // later read of the camera's settings answers.
    m_isBulbOpen = bulb;
    m_isCanonExposing = true;
    ++m_canonNumExpTaken;
    m_panel.expButtonTitle = kAbort;
    if (bulb)
        m_canonExpTimer.start(static_cast<int>(std::lround(m_canonExpTime * 1000)));
    m_canonExpStartTicks = ticks();
    m_progressTimer.start();
    endStart(true);
}

void CanonControl::endStart(bool started)
{
    m_isCanonStarting = false;
    m_isCanonUSBBusy = false;
    if (!started) {
        m_panel.expButtonTitle = m_titleBeforeStart;
        endSequence();
    }
    const Started done = std::move(m_startDone);
    m_startDone = {};
    changed();
    if (done)
        done(started);
}

void CanonControl::startFailed(CanonSdk::Error error, bool bulbCommand, std::function<void(bool)> then)
{
    if (bulbCommand) {
        uiUnlock();
        if (m_is60D) {
            logError("Start 60D bulb exposure error: 0x%04X.", error);
            AlertPanel::runAlert(QStringLiteral("Start Bulb Exposure error."), QStringLiteral("Set mode dial to Bulb."));
            m_isCanonUSBBusy = false;
            then(false);
            return;
        }
    }
    handleStartError(error, std::move(then));
}

void CanonControl::startRefused(CanonSdk::Error error, bool bulb)
{
    // The exposure the panel shows never began: no release is owed for it.
    // Once the user has ended the sequence (abort, disconnection) while the
    // lock-up was being turned off, the start is not sent again: nothing
    // would release it.
    m_isBulbOpen = false;
    startFailed(error, bulb, whileSequence([this, bulb](bool repaired) {
        if (!repaired) {
            returnToIdle();
            return;
        }
        resendStart();
        m_isBulbOpen = bulb;
    }));
}

void CanonControl::returnToIdle()
{
    m_canonExpTimer.stop();
    m_progressTimer.stop();
    m_downloadTimeout.stop();
    if (m_canonNumExpTaken > 0)
        --m_canonNumExpTaken;
    m_isCanonExposing = false;
    m_isCanonDownloading = false;
    endSequence();
    m_panel.progress = 0;
    m_panel.expButtonEnabled = true;
    m_panel.expButtonTitle = kExpose;
    m_panel.expTakenText = kBlank;
    if (m_isCanonLiveView)
        m_panel.recordEnabled = true;
    setFocusEnabled();
}

void CanonControl::handleStartError(CanonSdk::Error error, std::function<void(bool)> then)
{
    if (error != kErrMirrorUp) {
        logError("EdsSendCommand StartBulb error: 0x%04X.", error);
        AlertPanel::runAlert(QString::asprintf("Start exposure error: 0x%04X.", static_cast<unsigned>(error)),
                             CanonTables::startErrorMessage(error));
        m_isCanonUSBBusy = false;
        then(false);
        return;
    }
    const QPointer<CanonControl> self(this);
    m_sdk.writeUInt32(kPropCustomFunction, kParamMirrorLockup, 0, [self, then](Error repair) {
        if (!self)
            return;
        if (repair != kOk) {
            self->logError("EdsSetPropertyData Mirror Lockup error: 0x%04X.", repair);
            AlertPanel::runAlert(QStringLiteral("Mirror lockup error."), QStringLiteral("Mirror lockup must be turned off."));
            self->m_isCanonUSBBusy = false;
            then(false);
            return;
        }
        then(true);
    });
}

void CanonControl::resendStart()
{
    const Error again = m_sdk.sendCommand(m_isCanonBulb ? kCmdBulbStart : kCmdTakePicture, 0);
    if (again != kOk)
        logError("EdsSendCommand StartBulb error: 0x%04X.", again);
}
