#pragma once

// The finder as the chart view's track mode uses it.
class Finder {
public:
    virtual ~Finder() = default;
    // Tracks the selected object: the telescope view follows it and a
    // connected mount slews to it.
    virtual void findTrackAction() = 0;
};
