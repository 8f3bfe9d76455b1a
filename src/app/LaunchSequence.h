#pragma once

#include <QString>

#include <chrono>

class DataFolderInstaller;
class LaunchView;
class LaunchWindow;
class PrefControl;
class WindowSettings;
struct ChartOutlets;

// Brings the program from its loaded objects to a chart that answers the
// user: the per-user data folder, then, once the application is up, the
// fixed sequence of settings, catalogue store, first projection, panels,
// toolbar, menus, recolouring and clocks, with splash stages drawn between
// the long steps.
class LaunchSequence {
public:
    // How long after the launch the start's free pages go back: after the
    // first chart frame, so that the wait for it does not grow.
    static constexpr std::chrono::milliseconds kReleaseDelay{2000};

    // `bundleVersion` is the program's version; empty when it has none.
    LaunchSequence(PrefControl& prefs, const DataFolderInstaller& dataFolder,
                   const ChartOutlets& outlets, WindowSettings& windowSettings, LaunchView& view,
                   LaunchWindow& window, QString bundleVersion);

    // Creates the per-user data folder when it does not exist. False when
    // that failed: its alert has been shown and the program must end.
    bool setupDirectories();

    // Runs the launch sequence. False when a required table could not be
    // had: the "Startup Failed" alert has been shown, nothing after it ran,
    // and the program must end.
    bool didLaunch();

private:
    void runSequence();
    void versionTest();
    void databaseStage();
    void toolbarStep();
    void coordinatesStage();
    void panelsStage();
    void finishingStage();

    PrefControl& m_prefs;
    const DataFolderInstaller& m_dataFolder;
    const ChartOutlets& m_outlets;
    WindowSettings& m_windowSettings;
    LaunchView& m_view;
    LaunchWindow& m_window;
    QString m_bundleVersion;
};
