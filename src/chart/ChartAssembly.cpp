#include "chart/ChartAssembly.h"

#include "chart/SkyView.h"
#include "model/prefs/PrefLinks.h"
#include "platform/DataPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QTimer>

#include <cstdlib>

ChartAssembly::Folders ChartAssembly::Folders::standard()
{
    return {DataPaths::bundleDataFolder(), DataPaths::userDataFolder(),
            DataPaths::bundleResourcesFolder()};
}

ChartAssembly::ChartAssembly(const Folders& folders)
    : m_catalogueFolders(
          CatalogueFolders::form(folders.userData, folders.bundleData, folders.resources)),
      m_debugLog(QDir::cleanPath(m_catalogueFolders.miscDirectory)),
      m_gamma(DisplayGamma::create()),
      m_prefs(*m_gamma),
      m_skyDateModel(m_prefs),
      m_solarSystem(m_starDatabaseModel, m_prefs, m_skyDateModel),
      m_solarSystemLink(m_solarSystem),
      m_ssBodies(m_solarSystem),
      m_ssWindow(m_prefs, m_skyDateModel, m_ssBodies, folders.resources),
      m_ssWindowLink(m_ssWindow),
      m_starDatabaseLink(m_starDatabaseModel, m_catalogueFolders),
      m_chartSkyLink(m_starDatabaseModel, m_prefs, m_skyDateModel,
                     [this] { return m_solarSystem.sunAlt(); }),
      m_skyDateLink(m_skyDateModel),
      m_dataFolder(folders.bundleData, folders.userData),
      m_chain(m_prefs, m_outlets),
      m_windowSettings(m_prefs, m_outlets),
      m_skyWindow(m_prefs, m_outlets, m_chain, m_windowSettings, m_catalogueFolders),
      m_launch(m_prefs, m_dataFolder, m_outlets, m_windowSettings, m_skyWindow.skyView(),
               m_skyWindow, QCoreApplication::applicationVersion())
{
    m_outlets.skyWindow = &m_skyWindow;
    m_outlets.skyView = &m_skyWindow.skyView();
    m_outlets.chartImages = &m_skyWindow.skyView();
    m_skyWindow.skyView().setSkySource(&m_chartSkyLink);
    m_outlets.starDatabaseModel = &m_starDatabaseLink;
    m_outlets.projection = &m_starDatabaseLink;
    m_outlets.centering = &m_starDatabaseLink;
    m_outlets.planetPath = &m_solarSystemLink;
    m_outlets.ssWindow = &m_ssWindowLink;
    m_outlets.skyDateModel = &m_skyDateLink;

    m_starDatabaseModel.setLinks(m_prefs, m_skyDateModel);
    m_starDatabaseModel.setDebugSink([this](const QString& line) {
        if (m_prefs.isDebug())
            m_debugLog.writeDebugFile(line);
    });

    PrefLinks links;
    links.chartRefresh = &m_chain;
    m_prefs.setLinks(links);
}

ChartAssembly::~ChartAssembly() = default;

bool ChartAssembly::awakeFromNib() { return m_launch.setupDirectories(); }

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
}
