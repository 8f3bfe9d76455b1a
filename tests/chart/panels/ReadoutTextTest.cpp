#include "chart/panels/ReadoutText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(ReadoutText, JulianDaysGiveTheirCalendarDate)
{
    struct Case {
        double jd;
        const char* text;
    };
    const Case cases[] = {
        // The last Julian-calendar day and the first Gregorian one.
        {2299159.5, "Oct 4, 1582 0:00:00"},
        {2299160.5, "Oct 15, 1582 0:00:00"},
        {1721057.5, "Jan 1, 0 0:00:00 B.C.E."},
        {1720692.5, "Jan 1, 1 0:00:00 B.C.E."},
        {0.0, "Jan 1, 4712 12:00:00 B.C.E."},
        // Before the epoch the day and the time still count forward.
        {-1.0, "Dec 31, 4713 12:00:00 B.C.E."},
        {-0.75, "Dec 31, 4713 18:00:00 B.C.E."},
        // Meeus's example 7.c: 1957 October 4.81.
        {2436116.31, "Oct 4, 1957 19:26:24"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadoutText::calculateDateFromJD(c.jd), QString::fromUtf8(c.text)) << c.jd;
}

TEST(ReadoutText, DaysThatAreNoDatesGiveNoText)
{
    for (double jd : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), -1.0e12})
        EXPECT_TRUE(ReadoutText::calculateDateFromJD(jd).isEmpty()) << jd;
}

TEST(ReadoutText, CursorReadoutsCarryRatherThanShowSixtyMinutes)
{
    struct Case {
        double a, b;
        const char* ra;
        const char* alt;
    };
    const Case cases[] = {
        {76.75, -0.5, "C_RA: 5h 07m  Dec: -0° 30'", "C_Az: 76° 45'  Alt: -0° 30'"},
        // The carry wraps the right ascension at 24 h as it wraps azimuth at 360.
        {359.9999, 12.9999, "C_RA: 0h 00m  Dec: 13° 00'", "C_Az: 0° 00'  Alt: 13° 00'"},
        {180.0, -45.25, "C_RA: 12h 00m  Dec: -45° 15'", "C_Az: 180° 00'  Alt: -45° 15'"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadoutText::calcMouseRA(c.a, c.b), QString::fromUtf8(c.ra)) << c.a;
        EXPECT_EQ(ReadoutText::calcMouseAlt(c.a, c.b), QString::fromUtf8(c.alt)) << c.a;
    }
}

}  // namespace
