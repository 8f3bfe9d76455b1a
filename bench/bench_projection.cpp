// The projection pass over a 100,000-star table and the shipped deep-sky
// table: a pass after the sky moved, a pass after the view only turned, and
// the floor a pan cannot go below (read each star's horizon vector, write one
// chart point). The solar-system passes are not called; they have their own
// benchmarks.
#include "BenchMain.h"

#include "model/catalogue/DeepSkyTableBuilder.h"
#include "model/projection/ProjectionPass.h"
#include "model/UnitVector.h"
#include "platform/DataPaths.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr std::size_t kStars = 100000;

std::vector<star> makeStars()
{
    std::vector<star> stars(kStars);
    for (std::size_t i = 0; i < kStars; ++i) {
        star s{};
        s.index = std::uint32_t(i);
        // Spread evenly over the sphere, with magnitudes 0 to 8.
        s.raDeg = std::fmod(double(i) * 137.50776, 360.0);
        s.decDeg = std::asin(2.0 * (double(i) + 0.5) / kStars - 1.0) / kDegToRad;
        s.pmRA = double(int(i % 200) - 100) * 1e-6;
        s.pmDec = double(int(i % 150) - 75) * 1e-6;
        s.mag = float(i % 800) / 100.0f;
        const UnitVector v = UnitVector::fromRADec(s.raDeg * kDegToRad, s.decDeg * kDegToRad);
        s.vecX = v.x;
        s.vecY = v.y;
        s.vecZ = v.z;
        stars[i] = s;
    }
    return stars;
}

std::vector<deepSky> shippedDeepSky()
{
    const QString build = DataPaths::bundleDataFolder() + "/Build Data/";
    QTemporaryDir database;
    std::vector<deepSky> objects;
    if (DataPaths::bundleDataFolder().isEmpty() ||
        DeepSkyTableBuilder::table(database.path() + "/", build).load(objects)) {
        std::fprintf(stderr, "The shipped deep-sky table cannot be read.\n");
        std::exit(1);
    }
    return objects;
}

// The default chart: a 1200 x 800 view at 120 degrees, the whole star table
// shown, the deep-sky objects of the default lists.
ProjectionInputs defaultInputs()
{
    ProjectionInputs in;
    in.skyViewRect = QRectF(0, 0, 1200, 800);
    in.viewAngle = 120.0;
    in.altitude = 30.0;
    in.azimuth = 180.0;
    in.latitude = 48.0;
    in.julianDay = 2460000.5;
    in.primeMeridian = 100.0;
    in.starMagLimit = 6.5;
    in.deepSkySwitches.deepSkyMagLimit = 12.0;
    in.deepSkySwitches.showBest = true;
    in.deepSkySwitches.showGalaxy = true;
    in.deepSkySwitches.showNebula = true;
    in.deepSkySwitches.showOpenCluster = true;
    in.deepSkySwitches.showGlobularCluster = true;
    return in;
}

struct Sky {
    std::vector<star> stars = makeStars();
    std::vector<deepSky> deepSkyObjects = shippedDeepSky();
    std::array<planet, 11> planets{};
    ProjectionPass pass;
    ProjectionPass::Catalogues catalogues;

    Sky()
    {
        catalogues.stars = stars;
        catalogues.deepSkyData = deepSkyObjects;
        catalogues.planets = planets;
        pass.calculateStarPositions(defaultInputs(), catalogues, {}, true);
    }
};

Sky& sky()
{
    static Sky s;
    return s;
}

void timeChangePass(benchmark::State& state)
{
    Sky& s = sky();
    ProjectionInputs in = defaultInputs();
    for (auto _ : state) {
        in.primeMeridian += 0.25;  // a minute of sidereal time
        s.pass.calculateStarPositions(in, s.catalogues, {}, false);
    }
}
BENCHMARK(timeChangePass)->Unit(benchmark::kMillisecond);

void panPass(benchmark::State& state)
{
    Sky& s = sky();
    ProjectionInputs in = defaultInputs();
    s.pass.calculateStarPositions(in, s.catalogues, {}, true);
    for (auto _ : state) {
        in.azimuth = in.azimuth == 180.0 ? 181.0 : 180.0;
        s.pass.calculateStarPositions(in, s.catalogues, {}, false);
    }
}
BENCHMARK(panPass)->Unit(benchmark::kMillisecond);

void panFloor(benchmark::State& state)
{
    Sky& s = sky();
    const ProjectionFrame& frame = s.pass.frame();
    for (auto _ : state) {
        for (star& r : s.stars) {
            const HorizonVector h{r.horX, r.horY, r.horZ};
            const FloatPoint p = frame.chartPoint(h, frame.depth(h));
            r.screenX = p.x;
            r.screenY = p.y;
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(panFloor)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    // The data folder is found beside the executable.
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
