#pragma once

#include <array>

// The orbits of the solar-system plot: slots 0 to 8 the planets Mercury to
// Pluto from a built-in table of rounded elements, slot 9 the selected comet
// or minor planet as the small-body pass last delivered it.
struct OrbitTable {
    static constexpr int kMercury = 0;
    static constexpr int kVenus = 1;
    static constexpr int kMars = 3;
    static constexpr int kPluto = 8;
    static constexpr int kPlanets = 9;
    static constexpr int kSmallBody = 9;
    static constexpr int kSlots = 10;
    // 10^6 km in an AU, as the plot rounds it.
    static constexpr double kMillionKmPerAU = 149.6;

    // Eccentricity.
    std::array<double, kSlots> e{};
    // Inclination to the ecliptic, radians.
    std::array<double, kSlots> i{};
    // Planets: semi-major axis, 10^6 km; slot 9: perihelion distance, AU.
    std::array<double, kSlots> r{};
    // Planets: diameter, 10^3 km; slot 9: longitude in the orbit, node + w + v, radians.
    std::array<double, kSlots> d{};
    // Argument of perihelion w, radians.
    std::array<double, kSlots> w{};
    // Longitude of the ascending node, radians.
    std::array<double, kSlots> n{};

    // The planets' rows; slot 9 zero.
    static OrbitTable builtIn();

    // Slot 9 from the small-body pass: e, i, q (AU), longitude, w, node.
    void setPlot9(float eccentricity, float inclination, float perihelion, float longitude,
                  float argPerihelion, float node);
};
