#include "focus/RoboFrame.h"

#include "focus/CriticalFocusZone.h"
#include "focus/FocuserDisplay.h"
#include "focus/RoboControl.h"
#include "focus/RoboDisplay.h"
#include "platform/AlertPanel.h"

#include <algorithm>
#include <cmath>

namespace {

// How far from either end of the travel a move must stay.
constexpr int kEndMargin = 5;
constexpr float kLeastLearnDelta = 1.0f;
constexpr float kLeastCompensatedDelta = 0.1f;
constexpr int kLeastCompensation = 2;

}  // namespace

RoboFrame::RoboFrame(RoboControl& control, const Links& links, const Views& views,
                     std::function<void()> saveSlope, QObject* parent)
    : FocuserFrame(control, links, views.focuser, views.curve, parent),
      m_robo(control),
      m_view(views.robo),
      m_saveSlope(std::move(saveSlope))
{
    connect(&m_tempTimer, &QTimer::timeout, this, &RoboFrame::tempTimer);
}

QString RoboFrame::focuserName() const
{
    return QStringLiteral("Robo-Focus");
}

QString RoboFrame::connectFailedMessage() const
{
    return QStringLiteral("Robo-Focus connection failed.");
}

double RoboFrame::criticalFocusZone(double focalRatio) const
{
    return CriticalFocusZone::travelSteps(focalRatio, m_robo.roboMax());
}

double RoboFrame::focusScale() const
{
    return m_robo.roboMax();
}

bool RoboFrame::roboCheckStepLimits(int steps, int kind) const
{
    const int position = m_robo.roboPosition();
    int end = 0;
    switch (kind) {
    case kInward: end = position - steps; break;
    case kOutward: end = position + steps; break;
    case kAbsolute: end = steps; break;
    default: return false;
    }
    const int backlash = m_robo.roboBacklash();
    const int most = m_robo.roboMax();
    if (m_robo.roboBacklashDirection() == 3)
        return end >= backlash + kEndMargin && end <= most - kEndMargin;
    if (m_robo.roboBacklashDirection() == 2)
        return end >= kEndMargin && end <= most - kEndMargin - backlash;
    return false;
}

int RoboFrame::roboMaxMove(int kind) const
{
    const int position = m_robo.roboPosition();
    const int backlash = m_robo.roboBacklash();
    const bool isDirection3 = m_robo.roboBacklashDirection() == 3;
    int steps = 0;
    if (kind == kOutward)
        steps = m_robo.roboMax() - position - (isDirection3 ? 0 : backlash);
    else if (kind == kInward)
        steps = position - 2 - (isDirection3 ? backlash : 0);
    return steps < 2 || steps > m_robo.roboMax() ? 0 : steps;
}

void RoboFrame::focusAction(int tag, int value)
{
    if (!isFocuserConnected()) {
        AlertPanel::beep();
        return;
    }
    switch (tag) {
    case kIn:
    case kOut: {
        if (m_robo.isRoboMove()) {
            m_robo.roboStop();
            return;
        }
        const int kind = tag == kIn ? kInward : kOutward;
        if (!roboCheckStepLimits(m_roboSpeed, kind))
            return;
        if (tag == kIn)
            m_robo.roboIn(m_roboSpeed);
        else
            m_robo.roboOut(m_roboSpeed);
        return;
    }
    case kGoto:
        if (m_robo.isRoboMove()) {
            m_robo.beepMoving();
            return;
        }
        if (roboCheckStepLimits(value, kAbsolute))
            m_robo.roboSetSteps(value);
        else
            m_robo.roboStop();
        return;
    case kSpeed:
        m_roboSpeed = quint16(std::clamp(value, 0, 0xFFFF));
        return;
    default:
        return;
    }
}

void RoboFrame::editTextAction(int tag, int value)
{
    const auto configShown = [this](bool) {
        m_view.showConfig(m_robo.roboCyclePct(), m_robo.roboDelayMs(), m_robo.roboMicroSize());
    };
    switch (tag) {
    case kBacklashField:
        m_robo.roboSetBacklash(value, [this](bool) { m_view.showBacklash(m_robo.roboBacklash()); });
        break;
    case kPositionField:
        m_robo.roboSetPosition(value, [this](bool) { showPosition(); });
        break;
    case kMaximumField:
        m_robo.roboSetMax(value, [this](bool) { m_view.showMaximum(m_robo.roboMax()); });
        break;
    case kDutyField:
    case kDelayField:
    case kStepSizeField: {
        const auto byte = quint8(value & 0xFF);
        if (tag == kDutyField)
            m_robo.setRoboCyclePct(byte);
        else if (tag == kDelayField)
            m_robo.setRoboDelayMs(byte);
        else
            m_robo.setRoboMicroSize(byte);
        m_robo.roboSetConfig(configShown);
        break;
    }
    case kDirectionMatrix: {
        const int direction = value + 2;
        // The controller takes an amount of 0 as a question and keeps its
        // direction: a direction without a stored amount takes the current one.
        quint16 amount = m_robo.roboBacklashOf(direction);
        if (amount == 0)
            amount = std::max<quint16>(m_robo.roboBacklash(), 1);
        m_robo.setRoboBacklashDirection(direction);
        m_robo.roboSetBacklash(amount, [this](bool) { m_view.showBacklash(m_robo.roboBacklash()); });
        break;
    }
    default:
        break;
    }
}

void RoboFrame::relayAction(int output, bool on)
{
    if (!isFocuserConnected()) {
        AlertPanel::beep();
        return;
    }
    m_robo.roboSetOutputs(output, on, [this](bool) {
        m_view.showOutputs({m_robo.roboOutput(1), m_robo.roboOutput(2), m_robo.roboOutput(3), m_robo.roboOutput(4)});
    });
}

void RoboFrame::readStartUp()
{
    m_tickCount = 0;
    m_robo.roboGetConfig([this](bool read) {
        if (read)
            m_view.showConfig(m_robo.roboCyclePct(), m_robo.roboDelayMs(), m_robo.roboMicroSize());
        m_robo.roboGetBacklash([this](bool backlashRead) {
            if (backlashRead) {
                m_view.selectBacklashDirection(m_robo.roboBacklashDirection());
                m_view.showBacklash(m_robo.roboBacklash());
            }
            m_robo.roboGetMax([this](bool maxRead) {
                if (maxRead) {
                    m_view.showMaximum(m_robo.roboMax());
                    display().showCriticalFocusZone(criticalFocusZoneText());
                }
                m_robo.roboGetPosition([this](bool positionRead) {
                    if (positionRead)
                        showPosition();
                    m_robo.roboGetOutputs([this](bool outputsRead) {
                        if (outputsRead)
                            m_view.showOutputs({m_robo.roboOutput(1), m_robo.roboOutput(2),
                                                m_robo.roboOutput(3), m_robo.roboOutput(4)});
                    });
                });
            });
        });
    });
    showSlope();
}

void RoboFrame::showPosition()
{
    display().showPosition(QString::asprintf("%.4d", int(m_robo.roboPosition())));
    m_view.showLevel(m_robo.roboMax() == 0 ? 0 : int(m_robo.roboPosition()) * 100 / m_robo.roboMax());
}

void RoboFrame::showTemperature()
{
    display().showTemperature(QString::asprintf("%.1f", double(m_robo.roboTemp())) + QStringLiteral("\u00B0C"));
}

void RoboFrame::showSlope()
{
    m_view.showSlope(QString::asprintf("%.1f", double(m_roboSlope)));
}

void RoboFrame::updateTick()
{
    m_robo.roboReadMove([this](bool) {
        showPosition();
        if (!m_robo.isRoboMove())
            m_view.clearMoveButtons();
        if (++m_tickCount < kTempEveryTicks)
            return;
        m_robo.roboGetTemp([this](bool read) {
            if (!read)
                return;
            showTemperature();
            m_tickCount = 0;
        });
    });
}

void RoboFrame::moveIn()
{
    const int steps = roboMaxMove(kInward);
    if (!m_robo.isRoboMove() && steps > 0)
        m_robo.roboIn(steps);
}

void RoboFrame::moveOut()
{
    const int steps = roboMaxMove(kOutward);
    if (!m_robo.isRoboMove() && steps > 0)
        m_robo.roboOut(steps);
}

void RoboFrame::stopMove()
{
    m_robo.roboStop();
}

void RoboFrame::didDisconnect()
{
    m_view.showLevel(0);
    m_tempTimer.stop();
    m_isGateReading = false;
}

void RoboFrame::setRoboSlope(float slope)
{
    m_roboSlope = slope;
    showSlope();
}

void RoboFrame::tempAction(int tag, double value)
{
    if (!isFocuserConnected()) {
        AlertPanel::beep();
        return;
    }
    m_robo.roboGetTemp([this, tag, value](bool) {
        m_robo.roboGetPosition([this, tag, value](bool) {
            tempActionWith(tag, value, m_robo.roboTemp(), m_robo.roboPosition());
        });
    });
}

void RoboFrame::tempActionWith(int tag, double value, float temp, quint16 position)
{
    switch (tag) {
    case kLearn:
        m_isRoboLearn = !m_isRoboLearn;
        if (m_isRoboLearn) {
            m_roboStartTemp = temp;
            m_roboPrevTemp = temp;
            m_roboStartUnits = position;
        } else {
            m_roboStartTemp = 0.0f;
        }
        m_roboDeltaTemp = 0.0f;
        m_roboSlope = 0.0f;
        break;
    case kCalculate: {
        const float delta = m_roboStartTemp - temp;
        if (delta < kLeastLearnDelta) {
            AlertPanel::beep();
            return;
        }
        m_roboDeltaTemp = delta;
        m_roboSlope = float(qint16(position - m_roboStartUnits)) / delta;
        if (m_saveSlope)
            m_saveSlope();
        break;
    }
    case kCompensate:
        m_isRoboAutoTemp = value != 0.0;
        if (m_isRoboAutoTemp)
            startCompensation(temp);
        else
            m_tempTimer.stop();
        break;
    case kUpdateRate:
        m_roboTempUpdateRate = float(value);
        break;
    case kSlopeField:
        m_roboSlope = float(value);
        break;
    default:
        return;
    }
    showSlope();
    m_view.showTempDelta(QString::asprintf("%.1f \u00B0C", double(m_roboDeltaTemp)));
}

void RoboFrame::startCompensation(float temp)
{
    m_roboPrevTemp = temp;
    if (m_tempTimer.isActive())
        return;
    // A rate of 0 would spin the main thread: a second at least.
    m_tempTimer.start(std::max(1000, int(m_roboTempUpdateRate * 1000.0f)));
}

void RoboFrame::tempTimer()
{
    if (!isFocuserConnected() || autoFocus().isTimerBlock() || !m_isRoboAutoTemp)
        return;
    m_robo.roboGetTemp([this](bool) { compensate(m_robo.roboTemp()); });
}

void RoboFrame::compensate(float temp)
{
    const float delta = m_roboPrevTemp - temp;
    if (std::abs(delta) < kLeastCompensatedDelta)
        return;
    const auto steps = qint16(delta * m_roboSlope);
    // Small changes add up: the previous temperature stays.
    if (std::abs(steps) < kLeastCompensation)
        return;
    if (steps > 0 && roboCheckStepLimits(steps, kOutward))
        m_robo.roboOut(steps);
    else if (steps < 0 && roboCheckStepLimits(-steps, kInward))
        m_robo.roboIn(-steps);
    m_roboPrevTemp = temp;
}

void RoboFrame::readFocusPosition(PositionRead done)
{
    m_robo.roboGetPosition([this, done = std::move(done)](bool read) {
        done(read ? std::optional<quint16>(m_robo.roboPosition()) : std::nullopt);
    });
}

void RoboFrame::moveInwardForRun(quint16, quint16 steps, MoveDone done)
{
    m_robo.roboIn(steps, [done = std::move(done)](bool sent) {
        done(sent ? std::optional<int>(0) : std::nullopt);
    });
}

bool RoboFrame::isReadyForSample()
{
    if (!m_robo.isRoboMove())
        return true;
    // The stream tells when the move's end record has come; once its echoes
    // have stopped long enough a position read confirms where it ended.
    if (!m_isGateReading) {
        m_isGateReading = true;
        m_robo.roboReadMove([this](bool) { m_isGateReading = false; });
    }
    return false;
}

void RoboFrame::advanceRun(quint16 steps, MoveDone done)
{
    // A move that would leave the limits is not made: the sample is taken here.
    if (!roboCheckStepLimits(steps, kOutward)) {
        showPosition();
        done(0);
        return;
    }
    m_robo.roboOut(steps, [this, done = std::move(done)](bool) {
        showPosition();
        done(0);
    });
}

void RoboFrame::gotoBestFocus(quint16 position)
{
    m_robo.roboSetSteps(position);
}

bool RoboFrame::haltMove()
{
    m_robo.giveUpMove();
    return true;
}

std::optional<quint16> RoboFrame::lastKnownPosition() const
{
    return m_robo.roboPosition();
}
