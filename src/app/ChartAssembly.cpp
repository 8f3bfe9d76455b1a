#include "app/ChartAssembly.h"

#include "app/CanonLink.h"
#include "app/DomeLink.h"
#include "app/FCUSBLink.h"
#include "app/SG4AllSkyLink.h"
#include "app/SG4Link.h"
#include "app/FocusLink.h"
#include "app/JMIFocuserLink.h"
#include "app/MoonLiteFocuserLink.h"
#include "focus/JMIControl.h"
#include "focus/MoonLiteControl.h"
#include "focus/views/FocusMenu.h"
#include "app/DSUSBShutter.h"
#include "app/GuideLink.h"
#include "app/RemoteLink.h"
#include "app/FinderLink.h"
#include "app/NameSearchLink.h"
#include "app/PlanningAssembly.h"
#include "app/CompanionAssembly.h"
#include "app/PrefWindowLink.h"
#include "app/SettingsReload.h"
#include "app/ScopeAim.h"
#include "app/WebcamLink.h"
#include "app/WindowFrames.h"
#include "camera/canon/Gphoto2CanonSdk.h"
#include "chart/SkyView.h"
#include "chart/appmenu/MpcDownloadPanel.h"
#include "chart/appmenu/NvxMenu.h"
#include "chart/appmenu/NvxMenuActions.h"
#include "chart/menus/ChartMenuBar.h"
#include "chart/menus/MenuText.h"
#include "chart/panels/InfoPanelDrag.h"
#include "chart/panels/ReadoutText.h"
#include "chart/photohorizon/PhotoHorizonAdjustPanel.h"
#include "chart/printing/PrintSkyView.h"
#include "chart/toolbar/ToolbarActions.h"
#include "chart/toolbar/ToolbarDelagate.h"
#include "find/panels/CalEventPanel.h"
#include "find/panels/FindPanelControl.h"
#include "find/panels/InfoPanelControl.h"
#include "find/panels/TonightWindow.h"
#include "model/settings/PrefLinks.h"
#include "mount/MountProtocols.h"
#include "mount/panels/ConnectMenu.h"
#include "mount/panels/DDWPanel.h"
#include "mount/panels/DomePanel.h"
#include "mount/panels/HandControlPanelSet.h"
#include "platform/DataPaths.h"
#include "platform/widgets/ImageFile.h"
#include "platform/widgets/ScreenFit.h"
#include "prefs/CityDataSource.h"
#include "prefs/PrefWindow.h"
#include "prefs/PrefWindowControl.h"
#include "prefs/SaveAlert.h"
#include "scopeview/ScopeViewWindow.h"
#include "scopeview/TelescopeDrawer.h"
#include "platform/widgets/WindowStacking.h"
#include "skydraw/DeepSkyPhotos.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTimer>

#include <cstdlib>
#include <utility>

ChartAssembly::Folders ChartAssembly::Folders::standard()
{
    return {DataPaths::bundleDataFolder(), DataPaths::userDataFolder(),
            DataPaths::bundleResourcesFolder()};
}

ChartAssembly::ChartAssembly(const Folders& folders, AllSkyClock* allSkyClock)
    : m_catalogueFolders(
          CatalogueFolders::form(folders.userData, folders.bundleData, folders.resources)),
      m_userDataFolder(folders.userData),
      m_debugLog(QDir::cleanPath(m_catalogueFolders.miscDirectory)),
      m_gamma(DisplayGamma::create()),
      m_prefs(*m_gamma),
      m_skyDateModel(m_prefs),
      m_solarSystem(m_starDatabaseModel, m_prefs, m_skyDateModel),
      m_solarSystemLink(m_solarSystem),
      m_ssBodies(m_solarSystem),
      m_ssWindow([this, resources = folders.resources] { return makeSSWindow(resources); }),
      m_ssWindowLink(m_ssWindow),
      m_starDatabaseLink(m_starDatabaseModel, m_catalogueFolders),
      m_chartSkyLink(m_starDatabaseModel, m_prefs, m_skyDateModel,
                     [this] { return m_solarSystem.sunAlt(); }),
      m_skyDateLink(m_skyDateModel),
      m_dataFolder(folders.bundleData, folders.userData),
      m_chain(m_prefs, m_outlets),
      m_windowSettings(m_prefs, m_outlets),
      m_skyWindow(m_prefs, m_outlets, m_chain, m_windowSettings, m_catalogueFolders),
      m_time(m_prefs, m_skyDateModel, m_outlets),
      m_keyboard(m_prefs, m_time, m_outlets, m_chain, m_skyWindow),
      m_mouse(m_prefs, m_starDatabaseModel, m_time, m_outlets, m_chain, m_skyWindow.skyView().mouseParts(), &m_capsLock),
      m_bottomPanel(new SkyBottomPanel(m_prefs, m_skyDateModel, m_starDatabaseModel, m_skyWindow.skyView(),
                                       m_outlets, [this] { return m_solarSystem.twilightLevel(); }, &m_skyWindow)),
      m_infoDragControl(
          new InfoDragControl(m_prefs, m_catalogueFolders.imagesDirectory + "InfoDragImage.png", &m_skyWindow)),
      m_timePanel(new TimeControlPanel(m_prefs, m_time, m_outlets, m_chain, &m_skyWindow)),
      m_directionPanel(new DirectionControlPanel(m_prefs, m_chain, &m_keyboard, &m_skyWindow)),
      m_openGLView(m_prefs, {m_catalogueFolders.miscDirectory, [this] { return m_starDatabaseModel.radius(); },
                             [this](auto pixelNotAlpha) { m_starDatabaseModel.createPhotoAltAz(pixelNotAlpha); }}),
      m_photoHorizonPanel(new PhotoHorizonAdjustPanel(m_prefs, m_openGLView, m_skyWindow.skyView(), &m_skyWindow)),
      m_launch(m_prefs, m_dataFolder, m_outlets, m_windowSettings, m_skyWindow.skyView(),
               m_skyWindow, QCoreApplication::applicationVersion()),
      m_mount(m_prefs, m_skyDateModel, m_debugLog, m_skyWindow.skyView(), &m_skyWindow),
      m_appMenuModel(m_starDatabaseModel, m_solarSystem.smallBodies(), m_outlets),
      m_findSky(m_starDatabaseModel, m_skyDateModel,
                {[this] { return QString::fromLatin1(m_solarSystem.neoName()); },
                 [this] { return m_solarSystem.neoIndex(); }}),
      m_simbadLookup(m_catalogueFolders.miscDirectory, {}),
      m_findObjects(m_findSky, m_prefs, m_simbadLookup, {}),
      m_prefWindow([this] { return makePrefWindow(); })
{
    m_outlets.scopeControl = &m_mount.scopeControl();
    m_outlets.connectMenu = m_mount.connectMenu();
    m_outlets.skyWindow = &m_skyWindow;
    m_outlets.skyView = &m_skyWindow.skyView();
    m_outlets.skyViewModes = &m_skyWindow.skyView();
    m_outlets.mainWindow = &m_skyWindow;
    m_outlets.chartImages = &m_skyWindow.skyView();
    m_chartSkyLink.setSolarSystem(&m_solarSystem);
    m_skyWindow.skyView().setSkySource(&m_chartSkyLink);
    m_skyWindow.skyView().setKeyboard(&m_keyboard);
    m_skyWindow.skyView().setMouse(&m_mouse);
    m_skyWindow.skyView().setPhotoHorizon(&m_openGLView);
    m_skyWindow.setBottomPanel(m_bottomPanel);
    m_bottomPanel->setReadoutChooser(m_infoDragControl);
    connect(m_infoDragControl, &InfoDragControl::choiceChanged, m_bottomPanel, &SkyBottomPanel::updateBottomPanel);
    m_outlets.skyBottomPanel = m_bottomPanel;
    m_outlets.infoPanelDrag = m_infoDragControl;
    m_outlets.timeControl = &m_time;
    m_outlets.timeControlPanel = m_timePanel;
    // A lost mount gives the date back to the user at once, not at the clock's next minute.
    connect(&m_mount.scopeControl(), &ScopeControl::connectionLost, m_timePanel, &TimeControlPanel::setupDate);
    m_outlets.directionControlPanel = m_directionPanel;
    m_outlets.viewSliders = m_directionPanel;
    m_outlets.starDatabaseModel = &m_starDatabaseLink;
    m_outlets.projection = &m_starDatabaseLink;
    m_outlets.centering = &m_starDatabaseLink;
    m_outlets.planetPath = &m_solarSystemLink;
    m_outlets.ssWindow = &m_ssWindowLink;
    m_outlets.ssControl = &m_ssWindowLink;
    m_outlets.scopeGoto = &m_mount.scopeControl();
    m_outlets.skyDateModel = &m_skyDateLink;
    m_outlets.photoHorizonPanel = m_photoHorizonPanel;

    m_starDatabaseModel.setLinks(m_prefs, m_skyDateModel);
    m_starDatabaseModel.setDebugSink([this](const QString& line) { writeDebugLine(line); });
    m_prefs.setDebugSink([this](const QString& line) { writeDebugLine(line); });
    m_prefs.setLaterWriteFailureSink(&SaveAlert::alert);
    m_prefs.setHeldBackSink(&SaveAlert::waiting);

    PrefLinks links;
    links.chartRefresh = &m_chain;
    links.realTimeClock = m_timePanel;
    links.viewSliders = m_directionPanel;
    links.photoHorizon = &m_openGLView;
    links.mount = &m_mount.scopeControl();
    links.wifiBridge = &m_mount.serialControl();
    createDomes(folders.resources, links);
    createSG4(links, allSkyClock);
    m_focus = std::make_unique<FocusLink>(m_mount, m_prefs, m_outlets, &m_skyWindow);
    m_fcusb = std::make_unique<FCUSBLink>(m_prefs, FCUSBLink::Devices::usb(), &m_skyWindow);
    m_fcusb->fillLinks(links);
    m_fcusb->fillOutlets(m_outlets);
    m_fcusb->joinFocus(*m_focus);
    m_jmi = std::make_unique<JMIFocuserLink>(*m_focus, m_prefs);
    m_moonLite = std::make_unique<MoonLiteFocuserLink>(*m_focus, m_prefs);
    links.jmi = &m_jmi->control();
    links.moonLite = &m_moonLite->control();
    m_focus->fillLinks(links);
    m_guide = std::make_unique<GuideLink>(m_prefs, m_debugLog, m_mount, GuideLink::Devices::usb(), &m_skyWindow);
    createCanon(links);
    createWebcam(folders.resources, links);
    m_prefs.setLinks(links);
    createAppMenu(folders);
    createFinder();
    createMenus();
    createPlanning();
    createRemote();
    createPrefWindow();
    m_companion = std::make_unique<CompanionAssembly>(*this);
    links.companionServer = &m_companion->controller();
    m_settingsReload = std::make_unique<SettingsReload>(m_prefs, m_skyDateModel, *m_prefWindowLink, m_outlets);
    links.settingsReset = m_settingsReload.get();
    m_prefs.setLinks(links);

    // Each window opens where the user left it.
    keepWindowFrame(m_prefs, m_skyWindow, QStringLiteral("Chart"));
    keepWindowFrame(m_prefs, *m_timePanel, QStringLiteral("Time Panel"));
    keepWindowFrame(m_prefs, *m_directionPanel, QStringLiteral("Direction Panel"));
    // The first time, over the chart's view rather than its menu bar.
    const QWidget& view = m_skyWindow.skyView();
    keepWindowFrame(m_prefs, *m_findPanel, QStringLiteral("Find Panel"), &view, Qt::TopLeftCorner);
    keepScrollingWindowFrame(m_prefs, m_planning->tonightWindow(), QStringLiteral("Night Planner"), &view,
                             Qt::TopLeftCorner);
    keepWindowFrame(m_prefs, m_planning->calEventPanel(), QStringLiteral("Calendar Event"), &view, Qt::TopLeftCorner);
    keepWindowFrame(m_prefs, *m_photoHorizonPanel, QStringLiteral("Photo Horizon"), &view, Qt::TopLeftCorner);
    // Each kind of hand panel has a layout, and so a frame, of its own.
    const std::pair<MountPanel, const char*> handPanels[] = {
        {MountPanel::LX200, "LX200"},     {MountPanel::MeadeBasic, "Meade Basic"}, {MountPanel::Gemini, "Gemini"},
        {MountPanel::Temma, "Temma"},     {MountPanel::NexStar, "NexStar"},        {MountPanel::IOptron, "iOptron"},
        {MountPanel::IEQ45, "iEQ45"},
    };
    for (const auto& [which, name] : handPanels)
        keepWindowFrame(m_prefs, *m_mount.handPanels().panel(which),
                        QStringLiteral("Hand Panel ") + QLatin1String(name), &view, Qt::BottomLeftCorner);
}

std::unique_ptr<SSWindow> ChartAssembly::makeSSWindow(const QString& resources)
{
    auto window = std::make_unique<SSWindow>(m_prefs, m_skyDateModel, m_ssBodies, resources);
    m_menuBar->installIn(*window->menuBar());
    // A tool window by its kind, yet one whose closing may end the program.
    window->setAttribute(Qt::WA_QuitOnClose);
    WindowStacking::keepAbove(*window, m_skyWindow);
    window->setHide(m_prefs.isSSHide());
    keepWindowFrame(m_prefs, *window, QStringLiteral("Solar System"), &m_skyWindow.skyView(), Qt::BottomLeftCorner);
    return window;
}

void ChartAssembly::createPrefWindow()
{
    m_starDatabaseModel.setCustomFilterList(&m_customFilter);
    m_prefWindowLink = std::make_unique<PrefWindowLink>(m_prefWindow, m_prefs, m_customFilter,
                                                        [this] { return m_starDatabaseModel.tourDirectory(); });
    m_outlets.prefWindow = m_prefWindowLink.get();
    m_outlets.prefLocalization = m_prefWindowLink.get();
    m_skyDateModel.setFirstRunNotice(m_prefWindowLink.get());
    m_mount.scopeControl().setPrefWindow(m_prefWindowLink.get());
    m_cities = std::make_unique<CityDataSource>(m_catalogueFolders.databaseDirectory, m_catalogueFolders.buildDirectory);
    m_starDatabaseModel.addCacheRebuilder(m_cities->usCities());
    m_starDatabaseModel.addCacheRebuilder(m_cities->worldCities());
    // First in the application menu, where every main window's menu bar shows it.
    auto* item = new QAction(menuText("Preferences..."), m_nvxMenu);
    item->setMenuRole(QAction::PreferencesRole);
    connect(item, &QAction::triggered, this, [this] { m_prefWindowLink->showTab(PrefWindow::kSetup); });
    m_nvxMenu->insertAction(m_nvxMenu->actions().value(0), item);
}

std::unique_ptr<PrefWindowControl> ChartAssembly::makePrefWindow()
{
    auto window = std::make_unique<PrefWindowControl>(m_prefs, m_skyDateModel, m_customFilter);
    window->setChartRefresh(&m_chain);
    window->setUpdateSky([this] { m_chain.updateSky(); });
    window->setStarDatabaseModel(&m_starDatabaseModel);
    window->setStarArray([this] { return &m_skyWindow.skyView().chartImages().starArray(); });
    // The drawer and the Connect menu are read when used: the telescope view joins later.
    window->setTelescopeLinks({[this] {
                                   if (m_outlets.svDrawer)
                                       m_outlets.svDrawer->setupDrawer();
                               },
                               [this] {
                                   if (m_outlets.connectMenu)
                                       m_outlets.connectMenu->setupConnectMenu();
                               }});
    window->setOptionLinks(
        {[this] { m_windowSettings.toolTipsControl(); },
         [this] { m_starDatabaseModel.createHorizonAltAz(m_prefs.currentSite()); },
         [this] { m_starDatabaseModel.createPhotoAltAz(m_openGLView.pixelNotAlpha()); }});
    window->setMythMiscLinks({[this] { m_windowSettings.setAllHide(); },
                              [this] { m_skyWindow.skyView().resetCursorRects(); },
                              [this] { m_chain.redraw(); }});
    // The readout chooser is the window's Info Panel tab.
    std::vector<QWidget*> readouts(ReadoutText::Locn - ReadoutText::View + 1);
    for (InfoPanelDrag* button : m_infoDragControl->findChildren<InfoPanelDrag*>()) {
        if (button->tag() >= ReadoutText::View && button->tag() <= ReadoutText::Locn)
            readouts[size_t(button->tag() - ReadoutText::View)] = button;
    }
    window->setInfoPanel(m_infoDragControl, readouts);
    // Above the chart however often the chart is clicked, as the other floating windows.
    WindowStacking::keepAbove(window->window(), m_skyWindow);
    keepWindowFrame(m_prefs, window->window(), QStringLiteral("Preferences"), &m_skyWindow.skyView(),
                    Qt::TopLeftCorner);
    // Its tallest pages scroll on a small screen (each in its tab); it first
    // opens as large as they and the screen allow.
    ScreenFit::install(window->window());
    window->setCityDataSource(*m_cities);
    m_prefWindowLink->fill(*window);
    return window;
}

void ChartAssembly::createDomes(const QString& resources, PrefLinks& links)
{
    m_domes = std::make_unique<DomeLink>(m_prefs, m_debugLog, m_mount, m_skyWindow.skyView(),
                                         resources, &m_skyWindow);
    m_domes->fillLinks(links);
    m_domes->joinConnectMenu(*m_mount.connectMenu());
    m_outlets.domePanel = &m_domes->domePanelLink();
    m_outlets.ddwPanel = &m_domes->ddwPanelLink();
    m_skyWindow.skyView().setTelescope(m_scopeAim.get(), &m_domes->domeSlits());
}

void ChartAssembly::createSG4(PrefLinks& links, AllSkyClock* allSkyClock)
{
    m_sg4 = std::make_unique<SG4Link>(m_prefs, m_debugLog, m_mount, &m_skyWindow);
    m_sg4->fillLinks(links);
    m_sg4->fillOutlets(m_outlets);
    m_sg4->joinConnectMenu(*m_mount.connectMenu());
    m_allSky = std::make_unique<SG4AllSkyLink>(m_prefs, m_debugLog, *m_sg4, m_catalogueFolders.miscDirectory,
                                               &m_skyWindow, allSkyClock);
    m_allSky->fillLinks(links);
    m_allSky->fillOutlets(m_outlets);
    m_allSky->joinConnectMenu(*m_mount.connectMenu());
}

void ChartAssembly::createCanon(PrefLinks& links)
{
    m_canon = std::make_unique<CanonLink>(m_prefs, m_debugLog, std::make_unique<Gphoto2CanonSdk>(), &m_skyWindow);
    m_canon->fillLinks(links);
    m_canon->fillOutlets(m_outlets);
    m_canon->joinConnectMenu(*m_mount.connectMenu());
    m_canon->joinFocus(*m_focus);
    m_dsusbShutter = std::make_unique<DSUSBShutter>(m_guide->dsusbControl());
    m_canon->canonControl().setShutter(m_dsusbShutter.get());
}

void ChartAssembly::createWebcam(const QString& resources, PrefLinks& links)
{
    m_webcam = std::make_unique<WebcamLink>(m_prefs, m_debugLog, resources, m_catalogueFolders.miscDirectory,
                                            &m_skyWindow);
    m_webcam->fillLinks(links);
    m_webcam->fillOutlets(m_outlets);
    m_webcam->joinConnectMenu(*m_mount.connectMenu());
    m_webcam->joinGuide(*m_guide);
    m_webcam->joinFocus(*m_focus);
}

void ChartAssembly::writeDebugLine(const QString& line)
{
    if (m_prefs.isDebug())
        m_debugLog.writeDebugFile(line);
}

void ChartAssembly::createAppMenu(const Folders& folders)
{
    m_mpcDownloadPanel = new MpcDownloadPanel(
        m_skyWindow.screenRect(), [this] { m_nvxActions->mpcCancelAction(); }, &m_skyWindow);
    m_nvxActions = std::make_unique<NvxMenuActions>(
        NvxMenuActions::Links{m_prefs, m_appMenuModel, m_skyWindow, *m_mpcDownloadPanel,
                              [](const QUrl& url) { return QDesktopServices::openUrl(url); }},
        QCoreApplication::applicationVersion(), folders.userData + "/" + DataFolderInstaller::kManual);
    m_nvxActions->setDebugSink([this](const QString& line) { writeDebugLine(line); });
    m_solarSystem.smallBodies().setProgress(
        [this](double percent) { m_nvxActions->updateMPCProgress(percent); });
    m_solarSystem.smallBodies().setLoadsLargeCacheApart([this] {
        m_appMenuModel.calculateCometPositions(kSmallBodyMinorPlanets);
        m_appMenuModel.display();
    });
    m_outlets.nvxMenu = m_nvxActions.get();

    m_nvxMenu = new NvxMenu(*m_nvxActions, m_prefs, &m_skyWindow);
}

void ChartAssembly::createMenus()
{
    SkyView& view = m_skyWindow.skyView();
    m_printSkyView = std::make_unique<PrintSkyView>(
        PrintSkyView::Links{m_prefs, m_skyDateModel, view.chartFrame(), view.skySource()},
        m_catalogueFolders.imagesDirectory);
    m_menuBar = std::make_unique<ChartMenuBar>(
        ChartMenuBar::Links{m_prefs, m_outlets, m_chain, *m_gamma, m_time, *m_printSkyView,
                            m_catalogueFolders.tourDirectory},
        &m_skyWindow);
    m_menuBar->setApplicationMenus(m_nvxMenu, m_nvxMenu->helpMenu());
    m_menuBar->setConnectMenu(m_mount.connectMenu());
    m_menuBar->setFocuserMenu(m_focus->focusMenu());
    m_menuBar->installIn(*m_skyWindow.menuBar());
    m_outlets.menus = m_menuBar.get();
    m_outlets.skyClickMenu = m_menuBar->skyClickMenu();

    m_toolbarActions = std::make_unique<ToolbarActions>(m_prefs, m_outlets, m_chain, m_time);
    m_toolbar = new ToolbarDelagate(*m_toolbarActions, m_prefs, m_skyWindow, m_catalogueFolders.imagesDirectory);
    m_outlets.toolbarDelegate = m_toolbar;
}

void ChartAssembly::createFinder()
{
    m_findPanel = new FindPanelControl(
        m_prefs, m_findObjects,
        {[this] { m_skyWindow.activateWindow(); },
         [this](QKeyEvent* event) { QCoreApplication::sendEvent(&m_skyWindow, event); }},
        &m_skyWindow);
    connect(m_findPanel, &FindPanelControl::findCenterAction, &m_findObjects,
            &FindObjects::findCenterAction);
    connect(m_findPanel, &FindPanelControl::findTrackAction, &m_findObjects,
            &FindObjects::findTrackAction);
    connect(m_findPanel, &FindPanelControl::findTCAction, &m_findObjects,
            &FindObjects::findTCAction);

    // The information panels show only the shipped photographs.
    m_stockPhotos = std::make_unique<DeepSkyPhotos>(QString(), m_catalogueFolders.photoDirectory);
    InfoPanelControl::Links links;
    links.chart = {[this] { m_skyWindow.activateWindow(); },
                   [this](QKeyEvent* event) { QCoreApplication::sendEvent(&m_skyWindow, event); }};
    links.setChartTitle = [this](const QString& title) { m_skyWindow.setWindowTitle(title); };
    links.skyDate = [this] { return m_skyDateModel.skyDate(); };
    links.moonAge = [this] { return m_solarSystem.moonAge(); };
    links.deepSkyPhoto = [this](const deepSky& object) { return m_stockPhotos->photoFor(object); };
    links.moonPhoto = [this] {
        return ImageFile::image(m_catalogueFolders.photoDirectory + QStringLiteral("Moon.jpg"));
    };
    m_infoPanels = std::make_unique<InfoPanelControl>(m_prefs, m_findSky, m_findObjects,
                                                      std::move(links), &m_skyWindow);

    FindObjects::Hooks hooks;
    hooks.updateSky = [this] { m_skyWindow.updateSky(); };
    hooks.chartNeedsDisplay = [this] { m_skyWindow.skyView().update(); };
    // The telescope view is made later and may be closed: reach it through the outlets.
    hooks.redrawScopeView = [this] {
        if (m_outlets.svWindow && m_outlets.svWindow->isWindowVisible())
            m_outlets.svWindow->display();
    };
    hooks.orderOutFindPanel = [this] { m_findPanel->hide(); };
    hooks.escapePanel = [this] { m_infoPanels->escapePanel(); };
    hooks.chartWidth = [this] { return double(m_skyWindow.skyView().width()); };
    hooks.setMarkAlpha = [this](float alpha) { m_skyWindow.skyView().setMarkAlpha(alpha); };
    hooks.writeDebugFile = [this](const QString& line) { m_debugLog.writeDebugFile(line); };
    m_findObjects.setHooks(std::move(hooks));
    m_findObjects.setPhotoHorizon(&m_openGLView);
    m_outlets.findPanel = m_findPanel;
    m_outlets.findPanelEntry = m_findPanel;
    m_outlets.photoPanel = m_infoPanels.get();
    m_nameSearch = std::make_unique<NameSearchLink>(m_findObjects, *m_findPanel);
    m_outlets.nameSearch = m_nameSearch.get();
    m_finderLink = std::make_unique<FinderLink>(m_findObjects, *m_infoPanels,
                                                [this](bool open) { m_findPanel->openFind(open); });
    m_outlets.findObjects = m_finderLink.get();

    AlignPanel& align = m_mount.createAlignPanel(
        {[this] { return PolarAlignment::Star{m_findObjects.trackRA(), m_findObjects.trackDec()}; },
         [this](bool on) { m_findObjects.setIsAlignAdjust(on); }});
    FindObjects::TrackLinks track = m_findObjects.trackLinks();
    track.mount = &m_mount.trackMount();
    track.alignment = &align;
    m_findObjects.setTrackLinks(track);
    const auto finderTrack = [this] {
        return FinderTrack{m_prefs.findIndex(), m_findObjects.trackRA(), m_findObjects.trackDec(),
                           m_prefs.findName()};
    };
    m_mount.scopeControl().setFinderTrack(finderTrack);
    m_scopeAim = std::make_unique<ScopeAim>(m_mount.scopeControl(), m_outlets, finderTrack);
    // The reticle and the dome slit are drawn together: each call passes both.
    m_skyWindow.skyView().setTelescope(m_scopeAim.get(), m_domes ? &m_domes->domeSlits() : nullptr);
    m_outlets.alignPanel = &align;
    HandControlPanelSet& panels = m_mount.handPanels();
    m_outlets.lx200Panel = panels.panel(MountPanel::LX200);
    m_outlets.meadeBasicPanel = panels.panel(MountPanel::MeadeBasic);
    m_outlets.temmaPanel = panels.panel(MountPanel::Temma);
    m_outlets.nexStarPanel = panels.panel(MountPanel::NexStar);
    m_outlets.geminiPanel = panels.panel(MountPanel::Gemini);
    m_outlets.iOptronPanel = panels.panel(MountPanel::IOptron);
    m_outlets.iEQ45Panel = panels.panel(MountPanel::IEQ45);
}

void ChartAssembly::createPlanning()
{
    const ChartKeyboard chart{[this] { m_skyWindow.activateWindow(); },
                              [this](QKeyEvent* event) { QCoreApplication::sendEvent(&m_skyWindow, event); }};
    m_planning = std::make_unique<PlanningAssembly>(
        PlanningAssembly::Links{m_prefs, m_findObjects, m_findSky, m_mount.scopeControl(),
                                [this] { m_skyWindow.updateSky(); }, chart,
                                [this] { return m_menuBar->fileMenu().handleTourClose(); },
                                [this] { return m_skyDateModel.skyDate(); }, m_catalogueFolders.tourDirectory,
                                m_userDataFolder + QStringLiteral("/Calendars"),
                                [this] {
                                    if (m_prefWindowLink)
                                        m_prefWindowLink->setupCustomFilters();
                                },
                                &m_canon->tourCamera()},
        m_outlets, &m_skyWindow);
    m_planning->placeTourPanelOver(m_skyWindow.skyView());
    m_finderLink->setTours(&m_planning->tours());
}

void ChartAssembly::createRemote()
{
    m_remote = std::make_unique<RemoteLink>(RemoteLink::Parts{
        m_prefs, m_mount.scopeControl(), m_findObjects, m_planning->tours(), m_guide->webcamGuide(),
        m_menuBar->viewMenu(), m_menuBar->showMenu()});
    m_outlets.appDelegate = &m_remote->plannerLink();
    m_outlets.speech = &m_remote->speechSwitch();
    m_infoPanels->setPlanner(&m_remote->appDelegate());
}

ChartAssembly::~ChartAssembly() = default;

PrefWindowControl& ChartAssembly::prefWindow() { return m_prefWindow.get(); }

bool ChartAssembly::awakeFromNib()
{
    if (!m_launch.setupDirectories())
        return false;
    m_nvxActions->awakeFromNib(m_catalogueFolders.miscDirectory);
    const UrlList& urls = m_nvxActions->urls();
    m_simbadLookup.setServices({urls.simbadSite, urls.simbadMirrorSite, urls.sesameSite});
    return true;
}

void ChartAssembly::show()
{
    m_isLaunchPending = true;
    m_skyWindow.skyView().installEventFilter(this);
    m_skyWindow.show();
}

bool ChartAssembly::eventFilter(QObject* watched, QEvent* event)
{
    // The launch follows the chart's first paint, so that the window is on
    // screen and every splash stage shows; it runs from the event loop once
    // that paint is done.
    if (m_isLaunchPending && event->type() == QEvent::Paint) {
        m_isLaunchPending = false;
        watched->removeEventFilter(this);
        QTimer::singleShot(0, this, &ChartAssembly::didLaunch);
    }
    return QObject::eventFilter(watched, event);
}

void ChartAssembly::didLaunch()
{
    if (!m_launch.didLaunch()) {
        QCoreApplication::exit(EXIT_FAILURE);
        return;
    }
    m_skyWindow.didLaunch();
    m_solarSystem.smallBodies().loadPendingApart();
}
