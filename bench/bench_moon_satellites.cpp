#include "solarsystem/moons/JupiterSatellites.h"
#include "solarsystem/moons/MoonStep.h"
#include "solarsystem/moons/SaturnSatellites.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr double kDeg = 0.0174532925199433;

// One Moon step of a full planetary pass.
void BM_Moon(benchmark::State& state)
{
    MoonStep::Input input{-0.077221081451, 0.004610 * kDeg, std::cos(23.440636 * kDeg), std::sin(23.440636 * kDeg),
                          200.0 * kDeg, 150.0, 50.0, true};
    planet moon{};
    planet shadow{};
    shadow.ra = 1.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MoonStep::calculateMoon(input, moon, shadow));
        input.T += 1e-9;
    }
}
BENCHMARK(BM_Moon);

JupiterSatelliteInput jupiter()
{
    return {2448972.50068, 846.89, true, 3.34761899273, 0.0216691257207, 3.17439977575, 0.0225239980081};
}

// A redraw of the telescope view at an unchanged sky date.
void BM_JupiterCacheHit(benchmark::State& state)
{
    JupiterSatellites satellites;
    const JupiterSatelliteInput input = jupiter();
    satellites.calculateJupiterSatellites(input);
    for (auto _ : state) {
        satellites.calculateJupiterSatellites(input);
        benchmark::DoNotOptimize(satellites.jupiterSatX());
    }
}
BENCHMARK(BM_JupiterCacheHit);

// The sky date changed: the satellites, their shadows and the central meridian.
void BM_JupiterCacheMiss(benchmark::State& state)
{
    JupiterSatellites satellites;
    JupiterSatelliteInput input = jupiter();
    for (auto _ : state) {
        input.julianDay += 1.0 / 1440.0;
        satellites.calculateJupiterSatellites(input);
        benchmark::DoNotOptimize(satellites.jupiterSatX());
    }
}
BENCHMARK(BM_JupiterCacheMiss);

// The eight satellites of Saturn at a new sky date.
void BM_Saturn(benchmark::State& state)
{
    SaturnSatellites satellites;
    SaturnSatelliteInput input{2451439.50074, 1280.19, true, 0.81795279854, -0.0443187203268};
    for (auto _ : state) {
        input.julianDay += 1.0 / 1440.0;
        satellites.calculateSaturnSatellites(input);
        benchmark::DoNotOptimize(satellites.saturnSatX());
    }
}
BENCHMARK(BM_Saturn);

}  // namespace
