#include "solarsystem/planets/PlanetaryPass.h"
#include "solarsystem/planets/VSOP87Tables.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

constexpr double kSkyDate = 2460000.5;

// Every series of Mercury..Neptune and the Earth at full length.
void seriesFull(benchmark::State& state)
{
    double tau = 0.123;
    for (auto _ : state) {
        double sum = 0.0;
        for (const VSOP87Body& body : VSOP87Tables::ofDate)
            sum += body.longitude(tau) + body.latitude(tau) + body.radius(tau);
        benchmark::DoNotOptimize(sum);
        tau += 1e-9;
    }
}
BENCHMARK(seriesFull);

// The leading longitude terms only, as the shortened pass evaluates them.
void seriesLeading(benchmark::State& state)
{
    double tau = 0.123;
    for (auto _ : state) {
        double sum = 0.0;
        for (const VSOP87Body& body : VSOP87Tables::ofDate)
            sum += body.leadingLongitude(tau);
        benchmark::DoNotOptimize(sum);
        tau += 1e-9;
    }
}
BENCHMARK(seriesLeading);

void runPass(benchmark::State& state, double dayOffset, bool plotOnly)
{
    std::array<planet, 11> planets{};
    std::array<planetPath, 40> paths{};
    PlanetaryPass pass;
    PlanetaryPassRequest request;
    request.julianDay = kSkyDate;
    pass.run(request, planets, paths);  // leaves light-time distances behind
    request.dayOffset = dayOffset;
    request.plotOnly = plotOnly;
    for (auto _ : state) {
        benchmark::DoNotOptimize(pass.run(request, planets, paths));
        request.julianDay += 1e-6;
    }
}

void fullPass(benchmark::State& state)
{
    runPass(state, 0.0, false);
}
BENCHMARK(fullPass);

void shortenedPass(benchmark::State& state)
{
    runPass(state, 10.0, false);
}
BENCHMARK(shortenedPass);

void plotOnlyPass(benchmark::State& state)
{
    runPass(state, 10.0, true);
}
BENCHMARK(plotOnlyPass);

}  // namespace
