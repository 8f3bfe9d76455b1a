#pragma once

#include "platform/SystemLocation.h"

#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <functional>
#include <optional>

class FirstRunNotice;
class PrefControl;

// The one moment for which the whole program computes the sky, with its
// Julian day (universal time, no Delta-T) and sidereal times.
class SkyDateModel {
public:
    using Clock = std::function<QDateTime()>;
    using Locator = std::function<std::optional<SystemLocation::Location>()>;

    explicit SkyDateModel(PrefControl& prefControl, FirstRunNotice* prefWindowControl = nullptr);
    // The preferences window is made after the sky date.
    void setFirstRunNotice(FirstRunNotice* prefWindowControl) { m_prefWindowControl = prefWindowControl; }

    // Where "now" and the first-run location come from (the system's by default).
    void setClock(Clock clock) { m_clock = std::move(clock); }
    void setLocator(Locator locator) { m_locator = std::move(locator); }

    // Today at the start-up clock time in the home site's zone; on a first run
    // (latitude and longitude both 0) the site comes from the system's location.
    void startupDate();
    // Back to today's start-up moment, without the first-run step.
    void resetDateTime();
    // Sets the sky date to `date` (or keeps the current one) moved by `seconds`,
    // and derives the Julian day and sidereal times. Nothing happens while
    // there is neither a date nor a sky date.
    void calculateDate(const std::optional<QDateTime>& date, double seconds);
    // The moment of Julian day `jd`; sets the era flag, leaves the sky date alone.
    QDateTime calculateJulian(double jd);
    // Moves the Julian day across the era boundary and returns the new moment.
    QDateTime ceChanged();
    // True from 13:00 on in the program's time zone.
    bool isDatePM() const;

    const QDateTime& skyDate() const { return m_skyDate; }
    double julianDay() const { return m_julianDay; }
    double gSiderialTime() const { return m_gSiderialTime; }
    double localSiderialTime() const { return m_localSiderialTime; }
    double primeMeridian() const { return m_primeMeridian; }
    bool isCE() const { return m_isCE; }
    void setIsCE(bool isCE) { m_isCE = isCE; }

    // Status texts of the bottom readout panel.
    QString julianString() const;
    QString lstString() const;
    QString gSiderialString() const;
    QString pmString() const;
    QString longitudeString() const;
    QString latitudeString() const;
    QString longLatString() const;
    QString GMTString() const;
    QString AltAzAngleString() const;

    // Julian day of an instant (UT): seconds since 2001-01-01 00:00 UTC / 86400 + 2451910.5.
    static double julianDayOf(const QDateTime& moment);
    // The instant (UTC) of Julian day `jd`.
    static QDateTime momentOf(double jd);
    // Greenwich mean sidereal time, hours 0..24, of Julian day `jd` (UT).
    static double greenwichSiderealHours(double jd);
    // The zone a launch reads the start-up time in: the home site's stored
    // zone, or the machine's when that title names no zone.
    static QTimeZone homeSiteZone(const PrefControl& prefs);

private:
    void setZoneFromHomeSite(bool useSystemZone);
    void takeStartupMoment();

    PrefControl& m_prefControl;
    FirstRunNotice* m_prefWindowControl;
    Clock m_clock;
    Locator m_locator;

    QDateTime m_skyDate;
    double m_julianDay = 0.0;
    double m_gSiderialTime = 0.0;
    double m_localSiderialTime = 0.0;
    double m_primeMeridian = 0.0;
    bool m_isCE = true;
};
