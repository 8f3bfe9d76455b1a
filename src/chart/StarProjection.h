#pragma once

// The projection pass of the astronomy model: places every catalogue and
// overlay on the chart for the current view.
class StarProjection {
public:
    virtual ~StarProjection() = default;
    // With `force` the time-dependent places (horizon vectors, solar-system
    // bodies) are recomputed even when sidereal time and latitude did not
    // change; without it only what changed is recomputed.
    virtual void calculateStarPositions(bool force) = 0;
};
