#pragma once

#include <QString>

#include <cmath>

// Degrees or hours split into whole, minutes and seconds, each truncated
// toward zero as the readouts show them (51.4775 gives 51 28 38, not 39).
struct Sexagesimal {
    int whole;
    int minutes;
    int seconds;

    // `value` must not be negative; callers print the sign themselves.
    static Sexagesimal truncated(double value)
    {
        const double whole = std::trunc(value);
        const double fraction = value - whole;
        const double minutes = std::trunc(fraction * 60.0);
        const double seconds = std::trunc((fraction - minutes / 60.0) * 3600.0);
        return {int(whole), int(minutes), int(seconds)};
    }

    // A value's whole part and its fraction in sixtieths rounded to the
    // nearest, a rounding up to 60 carried into the whole (1.9999 gives 2
    // and 0): degrees and minutes, or minutes and seconds of minutes.
    // `value` must not be negative.
    struct Sixtieths {
        int whole;
        int sixtieths;
    };
    static Sixtieths carriedSixtieths(double value)
    {
        const int whole = int(value);
        const int sixtieths = int((value - whole) * 60.0 + 0.5);
        return sixtieths >= 60 ? Sixtieths{whole + 1, 0} : Sixtieths{whole, sixtieths};
    }

    // A field of view as the readouts show it: "d°m'" from a degree up,
    // "m's\"" below, a field just under a degree carried to "1°0'" rather
    // than shown as 60 minutes. `degrees` must not be negative.
    static QString fieldText(double degrees)
    {
        if (degrees < 1.0) {
            const auto [minutes, seconds] = carriedSixtieths(degrees * 60.0);
            if (minutes < 60)
                return QStringLiteral("%1'%2\"").arg(minutes).arg(seconds);
            degrees = 1.0;
        }
        const auto [whole, minutes] = carriedSixtieths(degrees);
        return QStringLiteral("%1\u00B0%2'").arg(whole).arg(minutes);
    }

    // Rounded to the nearest second, carried into minutes and the whole.
    static Sexagesimal rounded(double value)
    {
        const long long total = std::llround(value * 3600.0);
        return {int(total / 3600), int(total / 60 % 60), int(total % 60)};
    }
};
