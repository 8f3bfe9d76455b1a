#pragma once

#include "model/PrefFixture.h"
#include "model/SkyDateModel.h"
#include "mount/ScopeControl.h"
#include "mount/SerialControl.h"
#include "mount/links/AutoguiderLink.h"
#include "mount/links/DomeJobs.h"
#include "mount/links/HandControlPanels.h"
#include "mount/links/ScopeViewLink.h"
#include "mount/links/SkyRedraw.h"
#include "platform/DebugLog.h"
#include "support/PtyDevice.h"
#include "support/RecordingAlertPresenter.h"

#include <QCoreApplication>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A protocol family that speaks a tiny made-up dialect over slot 1, so that
// what reaches the device shows which operations ran: the handshake sends
// ":hello#" and wants "1"; slew speeds are sent as ":S<code>#". Everything
// else is only recorded. A poll can be held until released.
class FakeFamily final : public MountFamily {
public:
    explicit FakeFamily(const MountContext& context) : m_context(context) {}

    bool connect() override
    {
        ReplyBuffer reply{};
        qint32 count = 7;
        return m_context.serial.transaction(1, count, ":hello#", reply, kSerialSlotScope)
               && reply[0] == '1';
    }
    bool readPosition() override
    {
        record("poll");
        std::unique_lock lock(m_mutex);
        m_released.wait(lock, [this] { return !m_holdPolls; });
        if (!answers)
            return false;
        m_context.status.scopeRA = ra.load();
        m_context.status.scopeDec = dec.load();
        return true;
    }
    bool gotoPosition(double, double) override { return record("goto"), true; }
    bool slewDetect() override { return record("detect"), true; }
    bool run(const PanelCommand& command) override
    {
        const bool stop = command.operation == MountOperation::Slew && (command.flag & kSlewFlagStop);
        record(QString("run %1").arg(command.code) + (stop ? " stop" : ""));
        if (command.operation == MountOperation::SlewSpeed) {
            const QByteArray out = ":S" + QByteArray::number(command.code) + "#";
            ReplyBuffer reply{};
            qint32 count = qint32(out.size());
            m_context.serial.transaction(0, count, out.constData(), reply, kSerialSlotScope);
        }
        return true;
    }

    void holdPolls(bool hold)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_holdPolls = hold;
        }
        m_released.notify_all();
    }
    std::vector<QString> operations() const
    {
        const std::lock_guard lock(m_mutex);
        return m_operations;
    }
    int count(const QString& operation) const
    {
        const std::vector<QString> all = operations();
        return int(std::count(all.begin(), all.end(), operation));
    }

    std::atomic<double> ra = 1.0;
    std::atomic<bool> answers = true;  // false: every poll fails
    std::atomic<double> dec = 0.5;

private:
    bool record(const QString& operation)
    {
        const std::lock_guard lock(m_mutex);
        m_operations.push_back(operation);
        return true;
    }

    MountContext m_context;
    mutable std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_holdPolls = false;
    std::vector<QString> m_operations;
};

struct FakeScopeViewLink final : ScopeViewLink {
    bool isWindowVisible() const override { return visible; }
    bool isMiniaturized() const override { return miniaturized; }
    bool keepSVClosed() const override { return keptClosed; }
    void setKeepSVClosed(bool closed) override { keptClosed = closed; }
    void showInFront() override { ++raised; }
    void setWindowTitle(const QString& text) override { title = text; }
    void setTrackRA(double ra, double) override
    {
        ++moves;
        lastRA = ra;
    }
    void setNeedsDisplay() override {}
    void setupDrawer() override {}

    bool visible = true;
    bool miniaturized = false;
    bool keptClosed = false;
    int raised = 0;
    int moves = 0;
    double lastRA = 0.0;
    QString title;
};

struct FakeSkyRedraw final : SkyRedraw {
    void setNeedsDisplay() override { ++redraws; }
    int redraws = 0;
};

struct FakePanels final : HandControlPanels {
    bool isVisible(MountPanel panel) const override { return shown.count(panel) > 0; }
    void showPanel(MountPanel panel, const QString& title) override
    {
        shown[panel] = 1.0;
        titles.push_back(title);
    }
    void hidePanel(MountPanel panel) override { shown.erase(panel); }
    void setAlpha(MountPanel panel, double alpha) override
    {
        shown[panel] = alpha;
        alphas.push_back(alpha);
    }
    void disableBaud(MountPanel) override {}
    void setAPSyncTitle() override {}
    void setSynScanSyncButton(bool on) override { calls.push_back(on ? "sync on" : "sync off"); }
    void setNexStarModeMatrix(int mode) override { calls.push_back("mode " + QString::number(mode)); }
    void setSideRadio(bool east) override { calls.push_back(east ? "east" : "west"); }
    void setTrackRadio() override { calls.push_back("stand-by"); }
    void setGeminiSlewSpeedMenu(int tag) override { calls.push_back("slew " + QString::number(tag)); }
    bool isLocked(MountPanel) const override { return locked; }
    bool isTenth(MountPanel) const override { return pulse == 1; }
    bool isQuarter(MountPanel) const override { return pulse == 2; }
    bool isHalf(MountPanel) const override { return pulse == 3; }
    int guideRate() const override { return guidePercent; }
    bool locked = false;
    int pulse = 0;  // the slew pulse menu's tag
    int guidePercent = 50;
    std::map<MountPanel, double> shown;
    std::vector<double> alphas;
    std::vector<QString> titles;
    std::vector<QString> calls;
};

struct FakeAutoguider final : AutoguiderLink {
    bool isCalibrating() const override { return calibrating; }
    void setCalibrateEnable(bool) override {}
    bool useGPUSB() const override { return false; }
    bool calibrating = false;
};

// Marks where the worker has got to: a dome job runs only after every
// message posted before it.
struct WorkerMark final : DomeBoardJobs {
    void domeTrackTimer() override { ++reached; }
    void domeCalibrateTimer() override {}
    void domeHomeTimer() override {}
    void domeRelayWestOnTimer() override {}
    void domeRelayEastOnTimer() override {}
    std::atomic<int> reached = 0;
};

// A mount controller on temporary settings, its worker in virtual time (the
// sleeps are skipped), fakes for the windows it moves and a
// fake protocol family behind simulated ports.
// Long enough for a queue of exchanges with slow, split replies on a loaded
// machine; a wait ends as soon as its condition holds.
inline constexpr int kWorkerWaitMs = 20000;

class MountFixture : public PrefFixture {
protected:
    void SetUp() override
    {
        PrefFixture::SetUp();
        prefs = &launch();
        prefs->setScopeNamesArray({"Scope A", "Scope B", "", "", ""});
        skyDate = std::make_unique<SkyDateModel>(*prefs);
        log = std::make_unique<DebugLog>(folder());
        // The program's own tick: the exchanges' cycles span the devices' pauses as in use.
        serial = std::make_unique<SerialControl>(DebugWriter(), SerialTiming{});
        ScopeThreadTiming timing;
        timing.sleep = [](std::chrono::microseconds) {};
        scope = std::make_unique<ScopeControl>(*prefs, *skyDate, *serial,
                                               DebugWriter([] { return true; }, log.get()), timing);
        scope->setScopeView(&view);
        scope->setSkyView(&sky);
        scope->setHandPanels(&panels);
        scope->setWebcamGuide(&guider);
        scope->setFamilies([this](int, const MountContext& context) {
            family = std::make_shared<FakeFamily>(context);
            return family;
        });
        scope->scopeThread().setDomeBoard(&mark);
    }
    void TearDown() override
    {
        if (family)
            family->holdPolls(false);
        scope.reset();
    }

    // Simulated ports answering the handshake, listed in order.
    void addPorts(int count)
    {
        QStringList paths;
        for (int i = 0; i < count; ++i) {
            ptys.push_back(std::make_unique<PtyDevice>());
            ptys.back()->simulator().answer(":hello#", "1");
            ptys.back()->start();
        }
        for (const auto& pty : ptys)
            paths.append(pty->path());
        serial->setExtraPorts(paths);
        serial->getPortNames();
    }

    // Connects slot 0 as set up and waits for the worker's handshake to end;
    // true when the mount is connected.
    bool connectSlot0()
    {
        if (!scope->scopeConnect(0))
            return false;
        return QTest::qWaitFor([this] { return !scope->isConnecting(); }, 20000) && scope->isConnected();
    }

    // Connects slot 0 with `protocol` on one port and waits for the worker's check-in.
    void connectScope(int protocol = kProtocolLX200)
    {
        if (ptys.empty())
            addPorts(1);
        prefs->scopes()[0].mountProtocol = quint16(protocol);
        ASSERT_TRUE(connectSlot0());
        ASSERT_TRUE(QTest::qWaitFor([this] { return scope->hasScopePort(); }, kWorkerWaitMs));
        scope->setTimerRate(0.0f);
    }

    // Lets the worker finish everything posted so far and the main thread
    // handle what it answered.
    void settle()
    {
        const int before = mark.reached;
        scope->scopeThread().post({kDomeMsgTrack, {}, {}, {}});
        ASSERT_TRUE(QTest::qWaitFor([&] { return mark.reached > before; }, kWorkerWaitMs)) << workerState();
        QCoreApplication::processEvents();
    }

    // What a worker that never came round may have been through.
    std::string workerState() const
    {
        std::string state = scope->isConnected() ? "connected" : "not connected";
        for (const RecordedAlert& alert : alerts.alerts)
            state += "; alert: " + (alert.title + ' ' + alert.message).toStdString();
        return state;
    }

    // Waits for the worker alone: the main thread handles nothing meanwhile.
    template <class Done>
    static bool waitForWorker(Done done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    ScopedAlertRecorder alerts;
    PrefControl* prefs = nullptr;
    FakeScopeViewLink view;
    FakeSkyRedraw sky;
    FakePanels panels;
    FakeAutoguider guider;
    WorkerMark mark;
    std::unique_ptr<SkyDateModel> skyDate;
    std::unique_ptr<DebugLog> log;
    std::unique_ptr<SerialControl> serial;
    std::vector<std::unique_ptr<PtyDevice>> ptys;
    std::shared_ptr<FakeFamily> family;
    std::unique_ptr<ScopeControl> scope;
};
