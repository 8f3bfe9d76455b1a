// The guide-star measurement as the guider meets it: a fresh noisy frame with
// the star somewhere new each time, measured in the box around the lock
// position (guiding) and by a whole-frame search (calibration, guide start),
// at 640 × 480 and 1280 × 960. Each call is timed alone (the camera's
// refill of its buffer is not counted). A call must not allocate: the count
// of allocations during the calls is checked.
#include "BenchMain.h"

#include "camera/TestFrame.h"
#include "camera/guide/StarCentroid.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <random>

namespace {

std::atomic<long> allocations = 0;

// Frames with noise and a star at a different place in each.
struct Frames {
    Frames(int width, int height) : frame(width, height)
    {
        std::mt19937 random(7);
        std::normal_distribution<double> noise(20.0, 4.0);
        for (int i = 0; i < kCount; ++i) {
            TestFrame painted(width, height);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x)
                    painted.set(x, y, std::clamp(int(noise(random)), 0, 255));
            }
            const GuidePoint star{float(width / 2 + (i % 7) - 3) + 0.3f, float(height / 2 + (i % 5) - 2) + 0.6f};
            painted.addStar(star.x, star.y, 150, 1.8);
            pictures.push_back(std::vector<quint8>(painted.focusBuff(), painted.focusBuff() + width * height));
            stars.push_back(star);
        }
        centroid.setFrameSource(&frame);
        centroid.setGuideBuff(true);
        centroid.starCentroid({});
    }
    // Puts picture `i` into the camera's buffer.
    void show(int i) { frame.assign(pictures[size_t(i % kCount)]); }

    static constexpr int kCount = 16;
    TestFrame frame;
    StarCentroid centroid;
    std::vector<std::vector<quint8>> pictures;
    std::vector<GuidePoint> stars;
};

void measure(benchmark::State& state, bool hinted)
{
    Frames frames(int(state.range(0)), int(state.range(1)));
    int i = 0;
    long allocated = 0;
    for (auto _ : state) {
        frames.show(i);
        const GuidePoint hint = hinted ? GuidePoint{frames.stars[size_t(i % Frames::kCount)].x + 2, 
                                                   frames.stars[size_t(i % Frames::kCount)].y - 1}
                                       : GuidePoint{};
        const long before = allocations;
        const auto start = std::chrono::steady_clock::now();
        const GuidePoint star = frames.centroid.starCentroid(hint);
        benchmark::DoNotOptimize(star);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        allocated += allocations - before;
        if (star.isZero())
            state.SkipWithError("no star measured");
        ++i;
    }
    if (allocated != 0)
        state.SkipWithError("a measurement allocated memory");
}

void BM_CentroidHinted(benchmark::State& state)
{
    measure(state, true);
}
BENCHMARK(BM_CentroidHinted)->Args({640, 480})->Args({1280, 960})->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_CentroidWholeFrame(benchmark::State& state)
{
    measure(state, false);
}
BENCHMARK(BM_CentroidWholeFrame)->Args({640, 480})->Args({1280, 960})->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    pinToOneCore();
    return runBenchmarks(argc, argv);
}
