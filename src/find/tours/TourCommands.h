#pragma once

#include <QString>

// The command lines of a tour file: a line starting with '#' or '/' is a
// command, recognised by a text anywhere in it, in any case.
namespace TourCommands {

inline constexpr const char* tourCommandChars = "#/";
inline constexpr const char* tourNebMarker = "# NEB";
inline constexpr const char* tourAdjustCommand = "# Adjust";
inline constexpr const char* tourWaitCommand = "# Wait";
inline constexpr const char* nebCommand = "/NEB";
inline constexpr const char* comment = "//";
// The probe the capture program takes off the shared text when it listens.
inline constexpr const char* nebProbe = "/NEB Delay 5";
// The wait's seconds start at this character.
inline constexpr int waitSecondsColumn = 7;

inline bool isCommand(const QString& line)
{
    return !line.isEmpty() && QLatin1String(tourCommandChars).contains(line.front());
}

inline bool holds(const QString& line, const char* text)
{
    return line.contains(QLatin1String(text), Qt::CaseInsensitive);
}

}  // namespace TourCommands
