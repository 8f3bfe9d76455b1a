#include "platform/widgets/KeptFrame.h"

#include <QAbstractEventDispatcher>
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <xcb/xcb.h>

namespace {

// A window whose frame is kept in `saved`.
struct KeptWindow {
    explicit KeptWindow(QByteArray& saved)
        : frame(KeptFrame::keep(
              window, [&saved] { return saved; },
              [this, &saved](const QByteArray& f) {
                  saved = f;
                  ++saves;
              }))
    {
    }
    QWidget window;
    int saves = 0;
    KeptFrame* frame;
};

}  // namespace

TEST(KeptFrame, AHiddenWindowsFrameComesBackAndOnlyOntoAScreen)
{
    const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
    QByteArray saved;
    {
        KeptWindow first(saved);
        EXPECT_FALSE(first.frame->restore()) << "nothing saved yet";
        first.window.setGeometry(visible.left() + 100, visible.top() + 120, 300, 200);
        first.window.show();
        first.window.hide();
    }
    ASSERT_FALSE(saved.isEmpty());
    KeptWindow second(saved);
    ASSERT_TRUE(second.frame->restore());
    EXPECT_EQ(second.window.geometry(), QRect(visible.left() + 100, visible.top() + 120, 300, 200));

    // A frame left on a screen that is gone opens on the one present.
    second.window.setGeometry(visible.right() + 2000, visible.bottom() + 2000, 300, 200);
    second.frame->save();
    KeptWindow third(saved);
    ASSERT_TRUE(third.frame->restore());
    EXPECT_TRUE(visible.intersects(third.window.geometry()));

    saved = "not a frame";
    KeptWindow fourth(saved);
    EXPECT_FALSE(fourth.frame->restore());
    // A frame kept with its pixels (as on X11) cut short.
    saved = QByteArray("NKFP\x00\x00\x7f", 7);
    KeptWindow fifth(saved);
    EXPECT_FALSE(fifth.frame->restore());
}

TEST(KeptFrame, AMovedWindowIsSavedOnceItRestsNotAtEveryStep)
{
    const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
    QByteArray saved;
    KeptWindow kept(saved);
    kept.window.setGeometry(visible.left() + 50, visible.top() + 60, 300, 200);
    kept.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&kept.window));
    QTest::qWait(int(KeptFrame::kSaveDelay.count()) + 200);
    kept.saves = 0;
    // A drag: many small moves, then a rest.
    for (int step = 1; step <= 20; ++step)
        kept.window.move(visible.left() + 50 + step * 5, visible.top() + 60 + step * 3);
    kept.window.resize(320, 210);
    EXPECT_EQ(kept.saves, 0) << "nothing is saved while the window moves";
    ASSERT_TRUE(QTest::qWaitFor([&] { return kept.saves > 0; }, int(KeptFrame::kSaveDelay.count()) * 5));
    QTest::qWait(int(KeptFrame::kSaveDelay.count()) + 200);
    EXPECT_EQ(kept.saves, 1);
    const QRect moved = kept.window.geometry();

    // Saved without a hide or a quit: a crash now keeps the place.
    KeptWindow after(saved);
    ASSERT_TRUE(after.frame->restore());
    EXPECT_EQ(after.window.geometry(), moved);
    EXPECT_EQ(moved.size(), QSize(320, 210));
    // A hidden window's moves (a restore) save nothing by themselves.
    after.window.move(visible.left() + 10, visible.top() + 10);
    QTest::qWait(int(KeptFrame::kSaveDelay.count()) + 200);
    EXPECT_EQ(after.saves, 0);
}

TEST(KeptFrame, AWindowShownAgainComesBackWhereItWasDragged)
{
    const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget chart;
    chart.setGeometry(visible.left() + 40, visible.top() + 40, 500, 400);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    QByteArray saved;
    // Qt centres a dialog on its parent at each show it was not placed for.
    QDialog panel(&chart, Qt::Tool);
    KeptFrame::keep(panel, [&saved] { return saved; }, [&saved](const QByteArray& frame) { saved = frame; });
    panel.resize(120, 80);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    const QPoint centred = panel.geometry().topLeft();

    // The window system moves it: the program never did.
    const QPoint dragged = visible.topLeft() + QPoint(15, 25);
    panel.windowHandle()->setPosition(dragged);
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.geometry().topLeft() == dragged; }));
    ASSERT_NE(dragged, centred);
    for (int show = 0; show < 2; ++show) {
        panel.hide();
        panel.show();
        EXPECT_EQ(panel.geometry().topLeft(), dragged) << "show " << show;
    }
}

TEST(KeptFrame, AWindowMovedOffTheScreenAsItShowsComesBackOnceItRests)
{
    const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
    QByteArray saved;
    KeptWindow kept(saved);
    kept.window.setGeometry(visible.left() + 50, visible.top() + 60, 200, 100);
    kept.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&kept.window));
    const QPoint off(visible.right() - 50, visible.top() + 60);

    // Moved by the program, it comes back at once.
    kept.window.move(off);
    EXPECT_TRUE(visible.contains(kept.window.frameGeometry()));

    // Moved by the window system, it may be a passing place: it comes back
    // only once the window has rested there.
    kept.window.windowHandle()->setPosition(off);
    ASSERT_TRUE(QTest::qWaitFor([&] { return kept.window.geometry().topLeft() == off; }));
    EXPECT_FALSE(visible.contains(kept.window.frameGeometry()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return visible.contains(kept.window.frameGeometry()); },
                                int(KeptFrame::kSettleTime.count()) * 4));
}

TEST(KeptFrame, AWindowGrowingAsItShowsKeepsThePlaceTheProgramGaveIt)
{
    const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
    QByteArray saved;
    KeptWindow kept(saved);
    const QPoint placed = visible.topLeft() + QPoint(80, 90);
    kept.window.setGeometry(QRect(placed, QSize(200, 100)));
    // Grown before the widget hears of the passing place, after it, or not at all.
    for (const int grows : {0, 1, 2}) {
        kept.window.show();
        // As the window manager takes the window in, Qt hears of the corner
        // of a frame not yet placed; a resize sends that place with the size.
        kept.window.windowHandle()->setPosition(visible.topLeft());
        if (grows == 1)
            ASSERT_TRUE(QTest::qWaitFor([&] { return kept.window.geometry().topLeft() != placed; }));
        if (grows < 2) {
            kept.window.resize(200, 119 + grows);
            QCoreApplication::processEvents();
            EXPECT_EQ(kept.window.geometry().topLeft(), placed) << grows;
        } else {
            // Left there, it goes back once it rests.
            ASSERT_TRUE(QTest::qWaitFor([&] { return kept.window.geometry().topLeft() != placed; }));
            EXPECT_TRUE(QTest::qWaitFor([&] { return kept.window.geometry().topLeft() == placed; },
                                        int(KeptFrame::kSettleTime.count()) * 4));
        }
        kept.window.hide();
    }
}

TEST(KeptFrame, AWindowTheWindowSystemPassesThroughATallerSizeKeepsThePlaceTheProgramGaveIt)
{
    const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
    QByteArray saved;
    KeptWindow kept(saved);
    const QPoint placed = visible.topLeft() + QPoint(80, 90);
    kept.window.setGeometry(QRect(placed, QSize(200, 100)));
    kept.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&kept.window));
    // The window system tells late of a size the program set before its
    // last, one taller than the screen, then of the last.
    kept.window.windowHandle()->resize(200, visible.height() + 50);
    ASSERT_TRUE(QTest::qWaitFor([&] { return kept.window.height() != 100; }));
    kept.window.windowHandle()->resize(200, 100);
    ASSERT_TRUE(QTest::qWaitFor([&] { return kept.window.height() == 100; }));
    EXPECT_EQ(kept.window.geometry().topLeft(), placed);
}

TEST(KeptFrame, AWindowTheUserMovesAsItShowsStaysWhereHeMovedIt)
{
    const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
    QByteArray saved;
    KeptWindow kept(saved);
    const QPoint placed = visible.topLeft() + QPoint(50, 60);
    kept.window.setGeometry(QRect(placed, QSize(200, 100)));
    kept.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&kept.window));
    // The window manager, which has mapped the window, tells it where it
    // moved it, and Qt hears of the place.
    const auto moveTold = [&kept](QPoint to) {
        const auto window = xcb_window_t(kept.window.internalWinId());
        qintptr result = 0;
        xcb_map_notify_event_t mapped{};
        mapped.response_type = XCB_MAP_NOTIFY;
        mapped.event = mapped.window = window;
        QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &mapped, &result);
        xcb_configure_notify_event_t told{};
        told.response_type = XCB_CONFIGURE_NOTIFY | 0x80;
        told.event = told.window = window;
        told.x = qint16(to.x());
        told.y = qint16(to.y());
        QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &told, &result);
        kept.window.windowHandle()->setPosition(to);
        return QTest::qWaitFor([&] { return kept.window.geometry().topLeft() == to; });
    };
    const QPoint off(visible.right() - 50, visible.top() + 60);

    // The place the program sent, told by the window manager, holds the
    // window there: a place Qt hears of next is a passing one.
    ASSERT_TRUE(moveTold(placed));
    kept.window.windowHandle()->setPosition(off);
    ASSERT_TRUE(QTest::qWaitFor([&] { return kept.window.geometry().topLeft() == off; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return kept.window.geometry().topLeft() == placed; },
                                int(KeptFrame::kSettleTime.count()) * 4));

    // Another place, told by the window manager, is where the user or another
    // program moved the window: it stays there, half off the screen, and is
    // saved there once it has rested.
    kept.window.hide();
    kept.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&kept.window));
    const int saves = kept.saves;
    ASSERT_TRUE(moveTold(off));
    ASSERT_TRUE(QTest::qWaitFor([&] { return kept.saves > saves; }, int(KeptFrame::kSaveDelay.count()) * 4));
    EXPECT_EQ(kept.window.geometry().topLeft(), off);
}
