// A second start of the whole program, from the making of its objects to the
// first finished paint of the sky: the per-user data folder and its caches
// are already there; once more with the minor-planet cache of a whole orbit
// file, whose path is taken from NORVANE_MPCORB (tools/make_synthetic_mpcorb.py
// writes one). Run it on a real display (xvfb-run) or offscreen.
#include "BenchMain.h"

#include "app/ChartAssembly.h"
#include "chart/SkyView.h"
#include "platform/DataPaths.h"
#include "solarsystem/SolarSystemModel.h"
#include "solarsystem/smallbodies/MinorPlanetTable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QEventLoop>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// Ends `loop` once the chart view has been painted with the sky.
class SkyPaintWatch final : public QObject {
public:
    SkyPaintWatch(SkyView& view, QEventLoop& loop) : m_view(view), m_loop(loop)
    {
        view.installEventFilter(this);
    }
    bool painted() const { return m_painted; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // Seen before the paint; the loop ends after it.
        if (event->type() == QEvent::Paint && m_view.hasLaunched() && !m_painted) {
            m_painted = true;
            QTimer::singleShot(0, &m_loop, &QEventLoop::quit);
        }
        return false;
    }

private:
    SkyView& m_view;
    QEventLoop& m_loop;
    bool m_painted = false;
};

struct Start {
    double toSky = 0.0;           // seconds to the first paint of the sky
    double toMinorPlanets = 0.0;  // seconds until a chart pass went over the minor planets
};

// One start, its closing not counted; none when it did not reach the sky.
std::optional<Start> startToSky(const ChartAssembly::Folders& folders)
{
    QElapsedTimer timer;
    timer.start();
    ChartAssembly program(folders);
    if (!program.awakeFromNib())
        return std::nullopt;
    QEventLoop loop;
    SkyPaintWatch watch(program.skyWindow().skyView(), loop);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    program.show();
    loop.exec();
    if (!watch.painted())
        return std::nullopt;
    Start start{double(timer.nsecsElapsed()) * 1e-9};
    // Its chart pass is made as it takes its place.
    const SmallBodyTables& smallBodies = program.solarSystemModel().smallBodies();
    if (smallBodies.isLoadingApart()) {
        // The event loop sleeps between looks, as the program's would.
        QEventLoop arrival;
        QTimer look;
        look.callOnTimeout([&] {
            if (!smallBodies.isLoadingApart() || timer.elapsed() > 60000)
                arrival.quit();
        });
        look.start(5);
        arrival.exec();
    }
    start.toMinorPlanets = double(timer.nsecsElapsed()) * 1e-9;
    return start;
}

ChartAssembly::Folders g_folders;

// Also counted: when the first chart pass over the minor planets was made
// (a large table's arrives after the sky shows).
void BM_SecondStartToFirstSkyPaint(benchmark::State& state)
{
    double minorPlanetsAt = 0.0;
    for (auto _ : state) {
        const std::optional<Start> start = startToSky(g_folders);
        if (!start) {
            state.SkipWithError("the launch did not reach the sky");
            return;
        }
        state.SetIterationTime(start->toSky);
        minorPlanetsAt += start->toMinorPlanets;
    }
    state.counters["minor_planets_ms"] = 1000.0 * minorPlanetsAt / double(state.iterations());
}
BENCHMARK(BM_SecondStartToFirstSkyPaint)->UseManualTime()->Unit(benchmark::kMillisecond);

// The cache an "all orbits" import of the file makes, in the user's database
// folder; false without the file.
bool writeOrbitCache(const QString& databaseDirectory)
{
    const char* path = std::getenv("NORVANE_MPCORB");
    QTemporaryDir build;
    if (!path || !build.isValid()
        || !QFile::link(QString::fromLocal8Bit(path), build.filePath(MinorPlanetTable::kOrbitFile)))
        return false;
    MinorPlanetTable::Request request;
    request.rebuild = request.useOrbitFile = request.allOrbits = true;
    return MinorPlanetTable::importOrbitFile(request, build.path() + "/", databaseDirectory).result.status
           == MinorPlanetTable::Status::Built;
}

void BM_SecondStartToFirstSkyPaintWithOrbits(benchmark::State& state)
{
    const QString database = g_folders.userData + "/Database/";
    if (!writeOrbitCache(database)) {
        state.SkipWithError("no orbit file: set NORVANE_MPCORB");
        return;
    }
    BM_SecondStartToFirstSkyPaint(state);
    QFile::remove(database + MinorPlanetTable::kCacheFile);
}
BENCHMARK(BM_SecondStartToFirstSkyPaintWithOrbits)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication::setOrganizationName("Norvane");
    QApplication::setApplicationName("Norvane Pro");
    QApplication::setApplicationVersion(NORVANE_VERSION);
    QApplication app(argc, argv);
    const double applicationMs = double(sinceMain.nsecsElapsed()) * 1e-6;

    // Never the user's own settings or data folder.
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir root;
    if (!root.isValid())
        return EXIT_FAILURE;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root.path());
    g_folders = {DataPaths::bundleDataFolder(), root.path() + "/Norvane Pro",
                 DataPaths::bundleResourcesFolder()};

    // The first start installs the folder and builds the caches.
    QElapsedTimer first;
    first.start();
    if (!startToSky(g_folders))
        return EXIT_FAILURE;
    std::printf("QApplication construction: %.1f ms; first start (install and build): %.1f ms\n",
                applicationMs, double(first.nsecsElapsed()) * 1e-6);

    return runBenchmarks(argc, argv);
}
