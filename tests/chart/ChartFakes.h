#pragma once

#include "model/FakeLinks.h"

#include "chart/BottomPanel.h"
#include "chart/CatalogueStore.h"
#include "chart/ChartImages.h"
#include "chart/ChartOutlets.h"
#include "chart/ConnectMenuSetup.h"
#include "chart/Finder.h"
#include "chart/FloatingPanel.h"
#include "chart/InfoPanelLabels.h"
#include "chart/LaunchView.h"
#include "chart/LaunchWindow.h"
#include "chart/MainToolbar.h"
#include "chart/ObjectCentering.h"
#include "chart/PlanetPathSource.h"
#include "chart/PrefWindowSetup.h"
#include "chart/ScopeViewWindow.h"
#include "chart/StarProjection.h"
#include "chart/StartupDate.h"
#include "chart/TelescopeDrawer.h"
#include "chart/TimePanel.h"
#include "chart/ToolPanel.h"
#include "chart/VersionCheck.h"
#include "model/catalogue/StartupFailure.h"

// Recording stand-ins for everything the main window and the chart view talk
// to. Each call goes to one shared log as "object.call args".

class FakeImages final : public ChartImages {
public:
    explicit FakeImages(CallLog& log) : m_log(log) {}
    void createStarArrays() override { m_log.add("images", "createStarArrays"); }
    void createObjectSymbols() override { m_log.add("images", "createObjectSymbols"); }
    void recolorStarArrays() override { m_log.add("images", "recolorStarArrays"); }
    void recolorObjectSymbols() override { m_log.add("images", "recolorObjectSymbols"); }
    void recolorMythForms() override { m_log.add("images", "recolorMythForms"); }

private:
    CallLog& m_log;
};

// A catalogue store that can fail as a missing table does.
class FakeStore final : public CatalogueStore {
public:
    explicit FakeStore(CallLog& log) : m_log(log) {}
    bool fail = false;
    void setupDatabase() override
    {
        m_log.add("store", "setupDatabase");
        if (fail)
            StartupFailure::raise("Stars.tvk could not be read.");
    }
    void createHorizonAltAz(int site) override { m_log.add("store", "createHorizonAltAz", site); }

private:
    CallLog& m_log;
};

class FakeSkyDate final : public StartupDate {
public:
    explicit FakeSkyDate(CallLog& log) : m_log(log) {}
    void startupDate() override { m_log.add("skyDate", "startupDate"); }

private:
    CallLog& m_log;
};

class FakeProjection final : public StarProjection {
public:
    explicit FakeProjection(CallLog& log) : m_log(log) {}
    void calculateStarPositions(bool force) override
    {
        m_log.add("model", "calculateStarPositions", force);
    }

private:
    CallLog& m_log;
};

class FakePath final : public PlanetPathSource {
public:
    explicit FakePath(CallLog& log) : m_log(log) {}
    void calculatePlanetPath() override { m_log.add("model", "calculatePlanetPath"); }

private:
    CallLog& m_log;
};

class FakeCentering final : public ObjectCentering {
public:
    explicit FakeCentering(CallLog& log) : m_log(log) {}
    void centerObject() override { m_log.add("model", "centerObject"); }

private:
    CallLog& m_log;
};

class FakeDisplay final : public ChartDisplay {
public:
    explicit FakeDisplay(CallLog& log) : m_log(log) {}
    void display() override { m_log.add("skyView", "display"); }

private:
    CallLog& m_log;
};

class FakeHider final : public HidesOnDeactivate {
public:
    FakeHider(CallLog& log, const char* name) : m_log(log), m_name(name) {}
    void setHide(bool hide) override { m_log.add(m_name, "setHide", hide); }

private:
    CallLog& m_log;
    const char* m_name;
};

class FakeTipOwner final : public ToolTipOwner {
public:
    FakeTipOwner(CallLog& log, const char* name) : m_log(log), m_name(name) {}
    void setToolTips() override { m_log.add(m_name, "setToolTips"); }
    void clearToolTips() override { m_log.add(m_name, "clearToolTips"); }

private:
    CallLog& m_log;
    const char* m_name;
};

class FakeToolPanel final : public ToolPanel {
public:
    FakeToolPanel(CallLog& log, const char* name) : m_log(log), m_name(name) {}
    void setHide(bool hide) override { m_log.add(m_name, "setHide", hide); }
    void setToolTips() override { m_log.add(m_name, "setToolTips"); }
    void clearToolTips() override { m_log.add(m_name, "clearToolTips"); }

private:
    CallLog& m_log;
    const char* m_name;
};

class FakePanel final : public FloatingPanel {
public:
    FakePanel(CallLog& log, const char* name) : m_log(log), m_name(name) {}
    void setHide(bool hide) override { m_log.add(m_name, "setHide", hide); }
    void setToolTips() override { m_log.add(m_name, "setToolTips"); }
    void clearToolTips() override { m_log.add(m_name, "clearToolTips"); }
    void orderFront() override { m_log.add(m_name, "orderFront"); }
    void setTransparency() override { m_log.add(m_name, "setTransparency"); }

private:
    CallLog& m_log;
    const char* m_name;
};

class FakeTimePanel final : public TimePanel {
public:
    explicit FakeTimePanel(CallLog& log) : m_log(log) {}
    void setHide(bool hide) override { m_log.add("timePanel", "setHide", hide); }
    void setToolTips() override { m_log.add("timePanel", "setToolTips"); }
    void clearToolTips() override { m_log.add("timePanel", "clearToolTips"); }
    void orderFront() override { m_log.add("timePanel", "orderFront"); }
    void setTransparency() override { m_log.add("timePanel", "setTransparency"); }
    void setupDate() override { m_log.add("timePanel", "setupDate"); }
    void setRunRealTime() override { m_log.add("timePanel", "setRunRealTime"); }

private:
    CallLog& m_log;
};

class FakeScopeView final : public ScopeViewWindow {
public:
    explicit FakeScopeView(CallLog& log) : m_log(log) {}
    bool visible = false;
    void setHide(bool hide) override { m_log.add("svWindow", "setHide", hide); }
    bool isWindowVisible() const override { return visible; }
    void display() override { m_log.add("svWindow", "display"); }

private:
    CallLog& m_log;
};

class FakeDrawer final : public TelescopeDrawer {
public:
    explicit FakeDrawer(CallLog& log) : m_log(log) {}
    void setupDrawer() override { m_log.add("svDrawer", "setupDrawer"); }

private:
    CallLog& m_log;
};

class FakePrefWindow final : public PrefWindowSetup {
public:
    explicit FakePrefWindow(CallLog& log) : m_log(log) {}
    void localizePrefPanel() override { m_log.add("prefWindow", "localizePrefPanel"); }
    void setupDate() override { m_log.add("prefWindow", "setupDate"); }
    void setupScopes(int slot) override { m_log.add("prefWindow", "setupScopes", slot); }
    void setupShortcuts() override { m_log.add("prefWindow", "setupShortcuts"); }
    void setupFontsAndColors() override { m_log.add("prefWindow", "setupFontsAndColors"); }
    void setupHideBoxes() override { m_log.add("prefWindow", "setupHideBoxes"); }

private:
    CallLog& m_log;
};

class FakeInfoLabels final : public InfoPanelLabels {
public:
    explicit FakeInfoLabels(CallLog& log) : m_log(log) {}
    void updateInfoPanelText() override { m_log.add("infoPanelDrag", "updateInfoPanelText"); }

private:
    CallLog& m_log;
};

class FakeBottomPanel final : public BottomPanel {
public:
    explicit FakeBottomPanel(CallLog& log) : m_log(log) {}
    void updateBottomPanel() override { m_log.add("bottomPanel", "updateBottomPanel"); }

private:
    CallLog& m_log;
};

class FakeToolbar final : public MainToolbar {
public:
    explicit FakeToolbar(CallLog& log) : m_log(log) {}
    void setupToolbar() override { m_log.add("toolbar", "setupToolbar"); }
    void clearToolTips() override { m_log.add("toolbar", "clearToolTips"); }

private:
    CallLog& m_log;
};

class FakeConnectMenu final : public ConnectMenuSetup {
public:
    explicit FakeConnectMenu(CallLog& log) : m_log(log) {}
    void setupConnectMenu() override { m_log.add("connectMenu", "setupConnectMenu"); }

private:
    CallLog& m_log;
};

class FakeVersionCheck final : public VersionCheck {
public:
    explicit FakeVersionCheck(CallLog& log) : m_log(log) {}
    void checkNvxVersion(bool userAsked) override { m_log.add("nvxMenu", "checkNvxVersion", userAsked); }

private:
    CallLog& m_log;
};

class FakeFinder final : public Finder {
public:
    explicit FakeFinder(CallLog& log) : m_log(log) {}
    void findTrackAction() override { m_log.add("finder", "findTrackAction"); }

private:
    CallLog& m_log;
};

class FakeLaunchView final : public LaunchView {
public:
    explicit FakeLaunchView(CallLog& log) : m_log(log) {}
    void display() override { m_log.add("view", "display"); }
    void showSplashStage(int stage) override { m_log.add("view", "showSplashStage", stage); }
    void setHasLaunched() override { m_log.add("view", "setHasLaunched"); }
    void startCursorTimer() override { m_log.add("view", "startCursorTimer"); }

private:
    CallLog& m_log;
};

class FakeLaunchWindow final : public LaunchWindow {
public:
    explicit FakeLaunchWindow(CallLog& log) : m_log(log) {}
    void setToolbarShown(bool shown) override { m_log.add("window", "setToolbarShown", shown); }
    void makeKeyWindow() override { m_log.add("window", "makeKeyWindow"); }

private:
    CallLog& m_log;
};

// One of every collaborator, all on one log.
struct ChartFakes {
    CallLog log;
    FakeGamma gamma{log};
    FakeSliders sliders{log};
    FakeCompanion companion{log};
    FakeImages images{log};
    FakeStore store{log};
    FakeSkyDate skyDate{log};
    FakeProjection projection{log};
    FakePath path{log};
    FakeCentering centering{log};
    FakeDisplay skyView{log};
    FakeHider skyWindow{log, "skyWindow"};
    FakeTimePanel timePanel{log};
    FakePanel directionPanel{log, "directionPanel"};
    FakePanel findPanel{log, "findPanel"};
    FakeFinder finder{log};
    FakeHider tonightWindow{log, "tonightWindow"};
    FakeBottomPanel bottomPanel{log};
    FakeInfoLabels infoPanelDrag{log};
    FakeToolbar toolbar{log};
    FakeVersionCheck nvxMenu{log};
    FakeScopeView svWindow{log};
    FakeDrawer svDrawer{log};
    FakeTipOwner svDrawView{log, "svDrawView"};
    FakeHider ssWindow{log, "ssWindow"};
    FakePanel lx200Panel{log, "lx200Panel"};
    FakePanel meadeBasicPanel{log, "meadeBasicPanel"};
    FakePanel temmaPanel{log, "temmaPanel"};
    FakePanel nexStarPanel{log, "nexStarPanel"};
    FakePanel geminiPanel{log, "geminiPanel"};
    FakePanel iOptronPanel{log, "iOptronPanel"};
    FakePanel iEQ45Panel{log, "iEQ45Panel"};
    FakeHider alignPanel{log, "alignPanel"};
    FakeConnectMenu connectMenu{log};
    FakeToolPanel domePanel{log, "domePanel"};
    FakeToolPanel ddwPanel{log, "ddwPanel"};
    FakeTipOwner webcamControl{log, "webcamControl"};
    FakeHider webcamPanel{log, "webcamPanel"};
    FakeToolPanel canonPanel{log, "canonPanel"};
    FakeHider sg4Panel{log, "sg4Panel"};
    FakeHider allSkyPanel{log, "allSkyPanel"};
    FakeHider optecWindow{log, "optecWindow"};
    FakeHider roboWindow{log, "roboWindow"};
    FakeHider jmiWindow{log, "jmiWindow"};
    FakePrefWindow prefWindow{log};
    FakeTipOwner prefLocalization{log, "prefLocalization"};
    FakeLaunchView view{log};
    FakeLaunchWindow window{log};

    // Every outlet connected.
    ChartOutlets outlets()
    {
        ChartOutlets o;
        o.skyWindow = &skyWindow;
        o.skyView = &skyView;
        o.chartImages = &images;
        o.starDatabaseModel = &store;
        o.skyDateModel = &skyDate;
        o.projection = &projection;
        o.planetPath = &path;
        o.centering = &centering;
        o.timeControlPanel = &timePanel;
        o.directionControlPanel = &directionPanel;
        o.viewSliders = &sliders;
        o.skyBottomPanel = &bottomPanel;
        o.infoPanelDrag = &infoPanelDrag;
        o.toolbarDelegate = &toolbar;
        o.nvxMenu = &nvxMenu;
        o.findPanel = &findPanel;
        o.findObjects = &finder;
        o.tonightWindow = &tonightWindow;
        o.svWindow = &svWindow;
        o.svDrawer = &svDrawer;
        o.svDrawView = &svDrawView;
        o.ssWindow = &ssWindow;
        o.lx200Panel = &lx200Panel;
        o.meadeBasicPanel = &meadeBasicPanel;
        o.temmaPanel = &temmaPanel;
        o.nexStarPanel = &nexStarPanel;
        o.geminiPanel = &geminiPanel;
        o.iOptronPanel = &iOptronPanel;
        o.iEQ45Panel = &iEQ45Panel;
        o.alignPanel = &alignPanel;
        o.connectMenu = &connectMenu;
        o.domePanel = &domePanel;
        o.ddwPanel = &ddwPanel;
        o.webcamControl = &webcamControl;
        o.webcamPanel = &webcamPanel;
        o.canonPanel = &canonPanel;
        o.sg4Panel = &sg4Panel;
        o.allSkyPanel = &allSkyPanel;
        o.optecWindow = &optecWindow;
        o.roboWindow = &roboWindow;
        o.jmiWindow = &jmiWindow;
        o.prefWindow = &prefWindow;
        o.prefLocalization = &prefLocalization;
        o.lumarikController = &companion;
        return o;
    }
};
