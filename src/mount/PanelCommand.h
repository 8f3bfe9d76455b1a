#pragma once

#include <QString>

// What a hand-control code asks of the connected mount's protocol: the
// operation, its code and second argument, and whether a position update
// follows. Codes: 1-4 directions, 5 stop, 10-13 slew speeds, 20-22 focus,
// 25-28 focus speed, from 30 up panel commands; each panel message has its
// own ranges.
// Direction codes run 1 north, 2 south, 3 east, 4 west (iOptron and iEQ45
// swap east and west); 5 stops every direction.
constexpr int kSlewNorth = 1;
constexpr int kStopAll = 5;
// Bits of a slew's `flag`: stop that direction; the Option key was held.
constexpr int kSlewFlagStop = 1;
constexpr int kSlewFlagOption = 2;

enum class MountOperation {
    None,          // a code outside every range
    Slew,          // direction; `flag` 1 stops that direction where the protocol needs it
    SlewSpeed,
    Focus,
    FocusSpeed,
    Command,       // panel commands (park, sync, tracking rates, ...)
    SetDate,
    SetSite,
    GetSite,
    SetBaudRate,   // a baud menu tag
    Sync,          // `flag` 1 syncs, 0 clears
    GuideRate,
    Mode,
    GuideSpeed,
    CenterSpeed,
    MaxSlewSpeed,
    Park,
    Setup,
    Track,
    PulseGuide,    // timed guide pulse: `code` signed milliseconds, `flag` 1 east-west axis
};

struct PanelCommand {
    MountOperation operation = MountOperation::None;
    int code = 0;
    int flag = 0;
    bool positionAfter = false;
};

// The operation of `code` in panel message `messageId` (105 to 115);
// `optionHeld` turns the site command into a site read.
PanelCommand panelCommand(int messageId, int code, bool optionHeld);

// Whether `code` in panel message `messageId` sends the current site to the mount.
bool sendsSite(int messageId, int code, bool optionHeld);

// The alert of a site that cannot be sent, and why.
inline const QString kSetSiteFailed = QStringLiteral("Set Site Failed");
inline const QString kSiteUndefined =
    QStringLiteral("The current site is undefined. Enter its latitude and longitude in Preferences first.");
