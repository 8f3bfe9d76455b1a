#pragma once

#include <QString>

#include <array>
#include <optional>

// The date steps of the shortcut string ("ShortcutPref"): positions 34 to 41
// move the date by a minute, an hour, a day and a sidereal day (23 h 56 min
// exactly), forward then back. The first position that holds a typed
// character decides, so a character also standing earlier acts there instead.
namespace ShortcutDateSteps {

inline constexpr int kFirstPosition = 34;
inline constexpr std::array<double, 8> kSeconds = {60.0,    -60.0,    3600.0,  -3600.0,
                                                   86400.0, -86400.0, 86160.0, -86160.0};

// The step in seconds of `key` in `shortcuts`; none when its first position
// is not a date step (or it is in no position).
inline std::optional<double> secondsFor(const QString& shortcuts, QChar key)
{
    const qsizetype position = shortcuts.indexOf(key);
    const qsizetype step = position - kFirstPosition;
    if (position < 0 || step < 0 || step >= qsizetype(kSeconds.size()))
        return std::nullopt;
    return kSeconds[std::size_t(step)];
}

}  // namespace ShortcutDateSteps
