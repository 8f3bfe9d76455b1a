// What a user waits for on the serial line, at the real 1/60 s tick: one
// mount position poll (right ascension and declination, two exchanges) over
// a pty to a simulated LX200-style mount, and an exchange with a mount that
// does not answer, which runs to the time-out.
#include "BenchMain.h"

#include "mount/SerialControl.h"
#include "support/PtyDevice.h"

#include <QCoreApplication>

namespace {

using namespace std::chrono_literals;

const QByteArray kGetRA = ":GR#";
const QByteArray kGetDec = ":GD#";

struct Mount {
    explicit Mount(bool answers)
    {
        if (answers) {
            pty.simulator().answer(kGetRA, "12:34:56#");
            pty.simulator().answer(kGetDec, "+12*34:56#");
        } else {
            pty.simulator().dropAnswers();
        }
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

void BM_PositionPoll(benchmark::State& state)
{
    Mount mount(true);
    for (auto _ : state) {
        if (!mount.exchange(kGetRA, 9) || !mount.exchange(kGetDec, 10))
            state.SkipWithError("the simulated mount did not answer");
    }
}
BENCHMARK(BM_PositionPoll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_UnansweredExchange(benchmark::State& state)
{
    Mount mount(false);
    for (auto _ : state) {
        if (mount.exchange(kGetRA, 9))
            state.SkipWithError("an exchange without an answer succeeded");
    }
}
BENCHMARK(BM_UnansweredExchange)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
