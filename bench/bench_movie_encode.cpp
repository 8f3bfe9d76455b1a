// Frames per second written to a movie at 640 x 480 on one core, for the
// "jpeg" (Motion JPEG) and "avc1" (H.264) codec names at normal quality.
// Frames change from one to the next, as a webcam's do; the movie goes to a
// temporary folder and is finished after each run.
#include "BenchHome.h"
#include "BenchMain.h"

#include "camera/movie/MovieWriter.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <array>
#include <random>

namespace {

constexpr int kFrameCount = 8;
constexpr int kNormalQuality = 512;
constexpr int kThirtyPerSecond = 20;

std::array<QImage, kFrameCount> syntheticFrames()
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> noise(0, 30);
    std::array<QImage, kFrameCount> frames;
    for (QImage& frame : frames) {
        frame = QImage(640, 480, QImage::Format_RGB32);
        for (int y = 0; y < 480; ++y) {
            auto* row = reinterpret_cast<quint32*>(frame.scanLine(y));
            for (int x = 0; x < 640; ++x) {
                const int v = noise(random) + (x + y) / 8;
                row[x] = qRgb(v, v + 5, v + 10);
            }
        }
    }
    return frames;
}

void encode(benchmark::State& state, const char* codec)
{
    const std::array<QImage, kFrameCount> frames = syntheticFrames();
    QTemporaryDir folder;
    MovieWriter writer;
    if (!writer.create(folder.filePath(QStringLiteral("bench.mov")), QString::fromLatin1(codec), kNormalQuality)) {
        state.SkipWithError("cannot create the movie");
        return;
    }
    std::size_t n = 0;
    for (auto _ : state) {
        if (!writer.addFrame(frames[n++ % kFrameCount], kThirtyPerSecond)) {
            state.SkipWithError("cannot write a frame");
            break;
        }
    }
    writer.finish();
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_MovieJpeg(benchmark::State& state)
{
    encode(state, "jpeg");
}

void BM_MovieAvc1(benchmark::State& state)
{
    encode(state, "avc1");
}

BENCHMARK(BM_MovieJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MovieAvc1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    pinToOneCore();
    return runBenchmarks(argc, argv);
}
