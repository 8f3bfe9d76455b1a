#pragma once

// The mount controller as the chart window asks it.
class MountState {
public:
    virtual ~MountState() = default;
    virtual bool isConnected() const = 0;
    virtual bool isSlewing() const = 0;
    // While polling is suspended the readout line is left as it is.
    virtual bool isBlockPolling() const = 0;
    // Stops any slew in every direction (a Temma goto by its own command).
    virtual void stopSlewing() = 0;
};
