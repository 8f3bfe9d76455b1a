// Benchmarks of the full orbit file: its parse into the minor-planet table,
// the cache the import writes from it, and the positions of every orbit, on
// one operation and on all of them, each beside a floor that does the least
// such a job must do. The parse has two floors: splitting the file into
// lines in a fresh copy of its bytes, as the import reads it
// (BM_ParseFloorCopy), and in the file mapped into memory, which copies
// nothing (BM_ParseFloorMapped). The positions' floor evaluates one sine and
// cosine per orbit. The parse reads the mapped file, as the import does. The
// positions compute each orbit's constants on the way, as the program does
// for a table this large (it keeps none beside it).
// The import as the program's worker runs it (parse and, for a large table,
// the chart's first pass at the default limit) up to the table put in place,
// with the cache written after it apart, and the start's worker job that
// reads the cache back are timed whole; the import's peak memory is set
// beside the memory its table and watches keep (run it alone,
// --benchmark_filter=BM_ImportMemory, for a fresh heap); and a time step of
// the chart's pass at a magnitude limit (16.4, the default, and 30, where
// nothing is skipped), which computes only the bodies that can pass it.
//
// The file comes from tools/make_synthetic_mpcorb.py; its path is taken from
// the environment variable NORVANE_MPCORB, else "synthetic_MPCORB.DAT" in the
// working directory.

#include "platform/SafeWrite.h"
#include "solarsystem/smallbodies/MappedElementFile.h"
#include "solarsystem/smallbodies/MinorPlanetImporter.h"
#include "solarsystem/smallbodies/MinorPlanetOrbit.h"
#include "solarsystem/smallbodies/MinorPlanetTable.h"
#include "solarsystem/smallbodies/OrbitFileParse.h"
#include "solarsystem/smallbodies/ParallelMinorPlanets.h"
#include "solarsystem/smallbodies/SliceRunner.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string orbitFilePath()
{
    const char* path = std::getenv("NORVANE_MPCORB");
    return path ? path : "synthetic_MPCORB.DAT";
}

// As the program counts them (its processor count setting): only the
// processors this process may run on, so that a run pinned to one core
// times the threads the program would start there.
int allOperations()
{
    return SliceRunner::operationCount(QThread::idealThreadCount());
}

std::optional<QByteArray> readFile()
{
    QFile file(QString::fromStdString(orbitFilePath()));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

void skipWithoutFile(benchmark::State& state)
{
    state.SkipWithError(("no orbit file at " + orbitFilePath()
                         + "; write one with tools/make_synthetic_mpcorb.py and set NORVANE_MPCORB")
                            .c_str());
}

// The table every position benchmark starts from, parsed once.
const std::vector<minorPlanet>* orbitTable()
{
    static const std::optional<std::vector<minorPlanet>> table =
        []() -> std::optional<std::vector<minorPlanet>> {
        const std::optional<QByteArray> text = readFile();
        if (!text)
            return std::nullopt;
        return OrbitFileParse::parse(std::string_view(text->constData(), std::size_t(text->size())),
                                     true, allOperations())
            .minorPlanets;
    }();
    return table ? &*table : nullptr;
}

SmallBodyInputs passInputs()
{
    SmallBodyInputs in;
    in.julianDay = 2461055.5;  // 2026 January 15
    in.sunJ2000 = {0.407492907, -0.821444726, -0.356086911};
    in.latitude = 47.5;
    in.primeMeridian = 123.4;
    return in;
}

// One look at every byte, as fast as the C library goes.
std::size_t lineFeeds(const char* p, std::size_t size)
{
    std::size_t count = 0;
    const char* const end = p + size;
    while (const void* found = std::memchr(p, '\n', std::size_t(end - p))) {
        ++count;
        p = static_cast<const char*>(found) + 1;
    }
    return count;
}

void BM_ParseFloorCopy(benchmark::State& state)
{
    for (auto _ : state) {
        const std::optional<QByteArray> text = readFile();
        if (!text) {
            skipWithoutFile(state);
            return;
        }
        benchmark::DoNotOptimize(lineFeeds(text->constData(), std::size_t(text->size())));
    }
}

void BM_ParseFloorMapped(benchmark::State& state)
{
    for (auto _ : state) {
        QFile file(QString::fromStdString(orbitFilePath()));
        const uchar* bytes = file.open(QIODevice::ReadOnly) ? file.map(0, file.size()) : nullptr;
        if (!bytes) {
            skipWithoutFile(state);
            return;
        }
        benchmark::DoNotOptimize(lineFeeds(reinterpret_cast<const char*>(bytes), std::size_t(file.size())));
    }
}

// The cache "MinorPlanets.tvk" the import writes from the parsed table.
void BM_CacheWrite(benchmark::State& state)
{
    const std::vector<minorPlanet>* table = orbitTable();
    QTemporaryDir folder;
    if (!table || !folder.isValid()) {
        skipWithoutFile(state);
        return;
    }
    const QString path = folder.filePath("MinorPlanets.tvk");
    for (auto _ : state) {
        if (!MinorPlanetTable::writeCache(folder.path() + '/', *table)) {
            state.SkipWithError("the cache could not be written");
            return;
        }
    }
    state.counters["orbits"] = double(table->size());
    state.counters["MB"] = double(QFile(path).size()) / 1e6;
}

void BM_Parse(benchmark::State& state)
{
    const int operations = state.range(0) == 0 ? allOperations() : int(state.range(0));
    std::size_t orbits = 0;
    for (auto _ : state) {
        const MappedElementFile file(QString::fromStdString(orbitFilePath()));
        const std::optional<std::string_view> text = file.text();
        if (!text) {
            skipWithoutFile(state);
            return;
        }
        const OrbitFileParse::Result result = OrbitFileParse::parse(*text, true, operations);
        orbits = result.minorPlanets.size();
        benchmark::DoNotOptimize(result.minorPlanets.data());
    }
    state.counters["orbits"] = double(orbits);
    state.counters["operations"] = operations;
}

void BM_PositionsFloor(benchmark::State& state)
{
    const std::vector<minorPlanet>* source = orbitTable();
    if (!source) {
        skipWithoutFile(state);
        return;
    }
    std::vector<minorPlanet> table = *source;
    for (auto _ : state) {
        for (minorPlanet& m : table) {
            const double anomaly = m.meanAnomaly;
            m.vecX = std::cos(anomaly);
            m.vecY = std::sin(anomaly);
        }
        benchmark::ClobberMemory();
    }
    state.counters["orbits"] = double(table.size());
}

void BM_Positions(benchmark::State& state)
{
    const std::vector<minorPlanet>* source = orbitTable();
    if (!source) {
        skipWithoutFile(state);
        return;
    }
    const int operations = state.range(0) == 0 ? allOperations() : int(state.range(0));
    std::vector<minorPlanet> table = *source;
    const SmallBodyInputs in = passInputs();
    const MinorPlanetProjection noProjection;
    const std::function<void(double)> noProgress;
    for (auto _ : state) {
        NearEarthObject neo;
        ParallelMinorPlanets::run({table, in, 0.0, operations, neo, noProjection, noProgress});
        benchmark::ClobberMemory();
    }
    state.counters["orbits"] = double(table.size());
    state.counters["operations"] = operations;
}

// A build folder holding the orbit file as "MPCORB.DAT", and a database
// folder for the cache; false without the file.
bool importFolders(QTemporaryDir& build, QTemporaryDir& database)
{
    const QFileInfo file(QString::fromStdString(orbitFilePath()));
    return build.isValid() && database.isValid() && file.exists()
           && QFile::link(file.absoluteFilePath(), build.filePath(MinorPlanetTable::kOrbitFile));
}

MinorPlanetTable::Request importRequest(bool rebuild, int operations)
{
    MinorPlanetTable::Request request;
    request.rebuild = rebuild;
    request.useOrbitFile = true;
    request.allOrbits = true;
    request.processorCount = operations;
    return request;
}

MinorPlanetTable::Result import(const QTemporaryDir& build, const QTemporaryDir& database, bool rebuild,
                                int operations, std::vector<minorPlanet>& table)
{
    return MinorPlanetTable::createMinorPlanetData(importRequest(rebuild, operations), build.path() + '/',
                                                   database.path() + '/', table);
}

// The worker's job of the "reprocess" import, as SmallBodyTables::orbitFileImport
// makes it: parse and the first pass at the default
// limit with both lists shown.
MinorPlanetFirstPass::Moment firstPassMoment(int operations)
{
    MinorPlanetFirstPass::Moment moment{passInputs(), {}};
    moment.in.numCores = operations;
    moment.filter.limit = 16.4;
    moment.filter.showMP = true;
    moment.filter.showNEO = true;
    return moment;
}

MinorPlanetImporter::Work importJob(const QTemporaryDir& build, int operations)
{
    return MinorPlanetImporter::orbitFile(importRequest(true, operations), build.path() + '/',
                                          firstPassMoment(operations));
}

// The "reprocess" import: the worker's job, the table then put in place;
// the cache written after it is timed apart (cacheMs).
void BM_Import(benchmark::State& state)
{
    const int operations = state.range(0) == 0 ? allOperations() : int(state.range(0));
    QTemporaryDir build;
    QTemporaryDir database;
    if (!importFolders(build, database)) {
        skipWithoutFile(state);
        return;
    }
    const MinorPlanetImporter::Work job = importJob(build, operations);
    std::vector<minorPlanet> table;
    double cacheSeconds = 0.0;
    for (auto _ : state) {
        MinorPlanetTable::Import import = job({}, {});
        if (MinorPlanetTable::adopt(import, table).status != MinorPlanetTable::Status::Built) {
            state.SkipWithError("the import failed");
            return;
        }
        benchmark::DoNotOptimize(import.watches.data());
        state.PauseTiming();
        const auto start = std::chrono::steady_clock::now();
        const bool cached = MinorPlanetTable::writeCache(database.path() + '/', table);
        cacheSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.ResumeTiming();
        if (!cached) {
            state.SkipWithError("the cache could not be written");
            return;
        }
    }
    state.counters["orbits"] = double(table.size());
    state.counters["operations"] = operations;
    state.counters["cacheMs"] = 1000.0 * cacheSeconds / double(state.iterations());
}

// A line "key: <n> kB" of /proc/self/status, in megabytes; 0 when absent.
double statusMegabytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key + ':', 0) == 0)
            return std::atof(line.c_str() + key.size() + 1) / 1e3;
    }
    return 0.0;
}

// Once, into an empty table: the resident memory the import needed at its
// peak and what stays resident for the table and its watches, both above
// what the process held before. Linux forgets the earlier peak on "5"
// written to clear_refs.
void BM_ImportMemory(benchmark::State& state)
{
    const int operations = state.range(0) == 0 ? allOperations() : int(state.range(0));
    QTemporaryDir build;
    QTemporaryDir database;
    if (!importFolders(build, database)) {
        skipWithoutFile(state);
        return;
    }
    const double before = statusMegabytes("VmRSS");
    if (!SafeWrite::append(QStringLiteral("/proc/self/clear_refs"), "5", SafeWrite::Append::Existing).isEmpty()) {
        state.SkipWithError("the peak memory could not be reset");
        return;
    }
    const MinorPlanetImporter::Work job = importJob(build, operations);
    double settled = 0.0;
    double peak = 0.0;
    for (auto _ : state) {
        std::vector<minorPlanet> table;
        MinorPlanetTable::Import import = job({}, {});
        if (MinorPlanetTable::adopt(import, table).status != MinorPlanetTable::Status::Built) {
            state.SkipWithError("the import failed");
            return;
        }
        settled = statusMegabytes("VmRSS") - before;
        peak = statusMegabytes("VmHWM") - before;
    }
    state.counters["settledMB"] = settled;
    state.counters["peakMB"] = peak;
    state.counters["peakBySettled"] = settled > 0.0 ? peak / settled : 0.0;
}

// A start's worker job with a large cache, as SmallBodyTables makes it once
// the chart shows: the cache read back and the chart's first pass (bench_launch times the start).
void BM_Start(benchmark::State& state)
{
    const int operations = state.range(0) == 0 ? allOperations() : int(state.range(0));
    QTemporaryDir build;
    QTemporaryDir database;
    std::vector<minorPlanet> table;
    if (!importFolders(build, database)
        || import(build, database, true, operations, table).status != MinorPlanetTable::Status::Built) {
        skipWithoutFile(state);
        return;
    }
    const MinorPlanetFirstPass::Moment moment = firstPassMoment(operations);
    for (auto _ : state) {
        MinorPlanetTable::Import loaded = MinorPlanetTable::loadCache(database.path() + '/');
        if (loaded.result.status != MinorPlanetTable::Status::Loaded) {
            state.SkipWithError("the cache did not load");
            return;
        }
        MinorPlanetFirstPass::make(loaded, moment, {});
        benchmark::DoNotOptimize(loaded.watches.data());
    }
    state.counters["orbits"] = double(table.size());
}

// One-minute time steps of the chart's pass at the limit (argument: tenths
// of a magnitude), its bodies' watches and kept orbits carried from step to step; the
// projection is left to the chart's benchmark.
void BM_TimeStep(benchmark::State& state)
{
    const std::vector<minorPlanet>* source = orbitTable();
    if (!source) {
        skipWithoutFile(state);
        return;
    }
    std::vector<minorPlanet> table = *source;
    std::vector<MinorPlanetWatch> watches = MinorPlanetFirstPass::freshWatches(table);
    SmallBodyInputs in = passInputs();
    const MinorPlanetProjection noProjection;
    const std::function<void(double)> noProgress;
    ParallelMinorPlanets::Gate gate{watches, double(state.range(0)) / 10.0, true, true, std::nullopt, std::nullopt, 1};
    std::vector<ParallelMinorPlanets::KeptOrbit> keptOrbits;
    gate.keptOrbits = &keptOrbits;
    NearEarthObject neo;
    // The first full pass, as the chart's first frame makes it.
    ParallelMinorPlanets::run({table, in, 0.0, 1, neo, noProjection, noProgress, {}, &gate});
    std::size_t computed = 0;
    for (auto _ : state) {
        in.julianDay += 1.0 / 1440.0;
        ++gate.generation;
        ParallelMinorPlanets::run({table, in, 0.0, 1, neo, noProjection, noProgress, {}, &gate});
        state.PauseTiming();
        for (const MinorPlanetWatch& w : watches)
            computed += w.generation == gate.generation ? 1 : 0;
        state.ResumeTiming();
    }
    state.counters["orbits"] = double(table.size());
    state.counters["computed"] = double(computed) / double(state.iterations());
}

// Argument 0 stands for all operations: the processors the process may run on, at most 8.
BENCHMARK(BM_ParseFloorCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ParseFloorMapped)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Parse)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CacheWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PositionsFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Positions)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Import)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportMemory)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Start)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TimeStep)->Arg(164)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
