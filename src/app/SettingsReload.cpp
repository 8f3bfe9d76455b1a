#include "app/SettingsReload.h"

#include "app/PrefWindowLink.h"
#include "chart/ChartOutlets.h"
#include "chart/TimePanel.h"
#include "model/SkyDateModel.h"
#include "mount/panels/ConnectMenuSetup.h"
#include "platform/AppTimeZone.h"
#include "scopeview/TelescopeDrawer.h"

#include <optional>

void SettingsReload::settingsReset()
{
    AppTimeZone::setZone(SkyDateModel::homeSiteZone(m_prefs));
    m_skyDate.calculateDate(std::nullopt, 0.0);
    m_prefWindow.reloadSettings();
    if (m_outlets.svDrawer)
        m_outlets.svDrawer->setupDrawer();
    if (m_outlets.connectMenu)
        m_outlets.connectMenu->setupConnectMenu();
    if (m_outlets.timeControlPanel)
        m_outlets.timeControlPanel->setupDate();
}
