#pragma once

#include "model/FirstRunNotice.h"
#include "model/records/cityList.h"
#include "mount/links/SiteHandOver.h"
#include "prefs/CustomFilter.h"
#include "prefs/MythMiscTab.h"
#include "prefs/PrefLocalization.h"
#include "prefs/SetupOptions.h"
#include "prefs/StarPreview.h"
#include "prefs/TelescopeTab.h"

#include <functional>
#include <memory>
#include <vector>

class ChartRefresh;
class CityDataSource;
class CityTablesPanel;
class FiltersTab;
class FontPrefControl;
class PrefControl;
class PrefWindow;
class ShortcutsTab;
class SitesTab;
class SkyDateModel;
class StarDatabaseModel;

// The preferences window's controller: builds the window, fills its tabs
// from the settings and takes the locations other subsystems hand over.
// The custom filter is the chart's, kept by the caller: the chart filters
// with it whether or not this window was ever made.
class PrefWindowControl final : public SiteHandOver, public FirstRunNotice {
public:
    PrefWindowControl(PrefControl& prefs, SkyDateModel& skyDate, CustomFilter& customFilter);
    ~PrefWindowControl() override;
    PrefWindowControl(const PrefWindowControl&) = delete;
    PrefWindowControl& operator=(const PrefWindowControl&) = delete;

    void setChartRefresh(ChartRefresh* refresh);
    // The chart's re-projection and redraw after the site changed.
    void setUpdateSky(std::function<void()> updateSky);

    // Where the other tabs reach the rest of the program.
    void setTelescopeLinks(TelescopeTab::Links links);
    void setOptionLinks(SetupOptions::Links links);
    void setMythMiscLinks(MythMiscTab::Links links);
    void setStarArray(std::function<const StarPreview::StarSet*()> starArray);
    // The bottom panel's readout chooser as the Info Panel tab, with its
    // eight readout buttons in readout order (view direction first).
    void setInfoPanel(QWidget* page, const std::vector<QWidget*>& readoutButtons);
    // The tour folder of the custom filters and the constellation names of the figures.
    void setStarDatabaseModel(const StarDatabaseModel* model);

    void localizePrefPanel();
    void setupDate();
    void setupScopes(int slot);
    void setupShortcuts();
    void setupFontsAndColors();
    void setupHideBoxes();
    // Every tab read again from the settings, the first telescope shown:
    // after a reset nothing shows, or saves back, an old value.
    void reloadSettings();
    // Lists the custom filter files again (after a tour file was saved).
    void setupCustomFilters();
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
    SetupOptions& setupOptions() { return *m_options; }
    FiltersTab& filtersTab() { return *m_filters; }
    FontPrefControl& fontPrefControl() { return *m_fonts; }
    TelescopeTab& telescopeTab() { return *m_telescope; }
    MythMiscTab& mythMiscTab() { return *m_mythMisc; }
    ShortcutsTab& shortcutsTab() { return *m_shortcuts; }
    PrefLocalization& prefLocalization() { return m_localization; }
    // The chosen custom filter, asked by the projection pass.
    const CustomFilter& customFilter() const { return m_customFilter; }
    // Null until setCityDataSource.
    CityTablesPanel* cityTables() { return m_cityTables; }

private:
    void addSetupTips();

    std::unique_ptr<PrefWindow> m_window;
    PrefLocalization m_localization;  // before the tabs, which register with it
    SitesTab* m_sites;                // owned by the window
    CustomFilter& m_customFilter;
    const StarDatabaseModel* m_starDatabaseModel = nullptr;
    // Owned by the window.
    SetupOptions* m_options;
    FiltersTab* m_filters;
    FontPrefControl* m_fonts;
    TelescopeTab* m_telescope;
    MythMiscTab* m_mythMisc;
    ShortcutsTab* m_shortcuts;
    CityTablesPanel* m_cityTables = nullptr;  // owned by the Setup tab
    bool m_isInstall = false;
};
