#include "app/AssembledProgram.h"
#include "app/CameraFocusPixels.h"
#include "app/FocusLink.h"
#include "app/FocuserWindowOwner.h"
#include "app/WebcamLink.h"
#include "camera/FakeFrameSource.h"
#include "camera/views/webcam/CaptureView.h"
#include "camera/views/webcam/WebcamPanel.h"
#include "focus/ProbeFocuser.h"
#include "focus/views/FocuserWindow.h"
#include "mount/SerialControl.h"
#include "mount/panels/ConnectMenu.h"
#include "support/PtyDevice.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QAction>

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr int kWebcamItem = 50;

class CameraFocusWiringTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        chart->webcamLink().useSource(source);
    }
    void TearDown() override { chart.reset(); }

    FocusCameras& cameras() const { return chart->focusLink().cameras(); }
    FocusImage& webcamImage() const { return chart->webcamLink().controller().focusImage(); }

    // A grey ramp, each pixel's level its column plus twice its row.
    static QImage ramp(int width, int height, int offset = 0)
    {
        QImage frame(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int v = (x + 2 * y + offset) % 256;
                frame.setPixel(x, y, qRgb(v, v, v));
            }
        return frame;
    }

    FakeFrameSource source;
    ScopedAlertRecorder alerts;
};

}  // namespace

// The focusers' cameras are the program's webcam: a processed frame is the
// image an autofocus run measures, and asking for the next frame clears the
// webcam's flag so that the next one is taken.
TEST_F(CameraFocusWiringTest, TheFocusersMeasureTheWebcamsFrame)
{
    EXPECT_FALSE(cameras().isAnyConnected());
    EXPECT_FALSE(cameras().currentImage().isWhole());
    chart->mountLink().connectMenu()->itemWithTag(kWebcamItem)->trigger();
    EXPECT_TRUE(cameras().isAnyConnected());

    source.play(ramp(64, 48));
    ASSERT_TRUE(cameras().hasNewImage());
    FocusPixels image = cameras().currentImage();
    ASSERT_TRUE(image.isWhole());
    EXPECT_EQ(image.width, 64);
    EXPECT_EQ(image.height, 48);
    EXPECT_EQ(image.at(0, 0), 0);
    EXPECT_EQ(image.at(10, 3), 16);
    EXPECT_EQ(image.at(63, 47), 157);

    // A held image is not overwritten until the focusers ask again.
    source.play(ramp(64, 48, 1));
    EXPECT_EQ(cameras().currentImage().at(0, 0), 0);
    cameras().clearNewImages();
    EXPECT_FALSE(webcamImage().hasFocusImage());
    source.play(ramp(64, 48, 1));
    EXPECT_TRUE(cameras().hasNewImage());
    EXPECT_EQ(cameras().currentImage().at(0, 0), 1);

    chart->mountLink().connectMenu()->itemWithTag(kWebcamItem)->trigger();
    EXPECT_FALSE(cameras().isAnyConnected());
}

// A camera's buffer is read only as far as it goes: sizes that are not a
// frame's, or promise more than the buffer holds, give no image.
TEST(CameraFocusPixels, OnlyWholeBuffersOfSensibleSizesAreRead)
{
    const std::vector<std::uint8_t> buffer(12, 7);
    const FocusPixels whole = cameraFocusPixels(buffer.data(), buffer.size(), 4.9f, 3.2f);
    EXPECT_TRUE(whole.isWhole());
    EXPECT_EQ(whole.width, 4);
    EXPECT_EQ(whole.pixels.size(), 12u);
    EXPECT_FALSE(cameraFocusPixels(buffer.data(), buffer.size(), 5, 3).isWhole());
    EXPECT_FALSE(cameraFocusPixels(nullptr, buffer.size(), 4, 3).isWhole());
    for (const float bad : {0.0f, -4.0f, 1e9f, std::numeric_limits<float>::quiet_NaN()})
        EXPECT_FALSE(cameraFocusPixels(buffer.data(), buffer.size(), bad, 3).isWhole()) << bad;
}

namespace {

// A focuser family joined as the program joins one, with the webcam on.
class FocusMarkWiringTest : public CameraFocusWiringTest {
protected:
    void SetUp() override
    {
        CameraFocusWiringTest::SetUp();
        port.simulator().answer(ProbeFocuserControl::kProbe, "PONG#");
        port.start();
        SerialControl& serial = chart->mountLink().serialControl();
        serial.setExtraPorts({port.path()});
        serial.getPortNames();
        control = std::make_unique<ProbeFocuserControl>(serial, chart->focusLink().worker());
        window = std::make_unique<FocuserWindowOwner<FocuserWindow>>(
            [] { return std::make_unique<FocuserWindow>("Probe"); });
        frame = std::make_unique<ProbeFocuserFrame>(*control, chart->focusLink().frameLinks(), *window, *window);
        window->attach([this](FocuserWindow& made) { made.attach(*frame); });
    }
    void TearDown() override
    {
        if (control->isConnected())
            control->disconnectDevice();
        chart.reset();
    }

    static QImage skyWithStar(int x, int y)
    {
        QImage sky(320, 240, QImage::Format_RGB32);
        sky.fill(qRgb(5, 5, 5));
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                sky.setPixel(x + dx, y + dy, dx * dx + dy * dy <= 2 ? qRgb(200, 200, 200) : qRgb(90, 90, 90));
        sky.setPixel(x, y, qRgb(255, 255, 255));
        return sky;
    }

    PtyDevice port;
    std::unique_ptr<ProbeFocuserControl> control;
    std::unique_ptr<FocuserWindowOwner<FocuserWindow>> window;
    std::unique_ptr<ProbeFocuserFrame> frame;
};

}  // namespace

// While a focuser's autofocus run measures the webcam's star, the webcam
// marks that star on the frames it shows; before the run, nothing is marked.
TEST_F(FocusMarkWiringTest, TheWebcamMarksTheStarAnAutofocusRunMeasures)
{
    chart->focusLink().joinRobo(*control, *frame, *window);
    ASSERT_TRUE(control->connectDevice());
    ASSERT_TRUE(control->settle());
    chart->mountLink().connectMenu()->itemWithTag(kWebcamItem)->trigger();
    const QImage sky = skyWithStar(200, 70);
    source.play(sky);
    const CaptureView& view = chart->webcamLink().panel().captureView();
    EXPECT_EQ(view.frame(), sky);

    AutoFocusRun& run = frame->autoFocus();
    run.curveAction(AutoFocusRun::kStartTag);
    ASSERT_TRUE(run.isRun());
    for (int i = 0; i < 20 && run.curvePt().isNull(); ++i) {
        source.play(sky);
        run.curveTick();
    }
    ASSERT_EQ(run.curvePt(), QPoint(200, 70));
    source.play(sky);
    EXPECT_NE(view.frame(), sky);
    EXPECT_EQ(view.frame().pixel(10, 200), sky.pixel(10, 200));

    run.curveAction(AutoFocusRun::kStartTag);
    ASSERT_FALSE(run.isRun());
    source.play(sky);
    EXPECT_EQ(view.frame(), sky);
}
