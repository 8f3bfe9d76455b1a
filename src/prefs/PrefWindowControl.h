#pragma once

#include "model/FirstRunNotice.h"
#include "model/records/cityList.h"
#include "mount/links/SiteHandOver.h"

#include <functional>
#include <memory>

class ChartRefresh;
class CityDataSource;
class CityTablesPanel;
class PrefControl;
class PrefWindow;
class SitesTab;
class SkyDateModel;

// The preferences window's controller: builds the window, fills its tabs
// from the settings and takes the locations other subsystems hand over.
class PrefWindowControl final : public SiteHandOver, public FirstRunNotice {
public:
    PrefWindowControl(PrefControl& prefs, SkyDateModel& skyDate);
    ~PrefWindowControl() override;
    PrefWindowControl(const PrefWindowControl&) = delete;
    PrefWindowControl& operator=(const PrefWindowControl&) = delete;

    void setChartRefresh(ChartRefresh* refresh);
    // The chart's re-projection and redraw after the site changed.
    void setUpdateSky(std::function<void()> updateSky);

    void localizePrefPanel();
    void setupDate();
    // Brings the window to front on tab `index`.
    void showTab(int index);

    // Shows the city tables in the Setup tab; a click on a city goes to citySelected.
    void setCityDataSource(CityDataSource& cities);
    void citySelected(const cityList& city);

    void setLocation(double latitude, double longitude, double timeZoneHours) override;
    void lumarikSiteGoto(const QString& siteName) override;
    void setIsInstall(bool isInstall) override { m_isInstall = isInstall; }

    PrefWindow& window() { return *m_window; }
    SitesTab& sitesTab() { return *m_sites; }
    // Null until setCityDataSource.
    CityTablesPanel* cityTables() { return m_cityTables; }

private:
    std::unique_ptr<PrefWindow> m_window;
    SitesTab* m_sites;  // owned by the window
    CityTablesPanel* m_cityTables = nullptr;  // owned by the Setup tab
    bool m_isInstall = false;
    bool m_isPlaced = false;
};
