// The first opening of the preferences window as the user meets it, on a
// screen scaled by half again: from Preferences... in the menu until the
// window is shown, laid out and painted, the main thread held all along.
// The program is launched first, its chart shown, as the user sees it
// before; the preferences window is the first of its kind this process
// shows (nothing of it warmed by an earlier opening). Target: under
// 100 ms. Run it under an X display (QT_QPA_PLATFORM=xcb, Xvfb will do) for
// the window system's part; it runs offscreen otherwise.
#include "BenchMain.h"
#include "ShippedProgram.h"

#include "app/ChartAssembly.h"
#include "app/PrefWindowLink.h"
#include "chart/SkyView.h"
#include "chart/SkyWindow.h"
#include "prefs/CityDataSource.h"
#include "prefs/PrefWindow.h"
#include "prefs/PrefWindowControl.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWindow>

#include <memory>

namespace {

constexpr char kScale[] = "1.5";

struct Program : ShippedProgram {
    bool setUp()
    {
        if (!installDataFolder())
            return false;
        CityDataSource cities(folders.databaseDirectory, folders.buildDirectory);
        for (const int tag : {CityDataSource::kUSTag, CityDataSource::kWorldTag}) {
            if (!cities.model(tag)->rebuildCache())
                return false;
        }
        return true;
    }
    ChartAssembly::Folders chartFolders() const
    {
        return {DataPaths::bundleDataFolder(), root.path() + "/Norvane Pro", DataPaths::bundleResourcesFolder()};
    }
};

Program* g_program = nullptr;

// Runs the events the showing posted (layout, exposure, painting) until the
// window is exposed and none is left.
void finishShowing(QWidget& window)
{
    QElapsedTimer waited;
    waited.start();
    do
        QCoreApplication::processEvents();
    while ((!window.windowHandle() || !window.windowHandle()->isExposed()) && waited.elapsed() < 10000);
    QCoreApplication::processEvents();
}

// Launches the program and shows its chart, as the user starts it.
bool launch(ChartAssembly& chart)
{
    if (!chart.awakeFromNib())
        return false;
    chart.show();
    QElapsedTimer waited;
    waited.start();
    while (!chart.skyWindow().skyView().hasLaunched() && waited.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    // The chart's first frames painted.
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    return chart.skyWindow().skyView().hasLaunched();
}

void BM_FirstPreferencesOpen(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto chart = std::make_unique<ChartAssembly>(g_program->chartFolders());
        if (!launch(*chart)) {
            state.SkipWithError("the program did not launch");
            return;
        }
        state.ResumeTiming();
        chart->prefWindowLink().showTab(PrefWindow::kSetup);
        finishShowing(chart->prefWindow().window());
        state.PauseTiming();
        chart.reset();
        state.ResumeTiming();
    }
}
// Once: a second opening in the same process would find everything warm.
BENCHMARK(BM_FirstPreferencesOpen)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", kScale);
    BenchApplication app(argc, argv);
    pinToOneCore();
    return runOverShippedData(g_program, argc, argv);
}
