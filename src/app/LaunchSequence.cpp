#include "app/LaunchSequence.h"

#include "app/DataFolderInstaller.h"
#include "chart/BottomPanel.h"
#include "chart/CatalogueStore.h"
#include "chart/ChartImages.h"
#include "chart/ChartOutlets.h"
#include "chart/InfoPanelLabels.h"
#include "chart/LaunchView.h"
#include "chart/LaunchWindow.h"
#include "chart/MainToolbar.h"
#include "chart/PrefWindowSetup.h"
#include "chart/StarProjection.h"
#include "chart/StartupDate.h"
#include "chart/TimePanel.h"
#include "chart/VersionCheck.h"
#include "chart/WindowSettings.h"
#include "model/catalogue/StartupFailure.h"
#include "model/settings/PrefControl.h"
#include "model/settings/links/CompanionServer.h"
#include "model/settings/links/ViewSliders.h"
#include "scopeview/ScopeViewControl.h"
#include "mount/panels/ConnectMenuSetup.h"
#include "platform/FreedMemory.h"
#include "platform/widgets/FloatingPanel.h"
#include "scopeview/TelescopeDrawer.h"

#include <QTimer>

#include <initializer_list>
#include <utility>

namespace {

enum SplashStage { kDatabaseStage = 1, kCoordinatesStage, kPanelsStage, kFinishingStage };

}  // namespace

LaunchSequence::LaunchSequence(PrefControl& prefs, const DataFolderInstaller& dataFolder,
                               const ChartOutlets& outlets, WindowSettings& windowSettings,
                               LaunchView& view, LaunchWindow& window, QString bundleVersion)
    : m_prefs(prefs),
      m_dataFolder(dataFolder),
      m_outlets(outlets),
      m_windowSettings(windowSettings),
      m_view(view),
      m_window(window),
      m_bundleVersion(std::move(bundleVersion))
{
}

bool LaunchSequence::setupDirectories()
{
    return m_dataFolder.setupDirectories() != DataFolderInstaller::Status::Failed;
}

bool LaunchSequence::didLaunch()
{
    // The failure has shown its alert; it must not travel further, least of
    // all through the event loop that called us.
    try {
        runSequence();
    } catch (const StartupFailure&) {
        return false;
    }
    return true;
}

void LaunchSequence::runSequence()
{
    if (m_outlets.chartImages)
        m_outlets.chartImages->createStarArrays();
    m_prefs.readPrefs();
    versionTest();
    databaseStage();
    toolbarStep();
    coordinatesStage();
    panelsStage();
    finishingStage();
}

void LaunchSequence::versionTest()
{
    if (m_bundleVersion.isEmpty())
        return;
    const QString stored = m_prefs.versionStr();
    if (DataFolderInstaller::isSameVersion(stored, m_bundleVersion))
        return;
    // Stored only once the folder matches this version, so that a refresh
    // that failed is tried again at the next launch.
    if (m_dataFolder.updateDirectories(stored, m_bundleVersion) ==
        DataFolderInstaller::Status::Refreshed)
        m_prefs.setVersionStr(m_bundleVersion);
}

void LaunchSequence::databaseStage()
{
    m_view.showSplashStage(kDatabaseStage);
    if (m_outlets.starDatabaseModel)
        m_outlets.starDatabaseModel->setupDatabase();
}

void LaunchSequence::toolbarStep()
{
    // Before the first projection: the toolbar takes its height from the
    // chart view, and a chart projected for the taller view would be drawn
    // once shifted and then again where it belongs.
    const ChartOutlets& o = m_outlets;
    if (o.toolbarDelegate) {
        o.toolbarDelegate->setupToolbar();
        if (!m_prefs.isToolTips())
            o.toolbarDelegate->clearToolTips();
    }
    m_window.setToolbarShown(m_prefs.isShowToolbar());
}

void LaunchSequence::coordinatesStage()
{
    m_view.showSplashStage(kCoordinatesStage);
    if (m_outlets.chartImages)
        m_outlets.chartImages->createObjectSymbols();
    if (m_outlets.skyDateModel)
        m_outlets.skyDateModel->startupDate();
    if (m_outlets.projection)
        m_outlets.projection->calculateStarPositions(true);
}

void LaunchSequence::panelsStage()
{
    const ChartOutlets& o = m_outlets;
    m_view.showSplashStage(kPanelsStage);

    if (o.timeControlPanel && m_prefs.isTimePanel())
        o.timeControlPanel->orderFront();
    if (o.directionControlPanel && m_prefs.isDirectionPanel())
        o.directionControlPanel->orderFront();
    if (o.svControl && m_prefs.isScopeViewOpen()) {
        o.svControl->setKeepSVClosed(false);
        o.svControl->orderFront();
    }
    if (o.viewSliders) {
        o.viewSliders->setAzimuthSlider(m_prefs.azimuth());
        o.viewSliders->setAltitudeSlider(m_prefs.altitude());
        o.viewSliders->setViewAngleSlider(m_prefs.viewAngle());
    }
    if (o.prefWindow) {
        o.prefWindow->localizePrefPanel();
        o.prefWindow->setupDate();
        o.prefWindow->setupScopes(0);
        o.prefWindow->setupShortcuts();
    }
    if (o.timeControlPanel)
        o.timeControlPanel->setupDate();
    // The NexStar, iOptron and iEQ45 panels set their own transparency.
    for (FloatingPanel* panel : {static_cast<FloatingPanel*>(o.timeControlPanel),
                                 o.directionControlPanel, o.findPanel, o.lx200Panel,
                                 o.meadeBasicPanel, o.temmaPanel, o.geminiPanel}) {
        if (panel)
            panel->setTransparency();
    }
    if (o.infoPanelDrag)
        o.infoPanelDrag->updateInfoPanelText();
    if (o.prefWindow)
        o.prefWindow->setupFontsAndColors();
    if (o.svDrawer)
        o.svDrawer->setupDrawer();
    if (o.prefWindow)
        o.prefWindow->setupHideBoxes();
    m_windowSettings.setAllHide();
    m_view.display();

    m_windowSettings.toolTipsControl();
    if (o.connectMenu)
        o.connectMenu->setupConnectMenu();
}

void LaunchSequence::finishingStage()
{
    const ChartOutlets& o = m_outlets;
    m_view.showSplashStage(kFinishingStage);

    if (o.chartImages) {
        o.chartImages->recolorStarArrays();
        o.chartImages->recolorObjectSymbols();
        if (m_prefs.isMyth())
            o.chartImages->recolorMythForms();
    }
    if (o.starDatabaseModel && m_prefs.isCustomHorizon())
        o.starDatabaseModel->createHorizonAltAz(m_prefs.currentSite());
    m_view.setHasLaunched();

    m_window.makeKeyWindow();
    if (o.skyBottomPanel)
        o.skyBottomPanel->updateBottomPanel();
    if (o.timeControlPanel && m_prefs.isRunRealTime())
        o.timeControlPanel->setRunRealTime();
    if (o.nvxMenu && m_prefs.isVersionCheck())
        o.nvxMenu->checkNvxVersion(false);
    m_view.display();
    if (o.lumarikController)
        o.lumarikController->createManager();
    m_view.startCursorTimer();
    // Once the first chart is up, the free pages of the start's passing
    // work go back.
    QTimer::singleShot(kReleaseDelay, [] { FreedMemory::returnToSystem(); });
}
