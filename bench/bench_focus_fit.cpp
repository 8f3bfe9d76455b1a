// An autofocus run as a camera feeds it: 7 positions x 3 samples on
// 1280 x 960 focus frames, each a noisy sky with one star whose width
// follows the defocus. One measurement (the full scan for the brightest
// pixel, the box, the half-flux radius) per frame in turn, and the fit of
// the 21 samples. Targets on one core: a measurement under 1 ms, the fit
// under 50 us.
#include "BenchMain.h"

#include "focus/LapackFocusCurveFit.h"
#include "focus/StarMeasure.h"

#include <QCoreApplication>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 960;
constexpr int kPositions = 7;
constexpr int kSamples = 3;
constexpr int kStep = 100;
constexpr int kFirst = 2650;
constexpr int kBest = 3000;

struct Frame {
    std::vector<quint8> pixels;
    int position;
};

std::vector<Frame> makeRun()
{
    std::mt19937 random(11);
    std::normal_distribution<double> sky(12.0, 3.0);
    std::vector<Frame> frames;
    for (int j = 0; j < kPositions; ++j) {
        const int position = kFirst + j * kStep;
        const double sigma = std::hypot(1.5, (position - kBest) / 80.0);
        for (int k = 0; k < kSamples; ++k) {
            Frame frame{std::vector<quint8>(size_t(kWidth) * kHeight), position};
            // The star wanders a little between frames, as seeing moves it.
            const double cx = 700.0 + 3.0 * k + j;
            const double cy = 410.0 - 2.0 * k;
            for (int y = 0; y < kHeight; ++y) {
                for (int x = 0; x < kWidth; ++x) {
                    const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                    const double v = sky(random) + 220.0 * std::exp(-d2 / (2 * sigma * sigma));
                    frame.pixels[size_t(x + y * kWidth)] = quint8(std::clamp(v, 0.0, 255.0));
                }
            }
            frames.push_back(std::move(frame));
        }
    }
    return frames;
}

const std::vector<Frame>& run()
{
    static const std::vector<Frame> frames = makeRun();
    return frames;
}

void measurement(benchmark::State& state)
{
    const std::vector<Frame>& frames = run();
    size_t next = 0;
    for (auto _ : state) {
        const Frame& frame = frames[next];
        next = (next + 1) % frames.size();
        StarSize star = StarMeasure::measure({frame.pixels, kWidth, kHeight});
        benchmark::DoNotOptimize(star);
    }
}
BENCHMARK(measurement)->Unit(benchmark::kMicrosecond);

void fit(benchmark::State& state)
{
    std::vector<FocusSample> samples;
    for (const Frame& frame : run()) {
        const StarSize star = StarMeasure::measure({frame.pixels, kWidth, kHeight});
        samples.push_back({quint16(frame.position), star.starArea, star.halfFluxRadius});
    }
    for (auto _ : state) {
        auto result = LapackFocusCurveFit::fit(samples, 7000.0);
        benchmark::DoNotOptimize(result);
    }
    const auto result = LapackFocusCurveFit::fit(samples, 7000.0);
    state.counters["best"] = result ? result->bestFocus : -1;
}
BENCHMARK(fit)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    pinToOneCore();
    return runBenchmarks(argc, argv);
}
