#pragma once

class BottomPanel;
class CalendarEvents;
class CatalogueStore;
class ChartDisplay;
class ChartImages;
class ChartMenus;
class ChartViewModes;
class CompanionServer;
class ConnectMenuSetup;
class Finder;
class FindPanelEntry;
class FloatingPanel;
class HidesOnDeactivate;
class InfoPanelLabels;
class MainWindowControl;
class MainToolbar;
class MountGoto;
class MountState;
class NameSearch;
class NightPlanner;
class ObjectCentering;
class PhotoHorizonAdjustPanel;
class PhotoPanel;
class PlanetPathSource;
class PlannerLink;
class SpeechSwitch;
class PrefWindowSetup;
class QMenu;
class ScopeViewControl;
class ScopeViewWindow;
class SkyTimeControl;
class SolarSystemWindow;
class StarProjection;
class StartupDate;
class TelescopeDrawer;
class TimePanel;
class Tours;
class ToolPanel;
class ToolTipOwner;
class VersionCheck;
class ViewSliders;

// The single instances the main window and the chart view work with, wired
// once as the program starts and living for the whole run. One that is null
// (a part the program does not have) is skipped by every caller.
struct ChartOutlets {
    // Main window and chart view.
    HidesOnDeactivate* skyWindow = nullptr;
    ChartDisplay* skyView = nullptr;
    ChartImages* chartImages = nullptr;
    QMenu* skyClickMenu = nullptr;
    ChartMenus* menus = nullptr;
    MainWindowControl* mainWindow = nullptr;
    ChartViewModes* skyViewModes = nullptr;

    // Astronomy model.
    CatalogueStore* starDatabaseModel = nullptr;
    StartupDate* skyDateModel = nullptr;
    StarProjection* projection = nullptr;
    PlanetPathSource* planetPath = nullptr;
    ObjectCentering* centering = nullptr;

    // Chart window panels, toolbar and application menu; every change of
    // the sky date the user asks for goes through `timeControl`.
    SkyTimeControl* timeControl = nullptr;
    TimePanel* timeControlPanel = nullptr;
    FloatingPanel* directionControlPanel = nullptr;
    ViewSliders* viewSliders = nullptr;
    BottomPanel* skyBottomPanel = nullptr;
    InfoPanelLabels* infoPanelDrag = nullptr;
    MainToolbar* toolbarDelegate = nullptr;
    VersionCheck* nvxMenu = nullptr;
    PhotoHorizonAdjustPanel* photoHorizonPanel = nullptr;

    // Finding and planning.
    FloatingPanel* findPanel = nullptr;
    Finder* findObjects = nullptr;
    NameSearch* nameSearch = nullptr;
    FindPanelEntry* findPanelEntry = nullptr;
    Tours* tourControl = nullptr;
    PhotoPanel* photoPanel = nullptr;
    HidesOnDeactivate* tonightWindow = nullptr;
    NightPlanner* tonightView = nullptr;
    CalendarEvents* calEventPanel = nullptr;

    // Telescope view and solar-system windows.
    ScopeViewWindow* svWindow = nullptr;
    TelescopeDrawer* svDrawer = nullptr;
    ToolTipOwner* svDrawView = nullptr;
    HidesOnDeactivate* ssWindow = nullptr;
    // The same two windows as the menus and the toolbar drive them.
    ScopeViewControl* svControl = nullptr;
    SolarSystemWindow* ssControl = nullptr;

    // Mount and dome.
    FloatingPanel* lx200Panel = nullptr;
    FloatingPanel* meadeBasicPanel = nullptr;
    FloatingPanel* temmaPanel = nullptr;
    FloatingPanel* nexStarPanel = nullptr;
    FloatingPanel* geminiPanel = nullptr;
    FloatingPanel* iOptronPanel = nullptr;
    FloatingPanel* iEQ45Panel = nullptr;
    HidesOnDeactivate* alignPanel = nullptr;
    MountState* scopeControl = nullptr;
    MountGoto* scopeGoto = nullptr;
    ConnectMenuSetup* connectMenu = nullptr;
    ToolPanel* domePanel = nullptr;
    ToolPanel* ddwPanel = nullptr;

    // Cameras.
    ToolTipOwner* webcamControl = nullptr;
    HidesOnDeactivate* webcamPanel = nullptr;
    ToolPanel* canonPanel = nullptr;
    HidesOnDeactivate* sg4Panel = nullptr;
    HidesOnDeactivate* allSkyPanel = nullptr;

    // Focusers.
    HidesOnDeactivate* optecWindow = nullptr;
    HidesOnDeactivate* roboWindow = nullptr;
    HidesOnDeactivate* jmiWindow = nullptr;
    HidesOnDeactivate* moonWindow = nullptr;
    HidesOnDeactivate* fcusbWindow = nullptr;

    // Preferences window.
    PrefWindowSetup* prefWindow = nullptr;
    ToolTipOwner* prefLocalization = nullptr;

    // Companion-app server and the observing planner.
    CompanionServer* lumarikController = nullptr;
    PlannerLink* appDelegate = nullptr;
    SpeechSwitch* speech = nullptr;
};
