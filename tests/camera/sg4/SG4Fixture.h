#pragma once

#include "camera/sg4/SG4Control.h"
#include "camera/sg4/SG4GuiderPanel.h"
#include "camera/sg4/SG4Worker.h"
#include "mount/ScopeMessage.h"
#include "mount/ScopeStatus.h"
#include "mount/ScopeThread.h"
#include "mount/SerialControl.h"
#include "support/Eventually.h"
#include "support/PtyDevice.h"
#include "support/RecordingAlertPresenter.h"
#include "support/SG4LineSpeed.h"
#include "support/SG4Simulator.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

// The mount's real worker thread, carrying the controller's exchanges and downloads.
class TestSG4Worker final : public SG4Worker {
public:
    explicit TestSG4Worker(SG4Jobs& jobs) { m_thread.setSG4(&jobs); }
    ~TestSG4Worker() override { m_thread.killRemotePort(); }
    quint16 selectPort() const override { return port; }
    void postWork(std::function<void()> work) override
    {
        m_thread.launchThread();
        m_thread.postJob(std::move(work));
    }
    void postImageDownload() override
    {
        ++downloads;
        if (dropDownloads)
            return;
        m_thread.launchThread();
        m_thread.post(ScopeMessage{kSG4MsgImageDownload, {}, {}, {}});
    }
    quint16 port = 0;
    int downloads = 0;
    // A worker that stopped before it took the message.
    bool dropDownloads = false;

private:
    ScopeStatus m_status;
    ScopeThread m_thread{m_status, DebugWriter()};
};

// Records what the controller shows.
class FakeSG4Panel final : public SG4GuiderPanel {
public:
    ExposureFields exposureFields() const override { return fields; }
    bool isFocusChecked() const override { return focus; }
    void setFocusChecked(bool on) override { focus = on; }
    void setExposeTitle(const QString& title) override { exposeTitle = title; }
    void setStatus(const QString& text) override { status = text; statuses.append(text); }
    void setProgressRunning(bool running) override { progress = running; }
    void selectSpeed(long baud) override { speed = baud; }
    void selectImageType(int itemTag) override { imageType = itemTag; }
    void selectReadoutMode(int itemTag) override { readoutMode = itemTag; }
    void setReadoutMenuEnabled(bool enabled) override { readoutEnabled = enabled; }
    void setDeviceTitle(const QString& text) override { title = text; }
    void bringToFront() override { visible = true; }
    bool isPanelVisible() const override { return visible; }
    void hidePanel() override { visible = false; }
    void redraw() override { ++redraws; }
    void showGuiderValues(const GuiderValues& shown) override { values = shown; }
    void setCalibrateTitle(const QString& text) override { calibrateTitle = text; }
    void setGuideTitle(const QString& text) override { guideTitle = text; }

    ExposureFields fields;
    bool focus = false;
    QString exposeTitle = "Expose";
    QString status;
    QStringList statuses;
    bool progress = false;
    long speed = 0;
    int imageType = 0;
    int readoutMode = 0;
    bool readoutEnabled = true;
    QString title;
    bool visible = false;
    int redraws = 0;
    GuiderValues values;
    QString calibrateTitle;
    QString guideTitle;
};

inline SG4Timing fastTiming()
{
    SG4Timing timing;
    timing.pollInterval = std::chrono::milliseconds(10);
    timing.completionMargin = std::chrono::milliseconds(10);
    timing.focusDelay = std::chrono::milliseconds(20);
    timing.calibrateTick = std::chrono::milliseconds(10);
    timing.calibrateTimeoutTicks = 5;
    return timing;
}

// The controller on a simulated camera behind a pty, with its panels, the
// mount's worker and a recorded store of the speed.
class SG4Fixture : public ::testing::Test {
protected:
    // The transport's cycles at `tick` (1 ms: quick tests; the real 1/60 s
    // where their length matters).
    explicit SG4Fixture(std::chrono::microseconds tick = std::chrono::microseconds(1000))
        : serial(DebugWriter(), SerialTiming{tick}),
          device(pty.simulator(), SG4LineSpeed(serial)),
          control(serial, DebugWriter(), fastTiming()),
          worker(control)
    {
        serial.setExtraPorts({pty.path()});
        control.setWorker(&worker);
        control.setSG4Panel(&sg4Panel);
        control.setAllSkyPanel(&allSkyPanel);
        control.setBaudStore([this](long baud) { storedBaud = baud; });
        pty.start();
    }
    ~SG4Fixture() override
    {
        control.sg4Disconnect();
        pty.closeMaster();
    }

    // Starts the scan and waits for its outcome.
    bool connect(bool allSky = false) { return connectWith(control, allSky); }
    static bool connectWith(SG4Control& sg4, bool allSky = false)
    {
        sg4.setIsAllSkySelect(allSky);
        if (!sg4.initSG4Port())
            return false;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !sg4.isSG4Connecting(); }, 60000));
        return sg4.isSG4Connect() || sg4.isAllSkyConnect();
    }
    // Waits until every exchange posted has answered.
    void settle() { EXPECT_TRUE(QTest::qWaitFor([this] { return control.pendingExchanges() == 0; }, 20000)); }
    // Posts a command and waits for its outcome; nothing when it was refused unsent.
    std::optional<bool> outcome(const std::function<bool(std::function<void(bool)>)>& command)
    {
        std::optional<bool> result;
        if (!command([&result](bool ok) { result = ok; }))
            return std::nullopt;
        EXPECT_TRUE(QTest::qWaitFor([&result] { return result.has_value(); }, 20000));
        return result;
    }
    // Takes an exposure of `seconds` through the panel's Expose button and
    // waits for its download to end.
    bool exposeAndDownload(FakeSG4Panel& panel, double seconds, int waitMs = 20000)
    {
        panel.fields = {0, 0, seconds * 1000.0};
        bool ended = false;
        const QMetaObject::Connection ready = QObject::connect(&control, &SG4Control::imageReady, [&] { ended = true; });
        const QMetaObject::Connection failed = QObject::connect(&control, &SG4Control::downloadFailed, [&] { ended = true; });
        control.sg4ImageAction(SG4Control::kTagExpose);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ended; }, waitMs));
        QObject::disconnect(ready);
        QObject::disconnect(failed);
        return control.sg4Image() != nullptr;
    }
    int commandsOf(char letter) const
    {
        int count = 0;
        for (const QByteArray& command : device.commands())
            count += command.startsWith(letter) ? 1 : 0;
        return count;
    }

    ScopedAlertRecorder alerts;
    PtyDevice pty;
    SerialControl serial;
    SG4Simulator device;
    FakeSG4Panel sg4Panel;
    FakeSG4Panel allSkyPanel;
    SG4Control control;
    TestSG4Worker worker;
    // The command set run directly, for checks of single exchanges.
    SG4Exchange line{serial, DebugWriter()};
    long storedBaud = 0;
};
