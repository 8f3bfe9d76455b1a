#pragma once

#include "find/PlaceEvents.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>
#include <QTimeZone>

#include <optional>

// Rise, transit and set on one local calendar date: the moments the hour
// angle is 0 and the centre's altitude is 0 (no refraction, no disc). A
// moving body is followed through the day (its place at each moment); a
// fixed place keeps one.
struct TransitTimes {
    using Site = PlaceEvents::Site;

    std::optional<QTime> transit;  // none when the body does not cross the meridian that day
    std::optional<QTime> rise;     // none when it never rises or never sets, or not that day
    std::optional<QTime> set;
    float riseTimeHour = 0.0f;  // local hours 0 to 24; 0 without a rise
    float setTimeHour = 0.0f;

    // ra, dec: degrees of date, held for the day. `date` is the local calendar
    // date in `zone`, whose offset at each moment is used (right across
    // daylight-saving changes).
    static TransitTimes calculateTransit(double ra, double dec, const Site& site, QDate date,
                                         const QTimeZone& zone);
    // The same for a place that moves through the day.
    static TransitTimes calculateTransit(const PlaceEvents::PlaceAt& place, const Site& site, QDate date,
                                         const QTimeZone& zone);

    // The clock texts the panels show; " " for a missing time.
    static QString text(const std::optional<QTime>& time, const QLocale& locale = QLocale());
};
