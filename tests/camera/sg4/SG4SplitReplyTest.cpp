#include "SG4Fixture.h"

#include <functional>

using namespace std::chrono_literals;

// The camera on a line as loaded adapters and wireless links give it: every
// reply 300 ms late and in two pieces 150 ms apart, every ninth garbled. The
// transport and the controller run on their own clocks, as in the program.
class SG4SplitReplies : public SG4Fixture {
protected:
    SG4SplitReplies() : SG4Fixture(SerialTiming{}.tick)
    {
        patient.setWorker(&patientWorker);
        patient.setSG4Panel(&sg4Panel);
        pty.simulator().setReplyDelay(300ms);
        pty.simulator().splitRepliesInHalf(150ms);
        pty.simulator().garbleEvery(9);
    }
    ~SG4SplitReplies() override { patient.sg4Disconnect(); }

    // Runs `act` until `landed` holds; an action whose own reply was the
    // garbled one is given again, as a user would.
    static bool lands(const std::function<void()>& act, const std::function<bool()>& landed)
    {
        for (int attempt = 0; attempt < 2; ++attempt) {
            act();
            if (landed())
                return true;
        }
        return false;
    }
    void settlePatient()
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return patient.pendingExchanges() == 0; }, 20000));
    }
    // A short exposure through the Expose button, to its download's end.
    bool exposed()
    {
        sg4Panel.fields = {0, 0, 50.0};
        bool ended = false;
        const QMetaObject::Connection ready =
            QObject::connect(&patient, &SG4Control::imageReady, [&] { ended = true; });
        const QMetaObject::Connection failed =
            QObject::connect(&patient, &SG4Control::downloadFailed, [&] { ended = true; });
        patient.sg4ImageAction(SG4Control::kTagExpose);
        const bool came = QTest::qWaitFor([&] { return ended; }, 60000);
        QObject::disconnect(ready);
        QObject::disconnect(failed);
        return came && patient.sg4Image() != nullptr;
    }

    // The controller on the program's own clocks: a reply's late tail is
    // waited for as the program waits for it.
    SG4Control patient{serial, DebugWriter(), SG4Timing{}};
    TestSG4Worker patientWorker{patient};
};

TEST_F(SG4SplitReplies, ConnectTheGuiderSettingsAndAnExposureHold)
{
    device.setGuider(300, 20, 255, 128);
    ASSERT_TRUE(connectWith(patient));
    EXPECT_EQ(patient.versionStr(), "V2.5");
    EXPECT_EQ(sg4Panel.values.maxMove, 300);
    EXPECT_EQ(sg4Panel.values.minMove, 20);
    EXPECT_EQ(sg4Panel.values.xGainPercent, 100);
    EXPECT_EQ(sg4Panel.values.yGainPercent, 50);

    EXPECT_TRUE(lands(
        [this] {
            patient.sg4SetupAction(SG4Control::kTagMaxMove, 400);
            patient.sg4SetupAction(SG4Control::kTagMinMove, 30);
            patient.sg4SetupAction(SG4Control::kTagXGain, 50);
            settlePatient();
        },
        [this] {
            const SG4GuiderRead read = line.readGuider();
            return read.maxMove == 400 && read.minMove == 30 && read.xGain == 127;
        }));

    patient.setSG4SubFrameXY(100, 200);
    patient.setSG4SubFrameSize(10);
    ASSERT_TRUE(patient.sg4DefineSubFrameCmd());
    settlePatient();
    patient.sg4SetupAction(SG4Control::kTagReadout, SG4Control::kItemSubFrame);
    // A garbled echo of 'T' or 'X' fails that exposure cleanly; the next one downloads.
    ASSERT_TRUE(exposed() || exposed());
    EXPECT_EQ(patient.sg4Image()->pixels.size(), 100u);
    EXPECT_EQ(patient.sg4Image()->pixels[5], 1005);
    EXPECT_TRUE(patient.isSG4Connect());
    EXPECT_TRUE(alerts.alerts.empty());
    EXPECT_GE(pty.simulator().answered(), 9);
}
