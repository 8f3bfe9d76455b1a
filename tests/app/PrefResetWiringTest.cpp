#include "app/AssembledProgram.h"
#include "app/ScopeViewAssembly.h"

#include "chart/PrefWindowSetup.h"
#include "chart/appmenu/NvxMenuActions.h"
#include "model/settings/PrefDefaults.h"
#include "mount/panels/ConnectMenu.h"
#include "platform/AppTimeZone.h"
#include "prefs/PrefWindowControl.h"
#include "prefs/ShortcutsTab.h"
#include "prefs/SitesTab.h"
#include "prefs/TelescopeTab.h"
#include "scopeview/SVDrawer.h"
#include "support/Eventually.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingAlertPresenter.h"
#include "support/ScopedAppZone.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QLockFile>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

// A user's own site, telescope and shortcut, then Reset Preferences from the
// application menu, as the program is assembled.
class PrefResetWiringTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        scopeView = std::make_unique<ScopeViewAssembly>(*chart, folders);
        chart->prefControl().readPrefs();
        chart->skyDateModel().startupDate();
        chart->outlets().prefWindow->setupDate();
        chart->outlets().prefWindow->setupScopes(0);
        chart->outlets().prefWindow->setupShortcuts();
    }
    void TearDown() override { scopeView.reset(); }

    SitesTab& sites() { return chart->prefWindow().sitesTab(); }
    TelescopeTab& telescope() { return chart->prefWindow().telescopeTab(); }
    ShortcutsTab& shortcuts() { return chart->prefWindow().shortcutsTab(); }

    void saveSydneyAsHome()
    {
        const QStringList texts{"33", "52", "00", "151", "12", "00"};
        for (int part = 0; part < 3; ++part) {
            sites().latitudeField(part)->setText(texts[part]);
            sites().longitudeField(part)->setText(texts[part + 3]);
        }
        sites().northSouth()->button(1)->setChecked(true);
        sites().siteNameField(0)->setText("Sydney");
        QComboBox* zones = sites().timeZonePopup();
        zones->setCurrentIndex(zones->findText(QString::fromUtf8(QTimeZone(10 * 3600).id())));
        ASSERT_TRUE(sites().siteSaveAction());
        ASSERT_TRUE(sites().siteGotoAction());
    }
    void reset() { chart->nvxMenu().nvxMenuAction(NvxMenuActions::kResetPreferences, false); }
    bool connectMenuLists(const QString& name) const
    {
        for (const QAction* item : chart->mountLink().connectMenu()->actions()) {
            if (item->text() == name)
                return true;
        }
        return false;
    }

    ScopedAlertRecorder recorder;  // answers Reset
    ScopedAppZone zone{QTimeZone::systemTimeZone()};
    std::unique_ptr<ScopeViewAssembly> scopeView;
};

TEST_F(PrefResetWiringTest, EveryTabTheDrawerAndTheConnectMenuShowTheDefaultsAndSaveWritesNoOldValue)
{
    saveSydneyAsHome();
    telescope().scopeSelectionAction(0);
    telescope().nameField()->setText("Old Refractor");
    telescope().focalLengthUnit()->button(1)->setChecked(true);
    telescope().focalLengthField()->setText("900");
    ASSERT_TRUE(telescope().saveScopeAction());
    telescope().scopeSelectionAction(2);
    shortcuts().field(0)->setText("Z");
    ASSERT_TRUE(shortcuts().shortcutAction(0));
    ASSERT_TRUE(connectMenuLists("Old Refractor"));
    ASSERT_FLOAT_EQ(scopeView->svWindow().svDrawer().scopeFL(), 900.0f);

    reset();

    EXPECT_EQ(sites().siteNameField(0)->text(), "Undefined");
    EXPECT_EQ(sites().latitudeField(0)->text(), "00");
    EXPECT_EQ(sites().longitudeField(0)->text(), "00");
    EXPECT_EQ(sites().timeZonePopup()->currentText(), "Unknown");
    EXPECT_EQ(telescope().currentScope(), 0);
    EXPECT_EQ(telescope().nameField()->text(), PrefDefaults::scopeNames()[0]);
    EXPECT_EQ(shortcuts().field(0)->text(), "-");
    EXPECT_FALSE(connectMenuLists("Old Refractor"));
    EXPECT_TRUE(connectMenuLists(PrefDefaults::scopeNames()[0]));
    EXPECT_FLOAT_EQ(scopeView->svWindow().svDrawer().scopeFL(), PrefDefaults::scopes()[0].scopeFL);

    // Save in each tab writes what the tab shows: the defaults.
    sites().siteSaveAction();
    EXPECT_EQ(chart->prefControl().siteNamesArray(), PrefDefaults::siteNames());
    EXPECT_EQ(chart->prefControl().sites()[0].latitude, 0.0f);
    ASSERT_TRUE(telescope().saveScopeAction());
    EXPECT_EQ(chart->prefControl().scopeNamesArray(), PrefDefaults::scopeNames());
    EXPECT_FLOAT_EQ(chart->prefControl().scopes()[0].scopeFL, PrefDefaults::scopes()[0].scopeFL);
    ASSERT_TRUE(shortcuts().shortcutAction(5));
    EXPECT_EQ(chart->prefControl().shortcutPrefStr(), QString(42, u'-'));
}

TEST_F(PrefResetWiringTest, TheZoneGoesBackWithTheSiteAndTheChartIsForTheMomentTheClockShows)
{
    saveSydneyAsHome();
    ASSERT_EQ(AppTimeZone::zone().offsetFromUtc(QDateTime::currentDateTimeUtc()), 10 * 3600);
    reset();

    EXPECT_EQ(AppTimeZone::zone(), QTimeZone::systemTimeZone());
    const SkyDateModel& date = chart->skyDateModel();
    // Worked out again for the home longitude, 0: local and Greenwich agree.
    EXPECT_NEAR(date.localSiderialTime(), date.gSiderialTime(), 1e-9);
    const auto* clock = chart->timePanel().findChild<QDateTimeEdit*>();
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(AppTimeZone::fromWallClock(clock->dateTime()).toSecsSinceEpoch(),
              date.skyDate().toSecsSinceEpoch());
}

}  // namespace

namespace {

// A change saved a moment later (here the Canon exposure chosen) on a full
// disk: the program alerts once with the reason, and goes quiet again once
// a write gets through.
using LaterSettingsWriteTest = AssembledProgram;

TEST_F(LaterSettingsWriteTest, AFailedWriteIsAlertedOnceWithItsReason)
{
    ScopedAlertRecorder alerts;
    PrefControl& prefs = chart->prefControl();
    prefs.setCanonExpIndex(2);
    ASSERT_TRUE(prefs.settingsWritePending());
    ASSERT_TRUE(eventually([&] { return !prefs.settingsWritePending(); }));
    ASSERT_TRUE(prefs.settingsWritten());
    {
        const FileSizeLimit limit(16);
        prefs.setCanonExpIndex(3);
        ASSERT_TRUE(eventually([&] { return !prefs.settingsWritePending(); }));
        ASSERT_FALSE(prefs.settingsWritten());
        prefs.setCanonExpIndex(4);
        ASSERT_TRUE(eventually([&] { return !prefs.settingsWritePending(); }));
    }
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Your preferences could not be saved.");
    EXPECT_FALSE(alerts.alerts[0].message.trimmed().isEmpty());

    prefs.setCanonExpIndex(5);
    EXPECT_TRUE(eventually([&] { return !prefs.settingsWritePending(); }));
    EXPECT_TRUE(prefs.settingsWritten());
    EXPECT_EQ(alerts.alerts.size(), 1u);
}

// Another program's long hold on the file is told as a save that waits, not as one that failed.
TEST_F(LaterSettingsWriteTest, ALongHoldIsToldAsASaveThatWaits)
{
    ScopedAlertRecorder alerts;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(PrefStore::fileName()).path()));
    QLockFile other(PrefStore::fileName() + ".lock");
    ASSERT_TRUE(other.lock());
    chart->prefControl().setCanonExpIndex(2);
    ASSERT_TRUE(eventually([&] { return !alerts.alerts.empty(); }));
    EXPECT_EQ(alerts.alerts[0].title, "Your preferences are waiting to be saved.");
}

}  // namespace
