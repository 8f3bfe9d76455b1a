#include "PrefsFixture.h"

#include "model/settings/PrefDefaults.h"
#include "model/settings/PrefKeys.h"
#include "platform/TimeZoneResolver.h"
#include "prefs/SaveAlert.h"
#include "prefs/SiteLocation.h"
#include "platform/widgets/RefusalNote.h"
#include "support/FileSizeLimit.h"
#include "support/ScopedAppZone.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <cstring>

namespace {

void setFields(SitesTab& tab, const QStringList& texts)
{
    for (int part = 0; part < 3; ++part) {
        tab.latitudeField(part)->setText(texts[part]);
        tab.longitudeField(part)->setText(texts[part + 3]);
    }
}

void selectZone(SitesTab& tab, const QString& title)
{
    const int index = tab.timeZonePopup()->findText(title);
    ASSERT_GE(index, 0) << title.toStdString();
    tab.timeZonePopup()->setCurrentIndex(index);
}

TEST_F(SitesTabTest, SetLocationShowsRoundedFieldsAndHemispheres)
{
    tab().setLocation(-33.8686, 151.2167, -999);
    EXPECT_EQ(fields(), QStringList({"33", "52", "07", "151", "13", "00"}));
    EXPECT_EQ(tab().northSouth()->checkedId(), 1);
    EXPECT_EQ(tab().eastWest()->checkedId(), 0);
    tab().setLocation(0.9999999, -0.9999999, 10.0);
    EXPECT_EQ(fields(), QStringList({"01", "00", "00", "01", "00", "00"}));
    EXPECT_EQ(tab().northSouth()->checkedId(), 0);
    EXPECT_EQ(tab().eastWest()->checkedId(), 1);
    EXPECT_EQ(
        TimeZoneResolver::resolve(tab().timeZonePopup()->currentText()).offsetFromUtc(QDateTime::currentDateTimeUtc()),
        36000);
    tab().setLocation(10.0, 10.0, 5.75);
    EXPECT_EQ(tab().timeZonePopup()->currentText(), "Unknown");
}

TEST_F(SitesTabTest, ReclickDeselectsAndSaveThenBeepsStoringNothing)
{
    tab().siteRadio()->button(2)->click();
    EXPECT_EQ(tab().currentSite(), 2);
    EXPECT_TRUE(tab().siteNameField(2)->isEnabled());
    tab().siteRadio()->button(2)->click();
    EXPECT_EQ(tab().currentSite(), -1);
    EXPECT_EQ(tab().siteRadio()->checkedId(), -1);
    for (int site = 0; site < 5; ++site)
        EXPECT_FALSE(tab().siteNameField(site)->isEnabled());
    const QStringList names = prefs().siteNamesArray();
    tab().siteNameField(2)->setText("Ridge");
    EXPECT_FALSE(tab().siteSaveAction());
    EXPECT_EQ(prefs().siteNamesArray(), names);
}

TEST_F(SitesTabTest, SavingAnEmptyNamedSiteStoresAnUndefinedSlot)
{
    tab().siteRadio()->button(3)->click();
    tab().siteNameField(3)->setText("");
    setFields(tab(), {"33", "52", "07", "151", "13", "00"});
    selectZone(tab(), "JST");
    ASSERT_TRUE(tab().siteSaveAction());
    EXPECT_EQ(prefs().siteNamesArray()[3], PrefDefaults::kUndefinedSiteName);
    EXPECT_EQ(prefs().siteTZNamesArray()[3], "Unknown");
    EXPECT_EQ(prefs().sites()[3].latitude, 0.0f);
    EXPECT_EQ(prefs().sites()[3].longitude, 0.0f);

    tab().siteRadio()->button(0)->click();
    tab().siteNameField(0)->setText("");
    ASSERT_TRUE(tab().siteSaveAction());
    EXPECT_EQ(prefs().siteNamesArray()[0], "Home");
}

TEST_F(SitesTabTest, SavingANamedSiteStoresTheSignedFieldsAndZone)
{
    tab().siteRadio()->button(1)->click();
    tab().siteNameField(1)->setText("Sydney");
    setFields(tab(), {"33", "52", "00", "151", "13", "00"});
    tab().northSouth()->button(1)->setChecked(true);
    selectZone(tab(), "JST");
    ASSERT_TRUE(tab().siteSaveAction());
    EXPECT_NEAR(prefs().sites()[1].latitude, -33.8667, 1e-4);
    EXPECT_NEAR(prefs().sites()[1].longitude, 151.2167, 1e-4);
    EXPECT_EQ(prefs().siteTZNamesArray()[1], "JST");

    setFields(tab(), {"12", "03", "00", "77", "02", "00"});
    tab().eastWest()->button(1)->setChecked(true);
    selectZone(tab(), "UTC-05");
    ASSERT_TRUE(tab().siteSaveAction());
    EXPECT_NEAR(prefs().sites()[1].latitude, -12.05, 1e-4);
    EXPECT_NEAR(prefs().sites()[1].longitude, -77.0333, 1e-4);
    EXPECT_EQ(prefs().siteTZNamesArray()[1], "UTC-05");
}

TEST_F(SitesTabTest, OutOfRangeFieldsBeepAndStoreNothing)
{
    tab().siteRadio()->button(1)->click();
    tab().siteNameField(1)->setText("Ridge");
    const double latitude = prefs().latitude();
    const QStringList bad[] = {
        {"95", "00", "00", "10", "00", "00"},    {"90", "30", "00", "10", "00", "00"},
        {"45", "60", "00", "10", "00", "00"},    {"45", "00", "60", "10", "00", "00"},
        {"45", "00", "00", "181", "00", "00"},   {"45", "00", "00", "180", "00", "01"},
        {"999", "999", "999", "10", "00", "00"}, {"4x", "00", "00", "10", "00", "00"},
    };
    for (const QStringList& texts : bad) {
        setFields(tab(), texts);
        const int beeps = recorder.beeps;
        EXPECT_TRUE(writtenBy([&] { EXPECT_FALSE(tab().siteSaveAction()); }).isEmpty())
            << texts.join(' ').toStdString();
        EXPECT_FALSE(tab().siteGotoAction()) << texts.join(' ').toStdString();
        EXPECT_EQ(recorder.beeps - beeps, 2);
    }
    EXPECT_NE(prefs().siteNamesArray()[1], "Ridge");
    EXPECT_EQ(prefs().latitude(), latitude);
    EXPECT_EQ(closes, 0);
    // The edges themselves are places.
    setFields(tab(), {"90", "00", "00", "180", "00", "00"});
    EXPECT_TRUE(tab().siteSaveAction());
}

TEST_F(SitesTabTest, UnknownZoneLeavesTheProgramsZoneAndMomentAlone)
{
    const ScopedAppZone ahead;
    const QTimeZone before = AppTimeZone::zone();
    const QDateTime moment = skyDate().skyDate();
    selectZone(tab(), "Unknown");
    tab().selectTimeZone();
    EXPECT_EQ(AppTimeZone::zone(), before);
    setFields(tab(), {"33", "52", "00", "151", "13", "00"});
    ASSERT_TRUE(tab().siteGotoAction());
    EXPECT_EQ(AppTimeZone::zone(), before);
    EXPECT_EQ(skyDate().skyDate(), moment);
}

TEST_F(SitesTabTest, FillingTheControlsStoresNothingOnlyTheUsersEditDoes)
{
    // A stored start-up time written in a zone other than the program's.
    prefs().setStartupTime(QDateTime(QDate(2026, 3, 1), QTime(21, 15), QTimeZone(-5 * 3600)));
    prefs().setIsRunRealTime(true, true);
    const ScopedAppZone ahead;
    EXPECT_TRUE(writtenBy([&] { tab().setupDate(false); }).isEmpty());
    EXPECT_TRUE(writtenBy([&] { tab().setupDate(true); }).isEmpty());
    // The picker shows the clock time the launch will use, and says where.
    EXPECT_EQ(tab().startupTimePicker()->time(), QTime(21, 15));
    EXPECT_TRUE(tab().startupZoneLabel()->text().contains(QString::fromUtf8(SkyDateModel::homeSiteZone(prefs()).id())));

    tab().startupTimePicker()->setTime(QTime(23, 40));
    EXPECT_EQ(prefs().startupTime().time(), QTime(23, 40));
    EXPECT_TRUE(stored(PrefKeys::StartupTime).contains("23:40"));
}

TEST_F(SitesTabTest, ARowClickLoadsTheStoredSiteAndItsZone)
{
    prefs().sites()[2] = {-33.8667f, 151.2167f};
    prefs().setTZNamesArray({"Undefined", "Undefined", "UTC+10", "Undefined", "Undefined"});
    tab().siteRadio()->button(2)->click();
    EXPECT_EQ(fields(), QStringList({"33", "52", "00", "151", "13", "00"}));
    EXPECT_EQ(tab().northSouth()->checkedId(), 1);
    EXPECT_EQ(tab().timeZonePopup()->currentText(), "UTC+10");
    tab().siteRadio()->button(3)->click();
    EXPECT_EQ(tab().timeZonePopup()->currentText(), "Unknown");
}

TEST_F(SitesTabTest, GoToKeepsTheClockTimeAcrossZonesAndDaylightSaving)
{
    struct Case {
        QDate date;
        const char* target;  // six hours east of Chicago on that date
    };
    const Case cases[] = {{QDate(2026, 1, 15), "GMT"}, {QDate(2026, 7, 15), "BST"}};
    for (const Case& c : cases) {
        const QTimeZone chicago("America/Chicago");
        AppTimeZone::setZone(chicago);
        const QDateTime before(c.date, QTime(21, 30), chicago);
        skyDate().calculateDate(before, 0.0);
        setFields(tab(), {"51", "28", "00", "00", "10", "00"});
        selectZone(tab(), c.target);
        ASSERT_TRUE(tab().siteGotoAction());
        const QDateTime after = skyDate().skyDate();
        const QDateTime wall = after.toTimeZone(AppTimeZone::zone());
        EXPECT_EQ(wall.date(), c.date) << c.target;
        EXPECT_EQ(wall.time(), QTime(21, 30)) << c.target;
        EXPECT_EQ(after.secsTo(before), 6 * 3600) << c.target;
        EXPECT_NEAR(prefs().latitude(), 51.4667, 1e-4);
    }
    EXPECT_EQ(closes, 2);
    EXPECT_EQ(skyUpdates, 2);
}

TEST_F(SitesTabTest, GoToAtZeroZeroBeepsAndADeselectedSiteNeverBecomesCurrent)
{
    setFields(tab(), {"00", "00", "00", "00", "00", "00"});
    EXPECT_FALSE(tab().siteGotoAction());
    EXPECT_EQ(closes, 0);

    prefs().setCurrentSite(2);
    // Row 0 starts current, so one click on it deselects.
    tab().siteRadio()->button(0)->click();
    ASSERT_EQ(tab().currentSite(), -1);
    setFields(tab(), {"10", "00", "00", "10", "00", "00"});
    ASSERT_TRUE(tab().siteGotoAction());
    EXPECT_EQ(prefs().currentSite(), 2);
}

TEST_F(SitesTabTest, HandedOverSiteTakesItsNamesSlotElseUndefinedElseFour)
{
    // The settings as a first start reads them: every named slot is empty.
    tab().setLocation(35.5, -106.25, -7.0);
    tab().lumarikSiteGoto("Mesa");
    EXPECT_EQ(prefs().siteNamesArray(), QStringList({"Undefined", "Mesa", "Undefined", "Undefined", "Undefined"}));
    EXPECT_EQ(prefs().currentSite(), 1);

    struct Case {
        QStringList names;  // sites 1..4
        int slot;
    };
    const Case cases[] = {
        {{"A", "Ridge", "Undefined", "C"}, 2},
        {{"Undefined", "A", "B", "C"}, 1},
        {{"A", "B", "C", "D"}, 4},
    };
    for (const Case& c : cases) {
        prefs().setSiteNamesArray(QStringList{"Ridge"} + c.names);
        tab().setupDate(false);
        tab().siteRadio()->button(1)->click();
        tab().setLocation(35.5, -106.25, -999);
        tab().lumarikSiteGoto(c.names.contains("Ridge") ? "Ridge" : "Mesa");
        const QString name = c.names.contains("Ridge") ? "Ridge" : "Mesa";
        EXPECT_EQ(prefs().siteNamesArray()[c.slot], name);
        EXPECT_EQ(prefs().siteNamesArray()[0], "Ridge");
        EXPECT_EQ(prefs().currentSite(), c.slot);
        EXPECT_NEAR(prefs().sites()[c.slot].longitude, -106.25, 1e-4);
    }
}

TEST_F(SitesTabTest, AChosenCityFillsThePlaceZoneAndTheSelectedSitesName)
{
    cityList sydney{};
    std::strcpy(sydney.name, "Sydney, AU");
    sydney.latitude = -33.8667f;
    sydney.longitude = 151.2167f;
    sydney.timeZone = 10.0f;
    tab().siteRadio()->button(1)->click();
    const QStringList names = prefs().siteNamesArray();
    tab().citySelected(sydney);
    EXPECT_EQ(fields(), QStringList({"33", "52", "00", "151", "13", "00"}));
    EXPECT_EQ(tab().northSouth()->checkedId(), 1);
    EXPECT_EQ(tab().eastWest()->checkedId(), 0);
    EXPECT_EQ(
        TimeZoneResolver::resolve(tab().timeZonePopup()->currentText()).offsetFromUtc(QDateTime::currentDateTimeUtc()),
        36000);
    EXPECT_EQ(tab().siteNameField(1)->text(), "Sydney, AU");
    EXPECT_EQ(prefs().siteNamesArray(), names);

    // Mac OS Roman 0x9F is u-umlaut.
    cityList zurich{};
    std::strcpy(zurich.name, "Z\x9Frich, CH");
    zurich.latitude = 47.3667f;
    zurich.longitude = 8.55f;
    zurich.timeZone = 1.0f;
    tab().siteRadio()->button(1)->click();  // deselects: no name field takes the city
    tab().citySelected(zurich);
    EXPECT_EQ(fields(), QStringList({"47", "22", "00", "08", "33", "00"}));
    for (int site = 0; site < 5; ++site)
        EXPECT_NE(tab().siteNameField(site)->text(), QString::fromUtf8("Z\u00fcrich, CH"));
    tab().siteRadio()->button(2)->click();
    tab().citySelected(zurich);
    EXPECT_EQ(tab().siteNameField(2)->text(), QString::fromUtf8("Z\u00fcrich, CH"));
}

}  // namespace

namespace {

TEST_F(SitesTabTest, AFreshHomeRowKeepsTheLocationTypedUnderItsUndefinedName)
{
    ASSERT_EQ(tab().siteNameField(0)->text(), "Undefined");
    setFields(tab(), {"51", "30", "00", "0", "07", "00"});
    tab().eastWest()->button(1)->setChecked(true);
    ASSERT_TRUE(tab().siteSaveAction());
    EXPECT_EQ(prefs().siteNamesArray()[0], "Home");
    EXPECT_EQ(tab().siteNameField(0)->text(), "Home");
    EXPECT_NEAR(prefs().sites()[0].latitude, 51.5, 1e-5);
    EXPECT_NEAR(prefs().sites()[0].longitude, -(7.0 / 60.0), 1e-5);

    // Left at 0°, 0° the name keeps meaning no site, and the fields say so.
    tab().siteNameField(0)->setText("Undefined");
    setFields(tab(), {"00", "00", "00", "00", "00", "00"});
    ASSERT_TRUE(tab().siteSaveAction());
    EXPECT_EQ(prefs().siteNamesArray()[0], "Undefined");
    EXPECT_EQ(prefs().sites()[0].latitude, 0.0f);
}

TEST_F(SitesTabTest, ARefusedLocationBeepsAndSaysWhichFieldIsWrong)
{
    setFields(tab(), {"95", "00", "00", "10", "00", "00"});
    EXPECT_FALSE(tab().siteSaveAction());
    EXPECT_FALSE(tab().refusalNote()->isHidden());
    EXPECT_TRUE(tab().refusalNote()->text().startsWith("Latitude"));
    setFields(tab(), {"10", "00", "00", "10", "95", "00"});
    EXPECT_FALSE(tab().siteGotoAction());
    EXPECT_TRUE(tab().refusalNote()->text().startsWith("Longitude"));
    setFields(tab(), {"00", "00", "00", "00", "00", "00"});
    EXPECT_FALSE(tab().siteGotoAction());
    EXPECT_TRUE(tab().refusalNote()->text().contains("0\u00B0"));
    EXPECT_EQ(recorder.beeps, 3);
    EXPECT_EQ(closes, 0);

    setFields(tab(), {"10", "00", "00", "10", "00", "00"});
    EXPECT_TRUE(tab().siteGotoAction());
    EXPECT_TRUE(tab().refusalNote()->isHidden());
}

TEST_F(SitesTabTest, ALongNameIsStoredBoundedOnACharacterBoundary)
{
    setFields(tab(), {"10", "00", "00", "10", "00", "00"});
    // A letter outside the basic plane straddles the bound.
    const QString name = QString(PrefDefaults::kMostNameLength - 1, u'x') + QString::fromUcs4(U"\U0001F52D") + "tail";
    tab().siteNameField(0)->setMaxLength(1000);
    tab().siteNameField(0)->setText(name + QString(500, u'y'));
    ASSERT_TRUE(tab().siteSaveAction());
    const QString stored = prefs().siteNamesArray()[0];
    EXPECT_EQ(stored, QString(PrefDefaults::kMostNameLength - 1, u'x'));
    EXPECT_EQ(tab().siteNameField(0)->text(), stored);
}

// The save returns at once; its write, off the main thread, is alerted as
// the program wires the settings' failures.
TEST_F(SitesTabTest, AFailedWriteOfTheSettingsFileIsAlertedWithItsReason)
{
    prefs().setLaterWriteFailureSink(&SaveAlert::alert);
    const auto written = [this] { return eventually([this] { return !prefs().settingsWritePending(); }); };
    setFields(tab(), {"10", "00", "00", "10", "00", "00"});
    ASSERT_TRUE(tab().siteSaveAction());
    ASSERT_TRUE(written());
    {
        const FileSizeLimit limit(64);
        tab().siteNameField(0)->setText(QString(60, u'z'));
        EXPECT_TRUE(tab().siteSaveAction());
        ASSERT_TRUE(written());
    }
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "Your preferences could not be saved.");
    EXPECT_FALSE(recorder.alerts[0].message.isEmpty());
    // Once there is room again the next save goes through without a word.
    EXPECT_TRUE(tab().siteSaveAction());
    ASSERT_TRUE(written());
    EXPECT_TRUE(prefs().settingsWritten());
    EXPECT_EQ(recorder.alerts.size(), 1u);
}

}  // namespace

namespace {

TEST_F(SitesTabTest, EveryCaptionOfTheSetupTabComesFromTheStringTable)
{
    localization.localizePrefPanel();
    QStringList shown;
    for (const QGroupBox* box : tab().findChildren<QGroupBox*>())
        shown += box->title();
    for (const QLabel* label : tab().findChildren<QLabel*>())
        shown += label->text();
    for (const QAbstractButton* button : tab().findChildren<QAbstractButton*>())
        shown += button->text();
    for (const char* key : {"Startup Time", "Location", "Sites (save each site separately)", "Deg", "Min", "Sec",
                            "Latitude:", "Longitude:", "Timezone:", "Home:", "Site 1:", "Site 2:", "Site 3:",
                            "Site 4:", "Startup R/T", "Go To", "Save", "N", "S", "E", "W"})
        EXPECT_TRUE(shown.contains(QString::fromLatin1(key))) << key;
    for (const char* own : {"Latitude", "Time zone", "Run in real time"})
        EXPECT_FALSE(shown.contains(QString::fromLatin1(own))) << own;
}

}  // namespace
