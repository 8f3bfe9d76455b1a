// The photographic horizon as the user meets it on a 1920 x 1080 chart with a
// 90° view: the shipped home-site panorama rendered off screen for a view
// that turns and tilts at every frame, the frame read back for the chart
// (BM_RenderMovingView); and the first frame after a change of site, which
// decodes the panorama, samples its horizon and uploads it before rendering
// (BM_SiteChange). Needs an X display with OpenGL (Mesa's software renderer
// will do): xvfb-run -a -s "-screen 0 1920x1080x24" build-rel/bin/bench_photo_horizon
#include "ShippedProgram.h"

#include "chart/photohorizon/OpenGLView.h"
#include "model/projection/ViewScale.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr double kViewAngle = 90.0;
// Per frame: a brisk pan with a slow nod.
constexpr double kAzimuthStep = 1.7;
constexpr double kNodPeriod = 97.0;

struct Program : BenchSettings {
    std::unique_ptr<OpenGLView> view;
    double radius = 0.0;
    long frame = 0;

    bool setUp()
    {
        const auto scale = ViewScale::compute(QRectF(0, 0, kWidth, kHeight), kViewAngle);
        if (!scale)
            return false;
        radius = scale->radius;
        view = std::make_unique<OpenGLView>(
            prefs, OpenGLView::Links{DataPaths::bundleDataFolder() + "/Misc/", [this] { return radius; }, {}});
        return view->drawImage(kWidth, kHeight).has_value();
    }

    // The next frame's view: each one shows a new part of the panorama.
    void turn()
    {
        ++frame;
        prefs.setAzimuth(std::fmod(frame * kAzimuthStep, 360.0));
        prefs.setAltitude(10.0 + 15.0 * std::sin(frame * 2.0 * 3.14159265358979 / kNodPeriod));
    }
};

Program* g_program = nullptr;

void BM_RenderMovingView(benchmark::State& state)
{
    for (auto _ : state) {
        g_program->turn();
        std::optional<QImage> image = g_program->view->drawImage(kWidth, kHeight);
        if (!image) {
            state.SkipWithError("the render failed");
            break;
        }
        benchmark::DoNotOptimize(image->constBits());
    }
}
BENCHMARK(BM_RenderMovingView)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SiteChange(benchmark::State& state)
{
    for (auto _ : state) {
        g_program->turn();
        g_program->view->setTextureID(0, 0);
        std::optional<QImage> image = g_program->view->drawImage(kWidth, kHeight);
        if (!image) {
            state.SkipWithError("the render failed");
            break;
        }
        benchmark::DoNotOptimize(image->constBits());
    }
}
BENCHMARK(BM_SiteChange)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    BenchApplication app(argc, argv, BenchApplication::Display::X);
    Program program;
    if (!program.root.isValid() || !program.setUp()) {
        std::fprintf(stderr, "No OpenGL, or the shipped panorama could not be rendered.\n");
        return EXIT_FAILURE;
    }
    g_program = &program;
    return runBenchmarks(argc, argv);
}
