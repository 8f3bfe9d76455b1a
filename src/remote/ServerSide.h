#pragma once

#include "remote/IncomingFrames.h"
#include "remote/TCPServer.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QVariantMap>

class CompanionDiscovery;
#include <QTcpSocket>

// The incoming link: listens and publishes for as long as it lives, serves
// one companion at a time (a new connection replaces the served one), takes
// its framed dictionaries and acknowledges each step once the byte is out.
// A link that completes no message within the stall limit of connecting,
// or stalls that long inside one, is closed.
class ServerSide final : public QObject {
    Q_OBJECT
public:
    static constexpr int kStallLimitMs = 10000;

    ServerSide(CompanionDiscovery& discovery, const QString& serviceType, const QString& serviceName,
               int stallLimitMs = kStallLimitMs, QObject* parent = nullptr);
    ~ServerSide() override;

    quint16 port() const { return m_server.port(); }
    bool isListening() const { return m_server.isListening(); }
    bool isServing() const { return m_socket != nullptr; }
    IncomingFrames::State serverState() const { return m_frames.state(); }
    // Ends the served link, if any, and waits for the next companion.
    void closeServer();

signals:
    void serverSideConnected();
    // One received dictionary; an unparsable body hands on nothing.
    void serverSideDidReceiveData(const QVariantMap& dictionary);
    void serverSideDisconnected();

private:
    void createServer(const QString& serviceType, const QString& serviceName);
    void didAcceptConnection(QTcpSocket* socket);
    void readAvailable();
    void bytesWritten();
    void deliverBody();
    void writeOwedAcknowledgement();
    void endLink(const char* reason);

    TCPServer m_server;
    QPointer<QTcpSocket> m_socket;
    IncomingFrames m_frames;
    bool m_isAcknowledging = false;
    QTimer m_stall;
};
