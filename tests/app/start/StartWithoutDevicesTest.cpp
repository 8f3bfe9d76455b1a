// A program of its own: it links what the program links and nothing more,
// so the libraries mapped after its first chart are the program's own.
#include "app/MountSessionFixture.h"
#include "app/RemoteLink.h"
#include "app/ScopeViewAssembly.h"
#include "camera/CameraModules.h"
#include "camera/movie/MovieWriter.h"
#include "chart/SkyView.h"
#include "chart/menus/ChartMenuBar.h"
#include "model/catalogue/CatalogueFolders.h"
#include "mount/MountProtocols.h"
#include "platform/DeviceModule.h"
#include "platform/widgets/DeferredIconStyle.h"
#include "prefs/PrefWindow.h"
#include "prefs/PrefWindowControl.h"
#include "remote/speech/LoadedRecognizer.h"
#include "remote/speech/LoadedSpeaker.h"
#include "remote/speech/SpeechModules.h"
#include "remote/speech/VoiceCommands.h"
#include "solarsystem/window/SSWindow.h"
#include "support/ColonCommandMount.h"
#include "support/LX200Personality.h"
#include "support/PtyDevice.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QTest>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

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

// The top-level windows of `className` the program has made so far.
std::vector<QWidget*> windowsOf(const char* className)
{
    std::vector<QWidget*> windows;
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->isWindow() && widget->inherits(className))
            windows.push_back(widget);
    }
    return windows;
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
    void start(const std::function<void()>& beforeShow = {})
    {
        ASSERT_TRUE(chart->awakeFromNib());
        if (beforeShow)
            beforeShow();
        scopeView.emplace(*chart, folders);
        // Only the process's first start finds the libraries unmapped.
        static bool isFirstStart = true;
        if (std::exchange(isFirstStart, false)) {
            for (const char* library : kUnreadImageFormats)
                EXPECT_FALSE(isMapped(library)) << library;
        }
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

TEST_F(StartWithoutDevicesTest, TheFirstChartBuildsNoHiddenWindowYetAppliesItsSettingsAndItsMenusOpenIt)
{
    // A chosen custom filter narrows the chart from the start, window or not.
    ASSERT_NO_FATAL_FAILURE(start([this] {
        const QString tours =
            CatalogueFolders::form(folders.userData, folders.bundleData, folders.resources).tourDirectory;
        QFile filter(tours + "Mine.txt");
        ASSERT_TRUE(filter.open(QIODevice::WriteOnly));
        filter.write("M 31\nM 42\n");
        filter.close();
        CustomFilter listing;
        listing.setupCustomFilters(tours);
        chart->prefControl().setCustomFilterIndex(int(listing.filterTitles().indexOf("Mine")) + 1);
    }));
    EXPECT_TRUE(windowsOf("PrefWindow").empty());
    EXPECT_TRUE(windowsOf("SSWindow").empty());
    EXPECT_TRUE(windowsOf("InfoPanel").empty());
    EXPECT_EQ(chart->customFilter().customFilterObjects(), (QStringList{"M 31", "M 42"}));

    // The application menu's item makes the window, filled as the launch fills it.
    QAction* preferences = nullptr;
    for (QAction* item : chart->skyWindow().menuBar()->actions().value(0)->menu()->actions()) {
        if (item->menuRole() == QAction::PreferencesRole)
            preferences = item;
    }
    ASSERT_NE(preferences, nullptr);
    preferences->trigger();
    ASSERT_EQ(windowsOf("PrefWindow").size(), 1u);
    PrefWindow& prefWindow = chart->prefWindow().window();
    EXPECT_EQ(windowsOf("PrefWindow").front(), &prefWindow);
    EXPECT_TRUE(prefWindow.isVisible());
    EXPECT_EQ(prefWindow.tabs()->currentIndex(), PrefWindow::kSetup);
    EXPECT_EQ(&chart->customFilter(), &chart->prefWindow().customFilter());
    EXPECT_GT(chart->prefWindow().prefLocalization().toolTipCount(), 0);
    // A second choice shows the same window.
    prefWindow.hide();
    preferences->trigger();
    EXPECT_EQ(windowsOf("PrefWindow").size(), 1u);
    EXPECT_TRUE(prefWindow.isVisible());

    // The Window menu's item makes the solar-system window with the chart's menus.
    chart->menuBar().windowMenu().menuAction(WindowMenuActions::kSolarSystemTag);
    ASSERT_EQ(windowsOf("SSWindow").size(), 1u);
    SSWindow& ssWindow = chart->ssWindow();
    EXPECT_TRUE(ssWindow.isVisible());
    EXPECT_EQ(ssWindow.menuBar()->actions(), chart->skyWindow().menuBar()->actions());
    chart->menuBar().windowMenu().menuAction(WindowMenuActions::kSolarSystemTag);
    EXPECT_FALSE(ssWindow.isVisible());
    EXPECT_EQ(windowsOf("SSWindow").size(), 1u);
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
