#pragma once

// Distance units of the solar-system records.
namespace DistanceUnits {

// Miles per kilometre: record distances hold miles when the metric setting is off.
inline constexpr double kMilesPerKilometre = 0.62137199;
// One astronomical unit in 10^6 km.
inline constexpr double kMillionKmPerAu = 149.59787069;
// Light time in days per astronomical unit.
inline constexpr double kLightDaysPerAu = 0.0057755183;

}  // namespace DistanceUnits
