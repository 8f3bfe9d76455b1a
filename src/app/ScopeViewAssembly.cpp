#include "app/ScopeViewAssembly.h"

#include "app/WindowFrames.h"
#include "chart/SkyView.h"
#include "chart/menus/ChartMenuBar.h"
#include "find/panels/InfoPanelControl.h"
#include "platform/UrlList.h"
#include "platform/widgets/WindowStacking.h"
#include "scopeview/SVDrawView.h"
#include "scopeview/SVDrawer.h"
#include "scopeview/SVView.h"
#include "scopeview/cone/Nomad.h"
#include "scopeview/survey/DSSControl.h"

ScopeViewAssembly::ScopeViewAssembly(ChartAssembly& chart, const ChartAssembly::Folders& folders)
    : m_chart(chart),
      m_window(chart.prefControl(), chart.skyDateModel(), chart.starDatabaseModel()),
      m_discs(chart.solarSystemModel()), m_mount(chart.scopeControl()),
      m_print(m_window.svView(), chart.prefControl(), chart.skyDateModel(), folders.resources + "/ImageF/")
{
    SkyView& skyView = chart.skyWindow().skyView();
    m_window.svDrawer().setSkyView(&skyView);
    SVView& view = m_window.svView();
    view.setChartImages(&skyView.chartImages());
    view.setDeepSkyPhotos(&skyView.deepSkyPhotos());
    view.setSkySource(&chart.chartSkySource());
    view.setDiscSource(&m_discs);
    view.setCursors(&skyView.cursors());
    view.setMountLink(&m_mount);
    view.setHooks({[&chart] { chart.infoPanels().updatePanelInfo(false); }, [&skyView] { skyView.update(); },
                   [&chart] { chart.solarSystemModel().calculatePlanetPath(); }});
    view.setDebugSink([&chart](const QString& line) { chart.debugLog().writeDebugFile(line); });
    // Without its deep-star block the view still works; the alert has been shown.
    m_window.awakeFromNib(folders.resources);

    const QString misc = folders.userData + "/Misc/";
    const UrlList urls = UrlList::read(misc + UrlList::kFileName);
    m_dssControl = std::make_unique<DSSControl>(chart.prefControl(), chart.starDatabaseModel(), view,
                                                m_window.svDrawer(), *m_window.svDrawView().svDSSProgress, misc,
                                                SurveyRequest::Services{urls.dssSite, urls.esoSite, urls.skyViewSite});
    m_window.svDrawer().setSurveyControl(m_dssControl.get());
    view.setSurveyControl(m_dssControl.get());
    m_nomad = std::make_unique<Nomad>(chart.starDatabaseModel(), view, m_window.svDrawer(),
                                      *m_window.svDrawView().nomadDownloadButton, misc, urls.nomadSite);
    m_window.setConeSearch(m_nomad.get());
    m_print.setDrawer(&m_window.svDrawer());
    m_link = std::make_unique<SVControlLink>(m_window, m_print, m_nomad.get());

    ChartOutlets& outlets = chart.outlets();
    outlets.svWindow = &m_window;
    outlets.svDrawer = &m_window.svDrawer();
    outlets.svDrawView = &m_window.svDrawView();
    outlets.svControl = m_link.get();
    FindObjects::TrackLinks track = chart.findObjects().trackLinks();
    track.view = m_link.get();
    chart.findObjects().setTrackLinks(track);
    chart.infoPanels().setStarSource(m_link.get());
    chart.scopeControl().setScopeView(m_link.get());
    chart.menuBar().installIn(m_window.menuBar());
    // A tool window by its kind, yet one whose closing may end the program.
    m_window.setAttribute(Qt::WA_QuitOnClose);
    WindowStacking::keepAbove(m_window, chart.skyWindow());
    keepWindowFrame(chart.prefControl(), m_window, QStringLiteral("Scope View"), &chart.skyWindow().skyView(),
                    Qt::TopRightCorner);
}

ScopeViewAssembly::~ScopeViewAssembly()
{
    // Left open at the end of the run, it opens again at the next start.
    m_chart.prefControl().setIsScopeViewOpen(m_window.isVisible() && !m_link->keepSVClosed());
    ChartOutlets& outlets = m_chart.outlets();
    outlets.svWindow = nullptr;
    outlets.svDrawer = nullptr;
    outlets.svDrawView = nullptr;
    outlets.svControl = nullptr;
    FindObjects::TrackLinks track = m_chart.findObjects().trackLinks();
    track.view = nullptr;
    m_chart.findObjects().setTrackLinks(track);
    m_chart.infoPanels().setStarSource(nullptr);
    m_chart.scopeControl().setScopeView(nullptr);
}
