#pragma once

#include "app/AllSkyLink.h"
#include "app/SG4AllSkyCamera.h"
#include "model/settings/links/SG4Device.h"

class AllSkyClock;
class ConnectMenu;
class DebugLog;
class PrefControl;
class QWidget;
class SG4Control;
class SG4Link;
struct ChartOutlets;
struct PrefLinks;

// The AllSky camera as the program holds it: the all-sky side (session,
// schedule, panels) on the SG-4 controller. The controller's images and
// failed downloads reach the session, an ended exposure reaches the
// schedule before its transfer is posted (continuous exposure), a
// disconnect stops the schedule and the heater, and the stored schedule
// reaches the panel through the settings' SG4Device, which this is.
class SG4AllSkyLink final : public SG4Device {
public:
    SG4AllSkyLink(PrefControl& prefs, DebugLog& log, SG4Link& sg4, const QString& miscDirectory, QWidget* window,
                  AllSkyClock* clock = nullptr);
    ~SG4AllSkyLink() override;

    // After SG4Link's: the settings reach the controller through this.
    void fillLinks(PrefLinks& links);
    void fillOutlets(ChartOutlets& outlets) { m_allSky.fillOutlets(outlets); }
    void joinConnectMenu(ConnectMenu& menu) { m_allSky.joinConnectMenu(menu); }

    AllSkyLink& allSkyLink() { return m_allSky; }

    // SG4Device.
    void setSG4Baud(int baud) override;
    void setExpSchedule(float seconds) override;
    void setDarkSchedule(float seconds) override;
    void setHeatOnSchedule(float seconds) override;
    void setHeatOffSchedule(float seconds) override;
    bool isSG4Connect() const override;
    bool isAllSkyConnect() const override;
    bool sg4Disconnect() override;

private:
    bool exposureEnded();
    void disconnecting();

    SG4Control& m_control;
    SG4AllSkyCamera m_camera;
    AllSkyLink m_allSky;
    bool m_isEnding = false;
};
