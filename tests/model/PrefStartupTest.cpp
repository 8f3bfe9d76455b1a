#include "PrefFixture.h"

namespace {

class PrefStartupTest : public PrefFixture {};

TEST_F(PrefStartupTest, FreshLaunchStoresNothingAndStartsAtTenPmToday)
{
    const PrefControl& prefs = launch();
    EXPECT_TRUE(storedValues().isEmpty()) << storedValues().keys().join(u' ').toStdString();
    EXPECT_FALSE(prefs.isLaunch());
    EXPECT_EQ(prefs.findIndex(), -1);
    EXPECT_EQ(prefs.startupTime().time(), QTime(22, 0));
    EXPECT_EQ(prefs.startupTime().date(), QDate::currentDate());
}

TEST_F(PrefStartupTest, DeepStarZoneFilesRunSouthThenNorthInFiveDegreeSteps)
{
    const QStringList files = launch().HT2FilesArray();
    ASSERT_EQ(files.size(), 30);
    EXPECT_TRUE(files[0].endsWith("/HT2Stars/ccm00.txt"));
    EXPECT_TRUE(files[1].endsWith("/HT2Stars/ccm05.txt"));
    EXPECT_TRUE(files[14].endsWith("/HT2Stars/ccm70.txt"));
    EXPECT_TRUE(files[15].endsWith("/HT2Stars/ccp00.txt"));
    EXPECT_TRUE(files[29].endsWith("/HT2Stars/ccp70.txt"));
}

TEST_F(PrefStartupTest, StoredListsArePaddedFromTheirDefaultsAtEveryRead)
{
    seed({{"MythArrayPref", R"(["YES","NO"])"},
          {"SiteNamesArrayPref", R"(["Home"])"},
          {"ScopeNamesArrayPref", R"(["A","B","C","D","E","F"])"}});
    PrefControl& prefs = launch();
    ASSERT_EQ(prefs.mythArray().size(), 90);
    EXPECT_EQ(prefs.mythArray()[0], QStringLiteral("YES"));
    EXPECT_EQ(prefs.mythArray()[2], QStringLiteral("NO"));
    EXPECT_EQ(prefs.mythArray()[89], QStringLiteral("YES"));
    EXPECT_EQ(prefs.siteNamesArray(), (QStringList{"Home", "Undefined", "Undefined", "Undefined", "Undefined"}));
    EXPECT_EQ(prefs.scopeNamesArray(), (QStringList{"A", "B", "C", "D", "E"}));
    prefs.readPrefs();
    EXPECT_EQ(prefs.mythArray().size(), 90);
}

TEST_F(PrefStartupTest, StoredValuesAreRead)
{
    seed({{"AzimuthPref", "90"}, {"ShowCometPref", "YES"}, {"PhotoHorizonPref", "YES"}, {"RunRealTimePref", "YES"},
          {"InfoPanel6Pref", "7"}, {"CustomFilterIndexPref", "3"}, {"StarNameColorPref", "1 0 0 1"},
          {"GridlabelFontPref", "Serif;14;italic"}});
    const PrefControl& prefs = launch();
    EXPECT_EQ(prefs.azimuth(), 90.0);
    EXPECT_EQ(prefs.startupDirection(), 90.0f);
    EXPECT_TRUE(prefs.showComet());
    EXPECT_TRUE(prefs.isPhotoHorizon());
    EXPECT_TRUE(prefs.isRunRealTime());
    EXPECT_EQ(prefs.infoPanelValues(5), 7);
    EXPECT_EQ(prefs.customFilterIndex(), 3);
    EXPECT_EQ(prefs.starNameColor(), QColor(Qt::red));
    EXPECT_EQ(prefs.starNameAttributes().color, QColor(Qt::red));
    EXPECT_EQ(prefs.gridLabelFont().family(), QStringLiteral("Serif"));
    EXPECT_TRUE(prefs.gridLabelAttributes().font.italic());
    EXPECT_EQ(prefs.gridLabelAttributes().font.pointSizeF(), 14.0);
}

}  // namespace
