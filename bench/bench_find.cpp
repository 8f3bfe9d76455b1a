// The finder's searches when nothing matches, the case that costs most: the
// panel's partial pass (every name field of every catalogue compared) ending
// in a cache look-up, and the window-less search ending the same way, over
// the shipped sky.
#include "ShippedSky.h"

#include "find/FindObjects.h"
#include "find/SimbadLookup.h"
#include "model/prefs/PrefControl.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

// One finder over the shipped sky; its cache folder is empty, so every miss
// also looks for a cached answer, and no service is set, so none is asked.
struct Finder {
    Finder() : lookup(misc.path() + "/", {}), finder(sky, prefs, lookup, {}) {}

    ShippedSky sky;
    QTemporaryDir misc;
    NoGamma gamma;
    PrefControl prefs{gamma};
    SimbadLookup lookup;
    FindObjects finder;
};

Finder& shared()
{
    static Finder f;
    return f;
}

// Names that match nothing, different each time so no answer is reused.
QString missingName(std::int64_t i)
{
    return QStringLiteral("Qzx%1").arg(i % 1000);
}

void BM_PanelSearchMiss(benchmark::State& state)
{
    Finder& f = shared();
    std::int64_t i = 0;
    for (auto _ : state)
        f.finder.findObjectName(missingName(i++));
    if (!f.finder.panelState().resultText.endsWith(" can not be found."))
        state.SkipWithError("the search found something");
    state.counters["records"] = double(f.sky.records());
}
BENCHMARK(BM_PanelSearchMiss)->Unit(benchmark::kMillisecond);

void BM_WindowLessMiss(benchmark::State& state)
{
    Finder& f = shared();
    std::int64_t i = 0;
    for (auto _ : state)
        if (f.finder.findVoiceName(missingName(i++)) != findResultNotFound)
            state.SkipWithError("the search found something");
    state.counters["records"] = double(f.sky.records());
}
BENCHMARK(BM_WindowLessMiss)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
