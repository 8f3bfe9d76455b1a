#pragma once

#include "model/FakeLinks.h"

#include "chart/BottomPanel.h"
#include "chart/CatalogueStore.h"
#include "chart/ChartImages.h"
#include "chart/ChartMenus.h"
#include "chart/ChartOutlets.h"
#include "chart/Finder.h"
#include "chart/InfoPanelLabels.h"
#include "chart/LaunchView.h"
#include "chart/LaunchWindow.h"
#include "chart/MainToolbar.h"
#include "chart/ObjectCentering.h"
#include "chart/PlanetPathSource.h"
#include "chart/PlannerLink.h"
#include "chart/PrefWindowSetup.h"
#include "chart/StarProjection.h"
#include "chart/StartupDate.h"
#include "chart/TimePanel.h"
#include "chart/VersionCheck.h"
#include "model/catalogue/StartupFailure.h"
#include "mount/MountState.h"
#include "mount/panels/ConnectMenuSetup.h"
#include "platform/widgets/FloatingPanel.h"
#include "platform/widgets/ToolPanel.h"
#include "scopeview/ScopeViewWindow.h"
#include "scopeview/TelescopeDrawer.h"

// Recording stand-ins for everything the main window and the chart view talk
// to, each call logged under the name of the outlet it stands in for.

// Every collaborator of which the chart has exactly one.
struct FakeParts final : ChartImages, CatalogueStore, StartupDate, StarProjection, PlanetPathSource,
                         ObjectCentering, ChartDisplay, Finder, InfoPanelLabels, BottomPanel, MainToolbar,
                         ConnectMenuSetup, VersionCheck, TelescopeDrawer, PrefWindowSetup, LaunchWindow, ChartMenus,
                         PlannerLink, Logged {
    using Logged::Logged;
    bool failDatabase = false;  // as a missing table does
    bool recolored = false;
    int selection = kNoObjectIndex;  // what findObject selects
    void createStarArrays() override { log.add("images", "createStarArrays"); }
    void createObjectSymbols() override { log.add("images", "createObjectSymbols"); }
    void recolorStarArrays() override { log.add("images", "recolorStarArrays"); }
    void recolorObjectSymbols() override { log.add("images", "recolorObjectSymbols"); }
    void recolorMythForms() override
    {
        log.add("images", "recolorMythForms");
        recolored = true;
    }
    bool isRecolorMyth() const override { return recolored; }
    void setupDatabase() override
    {
        log.add("store", "setupDatabase");
        if (failDatabase)
            StartupFailure::raise("Stars.tvk could not be read.");
    }
    void createHorizonAltAz(int site) override { log.add("store", "createHorizonAltAz", site); }
    void createCustomHorizons() override { log.add("store", "createCustomHorizons"); }
    void startupDate() override { log.add("skyDate", "startupDate"); }
    void calculateStarPositions(bool force) override { log.add("model", "calculateStarPositions", force); }
    void calculatePlanetPath() override { log.add("model", "calculatePlanetPath"); }
    void centerObject() override { log.add("model", "centerObject"); }
    void display() override { log.add("skyView", "display"); }
    void findObject(QPointF point) override
    {
        log.add("finder", "findObject", point.x(), point.y());
        if (*prefs)
            (*prefs)->setFindIndex(selection);
    }
    void findTrackAction() override { log.add("finder", "findTrackAction"); }
    void updatePanelInfo(bool planner) override { log.add("finder", "updatePanelInfo", planner); }
    void addTourObject() override { log.add("finder", "addTourObject"); }
    void escapePanel() override { log.add("finder", "escapePanel"); }
    void openFind(bool open) override { log.add("finder", "openFind", open); }
    void setupMenuAction(int tag) override { log.add("menus", "setupMenuAction", tag); }
    void viewMenuAction(int tag) override { log.add("menus", "viewMenuAction", tag); }
    void sendAPClick(bool track) override { log.add("planner", "sendAPClick", track); }
    void showTab(int index) override { log.add("prefWindow", "showTab", index); }
    void updateInfoPanelText() override { log.add("infoPanelDrag", "updateInfoPanelText"); }
    void updateBottomPanel() override { log.add("bottomPanel", "updateBottomPanel"); }
    void updateTwilight() override {}
    void setupToolbar() override { log.add("toolbar", "setupToolbar"); }
    void clearToolTips() override { log.add("toolbar", "clearToolTips"); }
    void setupConnectMenu() override { log.add("connectMenu", "setupConnectMenu"); }
    void checkNvxVersion(bool userAsked) override { log.add("nvxMenu", "checkNvxVersion", userAsked); }
    void setupDrawer() override { log.add("svDrawer", "setupDrawer"); }
    void setSVPower(float power) override { log.add("svDrawer", "setSVPower", power); }
    void localizePrefPanel() override { log.add("prefWindow", "localizePrefPanel"); }
    void setupDate() override { log.add("prefWindow", "setupDate"); }
    void setupScopes(int slot) override { log.add("prefWindow", "setupScopes", slot); }
    void setupShortcuts() override { log.add("prefWindow", "setupShortcuts"); }
    void setupFontsAndColors() override { log.add("prefWindow", "setupFontsAndColors"); }
    void setupHideBoxes() override { log.add("prefWindow", "setupHideBoxes"); }
    void setToolbarShown(bool shown) override { log.add("window", "setToolbarShown", shown); }
    void makeKeyWindow() override { log.add("window", "makeKeyWindow"); }
};

// Stands in for any window or panel that hides, has tool tips or floats.
struct FakePanel final : TimePanel, Logged {
    FakePanel(CallLog& log, const char* name) : Logged(log), name(name) {}
    const char* name;
    void setHide(bool hide) override { log.add(name, "setHide", hide); }
    void setToolTips() override { log.add(name, "setToolTips"); }
    void clearToolTips() override { log.add(name, "clearToolTips"); }
    bool visible = false;
    void orderFront() override { log.add(name, "orderFront"); visible = true; }
    void orderOut() override { log.add(name, "orderOut"); visible = false; }
    bool isPanelVisible() const override { return visible; }
    void setTransparency() override { log.add(name, "setTransparency"); }
    void setupDate() override { log.add(name, "setupDate"); }
    void setRunRealTime() override { log.add(name, "setRunRealTime"); }
    void setRunSetTime() override { log.add(name, "setRunSetTime"); }
};

struct FakeToolPanel final : ToolPanel, Logged {
    FakeToolPanel(CallLog& log, const char* name) : Logged(log), name(name) {}
    const char* name;
    void setHide(bool hide) override { log.add(name, "setHide", hide); }
    void setToolTips() override { log.add(name, "setToolTips"); }
    void clearToolTips() override { log.add(name, "clearToolTips"); }
};

struct FakeScopeView final : ScopeViewWindow, Logged {
    using Logged::Logged;
    bool visible = false;
    void setHide(bool hide) override { log.add("svWindow", "setHide", hide); }
    bool isWindowVisible() const override { return visible; }
    void display() override { log.add("svWindow", "display"); }
    void setHasChanged(bool changed) override { log.add("svWindow", "setHasChanged", changed); }
};

struct FakeScopeControl final : MountState, Logged {
    using Logged::Logged;
    bool connected = false;
    bool slewing = false;
    bool blockPolling = false;
    bool isConnected() const override { return connected; }
    bool isSlewing() const override { return slewing; }
    bool isBlockPolling() const override { return blockPolling; }
    void stopSlewing() override { log.add("mount", "stopSlewing"); }
};

struct FakeLaunchView final : LaunchView, Logged {
    using Logged::Logged;
    void display() override { log.add("view", "display"); }
    void showSplashStage(int stage) override { log.add("view", "showSplashStage", stage); }
    void setHasLaunched() override { log.add("view", "setHasLaunched"); }
    void startCursorTimer() override { log.add("view", "startCursorTimer"); }
};

// The order in which the hide table and the tool-tip switch walk the windows.
inline const char* const kHideOrder[] = {
    "skyWindow", "svWindow", "lx200Panel", "meadeBasicPanel", "temmaPanel", "nexStarPanel", "geminiPanel",
    "iOptronPanel", "iEQ45Panel", "alignPanel", "ssWindow", "tonightWindow", "webcamPanel", "canonPanel",
    "sg4Panel", "allSkyPanel", "optecWindow", "roboWindow", "jmiWindow", "domePanel", "ddwPanel"};
inline const char* const kToolTipOrder[] = {
    "timePanel", "directionPanel", "prefLocalization", "findPanel", "svDrawView", "lx200Panel", "meadeBasicPanel",
    "temmaPanel", "geminiPanel", "iOptronPanel", "iEQ45Panel", "webcamControl", "canonPanel", "domePanel", "ddwPanel"};

// One of every collaborator, all on one log.
struct ChartFakes {
    CallLog log;
    FakeGamma gamma{log};
    FakeSliders sliders{log};
    FakeCompanion companion{log};
    PrefControl* prefs = nullptr;  // the settings object the finder selects in
    FakeParts parts{log, &prefs};
    FakeScopeControl mount{log};
    FakeScopeView svWindow{log};
    FakeLaunchView view{log};
    FakePanel skyWindow{log, "skyWindow"}, timePanel{log, "timePanel"}, directionPanel{log, "directionPanel"},
        findPanel{log, "findPanel"}, tonightWindow{log, "tonightWindow"}, svDrawView{log, "svDrawView"},
        ssWindow{log, "ssWindow"}, lx200Panel{log, "lx200Panel"}, meadeBasicPanel{log, "meadeBasicPanel"},
        temmaPanel{log, "temmaPanel"}, nexStarPanel{log, "nexStarPanel"}, geminiPanel{log, "geminiPanel"},
        iOptronPanel{log, "iOptronPanel"}, iEQ45Panel{log, "iEQ45Panel"}, alignPanel{log, "alignPanel"},
        webcamControl{log, "webcamControl"}, webcamPanel{log, "webcamPanel"}, sg4Panel{log, "sg4Panel"},
        allSkyPanel{log, "allSkyPanel"}, optecWindow{log, "optecWindow"}, roboWindow{log, "roboWindow"},
        jmiWindow{log, "jmiWindow"}, prefLocalization{log, "prefLocalization"};
    FakeToolPanel domePanel{log, "domePanel"}, ddwPanel{log, "ddwPanel"}, canonPanel{log, "canonPanel"};

    // Every outlet connected.
    ChartOutlets outlets()
    {
        return {.skyWindow = &skyWindow, .skyView = &parts, .chartImages = &parts, .menus = &parts, .starDatabaseModel = &parts,
                .skyDateModel = &parts, .projection = &parts, .planetPath = &parts, .centering = &parts,
                .timeControlPanel = &timePanel, .directionControlPanel = &directionPanel, .viewSliders = &sliders,
                .skyBottomPanel = &parts, .infoPanelDrag = &parts, .toolbarDelegate = &parts, .nvxMenu = &parts,
                .findPanel = &findPanel, .findObjects = &parts, .tonightWindow = &tonightWindow,
                .svWindow = &svWindow, .svDrawer = &parts, .svDrawView = &svDrawView, .ssWindow = &ssWindow,
                .lx200Panel = &lx200Panel, .meadeBasicPanel = &meadeBasicPanel, .temmaPanel = &temmaPanel,
                .nexStarPanel = &nexStarPanel, .geminiPanel = &geminiPanel, .iOptronPanel = &iOptronPanel,
                .iEQ45Panel = &iEQ45Panel, .alignPanel = &alignPanel, .scopeControl = &mount, .connectMenu = &parts,
                .domePanel = &domePanel, .ddwPanel = &ddwPanel, .webcamControl = &webcamControl,
                .webcamPanel = &webcamPanel, .canonPanel = &canonPanel, .sg4Panel = &sg4Panel,
                .allSkyPanel = &allSkyPanel, .optecWindow = &optecWindow, .roboWindow = &roboWindow,
                .jmiWindow = &jmiWindow, .prefWindow = &parts, .prefLocalization = &prefLocalization,
                .lumarikController = &companion, .appDelegate = &parts};
    }
};
