#include "solarsystem/window/OrbitTable.h"

#include "model/Angles.h"

namespace {

struct Row {
    double e, iDeg, r, d, wDeg, nDeg;
};

// Rounded mean elements: e, i (deg), a (10^6 km), diameter (10^3 km), w and node (deg).
constexpr std::array<Row, OrbitTable::kPlanets> kRows = {{
    {0.206, 7.0, 57.9, 4.8, 77.5, 48.3},        // Mercury
    {0.007, 3.4, 108.2, 12.1, 131.8, 76.7},     // Venus
    {0.017, 0.0, 149.6, 12.8, 102.9, 0.0},      // Earth
    {0.093, 1.8, 227.9, 6.8, 336.1, 49.5},      // Mars
    {0.049, 1.3, 778.3, 143.0, 14.7, 100.5},    // Jupiter
    {0.056, 2.5, 1429.4, 272.3, 94.2, 113.6},   // Saturn
    {0.05, 0.8, 2875.0, 51.1, 171.0, 73.9},     // Uranus
    {0.008, 1.8, 4504.4, 49.5, 55.2, 131.8},    // Neptune
    {0.249, 17.1, 5915.8, 2.3, 224.1, 110.3},   // Pluto
}};

}  // namespace

OrbitTable OrbitTable::builtIn()
{
    OrbitTable table;
    for (std::size_t k = 0; k < kRows.size(); ++k) {
        const Row& row = kRows[k];
        table.e[k] = row.e;
        table.i[k] = row.iDeg * Angles::kDegToRad;
        table.r[k] = row.r;
        table.d[k] = row.d;
        table.w[k] = row.wDeg * Angles::kDegToRad;
        table.n[k] = row.nDeg * Angles::kDegToRad;
    }
    return table;
}

void OrbitTable::setPlot9(float eccentricity, float inclination, float perihelion, float longitude,
                          float argPerihelion, float node)
{
    e[kSmallBody] = eccentricity;
    i[kSmallBody] = inclination;
    r[kSmallBody] = perihelion;
    d[kSmallBody] = longitude;
    w[kSmallBody] = argPerihelion;
    n[kSmallBody] = node;
}
