#pragma once

// The sky chart, marked for redraw when the mount's marker moved.
class SkyRedraw {
public:
    virtual ~SkyRedraw() = default;
    virtual void setNeedsDisplay() = 0;
};
