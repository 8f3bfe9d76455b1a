#include "focus/OptecFrame.h"

#include "focus/CriticalFocusZone.h"
#include "focus/FocuserDisplay.h"
#include "focus/OptecControl.h"
#include "focus/OptecDisplay.h"
#include "platform/AlertPanel.h"

#include <cmath>

namespace {

const QString kUnset = QStringLiteral("---");
// Above this a reading is a temperature; down to the next, a remote probe.
constexpr float kLowestTemp = -50.0f;
constexpr float kLowestRemote = -100.0f;

QString degrees(float temp)
{
    return QString::asprintf("%.1f", double(temp)) + QStringLiteral("\u00B0C");
}

}  // namespace

OptecFrame::OptecFrame(OptecControl& control, const Links& links, const Views& views,
                       std::function<void()> saveSpeeds, QObject* parent)
    : FocuserFrame(control, links, views.focuser, views.curve, parent),
      m_optec(control),
      m_view(views.optec),
      m_saveSpeeds(std::move(saveSpeeds))
{
    m_repeatTimer.setInterval(kRepeatInterval);
    connect(&m_repeatTimer, &QTimer::timeout, this, &OptecFrame::repeatTick);
    streamHeard();
}

void OptecFrame::readStartUp()
{
    streamHeard();
    getOptecTempData();
}

QString OptecFrame::focuserName() const
{
    return QStringLiteral("Optec");
}

QString OptecFrame::connectFailedMessage() const
{
    return QStringLiteral("Optec connection failed.");
}

double OptecFrame::criticalFocusZone(double focalRatio) const
{
    return CriticalFocusZone::unitSteps(focalRatio);
}

double OptecFrame::focusScale() const
{
    return OptecControl::kMaxUnits;
}

void OptecFrame::focusAction(int tag, int target)
{
    if (!isFocuserConnected()) {
        AlertPanel::beep();
        return;
    }
    if (tag == 1 || tag == 2)
        move(quint16(tag));
    else if (tag == 3)
        gotoUnits(target);
}

void OptecFrame::gotoUnits(int target)
{
    m_optec.optecSetUnits(target, [](bool) {}, [target](const QString& why) {
        AlertPanel::runAlert(QStringLiteral("The go-to to %1 was not sent.").arg(target), why);
    });
}

void OptecFrame::move(quint16 direction)
{
    if (direction == 1)
        m_optec.optecFIN(m_speedUnits, [](bool) {});
    else
        m_optec.optecFOUT(m_speedUnits, [](bool) {});
}

void OptecFrame::modeAction(int row)
{
    autoFocus().setIsTimerBlock(false);
    if (!isFocuserConnected() || row < 0 || row > 2) {
        AlertPanel::beep();
        return;
    }
    const auto done = [this, row](bool ok) {
        if (!ok) {
            AlertPanel::beep();
            return;
        }
        if (row == 0)
            display().showStatus(QStringLiteral("Connected"));
    };
    if (row == 0)
        m_optec.optecFMMODE(done);
    else if (row == 1)
        m_optec.optecFAMODE(done);
    else
        m_optec.optecFBMODE(done);
}

void OptecFrame::speedAction(int row)
{
    autoFocus().setIsTimerBlock(false);
    if (row < 0 || row >= int(m_speedUnitsStore.size()))
        return;
    m_speedRow = row;
    m_speedUnits = m_speedUnitsStore[size_t(row)];
}

void OptecFrame::speedTextAction(int tag, int value)
{
    if (tag < 0 || tag >= int(m_speedUnitsStore.size()))
        return;
    m_speedUnitsStore[size_t(tag)] = quint16(std::clamp(value, 0, 0xFFFF));
    if (tag == m_speedRow)
        m_speedUnits = m_speedUnitsStore[size_t(tag)];
}

void OptecFrame::setOptecSpeed(int slot, quint16 speed)
{
    speedTextAction(slot, speed);
    m_view.showSpeeds(m_speedUnitsStore);
}

quint16 OptecFrame::getOptecSpeed(int slot) const
{
    return slot >= 0 && slot < int(m_speedUnitsStore.size()) ? m_speedUnitsStore[size_t(slot)] : 0;
}

void OptecFrame::heldMove(quint16 direction)
{
    m_focusDir = direction;
    move(direction);
    if (!m_repeatTimer.isActive())
        m_repeatTimer.start();
}

void OptecFrame::repeatTick()
{
    if (m_focusDir == 0 || !isFocuserConnected()) {
        m_repeatTimer.stop();
        return;
    }
    // A move still on its way is not queued behind by another.
    if (control().pendingExchanges() == 0)
        move(m_focusDir);
}

void OptecFrame::updateTick()
{
    const quint16 mode = m_optec.optecMode();
    const bool streams = mode == OptecControl::kModeA || mode == OptecControl::kModeB;
    if (!streams)
        streamHeard();
    if (mode == OptecControl::kModeManual) {
        m_optec.optecReadUnits([this](int units) {
            showUnits(units);
            m_optec.optecReadTemp([this](float temp) { showTemp(temp); });
        });
        return;
    }
    if (!streams)
        return;
    m_optec.optecReadStream(
        [this, mode](const std::optional<OptecStream>& stream) { streamRead(mode, stream); });
}

void OptecFrame::streamRead(quint16 mode, const std::optional<OptecStream>& stream)
{
    // Nothing is asked in the auto modes, so no missing reply would tell
    // that the controller went quiet: its stream stopping does. Both counts
    // must agree, so that neither quick ticks nor a long pause between ticks
    // (whose exchanges discard what came meanwhile) is taken for silence.
    if (!stream) {
        ++m_silentStreamTicks;
        const bool longEnough = m_sinceStream.elapsed() >= kSilentStreamTicks * kUpdateInterval.count();
        if (m_optec.isConnected() && m_silentStreamTicks >= kSilentStreamTicks && longEnough) {
            streamHeard();
            loseConnection();
            return;
        }
    } else {
        streamHeard();
        if (stream->units <= OptecControl::kMaxUnits)
            showUnits(stream->units);
        showTemp(stream->temp);
    }
    display().showStatus(mode == OptecControl::kModeA ? QStringLiteral("Auto Mode A")
                                                      : QStringLiteral("Auto Mode B"));
}

void OptecFrame::streamHeard()
{
    m_silentStreamTicks = 0;
    m_sinceStream.start();
}

void OptecFrame::showUnits(int units)
{
    if (units >= 0) {
        display().showPosition(QString::asprintf("%.4d", units));
    } else if (units == OptecControl::kUnitsMoving) {
        display().showPosition(QStringLiteral("Moving..."));
    }
}

void OptecFrame::showTemp(float temp)
{
    if (temp > kLowestTemp) {
        m_currentTemp = temp;
        display().showTemperature(degrees(temp));
    } else if (temp == OptecControl::kTempProbeFailed) {
        m_isTempOK = false;
        display().showTemperature(QStringLiteral("ER=1"));
        AlertPanel::runAlert(QStringLiteral("Temperature Probe Failure"), QStringLiteral("ER=1"));
    } else if (temp > kLowestRemote) {
        m_isTempOK = false;
        display().showTemperature(QStringLiteral("Remote"));
    }
}

void OptecFrame::tempModeAction(int column)
{
    m_tempMode = column == 1 ? 1 : 0;
    getOptecTempData();
}

void OptecFrame::getOptecTempData()
{
    const auto shown = [this](std::optional<int> slope) {
        if (slope) {
            m_currentSlope = *slope;
            m_view.showCurrentSlope(*slope);
        }
    };
    if (m_tempMode == 1)
        m_optec.optecFREADB(shown);
    else
        m_optec.optecFREADA(shown);
    m_totalDelta = 0.0f;
    m_avgSlope = 0;
    m_calcSlope = 0;
    m_startUnits.reset();
    m_view.showLearning(kUnset, kUnset, kUnset, kUnset);
}

void OptecFrame::tempControlAction(int tag)
{
    switch (tag) {
    case kLearnStart:
        m_totalDelta = 0.0f;
        m_avgSlope = 0;
        m_calcSlope = 0;
        m_startTemp = m_currentTemp;
        m_startUnits = m_optec.lastUnits();
        m_view.showLearning(kUnset, kUnset, QString::asprintf("%.1f", double(m_startTemp)), kUnset);
        break;
    case kLearnCalculate:
        learnCalculate();
        break;
    case kStoreAverage:
        storeSlope(m_avgSlope);
        break;
    case kStoreCalculated:
        storeSlope(m_calcSlope);
        break;
    default:
        break;
    }
}

void OptecFrame::learnCalculate()
{
    const float delta = std::abs(m_currentTemp - m_startTemp);
    const std::optional<quint16> position = m_optec.lastUnits();
    // No change of temperature yet, or no position read at either end: no
    // slope to learn from.
    if (delta <= 0.0f || !m_startUnits || !position) {
        AlertPanel::beep();
        return;
    }
    const float units = std::abs(float(*position) - float(*m_startUnits));
    m_calcSlope = quint16(std::min(units / delta + 0.5f, 65535.0f));
    m_avgSlope = quint16((float(m_avgSlope) * m_totalDelta + float(m_calcSlope) * delta)
                         / (m_totalDelta + delta));
    m_totalDelta += delta;
    m_view.showLearning(QString::number(m_avgSlope), QString::number(m_calcSlope),
                        QString::asprintf("%.1f", double(m_startTemp)),
                        QString::asprintf("%.1f", double(delta)));
}

void OptecFrame::storeSlope(quint16 slope)
{
    const bool isB = m_tempMode == 1;
    const auto readBack = [this, isB](bool written) {
        if (!written)
            return;
        const auto shown = [this](std::optional<int> stored) {
            if (stored) {
                m_currentSlope = *stored;
                m_view.showCurrentSlope(*stored);
            }
        };
        if (isB)
            m_optec.optecFREADB(shown);
        else
            m_optec.optecFREADA(shown);
    };
    if (isB)
        m_optec.optecWriteB(slope, readBack);
    else
        m_optec.optecWriteA(slope, readBack);
}

void OptecFrame::didDisconnect()
{
    m_focusDir = 0;
    m_isGateReading = false;
    streamHeard();
    m_repeatTimer.stop();
    if (m_saveSpeeds)
        m_saveSpeeds();
}

int OptecFrame::settleTicks(quint16 steps)
{
    return int(steps * 0.4 + 15);
}

void OptecFrame::readFocusPosition(PositionRead done)
{
    m_optec.optecReadUnits([done = std::move(done)](int units) {
        done(units < 0 ? std::nullopt : std::optional<quint16>(quint16(units)));
    });
}

void OptecFrame::moveInwardForRun(quint16, quint16 steps, MoveDone done)
{
    m_optec.optecFIN(steps, [steps, done = std::move(done)](bool ok) {
        done(ok ? std::optional<int>(settleTicks(steps)) : std::nullopt);
    });
}

void OptecFrame::advanceRun(quint16 steps, MoveDone done)
{
    m_optec.optecFOUT(steps, [this, steps, done = std::move(done)](bool ok) {
        const std::optional<quint16> units = m_optec.lastUnits();
        if (ok && units)
            display().showPosition(QString::asprintf("%.4d", int(*units)));
        done(ok ? std::optional<int>(settleTicks(steps)) : std::nullopt);
    });
}

bool OptecFrame::isReadyForSample()
{
    if (!m_optec.isMoveOwed())
        return true;
    if (!m_isGateReading) {
        m_isGateReading = true;
        m_optec.optecReadUnits([this](int) { m_isGateReading = false; });
    }
    return false;
}

std::optional<quint16> OptecFrame::lastKnownPosition() const
{
    return m_optec.lastUnits();
}

void OptecFrame::gotoBestFocus(quint16 position)
{
    gotoUnits(position);
}
