#include "platform/widgets/FirstShowPlacement.h"
#include "platform/widgets/ScreenPlacement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

TEST(ScreenPlacement, AWindowOffTheOnlyScreenComesBackInAndOneOnItStays)
{
    ASSERT_EQ(QGuiApplication::screens().size(), 1);
    const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
    constexpr int kHeight = 100;
    struct Case {
        const char* name;
        void (*place)(QWidget&);
        QPoint comesTo;
    };
    const Case cases[] = {
        {"lower left", ScreenPlacement::toLowerLeft, QPoint(visible.left() + 30, visible.bottom() - kHeight - 30)},
        {"top left", ScreenPlacement::toTopLeft, visible.topLeft() + QPoint(30, 30)},
        {"fixed point", [](QWidget& w) { ScreenPlacement::toPoint(w, QPoint(20, 20)); }, QPoint(20, 20)},
    };
    for (const Case& c : cases) {
        QWidget window;
        window.resize(200, kHeight);
        window.move(visible.right() - 50, visible.top() + 10);
        c.place(window);
        EXPECT_EQ(window.pos(), c.comesTo) << c.name;

        const QPoint inside = visible.topLeft() + QPoint(100, 100);
        window.move(inside);
        c.place(window);
        EXPECT_EQ(window.pos(), inside) << c.name;
    }
}

TEST(ScreenPlacement, AWindowHangingOffTheScreenMovesJustInside)
{
    const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        const char* name;
        QPoint at;
        QPoint comesTo;
    } cases[] = {
        {"off the bottom right", visible.bottomRight() - QPoint(20, 10), visible.bottomRight() - QPoint(199, 99)},
        {"off the top left", visible.topLeft() - QPoint(50, 40), visible.topLeft()},
        {"inside", visible.topLeft() + QPoint(60, 70), visible.topLeft() + QPoint(60, 70)},
    };
    for (const auto& c : cases) {
        QWidget window;
        window.resize(200, 100);
        window.move(c.at);
        ScreenPlacement::keepInside(window);
        EXPECT_EQ(window.pos(), c.comesTo) << c.name;
    }
}

TEST(ScreenPlacement, AWindowTallerThanTheScreenShrinksToIt)
{
    const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget window;
    window.resize(300, visible.height() + 80);
    window.move(visible.topLeft() + QPoint(40, 30));
    ScreenPlacement::keepInside(window);
    EXPECT_EQ(window.frameGeometry(), QRect(visible.topLeft() + QPoint(40, 0), QSize(300, visible.height())));
}

TEST(ScreenPlacement, AWindowOpensInACornerOfAnotherAndStaysOnScreen)
{
    const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect area(visible.topLeft() + QPoint(100, 80), QSize(600, 400));
    const struct {
        const char* name;
        Qt::Corner corner;
        QRect area;
        QPoint comesTo;
    } cases[] = {
        {"top left", Qt::TopLeftCorner, area, area.topLeft() + QPoint(30, 30)},
        {"top right", Qt::TopRightCorner, area, QPoint(area.right() + 1 - 30 - 200, area.top() + 30)},
        {"bottom left", Qt::BottomLeftCorner, area, QPoint(area.left() + 30, area.bottom() + 1 - 30 - 100)},
        {"an area off the screen", Qt::TopLeftCorner, area.translated(-400, -300), visible.topLeft()},
    };
    for (const auto& c : cases) {
        QWidget window;
        window.resize(200, 100);
        ScreenPlacement::intoCorner(window, c.area, c.corner);
        EXPECT_EQ(window.pos(), c.comesTo) << c.name;
    }
}

TEST(ScreenPlacement, AChildWindowOpensBelowItsParentsMenuBarOnlyAtItsFirstShow)
{
    QMainWindow parent;
    parent.setMenuBar(new QMenuBar);
    parent.menuBar()->addMenu("File");
    parent.setCentralWidget(new QWidget);
    parent.setGeometry(QRect(QGuiApplication::primaryScreen()->availableGeometry().topLeft() + QPoint(50, 40),
                             QSize(700, 500)));
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    QWidget panel(&parent, Qt::Tool);
    panel.resize(150, 120);
    FirstShowPlacement::install(panel, [&panel] { ScreenPlacement::toParentTopLeft(panel); });
    panel.show();
    const QPoint content = parent.centralWidget()->mapToGlobal(QPoint(0, 0));
    EXPECT_GT(content.y(), parent.geometry().top()) << "the menu bar is above the content";
    EXPECT_EQ(panel.pos(), content + QPoint(30, 30));

    // Moved by the user, hidden and shown again, it stays.
    panel.move(content + QPoint(300, 200));
    panel.hide();
    panel.show();
    EXPECT_EQ(panel.pos(), content + QPoint(300, 200));
}
