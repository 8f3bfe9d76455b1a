#pragma once

#include <chrono>

// The sky counts as moving when it changed since a paint this recent: a drag
// or an animation, not the clock's occasional step. A moving sky's layers
// may draw a quicker frame; the view paints once more when it has settled.
inline constexpr std::chrono::milliseconds kMovingSkyPaints{150};
