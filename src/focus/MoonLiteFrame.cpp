#include "focus/MoonLiteFrame.h"

#include "focus/CriticalFocusZone.h"
#include "focus/FocusCameras.h"
#include "focus/FocuserDisplay.h"
#include "focus/FocuserGauge.h"
#include "focus/MoonLiteCompensation.h"
#include "focus/MoonLiteControl.h"
#include "focus/MoonLiteDisplay.h"
#include "mount/ScopeControl.h"
#include "platform/AlertPanel.h"

#include <QPointer>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The step delays of the speed cells 1 to 5.
constexpr std::array<quint8, 5> kCellDelays{32, 16, 8, 4, 2};

}  // namespace

MoonLiteFrame::MoonLiteFrame(MoonLiteControl& control, const Links& links, const Displays& displays,
                             QObject* parent)
    : FocuserFrame(control, links, displays.focuser, displays.curve, parent),
      m_moon(control),
      m_scope(links.scope),
      m_gauge(displays.gauge),
      m_display(displays.moon)
{
    setUpdateInterval(kStatusInterval);
    connect(&m_tempTimer, &QTimer::timeout, this, &MoonLiteFrame::tempTick);
    m_display.enableCompensation(false);
    m_display.enableRatePopup(true);
}

void MoonLiteFrame::debug(const QString& line) const
{
    m_scope.writeDebugFile(line);
}

void MoonLiteFrame::focuserConnect()
{
    debug(m_moon.isConnected() ? QStringLiteral("moonWindow: menu disconnect")
                               : QStringLiteral("MoonLiteWindow: menu connect"));
    FocuserFrame::focuserConnect();
}

QString MoonLiteFrame::connectFailedMessage() const
{
    return QStringLiteral("MoonLite connection failed.");
}

double MoonLiteFrame::criticalFocusZone(double focalRatio) const
{
    return CriticalFocusZone::unitSteps(focalRatio);
}

void MoonLiteFrame::readStartUp()
{
    m_moon.readConnectState();
    m_timerCount = 0;
    m_isBlock = false;
    showPosition(m_moon.moonCurrPosn());
    m_display.showMaximum(m_moon.moonMaxPosn());
    m_slope = m_moon.moonSlope();
    m_display.showSlope(QString::asprintf("%.1f", double(m_slope)));
    m_display.enableCompensation(m_slope != 0.0f);
    const auto* cell = std::find(kCellDelays.begin(), kCellDelays.end(), m_moon.stepDelay());
    m_display.selectSpeedCell(cell == kCellDelays.end() ? 0 : int(cell - kCellDelays.begin()) + 1);
    QPointer<MoonLiteFrame> self(this);
    m_moon.moonGetCurrTemp([self](std::optional<float> temp) {
        if (self && temp)
            self->showTemperature(*temp);
    });
}

void MoonLiteFrame::didDisconnect()
{
    m_gauge.showLevel(0);
    m_isBlock = false;
}

void MoonLiteFrame::showTemperature(float temp)
{
    display().showTemperature(QString::asprintf("%.1f \u00B0C", double(temp)));
}

void MoonLiteFrame::showPosition(quint16 units)
{
    display().showPosition(QString::number(units));
    const quint16 maximum = m_moon.moonMaxPosn();
    m_gauge.showLevel(maximum == 0 ? 0 : units * 100 / maximum);
}

void MoonLiteFrame::updateTick()
{
    if (!m_moon.isConnected()) {
        display().showStatus(QStringLiteral("Not Connected"));
        display().showPosition(QStringLiteral("----"));
        display().showTemperature(QStringLiteral("--- \u00B0C"));
        m_gauge.showLevel(0);
        return;
    }
    if (m_isBlock) {
        debug(QStringLiteral("moonUpdateTimer: block skip"));
        return;
    }
    m_isBlock = true;
    const bool moving = isMoving();
    display().showStatus(moving ? QStringLiteral("Moving...") : QStringLiteral("Connected"));
    if (const std::optional<quint16> units = m_moon.moonGetCurrPosn())
        showPosition(*units);
    if (++m_timerCount % kTemperatureEvery != 0) {
        m_isBlock = false;
        return;
    }
    QPointer<MoonLiteFrame> self(this);
    m_moon.moonGetCurrTemp([self](std::optional<float> temp) {
        if (!self)
            return;
        if (temp)
            self->showTemperature(*temp);
        self->m_isBlock = false;
    });
}

bool MoonLiteFrame::isMoving()
{
    return m_moon.moonGetMotorMove().value_or(false);
}

bool MoonLiteFrame::stopIfMoving()
{
    if (!isMoving())
        return false;
    m_moon.moonStop();
    return true;
}

void MoonLiteFrame::moveAction(int tag, int value, bool alt)
{
    bool done = true;
    switch (tag) {
    case kIn:
        debug(QStringLiteral("moonWindow: in button"));
        done = stopIfMoving() || m_moon.moonMoveTo(0);
        break;
    case kOut:
        debug(QStringLiteral("moonWindow: out button"));
        done = stopIfMoving() || m_moon.moonMoveTo(alt ? 0xFFFF : m_moon.moonMaxPosn());
        break;
    case kGoto:
        debug(QStringLiteral("moonWindow: goto button: %1").arg(value));
        if (value < 0 || value > 0xFFFF)
            done = false;
        else if (!stopIfMoving())
            done = alt ? m_moon.moonSetCurrPosn(quint16(value))
                       : m_moon.moonMoveTo(std::min(quint16(value), m_moon.moonMaxPosn()));
        break;
    case kSpeedCells:
        done = value >= 1 && value <= int(kCellDelays.size()) && m_moon.moonSetDelay(kCellDelays[size_t(value - 1)]);
        break;
    default:
        return;
    }
    if (!done)
        AlertPanel::beep();
}

void MoonLiteFrame::moveIn()
{
    if (!isMoving() && !m_moon.moonMoveTo(0))
        AlertPanel::beep();
}

void MoonLiteFrame::moveOut()
{
    if (!isMoving() && !m_moon.moonMoveTo(m_moon.moonMaxPosn()))
        AlertPanel::beep();
}

void MoonLiteFrame::stopMove()
{
    m_moon.moonStop();
}

void MoonLiteFrame::setupAction(int tag, bool on)
{
    bool done = true;
    switch (tag) {
    case kZero:
        debug(QStringLiteral("moonWindow: set zero button"));
        done = m_moon.moonSetCurrPosn(0);
        break;
    case kMax:
        done = m_moon.moonSetMax();
        debug(QStringLiteral("moonWindow: set max button: %1").arg(m_moon.moonMaxPosn()));
        m_display.showMaximum(m_moon.moonMaxPosn());
        break;
    case kHalfStep:
        debug(QStringLiteral("moonWindow: set half mode checkbox"));
        done = m_moon.moonSetStepMode(on);
        break;
    default:
        return;
    }
    if (!done)
        AlertPanel::beep();
}

void MoonLiteFrame::tempAction(int tag, double value, bool on)
{
    if (!m_moon.isConnected()) {
        AlertPanel::beep();
        return;
    }
    const std::optional<quint16> units = m_moon.moonGetCurrPosn();
    QPointer<MoonLiteFrame> self(this);
    m_moon.moonGetCurrTemp([self, tag, value, on, units](std::optional<float> temp) {
        if (!self)
            return;
        if (!units || !temp) {
            AlertPanel::beep();
            return;
        }
        self->applyTempAction(tag, value, on, *units, *temp);
    });
}

void MoonLiteFrame::applyTempAction(int tag, double value, bool on, quint16 units, float temp)
{
    switch (tag) {
    case kLearn:
        debug(QString::asprintf("moonTempAction learn: temp= %.1f, step= %d", double(temp), int(units)));
        m_isLearn = !m_isLearn;
        if (m_isLearn) {
            m_startTemp = m_prevTemp = temp;
            m_startUnits = units;
            m_display.showLearnTitle(QStringLiteral("Reset"));
        } else {
            m_startTemp = m_deltaTemp = m_slope = 0.0f;
            m_display.showLearnTitle(QStringLiteral("Learn"));
        }
        m_display.enableCompensation(false);
        break;
    case kCalculate: {
        m_deltaTemp = m_startTemp - temp;
        const std::optional<float> slope = MoonLiteCompensation::learnedSlope(m_startTemp, m_startUnits, temp, units);
        if (!slope) {
            debug(QString::asprintf("moonTempAction calc: delta temp= %.2f", double(m_deltaTemp)));
            AlertPanel::runAlert(QStringLiteral("The tempeature difference is not large enough."),
                                 QStringLiteral("Wait until the MoonLite cools down some more."));
            return;
        }
        m_slope = *slope;
        m_moon.moonSetSlope(m_slope);
        m_display.enableCompensation(true);
        m_display.showLearnTitle(QStringLiteral("Learn"));
        m_isLearn = false;
        debug(QString::asprintf("moonTempAction calc: temp= %.1f, step= %d, slope= %.1f", double(temp), int(units),
                                double(m_slope)));
        break;
    }
    case kCompensation:
        if (on) {
            debug(QStringLiteral("MoonLite action: temp comp turned on"));
            m_slope = float(value);
            m_moon.moonSetSlope(m_slope);
            m_maxSteps = m_moon.moonMaxPosn();
            m_prevTemp = temp;
            m_display.enableRatePopup(false);
            m_isAutoTemp = true;
            m_tempTimer.start(std::chrono::milliseconds(std::lround(std::max(m_tempUpdateRate, 0.1f) * 1000.0f)));
        } else {
            // The timer ends itself at its next tick.
            m_isAutoTemp = false;
            m_display.enableRatePopup(true);
            debug(QStringLiteral("MoonLite action: temp comp turned off"));
        }
        break;
    case kSlopeField:
        m_slope = float(value);
        m_moon.moonSetSlope(m_slope);
        m_display.enableCompensation(true);
        break;
    case kRate:
        m_tempUpdateRate = float(value);
        break;
    default:
        return;
    }
    showTempFields();
}

void MoonLiteFrame::showTempFields()
{
    m_display.showSlope(QString::number(int(m_slope)));
    m_display.showDelta(QString::asprintf("%.1f \u00B0C", double(m_deltaTemp)));
}

void MoonLiteFrame::tempTick()
{
    if (!m_isAutoTemp) {
        m_tempTimer.stop();
        return;
    }
    if (!m_moon.isConnected())
        return;
    if (isMoving()) {
        debug(QStringLiteral("moonTempTimer: motor move skip"));
        return;
    }
    if (m_isBlock) {
        debug(QStringLiteral("moonTempTimer: block skip"));
        return;
    }
    m_isBlock = true;
    const std::optional<quint16> units = m_moon.moonGetCurrPosn();
    QPointer<MoonLiteFrame> self(this);
    m_moon.moonGetCurrTemp([self, units](std::optional<float> temp) {
        if (!self)
            return;
        if (units && temp)
            self->compensate(*units, *temp);
        self->m_isBlock = false;
    });
}

void MoonLiteFrame::compensate(quint16 units, float temp)
{
    using MoonLiteCompensation::Step;
    const Step step = MoonLiteCompensation::step(m_prevTemp, temp, m_slope, units, m_maxSteps);
    switch (step.outcome) {
    case Step::SmallDelta:
        debug(QStringLiteral("moonTempTimer: delta temp < 0.1 skip"));
        return;
    case Step::SmallSteps:
        debug(QStringLiteral("moonTempTimer: delta steps < 2 skip"));
        return;
    case Step::BelowZero:
        debug(QStringLiteral("moonTempTimer: steps to < 0 skip"));
        return;
    case Step::AboveMax:
        debug(QStringLiteral("moonTempAction skip step= %1 > maxStep= %2").arg(step.target).arg(m_maxSteps));
        break;
    case Step::Move:
        debug(QString::asprintf("moonTempAction deltaStep= %d, currStep= %d, deltaTemp= %.1f, slop= %.1f",
                                int(step.steps), int(units), double(m_prevTemp - temp), double(m_slope)));
        if (m_moon.moonMoveTo(quint16(step.target))) {
            m_prevTemp = temp;
            debug(QStringLiteral("moonTempAction move to step= %1, maxStep= %2").arg(step.target).arg(m_maxSteps));
        }
        break;
    }
    showTemperature(temp);
    showPosition(units);
}

std::optional<quint16> MoonLiteFrame::readFocusPosition()
{
    const std::optional<quint16> units = m_moon.moonGetCurrPosn();
    // The sweep starts half its width inward: it cannot start at 0.
    if (units == quint16(0))
        debug(QStringLiteral("moonWindow: curve request has 0 units"));
    if (!units || *units == 0)
        return std::nullopt;
    return units;
}

std::optional<int> MoonLiteFrame::moveInwardForRun(quint16 position, quint16 steps)
{
    debug(QStringLiteral("moonWindow: moon curve start button hit"));
    m_maxSteps = m_moon.moonMaxPosn();
    if (!m_moon.moonMoveTo(quint16(position - std::min(position, steps))))
        return std::nullopt;
    // The curve timer waits for the focuser to stop instead of a fixed time.
    m_isCurveStart = true;
    return 0;
}

std::optional<int> MoonLiteFrame::advanceRun(quint16 steps)
{
    const int target = m_moon.moonCurrPosn() + steps;
    debug(QStringLiteral("moonCurveTimer: new step position goto"));
    if (target > 0xFFFF || !m_moon.moonMoveTo(quint16(target)))
        return std::nullopt;
    return int(steps * 0.5);
}

bool MoonLiteFrame::isReadyForSample()
{
    if (m_moon.isGotoPending())
        return false;
    const std::optional<bool> moving = m_moon.moonGetMotorMove();
    if (!moving || *moving)
        return false;
    if (m_isCurveStart) {
        // Frames taken on the way show the old focus.
        m_isCurveStart = false;
        cameras().clearNewImages();
        return false;
    }
    return true;
}

bool MoonLiteFrame::gotoBestFocus(quint16 position)
{
    return m_moon.moonMoveTo(position);
}

StarBoxRule MoonLiteFrame::starBox() const
{
    return MoonLiteStarBox::rule();
}
