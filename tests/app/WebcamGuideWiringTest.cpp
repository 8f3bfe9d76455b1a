#include "app/AssembledProgram.h"
#include "app/GuideLink.h"
#include "app/WebcamLink.h"
#include "camera/FakeFrameSource.h"
#include "camera/TestFrame.h"
#include "camera/views/guide/GuidePanel.h"
#include "camera/views/webcam/CaptureView.h"
#include "camera/views/webcam/WebcamPanel.h"
#include "mount/panels/ConnectMenu.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

namespace {

constexpr int kWebcamItem = 50;

// The assembled webcam on synthetic frames, its guider as the program joins them.
class WebcamGuideWiringTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        chart->webcamLink().useSource(source);
    }
    void TearDown() override { chart.reset(); }

    void connectWebcam() const { chart->mountLink().connectMenu()->itemWithTag(kWebcamItem)->trigger(); }
    WebcamPanel& panel() const { return chart->webcamLink().panel(); }
    WebcamGuide& guide() const { return chart->guideLink().webcamGuide(); }

    // A grey sky with one star, as a webcam frame.
    static QImage skyWithStar(double x, double y, int width = 320, int height = 240)
    {
        TestFrame sky(width, height, 12);
        sky.addStar(x, y, 180, 2.0);
        QImage frame(width, height, QImage::Format_RGB32);
        for (int py = 0; py < height; ++py)
            for (int px = 0; px < width; ++px)
                frame.setPixel(px, py, qRgb(sky.at(px, py), sky.at(px, py), sky.at(px, py)));
        return frame;
    }

    FakeFrameSource source;
    ScopedAlertRecorder alerts;
};

}  // namespace

// The webcam's frames reach the guider: a click near a star, through the
// guider's own entry point, measures that star where it is on the frame;
// the brightest-star search finds it too.
TEST_F(WebcamGuideWiringTest, TheGuiderMeasuresTheStarOnTheWebcamsFrame)
{
    connectWebcam();
    source.play(skyWithStar(201.5, 97.0));
    ASSERT_TRUE(chart->webcamLink().controller().focusImage().hasFocusImage());

    // The first look at a new buffer only notes it, as with any camera.
    guide().starCentroid({195, 100});
    const GuidePoint star = guide().starCentroid({195, 100});
    EXPECT_NEAR(star.x, 201.5, 0.05);
    EXPECT_NEAR(star.y, 97.0, 0.05);
    const GuidePoint brightest = guide().starCentroid({});
    EXPECT_NEAR(brightest.x, 201.5, 0.05);
    EXPECT_NEAR(brightest.y, 97.0, 0.05);

    // Once the guider asks for a new frame the webcam fills the buffer again.
    guide().guideAction(1, false);
    chart->webcamLink().controller().focusImage().setHasFocusImage(false);
    source.play(skyWithStar(150.0, 60.0));
    EXPECT_NEAR(guide().starCentroid({150, 60}).x, 150.0, 0.05);
}

// A shift-click on the capture view picks the hot pixel: the guider marks
// the square around it and waits for a frame, which the webcam then fills
// its buffer for although one is already held.
TEST_F(WebcamGuideWiringTest, AShiftClickOnTheViewPicksTheHotPixelForTheGuider)
{
    connectWebcam();
    // Frames the view's size, so that view and frame pixels coincide.
    source.play(skyWithStar(100, 100, 640, 480));
    QTest::mouseClick(&panel().captureView(), Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 100));
    EXPECT_EQ(guide().centroid().hotPoint(), (GuidePoint{100, 100}));
    EXPECT_EQ(guide().centroid().skipRect(), (GuideRect{98, 98, 5, 5}));
    ASSERT_TRUE(guide().centroid().isNewSkip());
    source.play(skyWithStar(100, 100, 640, 480));
    EXPECT_FALSE(guide().centroid().isNewSkip());
    // A plain click lets the hot pixel go.
    QTest::mouseClick(&panel().captureView(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    EXPECT_EQ(guide().centroid().skipRect(), GuideRect{});
}

// The webcam panel's idle guide controls give way to the guider's own the
// first time it shows; they keep the tool tips and survive the panel.
TEST_F(WebcamGuideWiringTest, ThePanelShowsTheGuidersControls)
{
    EXPECT_EQ(panel().guidePanel(), nullptr);
    const std::size_t tips = panel().toolTipCount();
    panel().setToolTips();
    connectWebcam();
    GuidePanel* controls = panel().guidePanel();
    ASSERT_EQ(controls, &chart->guideLink().guidePanel());
    EXPECT_TRUE(panel().isAncestorOf(controls));
    EXPECT_TRUE(controls->isVisibleTo(&panel()));
    EXPECT_TRUE(controls->parentWidget()->isEnabled());
    EXPECT_EQ(panel().toolTipCount(), tips);
    EXPECT_FALSE(controls->calibrateButton()->toolTip().isEmpty());
    for (const QGroupBox* box : panel().findChildren<QGroupBox*>())
        EXPECT_TRUE(box->isEnabled()) << box->title().toStdString();

    // The guider's state shows there.
    guide().guideAction(1, false);
    EXPECT_FALSE(controls->statusText()->text().isEmpty());
}
