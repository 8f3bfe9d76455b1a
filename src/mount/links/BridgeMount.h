#pragma once

// The mount as the bridge sees it: a mount talking through the bridge is
// disconnected before the bridge closes under it.
class BridgeMount {
public:
    virtual ~BridgeMount() = default;
    virtual bool isConnected() const = 0;
    virtual void disconnectScope() = 0;
};
