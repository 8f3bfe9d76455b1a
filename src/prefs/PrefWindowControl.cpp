#include "prefs/PrefWindowControl.h"

#include "model/StarDatabaseModel.h"
#include "platform/widgets/FirstShowPlacement.h"
#include "platform/widgets/WindowStacking.h"
#include "prefs/CityTablesPanel.h"
#include "prefs/FiltersTab.h"
#include "prefs/FontPrefControl.h"
#include "prefs/PrefWindow.h"
#include "prefs/ShortcutsTab.h"
#include "prefs/SitesTab.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include <array>

namespace {

constexpr QPoint kFirstPlace(20, 20);

}  // namespace

PrefWindowControl::PrefWindowControl(PrefControl& prefs, SkyDateModel& skyDate, CustomFilter& customFilter)
    : m_window(std::make_unique<PrefWindow>()),
      m_sites(new SitesTab(prefs, skyDate, m_localization)),
      m_customFilter(customFilter),
      m_options(new SetupOptions(prefs, m_localization)),
      m_filters(new FiltersTab(prefs, m_customFilter, m_localization)),
      m_fonts(new FontPrefControl(prefs, m_localization)),
      m_telescope(new TelescopeTab(prefs, m_localization)),
      m_mythMisc(new MythMiscTab(prefs, m_localization)),
      m_shortcuts(new ShortcutsTab(prefs))
{
    m_window->setPage(PrefWindow::kSetup, m_sites);
    m_sites->setLinks({{}, [this] { m_window->close(); }});
    // The options sit under the location part of the Setup tab.
    if (auto* setup = qobject_cast<QBoxLayout*>(m_sites->layout()))
        setup->insertWidget(setup->count() - 1, m_options);
    addSetupTips();
    m_window->setPage(PrefWindow::kFilters, m_filters);
    m_window->setPage(PrefWindow::kFontsAndColor, m_fonts);
    m_window->setPage(PrefWindow::kTelescope, m_telescope);
    m_window->setPage(PrefWindow::kMythMisc, m_mythMisc);
    m_window->setPage(PrefWindow::kShortcuts, m_shortcuts);
    m_window->installEventFilter(m_fonts);
    // Placed as it first shows, unless placed before, so the window manager
    // never picks another place; later openings keep where the user left it.
    FirstShowPlacement::install(*m_window, [window = m_window.get()] { window->move(kFirstPlace); });
}

void PrefWindowControl::addSetupTips()
{
    m_localization.tip(m_sites->startupTimePicker(), "Set the startup time");
    m_localization.tip(m_sites->realTimeBox(), "Startup in real time");
    for (QPushButton* button : m_sites->findChildren<QPushButton*>()) {
        if (button->text() == QLatin1String("Go To"))
            m_localization.tip(button, "Go to the selected location without saving the site");
        else if (button->text() == QLatin1String("Save"))
            m_localization.tip(button, "Save the location as the selected site");
    }
}

void PrefWindowControl::setTelescopeLinks(TelescopeTab::Links links) { m_telescope->setLinks(std::move(links)); }

void PrefWindowControl::setOptionLinks(SetupOptions::Links links) { m_options->setLinks(std::move(links)); }

void PrefWindowControl::setMythMiscLinks(MythMiscTab::Links links) { m_mythMisc->setLinks(std::move(links)); }

void PrefWindowControl::setStarArray(std::function<const StarPreview::StarSet*()> starArray)
{
    m_filters->starPreview()->setStarArray(std::move(starArray));
}

void PrefWindowControl::setInfoPanel(QWidget* page, const std::vector<QWidget*>& readoutButtons)
{
    static constexpr std::array<const char*, 8> kTips{
        "Display Alt/Az/Angle", "Display the cursor location in RA/Dec", "Display the cursor location in Alt/Az",
        "Display Universal Time (Greenwich Mean Time)", "Display the Greenwich Sidereal Time",
        "Display the Local Sidereal Time", "Dislpay the Julian Day number",
        "Display the current Latitude and Longitude"};
    static constexpr std::array<const char*, 8> kCaptions{
        "View", "Cursor RA/Dec", "Cursor Alt/Az", "Universal Time", "GST", "LST", "Julian Day", "Location"};
    // The chooser's tiles carry short codes: the tab names each readout and
    // its boxes in the string table's words.
    auto* tab = new QWidget;
    auto* column = new QVBoxLayout(tab);
    auto* items = m_localization.label(new QGroupBox(tab), "Info Panel Display Items");
    auto* names = new QGridLayout(items);
    for (size_t i = 0; i < kCaptions.size(); ++i)
        names->addWidget(m_localization.label(new QLabel(items), kCaptions[i]), int(i) / 4, int(i) % 4);
    column->addWidget(items);
    auto* positions = m_localization.label(new QGroupBox(tab), "Info Panel Positions");
    auto* chooser = new QVBoxLayout(positions);
    chooser->addWidget(m_localization.label(new QLabel(positions), "Instructions Key"));
    chooser->addWidget(page);
    column->addWidget(positions);
    column->addStretch();
    m_window->setPage(PrefWindow::kInfoPanel, tab);
    for (size_t i = 0; i < kTips.size() && i < readoutButtons.size(); ++i)
        m_localization.tip(readoutButtons[i], kTips[i]);
}

void PrefWindowControl::setStarDatabaseModel(const StarDatabaseModel* model)
{
    m_starDatabaseModel = model;
    m_filters->setTourDirectory([this] { return m_starDatabaseModel ? m_starDatabaseModel->tourDirectory() : QString(); });
}

PrefWindowControl::~PrefWindowControl() = default;

void PrefWindowControl::setChartRefresh(ChartRefresh* refresh) { m_window->setChartRefresh(refresh); }

void PrefWindowControl::setUpdateSky(std::function<void()> updateSky)
{
    m_sites->setLinks({std::move(updateSky), [this] { m_window->close(); }});
}

void PrefWindowControl::localizePrefPanel()
{
    m_window->localize();
    m_localization.localizePrefPanel();
    if (m_starDatabaseModel) {
        const auto names = m_starDatabaseModel->conLocnArray();
        m_mythMisc->setFigureTitles([names](int index) {
            return index < qsizetype(names.size()) ? names[size_t(index)].name : QString();
        });
    }
}

void PrefWindowControl::setupDate()
{
    m_sites->setupDate(m_isInstall);
    m_options->setupDate();
    m_filters->setupDate();
    m_mythMisc->setupDate();
}

void PrefWindowControl::setupScopes(int slot) { m_telescope->setupScopes(slot); }

void PrefWindowControl::setupShortcuts() { m_shortcuts->setupShortcuts(); }

void PrefWindowControl::setupFontsAndColors() { m_fonts->setupFontsAndColors(); }

void PrefWindowControl::setupHideBoxes() { m_mythMisc->setupHideBoxes(); }

void PrefWindowControl::reloadSettings()
{
    m_isInstall = false;
    setupDate();
    m_telescope->scopeSelectionAction(0);
    setupShortcuts();
    setupFontsAndColors();
    setupHideBoxes();
}

void PrefWindowControl::setupCustomFilters() { m_filters->setupCustomFilters(); }

void PrefWindowControl::showTab(int index)
{
    m_window->tabs()->setCurrentIndex(index);
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
