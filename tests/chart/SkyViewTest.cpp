#include "ChartWindowFixture.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include <vector>

namespace {

class SkyViewTest : public ChartWindowTest {
protected:
    QImage render() { return view().grab().toImage(); }
    int countOf(const QString& call) const { return int(fakes.log.calls.count(call)); }
};

// Whether any pixel of the image, within `area` when given, is not black.
bool hasInk(const QImage& image, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) != QColor(Qt::black))
                return true;
        }
    }
    return false;
}

QImage cursorImage(const QColor& color)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

}  // namespace

// Splash and drawing

TEST_F(SkyViewTest, TheSplashShowsEachStagesLabelThenTheSky)
{
    makeWindow().show();

    view().showSplashStage(0);
    EXPECT_FALSE(hasInk(render()));

    std::vector<QImage> stages;
    for (int stage = 1; stage <= 4; ++stage) {
        view().showSplashStage(stage);
        EXPECT_EQ(view().launchCount(), stage);
        const QImage image = render();
        // The label sits at the top left.
        EXPECT_TRUE(hasInk(image, QRect(0, 0, 400, 40))) << stage;
        EXPECT_FALSE(hasInk(image, QRect(0, 40, image.width(), image.height() - 40))) << stage;
        for (const QImage& earlier : stages)
            EXPECT_NE(image, earlier) << stage;
        stages.push_back(image);
    }

    view().setHasLaunched();
    EXPECT_TRUE(view().hasLaunched());
    EXPECT_EQ(view().launchCount(), 4);
    EXPECT_FALSE(hasInk(render()));
}

TEST_F(SkyViewTest, TheDrawingHandsTheViewBoundsToTheSettings)
{
    SkyWindow& window = makeWindow();
    window.show();

    window.setKeepSWClosed(true);
    settings().setSkyViewRect(QRectF());
    render();
    // A window the user closed draws nothing at all.
    EXPECT_TRUE(settings().skyViewRect().isNull());

    window.setKeepSWClosed(false);
    render();
    EXPECT_EQ(settings().skyViewRect(), QRectF(view().rect()));
}

// Resizing

TEST_F(SkyViewTest, AResizeReprojectsOnceItHasEnded)
{
    SkyWindow& window = makeWindow();
    window.resize(500, 400);
    window.show();
    view().setHasLaunched();
    QTest::qWait(400);
    fakes.log.calls.clear();

    for (const int width : {520, 560, 600}) {
        window.resize(width, 400);
        QTest::qWait(20);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return countOf("skyView.display") > 0; }, 5000));
    QTest::qWait(400);

    EXPECT_EQ(fakes.log.calls,
              QStringList({"model.calculateStarPositions false", "skyView.display"}));
    EXPECT_EQ(settings().skyViewRect(), QRectF(view().rect()));
    EXPECT_EQ(view().width(), 600);
}

TEST_F(SkyViewTest, AResizeBeforeTheLaunchProjectsNothing)
{
    SkyWindow& window = makeWindow();
    window.show();
    window.resize(520, 400);
    QTest::qWait(400);

    EXPECT_EQ(countOf("model.calculateStarPositions false"), 0);
}

// Modes and accessors

TEST_F(SkyViewTest, TrackAndCentreActAtOnceAndFallBack)
{
    makeWindow();

    view().setIsTrack(true);
    EXPECT_FALSE(view().isTrack());
    EXPECT_EQ(fakes.log.calls,
              QStringList({"finder.findTrackAction", "model.calculateStarPositions false",
                           "bottomPanel.updateBottomPanel"}));
    fakes.log.calls.clear();

    view().setIsCenter(true);
    EXPECT_FALSE(view().isCenter());
    EXPECT_EQ(fakes.log.calls,
              QStringList({"model.centerObject", "model.calculateStarPositions false",
                           "skyView.display", "bottomPanel.updateBottomPanel"}));
    fakes.log.calls.clear();

    view().setIsTrack(false);
    view().setIsCenter(false);
    EXPECT_TRUE(fakes.log.calls.isEmpty());
    EXPECT_FALSE(view().isTrack());
    EXPECT_FALSE(view().isCenter());
}

// Cursors

TEST_F(SkyViewTest, TheChartCursorFollowsTheRedCursorSetting)
{
    const QImage normal = cursorImage(Qt::white);
    const QImage red = cursorImage(Qt::red);
    ASSERT_TRUE(normal.save(images.path() + "/TargetCursor.png"));
    ASSERT_TRUE(red.save(images.path() + "/NVTargetCursor.png"));

    makeWindow();
    const auto shown = [&] {
        return view().cursor().pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    };
    EXPECT_EQ(shown(), normal);

    // The setting read at launch applies once the launch has finished.
    settings().setIsRedCursor(true);
    EXPECT_EQ(shown(), normal);
    view().startCursorTimer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown() == red; }, 2000));

    settings().setIsRedCursor(false);
    view().resetCursorRects();
    EXPECT_EQ(shown(), normal);
    settings().setIsNightVision();
    view().resetCursorRects();
    EXPECT_EQ(shown(), red);
}
