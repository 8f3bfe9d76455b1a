// Frames per second through the webcam's whole frame chain on one core: the
// dark frame subtracted, five frames stacked, the five colour adjustments
// (noise reduction among them), the time stamp, the centre mark and the grid,
// and the focus buffer refilled on every frame, as while guiding. Frames
// change from one iteration to the next, as a camera's do. The target is 30
// frames per second at 1280 x 960.
#include "BenchHome.h"
#include "BenchMain.h"

#include "camera/webcam/CITextLayer.h"
#include "camera/webcam/WebcamPipeline.h"
#include "platform/DataPaths.h"

#include <QGuiApplication>

#include <array>
#include <random>

namespace {

constexpr int kFrameCount = 8;

std::array<QImage, kFrameCount> syntheticFrames(int width, int height)
{
    std::mt19937 random(42);
    std::uniform_int_distribution<int> noise(0, 24);
    std::array<QImage, kFrameCount> frames;
    for (QImage& frame : frames) {
        frame = QImage(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<quint32*>(frame.scanLine(y));
            for (int x = 0; x < width; ++x) {
                const int v = noise(random);
                row[x] = qRgb(v + 10, v + 12, v + 20);
            }
        }
        // A few stars.
        for (int s = 0; s < 20; ++s)
            frame.setPixel(int(random() % unsigned(width)), int(random() % unsigned(height)), qRgb(250, 250, 250));
    }
    return frames;
}

void BM_WebcamPipeline(benchmark::State& state)
{
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    const std::array<QImage, kFrameCount> frames = syntheticFrames(width, height);
    CITextLayer stamp;
    WebcamPipeline pipeline;
    pipeline.setTextLayer(&stamp);
    pipeline.setOverlays(OverlayPictures::load(DataPaths::bundleResourcesFolder()));
    WebcamPipeline::Controls& c = pipeline.controls();
    c.takeDarkFrame = true;
    pipeline.process(frames[0]);
    c.subDarkFrame = true;
    c.addFrame = true;
    c.numStack = 5;
    c.isFilterReset = false;
    c.colour = {.gamma = 0.8f, .hue = 0.1f, .saturation = 1.2f, .noise = 0.02f, .ev = 0.5f};
    c.isTime = true;
    c.isMark = true;
    c.isGrid = true;
    std::size_t n = 0;
    for (auto _ : state) {
        pipeline.setHasFocusImage(false);
        const auto result = pipeline.process(frames[n++ % kFrameCount]);
        benchmark::DoNotOptimize(result->image.constBits());
    }
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_WebcamPipeline)->Args({640, 480})->Args({1280, 960})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    pinToOneCore();
    return runBenchmarks(argc, argv);
}
