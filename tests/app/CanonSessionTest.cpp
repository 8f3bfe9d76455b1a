#include "app/AssembledProgram.h"
#include "app/CanonLink.h"
#include "camera/movie/MovieReader.h"
#include "camera/views/canon/CanonPanel.h"
#include "support/canon/SimulatedCanonSdk.h"
#include "find/TourFakes.h"
#include "find/tours/TourControl.h"
#include "mount/panels/ConnectMenu.h"
#include "support/Eventually.h"
#include "support/RecordingAlertPresenter.h"
#include "support/canon/ConnectOutcome.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QTest>

namespace {

QAction* canonItem(ConnectMenu& menu)
{
    for (QAction* item : menu.actions())
        if (item->text() == "Canon DSLR")
            return item;
    return nullptr;
}

// The program's Canon camera as assembled, on the simulated camera; the
// images go to a temporary folder.
class CanonSessionTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        ASSERT_TRUE(images.isValid());
        chart->prefControl().setCanonImageFile(images.filePath("Canon Image"));
        chart->prefControl().setCanonExpIndex(32);  // 1/800 s
        auto owned = std::make_unique<SimulatedCanonSdk>();
        sdk = owned.get();
        canon = std::make_unique<CanonLink>(chart->prefControl(), chart->debugLog(), std::move(owned),
                                            &chart->skyWindow());
        canon->joinConnectMenu(*chart->mountLink().connectMenu());
    }
    void TearDown() override
    {
        canon.reset();
        AssembledProgram::TearDown();
    }
    CanonControl& control() { return canon->canonControl(); }
    QStringList files() const { return QDir(images.path()).entryList(QDir::Files | QDir::Hidden); }

    ScopedAlertRecorder alerts;
    QTemporaryDir images;
    SimulatedCanonSdk* sdk = nullptr;
    std::unique_ptr<CanonLink> canon;
};

}  // namespace

TEST_F(CanonSessionTest, ConnectExposeAndDownloadFromTheConnectMenu)
{
    QAction* item = canonItem(*chart->mountLink().connectMenu());
    ASSERT_NE(item, nullptr);
    item->trigger();
    EXPECT_TRUE(control().isCanonConnecting()) << "the camera answers later";
    chart->mountLink().connectMenu()->validateMenu();
    EXPECT_FALSE(item->isEnabled()) << "one connection at a time";
    item->trigger();
    ASSERT_TRUE(QTest::qWaitFor([this] { return control().isCanonConnected(); }, 10000));
    chart->mountLink().connectMenu()->validateMenu();
    EXPECT_TRUE(item->isEnabled());
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(alerts.alerts.empty());

    control().canonAction(CanonControl::kTagExpose);
    ASSERT_TRUE(QTest::qWaitFor([this] { return files().size() == 1 && !control().isCanonDownloading(); }, 10000));
    EXPECT_EQ(files(), QStringList({"Canon Image-001.CR2"}));
    QFile file(images.filePath("Canon Image-001.CR2"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("IMG_0001.CR2").repeated(1000));

    // A transfer that breaks off twice loses nothing and adds nothing.
    sdk->failDownloadAfter(5000, CanonIds::kErrInternal, 2);
    control().canonAction(CanonControl::kTagExpose);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !control().isCanonStarting(); }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return sdk->openItems() == 0 && !control().isCanonExposing(); }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !control().isCanonDownloading(); }, 10000));
    EXPECT_EQ(files(), QStringList({"Canon Image-001.CR2"}));
    EXPECT_EQ(control().panel().expButtonTitle, "Expose");

    item->trigger();
    EXPECT_FALSE(control().isCanonConnected());
    EXPECT_FALSE(sdk->isSessionOpen());
}

TEST_F(CanonSessionTest, ThePanelFollowsTheConnectionAndTheControlPanelItem)
{
    ConnectMenu& menu = *chart->mountLink().connectMenu();
    EXPECT_EQ(chart->outlets().canonPanel, &chart->canonLink().panelLink());
    // The panel is made as the camera connects, not before.
    EXPECT_FALSE(chart->canonLink().isPanelMade());
    EXPECT_FALSE(canon->isPanelMade());
    canonItem(menu)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([this] { return control().isCanonConnected(); }, 10000));
    ASSERT_TRUE(canon->isPanelMade());
    EXPECT_TRUE(canon->canonPanel().isVisible());
    QAction* controlPanel = menu.itemWithTag(20);
    ASSERT_NE(controlPanel, nullptr);
    controlPanel->trigger();
    EXPECT_FALSE(canon->canonPanel().isVisible());
    controlPanel->trigger();
    EXPECT_TRUE(canon->canonPanel().isVisible());

    // Escape hides the panel of the connected camera; its Connect item shows
    // it again where it was, then closes it as its close button does.
    const QRect frame = canon->canonPanel().frameGeometry();
    QTest::keyClick(&canon->canonPanel(), Qt::Key_Escape);
    ASSERT_FALSE(canon->canonPanel().isVisible());
    ASSERT_TRUE(control().isCanonConnected());
    canonItem(menu)->trigger();
    EXPECT_TRUE(canon->canonPanel().isVisible());
    EXPECT_TRUE(control().isCanonConnected());
    EXPECT_EQ(canon->canonPanel().frameGeometry(), frame);
    canonItem(menu)->trigger();
    EXPECT_FALSE(canon->canonPanel().isVisible());
    EXPECT_FALSE(control().isCanonConnected());

    canonItem(menu)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([this] { return control().isCanonConnected(); }, 10000));
    EXPECT_TRUE(canon->canonPanel().isVisible());
    canon->canonPanel().close();
    EXPECT_FALSE(control().isCanonConnected()) << "closing the panel disconnects";
}

TEST_F(CanonSessionTest, ATourExposureWaitsForTheDownload)
{
    const std::optional<ConnectOutcome> outcome = ConnectOutcome::of(control());
    ASSERT_TRUE(outcome && outcome->connected);
    FakeTourFinder finder;
    finder.known.insert("M 1", {findResultFound, 1.0, 0.5});
    FakeTourMount mount;
    FakeCapture capture;
    TourControl tours(TourControl::Links{finder, capture, &mount, &canon->tourCamera(), {}},
                      TourControl::Delays{3000, 0, 0});
    QTemporaryDir tourDir;
    QFile tour(tourDir.filePath("Tour.txt"));
    ASSERT_TRUE(tour.open(QIODevice::WriteOnly));
    tour.write("M 1\n");
    tour.close();
    tours.openTourFile(tour.fileName());
    ASSERT_EQ(tours.panel().expTitle, "Start EOS Exposures");
    tours.tourPanelAction(TourControl::kExposureTag);

    // The files stay with the camera until the test lets them go.
    sdk->setAnnounceFiles(false);
    // A tick, one that sees the slew, and the one that starts the exposure.
    for (const bool slewing : {false, true, false}) {
        mount.slewing = slewing;
        tours.tourExpTimer();
        ASSERT_TRUE(eventually([this] { return sdk->isDelivered(); }));
    }
    mount.slewing = false;
    ASSERT_TRUE(QTest::qWaitFor([this] { return control().isCanonDownloading(); }, 10000));
    tours.tourExpTimer();
    EXPECT_TRUE(tours.isTourExposing()) << "the tour waits while the image is on its way";

    sdk->announceFile({"IMG_0042.CR2", "raw"});
    ASSERT_TRUE(QTest::qWaitFor([this] { return !control().isCanonDownloading(); }, 10000));
    tours.tourExpTimer();
    EXPECT_FALSE(tours.isTourExposing());
    EXPECT_TRUE(QFile::exists(images.filePath("Canon Image-001.CR2")));
}

// A camera that refuses the connection says why in its own alert; the
// menu's alert on top of it would tell the user the same thing twice.
TEST_F(CanonSessionTest, ACameraThatRefusesTheConnectionIsAlertedOnce)
{
    ConnectMenu& menu = *chart->mountLink().connectMenu();
    const auto refuseAndCount = [&](const char* title) {
        alerts.alerts.clear();
        canonItem(menu)->trigger();
        EXPECT_TRUE(QTest::qWaitFor([this] { return !control().isCanonConnecting(); }, 10000));
        EXPECT_FALSE(control().isCanonConnected());
        QStringList titles;
        for (const auto& alert : alerts.alerts)
            titles << alert.title;
        EXPECT_EQ(titles, QStringList{title});
    };
    sdk->setUInt32Value(CanonIds::kPropAEMode, 0, 2);
    refuseAndCount("AE mode is not set to Manual or Bulb.");
    sdk->setUInt32Value(CanonIds::kPropAEMode, 0, CanonIds::kAEManual);

    sdk->setUInt32Value(CanonIds::kPropCustomFunction, CanonIds::kParamMirrorLockup, 1);
    sdk->failWrite(CanonIds::kPropCustomFunction, CanonIds::kParamMirrorLockup, CanonIds::kErrDeviceBusy);
    refuseAndCount("Mirror lockup is enabled.");

    sdk->failCall(SimulatedCanonSdk::Call::OpenSession, CanonIds::kErrNotSupported);
    refuseAndCount("This model of camera is not supported.");
}

TEST_F(CanonSessionTest, TheProgramsCanonItemAlertsWhenNoCameraIsAttached)
{
    canon.reset();
    // libgphoto2 with no port drivers sees no camera, whatever is plugged in.
    QTemporaryDir noDrivers;
    qputenv("IOLIBS", noDrivers.path().toLocal8Bit());
    qputenv("CAMLIBS", noDrivers.path().toLocal8Bit());
    chart->canonLink().joinConnectMenu(*chart->mountLink().connectMenu());
    canonItem(*chart->mountLink().connectMenu())->trigger();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !alerts.alerts.empty(); }, 20000));
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Canon DSLR connection failed.");
    EXPECT_TRUE(alerts.alerts[0].message.startsWith("The cameras could not be listed. ("))
        << "with libgphoto2's words: " << alerts.alerts[0].message.toStdString();
    EXPECT_FALSE(chart->canonLink().canonControl().isCanonConnected());
    EXPECT_FALSE(chart->canonLink().canonControl().isCanonConnecting());
}

TEST_F(CanonSessionTest, ALiveViewMovieIsFinishedWhenTheCameraIsDisconnected)
{
    QImage frame(600, 400, QImage::Format_RGB32);
    frame.fill(Qt::darkRed);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    frame.save(&buffer, "JPEG", 90);
    sdk->setEvfFrame(jpeg);
    chart->prefControl().setCanonMovieFile(images.filePath("Night"));
    QAction* item = canonItem(*chart->mountLink().connectMenu());
    item->trigger();
    ASSERT_TRUE(QTest::qWaitFor([this] { return control().isCanonConnected(); }, 10000));
    canon->canonPanel().liveViewCheck()->click();
    ASSERT_TRUE(QTest::qWaitFor([this] { return control().isCanonLiveView(); }, 10000));

    canon->canonPanel().recordButton()->click();
    ASSERT_TRUE(control().isCanonMovieRecording());
    ASSERT_TRUE(QTest::qWaitFor([this] { return control().canonNumMovieFramesTaken() >= 2; }, 10000));
    item->trigger();
    EXPECT_FALSE(control().isCanonConnected());
    EXPECT_FALSE(control().isCanonMovieRecording());
    control().waitForMovieFrame();
    EXPECT_TRUE(alerts.alerts.empty());
    const MovieContents movie = MovieContents::read(images.filePath("Night.mov"));
    ASSERT_TRUE(movie.opened);
    EXPECT_GE(movie.durations.size(), 2u);
    EXPECT_EQ(movie.durations.front(), 120);
    EXPECT_EQ(movie.firstFrame.size(), QSize(600, 400));
}

TEST_F(CanonSessionTest, TheProgramClosingDuringAConnectionEndsIt)
{
    canonItem(*chart->mountLink().connectMenu())->trigger();
    ASSERT_TRUE(control().isCanonConnecting());
    canon.reset();
    // No alert may come late: waiting a moment out is the check.
    QTest::qWait(100);
    EXPECT_TRUE(alerts.alerts.empty()) << "an abandoned connection is not a failure to report";
}
