#pragma once

#include <cstdint>

// Visibility state that the projection pass leaves in a record's `state`.
inline constexpr std::int32_t kStateFiltered = -2;
inline constexpr std::int32_t kStateBelowHorizon = -1;
inline constexpr std::int32_t kStateOffView = 0;
inline constexpr std::int32_t kStateOnScreen = 1;
