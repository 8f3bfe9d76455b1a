#include "focus/MoonLiteFrame.h"

#include "focus/CriticalFocusZone.h"
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

QString MoonLiteFrame::focuserName() const
{
    return QStringLiteral("MoonLite");
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
    m_timerCount = 0;
    m_isBlock = true;
    QPointer<MoonLiteFrame> self(this);
    m_moon.readConnectState([self] {
        if (!self)
            return;
        MoonLiteFrame& frame = *self;
        frame.showPosition(frame.m_moon.moonCurrPosn());
        frame.m_display.showMaximum(frame.m_moon.moonMaxPosn());
        frame.m_slope = frame.m_moon.moonSlope();
        frame.m_display.showSlope(QString::asprintf("%.1f", double(frame.m_slope)));
        frame.m_display.enableCompensation(frame.m_slope != 0.0f);
        const auto* cell = std::find(kCellDelays.begin(), kCellDelays.end(), frame.m_moon.stepDelay());
        frame.m_display.selectSpeedCell(cell == kCellDelays.end() ? 0 : int(cell - kCellDelays.begin()) + 1);
    });
    m_moon.moonGetCurrTemp([self](std::optional<float> temp) {
        if (!self)
            return;
        if (temp)
            self->showTemperature(*temp);
        self->m_isBlock = false;
    });
}

void MoonLiteFrame::didDisconnect()
{
    m_gauge.showLevel(0);
    m_isBlock = false;
    m_motor = Motor::Unknown;
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
    const bool withTemp = ++m_timerCount % kTemperatureEvery == 0;
    QPointer<MoonLiteFrame> self(this);
    m_moon.moonGetMotorMove([self](std::optional<bool> moving) {
        if (self && moving)
            self->display().showStatus(*moving ? QStringLiteral("Moving...") : QStringLiteral("Connected"));
    });
    m_moon.moonGetCurrPosn([self, withTemp](std::optional<quint16> units) {
        if (!self)
            return;
        if (units)
            self->showPosition(*units);
        if (!withTemp) {
            self->m_isBlock = false;
            return;
        }
        self->m_moon.moonGetCurrTemp([self](std::optional<float> temp) {
            if (!self)
                return;
            if (temp)
                self->showTemperature(*temp);
            self->m_isBlock = false;
        });
    });
}

bool MoonLiteFrame::moveTo(quint16 position)
{
    ++m_moveNumber;
    m_motor = Motor::Unknown;
    return m_moon.moonMoveTo(position);
}

void MoonLiteFrame::stopOr(std::function<bool()> otherwise)
{
    QPointer<MoonLiteFrame> self(this);
    m_moon.moonGetMotorMove([self, otherwise = std::move(otherwise)](std::optional<bool> moving) {
        if (!self)
            return;
        if (moving.value_or(false))
            self->m_moon.moonStop();
        else if (!otherwise())
            AlertPanel::beep();
    });
}

void MoonLiteFrame::moveAction(int tag, int value, bool alt)
{
    if (!m_moon.isConnected()) {
        AlertPanel::beep();
        return;
    }
    switch (tag) {
    case kIn:
        debug(QStringLiteral("moonWindow: in button"));
        stopOr([this] { return moveTo(0); });
        break;
    case kOut:
        debug(QStringLiteral("moonWindow: out button"));
        stopOr([this, alt] { return moveTo(alt ? 0xFFFF : m_moon.moonMaxPosn()); });
        break;
    case kGoto:
        debug(QStringLiteral("moonWindow: goto button: %1").arg(value));
        if (value < 0 || value > 0xFFFF) {
            AlertPanel::beep();
            break;
        }
        stopOr([this, value, alt] {
            return alt ? m_moon.moonSetCurrPosn(quint16(value))
                       : moveTo(std::min(quint16(value), m_moon.moonMaxPosn()));
        });
        break;
    case kSpeedCells:
        if (value < 1 || value > int(kCellDelays.size()) || !m_moon.moonSetDelay(kCellDelays[size_t(value - 1)]))
            AlertPanel::beep();
        break;
    default:
        break;
    }
}

void MoonLiteFrame::moveIn()
{
    whenStill([this] { return moveTo(0); });
}

void MoonLiteFrame::moveOut()
{
    whenStill([this] { return moveTo(m_moon.moonMaxPosn()); });
}

void MoonLiteFrame::whenStill(std::function<bool()> move)
{
    QPointer<MoonLiteFrame> self(this);
    m_moon.moonGetMotorMove([self, move = std::move(move)](std::optional<bool> moving) {
        if (self && !moving.value_or(true) && !move())
            AlertPanel::beep();
    });
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
    case kMax: {
        QPointer<MoonLiteFrame> self(this);
        m_moon.moonSetMax([self](bool read) {
            if (!self)
                return;
            if (!read)
                AlertPanel::beep();
            self->debug(QStringLiteral("moonWindow: set max button: %1").arg(self->m_moon.moonMaxPosn()));
            self->m_display.showMaximum(self->m_moon.moonMaxPosn());
        });
        break;
    }
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

void MoonLiteFrame::readUnitsAndTemp(std::function<void(std::optional<quint16>, std::optional<float>)> then)
{
    QPointer<MoonLiteFrame> self(this);
    m_moon.moonGetCurrPosn([self, then = std::move(then)](std::optional<quint16> units) {
        if (!self)
            return;
        self->m_moon.moonGetCurrTemp([self, then, units](std::optional<float> temp) {
            if (self)
                then(units, temp);
        });
    });
}

void MoonLiteFrame::tempAction(int tag, double value, bool on)
{
    if (!m_moon.isConnected()) {
        AlertPanel::beep();
        return;
    }
    readUnitsAndTemp([this, tag, value, on](std::optional<quint16> units, std::optional<float> temp) {
        if (!units || !temp) {
            AlertPanel::beep();
            return;
        }
        applyTempAction(tag, value, on, *units, *temp);
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
    QPointer<MoonLiteFrame> self(this);
    m_moon.moonGetMotorMove([self](std::optional<bool> moving) {
        if (!self)
            return;
        if (moving.value_or(true)) {
            self->debug(QStringLiteral("moonTempTimer: motor move skip"));
            return;
        }
        self->compensationTick();
    });
}

void MoonLiteFrame::compensationTick()
{
    if (m_isBlock) {
        debug(QStringLiteral("moonTempTimer: block skip"));
        return;
    }
    m_isBlock = true;
    readUnitsAndTemp([this](std::optional<quint16> units, std::optional<float> temp) {
        if (units && temp)
            compensate(*units, *temp);
        m_isBlock = false;
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
        if (moveTo(quint16(step.target))) {
            m_prevTemp = temp;
            debug(QStringLiteral("moonTempAction move to step= %1, maxStep= %2").arg(step.target).arg(m_maxSteps));
        }
        break;
    }
    showTemperature(temp);
    showPosition(units);
}

void MoonLiteFrame::readFocusPosition(PositionRead done)
{
    m_moon.moonGetCurrPosn([this, done = std::move(done)](std::optional<quint16> units) {
        // The sweep starts half its width inward: it cannot start at 0.
        if (units == quint16(0)) {
            debug(QStringLiteral("moonWindow: curve request has 0 units"));
            units.reset();
        }
        done(units);
    });
}

void MoonLiteFrame::moveInwardForRun(quint16 position, quint16 steps, MoveDone done)
{
    debug(QStringLiteral("moonWindow: moon curve start button hit"));
    m_maxSteps = m_moon.moonMaxPosn();
    if (!moveTo(quint16(position - std::min(position, steps)))) {
        done(std::nullopt);
        return;
    }
    // The curve timer waits for the focuser to stop instead of a fixed time.
    done(0);
}

void MoonLiteFrame::advanceRun(quint16 steps, MoveDone done)
{
    const int target = m_moon.moonCurrPosn() + steps;
    debug(QStringLiteral("moonCurveTimer: new step position goto"));
    if (target > 0xFFFF || !moveTo(quint16(target))) {
        done(std::nullopt);
        return;
    }
    done(int(steps * 0.5));
}

void MoonLiteFrame::askMotor()
{
    if (m_motor == Motor::Asking)
        return;
    m_motor = Motor::Asking;
    // The position shows whether the motor gets on toward its target; a
    // "moving" answer alone does not.
    m_moon.moonGetCurrPosn({});
    QPointer<MoonLiteFrame> self(this);
    m_moon.moonGetMotorMove([self, number = m_moveNumber](std::optional<bool> moving) {
        if (!self || number != self->m_moveNumber)
            return;
        self->m_motor = !moving ? Motor::Unknown : *moving ? Motor::Moving : Motor::Stopped;
    });
}

bool MoonLiteFrame::isReadyForSample()
{
    if (m_moon.isGotoPending())
        return false;
    if (m_motor != Motor::Stopped) {
        if (m_motor != Motor::Asking) {
            m_motor = Motor::Unknown;
            askMotor();
        }
        return false;
    }
    // The next move asks again.
    m_motor = Motor::Unknown;
    return true;
}

void MoonLiteFrame::gotoBestFocus(quint16 position)
{
    if (!moveTo(position))
        AlertPanel::beep();
}

void MoonLiteFrame::runAborted()
{
    debug(QStringLiteral("moonWindow: moon curve stop button hit"));
    m_moon.moonStop();
}

bool MoonLiteFrame::haltMove()
{
    debug(QStringLiteral("moonWindow: gave up on a move"));
    return m_moon.moonStop();
}

std::optional<quint16> MoonLiteFrame::lastKnownPosition() const
{
    return m_moon.moonCurrPosn();
}

StarBoxRule MoonLiteFrame::starBox() const
{
    return MoonLiteStarBox::rule();
}
