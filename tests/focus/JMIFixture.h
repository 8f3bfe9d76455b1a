#pragma once

#include "ProbeFocuser.h"

#include "focus/FocusCameras.h"
#include "focus/FocuserGauge.h"
#include "focus/JMIControl.h"
#include "focus/JMIFrame.h"
#include "focus/JMISetupDisplay.h"
#include "model/FakeLinks.h"
#include "mount/MountFixture.h"
#include "support/JMISimulator.h"

#include <QTest>

#include <memory>

class RecordingGauge final : public FocuserGauge {
public:
    void showLevel(int percent) override { level = percent; }
    void showMoving(bool on) override { moving = on; }
    int level = -1;
    bool moving = false;
};

class RecordingJMISetup final : public JMISetupDisplay {
public:
    void setJMIBacklashButton(bool on) override { backlashOn = on; }
    void setJMIBacklashText(quint16 amount) override { backlash = amount; }
    void setJMIMaxValueText(quint16 maximum) override { maxValue = maximum; }
    void setJMISpeedSlider(float s, float f, float i) override { sliders = {s, f, i}; }
    bool backlashOn = false;
    int backlash = -1;
    int maxValue = -1;
    std::array<float, 3> sliders{};
};

// A JMI focuser simulated on one port, its command layer linked to the
// settings, and its window's logic on recording displays.
class JMIFixture : public MountFixture {
protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        port = std::make_unique<PtyDevice>();
        jmi = std::make_unique<JMISimulator>(port->simulator());
        jmi->setPosition(500);
        serial->setExtraPorts({port->path()});
        serial->getPortNames();
        worker = std::make_unique<ScopeTestWorker>(*scope);
        control = std::make_unique<JMIControl>(*serial, *worker, *prefs);
        control->setDisplay(&setup);
        PrefLinks links = fakes.links();
        links.jmi = control.get();
        prefs->setLinks(links);
        frame = std::make_unique<JMIFrame>(*control, FocuserFrame::Links{*scope, *prefs, cameras}, display,
                                           curve, gauge);
    }
    void TearDown() override
    {
        frame.reset();
        control.reset();
        worker.reset();
        MountFixture::TearDown();
    }
    void connect()
    {
        port->start();
        frame->focuserConnect();
        ASSERT_TRUE(settle());
        ASSERT_TRUE(control->isConnected());
    }
    // Waits (in the event loop) for the search and the exchanges posted.
    bool settle() const
    {
        return QTest::qWaitFor([this] { return !control->isConnecting() && control->pendingExchanges() == 0; },
                               10000);
    }
    // Runs an operation and waits for its outcome.
    template <typename Operation>
    bool outcome(Operation operation)
    {
        std::optional<bool> result;
        operation([&](bool done) { result = done; });
        return QTest::qWaitFor([&] { return result.has_value(); }, 10000) && *result;
    }
    bool waitForMoveEnd() const
    {
        return QTest::qWaitFor([this] { return !control->isJMIMove(); }, 5000);
    }

    std::unique_ptr<PtyDevice> port;
    std::unique_ptr<JMISimulator> jmi;
    FocusCameras cameras;
    RecordingFocuserDisplay display;
    RecordingFocusDisplay curve;
    RecordingGauge gauge;
    RecordingJMISetup setup;
    std::unique_ptr<ScopeTestWorker> worker;
    std::unique_ptr<JMIControl> control;
    std::unique_ptr<JMIFrame> frame;
};
