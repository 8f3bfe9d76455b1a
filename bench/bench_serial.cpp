// What a user waits for on the serial line, at the real 1/60 s tick: one
// mount position poll through the LX200 family (its replies ended by the
// family's own rules, not the silence time-out) over a pty to a simulated
// LX200 mount, and an exchange with a mount that does not answer, which runs
// to the time-out; and the fault table: mounts answering as real units do,
// through their protocol families.
#include "BenchMain.h"

#include "mount/MountFamily.h"
#include "mount/MountProtocols.h"
#include "mount/ScopeStatus.h"
#include "mount/SerialControl.h"
#include "mount/families/MountFamilies.h"
#include "support/ColonCommandMount.h"
#include "support/LX200Personality.h"
#include "support/PtyDevice.h"
#include "support/TemmaSimulator.h"

#include <QCoreApplication>

namespace {

using namespace std::chrono_literals;

const QByteArray kGetRA = ":GR#";

// A mount that never answers.
struct Mount {
    Mount()
    {
        pty.simulator().dropAnswers();
        pty.simulator().setReplyDelay(5ms);
        pty.start();
        serial.setExtraPorts({pty.path()});
        serial.getPortNames();
        serial.openSerialDriver(0, 9600, false, kSerialSlotScope);
    }

    bool exchange(const QByteArray& command, quint16 expected)
    {
        qint32 count = qint32(command.size());
        return serial.transaction(expected, count, command.constData(), reply, kSerialSlotScope);
    }

    PtyDevice pty;
    SerialControl serial;
    ReplyBuffer reply{};
};

void BM_UnansweredExchange(benchmark::State& state)
{
    Mount mount;
    for (auto _ : state) {
        if (mount.exchange(kGetRA, 9))
            state.SkipWithError("an exchange without an answer succeeded");
    }
}
BENCHMARK(BM_UnansweredExchange)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// A protocol family on slot 1 of its own transport, at the real tick.
struct FamilyLine {
    bool open(const QString& path, int protocol)
    {
        const bool temma = protocol == kProtocolTemma;
        serial.setExtraPorts({path});
        serial.getPortNames();
        if (!serial.openSerialDriver(0, temma ? kTemmaBaud : kDefaultBaud, temma, kSerialSlotScope))
            return false;
        status.scopeProtocol = protocol;
        family = makeMountFamily(protocol, {serial, status, debug, events, nullptr, nullptr, {}, {}, {}});
        return family && family->connect();
    }

    static constexpr long kDefaultBaud = 9600;
    static constexpr long kTemmaBaud = 19200;
    SerialControl serial;
    ScopeStatus status;
    MountEvents events;
    DebugWriter debug;
    std::shared_ptr<MountFamily> family;
};

// An LX200 whose replies pause 300 ms halfway when `isSplit`, else come
// after 5 ms; `dateLate` delays the date's second line as a Classic does
// while it updates.
struct SplitLX200 {
    explicit SplitLX200(bool isSplit = true, std::chrono::milliseconds dateLate = 0ms)
        : mount(std::make_unique<LX200Personality>(LX200Personality::Kind::Autostar,
                                                   LX200Personality::Options{.dateLineLate = dateLate}))
    {
        mount.attach(pty.simulator());
        if (isSplit)
            pty.simulator().splitRepliesInHalf(300ms);
        else
            pty.simulator().setReplyDelay(5ms);
        pty.start();
        opened = line.open(pty.path(), kProtocolLX200);
    }

    PtyDevice pty;
    ColonCommandMount mount;
    FamilyLine line;
    bool opened = false;
};

// The poll of right ascension and declination, two exchanges.
void BM_PositionPoll(benchmark::State& state)
{
    SplitLX200 lx200(false);
    if (!lx200.opened)
        state.SkipWithError("the simulated mount did not connect");
    for (auto _ : state) {
        if (!lx200.line.family->readPosition())
            state.SkipWithError("the simulated mount did not answer");
    }
}
BENCHMARK(BM_PositionPoll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_FaultLX200SplitPoll(benchmark::State& state)
{
    SplitLX200 lx200;
    if (!lx200.opened)
        state.SkipWithError("the simulated mount did not connect");
    for (auto _ : state) {
        if (!lx200.line.family->readPosition())
            state.SkipWithError("a split reply was not read whole");
    }
}
BENCHMARK(BM_FaultLX200SplitPoll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_FaultLX200DateLateSecondLine(benchmark::State& state)
{
    SplitLX200 lx200(true, 5000ms);
    if (!lx200.opened)
        state.SkipWithError("the simulated mount did not connect");
    for (auto _ : state) {
        if (!lx200.line.family->run({MountOperation::SetDate, 0, 0, false}) || !lx200.line.family->readPosition())
            state.SkipWithError("the date's late second line was not read with it");
    }
}
BENCHMARK(BM_FaultLX200DateLateSecondLine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_FaultTemmaPoll(benchmark::State& state)
{
    TemmaSimulator temma;
    temma.start();
    FamilyLine line;
    if (!line.open(temma.path(), kProtocolTemma) || !line.family->run({MountOperation::Sync, 0, 1, false}))
        state.SkipWithError("the simulated Temma did not connect and sync");
    for (auto _ : state) {
        if (!line.family->readPosition())
            state.SkipWithError("the Temma poll failed");
    }
}
BENCHMARK(BM_FaultTemmaPoll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
