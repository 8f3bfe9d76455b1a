#include "platform/widgets/KeptFrame.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A window whose frame is kept in `saved`.
struct KeptWindow {
    explicit KeptWindow(QByteArray& saved)
        : frame(KeptFrame::keep(
              window, [&saved] { return saved; }, [&saved](const QByteArray& f) { saved = f; }))
    {
    }
    QWidget window;
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
}
