#pragma once

// The sky date as the launch sets it.
class StartupDate {
public:
    virtual ~StartupDate() = default;
    // Today at the start-up clock time in the home site's zone.
    virtual void startupDate() = 0;
};
