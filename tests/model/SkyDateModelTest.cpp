#include "model/SkyDateModel.h"

#include "PrefFixture.h"
#include "model/FirstRunNotice.h"
#include "model/settings/PrefControl.h"
#include "platform/AppTimeZone.h"

#include <erfa.h>
#include <gtest/gtest.h>

namespace {

const QDateTime kReference(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);

struct InstallFlag final : FirstRunNotice {
    void setIsInstall(bool flag) override { isInstall = flag; }
    bool isInstall = false;
};

class SkyDateModelTest : public PrefFixture {
protected:
    void SetUp() override
    {
        PrefFixture::SetUp();
        model = std::make_unique<SkyDateModel>(launch(), &installFlag);
    }
    void TearDown() override { AppTimeZone::setZone(QTimeZone::systemTimeZone()); }

    PrefControl& prefs() { return *fakes.prefs; }

    void setHomeSite(double latitude, double longitude, const QString& zoneName)
    {
        prefs().setLatitude(latitude);
        prefs().setLongitude(longitude);
        prefs().sites()[0] = site{float(latitude), float(longitude)};
        QStringList zones = prefs().siteTZNamesArray();
        zones[0] = zoneName;
        prefs().setTZNamesArray(zones);
    }

    InstallFlag installFlag;
    std::unique_ptr<SkyDateModel> model;
};

}  // namespace

TEST_F(SkyDateModelTest, JulianDayOfTheReferenceInstants)
{
    setHomeSite(10.0, 0.0, "UTC");
    model->calculateDate(kReference, 0.0);
    EXPECT_DOUBLE_EQ(model->julianDay(), 2451910.5);
    model->calculateDate(kReference, -31579200.0);
    EXPECT_DOUBLE_EQ(model->julianDay(), 2451545.0);
    EXPECT_NEAR(model->gSiderialTime(), 18.697374558, 1e-9);  // 280.46061837 degrees
    EXPECT_TRUE(model->lstString().endsWith(": 18:41:50")) << model->lstString().toStdString();
}

// Meeus example 12.a: 1987 April 10, 0h UT, mean sidereal time 13h10m46.3668s.
// ERFA's IAU 1982 model differs only in the rounding of the constants: far
// below a microhour over 1800-2200. Far from J2000 the hours stay in range.
TEST_F(SkyDateModelTest, SiderealTimeOfMeeusExample12aAndOfErfa)
{
    EXPECT_NEAR(SkyDateModel::greenwichSiderealHours(2446895.5),
                13.0 + 10.0 / 60.0 + 46.3668 / 3600.0, 1e-8);
    for (double jd = 2378496.5; jd < 2524593.5; jd += 3652.37) {
        const double erfaHours = eraGmst82(jd, 0.0) * 12.0 / M_PI;
        EXPECT_NEAR(std::remainder(SkyDateModel::greenwichSiderealHours(jd) - erfaHours, 24.0), 0.0,
                    1e-6) << jd;
    }
    for (const double jd : {0.0, 625000.5, 1721423.5, 5373484.5}) {
        const double h = SkyDateModel::greenwichSiderealHours(jd);
        EXPECT_TRUE(h >= 0.0 && h <= 24.0) << jd;
    }
}

TEST_F(SkyDateModelTest, LocalSiderealTimeFollowsLongitude)
{
    setHomeSite(40.0, -75.0, "UTC");
    model->calculateDate(kReference, 0.0);
    const double expected = std::fmod(model->gSiderialTime() - 5.0 + 24.0, 24.0);
    EXPECT_NEAR(model->localSiderialTime(), expected, 1e-12);
    EXPECT_NEAR(model->primeMeridian(), expected * 15.0, 1e-9);
}

TEST_F(SkyDateModelTest, TextsTruncateAtTheirEdges)
{
    const auto endsWith = [](const QString& text, const char* end) {
        return text.endsWith(QString::fromUtf8(end));
    };
    setHomeSite(-33.0, -0.5, "UTC");
    EXPECT_TRUE(endsWith(model->longitudeString(), ": 0°30'00\" W"))
        << model->longitudeString().toStdString();
    EXPECT_TRUE(endsWith(model->latitudeString(), ": 33°00'00\" S"));
    setHomeSite(0.0, 0.0, "UTC");
    EXPECT_TRUE(model->longLatString().contains(QString::fromUtf8("0°00'00\" E  ")));
    EXPECT_TRUE(endsWith(model->longLatString(), "0°00'00\" N"));
    // 51.4775 degrees: the seconds product comes out just below 39.
    setHomeSite(10.0, 51.4775, "UTC");
    EXPECT_TRUE(endsWith(model->longitudeString(), ": 51°28'38\" E"));

    // The view angle switches to the full circle above 183 degrees.
    prefs().setAzimuth(180.4);
    prefs().setAltitude(44.6);
    prefs().setViewAngle(183.0);
    EXPECT_TRUE(model->AltAzAngleString().contains(QString::fromUtf8(": 180° ")));
    EXPECT_TRUE(model->AltAzAngleString().contains(QString::fromUtf8(": 45° ")));
    EXPECT_TRUE(endsWith(model->AltAzAngleString(), ": 183° "));
    prefs().setViewAngle(183.5);
    EXPECT_TRUE(endsWith(model->AltAzAngleString(), ": 360.0°"));
}

TEST_F(SkyDateModelTest, UniversalTimeIgnoresTheSiteZoneAndAfternoonStartsAt13)
{
    setHomeSite(35.0, 139.0, "Asia/Tokyo");
    model->resetDateTime();
    model->calculateDate(kReference, 3661.0);
    EXPECT_TRUE(model->GMTString().endsWith(": 01/01/2001 01:01:01"));
    const QTimeZone tokyo("Asia/Tokyo");
    model->calculateDate(QDateTime(QDate(2020, 5, 1), QTime(12, 59), tokyo), 0.0);
    EXPECT_FALSE(model->isDatePM());
    model->calculateDate(QDateTime(QDate(2020, 5, 1), QTime(13, 0), tokyo), 0.0);
    EXPECT_TRUE(model->isDatePM());
}

TEST_F(SkyDateModelTest, JulianConversionSetsTheEra)
{
    EXPECT_EQ(model->calculateJulian(2451910.5), kReference);
    EXPECT_TRUE(model->isCE());
    model->calculateJulian(1721423.5);
    EXPECT_TRUE(model->isCE());
    model->calculateJulian(1721423.4);
    EXPECT_FALSE(model->isCE());
}

// Noon UTC on the day daylight saving starts in New York is 22:00 EDT (UTC-4)
// at the start-up clock time; an abbreviated zone name finds its region.
TEST_F(SkyDateModelTest, StartupMomentIsTodayAtTheStartupClockTimeInTheSiteZone)
{
    setHomeSite(40.7, -74.0, "America/New_York");
    model->setClock([] { return QDateTime(QDate(2024, 3, 10), QTime(12, 0), Qt::UTC); });
    model->startupDate();
    const QDateTime local = model->skyDate().toTimeZone(QTimeZone("America/New_York"));
    EXPECT_EQ(local.date(), QDate(2024, 3, 10));
    EXPECT_EQ(local.time(), QTime(22, 0, 0));
    EXPECT_EQ(model->skyDate().toUTC().time(), QTime(2, 0, 0));
    EXPECT_FALSE(installFlag.isInstall);

    setHomeSite(34.0, -118.0, "PST");
    model->setClock([] { return QDateTime(QDate(2024, 1, 10), QTime(12, 0), Qt::UTC); });
    model->startupDate();
    EXPECT_EQ(model->skyDate().toUTC().time(), QTime(6, 0, 0));  // 22:00 PST
}

TEST_F(SkyDateModelTest, FirstRunTakesTheSystemLocation)
{
    setHomeSite(0.0, 0.0, "Undefined");
    model->setLocator([] { return SystemLocation::Location{52.5, 13.25}; });
    model->startupDate();
    EXPECT_DOUBLE_EQ(prefs().latitude(), 52.5);
    EXPECT_DOUBLE_EQ(prefs().longitude(), 13.25);
    EXPECT_FLOAT_EQ(prefs().sites()[0].latitude, 52.5f);
    EXPECT_TRUE(installFlag.isInstall);
    EXPECT_TRUE(model->skyDate().isValid());
}

TEST_F(SkyDateModelTest, NothingHappensWithoutAnyDate)
{
    model->calculateDate(std::nullopt, 60.0);
    EXPECT_FALSE(model->skyDate().isValid());
    EXPECT_EQ(model->julianDay(), 0.0);
}
