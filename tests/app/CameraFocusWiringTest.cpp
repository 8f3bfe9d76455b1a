#include "app/AssembledProgram.h"
#include "app/CameraFocusPixels.h"
#include "app/FocusLink.h"
#include "app/WebcamLink.h"
#include "camera/FakeFrameSource.h"
#include "mount/panels/ConnectMenu.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QAction>

#include <cstdint>
#include <limits>
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
