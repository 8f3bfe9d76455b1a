#pragma once

// A focuser the Focuser menu connects and disconnects.
class FocuserConnection {
public:
    virtual ~FocuserConnection() = default;
    virtual bool isFocuserConnected() const = 0;
    // While its port search runs.
    virtual bool isFocuserConnecting() const { return false; }
    // Disconnects a connected (or searching) focuser, connects one that is not.
    virtual void focuserConnect() = 0;
};
