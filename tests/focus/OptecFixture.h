#pragma once

#include "ProbeFocuser.h"

#include "focus/FocusCameras.h"
#include "focus/OptecControl.h"
#include "focus/OptecDisplay.h"
#include "focus/OptecFrame.h"
#include "mount/MountFixture.h"
#include "support/OptecSimulator.h"

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

// An Optec TCF-S simulator on one port, the command layer and the frame
// on recording displays, beside the mount fixture's controller and settings.
class OptecFixture : public MountFixture {
protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        port = std::make_unique<PtyDevice>();
        simulator = std::make_unique<OptecSimulator>(port->simulator());
    }
    void TearDown() override
    {
        frame.reset();
        optec.reset();
        worker.reset();
        port.reset();
        MountFixture::TearDown();
    }
    // Starts the simulator (after its faults are set) and makes the objects.
    void start()
    {
        port->start();
        serial->setExtraPorts({port->path()});
        serial->getPortNames();
        worker = std::make_unique<ScopeTestWorker>(*scope);
        optec = std::make_unique<OptecControl>(*serial, *worker);
        frame = std::make_unique<OptecFrame>(*optec, FocuserFrame::Links{*scope, *prefs, cameras},
                                             OptecFrame::Views{display, curve, optecDisplay},
                                             [this] { ++speedSaves; });
        frame->setHandPanels(&panels);
    }
    void connectOptec()
    {
        start();
        frame->focuserConnect();
        settle();
        ASSERT_TRUE(optec->isConnected());
    }
    // Waits until what was posted has answered, timers' retries included.
    void settle(int milliseconds = 20000)
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !optec->isConnecting() && optec->pendingExchanges() == 0; },
                                    milliseconds));
    }
    // One update tick and its answers.
    void update()
    {
        frame->updateTimer();
        settle();
    }
    QList<QByteArray> sentSince(qsizetype first) const { return simulator->commands().mid(first); }

    std::unique_ptr<PtyDevice> port;
    std::unique_ptr<OptecSimulator> simulator;
    std::unique_ptr<ScopeTestWorker> worker;
    std::unique_ptr<OptecControl> optec;
    std::unique_ptr<OptecFrame> frame;
    FocusCameras cameras;
    RecordingFocuserDisplay display;
    RecordingFocusDisplay curve;
    RecordingOptecDisplay optecDisplay;
    int speedSaves = 0;
};
