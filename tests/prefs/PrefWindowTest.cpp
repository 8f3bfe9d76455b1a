#include "PrefsFixture.h"

#include "model/settings/links/ChartRefresh.h"
#include "prefs/PrefWindow.h"
#include "prefs/PrefWindowControl.h"

#include <QApplication>
#include <QEvent>
#include <QTabWidget>
#include <QTest>

namespace {

struct CountingRefresh final : ChartRefresh {
    void updateSkyAndColor() override { ++count; }
    int count = 0;
};

TEST(PrefWindow, SevenTabsWithTheSetupTabFirst)
{
    NoGamma gamma;
    PrefControl prefs(gamma);
    SkyDateModel skyDate(prefs);
    CustomFilter filter;
    PrefWindowControl control(prefs, skyDate, filter);
    QTabWidget* tabs = control.window().tabs();
    ASSERT_EQ(tabs->count(), 7);
    // A single '&' would be taken as a mnemonic and shown as an underline.
    const QStringList titles{"Setup", "Filters", "Fonts && Color", "Info Panel", "Telescope", "Myth/Misc", "Shortcuts"};
    for (int tab = 0; tab < 7; ++tab)
        EXPECT_EQ(tabs->tabText(tab), titles[tab]);
    EXPECT_TRUE(tabs->widget(0)->isAncestorOf(&control.sitesTab()));
    EXPECT_FALSE(control.window().isModal());
    EXPECT_TRUE(control.window().windowFlags().testFlag(Qt::Tool));
}

TEST(PrefWindow, DeactivationRefreshesTheChartOnce)
{
    PrefWindow window;
    CountingRefresh refresh;
    window.setChartRefresh(&refresh);
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    const int beforeLeaving = refresh.count;
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    EXPECT_EQ(refresh.count - beforeLeaving, 1);
}

TEST(PrefWindow, ShowTabBringsTheWindowUpOnThatTab)
{
    NoGamma gamma;
    PrefControl prefs(gamma);
    SkyDateModel skyDate(prefs);
    CustomFilter filter;
    PrefWindowControl control(prefs, skyDate, filter);
    control.showTab(PrefWindow::kFilters);
    EXPECT_TRUE(control.window().isVisible());
    EXPECT_EQ(control.window().tabs()->currentIndex(), 1);
    EXPECT_EQ(control.window().pos(), QPoint(20, 20));

    // Escape closes it; it opens again where the user left it.
    QTest::keyClick(&control.window(), Qt::Key_Escape);
    EXPECT_FALSE(control.window().isVisible());
    control.window().move(140, 90);
    control.showTab(PrefWindow::kSetup);
    EXPECT_EQ(control.window().pos(), QPoint(140, 90));
}

}  // namespace
