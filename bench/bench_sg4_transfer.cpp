// What an SG-4 or AllSky user waits for after an exposure: the full 640 x 480
// transfer (75 blocks of 8192 bytes and a checksum, each answered) from the
// simulated camera paced at 460800 baud over a pty, at the real 1/60 s tick,
// with no and with 1 % corrupted blocks. The line alone needs about 13.3 s;
// the counters give the time, that floor and the overhead per block.
#include "BenchMain.h"

#include "camera/sg4/SG4Control.h"
#include "mount/SerialControl.h"
#include "support/PtyDevice.h"
#include "support/SG4Simulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {

constexpr long kBaud = 460800;
constexpr int kBlocks = 75;
constexpr double kBlockBytes = 8192 + 1;
constexpr double kBitsPerByte = 10.0;
// A seed whose draws corrupt one block of a transfer, as 1 % does on average.
constexpr unsigned kOneCorruptBlockSeed = 4;

void transfer(benchmark::State& state, double corruptRate)
{
    PtyDevice pty;
    SerialControl serial;
    SG4Simulator device(pty.simulator(), [&serial] {
        const std::optional<termios> line = serial.requestedSettings(kSerialSlotSG4);
        return line ? cfgetospeed(&*line) : B0;
    });
    device.setSpeed(kBaud);
    device.setPacing(true);
    device.corruptAtRate(corruptRate, kOneCorruptBlockSeed);
    pty.start();
    serial.setExtraPorts({pty.path()});
    // The exchanges the controller posts to its worker, run here in turn.
    const SG4Exchange line(serial, DebugWriter());
    SG4Control control(serial, DebugWriter());
    serial.getPortNames();
    if (line.findDevice(0, serial.maxPorts(), kBaud, false).port == 0) {
        state.SkipWithError("the simulated camera did not connect");
        return;
    }
    const QByteArray zeroFullFrameLight = *SG4Protocol::exposureBytes(0.0f) + char(SG4Protocol::kMode1X1)
                                          + char(SG4Protocol::kTypeLight);
    const int before = device.blocksSent();
    double seconds = 0.0;
    for (auto _ : state) {
        if (!line.sg4TakeImageCmd(zeroFullFrameLight)) {
            state.SkipWithError("the exposure did not start");
            break;
        }
        control.sg4ImageDownloadCmd();
        QElapsedTimer clock;
        clock.start();
        const std::shared_ptr<SG4Image> image = control.sg4TransferImageCmd();
        seconds += clock.nsecsElapsed() * 1e-9;
        if (!image) {
            state.SkipWithError("the transfer failed");
            break;
        }
    }
    const double transfers = double(state.iterations());
    const double floor = kBlocks * kBlockBytes * kBitsPerByte / kBaud;
    const double blocks = (device.blocksSent() - before) / std::max(transfers, 1.0);
    state.counters["seconds"] = seconds / std::max(transfers, 1.0);
    state.counters["line_floor_s"] = floor;
    state.counters["blocks_sent"] = blocks;
    state.counters["overhead_ms_per_block"] = (seconds / std::max(transfers, 1.0) - floor) * 1000.0 / kBlocks;
    line.close();
    pty.closeMaster();
}

void BM_FullFrameTransfer(benchmark::State& state)
{
    transfer(state, 0.0);
}
BENCHMARK(BM_FullFrameTransfer)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

void BM_FullFrameTransferOnePercentCorrupted(benchmark::State& state)
{
    transfer(state, 0.01);
}
BENCHMARK(BM_FullFrameTransferOnePercentCorrupted)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
