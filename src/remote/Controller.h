#pragma once

#include "model/settings/links/CompanionServer.h"
#include "mount/links/CompanionLink.h"
#include "remote/ServerSide.h"

#include <QObject>
#include <QTimer>
#include <QVariantMap>

#include <memory>

class CompanionChart;
class CompanionDiscovery;
class CompanionFinder;
class CompanionGuider;
class CompanionMount;
class CompanionSettings;
class CompanionTelescopeView;
class ConnectionManager;
class SiteHandOver;

// The companion app's command interpreter: owns the connection manager while
// the external-connection setting is on and the machine is awake, acts on
// the companion's commands and sends the answers, the mount status at the
// end of a goto and the guide errors the autoguider pushes.
class Controller final : public QObject, public CompanionLink, public CompanionServer {
    Q_OBJECT
public:
    struct Links {
        CompanionSettings& settings;
        CompanionChart& chart;
        CompanionMount& mount;
        CompanionFinder& finder;
        SiteHandOver& site;
        CompanionDiscovery& discovery;
        int stallLimitMs = ServerSide::kStallLimitMs;
    };
    static constexpr int kSlewWatchMs = 1000;
    static constexpr int kSiteNameLength = 63;
    // Goto powers outside these leave the telescope view's magnification.
    static constexpr float kMinPower = 6.0f;
    static constexpr float kMaxPower = 8000.0f;

    explicit Controller(const Links& links, QObject* parent = nullptr);
    ~Controller() override;

    // Joins later than the rest, or not at all; null leaves it.
    void setTelescopeView(CompanionTelescopeView* view) { m_view = view; }
    void setGuider(CompanionGuider* guider) { m_guider = guider; }
    // Takes effect from the next createManager().
    void setDiscovery(CompanionDiscovery& discovery) { m_discovery = &discovery; }

    void createManager() override;
    void releaseManager() override;
    bool connectionEstablished() const override { return m_connectionEstablished; }
    void requestStatusCommand() override;
    // The autoguider's latest errors, pushed after each measurement while the
    // companion asked for them.
    void requestGuideData();
    void madeSleep();
    void madeWake();

    ConnectionManager* connectionManager() const { return m_manager.get(); }
    bool isSlewOn() const { return m_isSlewOn; }

private:
    void connectionManagerHasReceivedCommand(const QVariantMap& message);
    void connectionManagerHasDisconnected();
    void sendCoordinates(const QVariantMap& message);
    void requestCoordinates();
    void sendTelescopeGoto(const QVariantMap& message);
    void sendTelescopeSlew(const QVariantMap& message);
    void sendSlewRate(const QVariantMap& message);
    void sendSite(const QVariantMap& message);
    void requestAutoguidingDataBunch();
    void requestAutoguidingData();
    void requestAutoguidingScale();
    void clearAutoguidingData();
    void sendAutoguidingStatus(const QVariantMap& message);
    void runSlewTimer();
    void stopCompanionSlew();
    void sendCommand(const QVariantMap& answer);
    void debug(const QString& line) const;
    bool isGuiding() const;

    Links m_links;
    CompanionDiscovery* m_discovery;
    CompanionTelescopeView* m_view = nullptr;
    CompanionGuider* m_guider = nullptr;
    std::unique_ptr<ConnectionManager> m_manager;
    bool m_connectionEstablished = false;
    bool m_isSlewOn = false;
    bool m_isCompanionSlewing = false;  // a direction slew it started runs
    QTimer m_slewTimer;
};
