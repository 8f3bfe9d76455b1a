#pragma once

// The Connect menu of the configured telescopes.
class ConnectMenuSetup {
public:
    virtual ~ConnectMenuSetup() = default;
    // One item per configured telescope slot.
    virtual void setupConnectMenu() = 0;
};
