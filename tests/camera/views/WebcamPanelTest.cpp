#include "camera/FakeFrameSource.h"
#include "camera/FakeGuide.h"

#include "camera/views/webcam/CaptureView.h"
#include "camera/views/webcam/WebcamPanel.h"
#include "camera/webcam/WebCamController.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include "camera/movie/MovieReader.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage gradient()
{
    QImage f(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            f.setPixel(x, y, qRgb(x / 4, y / 2, 0));
    return f;
}

class WebcamPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        controller.setGuide(&guide);
        panel.captureView().setGuide(&guide);
        ASSERT_TRUE(controller.webcamStartup());
        source.play(gradient());
    }

    CaptureView& view() { return panel.captureView(); }
    // Lets the movie's job in flight end and its result arrive.
    void settle()
    {
        controller.recorder().waitForFrame();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    }

    QTemporaryDir movies;
    FakeFrameSource source;
    FakeGuide guide;
    WebCamController controller{source, DebugWriter(), QString(), movies.path() + "/"};
    WebcamPanel panel{controller};
    ScopedAlertRecorder alerts;
};

}  // namespace

TEST_F(WebcamPanelTest, AShiftClickMarksTheHotPixelWithRowsFromTheTop)
{
    // View point (100, 50) from the bottom left of a 480-high view.
    QTest::mouseClick(&view(), Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 480 - 50));
    EXPECT_EQ(guide.hotPoint, QPointF(100, 430));
    EXPECT_TRUE(guide.newSkip);
    EXPECT_EQ(guide.centroids, 1);
    EXPECT_TRUE(alerts.alerts.empty());
}

TEST_F(WebcamPanelTest, AHotPixelNeedsAZoomOfAboutOne)
{
    controller.evControl(WebCamController::kScale, 1.05);
    QTest::mouseClick(&view(), Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 20));
    EXPECT_EQ(guide.hotPoint, QPointF(10, 20));
    EXPECT_TRUE(alerts.alerts.empty());

    guide.hotPoint = {};
    controller.evControl(WebCamController::kScale, 1.2);
    QTest::mouseClick(&view(), Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 10));
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, CaptureView::kScaleAlert);
    EXPECT_EQ(guide.hotPoint, QPointF());
    EXPECT_EQ(guide.centroids, 1);
}

TEST_F(WebcamPanelTest, APlainDragDropsTheHotPixelAndPansTheZoomedPicture)
{
    controller.evControl(WebCamController::kScale, 2.0);
    source.play(gradient());
    ASSERT_EQ(qRed(panel.captureView().frame().pixel(0, 0)), 160 / 4);
    guide.newSkip = true;
    QTest::mousePress(&view(), Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_EQ(guide.resets, 1);
    EXPECT_FALSE(guide.newSkip);
    EXPECT_EQ(view().cursor().shape(), Qt::OpenHandCursor);
    QTest::mouseMove(&view(), QPoint(320, 200));
    QTest::mouseMove(&view(), QPoint(340, 200));
    EXPECT_EQ(view().cursor().shape(), Qt::ClosedHandCursor);
    QTest::mouseRelease(&view(), Qt::LeftButton, {}, QPoint(340, 200));
    EXPECT_EQ(view().cursor().shape(), Qt::ArrowCursor);
    source.play(gradient());
    // 40 points right at zoom 2: the crop moves 20 frame pixels left.
    EXPECT_EQ(qRed(panel.captureView().frame().pixel(0, 0)), 140 / 4);
    // A zoom below 1 takes no clicks.
    controller.evControl(WebCamController::kScale, 0.5);
    QTest::mouseClick(&view(), Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 10));
    EXPECT_EQ(guide.centroids, 0);
}

TEST_F(WebcamPanelTest, ControlsReachTheControllerAndResetShowsTheStartValues)
{
    panel.slider(WebCamController::kGamma)->setValue(panel.slider(WebCamController::kGamma)->maximum());
    EXPECT_FLOAT_EQ(controller.pipeline().controls().colour.gamma, 4.0f);
    EXPECT_EQ(panel.sliderText(WebCamController::kGamma)->text(), "4.00");
    EXPECT_FALSE(controller.pipeline().controls().isFilterReset);
    controller.evControl(WebCamController::kReset, 0);
    EXPECT_TRUE(controller.pipeline().controls().isFilterReset);
    EXPECT_EQ(panel.sliderText(WebCamController::kGamma)->text(), "1.00");
    EXPECT_FLOAT_EQ(controller.pipeline().controls().colour.gamma, 1.0f);
    EXPECT_EQ(panel.sizeText()->text(), "Size: 640X480");
    EXPECT_EQ(panel.frequencyText()->text(), "FPS: 1.0");
    EXPECT_EQ(panel.devicePopup()->currentText(), "USB Camera");
}

TEST_F(WebcamPanelTest, RecordingSwitchesTheZoomOffAndTheControlsOver)
{
    panel.slider(WebCamController::kScale)->setValue(panel.slider(WebCamController::kScale)->maximum());
    ASSERT_FLOAT_EQ(controller.scaleValue(), 4.0f);
    panel.frameMaxText()->setText("0");
    QTest::mouseClick(panel.recordButton(), Qt::LeftButton);
    ASSERT_TRUE(controller.recorder().isRecording());
    EXPECT_FLOAT_EQ(controller.scaleValue(), 1.0f);
    EXPECT_EQ(panel.sliderText(WebCamController::kScale)->text(), "1.00");
    EXPECT_FALSE(panel.slider(WebCamController::kScale)->isEnabled());
    EXPECT_FALSE(panel.recordButton()->isEnabled());
    EXPECT_FALSE(panel.codecPopup()->isEnabled());
    EXPECT_FALSE(panel.qualityPopup()->isEnabled());
    EXPECT_TRUE(panel.stopButton()->isEnabled());
    EXPECT_EQ(panel.progressBar()->maximum(), 0);  // busy: no frame limit
    QTest::mouseClick(panel.stopButton(), Qt::LeftButton);
    EXPECT_FALSE(controller.recorder().isRecording());
    settle();
    EXPECT_TRUE(panel.slider(WebCamController::kScale)->isEnabled());
    EXPECT_TRUE(panel.recordButton()->isEnabled());
    EXPECT_TRUE(panel.codecPopup()->isEnabled());
    EXPECT_FALSE(panel.stopButton()->isEnabled());
}

TEST_F(WebcamPanelTest, ToolTipsComeAndGoTogether)
{
    panel.setToolTips();
    EXPECT_EQ(panel.toolTipCount(), 28u);
    EXPECT_EQ(panel.frameMaxText()->toolTip(),
              "Enter the number of frames to record. Enter 0 to manually stop recording.");
    EXPECT_EQ(panel.devicePopup()->toolTip(), "Select webcam to use from menu.");
    EXPECT_EQ(panel.slider(WebCamController::kNoise)->toolTip(), "Reduces the image noise.");
    EXPECT_EQ(panel.darkCheckbox()->toolTip(), "Select to subtract dark frame.");
    panel.clearToolTips();
    EXPECT_TRUE(panel.devicePopup()->toolTip().isEmpty());
    EXPECT_TRUE(panel.darkCheckbox()->toolTip().isEmpty());
}

// Escape leaves the webcam running; the close button disconnects it.
TEST_F(WebcamPanelTest, ClosingThePanelDisconnectsTheWebcam)
{
    panel.show();
    ASSERT_TRUE(controller.isWebcamConnect());
    QTest::keyClick(&panel, Qt::Key_Escape);
    EXPECT_TRUE(panel.isVisible());
    EXPECT_TRUE(controller.isWebcamConnect());
    panel.close();
    EXPECT_FALSE(panel.isVisible());
    EXPECT_FALSE(controller.isWebcamConnect());
    EXPECT_EQ(source.openIndex, -1);
}

TEST_F(WebcamPanelTest, AShiftClickMarksThePixelDrawnUnderItAtEveryFrameSize)
{
    for (const QSize size : {QSize(1280, 720), QSize(320, 240), QSize(640, 480), QSize(480, 640)}) {
        QImage frame(size, QImage::Format_RGB32);
        frame.fill(qRgb(20, 20, 20));
        source.play(frame);
        ASSERT_EQ(view().frame().size(), size);
        QTest::mouseClick(&view(), Qt::LeftButton, Qt::ShiftModifier, QPoint(320, 240));
        EXPECT_NEAR(guide.hotPoint.x(), size.width() / 2, 1) << size.width() << "x" << size.height();
        EXPECT_NEAR(guide.hotPoint.y(), size.height() / 2, 1) << size.width() << "x" << size.height();
    }
    // 1280 x 720 is drawn 640 x 360 from row 60: its top-left pixel, and nothing on the band above.
    QImage wide(1280, 720, QImage::Format_RGB32);
    wide.fill(qRgb(20, 20, 20));
    source.play(wide);
    QTest::mouseClick(&view(), Qt::LeftButton, Qt::ShiftModifier, QPoint(0, 60));
    EXPECT_EQ(guide.hotPoint, QPointF(0, 0));
    const int centroids = guide.centroids;
    QTest::mouseClick(&view(), Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 20));
    EXPECT_EQ(guide.centroids, centroids) << "a click beside the picture marks no pixel";
}

TEST_F(WebcamPanelTest, TheDevicePopUpDuringARecordingLeavesItsStopAndItsMovie)
{
    panel.frameMaxText()->setText("0");
    QTest::mouseClick(panel.recordButton(), Qt::LeftButton);
    ASSERT_TRUE(controller.recorder().isRecording());
    source.play(gradient());
    settle();
    // The pop-up tells every choice, also of the camera already running.
    emit panel.devicePopup()->activated(0);
    EXPECT_TRUE(controller.recorder().isRecording());
    EXPECT_TRUE(panel.stopButton()->isEnabled());
    EXPECT_FALSE(panel.recordButton()->isEnabled());
    EXPECT_FALSE(panel.slider(WebCamController::kScale)->isEnabled());
    EXPECT_EQ(source.opens, 1) << "the running camera is not opened again";
    source.play(gradient());
    settle();
    QTest::mouseClick(panel.stopButton(), Qt::LeftButton);
    settle();
    EXPECT_TRUE(panel.recordButton()->isEnabled());
    const QString first = controller.recorder().moviePath();
    EXPECT_EQ(MovieContents::read(first).durations.size(), 2u);

    // Another camera ends the recording with its movie before the switch.
    source.list.append({QStringLiteral("Second Camera"), true});
    controller.disconnect();
    ASSERT_TRUE(controller.webcamStartup());
    QTest::mouseClick(panel.recordButton(), Qt::LeftButton);
    ASSERT_TRUE(controller.recorder().isRecording());
    const QString second = controller.recorder().moviePath();
    source.play(gradient());
    settle();
    emit panel.devicePopup()->activated(1);
    settle();
    EXPECT_EQ(source.openIndex, 1);
    EXPECT_FALSE(controller.recorder().isRecording());
    EXPECT_FALSE(panel.stopButton()->isEnabled());
    EXPECT_TRUE(panel.recordButton()->isEnabled());
    EXPECT_TRUE(panel.slider(WebCamController::kScale)->isEnabled());
    EXPECT_EQ(MovieContents::read(second).durations.size(), 1u);
    EXPECT_TRUE(alerts.alerts.empty());
}
