#include "app/display/WindowManagerTest.h"
#include "app/ScopeViewAssembly.h"
#include "chart/ChartOutlets.h"
#include "chart/TimePanel.h"
#include "chart/menus/ChartMenuBar.h"
#include "platform/widgets/MessageBoxPresenter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <memory>

using WindowStackingTest = WindowManagerTest;

TEST_F(WindowStackingTest, AWindowFromTheMenuStaysAboveTheChartAndAnAlertAboveEveryPanel)
{
    SkyWindow& sky = chart->skyWindow();
    sky.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sky));
    settle();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_TRUE(screen.contains(sky.frameGeometry().topLeft())) << "the chart's title bar is on screen";

    chart->menuBar().windowMenu().menuAction(WindowMenuActions::kScopeViewTag);
    SVWindow& view = scopeView->svWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    settle();
    ASSERT_GE(level(sky), 0);
    EXPECT_GT(level(view), level(sky));

    // The pointer crossing the chart gives it the keyboard, not the top.
    const QPoint middle = sky.mapToGlobal(sky.rect().center());
    QProcess::execute("xdotool", {"mousemove", QString::number(middle.x()), QString::number(middle.y())});
    settle();
    sky.activateWindow();
    settle();
    EXPECT_GT(level(view), level(sky));

    chart->outlets().timeControlPanel->orderFront();
    chart->outlets().directionControlPanel->orderFront();
    settle();
    qsizetype alertLevel = -1;
    qsizetype top = -2;
    QTimer::singleShot(800, [&] {
        if (QWidget* alert = QApplication::activeModalWidget()) {
            alertLevel = level(*alert);
            top = stacking().size() - 1;
            alert->close();
        }
    });
    MessageBoxPresenter().showAlert("Reset all preferences?", " ");
    EXPECT_EQ(alertLevel, top) << "the alert is the topmost window";
}
