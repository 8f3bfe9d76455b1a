#include "camera/sg4/SG4Control.h"

#include "camera/sg4/SG4BlockTransfer.h"
#include "camera/sg4/SG4GuiderPanel.h"
#include "camera/sg4/SG4Worker.h"
#include "mount/SerialControl.h"
#include "platform/AlertPanel.h"
#include "platform/MainThreadCall.h"

#include <QElapsedTimer>
#include <QPointer>

using namespace SG4Protocol;

namespace {

const QString kExpose = "Expose";
const QString kAbort = "Abort";
const QString kBlank = " ";
const QString kDownload = "Download...";

std::chrono::milliseconds afterExposure(float seconds, std::chrono::milliseconds margin)
{
    return std::chrono::milliseconds(qint64(double(seconds) * 1000.0)) + margin;
}

}  // namespace

void SG4Control::sg4ImageAction(int tag, double value)
{
    switch (tag) {
    case kTagDisplayExposure:
        m_sg4ExpFilter = float(value);
        if (SG4DevicePanel* panel = m_isAllSkyConnect ? m_allSkyPanel : m_sg4Panel)
            panel->redraw();
        break;
    case kTagExpose:
        expose();
        break;
    case kTagImageType: {
        const int item = int(value);
        m_sg4Type = item == kItemDark ? kTypeDark : item == kItemAuto ? kTypeAuto : kTypeLight;
        m_debug(QString("SG-4 set image type: %1").arg(m_sg4Type));
        break;
    }
    case kTagFocus:
        m_isSG4Focus = devicePanel() && devicePanel()->isFocusChecked();
        break;
    case kTagDateStamp:
        if (!m_isSG4Connect && m_openDatePanel)
            m_openDatePanel();
        break;
    default:
        break;
    }
}

void SG4Control::expose()
{
    SG4DevicePanel* panel = devicePanel();
    if (m_isSG4Exposing) {
        if (panel)
            panel->setFocusChecked(false);
        m_isSG4Focus = false;
        const bool posted = sg4AbortImageCmd([this](bool ok) {
            if (!ok || !m_isSG4Exposing) {
                if (!ok)
                    AlertPanel::beep();
                return;
            }
            m_isSG4Exposing = false;
            m_sg4ExpTimer.stop();
            showIdle(devicePanel());
            m_debug("SG-4 exposure aborted");
        });
        if (!posted)
            AlertPanel::beep();
        return;
    }
    if (m_isSG4Transfer) {
        m_isSG4TransferAbort = true;
        if (m_allSkyPanel)
            m_allSkyPanel->setReadoutMenuEnabled(true);
        return;
    }
    m_isSG4TransferAbort = false;
    if (m_allSkyPanel)
        m_allSkyPanel->setReadoutMenuEnabled(false);
    startExposure(false);
}

void SG4Control::showIdle(SG4DevicePanel* panel)
{
    if (panel) {
        panel->setFocusChecked(false);
        panel->setExposeTitle(kExpose);
        panel->setStatus(kBlank);
        panel->setProgressRunning(false);
    }
    // Disabled by any Expose, whichever device is connected.
    if (m_allSkyPanel)
        m_allSkyPanel->setReadoutMenuEnabled(true);
}

void SG4Control::startExposure(bool focus)
{
    m_sg4ExpSec = exposureFromPanel();
    m_isSG4Exposing = true;
    if (!sg4TakeImageCmd([this, focus](bool ok) { exposureStarted(ok, focus); }))
        exposureStarted(false, focus);
}

void SG4Control::exposureStarted(bool ok, bool focus)
{
    SG4DevicePanel* panel = devicePanel();
    if (!ok) {
        m_isSG4Exposing = false;
        AlertPanel::beep();
        if (!focus && m_allSkyPanel)
            m_allSkyPanel->setReadoutMenuEnabled(true);
        return;
    }
    m_debug(focus ? QString("SG-4 focus exposure started")
                  : QString("SG-4 start exposure at: %1 sec").arg(double(m_sg4ExpSec), 0, 'f', 2));
    if (m_isSG4Exposing) {
        m_sg4ExpDoneCount = 0;
        if (panel) {
            panel->setExposeTitle(kAbort);
            if (!focus)
                panel->setStatus("Exposing...");
            panel->setProgressRunning(true);
        }
        m_sg4ExpTimer.start(afterExposure(m_sg4ExpSec, m_timing.completionMargin));
        return;
    }
    // The 'T' reply already held the end of a short exposure: no polls.
    m_debug(focus ? "SG-4 focus short exposure done detected" : "SG-4 short exposure done detected");
    if (panel)
        panel->setStatus(kDownload);
    sg4ImageDownloadCmd();
}

void SG4Control::sg4ExpTimer()
{
    SG4DevicePanel* panel = devicePanel();
    if (!m_isSG4Exposing && !m_isAllSkyConstExp) {
        if (panel)
            panel->setProgressRunning(false);
        return;
    }
    ++m_sg4ExpDoneCount;
    if (m_sg4ExpDoneCount < kMostCompletionPolls) {
        // The next poll is timed once this one has answered: one at a time.
        sg4ExpDone([this](bool done) {
            if (!m_isSG4Exposing && !m_isAllSkyConstExp)
                return;
            if (!done) {
                sg4TestExp();
                return;
            }
            m_isSG4Exposing = false;
            m_debug("SG-4 exposure done detected");
            if (SG4DevicePanel* panel = devicePanel())
                panel->setStatus(kDownload);
            sg4ImageDownloadCmd();
        });
        return;
    }
    m_isSG4Exposing = false;
    m_sg4ExpDoneCount = 0;
    m_sg4ExpTimer.stop();
    if (panel) {
        panel->setProgressRunning(false);
        panel->setStatus(kBlank);
        panel->setExposeTitle(kExpose);
    }
    m_debug("SG-4 exposure done timeout");
    AlertPanel::runAlert("Exposure completion timeout error.", " ");
}

void SG4Control::sg4TestExp()
{
    m_sg4ExpTimer.start(m_timing.pollInterval);
}

void SG4Control::sg4ExpDone(std::function<void(bool)> then)
{
    post([](const SG4Exchange& line) { return line.serial().isSG4ExpDone(); }, std::move(then));
}

void SG4Control::sg4FocusTrigger()
{
    m_focusTimer.start(m_timing.focusDelay);
}

void SG4Control::sg4ExpFocusTimer()
{
    if (!m_isSG4Focus || m_isSG4Exposing || m_isSG4Transfer)
        return;
    startExposure(true);
}

void SG4Control::sg4ImageDownloadCmd()
{
    TransferRequest request{m_sg4Bin, m_sg4Type, m_sg4SubFrameX, m_sg4SubFrameY, m_sg4SubFrameSize,
                            m_sg4ExpSec, m_allSkyExpDate, m_isAllSkyConnect, m_isAllSkyConstExp};
    // Decided before the post: the next exposure may start to run during this transfer.
    if (m_exposureEnded)
        request.isConstExp = m_isAllSkyConstExp = m_exposureEnded();
    {
        const std::lock_guard lock(m_requestMutex);
        m_request = request;
    }
    if (m_worker == nullptr)
        return;
    // Set here, not on the worker, so that no exposure starts before the worker takes it.
    m_isSG4Transfer = true;
    m_worker->postImageDownload();
}

void SG4Control::sg4ImageDownload()
{
    TransferRequest request;
    {
        const std::lock_guard lock(m_requestMutex);
        request = m_request;
    }
    m_isSG4Transfer = true;
    QElapsedTimer clock;
    clock.start();
    std::shared_ptr<SG4Image> image = sg4TransferImageCmd();
    const float seconds = float(clock.nsecsElapsed() * 1e-9);
    m_isSG4Transfer = false;
    if (image) {
        m_debug(QString("AllSky download time: %1 sec").arg(double(seconds), 0, 'f', 1));
    } else {
        m_debug("sg4ImageDownload sg4TransferImageCmd failed.");
    }
    MainThreadCall::post([self = QPointer<SG4Control>(this), image, seconds, allSky = request.isAllSky] {
        if (self)
            self->finishDownload(image, seconds, allSky);
    });
}

std::shared_ptr<SG4Image> SG4Control::sg4TransferImageCmd()
{
    TransferRequest request;
    {
        const std::lock_guard lock(m_requestMutex);
        request = m_request;
    }
    const std::optional<ReadoutGeometry> geometry = readoutGeometry(request.mode, request.subFrameSize);
    if (!geometry) {
        m_debug("SG-4 sg4TransferImageCmd: binning error");
        return nullptr;
    }
    m_debug(QString("SG-4 sg4TransferImageCmd bin: %1, iterations: %2, size: %3")
                .arg(request.mode).arg(geometry->blocks).arg(geometry->blockBytes + 1));
    if (request.mode == kModeSubFrame) {
        m_debug(QString("SG-4 subFrame X: %1, Y: %2, size: %3")
                    .arg(request.subFrameX).arg(request.subFrameY).arg(request.subFrameSize));
    }
    SG4BlockTransfer transfer(m_serial, m_debug, m_isSG4TransferAbort);
    const auto progress = [this](int percent) {
        MainThreadCall::post([self = QPointer<SG4Control>(this), percent] {
            SG4DevicePanel* panel = self ? self->devicePanel() : nullptr;
            if (panel) {
                panel->setStatus(QString("Download: %1%").arg(percent));
                panel->redraw();
            }
        });
    };
    std::optional<std::vector<quint16>> pixels =
        transfer.run({*geometry, m_timing.blockSeconds, request.isConstExp}, progress);
    if (!pixels)
        return nullptr;

    auto image = std::make_shared<SG4Image>();
    image->readoutMode = request.mode;
    image->width = geometry->width;
    image->height = geometry->height;
    if (request.mode == kModeSubFrame) {
        image->subFrameX = request.subFrameX;
        image->subFrameY = request.subFrameY;
        image->subFrameSize = request.subFrameSize;
    }
    image->imageType = request.type;
    image->exposureSeconds = request.exposureSeconds;
    image->exposureUtc = request.exposureUtc;
    image->pixels = std::move(*pixels);
    if (request.isAllSky && request.mode == kMode1X1) {
        if (request.type == kTypeDark) {
            m_darkFrame.keep(image->pixels);
            m_debug("AllSky download dark frame saved");
        } else if (request.type == kTypeLight && m_darkFrame.subtractFrom(image->pixels)) {
            image->darkSubtracted = true;
            m_debug("AllSky download dark frame subtracted");
        }
    }
    return image;
}

void SG4Control::finishDownload(std::shared_ptr<SG4Image> image, float seconds, bool isAllSky)
{
    SG4DevicePanel* panel = devicePanel();
    m_sg4Image = std::move(image);
    if (!m_sg4Image) {
        if (panel) {
            panel->setProgressRunning(false);
            panel->setStatus(kBlank);
            panel->setExposeTitle(kExpose);
        }
        if (isAllSky) {
            if (m_allSkyPanel)
                m_allSkyPanel->setReadoutMenuEnabled(true);
            if (m_isExpBlock) {
                m_sg4Type = kTypeLight;
                m_isExpBlock = false;
            }
        }
        emit downloadFailed();
        return;
    }
    m_allSkyDownloadSec = seconds;
    if (panel) {
        panel->setProgressRunning(false);
        panel->setStatus(kBlank);
        panel->redraw();
    }
    m_debug("SG-4 image download done, display called");
    if (m_isExpBlock) {
        m_sg4Type = kTypeLight;
        m_isExpBlock = false;
        if (m_allSkyPanel)
            m_allSkyPanel->setExposeTitle(kExpose);
    } else if (m_isSG4Focus) {
        sg4FocusTrigger();
    } else {
        if (panel)
            panel->setExposeTitle(kExpose);
        if (isAllSky && m_allSkyPanel)
            m_allSkyPanel->setReadoutMenuEnabled(true);
    }
    emit imageReady();
}
