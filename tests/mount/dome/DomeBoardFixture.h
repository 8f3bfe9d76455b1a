#pragma once

#include "mount/ReplyCycles.h"
#include "mount/SerialControl.h"
#include "mount/dome/DomeControl.h"
#include "mount/dome/DomeView.h"
#include "mount/dome/FakeDomeMount.h"
#include "mount/links/SkyRedraw.h"
#include "support/PtyDevice.h"
#include "support/RecordingAlertPresenter.h"
#include "support/RelayBoardSimulator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <vector>

class FakeDomeView final : public DomeView, public SkyRedraw {
public:
    bool isGEM() const override { return gem; }
    void domeUpdateButtons() override {}
    void domeUpdateStatus() override {}
    void setDomeSetupText() override {}
    void setDomeCalText() override {}
    void setCalButtonTitle() override {}
    void setCalProgress(bool) override {}
    void setProgress(bool) override {}
    void setHomeTitle(const QString&) override {}
    void setMotionButtons() override {}
    void domeConnectEnded(bool connected) override { connectEnds.push_back(connected); }
    void domeBoardReset() override { ++resets; }
    void domeLost() override { ++losses; }
    void setNeedsDisplay() override { ++redraws; }
    bool gem = false;
    int redraws = 0;
    int resets = 0;
    int losses = 0;
    std::vector<bool> connectEnds;
};

inline constexpr int kTurn = 200;
inline constexpr double kCoast = 8.0;

// A board behind a pty, whose dome moves only as the controller's waits
// pass: the controller's clock is the dome's, and its jobs' limits run on
// that time together with the time its exchanges really take. Its replies may take as long
// as a loaded machine makes them (well over 100 ms), so an exchange waits
// as long as the program's own does; only its cycles are shorter, so that
// a prompt reply is taken at once.
class DomeBoardFixture : public ::testing::Test {
protected:
    static CycleRules replyCycles()
    {
        constexpr std::chrono::microseconds kWait{300};
        CycleRules rules = CycleRules::dome();
        rules.lastCycle = int((rules.wait * rules.lastCycle) / kWait);
        rules.wait = kWait;
        return rules;
    }

    DomeBoardFixture()
        : serial(DebugWriter{}, SerialTiming{std::chrono::microseconds(1000),
                                             std::chrono::milliseconds(300), replyCycles()}),
          board(pty.simulator(), [this] {
              const termios line = pty.settings();
              return cfgetospeed(&line);
          })
    {
        serial.setExtraPorts({pty.path()});
        serial.getPortNames();
        board.setDome({kTurn, kCoast, 10.0, 0.3, 2.0});
        dome.setView(&view);
        dome.setSkyView(&view);
        dome.setIsBoardSetup(true);
        dome.setDomeSetup(0, 0, 0, 0, 0, 0, 0.0f, 5.0f, 60.0f);
        dome.setSaves([this] { ++boardSaves; }, [this] { ++tickSaves; });
        mount.onWorker = true;
    }

    // The board's thread stops before the board goes.
    ~DomeBoardFixture() override { pty.closeMaster(); }

    void connectBoard()
    {
        pty.start();
        ASSERT_TRUE(dome.domeConnect());
        mount.settle();
        ASSERT_TRUE(dome.isDomeConnect());
    }
    // Write-only commands reach the board after the call returns: an
    // exchange with an answer puts the board past them.
    void settle() { dome.domeReadRelay(); }
    bool relaysOff()
    {
        settle();
        return !board.relayOn(1) && !board.relayOn(2);
    }
    bool outputOn(int output)
    {
        settle();
        return board.outputOn(output);
    }
    // The board's dome azimuth, degrees.
    double boardAzimuth() const { return board.position() * 360.0 / kTurn; }
    void sleepVirtual(std::chrono::microseconds span)
    {
        // The board takes what was sent before the time passes, as a real
        // one would within its 50 ms cycle.
        if (!faulty && serial.serialRefNum(kSerialSlotDome) >= 0) {
            ReplyBuffer reply{};
            qint32 count = 4;
            serial.transaction(1, count, "AR0\r", reply, kSerialSlotDome);
        }
        board.advance(span);
        waited += span.count();
        if (onSleep)
            onSleep();
    }

    PtyDevice pty;
    SerialControl serial;
    RelayBoardSimulator board;
    FakeDomeMount mount;
    FakeDomeView view;
    ScopedAlertRecorder recorder;
    std::function<void()> onSleep;
    std::atomic<bool> faulty = false;
    std::atomic<std::chrono::microseconds::rep> waited = 0;
    int boardSaves = 0;
    int tickSaves = 0;
    DomeControl dome{serial, mount, DebugWriter{},
                     ScopeThreadTiming{std::chrono::microseconds(16667),
                                       [this](std::chrono::microseconds span) { sleepVirtual(span); },
                                       [this] {
                                           return std::chrono::steady_clock::now()
                                                  + std::chrono::microseconds(waited.load());
                                       }}};
};

