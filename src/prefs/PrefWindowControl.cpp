#include "prefs/PrefWindowControl.h"

#include "platform/widgets/ScreenPlacement.h"
#include "prefs/PrefWindow.h"
#include "prefs/SitesTab.h"

#include <QTabWidget>

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
    m_window->show();
    if (!m_isPlaced) {
        // A window left partly off the only screen comes back near its corner.
        ScreenPlacement::toPoint(*m_window, {20, 20});
        m_isPlaced = true;
    }
    m_window->raise();
    m_window->activateWindow();
}

void PrefWindowControl::setLocation(double latitude, double longitude, double timeZoneHours)
{
    m_sites->setLocation(latitude, longitude, timeZoneHours);
}

void PrefWindowControl::lumarikSiteGoto(const QString& siteName) { m_sites->lumarikSiteGoto(siteName); }
