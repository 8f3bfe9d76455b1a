#pragma once

// The chart view's modes as the menus and the context menu set them.
class ChartViewModes {
public:
    virtual ~ChartViewModes() = default;
    // The field-of-view outline drawn on the chart, 0 for none.
    virtual int outlines() const = 0;
    virtual void setOutlines(int outlines) = 0;
    virtual bool showMonitorAdjust() const = 0;
    virtual void setMonitorAdjust() = 0;
    // Sticky modes of the next click.
    virtual void setIsAngleSep(bool on) = 0;
    virtual void setIsCopy(bool on) = 0;
    // These act at once.
    virtual void setIsTrack(bool on) = 0;
    virtual void setIsCenter(bool on) = 0;
    // Copies the chart, or the marquee, to the clipboard; false when it did not take it.
    virtual bool setPasteboard() = 0;
};
