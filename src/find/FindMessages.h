#pragma once

#include "platform/StringTables.h"

#include <QString>

// The finder's result-line texts. The "Windows" ones are localised; the
// others are shown as written.
namespace FindMessages {

inline constexpr const char* kHasBeenFound = " has been found.";
inline constexpr const char* kBelowHorizon = " is below the horizon.";
inline constexpr const char* kFilteredOut = " is filtered out but has been found.";
inline constexpr const char* kCanNotBeFound = " can not be found.";
inline constexpr const char* kCanNotBeFoundBecause = " can not be found. ";
inline constexpr const char* kFormat = "RA/Dec must be formatted as hh:mm.m:+dd:mm.m.";
inline constexpr const char* kLinear = "Many comets are named Linear. Please enter comet ID.";
inline constexpr const char* kSearching = "Searching SIMBAD...";
inline constexpr const char* kSelectFromList = "Select object from list";
inline constexpr const char* kCouldNotConnect = "Could not connect to SIMBAD";

inline QString windows(const char* key)
{
    return StringTables::localizedString(QStringLiteral("Windows"), QString::fromLatin1(key));
}

}  // namespace FindMessages
