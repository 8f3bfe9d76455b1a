#pragma once

#include "chart/SkyWindow.h"
#include "model/settings/PrefControl.h"
#include "remote/CompanionChart.h"
#include "remote/CompanionSettings.h"

// The settings object and the main window as the companion server sees them.
class CompanionPrefsLink final : public CompanionSettings, public CompanionChart {
public:
    CompanionPrefsLink(PrefControl& prefs, SkyWindow& skyWindow) : m_prefs(prefs), m_skyWindow(skyWindow) {}

    bool isDebug() const override { return m_prefs.isDebug(); }
    bool isExtConnect() const override { return m_prefs.isExtConnect(); }
    double latitude() const override { return m_prefs.latitude(); }
    double longitude() const override { return m_prefs.longitude(); }
    void setLatitude(double degrees) override { m_prefs.setLatitude(degrees); }
    void setLongitude(double degrees) override { m_prefs.setLongitude(degrees); }
    QString telescopeName() const override
    {
        const int scope = m_prefs.currentScope();
        return scope < 0 ? QString() : m_prefs.scopeNamesArray().value(scope);
    }

    double azimuth() const override { return m_prefs.azimuth(); }
    double altitude() const override { return m_prefs.altitude(); }
    double viewAngle() const override { return m_prefs.viewAngle(); }
    void setViewAngle(double degrees) override { m_prefs.setViewAngle(degrees); }
    void setAltitude(double degrees) override { m_prefs.setAltitude(degrees); }
    void setAzimuth(double degrees) override { m_prefs.setAzimuth(degrees); }
    void updateSkyView() override { m_skyWindow.updateSkyView(); }

private:
    PrefControl& m_prefs;
    SkyWindow& m_skyWindow;
};
