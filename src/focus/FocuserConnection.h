#pragma once

// A focuser the Focuser menu connects and disconnects.
class FocuserConnection {
public:
    virtual ~FocuserConnection() = default;
    virtual bool isFocuserConnected() const = 0;
    // Disconnects a connected focuser, connects one that is not.
    virtual void focuserConnect() = 0;
};
