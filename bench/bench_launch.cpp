// The start a user waits for: the program binary started as a process, from
// exec to its first painted chart frame (it says so on standard output),
// the dynamic loading of its libraries and QApplication included. A first
// start installs the data folder in a fresh home; later starts find it
// there; once more with the minor-planet cache of a whole orbit file, whose
// path is taken from NORVANE_MPCORB (tools/make_synthetic_mpcorb.py writes
// one). Run it on a real display (xvfb-run) or offscreen; the program runs on
// the bench's one core.
#include "ProgramProcess.h"

#include "platform/DataPaths.h"
#include "solarsystem/smallbodies/MinorPlanetTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

// What the starts of one benchmark had at their first chart, summed.
struct Totals {
    double libraries = 0.0;
    double cpuSeconds = 0.0;

    void report(benchmark::State& state) const
    {
        const double runs = double(state.iterations());
        state.counters["libraries"] = libraries / runs;
        // The processor time to the first chart: on a loaded machine the
        // wall time stretches, this does not.
        state.counters["cpu_ms"] = 1000.0 * cpuSeconds / runs;
    }
};

// One start to the first chart in `home`, counted into `totals`.
bool timeStart(benchmark::State& state, const std::string& home, Totals& totals)
{
    ProgramProcess program(ProgramProcess::program(), home, false);
    const std::optional<double> seconds = program.waitForFirstChart();
    if (!seconds) {
        state.SkipWithError("the program did not reach its first chart");
        return false;
    }
    state.SetIterationTime(*seconds);
    totals.libraries += double(program.libraryCount().value_or(0));
    totals.cpuSeconds += program.cpuSeconds().value_or(0.0);
    return true;
}

// Every start in a fresh home: the data folder is installed first.
void BM_FirstStartToFirstChart(benchmark::State& state)
{
    Totals totals;
    for (auto _ : state) {
        QTemporaryDir home(QString::fromStdString(benchHome()) + "/first-XXXXXX");
        if (!home.isValid() || !timeStart(state, home.path().toStdString(), totals))
            return;
    }
    totals.report(state);
}
BENCHMARK(BM_FirstStartToFirstChart)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SecondStartToFirstChart(benchmark::State& state)
{
    Totals totals;
    for (auto _ : state) {
        if (!timeStart(state, benchHome(), totals))
            return;
    }
    totals.report(state);
}
BENCHMARK(BM_SecondStartToFirstChart)->UseManualTime()->Unit(benchmark::kMillisecond);

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

void BM_SecondStartToFirstChartWithOrbits(benchmark::State& state)
{
    // The bench's own home is the program's second home, so its data folder is the program's.
    const QString database = DataPaths::userDataFolder() + "/Database/";
    if (!writeOrbitCache(database)) {
        state.SkipWithError("no orbit file: set NORVANE_MPCORB");
        return;
    }
    BM_SecondStartToFirstChart(state);
    QFile::remove(database + MinorPlanetTable::kCacheFile);
}
BENCHMARK(BM_SecondStartToFirstChartWithOrbits)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return runProgramBenchmarks(argc, argv);
}
