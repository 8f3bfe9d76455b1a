#include "CanonFixture.h"

#include "camera/movie/MovieReader.h"
#include "camera/views/canon/CanonPanel.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

using namespace CanonIds;

namespace {

class CanonPanelTest : public CanonFixture {
protected:
    void SetUp() override
    {
        CanonFixture::SetUp();
        panel = std::make_unique<CanonPanel>(*control, DebugWriter());
        sdk.setEvfFrame("frame");
    }
    void TearDown() override
    {
        panel.reset();
        CanonFixture::TearDown();
    }
    void key(int code) { QTest::keyClick(panel.get(), static_cast<Qt::Key>(code)); }

    std::unique_ptr<CanonPanel> panel;
};

}  // namespace

TEST_F(CanonPanelTest, ConnectingShowsThePanelWithTheCamerasChoices)
{
    ASSERT_TRUE(connect(32));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->windowTitle(), "Canon EOS 550D");
    EXPECT_EQ(panel->isoPopup()->count(), 6);
    EXPECT_EQ(panel->isoPopup()->currentText(), "800");
    EXPECT_EQ(panel->exposureCombo()->currentText(), "1/800 sec");
    EXPECT_TRUE(waitFor([this] { return panel->batteryLevel()->value() == 8; }));
    EXPECT_TRUE(panel->liveViewCheck()->isEnabled());

    panel->exposeButton()->click();
    EXPECT_EQ(panel->exposeButton()->text(), "Starting") << "until the camera answers";
    ASSERT_TRUE(waitFor([this] { return panel->exposeButton()->text() == "Abort"; }));
    now += 6;
    ASSERT_TRUE(waitFor([this] { return panel->exposeButton()->text() == "Expose"; }));
    EXPECT_EQ(imageFiles(), QStringList({"Canon Image-001.CR2"}));
}

TEST_F(CanonPanelTest, ArrowKeysJogTheZoomWindowOnlyInLiveView)
{
    ASSERT_TRUE(connect());
    key(Qt::Key_Right);
    EXPECT_EQ(control->zoomPt(), QPoint(0, 0));

    panel->liveViewCheck()->setChecked(true);
    ASSERT_TRUE(waitFor([this] { return control->isCanonLiveView(); }));
    key(Qt::Key_Right);
    EXPECT_EQ(control->zoomPt(), QPoint(0, 0)) << "at zoom 1 the jog changes nothing";

    control->setViewBounds(518.4, 345.6);
    ASSERT_TRUE(control->setupCanonLiveViewPosition(259.2, 172.8));
    const QPoint centre = control->zoomPt();
    key(Qt::Key_Right);
    EXPECT_EQ(control->zoomPt(), centre + QPoint(128, 0));
    key(Qt::Key_Up);
    EXPECT_EQ(control->zoomPt(), centre + QPoint(128, -192));
    key(Qt::Key_Left);
    key(Qt::Key_Down);
    EXPECT_EQ(control->zoomPt(), centre);
}

TEST_F(CanonPanelTest, ClosingThePanelDisconnectsTheCamera)
{
    ASSERT_TRUE(connect());
    ASSERT_TRUE(panel->isVisible());
    panel->close();
    EXPECT_FALSE(control->isCanonConnected());
    EXPECT_FALSE(sdk.isSessionOpen());
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(CanonPanelTest, ToolTipsComeAndGoTogether)
{
    ASSERT_TRUE(connect());
    EXPECT_EQ(panel->exposeButton()->toolTip(), "Select to begin exposure. Select to abort exposure while exposing.");
    EXPECT_EQ(panel->fileFolderButton()->toolTip(), "Image Path: " + images.filePath("Canon Image"));
    panel->clearToolTips();
    EXPECT_TRUE(panel->exposeButton()->toolTip().isEmpty());
    EXPECT_TRUE(panel->fileFolderButton()->toolTip().isEmpty());
    control->canonAction(CanonControl::kTagGrid);
    EXPECT_TRUE(panel->fileFolderButton()->toolTip().isEmpty()) << "cleared tips stay cleared";
    panel->setToolTips();
    EXPECT_EQ(panel->liveViewCheck()->toolTip(), "Select to turn on the camera's Live View function.");
    EXPECT_FALSE(panel->fileFolderButton()->toolTip().isEmpty());
}

TEST_F(CanonPanelTest, RecordingTakesTheShownLiveFramesAsThreeByTwoUpToTheFrameField)
{
    QImage frame(640, 480, QImage::Format_RGB32);
    frame.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    frame.save(&buffer, "JPEG", 90);
    sdk.setEvfFrame(bytes);
    prefs->setCanonMovieFile(images.filePath("Canon Movie"));
    ASSERT_TRUE(connect(32));
    EXPECT_FALSE(panel->recordButton()->isEnabled()) << "no movie without live view";
    panel->liveViewCheck()->click();
    ASSERT_TRUE(waitFor([this] { return control->isCanonLiveView(); }));
    ASSERT_TRUE(panel->recordButton()->isEnabled());

    panel->movieFramesText()->setText("3");
    panel->movieQualityRadio()->button(1)->click();
    EXPECT_EQ(control->codecStr(), "tiff");
    panel->recordButton()->click();
    EXPECT_EQ(panel->recordButton()->text(), "Stop");
    EXPECT_FALSE(panel->exposeButton()->isEnabled());
    // The controls come back once the movie is finished, off the main thread.
    ASSERT_TRUE(waitFor([this] { return panel->recordButton()->text() == "Record"; }));
    EXPECT_FALSE(control->isCanonMovieRecording());
    EXPECT_TRUE(panel->exposeButton()->isEnabled());

    const MovieContents movie = MovieContents::read(images.filePath("Canon Movie.mov"));
    EXPECT_EQ(movie.durations.size(), 3u);
    EXPECT_EQ(movie.firstFrame.size(), QSize(640, 426));
}
