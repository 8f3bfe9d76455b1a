#include "remote/Controller.h"

#include "remote/CompanionGuider.h"
#include "remote/CompanionMount.h"
#include "remote/CompanionSettings.h"
#include "remote/CompanionTelescopeView.h"
#include "remote/ConnectionManager.h"
#include "remote/MessageValues.h"

namespace {

constexpr double kDegToRad = 0.0174532925199433;

}  // namespace

Controller::Controller(const Links& links, QObject* parent)
    : QObject(parent), m_links(links), m_discovery(&links.discovery)
{
    m_slewTimer.setInterval(kSlewWatchMs);
    connect(&m_slewTimer, &QTimer::timeout, this, &Controller::runSlewTimer);
}

Controller::~Controller() = default;

void Controller::createManager()
{
    m_connectionEstablished = false;
    m_isSlewOn = false;
    stopCompanionSlew();
    m_manager.reset();
    if (!m_links.settings.isExtConnect())
        return;
    m_manager = std::make_unique<ConnectionManager>(*m_discovery, m_links.stallLimitMs);
    ConnectionManager* manager = m_manager.get();
    connect(manager, &ConnectionManager::connectionManagerWillConnect, this,
            [this] { debug(QStringLiteral("Lumarik connection request.")); });
    connect(manager, &ConnectionManager::connectionManagerHasConnected, this, [this] {
        debug(QStringLiteral("Lumarik has connected."));
        m_connectionEstablished = true;
    });
    connect(manager, &ConnectionManager::connectionManagerHasDisconnected, this,
            &Controller::connectionManagerHasDisconnected);
    connect(manager, &ConnectionManager::connectionManagerHasReceivedCommand, this,
            &Controller::connectionManagerHasReceivedCommand);
    debug(QStringLiteral("Lumarik createManager"));
}

void Controller::releaseManager()
{
    stopCompanionSlew();
    m_manager.reset();
    m_connectionEstablished = false;
    m_isSlewOn = false;
    debug(QStringLiteral("Lumarik releaseManager"));
}

void Controller::madeSleep() { releaseManager(); }

void Controller::madeWake() { createManager(); }

void Controller::connectionManagerHasDisconnected()
{
    debug(QStringLiteral("Lumarik has disconnected."));
    m_connectionEstablished = false;
    // A slew the companion started must not run on once it cannot stop it.
    stopCompanionSlew();
}

void Controller::stopCompanionSlew()
{
    if (!m_isCompanionSlewing)
        return;
    m_isCompanionSlewing = false;
    m_links.mount.genericSlewStop(CompanionMount::All);
}

void Controller::sendCommand(const QVariantMap& answer)
{
    if (m_manager)
        m_manager->sendCommand(answer);
}

void Controller::debug(const QString& line) const
{
    if (m_links.settings.isDebug())
        m_links.mount.writeDebugFile(line);
}

bool Controller::isGuiding() const { return m_guider && m_guider->isGuiding(); }

void Controller::requestStatusCommand()
{
    const double ra = m_view ? m_view->trackRA() : 0.0;
    const double dec = m_view ? m_view->trackDec() : 0.0;
    const bool slewing = m_links.mount.isSlewing();
    const bool connected = m_links.mount.isConnected();
    const QString name = m_links.settings.telescopeName();
    const float latitude = float(m_links.settings.latitude() * kDegToRad);
    const float longitude = float(m_links.settings.longitude() * kDegToRad);
    sendCommand({{MessageValues::kCommand, QStringLiteral("statusAnswer")},
                 {QStringLiteral("rightAscension"), float(ra)},
                 {QStringLiteral("declination"), float(dec)},
                 {QStringLiteral("latitude"), latitude},
                 {QStringLiteral("longitude"), longitude},
                 {QStringLiteral("moving"), slewing},
                 {QStringLiteral("connected"), connected},
                 {QStringLiteral("telescopeName"), name}});
    if (!m_links.settings.isDebug())
        return;
    const char* format = slewing && connected
        ? "Lumarik status request: %s, ra= %f rad, dec= %f rad,slew= YES, connect= YES, lat= %f, lon= %f."
        : connected ? "Lumarik status request: %s, ra= %f rad, dec= %f rad, slew= NO, connect= YES, lat= %f, lon= %f."
                    : "Lumarik status request: %s, ra= %f rad, dec= %f rad, slew= NO, connect= NO, lat= %f, lon= %f.";
    debug(QString::asprintf(format, qUtf8Printable(name), ra, dec, double(latitude), double(longitude)));
}

void Controller::requestGuideData()
{
    sendCommand({{MessageValues::kCommand, QStringLiteral("autoguidingDataAnswer")},
                 {QStringLiteral("raData"), m_guider ? m_guider->errX() : 0.0f},
                 {QStringLiteral("deData"), m_guider ? m_guider->errY() : 0.0f}});
}

void Controller::runSlewTimer()
{
    if (!m_isSlewOn) {
        m_slewTimer.stop();
        return;
    }
    if (m_links.mount.isSlewing())
        return;
    m_isSlewOn = false;
    debug(QStringLiteral("Lumarik scope status sent at end of slew."));
    requestStatusCommand();
}
