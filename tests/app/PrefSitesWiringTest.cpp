#include "app/AssembledProgram.h"

#include "chart/PrefWindowSetup.h"
#include "chart/menus/ChartMenuBar.h"
#include "model/settings/PrefKeys.h"
#include "platform/TimeZoneResolver.h"
#include "prefs/CityDataSource.h"
#include "prefs/CityTablesPanel.h"
#include "prefs/PrefWindow.h"
#include "prefs/PrefWindowControl.h"
#include "prefs/SitesTab.h"
#include "support/ScopedAppZone.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTest>
#include <QLineEdit>
#include <QWindow>

#include <cmath>

namespace {

struct NoGamma final : DisplayGamma {
    quint32 displayID() const override { return 0; }
    GammaFormula defaultFormula() const override { return {}; }
    bool setFormula(const GammaFormula&) override { return false; }
    bool restoreDefault() override { return false; }
};

// The machine's own zone for one test. Chatham's offsets (12:45, 13:45) are
// those of no pop-up title, so a title read as the machine's zone shows.
class ScopedMachineZone {
public:
    explicit ScopedMachineZone(const QByteArray& id) : m_saved(qgetenv("TZ")), m_had(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", id);
    }
    ~ScopedMachineZone() { m_had ? qputenv("TZ", m_saved) : qunsetenv("TZ"); }
    ScopedMachineZone(const ScopedMachineZone&) = delete;
    ScopedMachineZone& operator=(const ScopedMachineZone&) = delete;

private:
    QByteArray m_saved;
    bool m_had;
};

class PrefSitesWiringTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        chart->prefControl().readPrefs();
        chart->outlets().prefWindow->setupDate();
    }
    ~PrefSitesWiringTest() override { AppTimeZone::setZone(m_zone); }

    SitesTab& tab() { return chart->prefWindow().sitesTab(); }

    void setFields(const QStringList& texts)
    {
        for (int part = 0; part < 3; ++part) {
            tab().latitudeField(part)->setText(texts[part]);
            tab().longitudeField(part)->setText(texts[part + 3]);
        }
    }

    // A city source text in the per-user "Build Data" folder, beside an empty "Database".
    bool writeCitySource(const QString& name, const QByteArray& text) const
    {
        const QString user = folders.userData;
        if (!QDir().mkpath(user + "/Build Data") || !QDir().mkpath(user + "/Database"))
            return false;
        QFile file(user + "/Build Data/" + name);
        return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
    }

    QTimeZone m_zone = AppTimeZone::zone();
};

TEST_F(PrefSitesWiringTest, EveryZoneTitleHoldsThroughSaveRelaunchAndTheSetupMenu)
{
    const ScopedMachineZone machine("Pacific/Chatham");
    const QDateTime at = QDateTime::currentDateTimeUtc();
    const QStringList& abbreviations = TimeZoneResolver::abbreviations();
    QComboBox* popup = tab().timeZonePopup();
    ASSERT_EQ(popup->count(), 1 + abbreviations.size() + 53);
    for (int index = 1; index < popup->count(); ++index) {
        const QString title = popup->itemText(index);
        const int fixedStep = index - 1 - int(abbreviations.size());
        const int expected = fixedStep >= 0
                                 ? (fixedStep - 24) * 1800
                                 : QTimeZone(TimeZoneResolver::ianaForAbbreviation(title).toUtf8()).offsetFromUtc(at);
        popup->setCurrentIndex(index);
        tab().siteNameField(0)->setText("Sydney");
        setFields({"33", "52", "00", "151", "13", "00"});
        ASSERT_TRUE(tab().siteSaveAction()) << title.toStdString();

        // A relaunch: a fresh settings object reading the stored file.
        NoGamma gamma;
        PrefControl relaunched(gamma);
        relaunched.readPrefs();
        EXPECT_EQ(relaunched.siteTZNamesArray().value(0), title);
        SkyDateModel launch(relaunched);
        launch.startupDate();
        EXPECT_EQ(AppTimeZone::zone().offsetFromUtc(at), expected) << "launch " << title.toStdString();

        const ScopedAppZone elsewhere;
        chart->menuBar().setupMenu().menuAction(SetupMenuActions::kHomeSiteTag);
        EXPECT_EQ(AppTimeZone::zone().offsetFromUtc(at), expected) << "menu " << title.toStdString();
    }
}

TEST_F(PrefSitesWiringTest, ALaunchFillsTheWindowWithoutWritingASetting)
{
    chart->prefControl().setStartupTime(QDateTime(QDate(2026, 5, 2), QTime(22, 0), QTimeZone(3600)));
    const ScopedMachineZone machine("America/Denver");
    const ScopedAppZone elsewhere;
    const auto written = writtenBy([&] {
        PrefWindowSetup* setup = chart->outlets().prefWindow;
        setup->localizePrefPanel();
        setup->setupDate();
    });
    EXPECT_FALSE(written.contains(PrefKeys::StartupTime));
    EXPECT_TRUE(written.isEmpty()) << written.firstKey().toStdString();
}

TEST_F(PrefSitesWiringTest, GoToMovesTheChartsSiteAndZoneAndClosesTheWindow)
{
    const ScopedAppZone before(QTimeZone("America/Chicago"));
    SkyDateModel& skyDate = chart->skyDateModel();
    const QDateTime start(QDate(2026, 1, 15), QTime(21, 30), AppTimeZone::zone());
    skyDate.calculateDate(start, 0.0);
    chart->prefWindow().showTab(PrefWindow::kSetup);
    tab().siteRadio()->button(2)->click();
    setFields({"33", "52", "00", "151", "13", "00"});
    tab().northSouth()->button(1)->setChecked(true);
    tab().timeZonePopup()->setCurrentIndex(tab().timeZonePopup()->findText("UTC+10"));

    ASSERT_TRUE(tab().siteGotoAction());
    PrefControl& prefs = chart->prefControl();
    EXPECT_NEAR(prefs.latitude(), -33.8667, 1e-4);
    EXPECT_NEAR(prefs.longitude(), 151.2167, 1e-4);
    EXPECT_EQ(prefs.currentSite(), 2);
    EXPECT_EQ(AppTimeZone::zone().offsetFromUtc(start), 36000);
    // The same clock time, now in Sydney's zone; the chart's sidereal time follows the site.
    const QDateTime moved = skyDate.skyDate();
    EXPECT_EQ(moved.toTimeZone(AppTimeZone::zone()).time(), QTime(21, 30));
    EXPECT_EQ(moved.secsTo(start), 16 * 3600);
    const double lst = std::fmod(skyDate.gSiderialTime() + 151.2167 / 15.0, 24.0);
    EXPECT_NEAR(skyDate.localSiderialTime(), lst, 1e-3);
    EXPECT_FALSE(chart->prefWindow().window().isVisible());
}

TEST_F(PrefSitesWiringTest, ThePreferencesWindowStaysAboveTheChart)
{
    chart->skyWindow().show();
    chart->prefWindow().showTab(PrefWindow::kSetup);
    QWindow* window = chart->prefWindow().window().windowHandle();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->transientParent(), chart->skyWindow().windowHandle());
}

TEST_F(PrefSitesWiringTest, CityTablesLoadWhenShownAndAClickFillsTheTab)
{
    const QString user = folders.userData;
    ASSERT_TRUE(writeCitySource("BuildUSCity.txt", "1\nAlbuquerque, NM\t35\t5\tN\t106\t39\tW\t-7\n"));
    chart->prefWindow().showTab(PrefWindow::kSetup);
    CityTablesPanel* cities = chart->prefWindow().cityTables();
    ASSERT_NE(cities, nullptr);
    QTableView* us = cities->view(CityDataSource::kUSTag);
    ASSERT_TRUE(QTest::qWaitFor([&] { return us->model()->rowCount() == 1; }));
    EXPECT_TRUE(QFile::exists(user + "/Database/USCity.tvk"));

    tab().siteRadio()->button(1)->click();
    cities->cityClickedAction(CityDataSource::kUSTag, 0);
    EXPECT_EQ(tab().siteNameField(1)->text(), "Albuquerque, NM");
    EXPECT_EQ(tab().latitudeField(0)->text(), "35");
    EXPECT_EQ(tab().eastWest()->checkedId(), 1);
}

}  // namespace

namespace {

TEST_F(PrefSitesWiringTest, EnterOnACityFoundByTypingAppliesIt)
{
    ASSERT_TRUE(writeCitySource("BuildWorldCity.txt",
                                "2\nBerlin\t52\t31\tN\t13\t24\tE\t1\nSydney\t33\t52\tS\t151\t12\tE\t10\n"));
    chart->prefWindow().showTab(PrefWindow::kSetup);
    QTableView* world = chart->prefWindow().cityTables()->view(CityDataSource::kWorldTag);
    ASSERT_TRUE(QTest::qWaitFor([&] { return world->model()->rowCount() == 2; }));
    world->setFocus();
    QTest::keyClicks(world, "Syd");
    ASSERT_EQ(world->currentIndex().row(), 1);
    QTest::keyClick(world, Qt::Key_Return);
    EXPECT_EQ(tab().latitudeField(0)->text(), "33");
    EXPECT_EQ(tab().longitudeField(1)->text(), "12");
    EXPECT_EQ(tab().northSouth()->checkedId(), 1);
    EXPECT_EQ(tab().siteNameField(0)->text(), "Sydney");
}

}  // namespace
