#include "ChartWindowFixture.h"
#include "skydraw/ColorNear.h"

#include "model/records/RecordConstants.h"
#include "skydraw/ChartSkySource.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QTest>


namespace {

class SkyViewTest : public ChartWindowTest {
protected:
    QImage render() { return view().grab().toImage(); }
    int countOf(const QString& call) const { return int(fakes.log.calls.count(call)); }
};

// Whether any pixel of the image, within `area` when given, is not black.
bool hasInk(const QImage& image, QRect area = {})
{
    const QImage part = area.isNull() ? image : image.copy(area);
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            if (part.pixelColor(x, y) != QColor(Qt::black))
                return true;
    return false;
}

// A sky of one bright star at chart point (100, 100).
class OneStarSky final : public ChartSkySource {
public:
    OneStarSky()
    {
        star.state = kStateOnScreen;
        star.screenX = 100.0f;
        star.screenY = 100.0f;
        star.mag = 1.0f;
        star.color = 'W';
    }
    ChartSky chartSky() const override
    {
        ChartSky sky;
        sky.stars = std::span<const ::star>(&star, 1);
        return sky;
    }
    ::star star{};
};

}  // namespace

TEST_F(SkyViewTest, TheSplashShowsEachStagesLabelThenTheSky)
{
    makeWindow().show();

    // Without its picture the splash is the light frame at the sides.
    view().showSplashStage(0);
    QImage image = render();
    const QRect inside(1, 0, image.width() - 2, image.height());
    EXPECT_FALSE(hasInk(image, inside));
    EXPECT_EQ(image.pixelColor(0, image.height() / 2), QColor(170, 170, 170));
    EXPECT_EQ(image.pixelColor(image.width() - 1, 0), QColor(170, 170, 170));

    for (int stage = 1; stage <= 4; ++stage) {
        view().showSplashStage(stage);
        EXPECT_EQ(view().launchCount(), stage);
        const QImage previous = image;
        image = render();
        // Each stage's own label, at the top left.
        EXPECT_NE(image, previous) << stage;
        EXPECT_TRUE(hasInk(image, QRect(1, 0, 400, 40))) << stage;
        EXPECT_FALSE(hasInk(image, QRect(1, 40, image.width() - 2, image.height() - 40))) << stage;
    }

    view().setHasLaunched();
    EXPECT_TRUE(view().hasLaunched());
    EXPECT_EQ(view().launchCount(), 4);
    EXPECT_FALSE(hasInk(render()));
}

TEST_F(SkyViewTest, ASplashAlreadyOnScreenIsNotPaintedAgainButTheSkyAlwaysIs)
{
    makeWindow().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view()));
    struct PaintCount final : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } count;
    view().installEventFilter(&count);

    view().showSplashStage(3);
    EXPECT_EQ(count.paints, 1);
    view().display();
    EXPECT_EQ(count.paints, 1) << "the same stage at the same size";
    view().resize(view().width() - 10, view().height());
    QCoreApplication::processEvents();
    const int resized = count.paints;
    view().display();
    EXPECT_EQ(count.paints, resized + 1) << "a new size";
    view().showSplashStage(4);
    EXPECT_EQ(count.paints, resized + 2);

    view().setHasLaunched();
    view().display();
    view().display();
    EXPECT_EQ(count.paints, resized + 4);
    view().removeEventFilter(&count);
}

TEST_F(SkyViewTest, TheSplashPictureIsFittedIntoTheViewAndCentred)
{
    // A picture wider than the view is drawn as wide as the view, keeping its shape.
    QImage picture(1200, 300, QImage::Format_RGB32);
    picture.fill(QColor(200, 150, 100));
    ASSERT_TRUE(picture.save(images.path() + "/AntiqueMapComp.jpg"));
    SkyWindow& window = makeWindow();
    window.show();
    window.resize(600, 400);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view().width() == 600; }, 2000));
    view().showSplashStage(0);

    const QImage image = render();
    const int h = image.height();
    // 600 x 150, centred in the frame that reaches a point beyond the view at either end.
    const QColor inside = image.pixelColor(300, h / 2);
    EXPECT_NEAR(inside.red(), 200, 6);
    EXPECT_NEAR(inside.blue(), 100, 6);
    EXPECT_NE(image.pixelColor(300, h / 2 - 73), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(300, h / 2 - 80), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(300, h / 2 + 80), QColor(Qt::black));

    view().setHasLaunched();
    EXPECT_FALSE(hasInk(render()));
}

TEST_F(SkyViewTest, FiguresTakeTheirNewColourOnlyAfterTheLaunch)
{
    QImage figure(8, 8, QImage::Format_ARGB32);
    figure.fill(Qt::white);
    ASSERT_TRUE(figure.save(images.path() + "/LyraMyth.png"));
    makeWindow();
    view().createObjectSymbols();
    const auto lyra = [&] {
        return view().chartImages().figure(ChartImageSet::kLyra).convertToFormat(QImage::Format_ARGB32).pixelColor(4, 4);
    };
    ASSERT_TRUE(settings().isMythColor());

    // Before the launch the figures are left alone (and not even read).
    view().recolorObjectSymbols();
    EXPECT_FALSE(lyra().isValid());
    EXPECT_TRUE(settings().isMythColor());
    EXPECT_FALSE(view().isRecolorMyth());

    view().setHasLaunched();
    view().recolorObjectSymbols();
    EXPECT_TRUE(isNear(lyra(), settings().mythColor()));
    EXPECT_FALSE(settings().isMythColor());
    EXPECT_TRUE(view().isRecolorMyth());
}

TEST_F(SkyViewTest, TheChartOrItsMarqueeIsCopiedToTheClipboard)
{
    SkyWindow& window = makeWindow();
    window.show();
    window.resize(400, 300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view().width() == 400; }, 2000));
    settings().setIsStarAntiAlias(false);
    OneStarSky sky;
    view().setSkySource(&sky);
    view().setHasLaunched();
    QClipboard* clipboard = QGuiApplication::clipboard();
    ASSERT_NE(clipboard, nullptr);

    // A marquee without a height copies the whole view.
    view().setDragRect(QRectF(10, 10, 50, 0));
    ASSERT_TRUE(view().setPasteboard());
    EXPECT_EQ(clipboard->image().size(), view().size());

    // The marquee, in chart points: the star at (100, 100) lies 10 right of
    // its left edge and 10 below its top.
    view().setDragRect(QRectF(90, 80, 40, 30));
    view().setStartPt(QPointF(90, 80));
    ASSERT_TRUE(view().setPasteboard());
    const QImage copied = clipboard->image();
    EXPECT_EQ(copied.size(), QSize(40, 30));
    EXPECT_EQ(copied.pixelColor(10, 10), QColor(Qt::white));
    EXPECT_EQ(view().dragRect().size(), QSizeF(0, 0));
    EXPECT_EQ(view().startPt(), QPointF());
}

TEST_F(SkyViewTest, AResizeReprojectsOnceItHasEndedAndOnlyAfterTheLaunchAndHandsTheBoundsOver)
{
    SkyWindow& window = makeWindow();
    window.resize(500, 400);
    window.show();
    window.resize(520, 400);
    QTest::qWait(400);
    EXPECT_EQ(countOf("model.calculateStarPositions false"), 0);

    view().setHasLaunched();
    // Back to back, so that a slow machine cannot space them past the debounce.
    for (const int width : {540, 560, 600})
        window.resize(width, 400);
    ASSERT_TRUE(QTest::qWaitFor([&] { return countOf("skyView.display") > 0; }, 5000));
    QTest::qWait(400);

    EXPECT_EQ(fakes.log.calls, QStringList({"model.calculateStarPositions false", "skyView.display"}));
    EXPECT_EQ(settings().skyViewRect(), QRectF(view().rect()));
    EXPECT_EQ(view().width(), 600);

    // A window the user closed draws nothing at all, so hands over no bounds.
    window.setKeepSWClosed(true);
    settings().setSkyViewRect(QRectF());
    render();
    EXPECT_TRUE(settings().skyViewRect().isNull());
}

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
}

TEST_F(SkyViewTest, TheChartCursorFollowsTheRedCursorSetting)
{
    QImage normal(16, 16, QImage::Format_ARGB32);
    normal.fill(Qt::white);
    QImage red = normal;
    red.fill(Qt::red);
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
