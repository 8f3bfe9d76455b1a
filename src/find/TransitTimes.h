#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>
#include <QTimeZone>

#include <optional>

// Rise, transit and set of a fixed place for one local calendar date: the
// moments the hour angle is 0 and the altitude is 0 (no refraction, no disc),
// from the Greenwich sidereal time at 0 h UT of that date. The place is held
// fixed over the day, so the Sun and planets come out a few minutes off.
struct TransitTimes {
    struct Site {
        double latitude;   // degrees, north positive
        double longitude;  // degrees, east positive
    };

    std::optional<QTime> transit;
    std::optional<QTime> rise;  // none when the place never rises or never sets
    std::optional<QTime> set;
    float riseTimeHour = 0.0f;  // local hours 0 to 24; 0 without a rise
    float setTimeHour = 0.0f;

    // ra, dec: degrees of date. `date` is the local calendar date in `zone`,
    // whose offset at each moment is used (right across daylight-saving changes).
    static TransitTimes calculateTransit(double ra, double dec, const Site& site, QDate date,
                                         const QTimeZone& zone);

    // The clock texts the panels show; " " for a missing time.
    static QString text(const std::optional<QTime>& time, const QLocale& locale = QLocale());
};
