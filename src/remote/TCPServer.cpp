#include "remote/TCPServer.h"

#include "remote/CompanionDiscovery.h"

#include <QTcpSocket>

TCPServer::TCPServer(CompanionDiscovery& discovery, QObject* parent)
    : QObject(parent), m_discovery(discovery)
{
    connect(&m_listener, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_listener.nextPendingConnection())
            emit newConnection(socket);
    });
}

TCPServer::~TCPServer() { stop(); }

bool TCPServer::start()
{
    if (!m_listener.listen(QHostAddress::AnyIPv4, 0))
        return false;
    m_port = m_listener.serverPort();
    return true;
}

void TCPServer::stop()
{
    disableBonjour();
    m_listener.close();
}

bool TCPServer::enableBonjour(const QString& type, const QString& name)
{
    if (type.isEmpty() || !m_listener.isListening())
        return false;
    disableBonjour();
    m_isPublished = m_discovery.publish(type, name, m_port);
    return m_isPublished;
}

void TCPServer::disableBonjour()
{
    if (m_isPublished)
        m_discovery.withdraw();
    m_isPublished = false;
}
