#include "FakeFrameSource.h"
#include "FakeGuide.h"

#include "camera/webcam/WebCamController.h"
#include "camera/webcam/WebcamView.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QImage frame(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// What the panel would show.
struct ShownFrames final : WebcamView {
    QImage last;
    QString size;
    QString rate;
    bool darkOn = false;
    bool darkEnabled = true;
    void setDeviceItems(const QList<WebcamDeviceList::Item>&) override {}
    void selectDeviceTag(int) override {}
    void setSizeText(const QString& text) override { size = text; }
    void setFrequencyText(const QString& text) override { rate = text; }
    void setDarkCheckbox(bool on, bool enabled) override { darkOn = on, darkEnabled = enabled; }
    void setAddCheckbox(bool) override {}
    void showAdjustments(const ColorAdjust::Values&, float) override {}
    void showFrame(const QImage& image) override { last = image; }
    void setRecordingControls(bool) override {}
    void setCameraControls(bool) override {}
    void setFrameCount(quint32) override {}
    void setProgress(bool, double) override {}
    void setMovieNameTitle(const QString&) override {}
};

class WebcamPipelineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        controller.setView(&view);
        controller.setGuide(&guide);
        ASSERT_TRUE(controller.webcamStartup());
    }

    QRgb shownAt(int x, int y) const { return view.last.pixel(x, y) & 0xffffff; }

    FakeFrameSource source;
    FakeGuide guide;
    ShownFrames view;
    WebCamController controller{source, DebugWriter(), QString(), QString()};
    WebcamPipeline::Controls& controls() { return controller.pipeline().controls(); }
};

}  // namespace

TEST(WebcamConnect, NoCameraMeansNoConnectionAndAClearAlert)
{
    ScopedAlertRecorder alerts;
    FakeFrameSource source;
    source.list = {{"Built-in Camera", true}};
    WebCamController controller(source, DebugWriter(), QString(), QString());
    EXPECT_FALSE(controller.webcamStartup());
    EXPECT_TRUE(alerts.alerts.empty());
    EXPECT_FALSE(controller.connectDevice());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, WebCamController::kNoWebcam);
    EXPECT_FALSE(controller.isWebcamConnect());
    EXPECT_EQ(source.opens, 0);
}

TEST(WebcamConnect, OpensTheFirstUsableDeviceAndADeviceThatRefusesLeavesItDisconnected)
{
    FakeFrameSource source;
    source.list = {{"Built-in Camera", true}, {"macam: Model X", true}};
    WebCamController controller(source, DebugWriter(), QString(), QString());
    EXPECT_TRUE(controller.connectDevice());
    EXPECT_EQ(source.openIndex, 1);
    controller.disconnect();
    EXPECT_FALSE(controller.isWebcamConnect());
    EXPECT_EQ(source.openIndex, -1);
    source.refuses = true;
    EXPECT_FALSE(controller.webcamStartup());
    EXPECT_FALSE(controller.isWebcamConnect());
}

TEST_F(WebcamPipelineTest, StackingSumsOnlyOnceFiveFramesPassedThroughTheRing)
{
    controller.evControl(WebCamController::kStackCheck, 1);
    for (int n = 1; n <= 7; ++n) {
        source.play(frame(8, 6, qRgb(n * 10, 1, 0)));
        const int expected = n <= 5 ? n * 10 : n * 10 + (n - 1) * 10 + (n - 2) * 10;
        EXPECT_EQ(qRed(view.last.pixel(4, 3)), expected) << "frame " << n;
        EXPECT_EQ(qGreen(view.last.pixel(4, 3)), n <= 5 ? 1 : 3) << "frame " << n;
    }
    // A new count sums that many at once: the ring stays full.
    controller.evControl(WebCamController::kStackCount, 5);
    source.play(frame(8, 6, qRgb(10, 0, 0)));
    EXPECT_EQ(qRed(view.last.pixel(0, 0)), 10 + 70 + 60 + 50 + 40);
}

TEST_F(WebcamPipelineTest, TheDarkFrameIsTakenOnceAndSubtracted)
{
    ScopedAlertRecorder alerts;
    source.play(frame(8, 6, qRgb(1, 1, 1)));
    controller.evControl(WebCamController::kTakeDark, 0);
    EXPECT_FALSE(view.darkEnabled);
    QImage dark = frame(8, 6, qRgb(20, 30, 40));
    dark.setPixel(2, 2, qRgb(200, 200, 200));  // a hot pixel
    source.play(dark);
    EXPECT_TRUE(view.darkEnabled);
    EXPECT_TRUE(controller.pipeline().hasDarkBuff());
    controller.evControl(WebCamController::kDarkCheck, 1);
    QImage light = frame(8, 6, qRgb(120, 130, 140));
    light.setPixel(2, 2, qRgb(210, 210, 210));
    source.play(light);
    EXPECT_EQ(shownAt(0, 0), qRgb(100, 100, 100) & 0xffffff);
    EXPECT_EQ(shownAt(2, 2), qRgb(10, 10, 10) & 0xffffff);
    // Declining the question keeps the dark frame.
    alerts.choice = false;
    controller.evControl(WebCamController::kTakeDark, 0);
    EXPECT_TRUE(controller.pipeline().hasDarkBuff());
}

TEST_F(WebcamPipelineTest, ZoomTwoShowsTheCentreAndThePanStopsAtTheEdge)
{
    QImage f = frame(640, 480, 0);
    for (int x = 0; x < 640; ++x)
        for (int y = 0; y < 480; ++y)
            f.setPixel(x, y, qRgb(x / 4, y / 2, 0));
    controller.evControl(WebCamController::kScale, 2.0);
    source.play(f);
    ASSERT_EQ(view.last.size(), QSize(320, 240));
    source.play(f);
    EXPECT_EQ(qRed(view.last.pixel(0, 0)), 160 / 4);
    EXPECT_EQ(qGreen(view.last.pixel(0, 0)), 120 / 2);

    // A drag far to the right stops with the frame's left edge in view.
    controller.setScaleShiftX(1000, 0);
    source.play(f);
    EXPECT_EQ(qRed(view.last.pixel(0, 0)), 0);
    EXPECT_DOUBLE_EQ(controls().scaleShiftX, 320.0);
    controller.setScaleShiftX(-2000, 0);
    source.play(f);
    EXPECT_EQ(qRed(view.last.pixel(319, 0)), 639 / 4);
    EXPECT_DOUBLE_EQ(controls().scaleShiftX, -320.0);

    // While recording nothing is cropped and the pan is forgotten.
    controls().isRecording = true;
    EXPECT_EQ(controller.pipeline().process(f)->image.size(), QSize(640, 480));
    EXPECT_EQ(controls().scaleShiftX, 0.0);
    EXPECT_EQ(controls().scaleShiftY, 0.0);
}

TEST_F(WebcamPipelineTest, LargeFramesGetTheLargeGrid)
{
    OverlayPictures pictures;
    pictures.grid = frame(640, 480, qRgb(255, 0, 0)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    pictures.grid1280 = frame(1280, 960, qRgb(0, 255, 0)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    controller.pipeline().setOverlays(pictures);
    controller.gridControl(WebCamController::kGrid, true);
    source.play(frame(1280, 960, 0));
    EXPECT_EQ(shownAt(640, 480), qRgb(0, 255, 0) & 0xffffff);
    source.play(frame(1199, 900, 0));
    EXPECT_EQ(shownAt(600, 450), qRgb(255, 0, 0) & 0xffffff);
    EXPECT_EQ(shownAt(10, 10), 0u);  // the small grid covers only 640 x 480
}

TEST_F(WebcamPipelineTest, WhileCalibratingAnUntakenFocusImageHoldsBackTheNextFrame)
{
    source.play(frame(8, 6, qRgb(10, 10, 10)));
    ASSERT_TRUE(controller.focusImage().hasFocusImage());
    guide.calibrating = true;
    source.play(frame(8, 6, qRgb(90, 90, 90)));
    EXPECT_EQ(shownAt(0, 0), qRgb(10, 10, 10) & 0xffffff);
    controller.focusImage().setHasFocusImage(false);
    source.play(frame(8, 6, qRgb(90, 90, 90)));
    EXPECT_EQ(shownAt(0, 0), qRgb(90, 90, 90) & 0xffffff);
}

TEST_F(WebcamPipelineTest, TheFocusBufferHoldsTheProcessedGreyWithoutOverlaysAndIsRefilledWhenTaken)
{
    OverlayPictures pictures;
    pictures.marker = frame(4, 4, qRgb(255, 255, 255)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    controller.pipeline().setOverlays(pictures);
    controller.gridControl(WebCamController::kMark, true);
    controller.evControl(WebCamController::kExposure, 1.0);
    QImage f = frame(8, 6, qRgb(50, 50, 50));
    f.setPixel(7, 5, qRgb(100, 100, 100));
    source.play(f);
    FocusImage& focus = controller.focusImage();
    ASSERT_NE(focus.focusBuff(), nullptr);
    EXPECT_EQ(focus.width(), 8.0f);
    EXPECT_EQ(focus.height(), 6.0f);
    EXPECT_EQ(focus.focusBuff()[0], 100);            // exposure doubled
    EXPECT_EQ(focus.focusBuff()[3 * 8 + 4], 100);    // the centre mark is not in it
    EXPECT_EQ(focus.focusBuff()[5 * 8 + 7], 200);    // pixel (7, 5), rows from the top
    EXPECT_EQ(shownAt(4, 3), qRgb(255, 255, 255) & 0xffffff);

    // Not taken: not refilled.
    source.play(frame(8, 6, qRgb(10, 10, 10)));
    EXPECT_EQ(focus.focusBuff()[0], 100);
    focus.setHasFocusImage(false);
    source.play(frame(8, 6, qRgb(10, 10, 10)));
    EXPECT_EQ(focus.focusBuff()[0], 20);
    // While guiding, every frame.
    guide.guiding = true;
    source.play(frame(8, 6, qRgb(30, 30, 30)));
    EXPECT_EQ(focus.focusBuff()[0], 60);
    // A hot pixel search is answered by the next frame.
    guide.guiding = false;
    guide.newSkip = true;
    source.play(frame(8, 6, qRgb(40, 40, 40)));
    EXPECT_EQ(focus.focusBuff()[0], 80);
    EXPECT_FALSE(guide.newSkip);
}

TEST_F(WebcamPipelineTest, PaddedRowsAndASizeChangeMidStreamKeepTheFocusBufferRight)
{
    std::vector<quint32> bytes(12 * 4, 0xffffffffu);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 10; ++x)
            bytes[std::size_t(y * 12 + x)] = 0xff000000u | quint32(y * 10 + x) * 0x010101u;
    const QImage padded(reinterpret_cast<const uchar*>(bytes.data()), 10, 4, 12 * 4, QImage::Format_RGB32);
    source.play(padded);
    const FocusImage& focus = controller.focusImage();
    for (int i = 0; i < 40; ++i)
        ASSERT_EQ(focus.focusBuff()[i], i) << i;
    EXPECT_EQ(view.size, "Size: 10X4");
    EXPECT_EQ(guide.guideBuffs, std::vector<bool>{true});

    // Smaller: the buffer is made anew, never read past.
    controller.focusImage().setHasFocusImage(false);
    source.play(frame(3, 2, qRgb(7, 7, 7)));
    EXPECT_EQ(focus.width(), 3.0f);
    EXPECT_EQ(focus.height(), 2.0f);
    EXPECT_EQ(focus.focusBuff()[5], 7);
    EXPECT_EQ(view.size, "Size: 3X2");
    EXPECT_EQ(guide.guideBuffs, (std::vector<bool>{true, true}));
    // An empty frame shows nothing and changes nothing.
    view.last = QImage();
    source.play(QImage());
    EXPECT_TRUE(view.last.isNull());
    EXPECT_EQ(focus.width(), 3.0f);
}

TEST_F(WebcamPipelineTest, ASizeChangeDropsTheDarkFrameOfTheOldSize)
{
    ScopedAlertRecorder alerts;
    controller.evControl(WebCamController::kTakeDark, 0);
    source.play(frame(8, 6, qRgb(20, 20, 20)));
    controller.evControl(WebCamController::kDarkCheck, 1);
    source.play(frame(4, 4, qRgb(90, 90, 90)));
    EXPECT_FALSE(controller.pipeline().hasDarkBuff());
    EXPECT_FALSE(view.darkEnabled);
    EXPECT_EQ(shownAt(3, 3), qRgb(90, 90, 90) & 0xffffff);
}

TEST(WebcamFrameRate, StartsAtOneAndConvergesOnTheTrueRate)
{
    qint64 now = 0;
    WebcamPipeline pipeline([&now] { return now; });
    pipeline.process(frame(4, 4, 0));
    EXPECT_FLOAT_EQ(pipeline.frequency(), 1.0f);
    now += 40000;
    pipeline.process(frame(4, 4, 0));
    EXPECT_FLOAT_EQ(pipeline.frequency(), 0.9f + 0.1f * 25.0f);
    for (int i = 0; i < 100; ++i) {
        now += 40000;
        pipeline.process(frame(4, 4, 0));
    }
    EXPECT_NEAR(pipeline.frequency(), 25.0f, 0.01f);
    // While a movie frame is being written the rate is not sampled.
    pipeline.controls().isRecording = true;
    pipeline.controls().isFrameRec = false;
    now += 1000000;
    pipeline.process(frame(4, 4, 0));
    EXPECT_NEAR(pipeline.frequency(), 25.0f, 0.01f);
}
