#pragma once

// The application menu's check for a newer version.
class VersionCheck {
public:
    virtual ~VersionCheck() = default;
    // `userAsked` is false for the check at launch, which stays quiet when
    // the version is current.
    virtual void checkNvxVersion(bool userAsked) = 0;
};
