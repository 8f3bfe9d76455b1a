#include "chart/MountLink.h"

#include "chart/ChartDisplay.h"
#include "model/Angles.h"
#include "model/SkyCoordinates.h"
#include "model/SkyDateModel.h"
#include "model/prefs/PrefControl.h"
#include "mount/families/MountFamilies.h"
#include "platform/AppTimeZone.h"
#include "mount/panels/ConnectMenu.h"
#include "mount/panels/WiFiPanel.h"
#include "platform/DebugLog.h"

#include <QGuiApplication>

namespace {

DebugWriter debugWriter(PrefControl& prefs, DebugLog& log)
{
    return DebugWriter([&prefs] { return prefs.isDebug(); }, &log);
}

// The site and clock the mount families read, asked afresh each time: the
// chart's date is the user's, the mount's is now.
FamilyInputs familyInputs(PrefControl& prefs)
{
    FamilyInputs inputs;
    inputs.latitude = [&prefs] { return prefs.latitude(); };
    inputs.longitude = [&prefs] { return prefs.longitude(); };
    inputs.now = [] { return AppTimeZone::now(); };
    inputs.localSiderealHours = [&prefs] {
        SkyDateModel now(prefs);
        now.calculateDate(AppTimeZone::now(), 0.0);
        return now.localSiderialTime();
    };
    inputs.zenith = [lst = inputs.localSiderealHours, &prefs] {
        const SkyCoordinates::Site site{prefs.latitude() * Angles::kDegToRad, lst() * 15.0 * Angles::kDegToRad};
        FamilyInputs::Target zenith{};
        SkyCoordinates::CalcRAFromAz(180.0, 90.0, site, &zenith.ra, &zenith.dec);
        return zenith;
    };
    return inputs;
}

}  // namespace

MountLink::MountLink(PrefControl& prefs, const SkyDateModel& skyDate, DebugLog& log,
                     ChartDisplay& chart, QWidget* window)
    : m_chart(chart),
      m_serial(debugWriter(prefs, log)),
      m_scope(prefs, skyDate, m_serial, debugWriter(prefs, log)),
      m_wifiPanel(std::make_unique<WiFiPanel>(m_serial, prefs, window)),
      m_connectMenu(
          std::make_unique<ConnectMenu>(prefs, m_serial, m_scope, debugWriter(prefs, log), window))
{
    m_serial.setBridgeMount(&m_scope);
    log.setPortListProvider([this] { return m_serial.portNames(); });
    ScopeLinks links;
    links.skyView = this;
    links.modifiers = [] { return QGuiApplication::queryKeyboardModifiers(); };
    links.families = [inputs = familyInputs(prefs)](int protocol, const MountContext& context) {
        return makeMountFamily(protocol, context, inputs);
    };
    m_scope.setLinks(links);
    m_connectMenu->setWifiPanel(m_wifiPanel.get());
}

MountLink::~MountLink() = default;

void MountLink::setNeedsDisplay()
{
    m_chart.display();
}
