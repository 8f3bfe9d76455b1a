#pragma once

// Entry numbers of the `planet` records, which are also the body numbers the
// planetary pass and the apparent-place step take.
namespace BodyNumber {

inline constexpr int kSun = 0;
inline constexpr int kMercury = 1;
inline constexpr int kVenus = 2;
inline constexpr int kMars = 3;
inline constexpr int kJupiter = 4;
inline constexpr int kSaturn = 5;
inline constexpr int kUranus = 6;
inline constexpr int kNeptune = 7;
inline constexpr int kPluto = 8;
inline constexpr int kMoon = 9;
inline constexpr int kShadow = 10;

}  // namespace BodyNumber
