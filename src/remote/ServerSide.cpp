#include "remote/ServerSide.h"

#include "remote/MessageValues.h"
#include "remote/RemoteLog.h"

#include <QTcpSocket>

#include <algorithm>

ServerSide::ServerSide(CompanionDiscovery& discovery, const QString& serviceType, const QString& serviceName,
                       int stallLimitMs, QObject* parent)
    : QObject(parent), m_server(discovery), m_stallLimitMs(stallLimitMs)
{
    connect(&m_server, &TCPServer::newConnection, this, &ServerSide::didAcceptConnection);
    createServer(serviceType, serviceName);
}

ServerSide::~ServerSide()
{
    // The links go with their parent; nothing of theirs may call back here.
    for (IncomingLink* link : findChildren<IncomingLink*>(Qt::FindDirectChildrenOnly))
        link->disconnect(this);
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
    std::erase_if(m_newcomers, [](const QPointer<IncomingLink>& link) { return link.isNull(); });
    if (m_served && int(m_newcomers.size()) >= kMaxNewcomers) {
        qCDebug(lcRemote) << "Companion server: connection turned away, too many waiting";
        socket->abort();
        socket->deleteLater();
        return;
    }
    auto* link = new IncomingLink(socket, m_stallLimitMs, this);
    connect(link, &IncomingLink::messageReceived, this,
            [this, link](const QVariantMap& dictionary) { messageReceived(link, dictionary); });
    connect(link, &IncomingLink::messageUnreadable, this, [this, link] { messageUnreadable(link); });
    connect(link, &IncomingLink::ended, this, [this, link] { linkEnded(link); });
    if (m_served) {
        m_newcomers.emplace_back(link);
    } else {
        m_served = link;
        emit serverSideConnected();
    }
    link->start();
}

bool ServerSide::isNewcomer(IncomingLink* link) const
{
    return std::find(m_newcomers.begin(), m_newcomers.end(), link) != m_newcomers.end();
}

void ServerSide::messageReceived(IncomingLink* link, const QVariantMap& dictionary)
{
    if (isNewcomer(link)) {
        if (!MessageValues::isText(dictionary, MessageValues::kCommand)) {
            link->close("first message names no command");
            return;
        }
        std::erase(m_newcomers, link);
        if (m_served)
            m_served->close("replaced by a companion's first message on a new connection");
        m_served = link;
        emit serverSideConnected();
    }
    if (link == m_served)
        emit serverSideDidReceiveData(dictionary);
}

void ServerSide::messageUnreadable(IncomingLink* link)
{
    if (isNewcomer(link)) {
        link->close("unreadable first message");
        return;
    }
    qCDebug(lcRemote) << "Companion server: unreadable message";
}

void ServerSide::linkEnded(IncomingLink* link)
{
    link->deleteLater();
    std::erase(m_newcomers, link);
    if (link != m_served)
        return;
    m_served = nullptr;
    emit serverSideDisconnected();
}

void ServerSide::closeServer()
{
    for (const QPointer<IncomingLink>& link : std::vector(m_newcomers)) {
        if (link)
            link->close("closed");
    }
    if (m_served)
        m_served->close("closed");
}
