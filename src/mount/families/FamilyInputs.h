#pragma once

#include <QDateTime>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>
#include <thread>

struct MountContext;

// What the families beyond the LX200 style read from the rest of the
// program, each asked at the moment of use (on the worker as well as on the
// main thread, so each provider must be safe to call from either). The
// defaults stand in while the program has no such part.
struct FamilyInputs {
    // The site and clock of `context`'s settings (the mount's time is now,
    // not the chart's date) and its pauses. Its settings must outlive the family.
    static FamilyInputs of(const MountContext& context);

    struct Target {
        double ra;   // radians of date
        double dec;  // radians of date
    };

    std::function<double()> latitude = [] { return 0.0; };   // degrees, north positive
    std::function<double()> longitude = [] { return 0.0; };  // degrees, east positive
    std::function<double()> localSiderealHours = [] { return 0.0; };
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTimeUtc(); };
    // The finder's tracked object; none while nothing is tracked.
    std::function<std::optional<Target>()> trackedObject = [] { return std::nullopt; };
    // The same, and none while nothing is selected either.
    std::function<std::optional<Target>()> selectedObject = [] { return std::nullopt; };
    // The RA and Dec of the zenith now.
    std::function<Target()> zenith = [] { return Target{0.0, 0.0}; };
    // The Temma panel's guide rate, percent.
    std::function<int()> guideRatePercent = [] { return 50; };
    // True while the Temma panel is locked (held slews are resent).
    std::function<bool()> panelLocked = [] { return false; };
    // The quarter second a Temma II mount needs after most commands.
    std::function<void()> settle = [] { std::this_thread::sleep_for(std::chrono::milliseconds(250)); };
};
