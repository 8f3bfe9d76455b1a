#pragma once

#include "remote/IncomingFrames.h"
#include "remote/IncomingLink.h"
#include "remote/TCPServer.h"

#include <QObject>
#include <QPointer>
#include <QVariantMap>

#include <vector>

class CompanionDiscovery;
class QTcpSocket;

// The incoming link: listens and publishes for as long as it lives and
// serves one companion at a time. A connection made while one is served
// waits as a newcomer: it takes over, ending the served link, only once it
// has sent a complete message that names a command, so that a scan or a
// stranger cannot cut the observer off; a newcomer that sends garbage or
// stalls is closed and the served companion goes on.
class ServerSide final : public QObject {
    Q_OBJECT
public:
    static constexpr int kStallLimitMs = 10000;
    // Newcomers waiting at once; more are turned away.
    static constexpr int kMaxNewcomers = 4;

    ServerSide(CompanionDiscovery& discovery, const QString& serviceType, const QString& serviceName,
               int stallLimitMs = kStallLimitMs, QObject* parent = nullptr);
    ~ServerSide() override;

    quint16 port() const { return m_server.port(); }
    bool isListening() const { return m_server.isListening(); }
    bool isServing() const { return m_served != nullptr; }
    IncomingFrames::State serverState() const { return m_served ? m_served->state() : IncomingFrames::IDLE; }
    // Ends the served link and every newcomer, and waits for the next companion.
    void closeServer();

signals:
    void serverSideConnected();
    // One received dictionary; an unparsable body hands on nothing.
    void serverSideDidReceiveData(const QVariantMap& dictionary);
    void serverSideDisconnected();

private:
    void createServer(const QString& serviceType, const QString& serviceName);
    void didAcceptConnection(QTcpSocket* socket);
    void messageReceived(IncomingLink* link, const QVariantMap& dictionary);
    void messageUnreadable(IncomingLink* link);
    void linkEnded(IncomingLink* link);
    bool isNewcomer(IncomingLink* link) const;

    TCPServer m_server;
    int m_stallLimitMs;
    QPointer<IncomingLink> m_served;
    std::vector<QPointer<IncomingLink>> m_newcomers;
};
