// One date step of the solar-system window with its redraw: a day-step
// button moves the window's date on by a day, the shortened planetary pass
// recomputes the plot longitudes, and the 800 x 600 plot is painted with
// planet and comet names on and a shipped comet selected, so its orbit is
// solved on the redraw too. Each iteration steps to a new date. Target: under
// 16 ms, a frame of a 60 Hz display.
#include "BenchMain.h"
#include "ShippedProgram.h"

#include "model/ObjectIndex.h"
#include "solarsystem/SolarSystemModel.h"
#include "solarsystem/window/SSDrawer.h"
#include "solarsystem/window/SSModelLink.h"
#include "solarsystem/window/SSView.h"
#include "solarsystem/window/SSWindow.h"

namespace {

// The program's objects the window works with, over a fresh data folder.
struct Program : ShippedProgram {
    SolarSystemModel solarSystem{model, prefs, skyDate};
    SSModelLink link{solarSystem};
    std::unique_ptr<SSWindow> window;

    bool setUp()
    {
        if (!loadAtWinterEvening() || model.comets().empty())
            return false;
        window = std::make_unique<SSWindow>(prefs, skyDate, link, DataPaths::bundleResourcesFolder());
        window->ssView().resize(800, 600);
        // The inner planets, the belt and the comet's orbit in view; every name on.
        window->ssView().setZoom(3.0f);
        if (!prefs.isPlanetNames())
            prefs.setIsPlanetNames();
        if (!prefs.isCometNames())
            prefs.setIsCometNames();
        prefs.setFindIndex(kCometIndexBase);
        return true;
    }
};

Program* g_program = nullptr;

void BM_DateStepWithRedraw(benchmark::State& state)
{
    SSView& view = g_program->window->ssView();
    SSDrawer& drawer = g_program->window->ssDrawer();
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    constexpr int kOneDayTag = 1;
    for (auto _ : state) {
        drawer.timeControl(kOneDayTag, 1.0);
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["extraDays"] = drawer.extraDays();
}
BENCHMARK(BM_DateStepWithRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    BenchApplication app(argc, argv);
    return runOverShippedData(g_program, argc, argv);
}
