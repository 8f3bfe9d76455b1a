#include "platform/widgets/ScreenPlacement.h"

#include <QGuiApplication>
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
