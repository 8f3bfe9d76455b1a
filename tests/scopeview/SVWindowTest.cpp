#include "SVFixture.h"

#include "scopeview/SVClickMenu.h"
#include "scopeview/SVConeSearch.h"

#include "model/Angles.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

struct FakeConeSearch final : SVConeSearch {
    bool hasData = true;
    void setNomadHasData(bool has) override { hasData = has; }
    bool hasNomadData() const override { return hasData; }
    void nomadDownload(bool) override {}
    void setNomadCache(bool) override {}
    std::span<nomadData> nomadStars() override { return {}; }
};

class SVWindowTest : public SVFixture {
protected:
    void SetUp() override
    {
        SVFixture::SetUp();
        setScopes({1000.0f});
        prefs().setCurrentScope(0);
        prefs().setArrowSpeed(51.0f);
        makeWindow();
        window().setConeSearch(&nomad);
        view().setTrackRA(1.0, 0.3);
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&window(), Qt::Key(key), modifiers);
    }

    FakeConeSearch nomad;
};

TEST_F(SVWindowTest, AltArrowsReachBothPowerLimitsAndStopThere)
{
    drawer().setSVPower(9.0f);
    for (int i = 0; i < 5; ++i)
        press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_FLOAT_EQ(drawer().power(), 6.0f);
    EXPECT_NEAR(drawer().fov(), 50.0 / 6.0, 1e-5);

    drawer().setSVPower(7999.0f);
    press(Qt::Key_Up, Qt::AltModifier);
    EXPECT_FLOAT_EQ(drawer().power(), 8000.0f);
    press(Qt::Key_Up, Qt::AltModifier);
    EXPECT_FLOAT_EQ(drawer().power(), 8000.0f);
    EXPECT_FLOAT_EQ(drawer().fov(), 50.0f / 8000.0f);
    EXPECT_NEAR(view().angles().svAngle, 50.0 / 8000.0 * 0.5 * Angles::kDegToRad, 1e-12);
}

TEST_F(SVWindowTest, ArrowPansByTheFieldAndSpeedAndThePanSurvivesAPowerChange)
{
    drawer().setSVPower(50.0f);  // a 1 degree field
    press(Qt::Key_Up);
    const double step = 0.5 * 0.0174532925199433 * 0.02617993877991495 * 0.51;
    EXPECT_NEAR(view().state().deltaDec(), step, 1e-15);
    press(Qt::Key_Left);
    EXPECT_NEAR(view().state().deltaRA(), step, 1e-15);

    press(Qt::Key_Up, Qt::AltModifier);
    drawer().setSVPower(200.0f);
    EXPECT_NEAR(view().state().deltaDec(), step, 1e-15);
    EXPECT_NEAR(view().state().deltaRA(), step, 1e-15);
}

TEST_F(SVWindowTest, ReversedOpticsReverseThePanKeys)
{
    prefs().scopes()[0].isRevEW = 1;
    prefs().scopes()[0].isRevNS = 1;
    drawer().setSVPower(50.0f);
    press(Qt::Key_Left);
    press(Qt::Key_Up);
    EXPECT_LT(view().state().deltaRA(), 0.0);
    EXPECT_LT(view().state().deltaDec(), 0.0);

    // Without a telescope nothing is reversed.
    prefs().setCurrentScope(-1);
    view().resetDeltas();
    press(Qt::Key_Left);
    EXPECT_GT(view().state().deltaRA(), 0.0);
}

TEST_F(SVWindowTest, EveryKeyButAModifierAloneDropsTheSurveyImageAndTheConeSearchStars)
{
    for (int key : {Qt::Key_Control, Qt::Key_Alt, Qt::Key_Shift, Qt::Key_Meta, Qt::Key_Up, Qt::Key_A, Qt::Key_Space}) {
        const bool modifier = key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Shift || key == Qt::Key_Meta;
        view().state().setIsDSSImage(true);
        nomad.hasData = true;
        const double ra = view().state().deltaRA();
        press(key);
        EXPECT_EQ(view().state().isDSSImage(), modifier) << key;
        EXPECT_EQ(nomad.hasData, modifier) << key;
        EXPECT_EQ(view().state().deltaRA(), ra) << key;
    }
}

TEST_F(SVWindowTest, ThePowerReadoutHoldsFourDigitsBeforeTheFieldText)
{
    // A large font, as a user's settings may give, makes any fixed width too small.
    QFont large = window().font();
    large.setPointSize(20);
    window().setFont(large);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    drawer().setSVPower(8000.0f);
    window().updateBottomPanel();
    const QLabel& power = window().svPowerText();
    ASSERT_TRUE(power.text().endsWith("8000")) << power.text().toStdString();
    const int textEnd = power.x() + power.fontMetrics().horizontalAdvance(power.text());
    EXPECT_GE(power.x() + power.width(), textEnd);
    EXPECT_GE(window().svFOVText().x(), textEnd);
}

TEST_F(SVWindowTest, AFieldJustUnderADegreeReadsAsTheTelescopeTabShowsIt)
{
    drawer().setSVPower(50.001f);
    window().updateBottomPanel();
    EXPECT_TRUE(window().svFOVText().text().endsWith(QString::fromUtf8(": 1°0'")))
        << window().svFOVText().text().toStdString();
}

TEST_F(SVWindowTest, WindowKeepsASquareViewBetweenTheMenusAndTheBottomBar)
{
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    for (QSize size : {QSize(500, 700), QSize(600, 300)}) {
        window().resize(size);
        QCoreApplication::processEvents();
        EXPECT_EQ(view().width(), view().height()) << size.width();
        EXPECT_EQ(window().height(), window().menuBar().height() + view().height() + SVWindow::kBottomBarHeight)
            << size.width();
        EXPECT_EQ(view().y(), window().menuBar().height()) << size.width();
    }
    // Opening the drawer widens the window and leaves the view as it was.
    const int side = view().width();
    window().svDrawerDisc().setChecked(true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window().isDrawerOpen());
    EXPECT_EQ(view().width(), side);
    EXPECT_EQ(view().height(), side);
}

TEST_F(SVWindowTest, ClosingKeepsTheWindowClosed)
{
    window().show();
    EXPECT_FALSE(window().keepSVClosed());
    window().close();
    EXPECT_TRUE(window().keepSVClosed());
}

TEST_F(SVWindowTest, ClickMenuSetsTheOneShotModes)
{
    SVClickMenu& menu = window().svClickMenu();
    ASSERT_EQ(menu.actions().size(), 2);
    menu.actions()[0]->trigger();
    EXPECT_TRUE(view().state().isTrack());
    EXPECT_FALSE(view().state().isAngleSep());
    menu.actions()[1]->trigger();
    EXPECT_TRUE(view().state().isAngleSep());
}

TEST_F(SVWindowTest, ViewPaintsWithTheRotationOfAnAltAzimuthMount)
{
    prefs().setIsScopeAltAz(true);
    prefs().setLatitude(50.0);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    // The sky date's sidereal time is 0 here: a centre at RA 0 is on the meridian.
    view().setTrackRA(0.0, 70.0 * Angles::kDegToRad);
    view().repaint();
    EXPECT_NEAR(std::abs(view().qP()), Angles::kPi, 1e-9);
    view().setTrackRA(0.0, 20.0 * Angles::kDegToRad);
    view().repaint();
    EXPECT_EQ(view().qP(), 0.0);
    ASSERT_TRUE(view().projection());
    EXPECT_EQ(view().projection()->dec0(), 20.0 * Angles::kDegToRad);
}

}  // namespace
