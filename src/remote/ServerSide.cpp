#include "remote/ServerSide.h"

#include "remote/PropertyList.h"
#include "remote/RemoteLog.h"

#include <QTcpSocket>

ServerSide::ServerSide(CompanionDiscovery& discovery, const QString& serviceType, const QString& serviceName,
                       int stallLimitMs, QObject* parent)
    : QObject(parent), m_server(discovery)
{
    m_stall.setSingleShot(true);
    m_stall.setInterval(stallLimitMs);
    connect(&m_stall, &QTimer::timeout, this, [this] { endLink("stalled"); });
    connect(&m_server, &TCPServer::newConnection, this, &ServerSide::didAcceptConnection);
    createServer(serviceType, serviceName);
}

ServerSide::~ServerSide()
{
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
}

void ServerSide::createServer(const QString& serviceType, const QString& serviceName)
{
    if (!m_server.start()) {
        qCDebug(lcRemote) << "Companion server: no listening socket";
        return;
    }
    if (!m_server.enableBonjour(serviceType, serviceName))
        qCDebug(lcRemote) << "Companion server: not published (no DNS-SD daemon); listening on port"
                          << m_server.port();
}

void ServerSide::didAcceptConnection(QTcpSocket* socket)
{
    // A companion that went silent must not lock out the next one.
    if (m_socket)
        endLink("replaced by a new connection");
    socket->setParent(this);
    socket->setReadBufferSize(IncomingFrames::kMaxBuffered + 1);
    m_socket = socket;
    connect(socket, &QTcpSocket::readyRead, this, &ServerSide::readAvailable);
    connect(socket, &QTcpSocket::bytesWritten, this, &ServerSide::bytesWritten);
    connect(socket, &QTcpSocket::disconnected, this, [this] { endLink("closed by the companion"); });
    m_stall.start();
    emit serverSideConnected();
    if (m_socket == socket && socket->bytesAvailable() > 0)
        readAvailable();
}

void ServerSide::readAvailable()
{
    if (!m_socket)
        return;
    const QByteArray bytes = m_socket->readAll();
    if (bytes.isEmpty())
        return;
    if (!m_stall.isActive())
        m_stall.start();
    if (!m_frames.receive(bytes)) {
        endLink("message over the size limit");
        return;
    }
    writeOwedAcknowledgement();
}

void ServerSide::writeOwedAcknowledgement()
{
    const std::optional<quint8> owed = m_frames.owedAcknowledgement();
    if (!m_socket || m_isAcknowledging || !owed)
        return;
    // The body goes to the manager before its acknowledgement.
    if (*owed == IncomingFrames::kDataAcknowledge) {
        const QPointer<QTcpSocket> socket = m_socket;
        deliverBody();
        if (m_socket != socket)
            return;
    }
    const char byte = char(*owed);
    if (m_socket->write(&byte, 1) != 1) {
        endLink("acknowledgement not written");
        return;
    }
    m_isAcknowledging = true;
}

void ServerSide::deliverBody()
{
    const std::optional<QByteArray> body = m_frames.takeBody();
    if (!body)
        return;
    if (std::optional<QVariantMap> dictionary = PropertyList::readDictionary(*body))
        emit serverSideDidReceiveData(*dictionary);
    else
        qCDebug(lcRemote) << "Companion server: unreadable message of" << body->size() << "bytes";
}

void ServerSide::bytesWritten()
{
    if (!m_socket || !m_isAcknowledging || m_socket->bytesToWrite() > 0)
        return;
    m_isAcknowledging = false;
    if (!m_frames.acknowledgementWritten()) {
        endLink("message over the size limit");
        return;
    }
    if (m_frames.isBetweenMessages())
        m_stall.stop();
    else if (m_frames.state() == IncomingFrames::SIZERECEIVED)
        m_stall.start();  // the next message was already waiting
    writeOwedAcknowledgement();
}

void ServerSide::closeServer()
{
    if (m_socket)
        endLink("closed");
}

void ServerSide::endLink(const char* reason)
{
    if (!m_socket)
        return;
    qCDebug(lcRemote) << "Companion incoming link ended:" << reason << "in"
                      << IncomingFrames::stateString(m_frames.state());
    QTcpSocket* socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    m_frames.reset();
    m_isAcknowledging = false;
    m_stall.stop();
    emit serverSideDisconnected();
}
