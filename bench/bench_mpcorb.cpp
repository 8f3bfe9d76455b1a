// Benchmarks of the full orbit file: its parse into the minor-planet table,
// the cache the import writes from it, and the positions of every orbit, on
// one operation and on all of them, each beside a floor that does the least
// such a job must do. The parse has two floors: splitting the file into
// lines in a fresh copy of its bytes, as the import reads it
// (BM_ParseFloorCopy), and in the file mapped into memory, which copies
// nothing (BM_ParseFloorMapped). The positions' floor evaluates one sine and
// cosine per orbit.
//
// The file comes from tools/make_synthetic_mpcorb.py; its path is taken from
// the environment variable NORVANE_MPCORB, else "synthetic_MPCORB.DAT" in the
// working directory.

#include "model/records/TvkFile.h"
#include "solarsystem/smallbodies/ElementFile.h"
#include "solarsystem/smallbodies/OrbitFileParse.h"
#include "solarsystem/smallbodies/ParallelMinorPlanets.h"
#include "solarsystem/smallbodies/SliceRunner.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string orbitFilePath()
{
    const char* path = std::getenv("NORVANE_MPCORB");
    return path ? path : "synthetic_MPCORB.DAT";
}

int allOperations()
{
    return SliceRunner::operationCount(int(std::thread::hardware_concurrency()));
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
        if (!TvkFile::save<minorPlanet>(path, *table)) {
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
        const std::optional<QByteArray> text = readFile();
        if (!text) {
            skipWithoutFile(state);
            return;
        }
        benchmark::DoNotOptimize(ElementFile::isAscii(*text));
        const OrbitFileParse::Result result = OrbitFileParse::parse(
            std::string_view(text->constData(), std::size_t(text->size())), true, operations);
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

// Argument 0 stands for all operations: the processor count, at most 8.
BENCHMARK(BM_ParseFloorCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ParseFloorMapped)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Parse)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CacheWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PositionsFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Positions)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
