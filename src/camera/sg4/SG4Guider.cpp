#include "camera/sg4/SG4Control.h"

#include "camera/sg4/SG4GuiderPanel.h"
#include "mount/SerialControl.h"

#include <algorithm>
#include <vector>
#include "platform/AlertPanel.h"

namespace {

const QString kBlank = " ";
const QString kCalibrate = "Calibrate";
const QByteArray kCalibrated = "Vector";

}  // namespace

void SG4Control::sg4ScopeAction(int tag, bool pressed)
{
    if (!m_isSG4Connect)
        return;
    switch (tag) {
    case kTagUp:
        sg4ForceRelaysCmd(0, pressed ? 1 : 0);
        break;
    case kTagDown:
        sg4ForceRelaysCmd(0, pressed ? -1 : 0);
        break;
    case kTagLeft:
        sg4ForceRelaysCmd(pressed ? -1 : 0, 0);
        break;
    case kTagRight:
        sg4ForceRelaysCmd(pressed ? 1 : 0, 0);
        break;
    case kTagCalibrate:
        if (pressed)
            calibrate();
        break;
    case kTagGuide:
        if (pressed)
            guide();
        break;
    default:
        break;
    }
}

void SG4Control::calibrate()
{
    if (m_isSG4Calibrating) {
        sg4CalibrateGuiderCmd();
        m_isSG4Calibrating = false;
        m_isCalibrated = false;
        m_calibrationAborted = true;
        if (m_sg4Panel) {
            m_sg4Panel->setStatus(kBlank);
            m_sg4Panel->setCalibrateTitle(kCalibrate);
        }
        m_debug("SG-4 calibration aborted");
        return;
    }
    if (m_isSG4Guiding) {
        AlertPanel::beep();
        return;
    }
    m_report.reset();
    m_calibrationAborted = false;
    m_isSG4Calibrating = true;
    m_isCalibrated = false;
    sg4CalibrateGuiderCmd();
    m_sg4CalCount = 0;
    if (m_sg4Panel) {
        m_sg4Panel->setCalibrateTitle("Abort");
        m_sg4Panel->setStatus("Calibrating...");
    }
    m_calibrateTimer.start(m_timing.calibrateTick);
    m_debug("SG-4 calibration started");
}

void SG4Control::sg4CalibrateTimer()
{
    if (m_calibrationAborted) {
        closeReport(true);
        return;
    }
    if (!m_isSG4Calibrating) {
        m_calibrateTimer.stop();
        return;
    }
    // A tick waits for the read before it: the report is read one chunk at a time.
    if (m_pending > 0)
        return;
    post([room = m_report.nextRoom()](const SG4Exchange& line) {
        std::vector<char> chunk(static_cast<std::size_t>(room));
        const long got = line.serial().getSG4Response(chunk);
        return got > 0 ? QByteArray(chunk.data(), qsizetype(got)) : QByteArray();
    },
         [this](const QByteArray& chunk) { reportRead(chunk); });
}

void SG4Control::reportRead(const QByteArray& chunk)
{
    if (!m_isSG4Calibrating || m_calibrationAborted)
        return;
    const SG4ReportCollector::Read read = m_report.collect([&chunk](std::span<char> into) {
        const qsizetype bytes = std::min(chunk.size(), qsizetype(into.size()));
        std::copy_n(chunk.constData(), bytes, into.data());
        return long(bytes);
    });
    if (read.bytes == 0) {
        if (++m_sg4CalCount >= m_timing.calibrateTimeoutTicks) {
            m_isSG4Calibrating = false;
            m_calibrateTimer.stop();
            clearInput();
            if (m_sg4Panel) {
                m_sg4Panel->setCalibrateTitle(kCalibrate);
                m_sg4Panel->setStatus("Cal Timeout");
            }
            m_debug("SG-4 calibration timeout.");
            m_report.reset();
            AlertPanel::beep();
        }
        return;
    }
    if (read.ended)
        closeReport(false);
}

void SG4Control::clearInput()
{
    post([](const SG4Exchange& line) {
        line.serial().clearSerialBuffer(line.slot());
        return true;
    },
         [](bool) {});
}

void SG4Control::closeReport(bool aborted)
{
    m_calibrateTimer.stop();
    m_isSG4Calibrating = false;
    m_sg4CalCount = 0;
    m_calibrationAborted = false;
    const QByteArray text = m_report.text();
    const bool success = text.contains(kCalibrated);
    if (!aborted)
        m_isCalibrated = success;
    if (m_sg4Panel) {
        m_sg4Panel->setCalibrateTitle(kCalibrate);
        m_sg4Panel->setStatus(success ? "Cal success" : aborted ? "Cal abort" : "Cal failed");
        m_sg4Panel->redraw();
    }
    m_debug([&] { return "SG-4 Calibration:\r" + QString::fromLatin1(text); });
    clearInput();
    m_report.reset();
}

void SG4Control::guide()
{
    if (m_isSG4Guiding) {
        sg4StartGuiderCmd();
        m_isSG4Guiding = false;
        if (m_sg4Panel) {
            m_sg4Panel->setGuideTitle("Guide");
            m_sg4Panel->setStatus(kBlank);
        }
        m_debug("SG-4 guiding stopped");
        return;
    }
    if (m_isSG4Calibrating) {
        AlertPanel::beep();
        return;
    }
    if (!m_isCalibrated) {
        AlertPanel::runAlert("Calibrate first", " ");
        return;
    }
    sg4StartGuiderCmd();
    m_isSG4Guiding = true;
    if (m_sg4Panel) {
        m_sg4Panel->setGuideTitle("Stop");
        m_sg4Panel->setStatus("Guiding...");
    }
    m_debug("SG-4 guiding started");
}
