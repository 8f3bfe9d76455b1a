#pragma once

// The link to the external observing planner.
class PlannerLink {
public:
    virtual ~PlannerLink() = default;
    // Sends the find selection; `track` for a track click.
    virtual void sendAPClick(bool track) = 0;
};
