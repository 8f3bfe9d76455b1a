#include "model/SkyTexts.h"

#include <cmath>

namespace {

struct Split {
    int whole;
    int minutes;
    double seconds;
};

// A non-negative amount split into whole units, minutes and seconds.
Split split(double value)
{
    Split s{int(value), 0, 0.0};
    const double minutes = (value - s.whole) * 60.0;
    s.minutes = int(minutes);
    s.seconds = (minutes - s.minutes) * 60.0;
    if (s.seconds >= 59.95) {
        s.seconds = 0.0;
        ++s.minutes;
    }
    if (s.minutes > 59) {
        s.minutes = 0;
        ++s.whole;
    }
    return s;
}

}  // namespace

namespace SkyTexts {

QString raText(double degrees)
{
    Split s = split(degrees / 15.0);
    if (s.whole > 23)
        s.whole = 0;
    return QString::asprintf("%dh %dm %.1fs", s.whole, s.minutes, s.seconds);
}

QString decText(double degrees)
{
    const Split s = split(std::abs(degrees));
    return QString::asprintf("%s%d° %d' %.1f\"", degrees < 0.0 ? "-" : "", s.whole, s.minutes,
                             s.seconds);
}

}  // namespace SkyTexts
