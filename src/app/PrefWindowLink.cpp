#include "app/PrefWindowLink.h"

#include "model/settings/PrefControl.h"
#include "prefs/CustomFilter.h"
#include "prefs/PrefWindowControl.h"

#include <utility>

PrefWindowLink::PrefWindowLink(LazyOwner<PrefWindowControl>& window, PrefControl& prefs,
                               CustomFilter& customFilter, std::function<QString()> tourDirectory)
    : m_window(window), m_prefs(prefs), m_customFilter(customFilter), m_tourDirectory(std::move(tourDirectory))
{
}

void PrefWindowLink::fill(PrefWindowControl& window)
{
    window.setIsInstall(m_isInstall);
    window.localizePrefPanel();
    window.setupDate();
    window.setupScopes(0);
    window.setupShortcuts();
    window.setupFontsAndColors();
    window.setupHideBoxes();
    if (m_prefs.isToolTips())
        window.prefLocalization().setToolTips();
    else
        window.prefLocalization().clearToolTips();
}

void PrefWindowLink::localizePrefPanel()
{
    if (PrefWindowControl* window = m_window.ifMade())
        window->localizePrefPanel();
}

void PrefWindowLink::setupDate()
{
    if (PrefWindowControl* window = m_window.ifMade())
        window->setupDate();
    else
        loadCustomFilter();
}

void PrefWindowLink::setupScopes(int slot)
{
    if (PrefWindowControl* window = m_window.ifMade())
        window->setupScopes(slot);
}

void PrefWindowLink::setupShortcuts()
{
    if (PrefWindowControl* window = m_window.ifMade())
        window->setupShortcuts();
}

void PrefWindowLink::setupFontsAndColors()
{
    if (PrefWindowControl* window = m_window.ifMade())
        window->setupFontsAndColors();
}

void PrefWindowLink::setupHideBoxes()
{
    if (PrefWindowControl* window = m_window.ifMade())
        window->setupHideBoxes();
}

void PrefWindowLink::showTab(int index) { m_window.get().showTab(index); }

void PrefWindowLink::setLocation(double latitude, double longitude, double timeZoneHours)
{
    m_window.get().setLocation(latitude, longitude, timeZoneHours);
}

void PrefWindowLink::lumarikSiteGoto(const QString& siteName) { m_window.get().lumarikSiteGoto(siteName); }

void PrefWindowLink::setIsInstall(bool isInstall)
{
    m_isInstall = isInstall;
    if (PrefWindowControl* window = m_window.ifMade())
        window->setIsInstall(isInstall);
}

void PrefWindowLink::setToolTips()
{
    if (PrefWindowControl* window = m_window.ifMade())
        window->prefLocalization().setToolTips();
}

void PrefWindowLink::clearToolTips()
{
    if (PrefWindowControl* window = m_window.ifMade())
        window->prefLocalization().clearToolTips();
}

void PrefWindowLink::reloadSettings()
{
    m_isInstall = false;
    if (PrefWindowControl* window = m_window.ifMade())
        window->reloadSettings();
    else
        loadCustomFilter();
}

void PrefWindowLink::setupCustomFilters()
{
    if (PrefWindowControl* window = m_window.ifMade())
        window->setupCustomFilters();
    else
        m_customFilter.setupCustomFilters(m_tourDirectory());
}

void PrefWindowLink::loadCustomFilter()
{
    m_customFilter.setupCustomFilters(m_tourDirectory());
    m_customFilter.setupFilterObjects(m_prefs.customFilterIndex());
}
