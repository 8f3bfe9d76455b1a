#include "SVFixture.h"

#include "scopeview/SVDrawView.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <gtest/gtest.h>

namespace {

class SVDrawerTest : public SVFixture {
protected:
    QStringList rowTitles()
    {
        QStringList titles;
        for (QRadioButton* row : controls().eyeRows)
            titles << row->text();
        return titles;
    }
    void chooseRow(int row) { controls().svEyeRadio->button(row)->click(); }
};

TEST_F(SVDrawerTest, TelescopeListStopsAtTheFirstEmptySlot)
{
    setScopes({1000.0f, 600.0f, 0.0f, 800.0f});
    prefs().setCurrentScope(1);
    makeWindow();
    EXPECT_EQ(controls().scopeHelp->count(), 2);
    EXPECT_EQ(controls().scopeHelp->currentIndex(), 1);
    EXPECT_FLOAT_EQ(drawer().scopeFL(), 600.0f);
}

TEST_F(SVDrawerTest, SetupStartsAtPowerTenWithNoRowSelected)
{
    setScopes({2000.0f});
    prefs().setCurrentScope(0);
    setEyepiece(0, 20.0f, 50.0f);
    setEyepiece(1, 0.0f, 0.0f);
    setEyepiece(9, 50.0f, 100.0f);
    prefs().setCurrentEyepiece(3);
    makeWindow();
    EXPECT_FLOAT_EQ(drawer().power(), 10.0f);
    EXPECT_FLOAT_EQ(drawer().fov(), 5.0f);
    EXPECT_EQ(prefs().currentEyepiece(), -1);
    EXPECT_EQ(controls().selectedEyeRow(), -1);
    EXPECT_EQ(controls().svPowerSlider->value(), SVDrawView::sliderPosition(10.0));
    EXPECT_EQ(drawer().server(), "phase2");
    EXPECT_EQ(drawer().serverIndex(), 8);
    const QStringList titles = rowTitles();
    EXPECT_EQ(titles[0], "20.0");
    EXPECT_EQ(titles[1], "---");
    EXPECT_EQ(titles[9], "---");
    EXPECT_TRUE(controls().eyeRows[0]->isEnabled());
    EXPECT_FALSE(controls().eyeRows[1]->isEnabled());
    EXPECT_TRUE(controls().eyeRows[9]->isEnabled());
}

TEST_F(SVDrawerTest, EyepieceRowSetsPowerFieldAndButtons)
{
    setScopes({2000.0f});
    prefs().setCurrentScope(0);
    setEyepiece(4, 20.0f, 50.0f);
    makeWindow();
    view().setTrackRA(1.0, 0.3);
    view().state().setIsDSSImage(true);
    view().state().setHasChanged(false);
    chooseRow(4);
    EXPECT_FLOAT_EQ(drawer().power(), 100.0f);
    EXPECT_FLOAT_EQ(drawer().fov(), 0.5f);
    EXPECT_EQ(prefs().currentEyepiece(), 4);
    EXPECT_TRUE(controls().downloadText->isEnabled());
    EXPECT_TRUE(controls().nomadDownloadButton->isEnabled());
    EXPECT_FALSE(view().state().isDSSImage());
    EXPECT_TRUE(view().state().hasChanged());
    EXPECT_EQ(controls().svPowerSlider->value(), SVDrawView::sliderPosition(100.0));

    // Moving the slider sets the power directly and lets go of the row.
    controls().svPowerSlider->setValue(SVDrawView::sliderPosition(10.0));
    EXPECT_NEAR(drawer().power(), 10.0f, 1e-3);
    EXPECT_NEAR(drawer().fov(), 5.0f, 1e-3);
    EXPECT_EQ(controls().selectedEyeRow(), -1);
    EXPECT_EQ(prefs().currentEyepiece(), -1);
    EXPECT_FALSE(controls().downloadText->isEnabled());
    EXPECT_FALSE(controls().nomadDownloadButton->isEnabled());
    controls().serverHelp->setCurrentIndex(11);
    drawer().svDSSServerAction(11);
    EXPECT_TRUE(controls().downloadText->isEnabled());
    EXPECT_EQ(drawer().server(), "DSS");
}

TEST_F(SVDrawerTest, DownloadsWaitForAFieldCentre)
{
    setScopes({2000.0f});
    prefs().setCurrentScope(0);
    setEyepiece(4, 20.0f, 50.0f);
    makeWindow();
    chooseRow(4);
    EXPECT_FALSE(controls().downloadText->isEnabled());
    EXPECT_FALSE(controls().nomadDownloadButton->isEnabled());
    view().setTrackRA(1.0, 0.3);
    EXPECT_TRUE(controls().downloadText->isEnabled());
    EXPECT_TRUE(controls().nomadDownloadButton->isEnabled());
}

TEST_F(SVDrawerTest, ChoosingATelescopeKeepsADirectPowerOrReappliesTheRow)
{
    setScopes({1000.0f, 2000.0f});
    prefs().setCurrentScope(0);
    setEyepiece(2, 20.0f, 50.0f);
    makeWindow();
    drawer().setSVPower(40.0f);
    drawer().svScopeAction(1);
    EXPECT_FLOAT_EQ(drawer().power(), 40.0f);
    EXPECT_FLOAT_EQ(drawer().fov(), 1.25f);
    EXPECT_EQ(prefs().currentScope(), 1);

    chooseRow(2);
    EXPECT_FLOAT_EQ(drawer().power(), 100.0f);
    drawer().svScopeAction(0);
    EXPECT_FLOAT_EQ(drawer().power(), 50.0f);
    EXPECT_FLOAT_EQ(drawer().fov(), 1.0f);
}

// Without a telescope the eyepieces and the camera would give power 0 and an
// infinite field: their rows are off and the direct power stays.
TEST_F(SVDrawerTest, WithoutATelescopeOnlyTheDirectPowerWorks)
{
    setScopes({0.0f});
    prefs().setCurrentScope(-1);
    setEyepiece(0, 20.0f, 50.0f);
    setEyepiece(9, 50.0f, 100.0f);
    makeWindow();
    EXPECT_EQ(controls().scopeHelp->count(), 0);
    for (QRadioButton* row : controls().eyeRows)
        EXPECT_FALSE(row->isEnabled());
    drawer().setSVPower(25.0f);
    drawer().svEyeAction(0);
    drawer().svEyeAction(9);
    EXPECT_FLOAT_EQ(drawer().power(), 25.0f);
    EXPECT_FLOAT_EQ(drawer().fov(), 2.0f);
    EXPECT_EQ(controls().selectedEyeRow(), -1);
    drawer().svScopeAction(3);
    EXPECT_EQ(prefs().currentScope(), -1);
}

TEST_F(SVDrawerTest, CameraRowIsTitledByTheCameraKind)
{
    setScopes({1000.0f});
    prefs().setCurrentScope(0);
    setEyepiece(9, 50.0f, 100.0f);
    makeWindow();
    struct Case {
        int kind;
        const char* title;
    };
    for (const Case c : {Case{0, "Full"}, Case{1, "APS-C"}, Case{2, "WCAM"}, Case{7, "Full"},
                         Case{-1, "Full"}}) {
        prefs().setCurrentDSLR(c.kind);
        chooseRow(9);
        EXPECT_EQ(controls().eyeRows[9]->text(), c.title) << c.kind;
        EXPECT_FLOAT_EQ(drawer().power(), 20.0f) << c.kind;
        EXPECT_TRUE(std::isfinite(drawer().fov())) << c.kind;
    }
    prefs().setCurrentDSLR(0);
    chooseRow(9);
    EXPECT_NEAR(drawer().fov(), 2.95, 0.005);
}

TEST_F(SVDrawerTest, ConeSearchControlsByTag)
{
    makeWindow();
    struct Case {
        int index;
        float mag;
    };
    for (const Case c : {Case{2, 18.4f}, Case{1, 15.4f}, Case{5, 15.4f}, Case{0, 12.4f}}) {
        drawer().nomadAction(SVDrawer::kNomadMagTag, c.index);
        EXPECT_FLOAT_EQ(drawer().nomadMag(), c.mag) << c.index;
    }
    controls().nomadShowMagCheckbox->setChecked(true);
    controls().nomadStarChecboxk->setChecked(true);
    controls().nomadGridCheckbox->setChecked(true);
    EXPECT_TRUE(drawer().isNomadShowMag());
    EXPECT_TRUE(drawer().isNomadStar());
    EXPECT_TRUE(drawer().isNomadGrid());
    drawer().nomadAction(99, 1);

    // The set-up clears the magnitudes and stars, not the grid.
    drawer().setupDrawer();
    EXPECT_FALSE(drawer().isNomadShowMag());
    EXPECT_FALSE(drawer().isNomadStar());
    EXPECT_TRUE(drawer().isNomadGrid());
    EXPECT_FLOAT_EQ(drawer().nomadMag(), 12.4f);
}

TEST_F(SVDrawerTest, SurveyChoicesAndDownloadButtonTitle)
{
    makeWindow();
    drawer().svDSSServerAction(13);
    EXPECT_EQ(drawer().serverIndex(), 8);
    EXPECT_EQ(drawer().server(), "phase2");
    EXPECT_TRUE(view().hasHT2Block());
    drawer().setIsDownloading(true);
    EXPECT_EQ(controls().downloadText->text(), "Cancel");
    drawer().setIsDownloading(false);
    EXPECT_EQ(controls().downloadText->text(), "Download");
    controls().cacheText->setChecked(!prefs().isDSSCache());
    EXPECT_EQ(prefs().isDSSCache(), controls().cacheText->isChecked());
}

TEST_F(SVDrawerTest, EightToolTipsComeAndGo)
{
    makeWindow();
    SVDrawView& d = controls();
    const std::vector<QWidget*> owners{d.powerText,     d.scopeHelp,     d.serverHelp,
                                       d.downloadText,  d.cacheText,     d.svPowerSlider,
                                       d.nomadDownloadButton, d.nomadStarChecboxk};
    d.setToolTips();
    for (QWidget* w : owners)
        EXPECT_FALSE(w->toolTip().isEmpty());
    EXPECT_EQ(d.svPowerSlider->toolTip(), "Change the power from 6 to 8000");
    EXPECT_EQ(d.nomadStarChecboxk->toolTip(), "Select to display as stars rather than a red overlay.");
    d.clearToolTips();
    for (QWidget* w : owners)
        EXPECT_TRUE(w->toolTip().isEmpty());
}

}  // namespace
