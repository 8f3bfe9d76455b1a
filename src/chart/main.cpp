#include "chart/ChartAssembly.h"
#include "chart/MessageBoxPresenter.h"
#include "chart/SkyView.h"

#include "find/panels/InfoPanelControl.h"
#include "platform/AlertPanel.h"
#include "platform/UrlList.h"
#include "scopeview/cone/Nomad.h"
#include "scopeview/survey/DSSControl.h"
#include "scopeview/SVDrawView.h"
#include "scopeview/PrintSVView.h"
#include "scopeview/SVControlLink.h"
#include "scopeview/SVDrawer.h"
#include "scopeview/SVSolarSystemLink.h"
#include "scopeview/SVTrackLink.h"
#include "scopeview/SVView.h"
#include "scopeview/SVWindow.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication::setOrganizationName("Norvane");
    QApplication::setApplicationName("Norvane Pro");
    QApplication::setApplicationVersion(NORVANE_VERSION);
    QApplication app(argc, argv);
    AlertPanel::setPresenter(std::make_unique<MessageBoxPresenter>());

    const ChartAssembly::Folders folders = ChartAssembly::Folders::standard();
    ChartAssembly assembly(folders);
    if (!assembly.awakeFromNib())
        return EXIT_FAILURE;

    SVWindow svWindow(assembly.prefControl(), assembly.skyDateModel(), assembly.starDatabaseModel());
    svWindow.svDrawer().setSkyView(&assembly.skyWindow().skyView());
    SkyView& skyView = assembly.skyWindow().skyView();
    svWindow.svView().setChartImages(&skyView.chartImages());
    svWindow.svView().setDeepSkyPhotos(&skyView.deepSkyPhotos());
    svWindow.svView().setSkySource(&assembly.chartSkySource());
    SVSolarSystemLink svDiscs(assembly.solarSystemModel());
    svWindow.svView().setDiscSource(&svDiscs);
    svWindow.svView().setCursors(&skyView.cursors());
    svWindow.svView().setHooks({[&assembly] { assembly.infoPanels().updatePanelInfo(false); },
                                [&skyView] { skyView.update(); },
                                [&assembly] { assembly.solarSystemModel().calculatePlanetPath(); }});
    svWindow.svView().setDebugSink([&assembly](const QString& line) {
        assembly.debugLog().writeDebugFile(line);
    });
    // Without its deep-star block the view still works; the alert has been shown.
    svWindow.awakeFromNib(folders.resources);
    const QString misc = folders.userData + "/Misc/";
    const UrlList urls = UrlList::read(misc + UrlList::kFileName);
    DSSControl dssControl(assembly.prefControl(), assembly.starDatabaseModel(), svWindow.svView(),
                          svWindow.svDrawer(), *svWindow.svDrawView().svDSSProgress, misc,
                          {urls.dssSite, urls.esoSite, urls.skyViewSite});
    svWindow.svDrawer().setSurveyControl(&dssControl);
    svWindow.svView().setSurveyControl(&dssControl);
    Nomad nomad(assembly.starDatabaseModel(), svWindow.svView(), svWindow.svDrawer(),
                *svWindow.svDrawView().nomadDownloadButton, misc, urls.nomadSite);
    svWindow.setConeSearch(&nomad);
    ChartOutlets& outlets = assembly.outlets();
    outlets.svWindow = &svWindow;
    outlets.svDrawer = &svWindow.svDrawer();
    outlets.svDrawView = &svWindow.svDrawView();
    PrintSVView printSVView(svWindow.svView(), assembly.prefControl(), assembly.skyDateModel(),
                            folders.resources + "/ImageF/");
    printSVView.setDrawer(&svWindow.svDrawer());
    SVControlLink svControl(svWindow, printSVView);
    outlets.svControl = &svControl;
    SVTrackLink svTrack(svWindow);
    assembly.findObjects().setTrackLinks({&svTrack, nullptr, nullptr});
    assembly.infoPanels().setStarSource(&svTrack);

    assembly.show();
    return app.exec();
}
