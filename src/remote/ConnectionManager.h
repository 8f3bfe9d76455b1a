#pragma once

#include "remote/CompanionDiscovery.h"
#include "remote/ServerSide.h"

#include <QObject>
#include <QPointer>
#include <QVariantMap>

#include <optional>

#include "remote/ClientSide.h"

// Ties the two links of one companion together: listens and publishes at
// once, answers the handshake ("connectToDevice" makes it look for the
// companion's service and connect back, "identificationRequest" is answered
// over that link) and hands every other message on.
class ConnectionManager final : public QObject {
    Q_OBJECT
public:
    static constexpr quint32 applicationCapabilities = 20;
    static inline const QString kPublishedType = QStringLiteral("_lumarikMac._tcp.");
    static inline const QString kBrowsedType = QStringLiteral("_lumarikIPhone._tcp.");
    static inline const QString kServiceName = QStringLiteral("Norvane 6");

    explicit ConnectionManager(CompanionDiscovery& discovery, int stallLimitMs = ServerSide::kStallLimitMs,
                               QObject* parent = nullptr);
    ~ConnectionManager() override;

    // Sends over the outgoing link; nothing without one.
    void sendCommand(const QVariantMap& dictionary);
    // The companion's service the outgoing link was opened on.
    QString deviceName() const { return m_selectedService ? m_selectedService->name : QString(); }
    bool hasOutgoingLink() const { return m_clientSide != nullptr; }
    ServerSide& serverSide() { return m_serverSide; }
    ClientSide* clientSide() const { return m_clientSide; }

signals:
    void connectionManagerWillConnect();
    void connectionManagerHasConnected();
    void connectionManagerHasDisconnected();
    void connectionManagerHasReceivedCommand(const QVariantMap& dictionary);

private:
    void serverSideDidReceiveData(const QVariantMap& dictionary);
    void serverSideDisconnected();
    void didFindService(const CompanionDiscovery::Service& service);
    void dropClientSide();

    CompanionDiscovery& m_discovery;
    ServerSide m_serverSide;
    QPointer<ClientSide> m_clientSide;
    std::optional<CompanionDiscovery::Service> m_selectedService;
    QString m_wantedServiceName;
    bool m_isBrowsing = false;
};
