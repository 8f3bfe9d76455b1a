// The autoguider's work on the main thread: one guide step at 640 × 480
// (the centroid in the box around the lock position, the rotation into the
// mount's axes and a pulse to the mount), and the longest single piece of
// work a whole calibration puts on the event loop (each timer firing: a
// frame, a calibration step), against the simulated sky and mount.
#include "BenchMain.h"

#include "camera/GuideSky.h"
#include "camera/guide/WebcamGuide.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <chrono>

namespace {

GuideSky::Options sky640()
{
    GuideSky::Options options;
    options.width = 640;
    options.height = 480;
    options.startX = 300;
    options.startY = 220;
    options.angleDegrees = 35;
    options.noise = 8;
    options.protocol = GuideMount::kPulseProtocol;
    return options;
}

struct CalibratedGuide {
    CalibratedGuide() : sky(clock, sky640())
    {
        guide.setFrameSource(&sky);
        guide.setMount(&sky);
        guide.centroid().setGuideBuff(true);
        guide.guideAction(1, false);
        for (int i = 0; i < 2000 && (guide.isCalibrating() || !guide.isCalibrated()); ++i)
            clock.advance(100);
    }
    ManualClock clock;
    GuideSky sky;
    WebcamGuide guide{clock};
};

void BM_GuideStep(benchmark::State& state)
{
    CalibratedGuide setup;
    WebcamGuide& guide = setup.guide;
    if (!guide.isCalibrated()) {
        state.SkipWithError("the calibration failed");
        return;
    }
    setup.clock.advance(200);
    if (!guide.guide(true)) {
        state.SkipWithError("no guide star");
        return;
    }
    const GuidePoint star = guide.clickPt();
    int i = 0;
    for (auto _ : state) {
        // The last correction ends and a new frame comes; the lock moves so
        // that every step corrects.
        setup.clock.advance(1500);
        setup.sky.setHasFocusImage(true);
        guide.setClickPt({star.x + float(i % 3) - 2.5f, star.y + 1.0f});
        ++i;
        const auto start = std::chrono::steady_clock::now();
        const bool stepped = guide.guide(false);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (!stepped)
            state.SkipWithError("the guide step measured nothing");
    }
}
BENCHMARK(BM_GuideStep)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The longest single timer firing of a calibration, as iteration time.
void BM_CalibrationStall(benchmark::State& state)
{
    for (auto _ : state) {
        ManualClock clock;
        GuideSky sky(clock, sky640());
        WebcamGuide guide(clock);
        guide.setFrameSource(&sky);
        guide.setMount(&sky);
        guide.centroid().setGuideBuff(true);
        guide.guideAction(1, false);
        qint64 longest = 0;
        QElapsedTimer firing;
        for (int i = 0; i < 2000 && (guide.isCalibrating() || !guide.isCalibrated()); ++i) {
            firing.start();
            clock.advance(50);
            longest = std::max(longest, firing.nsecsElapsed());
        }
        if (!guide.isCalibrated())
            state.SkipWithError("the calibration failed");
        state.SetIterationTime(double(longest) / 1e9);
    }
}
BENCHMARK(BM_CalibrationStall)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    pinToOneCore();
    return runBenchmarks(argc, argv);
}
