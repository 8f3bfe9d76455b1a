#include "chart/menus/SetupMenuActions.h"

#include "chart/ChartOutlets.h"
#include "chart/TimePanel.h"
#include "chart/UpdateChain.h"
#include "chart/controls/SkyTimeControl.h"
#include "chart/menus/MenuText.h"
#include "chart/photohorizon/PhotoHorizonAdjustPanel.h"
#include "model/SkyDateModel.h"
#include "model/settings/PrefControl.h"
#include "model/settings/PrefDefaults.h"
#include "mount/MountState.h"
#include "platform/AppTimeZone.h"
#include "platform/TimeZoneResolver.h"

#include <QTimeZone>

namespace {

const char* const kSiteTitles[] = {"Home", "Site 1", "Site 2", "Site 3", "Site 4"};

bool isSiteTag(int tag) { return tag >= SetupMenuActions::kHomeSiteTag && tag <= SetupMenuActions::kLastSiteTag; }

}  // namespace

SetupMenuActions::SetupMenuActions(PrefControl& prefs, const ChartOutlets& outlets, UpdateChain& chain,
                                   SkyTimeControl& time)
    : m_prefs(prefs), m_outlets(outlets), m_chain(chain), m_time(time)
{
}

void SetupMenuActions::menuAction(int tag)
{
    if (isSiteTag(tag))
        goToSite(tag - kHomeSiteTag);
    else if (tag == kPhotoHorizonTag)
        togglePhotoHorizonPanel();
    else if (tag == kRealTimeTag)
        runRealTime();
    else if (tag == kSetTimeTag)
        runSetTime();
    else if (tag == kStartupTimeTag)
        startupDateTime();
    m_chain.updateView();
}

MenuItemState SetupMenuActions::validateMenuItem(int tag) const
{
    MenuItemState state;
    if (isSiteTag(tag)) {
        const int site = tag - kHomeSiteTag;
        const QString name = m_prefs.siteNamesArray().value(site, PrefDefaults::kUndefinedSiteName);
        const bool defined = site == 0 || name != PrefDefaults::kUndefinedSiteName;
        state.title = defined ? name : menuText(kSiteTitles[site]);
        state.enabled = defined;
        state.checked = defined && m_prefs.currentSite() == site;
    } else if (tag == kPhotoHorizonTag) {
        state.checked = m_outlets.photoHorizonPanel && m_outlets.photoHorizonPanel->isVisible();
    } else if (tag == kRealTimeTag || tag == kSetTimeTag || tag == kStartupTimeTag) {
        state.enabled = !isMountConnected();
        if (tag == kRealTimeTag)
            state.checked = m_prefs.isRunRealTime();
        else if (tag == kSetTimeTag)
            state.checked = m_prefs.isRunSetTime();
    } else {
        state.enabled = false;
    }
    return state;
}

QDateTime SetupMenuActions::switchTimeZones(int site)
{
    const QDateTime date = m_time.skyDate().skyDate();
    const QTimeZone zone = TimeZoneResolver::resolve(m_prefs.siteTZNamesArray().value(site));
    if (!zone.isValid())
        return date;
    const QDateTime moved = AppTimeZone::sameWallClock(date, AppTimeZone::zone(), zone);
    AppTimeZone::setZone(zone);
    return moved;
}

void SetupMenuActions::setCurrentSite(int site) { m_prefs.setCurrentSite(site); }

void SetupMenuActions::goToSite(int site)
{
    const ::site& record = m_prefs.sites()[site];
    m_prefs.setLatitude(double(record.latitude));
    m_prefs.setLongitude(double(record.longitude));
    const QDateTime date = switchTimeZones(site);
    // While a mount is connected the chart keeps the telescope's moment.
    m_time.setDate(date);
    setCurrentSite(site);
    m_chain.updateSky();
}

void SetupMenuActions::togglePhotoHorizonPanel()
{
    PhotoHorizonAdjustPanel* panel = m_outlets.photoHorizonPanel;
    if (!panel)
        return;
    if (panel->isVisible()) {
        panel->hide();
        return;
    }
    panel->updatePanel();
    panel->show();
    panel->raise();
}

void SetupMenuActions::runRealTime()
{
    if (!m_time.permitsTimeChange())
        return;
    if (m_prefs.isRunRealTime()) {
        stopRealTime();
        return;
    }
    if (m_prefs.isRunSetTime())
        m_prefs.setIsRunSetTime();
    m_prefs.setIsRunRealTime(true, false);
}

void SetupMenuActions::runSetTime()
{
    if (!m_time.permitsTimeChange())
        return;
    m_prefs.setIsRunSetTime();
    if (!m_prefs.isRunSetTime())
        return;
    stopRealTime();
    if (m_outlets.timeControlPanel)
        m_outlets.timeControlPanel->setRunSetTime();
}

void SetupMenuActions::startupDateTime()
{
    if (!m_time.permitsTimeChange())
        return;
    stopRealTime();
    if (m_prefs.isRunSetTime())
        m_prefs.setIsRunSetTime();
    m_time.skyDate().resetDateTime();
}

void SetupMenuActions::stopRealTime()
{
    if (m_prefs.isRunRealTime())
        m_prefs.setIsRunRealTime(false, false);
}

bool SetupMenuActions::isMountConnected() const
{
    return m_outlets.scopeControl && m_outlets.scopeControl->isConnected();
}
