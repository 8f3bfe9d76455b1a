// A program of its own: it links what the program links and nothing more,
// so the libraries mapped after its first chart are the program's own.
#include "app/CompanionAssembly.h"
#include "app/FocusLink.h"
#include "app/MountLink.h"
#include "app/OptecAssembly.h"
#include "app/MountSessionFixture.h"
#include "app/RemoteLink.h"
#include "app/ScopeViewAssembly.h"
#include "camera/CameraModules.h"
#include "camera/movie/MovieWriter.h"
#include "chart/SkyView.h"
#include "chart/menus/ChartMenuBar.h"
#include "find/panels/CalEventPanel.h"
#include "focus/FocusCurveFit.h"
#include "focus/OptecControl.h"
#include "focus/views/FocusMenu.h"
#include "focus/views/OptecWindow.h"
#include "model/catalogue/CatalogueFolders.h"
#include "mount/MountProtocols.h"
#include "mount/SerialControl.h"
#include "platform/DeviceModule.h"
#include "platform/widgets/DeferredIconStyle.h"
#include "prefs/PrefWindow.h"
#include "prefs/PrefWindowControl.h"
#include "remote/ConnectionManager.h"
#include "remote/speech/LoadedRecognizer.h"
#include "remote/speech/LoadedSpeaker.h"
#include "remote/speech/SpeechModules.h"
#include "remote/speech/VoiceCommands.h"
#include "solarsystem/window/SSWindow.h"
#include "support/ColonCommandMount.h"
#include "support/LX200Personality.h"
#include "support/OptecSimulator.h"
#include "support/PtyDevice.h"
#include "support/TestCompanion.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDialog>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

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

// What only an autofocus curve, a calendar event, a print, the photographic
// horizon or the companion server needs.
constexpr const char* kFirstUseLibraries[] = {"liblapack", "libblas",       "libgfortran",        "libical",
                                              "libQt6PrintSupport", "libQt6OpenGL", "libplist", "libdns_sd",
                                              "libavahi-client"};

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

QAction* menuItem(const QString& text)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (QAction* item : window->findChildren<QAction*>()) {
            if (item->text() == text)
                return item;
        }
    }
    return nullptr;
}

// Cancels the modal panels that open while it lives, counting them.
class PanelCanceller final : public QObject {
public:
    PanelCanceller()
    {
        m_poll.setInterval(20);
        QObject::connect(&m_poll, &QTimer::timeout, this, [this] {
            if (auto* panel = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++cancelled;
                panel->reject();
            }
        });
        m_poll.start();
    }
    int cancelled = 0;

private:
    QTimer m_poll;
};

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
    for (const char* library : kFirstUseLibraries)
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

TEST_F(StartWithoutDevicesTest, TheFitTheCalendarsThePrinterAndTheHorizonWorkAtTheirFirstUse)
{
    ASSERT_NO_FATAL_FAILURE(start());

    // An autofocus curve: area = 50 + (p - 3000)^2 / 1000 has its vertex at 3000.
    std::vector<FocusSample> samples;
    for (quint16 position = 1000; position <= 5000; position += 500)
        samples.push_back({position, 50.0 + (position - 3000.0) * (position - 3000.0) / 1000.0, 2.0f});
    const std::optional<FocusFit> fit = FocusCurveFit::fit(samples, 10000.0);
    ASSERT_TRUE(fit);
    EXPECT_EQ(fit->bestFocus, 3000);
    EXPECT_TRUE(isMapped("liblapack"));

    // The calendar-event panel makes the default calendar and saves the chart's moment in it.
    auto* panel = dynamic_cast<CalEventPanel*>(chart->outlets().calEventPanel);
    ASSERT_NE(panel, nullptr);
    panel->displayDateTime();
    ASSERT_TRUE(panel->createDefaultCalendar());
    panel->titleEditText().setText("Watch M 13");
    ASSERT_TRUE(panel->saveEvent());
    QFile calendar(folders.userData + "/Calendars/" + CalEventPanel::kDefaultCalendar + ".ics");
    ASSERT_TRUE(calendar.open(QIODevice::ReadOnly));
    EXPECT_TRUE(calendar.readAll().contains("SUMMARY:Watch M 13"));
    EXPECT_TRUE(isMapped("libical"));
    panel->orderOut();

    // The File menu's page set-up and print panels open on the shared
    // settings (without a system printer there is no page set-up panel);
    // the print panel cancelled, nothing is printed.
    {
        PanelCanceller canceller;
        QAction* pageSetup = menuItem("Page Setup...");
        QAction* print = menuItem("Print...");
        ASSERT_TRUE(pageSetup && print);
        pageSetup->trigger();
        print->trigger();
        EXPECT_GE(canceller.cancelled, 1);
    }
    EXPECT_TRUE(isMapped("libQt6PrintSupport"));

    // The horizon's renderer comes with the first horizon drawn, whether or
    // not this display has OpenGL.
    chart->openGLView().drawImage(64, 48);
    EXPECT_TRUE(isMapped("libQt6OpenGL"));
}

// The server, switched on, publishes through the system's discovery (no
// daemon answers here) and reads a companion's commands on loopback.
TEST_F(StartWithoutDevicesTest, TheCompanionServerLoadsItsLibrariesWhenSwitchedOn)
{
    if (QDBusConnection::systemBus().isConnected())
        GTEST_SKIP() << "a system bus is present: an mDNS daemon could publish on the network";
    ASSERT_NO_FATAL_FAILURE(start());
    chart->prefControl().setIsExtConnect(true);
    ConnectionManager* manager = chart->companion().controller().connectionManager();
    ASSERT_NE(manager, nullptr);
    ASSERT_TRUE(manager->serverSide().isListening());
    EXPECT_TRUE(isMapped("libdns_sd"));

    int commands = 0;
    QObject::connect(manager, &ConnectionManager::connectionManagerHasReceivedCommand, [&] { ++commands; });
    TestCompanion companion;
    ASSERT_TRUE(companion.connectTo(manager->serverSide().port()));
    ASSERT_TRUE(companion.sendCommand("connectToDevice", {{"deviceName", "Pocket"}}));
    ASSERT_TRUE(companion.sendCommand("requestStatus"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return commands == 1; }, TestCompanion::kWaitMs));
    EXPECT_TRUE(isMapped("libplist"));
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
    EXPECT_TRUE(windowsOf("FocuserWindow").empty());
    EXPECT_TRUE(windowsOf("CanonPanel").empty());
    EXPECT_TRUE(windowsOf("DomePanel").empty());
    EXPECT_TRUE(windowsOf("DDWPanel").empty());
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

TEST_F(StartWithoutDevicesTest, AFocuserWindowIsBuiltOnceWhenItsMenuItemFirstConnectsIt)
{
    ASSERT_NO_FATAL_FAILURE(start());
    PtyDevice pty;
    OptecSimulator optec(pty.simulator());
    optec.setPosition(2500);
    pty.start();
    SerialControl& serial = chart->mountLink().serialControl();
    serial.setExtraPorts({pty.path()});
    serial.getPortNames();
    OptecAssembly& assembly = chart->focusLink().optec();
    QAction* item = chart->focusLink().focusMenu()->itemWithTag(FocusMenu::kOptecTag);
    ASSERT_NE(item, nullptr);

    for (int connect = 0; connect < 2; ++connect) {
        item->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return assembly.control().isConnected(); }, 20000))
            << (alerts.alerts.empty() ? QString() : alerts.alerts[0].title + alerts.alerts[0].message).toStdString();
        ASSERT_EQ(windowsOf("OptecWindow").size(), 1u);
        EXPECT_TRUE(windowsOf("OptecWindow").front()->isVisible());
        EXPECT_EQ(assembly.window().statusField()->text(), "Connected");
        ASSERT_TRUE(QTest::qWaitFor([&] { return assembly.window().positionField()->text() == "2500"; }, 10000));
        item->trigger();
        EXPECT_FALSE(assembly.window().isVisible());
        EXPECT_EQ(assembly.window().positionField()->text(), "----");
        // The worker lets the port go once the controller has left its auto mode.
        ASSERT_TRUE(QTest::qWaitFor([&] { return serial.serialRefNum(kSerialSlotFocuser) == -1; }, 20000));
    }
    EXPECT_EQ(windowsOf("FocuserWindow").size(), 1u);
    pty.closeMaster();
}

TEST(DeviceModuleTest, AMissingModuleOrEntryIsReportedAndNotFatal)
{
    const DeviceModule::Entry missing = DeviceModule::find("norvane-none", "norvaneCreateNothing");
    EXPECT_EQ(missing.address, nullptr);
    EXPECT_TRUE(missing.error.contains("libnorvane-none.so")) << missing.error.toStdString();
    const DeviceModule::Entry noEntry = DeviceModule::find(CameraModules::kHid, "norvaneCreateNothing");
    EXPECT_EQ(noEntry.address, nullptr);
    EXPECT_FALSE(noEntry.error.isEmpty());
    const DeviceModule::Entry warned = DeviceModule::findOrWarn("norvane-none", "norvaneCreateNothing", "nothing");
    EXPECT_EQ(warned.address, nullptr);
    EXPECT_TRUE(warned.error.startsWith(DeviceModule::missingTitle("nothing"))) << warned.error.toStdString();
    EXPECT_TRUE(warned.error.contains("libnorvane-none.so")) << warned.error.toStdString();
}
