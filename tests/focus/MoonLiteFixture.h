#pragma once

#include "JMIFixture.h"

#include "focus/MoonLiteControl.h"
#include "focus/MoonLiteDisplay.h"
#include "focus/MoonLiteFrame.h"
#include "support/Eventually.h"
#include "support/MoonLiteSimulator.h"

class RecordingMoonLiteDisplay final : public MoonLiteDisplay {
public:
    void showMaximum(quint16 maximum) override { this->maximum = maximum; }
    void selectSpeedCell(int cell) override { this->cell = cell; }
    void showSlope(const QString& text) override { slope = text; }
    void showDelta(const QString& text) override { delta = text; }
    void enableCompensation(bool enabled) override { compensation = enabled; }
    void enableRatePopup(bool enabled) override { ratePopup = enabled; }
    void showLearnTitle(const QString& title) override { learnTitle = title; }
    int maximum = -1;
    int cell = -1;
    QString slope, delta, learnTitle;
    bool compensation = false;
    bool ratePopup = false;
};

// A MoonLite focuser simulated on one port, its command layer linked to the
// settings (its settle waits at 2 ms ticks), and its window's logic on
// recording displays.
class MoonLiteFixture : public MountFixture {
protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        port = std::make_unique<PtyDevice>();
        moon = std::make_unique<MoonLiteSimulator>(port->simulator());
        moon->setPosition(5000);
        moon->setTemperature(10.0f);
        serial->setExtraPorts({port->path()});
        serial->getPortNames();
        worker = std::make_unique<ScopeTestWorker>(*scope);
        control = std::make_unique<MoonLiteControl>(*serial, *worker, *prefs, std::chrono::microseconds(2000));
        PrefLinks links = fakes.links();
        links.moonLite = control.get();
        prefs->setLinks(links);
        frame = std::make_unique<MoonLiteFrame>(*control, FocuserFrame::Links{*scope, *prefs, cameras},
                                                MoonLiteFrame::Displays{display, curve, gauge, moonDisplay});
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
        // The start-up reads, the temperature's among them.
        ASSERT_TRUE(QTest::qWaitFor([this] { return !frame->isBlock(); }, 10000));
        ASSERT_TRUE(settle());
    }
    bool settle() const
    {
        return QTest::qWaitFor([this] { return !control->isConnecting() && control->pendingExchanges() == 0; },
                               10000);
    }
    // Waits until every exchange has answered and the simulator has read
    // all that was written: what it recorded is then all that was sent.
    bool allHeard() const
    {
        return settle() && eventually([this] { return port->simulator().isDrained(); });
    }
    // A read's answer, waited for.
    template <typename Value, typename Read>
    std::optional<Value> answerOf(Read read)
    {
        bool answered = false;
        std::optional<Value> value;
        read([&](std::optional<Value> got) {
            answered = true;
            value = got;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, 10000));
        return value;
    }
    // A temperature action, waiting for its temperature read.
    void tempAction(int tag, double value = 0.0, bool on = false)
    {
        const auto before = moon->commands().count("GT");
        frame->tempAction(tag, value, on);
        ASSERT_TRUE(QTest::qWaitFor([&] { return moon->commands().count("GT") > before; }, 5000));
        ASSERT_TRUE(settle());
    }
    bool waitForGoto(int count) const
    {
        return QTest::qWaitFor([&] { return moon->gotos().size() >= count; }, 5000);
    }

    std::unique_ptr<PtyDevice> port;
    std::unique_ptr<MoonLiteSimulator> moon;
    FocusCameras cameras;
    RecordingFocuserDisplay display;
    RecordingFocusDisplay curve;
    RecordingGauge gauge;
    RecordingMoonLiteDisplay moonDisplay;
    std::unique_ptr<ScopeTestWorker> worker;
    std::unique_ptr<MoonLiteControl> control;
    std::unique_ptr<MoonLiteFrame> frame;
};
