#pragma once

#include "FocusFakes.h"

#include "focus/CriticalFocusZone.h"
#include "focus/FocuserControl.h"
#include "focus/FocuserDisplay.h"
#include "focus/FocuserFrame.h"
#include "focus/FocuserWorker.h"
#include "mount/ScopeControl.h"

#include <QCoreApplication>
#include <QTest>

#include <QByteArray>
#include <QString>

// The mount controller's worker as the program's adapter gives it to the
// focusers.
class ScopeTestWorker final : public FocuserWorker {
public:
    explicit ScopeTestWorker(ScopeControl& scope) : m_scope(scope) {}

    quint16 selectPort() const override { return m_scope.selectPort(); }
    DebugWriter debugWriter() const override { return m_scope.debugWriter(); }
    ScopeThreadTiming timing() const override { return m_scope.timing(); }
    void postWork(std::function<void()> work) override
    {
        m_scope.launchThread();
        m_scope.scopeThread().postJob(std::move(work));
    }
private:
    ScopeControl& m_scope;
};

// A made-up focuser that answers "PING#" with "PONG#" at 9600 baud, so that
// what reaches a simulated port shows what the common frame did.
class ProbeFocuserControl final : public FocuserControl {
public:
    static constexpr char kProbe[] = "PING#";

    ProbeFocuserControl(SerialControl& serial, FocuserWorker& worker)
        : FocuserControl(serial, worker, {9600, QStringLiteral("Probe"), &probe}) {}

    // Waits (in the event loop) until the search or the exchanges posted end.
    bool settle(int milliseconds = 10000)
    {
        return QTest::qWaitFor([this] { return !isConnecting() && pendingExchanges() == 0; },
                               milliseconds);
    }

protected:
    double slowestStepsPerSecond() const override { return 1.0; }

private:
    static bool probe(const FocuserExchange& line)
    {
        const std::optional<QByteArray> reply = line.send(kProbe, 5);
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

    void readFocusPosition(PositionRead done) override { done(position); }
    void moveInwardForRun(quint16 from, quint16 steps, MoveDone done) override
    {
        position = quint16(from - steps);
        done(0);
    }
    void advanceRun(quint16 steps, MoveDone done) override
    {
        position = quint16(position + steps);
        done(0);
    }
    double focusScale() const override { return 7000.0; }
    void gotoBestFocus(quint16 target) override { position = target; }

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
    QString focuserName() const override { return QStringLiteral("Probe"); }
    QString connectFailedMessage() const override { return QStringLiteral("Probe connection failed."); }
    bool isTemperatureGood() const override { return temperatureGood; }
    void moveIn() override { --moves; }
    void moveOut() override { ++moves; }
};
