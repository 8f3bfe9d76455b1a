// What a user meets between the hand-control panel and the mount, at the
// real clocks (1 s poll tick, 100 ms refusal pause, 1/60 s serial tick): the
// time from posting a poll to the main thread handling its position update
// (with the poll's serial exchange, and without it: the worker's own share),
// and a run of 1,000 panel commands among polls, each pressed once the one
// before has run, counting any the interlock lost. The mount is a simulated
// one behind a pty, answering after 5 ms.
#include "BenchMain.h"

#include "model/SkyDateModel.h"
#include "mount/ReplyCycles.h"
#include "mount/ScopeControl.h"
#include "mount/SerialControl.h"
#include "support/PtyDevice.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <atomic>

namespace {

using namespace std::chrono_literals;

// A family speaking LX200-style commands: a poll is one exchange, a panel
// command one write.
class BenchFamily final : public MountFamily {
public:
    explicit BenchFamily(const MountContext& context) : m_context(context) {}
    bool connect() override { return exchange(":GR#", 9, ReplyEnd::terminator('#')); }
    bool readPosition() override { return !onWire || exchange(":GR#", 9, ReplyEnd::terminator('#')); }
    bool gotoPosition(double, double) override { return exchange(":MS#", 1, ReplyEnd::length(1)); }
    bool slewDetect() override { return exchange(":D#", 1, ReplyEnd::terminator('#')); }
    bool run(const PanelCommand&) override
    {
        ++commands;
        return exchange(":Q#", 0, {});
    }
    std::atomic<int> commands = 0;
    // Off: polls answer at once, which leaves the worker's own round trip.
    std::atomic<bool> onWire = true;

private:
    // Each reply ends by the LX200 family's rule for it, so no exchange
    // waits out the silence time-out.
    bool exchange(const char* command, quint16 expected, const ReplyEnd& end)
    {
        ReplyBuffer reply{};
        qint32 count = qint32(qstrlen(command));
        return m_context.serial.transaction(expected, count, command, reply, kSerialSlotScope, end);
    }
    MountContext m_context;
};

struct Bench : BenchSettings {
    Bench()
    {
        prefs.scopes()[0].mountProtocol = 1;
        prefs.setScopeNamesArray({"Bench", "", "", "", ""});
        pty.simulator().answer(":GR#", "12:34:56#");
        pty.simulator().answer(":MS#", "0");
        pty.simulator().answer(":D#", "#");
        pty.simulator().setReplyDelay(5ms);
        pty.start();
        serial.setExtraPorts({pty.path()});
        serial.getPortNames();
        scope.setFamilies([this](int, const MountContext& context) {
            family = std::make_shared<BenchFamily>(context);
            return family;
        });
        connected = scope.scopeConnect(0) && waitFor([this] { return scope.hasScopePort(); });
        scope.setTimerRate(1.0f);
    }
    ~Bench() { scope.disconnect(); }

    template <class Done>
    static bool waitFor(Done done, int ms = 3000)
    {
        QDeadlineTimer deadline(ms);
        while (!done()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        return true;
    }

    SkyDateModel skyDate{prefs};
    PtyDevice pty;
    SerialControl serial;
    std::shared_ptr<BenchFamily> family;
    ScopeControl scope{prefs, skyDate, serial, DebugWriter()};
    bool connected = false;
};

void BM_PollToPositionUpdate(benchmark::State& state)
{
    Bench bench;
    if (!bench.connected) {
        state.SkipWithError("the simulated mount did not connect");
        return;
    }
    bench.family->onWire = state.range(0) != 0;
    for (auto _ : state) {
        bench.scope.status().isPolling = true;
        bench.scope.scopeThread().post({kScopeMsgPoll, {}, {}, {}});
        if (!Bench::waitFor([&] { return !bench.scope.isPolling(); }))
            state.SkipWithError("no position update");
    }
}
BENCHMARK(BM_PollToPositionUpdate)
    ->ArgName("serial")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Iterations(50);

void BM_CommandsAmongPolls(benchmark::State& state)
{
    constexpr int kCommands = 1000;
    Bench bench;
    if (!bench.connected) {
        state.SkipWithError("the simulated mount did not connect");
        return;
    }
    int lost = 0;
    for (auto _ : state) {
        for (int i = 0; i < kCommands; ++i) {
            // A poll tick every tenth press, beside the real 1 s tick.
            if (i % 10 == 0)
                bench.scope.runScopeTimer();
            const int before = bench.family->commands;
            bench.scope.lx200Command(kStopAll);
            if (!Bench::waitFor([&] { return bench.family->commands > before; }))
                ++lost;
        }
    }
    state.counters["commands"] = kCommands;
    state.counters["lost"] = lost;
}
BENCHMARK(BM_CommandsAmongPolls)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
