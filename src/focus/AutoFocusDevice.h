#pragma once

#include "focus/StarMeasure.h"

#include <QtGlobal>

#include <optional>

// What each focuser family does for an autofocus run: its moves, its
// position read and what it waits for before a sample. A move gives the
// ticks (1/60 s) to let it settle, or nothing when the focuser refused it.
class AutoFocusDevice {
public:
    virtual ~AutoFocusDevice() = default;

    virtual bool isFocuserConnected() const = 0;
    // The focuser's position in steps; empty when it cannot be read.
    virtual std::optional<quint16> readFocusPosition() = 0;
    // The start of a sweep: `steps` inward from `position` (never past 0).
    virtual std::optional<int> moveInwardForRun(quint16 position, quint16 steps) = 0;
    // The next position of the sweep, `steps` outward.
    virtual std::optional<int> advanceRun(quint16 steps) = 0;
    // Whether a new frame may be measured now (a motor still moving: not yet).
    virtual bool isReadyForSample() { return true; }
    // The scale N of the fit, steps: the focuser's travel.
    virtual double focusScale() const = 0;
    virtual bool gotoBestFocus(quint16 position) = 0;
    // A family whose go-to empties the plot.
    virtual bool clearsPlotAtBestFocus() const { return false; }
    // The family's star box.
    virtual StarBoxRule starBox() const { return {}; }
};
