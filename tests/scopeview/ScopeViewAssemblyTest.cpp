#include "scopeview/ScopeViewAssembly.h"

#include "chart/MenuBarItem.h"
#include "chart/ScopeViewControl.h"
#include "chart/menus/ChartMenuBar.h"
#include "model/Angles.h"
#include "model/TempSettings.h"
#include "platform/DataPaths.h"
#include "scopeview/SVView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>

namespace {

// The chart's program with the telescope view joined to it, not launched.
class ScopeViewAssemblyTest : public TempSettings {
protected:
    void SetUp() override
    {
        TempSettings::SetUp();
        ASSERT_TRUE(m_root.isValid());
        const ChartAssembly::Folders folders{DataPaths::bundleDataFolder(), m_root.path() + "/Norvane Pro",
                                             DataPaths::bundleResourcesFolder()};
        chart = std::make_unique<ChartAssembly>(folders);
        scopeView = std::make_unique<ScopeViewAssembly>(*chart, folders);
    }
    void TearDown() override
    {
        scopeView.reset();
        chart.reset();
    }

    SVWindow& window() { return scopeView->svWindow(); }
    WindowMenuActions& windowMenu() { return chart->menuBar().windowMenu(); }

    std::unique_ptr<ChartAssembly> chart;
    std::unique_ptr<ScopeViewAssembly> scopeView;

private:
    QTemporaryDir m_root;
};

constexpr double kHourToRad = M_PI / 12.0;

}  // namespace

TEST_F(ScopeViewAssemblyTest, TheWindowMenuOpensTheScopeViewWhoseMenuBarShowsTheChartAgain)
{
    SkyWindow& sky = chart->skyWindow();
    sky.show();
    windowMenu().menuAction(WindowMenuActions::kScopeViewTag);
    ASSERT_TRUE(window().isVisible());
    EXPECT_FALSE(window().keepSVClosed());

    windowMenu().menuAction(WindowMenuActions::kSkyWindowTag);
    ASSERT_FALSE(sky.isVisible());
    QAction* skyItem = menuBarItem(window().menuBar(), "Windows", WindowMenuActions::kSkyWindowTag);
    ASSERT_NE(skyItem, nullptr);
    skyItem->trigger();
    EXPECT_TRUE(sky.isVisible());

    // Closed from the menu, it stays closed until the menu opens it.
    windowMenu().menuAction(WindowMenuActions::kScopeViewTag);
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(window().keepSVClosed());
}

TEST_F(ScopeViewAssemblyTest, ASavedPositionBringsTheViewBackToItsCentre)
{
    // 5 h 35 min 17 s, -5° 23' 28"
    const double ra = (5.0 + 35.0 / 60.0 + 17.0 / 3600.0) * kHourToRad;
    const double dec = -(5.0 + 23.0 / 60.0 + 28.0 / 3600.0) * Angles::kDegToRad;
    SVView& view = window().svView();
    view.setTrackRA(ra, dec);
    EditMenuActions& edit = chart->menuBar().editMenu();
    edit.menuAction(EditMenuActions::kSavePositionTag);
    EXPECT_EQ(chart->prefControl().SVSavePosnStr(), "5:35:17:-5:23:28.0");

    view.setTrackRA(1.0, 0.5);
    view.state().addDeltas(0.01, -0.02);
    edit.menuAction(EditMenuActions::kRestorePositionTag);
    EXPECT_NEAR(view.state().trackRA(), ra, 1e-9);
    EXPECT_NEAR(view.state().trackDec(), dec, 1e-9);
    EXPECT_EQ(view.state().deltaRA(), 0.0);
    EXPECT_EQ(view.state().deltaDec(), 0.0);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().windowTitle(), "Restored Position");
}

TEST_F(ScopeViewAssemblyTest, ThePrintedViewFillsItsPageAndNothingElse)
{
    window().show();
    QImage paper(300, 400, QImage::Format_RGB32);
    paper.fill(Qt::white);
    const QRect page(50, 20, 200, 300);
    {
        QPainter painter(&paper);
        chart->outlets().svControl->printPage(painter, page);
    }
    int inked = 0;
    for (int y = 0; y < paper.height(); ++y) {
        for (int x = 0; x < paper.width(); ++x) {
            if (paper.pixel(x, y) == qRgb(255, 255, 255))
                continue;
            ASSERT_TRUE(page.contains(x, y)) << x << "," << y;
            ++inked;
        }
    }
    // The field is a square as wide as the page.
    EXPECT_GT(inked, page.width() * page.width() / 2);
}

TEST_F(ScopeViewAssemblyTest, ClosingTheLastOpenWindowEndsTheProgram)
{
    SkyWindow& sky = chart->skyWindow();
    SSWindow& solarSystem = chart->ssWindow();
    sky.show();
    solarSystem.show();
    window().show();
    bool wasRunning = false;
    QTimer::singleShot(0, [&] {
        sky.close();
        solarSystem.close();
    });
    QTimer::singleShot(100, [&] {
        wasRunning = true;
        window().close();
    });
    QTimer guard;
    guard.callOnTimeout([] { QCoreApplication::exit(99); });
    guard.start(10000);

    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(wasRunning);
}
