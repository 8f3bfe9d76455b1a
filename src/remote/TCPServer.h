#pragma once

#include <QObject>
#include <QString>
#include <QTcpServer>

class CompanionDiscovery;
class QTcpSocket;

// The companion's listening socket: IPv4, any address, a port the system
// chooses, published under a service type while it listens.
class TCPServer final : public QObject {
    Q_OBJECT
public:
    TCPServer(CompanionDiscovery& discovery, QObject* parent = nullptr);
    ~TCPServer() override;

    // False when no socket could be bound; the port keeps its value.
    bool start();
    void stop();
    // False when nothing listens, the type is empty, or publication failed.
    bool enableBonjour(const QString& type, const QString& name);
    void disableBonjour();

    quint16 port() const { return m_port; }
    bool isListening() const { return m_listener.isListening(); }

signals:
    // A new connection, parented to the server until someone adopts it.
    void newConnection(QTcpSocket* socket);

private:
    CompanionDiscovery& m_discovery;
    QTcpServer m_listener;
    quint16 m_port = 0;
    bool m_isPublished = false;
};
