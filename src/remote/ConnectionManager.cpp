#include "remote/ConnectionManager.h"

#include "remote/ClientSide.h"
#include "remote/MessageValues.h"
#include "remote/RemoteLog.h"

ConnectionManager::ConnectionManager(CompanionDiscovery& discovery, int stallLimitMs, QObject* parent)
    : QObject(parent), m_discovery(discovery),
      m_serverSide(discovery, kPublishedType, kServiceName, stallLimitMs)
{
    connect(&m_serverSide, &ServerSide::serverSideConnected, this,
            &ConnectionManager::connectionManagerWillConnect);
    connect(&m_serverSide, &ServerSide::serverSideDidReceiveData, this,
            &ConnectionManager::serverSideDidReceiveData);
    connect(&m_serverSide, &ServerSide::serverSideDisconnected, this,
            &ConnectionManager::serverSideDisconnected);
}

ConnectionManager::~ConnectionManager()
{
    if (m_isBrowsing)
        m_discovery.stopBrowsing();
}

void ConnectionManager::sendCommand(const QVariantMap& dictionary)
{
    if (m_clientSide)
        m_clientSide->sendDictionary(dictionary);
}

void ConnectionManager::serverSideDidReceiveData(const QVariantMap& dictionary)
{
    qCDebug(lcRemote) << "ConnectionManager: serverSideDidReceiveData" << dictionary;
    const QString command = MessageValues::text(dictionary, MessageValues::kCommand);
    if (command == QLatin1String("connectToDevice")) {
        if (m_clientSide)
            return;
        m_wantedServiceName = MessageValues::text(dictionary, QStringLiteral("deviceName"));
        if (m_isBrowsing)
            m_discovery.stopBrowsing();
        m_isBrowsing = m_discovery.browse(kBrowsedType, [this](const CompanionDiscovery::Service& service) {
            didFindService(service);
        });
    } else if (command == QLatin1String("identificationRequest")) {
        sendCommand({{MessageValues::kCommand, QStringLiteral("identification")},
                     {QStringLiteral("applicationName"), kServiceName},
                     {QStringLiteral("capabilities"), applicationCapabilities}});
    } else if (MessageValues::isText(dictionary, MessageValues::kCommand)) {
        emit connectionManagerHasReceivedCommand(dictionary);
    }
}

void ConnectionManager::didFindService(const CompanionDiscovery::Service& service)
{
    if (service.name != m_wantedServiceName || m_clientSide)
        return;
    m_selectedService = service;
    m_discovery.stopBrowsing();
    m_isBrowsing = false;
    m_clientSide = new ClientSide(service.host, service.port, this);
    connect(m_clientSide, &ClientSide::clientSideConnected, this, &ConnectionManager::connectionManagerHasConnected);
    connect(m_clientSide, &ClientSide::clientSideDisconnected, this, [this] {
        dropClientSide();
        emit connectionManagerHasDisconnected();
    });
}

void ConnectionManager::serverSideDisconnected()
{
    if (m_isBrowsing)
        m_discovery.stopBrowsing();
    m_isBrowsing = false;
    dropClientSide();
    m_selectedService.reset();
    emit connectionManagerHasDisconnected();
}

void ConnectionManager::dropClientSide()
{
    if (!m_clientSide)
        return;
    ClientSide* client = m_clientSide;
    m_clientSide = nullptr;
    client->disconnect(this);
    client->deleteLater();
}
