#include "PrefsFixture.h"

#include "prefs/CustomFilter.h"
#include "prefs/FiltersTab.h"
#include "prefs/PrefLocalization.h"
#include "prefs/RefusalNote.h"
#include "prefs/SetupOptions.h"
#include "prefs/StarPreview.h"
#include "prefs/ValueSlider.h"
#include "support/ScopedDefaultLocale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

namespace {

class FiltersTabTest : public ::testing::Test {
protected:
    FiltersTabTest() : prefs(gamma)
    {
        prefs.restoreDefaultPrefs();
        QFile file(dir.path() + "/Galaxies.txt");
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("M31\n");
        file.close();
        tab.setTourDirectory([this] { return dir.path() + "/"; });
        options.setLinks({[this] { ++tipSwitches; }, [this] { ++customHorizons; }, [this] { ++photoHorizons; }});
        tab.setupDate();
        options.setupDate();
    }

    NoGamma gamma;
    PrefControl prefs;
    PrefLocalization texts;
    CustomFilter filter;
    QTemporaryDir dir;
    FiltersTab tab{prefs, filter, texts};
    SetupOptions options{prefs, texts};
    int tipSwitches = 0;
    int customHorizons = 0;
    int photoHorizons = 0;
};

TEST_F(FiltersTabTest, ChoosingACustomFilterLeavesTheLabelKindAlone)
{
    prefs.setShowDSOName(true);
    prefs.setShowDSOMessier(false);
    prefs.setShowDSONGC(false);
    tab.setupDate();
    ASSERT_EQ(tab.customFilterPopup()->count(), 2);
    EXPECT_EQ(tab.customFilterPopup()->itemText(0), "Custom Filter");
    tab.customFilterPopup()->setCurrentIndex(1);
    tab.filterCheckboxAction(FiltersTab::kCustomFilter, true);
    EXPECT_EQ(prefs.customFilterIndex(), 1);
    EXPECT_TRUE(prefs.showDSOName());
    EXPECT_FALSE(prefs.showDSOMessier());
    EXPECT_FALSE(prefs.showDSONGC());
    EXPECT_EQ(filter.customFilterObjects(), QStringList({"M31"}));
    prefs.setCustomFilterIndex(0);
}

TEST_F(FiltersTabTest, AlignmentStarMarksExcludeOneAnother)
{
    tab.identBox(FiltersTab::kGemini)->setChecked(true);
    tab.identBox(FiltersTab::kMeade)->setChecked(true);
    EXPECT_TRUE(prefs.isMeadeAC());
    EXPECT_FALSE(prefs.isGeminiAC());
    EXPECT_FALSE(tab.identBox(FiltersTab::kGemini)->isChecked());
    tab.identBox(FiltersTab::kNexStar)->setChecked(true);
    EXPECT_FALSE(prefs.isMeadeAC());
    tab.identBox(FiltersTab::kNexStar)->setChecked(false);
    EXPECT_FALSE(prefs.isNexStarAC());
    EXPECT_FALSE(prefs.isGeminiAC());
    tab.filterBox(FiltersTab::kArp)->setChecked(!prefs.showArp());
    EXPECT_EQ(prefs.showArp(), tab.filterBox(FiltersTab::kArp)->isChecked());
}

TEST_F(FiltersTabTest, SlidersStoreAndReachThePreview)
{
    tab.slider(FiltersTab::kStarMag)->setValue(3.0);
    emit tab.slider(FiltersTab::kStarMag)->valueEdited(3.0);
    EXPECT_FLOAT_EQ(float(prefs.starMagLimit()), 3.0f);
    EXPECT_EQ(tab.starPreview()->samples().size(), 8u);
    tab.slider(FiltersTab::kDeepSkyMag)->QSlider::setValue(40);
    EXPECT_NEAR(prefs.deepSkyMagLimit(), 4.0, 1e-5);
}

TEST_F(FiltersTabTest, PhotoAndCustomHorizonsExcludeEachOther)
{
    options.box(SetupOptions::kCustomHorizon)->setChecked(true);
    EXPECT_EQ(customHorizons, 1);
    options.box(SetupOptions::kPhotoHorizon)->setChecked(true);
    EXPECT_EQ(photoHorizons, 1);
    EXPECT_TRUE(prefs.isPhotoHorizon());
    EXPECT_FALSE(prefs.isCustomHorizon());
    EXPECT_FALSE(options.box(SetupOptions::kCustomHorizon)->isChecked());
    options.box(SetupOptions::kPhotoHorizon)->setChecked(false);
    EXPECT_FALSE(prefs.isPhotoHorizon());
    EXPECT_FALSE(prefs.isCustomHorizon());
    EXPECT_EQ(customHorizons, 1);

    const bool tips = prefs.isToolTips();
    options.box(SetupOptions::kToolTips)->setChecked(!tips);
    EXPECT_EQ(prefs.isToolTips(), !tips);
    EXPECT_EQ(tipSwitches, 1);
}

TEST_F(FiltersTabTest, PathFieldsReadEitherSeparatorAndRefuseWhatIsOutOfRange)
{
    const ScopedDefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    tab.pathDaysField()->setText("3,5");
    emit tab.pathDaysField()->editingFinished();
    EXPECT_FLOAT_EQ(prefs.pathDays(), 3.5f);
    const float percent = prefs.pathPercent();
    for (const char* text : {"500", "-1", "abc"}) {
        tab.pathPercentField()->setText(text);
        emit tab.pathPercentField()->editingFinished();
        EXPECT_EQ(prefs.pathPercent(), percent) << text;
        // The field shows what is stored, and the note why.
        EXPECT_EQ(tab.pathPercentField()->text(), QString::number(percent)) << text;
        EXPECT_TRUE(tab.pathNote()->text().startsWith("% of Path in Future")) << text;
    }
    tab.pathPercentField()->setText("12.5");
    emit tab.pathPercentField()->editingFinished();
    EXPECT_FLOAT_EQ(prefs.pathPercent(), 12.5f);
    EXPECT_TRUE(tab.pathNote()->isHidden());
}

}  // namespace
