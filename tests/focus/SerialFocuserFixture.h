#pragma once

#include "ProbeFocuser.h"

#include "focus/FocusCameras.h"
#include "focus/OptecControl.h"
#include "focus/OptecDisplay.h"
#include "focus/OptecFrame.h"
#include "mount/MountFixture.h"
#include "focus/RoboControl.h"
#include "focus/RoboDisplay.h"
#include "focus/RoboFrame.h"
#include "support/OptecSimulator.h"
#include "support/RoboFocusSimulator.h"

#include <memory>

// Records the Optec window's own fields.
class RecordingOptecDisplay final : public OptecDisplay {
public:
    void showSpeeds(const std::array<quint16, 4>& shown) override { speeds = shown; }
    void showCurrentSlope(int slope) override { currentSlope = slope; }
    void showLearning(const QString& avg, const QString& calc, const QString& start,
                      const QString& change) override
    {
        average = avg;
        calculated = calc;
        startTemp = start;
        delta = change;
    }
    std::array<quint16, 4> speeds{};
    int currentSlope = -1;
    QString average, calculated, startTemp, delta;
};

// Records the RoboFocus window's own fields.
class RecordingRoboDisplay final : public RoboDisplay {
public:
    void showConfig(int dutyShown, int delayShown, int sizeShown) override
    {
        duty = dutyShown;
        delay = delayShown;
        stepSize = sizeShown;
    }
    void showBacklash(int amount) override { backlash = amount; }
    void selectBacklashDirection(int selected) override { direction = selected; }
    void showMaximum(int steps) override { maximum = steps; }
    void showOutputs(const std::array<bool, 4>& on) override { outputs = on; }
    void showLevel(int percent) override { level = percent; }
    void clearMoveButtons() override { ++buttonsCleared; }
    void showSlope(const QString& text) override { slope = text; }
    void showTempDelta(const QString& text) override { delta = text; }

    int duty = -1, delay = -1, stepSize = -1, backlash = -1, direction = -1, maximum = -1, level = -1;
    int buttonsCleared = 0;
    std::array<bool, 4> outputs{};
    QString slope, delta;
};

// A simulated controller on one port and a focuser family's command layer
// and frame on recording displays, beside the mount fixture's controller
// and settings.
template <typename Simulator, typename Control, typename Frame>
class SerialFocuserFixture : public MountFixture {
protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        port = std::make_unique<PtyDevice>();
        simulator = std::make_unique<Simulator>(port->simulator());
    }
    void TearDown() override
    {
        frame.reset();
        control.reset();
        worker.reset();
        port.reset();
        MountFixture::TearDown();
    }
    // The frame on the model's displays.
    virtual std::unique_ptr<Frame> makeFrame() = 0;
    // Starts the simulator (after its faults are set) and makes the objects.
    void start()
    {
        port->start();
        serial->setExtraPorts({port->path()});
        serial->getPortNames();
        worker = std::make_unique<ScopeTestWorker>(*scope);
        control = std::make_unique<Control>(*serial, *worker);
        frame = makeFrame();
        frame->setHandPanels(&panels);
    }
    void connectFocuser()
    {
        start();
        frame->focuserConnect();
        settle();
        ASSERT_TRUE(control->isConnected());
    }
    // Waits until what was posted has answered, timers' retries included.
    void settle(int milliseconds = 20000)
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !control->isConnecting() && control->pendingExchanges() == 0; },
                                    milliseconds));
    }
    // One update tick and its answers.
    void update()
    {
        frame->updateTimer();
        settle();
    }
    QList<QByteArray> sentSince(qsizetype first) const { return simulator->commands().mid(first); }
    // Whether the simulator's last command becomes `command`: a command no
    // reply is awaited for reaches it after the write has returned.
    bool lastSent(const QByteArray& command) const
    {
        return QTest::qWaitFor([&] { return simulator->commands().value(simulator->commands().size() - 1) == command; },
                               5000);
    }
    FocuserFrame::Links links() { return {*scope, *prefs, cameras}; }

    std::unique_ptr<PtyDevice> port;
    std::unique_ptr<Simulator> simulator;
    std::unique_ptr<ScopeTestWorker> worker;
    std::unique_ptr<Control> control;
    std::unique_ptr<Frame> frame;
    FocusCameras cameras;
    RecordingFocuserDisplay display;
    RecordingFocusDisplay curve;
};

class OptecFixture : public SerialFocuserFixture<OptecSimulator, OptecControl, OptecFrame> {
protected:
    std::unique_ptr<OptecFrame> makeFrame() override
    {
        return std::make_unique<OptecFrame>(*control, links(), OptecFrame::Views{display, curve, optecDisplay},
                                            [this] { ++speedSaves; });
    }
    void connectOptec() { connectFocuser(); }

    RecordingOptecDisplay optecDisplay;
    int speedSaves = 0;
};

class RoboFixture : public SerialFocuserFixture<RoboFocusSimulator, RoboControl, RoboFrame> {
protected:
    std::unique_ptr<RoboFrame> makeFrame() override
    {
        return std::make_unique<RoboFrame>(*control, links(), RoboFrame::Views{display, curve, roboDisplay},
                                           [this] { ++slopeSaves; });
    }

    RecordingRoboDisplay roboDisplay;
    int slopeSaves = 0;
};
