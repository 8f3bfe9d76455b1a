#include "prefs/PrefWindowControl.h"

#include "platform/widgets/WindowStacking.h"
#include "prefs/CityTablesPanel.h"
#include "prefs/PrefWindow.h"
#include "prefs/SitesTab.h"

#include <QTabWidget>

namespace {

constexpr QPoint kFirstPlace(20, 20);

}  // namespace

PrefWindowControl::PrefWindowControl(PrefControl& prefs, SkyDateModel& skyDate)
    : m_window(std::make_unique<PrefWindow>()), m_sites(new SitesTab(prefs, skyDate))
{
    m_window->setPage(PrefWindow::kSetup, m_sites);
    m_sites->setLinks({{}, [this] { m_window->close(); }});
}

PrefWindowControl::~PrefWindowControl() = default;

void PrefWindowControl::setChartRefresh(ChartRefresh* refresh) { m_window->setChartRefresh(refresh); }

void PrefWindowControl::setUpdateSky(std::function<void()> updateSky)
{
    m_sites->setLinks({std::move(updateSky), [this] { m_window->close(); }});
}

void PrefWindowControl::localizePrefPanel() { m_window->localize(); }

void PrefWindowControl::setupDate() { m_sites->setupDate(m_isInstall); }

void PrefWindowControl::showTab(int index)
{
    m_window->tabs()->setCurrentIndex(index);
    if (!m_isPlaced) {
        // Placed before it first shows, so the window manager never picks
        // another place; later openings keep where the user left it.
        m_window->move(kFirstPlace);
        m_isPlaced = true;
    }
    WindowStacking::bringToFront(*m_window);
}

void PrefWindowControl::setCityDataSource(CityDataSource& cities)
{
    m_cityTables = new CityTablesPanel(cities, [this](const cityList& city) { citySelected(city); });
    m_sites->addSection(m_cityTables);
}

void PrefWindowControl::citySelected(const cityList& city) { m_sites->citySelected(city); }

void PrefWindowControl::setLocation(double latitude, double longitude, double timeZoneHours)
{
    m_sites->setLocation(latitude, longitude, timeZoneHours);
}

void PrefWindowControl::lumarikSiteGoto(const QString& siteName) { m_sites->lumarikSiteGoto(siteName); }
