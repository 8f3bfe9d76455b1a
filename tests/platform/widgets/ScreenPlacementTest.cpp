#include "platform/widgets/FirstShowPlacement.h"
#include "platform/widgets/ScreenPlacement.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
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

TEST(ScreenPlacement, AWindowTallerThanTheScreenKeepsItsTitleBarOnIt)
{
    const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        const char* name;
        int minimumHeight;
        int height;
    } cases[] = {
        {"shrinks to the screen", 0, visible.height()},
        {"may not shrink", visible.height() + 50, visible.height() + 50},
    };
    for (const auto& c : cases) {
        QWidget window;
        window.setMinimumHeight(c.minimumHeight);
        window.resize(200, visible.height() + 50);
        window.move(visible.right() - 50, visible.top() + 10);
        ScreenPlacement::toLowerLeft(window);
        EXPECT_EQ(window.frameGeometry().topLeft(), visible.topLeft() + QPoint(30, 0)) << c.name;
        EXPECT_EQ(window.height(), c.height) << c.name;
    }
}

TEST(ScreenPlacement, AWindowTooTallBelowAnAreasTopShrinksRatherThanRiseOverIt)
{
    const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
    // A chart's view, say, below its menu bar and above its readouts.
    const QRect area(QPoint(visible.left() + 100, visible.top() + 120), visible.bottomRight() - QPoint(0, 40));
    const int room = visible.bottom() + 1 - area.top();
    const struct {
        const char* name;
        Qt::Corner corner;
        int minimumHeight;
        int top;
        int height;
    } cases[] = {
        {"bottom left", Qt::BottomLeftCorner, 0, area.top() + 30, room - 60},
        {"top left", Qt::TopLeftCorner, 0, area.top() + 30, room - 60},
        // Kept on the screen, above the area's top no more than it must.
        {"may not shrink so far", Qt::BottomLeftCorner, room - 10, area.top() + 10, room - 10},
    };
    for (const auto& c : cases) {
        QWidget window;
        window.setMinimumHeight(c.minimumHeight);
        window.resize(200, visible.height());
        ScreenPlacement::intoCorner(window, area, c.corner);
        EXPECT_EQ(window.frameGeometry().top(), c.top) << c.name;
        EXPECT_EQ(window.height(), c.height) << c.name;
        EXPECT_EQ(window.frameGeometry().left(), area.left() + 30) << c.name;
    }
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

// Captions in the area's top-left: a window in the top-right corner of a
// wide area leaves them clear where it is; in a narrow one it goes below them.
TEST(ScreenPlacement, AWindowOpensInACornerClearOfWhatItMustNotCover)
{
    const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint origin = visible.topLeft() + QPoint(20, 20);
    const QRect captions(origin + QPoint(5, 5), QSize(360, 70));
    const struct {
        const char* name;
        int width;
        QPoint comesTo;
    } cases[] = {
        {"wide", 700, origin + QPoint(700 - 30 - 200, 30)},
        {"narrow", 500, QPoint(origin.x() + 500 - 30 - 200, captions.bottom() + 1 + 30)},
    };
    for (const auto& c : cases) {
        QWidget window;
        window.resize(200, 100);
        ScreenPlacement::intoCornerClearOf(window, QRect(origin, QSize(c.width, 400)), Qt::TopRightCorner, captions);
        EXPECT_EQ(window.pos(), c.comesTo) << c.name;
        EXPECT_FALSE(window.frameGeometry().intersects(captions)) << c.name;
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

namespace {

// Two screens side by side, of unequal height, in the child process that the
// test below starts on the offscreen platform.
constexpr QRect kLeftScreen(0, 0, 1600, 1000);
constexpr QRect kRightScreen(1600, 0, 1280, 1024);

}  // namespace

TEST(ScreenPlacementOnTwoScreens, AWindowStaysOnTheScreenUnderItsCentre)
{
    if (QGuiApplication::screens().size() != 2)
        GTEST_SKIP() << "runs in a process of its own with two offscreen screens";
    ASSERT_EQ(QGuiApplication::screens()[1]->availableGeometry(), kRightScreen);
    const struct {
        const char* name;
        QPoint at;
        QPoint comesTo;
    } cases[] = {
        // Across the edge between the screens, it stays where it is.
        {"centre on the right, off its bottom", {2700, 1000}, {2680, 924}},
        {"centre on the left, across the edge", {1500, 100}, {1400, 100}},
        {"centre on the right, across the edge", {1550, 100}, {1600, 100}},
        // Below the shorter screen lies no screen: the first one takes it.
        {"centre in the gap below the left screen", {700, 960}, {700, 900}},
        {"off the right screen's far side", {2800, 500}, {2680, 500}},
    };
    for (const auto& c : cases) {
        QWidget window;
        window.resize(200, 100);
        window.move(c.at);
        ScreenPlacement::keepInside(window);
        EXPECT_EQ(window.pos(), c.comesTo) << c.name;
    }

    // The moves to a corner use the visible area of the window's own screen.
    QWidget window;
    window.resize(200, 100);
    window.move(kRightScreen.right() - 50, 300);
    ScreenPlacement::toLowerLeft(window);
    EXPECT_EQ(window.pos(), QPoint(kRightScreen.left() + 30, kRightScreen.bottom() - 100 - 30));
    ScreenPlacement::intoCorner(window, QRect(2000, 200, 600, 400), Qt::BottomRightCorner);
    EXPECT_EQ(window.pos(), QPoint(2600 - 30 - 200, 600 - 30 - 100));
}

TEST(ScreenPlacement, OnTwoScreensInAProcessOfItsOwn)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile config(dir.filePath("screens.json"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    const auto screen = [](const char* name, const QRect& r) {
        return QJsonObject{{"name", name}, {"x", r.x()}, {"y", r.y()}, {"width", r.width()}, {"height", r.height()},
                           {"logicalDpi", 96}, {"logicalBaseDpi", 96}, {"dpr", 1}};
    };
    const QJsonObject settings{{"synchronousWindowSystemEvents", true},
                               {"windowFrameMargins", false},
                               {"screens", QJsonArray{screen("Left", kLeftScreen), screen("Right", kRightScreen)}}};
    config.write(QJsonDocument(settings).toJson());
    config.close();

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName());
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=ScreenPlacementOnTwoScreens.*", "--gtest_brief=0"});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
    EXPECT_FALSE(output.contains("SKIPPED")) << "the offscreen platform gave two screens\n" << output.toStdString();
}
