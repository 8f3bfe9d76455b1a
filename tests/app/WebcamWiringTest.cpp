#include "app/AssembledProgram.h"
#include "app/WebcamLink.h"
#include "camera/FakeFrameSource.h"
#include "camera/movie/MovieJob.h"
#include "camera/movie/MovieReader.h"
#include "camera/movie/NoisyFrame.h"
#include "camera/views/webcam/CaptureView.h"
#include "camera/views/webcam/WebcamPanel.h"
#include "mount/panels/ConnectMenu.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

namespace {

constexpr int kWebcamItem = 50;

class WebcamWiringTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        chart->webcamLink().useSource(source);
    }
    // The program goes before the source it was given.
    void TearDown() override { chart.reset(); }

    QAction& webcamItem() const { return *chart->mountLink().connectMenu()->itemWithTag(kWebcamItem); }
    WebCamController& controller() const { return chart->webcamLink().controller(); }
    WebcamPanel& panel() const { return chart->webcamLink().panel(); }

    FakeFrameSource source;
    ScopedAlertRecorder alerts;
};

}  // namespace

// The Connect menu's webcam item shows the panel and connects the camera;
// frames then reach the panel's view; the item again hides and disconnects.
TEST_F(WebcamWiringTest, TheConnectMenuItemShowsThePanelAndConnectsTheWebcam)
{
    webcamItem().trigger();
    EXPECT_TRUE(panel().isVisible());
    EXPECT_TRUE(controller().isWebcamConnect());
    EXPECT_EQ(source.openIndex, 0);
    EXPECT_EQ(panel().devicePopup()->currentText(), "USB Camera");

    QImage frame(320, 240, QImage::Format_RGB32);
    frame.fill(qRgb(30, 60, 90));
    source.play(frame);
    EXPECT_EQ(panel().captureView().frame().pixel(5, 5), qRgb(30, 60, 90));
    EXPECT_NE(controller().focusImage().focusBuff(), nullptr);
    // The chart's window settings reach the panel's tool tips.
    EXPECT_EQ(chart->outlets().webcamControl, static_cast<ToolTipOwner*>(&panel()));

    chart->mountLink().connectMenu()->validateMenu();
    EXPECT_TRUE(webcamItem().isChecked());
    webcamItem().trigger();
    EXPECT_FALSE(panel().isVisible());
    EXPECT_FALSE(controller().isWebcamConnect());
    EXPECT_EQ(source.openIndex, -1);
    EXPECT_TRUE(alerts.alerts.empty());
}

TEST_F(WebcamWiringTest, WithoutAWebcamTheItemSaysSoAndNothingPretendsToRecord)
{
    source.list.clear();
    webcamItem().trigger();
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, WebCamController::kNoWebcam);
    EXPECT_TRUE(panel().DevicePanel::isVisible());
    EXPECT_EQ(panel().devicePopup()->currentText(), "No Cameras");
    EXPECT_FALSE(controller().isWebcamConnect());
    // Ticked while the panel shows, so that the item closes it.
    chart->mountLink().connectMenu()->validateMenu();
    EXPECT_TRUE(webcamItem().isChecked());
    EXPECT_FALSE(panel().recordButton()->isEnabled());
    EXPECT_FALSE(panel().takeDarkButton()->isEnabled());
    // Nor does the controller take them behind the panel's back.
    EXPECT_FALSE(controller().startRecording(0));
    EXPECT_FALSE(controller().recorder().isRecording());
    controller().evControl(WebCamController::kTakeDark, 0);
    EXPECT_EQ(alerts.alerts.size(), 1u) << "no question about a dark frame that cannot be taken";

    // The item closes the panel without a word, and shown again it looks again.
    webcamItem().trigger();
    EXPECT_FALSE(panel().isVisible());
    EXPECT_EQ(alerts.alerts.size(), 1u);
    webcamItem().trigger();
    EXPECT_TRUE(panel().isVisible());
    ASSERT_EQ(alerts.alerts.size(), 2u);
    EXPECT_EQ(alerts.alerts[1].title, WebCamController::kNoWebcam);

    // Plugged in, the item closing and showing the panel again finds it.
    source.list.append({QStringLiteral("USB Camera"), true});
    webcamItem().trigger();
    webcamItem().trigger();
    EXPECT_TRUE(controller().isWebcamConnect());
    chart->mountLink().connectMenu()->validateMenu();
    EXPECT_TRUE(webcamItem().isChecked());
    EXPECT_TRUE(panel().recordButton()->isEnabled());
    EXPECT_TRUE(panel().takeDarkButton()->isEnabled());

    // Closed, the panel leaves the item unticked.
    panel().close();
    chart->mountLink().connectMenu()->validateMenu();
    EXPECT_FALSE(webcamItem().isChecked());
    EXPECT_FALSE(panel().recordButton()->isEnabled());
}

// Without the support for webcams every attempt says so, and nothing asks
// the user to connect a webcam.
TEST_F(WebcamWiringTest, WithoutItsSupportEveryAttemptSaysWhichSupportIsMissing)
{
    source.list.clear();
    source.missing = {QStringLiteral("The support for the webcam is missing."),
                      QStringLiteral("The file libnorvane-webcam.so is not installed.")};
    for (int attempt = 0; attempt < 3; ++attempt) {
        webcamItem().trigger();
        ASSERT_TRUE(panel().isVisible());
        webcamItem().trigger();
        ASSERT_FALSE(panel().isVisible());
    }
    ASSERT_EQ(alerts.alerts.size(), 3u);
    for (const RecordedAlert& alert : alerts.alerts) {
        EXPECT_EQ(alert.title, source.missing.title);
        EXPECT_EQ(alert.message, source.missing.text);
    }
}

TEST_F(WebcamWiringTest, QuittingDisconnectsTheWebcam)
{
    webcamItem().trigger();
    ASSERT_TRUE(controller().isWebcamConnect());
    chart->prefControl().appQuit();
    EXPECT_FALSE(controller().isWebcamConnect());
    EXPECT_EQ(source.openIndex, -1);
}

// A recording from the panel through a disk that fills: it stops at the
// failed frame with the system's reason, and the movie keeps the frames before.
TEST_F(WebcamWiringTest, ARecordingThroughAFullDiskStopsWithTheReasonAndAReadableMovie)
{
    webcamItem().trigger();
    ASSERT_TRUE(controller().isWebcamConnect());
    QTest::mouseClick(panel().recordButton(), Qt::LeftButton);
    ASSERT_TRUE(controller().recorder().isRecording());
    const QString path = controller().recorder().moviePath();
    {
        const FileSizeLimit limit(48 * 1024);
        for (int i = 0; i < 100 && (controller().recorder().isRecording() || controller().recorder().isFinishing());
             ++i) {
            source.play(noisyFrame(i));
            controller().recorder().waitForFrame();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        }
    }
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, MovieJob::kWriteError);
    EXPECT_TRUE(alerts.alerts[0].message.contains(QFileInfo(path).fileName()));
    EXPECT_TRUE(alerts.alerts[0].message.contains("File too large")) << alerts.alerts[0].message.toStdString();
    EXPECT_TRUE(panel().recordButton()->isEnabled());
    EXPECT_FALSE(panel().stopButton()->isEnabled());
    const MovieContents movie = MovieContents::read(path);
    ASSERT_TRUE(movie.opened);
    EXPECT_EQ(movie.durations.size(), controller().recorder().frameCount());
    EXPECT_GT(movie.durations.size(), 1u);
}
