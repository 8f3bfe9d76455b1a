// A program of its own: it links what the program links and nothing more,
// so the libraries mapped after its first chart are the program's own.
#include "app/MountSessionFixture.h"
#include "app/RemoteLink.h"
#include "app/ScopeViewAssembly.h"
#include "camera/CameraModules.h"
#include "camera/movie/MovieWriter.h"
#include "chart/SkyView.h"
#include "mount/MountProtocols.h"
#include "platform/DeviceModule.h"
#include "platform/widgets/DeferredIconStyle.h"
#include "remote/speech/LoadedRecognizer.h"
#include "remote/speech/LoadedSpeaker.h"
#include "remote/speech/SpeechModules.h"
#include "remote/speech/VoiceCommands.h"
#include "support/ColonCommandMount.h"
#include "support/LX200Personality.h"
#include "support/PtyDevice.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <optional>

namespace {

// What only a device, a camera, a movie, a saved all-sky image or speech
// needs: the system libraries and the program's modules that reach them.
constexpr const char* kDeviceLibraries[] = {"libgphoto2",      "libhidapi",          "libQt6Multimedia",
                                            "libQt6TextToSpeech", "libpocketsphinx", "libavcodec",
                                            "libavformat",     "libcfitsio",         "libraw",
                                            "libnorvane-"};

// The image formats the program's windows never read as they are made:
// guessing a picture's format would load their plugins and libraries. (An
// overflow arrow shown later, on a narrow screen, may still load them.)
constexpr const char* kUnreadImageFormats[] = {"libqwebp", "libqtiff", "libqgif", "libqmng", "libqico",
                                               "libqtga",  "libqicns", "libqwbmp", "libwebp", "libtiff"};

bool isMapped(const char* library)
{
    QFile maps("/proc/self/maps");
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(QByteArray("/") + library);
}

// Counts the chart's paints of the sky (not the splash).
class SkyPaints final : public QObject {
public:
    explicit SkyPaints(SkyView& view) : m_view(view) { view.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_view.hasLaunched())
            ++count;
        return false;
    }

private:
    SkyView& m_view;
};

constexpr int kGPUSBTag = 51;

class StartWithoutDevicesTest : public MountSessionFixture {
protected:
    // The style goes in before any widget, as main() puts it.
    void SetUp() override
    {
        QApplication::setStyle(std::make_unique<DeferredIconStyle>().release());
        MountSessionFixture::SetUp();
    }
    // The program as main() puts it together, up to its first chart.
    void start()
    {
        ASSERT_TRUE(chart->awakeFromNib());
        scopeView.emplace(*chart, folders);
        for (const char* library : kUnreadImageFormats)
            EXPECT_FALSE(isMapped(library)) << library;
        chart->remoteLink().setVoice(std::make_unique<LoadedSpeaker>());
        chart->remoteLink().voiceCommands().setRecognizerFactory(&LoadedRecognizer::create);
        SkyPaints paints(chart->skyWindow().skyView());
        chart->show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return paints.count > 0; }, 60000));
    }
    // The telescope view goes before the chart it joined.
    void TearDown() override
    {
        if (scope().isConnected())
            scope().disconnect();
        scopeView.reset();
        MountSessionFixture::TearDown();
    }

    std::optional<ScopeViewAssembly> scopeView;
};

}  // namespace

TEST_F(StartWithoutDevicesTest, TheFirstChartMapsNoDeviceLibraryAndEveryDeviceStillConnects)
{
    ASSERT_NO_FATAL_FAILURE(start());
    for (const char* library : kDeviceLibraries)
        EXPECT_FALSE(isMapped(library)) << library;

    // A serial mount connects through the Connect menu as before.
    PtyDevice pty;
    ColonCommandMount mount(
        std::make_unique<LX200Personality>(LX200Personality::Kind::Autostar, LX200Personality::Options{}));
    mount.attach(pty.simulator());
    pty.start();
    useProtocol(kProtocolLX200, "Simulated LX200");
    ASSERT_NO_FATAL_FAILURE(connectTo(pty.path()));

    // The Canon item loads libgphoto2, which without port drivers sees no camera.
    QTemporaryDir noDrivers;
    qputenv("IOLIBS", noDrivers.path().toLocal8Bit());
    qputenv("CAMLIBS", noDrivers.path().toLocal8Bit());
    for (QAction* item : menu().actions()) {
        if (item->text() == "Canon DSLR")
            item->trigger();
    }
    ASSERT_TRUE(QTest::qWaitFor([this] { return !alerts.alerts.empty(); }, 20000)) << "the camera answers later";
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Canon DSLR connection failed.");
    EXPECT_TRUE(isMapped("libgphoto2"));

    // The GPUSB item loads hidapi, which finds no adapter here.
    choose(kGPUSBTag);
    ASSERT_EQ(alerts.alerts.size(), 2u);
    EXPECT_EQ(alerts.alerts[1].title, "GPUSB connection failed.");
    EXPECT_TRUE(isMapped("libhidapi"));

    // The webcam and speech modules load (their devices are the machine's own, so unused here).
    EXPECT_NE(DeviceModule::find(CameraModules::kWebcam, CameraModules::kCreateFrameSource).address, nullptr);
    EXPECT_NE(DeviceModule::find(SpeechModules::kSpeaker, SpeechModules::kCreateSpeaker).address, nullptr);
    EXPECT_NE(DeviceModule::find(SpeechModules::kRecognizer, SpeechModules::kCreateRecognizer).address, nullptr);
    EXPECT_TRUE(isMapped("libQt6Multimedia"));
    EXPECT_TRUE(isMapped("libpocketsphinx"));

    // A movie is written through FFmpeg once the first one is made.
    QTemporaryDir movies;
    MovieWriter movie;
    ASSERT_TRUE(movie.create(movies.filePath("first.mov"), "jpeg", 512));
    QImage frame(64, 48, QImage::Format_RGB32);
    frame.fill(Qt::darkBlue);
    EXPECT_TRUE(movie.addFrame(frame, 60));
    EXPECT_TRUE(movie.finish());
    EXPECT_TRUE(QFileInfo(movies.filePath("first.mov")).size() > 0);
    EXPECT_TRUE(isMapped("libavcodec"));
}

TEST(DeviceModuleTest, AMissingModuleOrEntryIsReportedAndNotFatal)
{
    const DeviceModule::Entry missing = DeviceModule::find("norvane-none", "norvaneCreateNothing");
    EXPECT_EQ(missing.address, nullptr);
    EXPECT_TRUE(missing.error.contains("libnorvane-none.so")) << missing.error.toStdString();
    const DeviceModule::Entry noEntry = DeviceModule::find(CameraModules::kHid, "norvaneCreateNothing");
    EXPECT_EQ(noEntry.address, nullptr);
    EXPECT_FALSE(noEntry.error.isEmpty());
}
