#pragma once

#include "focus/MoveWatch.h"
#include "focus/StarMeasure.h"

#include <QtGlobal>

#include <functional>
#include <optional>

// What each focuser family does for an autofocus run: its moves, its
// position read and what it waits for before a sample. The exchanges run
// on its port's worker, so a read or move answers later, on the main
// thread: a move with the ticks (1/60 s) to let it settle, or nothing when
// the focuser refused it. An answer may also come at once.
class AutoFocusDevice {
public:
    using PositionRead = std::function<void(std::optional<quint16>)>;
    using MoveDone = std::function<void(std::optional<int>)>;

    virtual ~AutoFocusDevice() = default;

    virtual bool isFocuserConnected() const = 0;
    // The focuser's position in steps; empty when it cannot be read.
    virtual void readFocusPosition(PositionRead done) = 0;
    // The start of a sweep: `steps` inward from `position` (never past 0).
    virtual void moveInwardForRun(quint16 position, quint16 steps, MoveDone done) = 0;
    // The next position of the sweep, `steps` outward.
    virtual void advanceRun(quint16 steps, MoveDone done) = 0;
    // Whether the run's last move has ended, as far as the focuser has
    // told; asked at each tick until it says so, and may ask the focuser.
    virtual bool isReadyForSample() { return true; }
    // The scale N of the fit, steps: the focuser's travel.
    virtual double focusScale() const = 0;
    // Sends the focuser to `position`; it moves on its own.
    virtual void gotoBestFocus(quint16 position) = 0;
    // The user aborted the run: a family may stop the motor.
    virtual void runAborted() {}
    // Signs so far that the motor gets on along its move's path: each one
    // restarts the run's limit.
    virtual quint64 progressCount() const { return 0; }
    // Whether the move under way went too long without progress or past
    // its ceiling, and why: it is then given up whatever it reports.
    virtual MoveWatch::Overdue moveOverdue() const { return MoveWatch::Overdue::No; }
    // The run gives up on a move that may still go on: the family's stop
    // goes out now. False for a family that has no stop to send.
    virtual bool haltRun() { return false; }
    // Where the focuser last said it was; empty when it never said.
    virtual std::optional<quint16> lastKnownPosition() const { return std::nullopt; }
    // A family whose go-to empties the plot.
    virtual bool clearsPlotAtBestFocus() const { return false; }
    // The family's star box.
    virtual StarBoxRule starBox() const { return {}; }
};
