#pragma once

// The companion-app controller, told the mount's state as it changes.
class CompanionLink {
public:
    virtual ~CompanionLink() = default;
    virtual bool connectionEstablished() const = 0;
    virtual void requestStatusCommand() = 0;
};
