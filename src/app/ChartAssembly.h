#pragma once

#include "app/AppMenuModelLink.h"
#include "app/ChartSkyLink.h"
#include "app/DataFolderInstaller.h"
#include "app/LaunchSequence.h"
#include "app/MountLink.h"
#include "app/SkyDateLink.h"
#include "app/SolarSystemLink.h"
#include "app/SolarSystemWindowLink.h"
#include "app/StarDatabaseLink.h"
#include "chart/ChartOutlets.h"
#include "chart/SkyWindow.h"
#include "chart/UpdateChain.h"
#include "chart/WindowSettings.h"
#include "chart/controls/SkyKeyboard.h"
#include "chart/controls/SkyMouse.h"
#include "chart/controls/SkyTimeControl.h"
#include "chart/panels/DirectionControlPanel.h"
#include "chart/panels/InfoDragControl.h"
#include "chart/panels/SkyBottomPanel.h"
#include "chart/panels/TimeControlPanel.h"
#include "chart/photohorizon/OpenGLView.h"
#include "find/FindObjects.h"
#include "find/ModelFindSky.h"
#include "find/SimbadLookup.h"
#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/catalogue/CatalogueFolders.h"
#include "model/settings/PrefControl.h"
#include "platform/CapsLockState.h"
#include "platform/DebugLog.h"
#include "platform/DisplayGamma.h"
#include "platform/LazyOwner.h"
#include "prefs/CustomFilter.h"
#include "solarsystem/SolarSystemModel.h"
#include "solarsystem/window/SSModelLink.h"
#include "solarsystem/window/SSWindow.h"

#include <QObject>
#include <QString>

#include <memory>

class AllSkyClock;
class CanonLink;
class DeepSkyPhotos;
class DomeLink;
class FCUSBLink;
class SG4AllSkyLink;
class SG4Link;
class FocusLink;
class JMIFocuserLink;
class MoonLiteFocuserLink;
class GuideLink;
class RemoteLink;
class DSUSBShutter;
class WebcamLink;
struct PrefLinks;
class FindPanelControl;
class ChartMenuBar;
class CompanionAssembly;
class PrintSkyView;
class ToolbarActions;
class ToolbarDelagate;
class FinderLink;
class InfoPanelControl;
class MpcDownloadPanel;
class NameSearchLink;
class NvxMenu;
class NvxMenuActions;
class PhotoHorizonAdjustPanel;
class PlanningAssembly;
class CityDataSource;
class PrefWindowControl;
class PrefWindowLink;
class ScopeAim;
class SettingsReset;

// The program's single instances, made and wired to one another as the
// program starts, and the launch that follows once the chart is on screen.
class ChartAssembly final : public QObject {
    Q_OBJECT
public:
    struct Folders {
        QString bundleData;  // the shipped "ZQData"
        QString userData;    // the per-user "Norvane Pro"
        QString resources;   // the shipped resources, with the chart images
        static Folders standard();
    };

    // `allSkyClock` drives the all-sky schedule (the system's when none is given).
    explicit ChartAssembly(const Folders& folders = Folders::standard(), AllSkyClock* allSkyClock = nullptr);
    ~ChartAssembly() override;
    ChartAssembly(const ChartAssembly&) = delete;
    ChartAssembly& operator=(const ChartAssembly&) = delete;

    // The start-up work before the window shows: the per-user data folder,
    // then the application menu's web addresses from it. False when the
    // folder could not be made; its alert has been shown.
    bool awakeFromNib();
    // Shows the main window; the launch sequence runs right after the chart
    // is first painted. A launch that fails ends the event loop with
    // EXIT_FAILURE.
    void show();

    SkyWindow& skyWindow() { return m_skyWindow; }
    const ChartSkySource& chartSkySource() const { return m_chartSkyLink; }
    PrefControl& prefControl() { return m_prefs; }
    StarDatabaseModel& starDatabaseModel() { return m_starDatabaseModel; }
    NvxMenuActions& nvxMenu() { return *m_nvxActions; }
    SkyDateModel& skyDateModel() { return m_skyDateModel; }
    SolarSystemModel& solarSystemModel() { return m_solarSystem; }
    DebugLog& debugLog() { return m_debugLog; }
    // Windows of other subsystems join the chart's outlets before show().
    ChartOutlets& outlets() { return m_outlets; }
    OpenGLView& openGLView() { return m_openGLView; }
    PhotoHorizonAdjustPanel& photoHorizonPanel() { return *m_photoHorizonPanel; }
    // Made when first shown or asked for.
    SSWindow& ssWindow() { return m_ssWindow.get(); }
    // The menus every main window of the program carries in its menu bar.
    ChartMenuBar& menuBar() { return *m_menuBar; }
    FindObjects& findObjects() { return m_findObjects; }
    FindPanelControl* findPanel() { return m_findPanel; }
    InfoPanelControl& infoPanels() { return *m_infoPanels; }
    ScopeControl& scopeControl() { return m_mount.scopeControl(); }
    MountLink& mountLink() { return m_mount; }
    DomeLink& domeLink() { return *m_domes; }
    SG4Link& sg4Link() { return *m_sg4; }
    SG4AllSkyLink& allSkyLink() { return *m_allSky; }
    FocusLink& focusLink() { return *m_focus; }
    FCUSBLink& fcusbLink() { return *m_fcusb; }
    JMIFocuserLink& jmiLink() { return *m_jmi; }
    MoonLiteFocuserLink& moonLiteLink() { return *m_moonLite; }
    CanonLink& canonLink() { return *m_canon; }
    GuideLink& guideLink() { return *m_guide; }
    WebcamLink& webcamLink() { return *m_webcam; }
    const ScopeAim& scopeAim() const { return *m_scopeAim; }
    TimeControlPanel& timePanel() { return *m_timePanel; }
    RemoteLink& remoteLink() { return *m_remote; }
    // Made when first shown or asked for.
    PrefWindowControl& prefWindow();
    // The preferences window as links reach it, whether or not it is made.
    PrefWindowLink& prefWindowLink() { return *m_prefWindowLink; }
    const CustomFilter& customFilter() const { return m_customFilter; }
    CompanionAssembly& companion() { return *m_companion; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void didLaunch();
    void createAppMenu(const Folders& folders);
    void createFinder();
    void createMenus();
    void createPlanning();
    // Other programs' events and keys, and the planner's clicks and objects.
    void createRemote();
    // The links to the preferences window and the settings it applies at start.
    void createPrefWindow();
    // The preferences window and its links to the chart, sky date and mount.
    std::unique_ptr<PrefWindowControl> makePrefWindow();
    std::unique_ptr<SSWindow> makeSSWindow(const QString& resources);
    // The two dome controllers, their panels and the chart's slit marks.
    void createDomes(const QString& resources, PrefLinks& links);
    // The SG-4 guider and AllSky camera on its port's worker, in the Connect menu.
    void createSG4(PrefLinks& links, AllSkyClock* allSkyClock);
    // The Canon camera on libgphoto2, in the Connect menu and the quit sequence.
    void createCanon(PrefLinks& links);
    void createWebcam(const QString& resources, PrefLinks& links);
    // Writes a line to the debug log while debugging is on.
    void writeDebugLine(const QString& line);

    CatalogueFolders m_catalogueFolders;
    QString m_userDataFolder;
    DebugLog m_debugLog;
    std::unique_ptr<DisplayGamma> m_gamma;
    PrefControl m_prefs;
    SkyDateModel m_skyDateModel;
    StarDatabaseModel m_starDatabaseModel;
    SolarSystemModel m_solarSystem;
    SolarSystemLink m_solarSystemLink;
    SSModelLink m_ssBodies;
    LazyOwner<SSWindow> m_ssWindow;
    SolarSystemWindowLink m_ssWindowLink;
    StarDatabaseLink m_starDatabaseLink;
    ChartSkyLink m_chartSkyLink;
    SkyDateLink m_skyDateLink;
    DataFolderInstaller m_dataFolder;
    ChartOutlets m_outlets;
    UpdateChain m_chain;
    WindowSettings m_windowSettings;
    SkyWindow m_skyWindow;
    SkyTimeControl m_time;
    SkyKeyboard m_keyboard;
    CapsLockState m_capsLock;
    SkyMouse m_mouse;
    // Owned by the main window.
    SkyBottomPanel* m_bottomPanel;
    InfoDragControl* m_infoDragControl;
    TimeControlPanel* m_timePanel;
    DirectionControlPanel* m_directionPanel;
    OpenGLView m_openGLView;
    PhotoHorizonAdjustPanel* m_photoHorizonPanel;  // owned by the main window
    LaunchSequence m_launch;
    MountLink m_mount;
    AppMenuModelLink m_appMenuModel;
    MpcDownloadPanel* m_mpcDownloadPanel = nullptr;  // owned by the main window
    std::unique_ptr<NvxMenuActions> m_nvxActions;
    NvxMenu* m_nvxMenu = nullptr;  // owned by the main window
    ModelFindSky m_findSky;
    SimbadLookup m_simbadLookup;
    FindObjects m_findObjects;
    FindPanelControl* m_findPanel = nullptr;  // owned by the main window
    std::unique_ptr<PrintSkyView> m_printSkyView;
    std::unique_ptr<ChartMenuBar> m_menuBar;
    std::unique_ptr<ToolbarActions> m_toolbarActions;
    ToolbarDelagate* m_toolbar = nullptr;  // owned by the main window
    std::unique_ptr<DeepSkyPhotos> m_stockPhotos;
    std::unique_ptr<InfoPanelControl> m_infoPanels;
    std::unique_ptr<FinderLink> m_finderLink;
    std::unique_ptr<ScopeAim> m_scopeAim;
    std::unique_ptr<NameSearchLink> m_nameSearch;
    std::unique_ptr<GuideLink> m_guide;
    // The Canon camera's bulb line, on the guide adapters' DSUSB.
    std::unique_ptr<DSUSBShutter> m_dsusbShutter;
    // After its shutter line and before the tours, which reach it.
    std::unique_ptr<CanonLink> m_canon;
    std::unique_ptr<PlanningAssembly> m_planning;
    // After the tours, the finder and the guider it drives.
    std::unique_ptr<RemoteLink> m_remote;
    std::unique_ptr<DomeLink> m_domes;
    std::unique_ptr<SG4Link> m_sg4;
    // After the controller, which it leaves disconnected.
    std::unique_ptr<SG4AllSkyLink> m_allSky;
    std::unique_ptr<FocusLink> m_focus;
    std::unique_ptr<FCUSBLink> m_fcusb;
    std::unique_ptr<JMIFocuserLink> m_jmi;
    std::unique_ptr<MoonLiteFocuserLink> m_moonLite;
    std::unique_ptr<CityDataSource> m_cities;
    std::unique_ptr<WebcamLink> m_webcam;
    // The chart's custom filter, which the preferences window edits.
    CustomFilter m_customFilter;
    LazyOwner<PrefWindowControl> m_prefWindow;
    std::unique_ptr<PrefWindowLink> m_prefWindowLink;
    std::unique_ptr<SettingsReset> m_settingsReload;
    bool m_isLaunchPending = false;
    // Last: it joins the objects above and leaves them first.
    std::unique_ptr<CompanionAssembly> m_companion;
};
