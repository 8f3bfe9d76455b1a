#pragma once

#include "FocusFakes.h"

#include "focus/CriticalFocusZone.h"
#include "focus/FocuserControl.h"
#include "focus/FocuserDisplay.h"
#include "focus/FocuserFrame.h"

#include <QByteArray>
#include <QString>

// A made-up focuser that answers "PING#" with "PONG#" at 9600 baud, so that
// what reaches a simulated port shows what the common frame did.
class ProbeFocuserControl final : public FocuserControl {
public:
    static constexpr char kProbe[] = "PING#";

    ProbeFocuserControl(SerialControl& serial, ScopeControl& scope)
        : FocuserControl(serial, scope, 9600, QStringLiteral("Probe")) {}

protected:
    bool probe() override
    {
        const std::optional<QByteArray> reply = exchange(kProbe, 5);
        return reply && reply->startsWith("PONG#");
    }
};

// Records what the frame shows.
class RecordingFocuserDisplay final : public FocuserDisplay {
public:
    void showStatus(const QString& text) override { status = text; }
    void showPosition(const QString& text) override { position = text; }
    void showTemperature(const QString& text) override { temperature = text; }
    void showCriticalFocusZone(const QString& text) override { zone = text; }
    void orderFront() override { front = true; }
    void orderOut() override { front = false; }

    QString status, position, temperature, zone;
    bool front = false;
};

// The frame of the made-up focuser: its hooks count their calls.
class ProbeFocuserFrame final : public FocuserFrame {
public:
    ProbeFocuserFrame(FocuserControl& control, const Links& links, FocuserDisplay& display,
                      AutoFocusDisplay& curveDisplay)
        : FocuserFrame(control, links, display, curveDisplay) {}

    std::optional<quint16> readFocusPosition() override { return position; }
    std::optional<int> moveInwardForRun(quint16 from, quint16 steps) override
    {
        position = quint16(from - steps);
        return 0;
    }
    std::optional<int> advanceRun(quint16 steps) override
    {
        position = quint16(position + steps);
        return 0;
    }
    double focusScale() const override { return 7000.0; }
    bool gotoBestFocus(quint16 target) override { return position = target, true; }

    using FocuserFrame::setUpdateInterval;

    quint16 position = 3500;
    bool temperatureGood = true;
    int startUps = 0;
    int updates = 0;
    int moves = 0;

protected:
    void readStartUp() override { ++startUps; }
    void updateTick() override { ++updates; }
    double criticalFocusZone(double focalRatio) const override
    {
        return CriticalFocusZone::unitSteps(focalRatio);
    }
    QString connectFailedMessage() const override { return QStringLiteral("Probe connection failed."); }
    bool isTemperatureGood() const override { return temperatureGood; }
    void moveIn() override { --moves; }
    void moveOut() override { ++moves; }
};
