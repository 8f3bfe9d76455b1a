#include "support/LocalHttpServer.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace {

constexpr qsizetype kMaximumRequestHead = 16 * 1024;

QByteArray reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 206: return "Partial Content";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

QByteArray head(const LocalHttpServer::Response& response)
{
    QByteArray text = "HTTP/1.1 " + QByteArray::number(response.status) + ' '
        + reason(response.status) + "\r\nContent-Type: text/plain\r\nConnection: close\r\n";
    if (response.delivery != LocalHttpServer::Delivery::NoLength)
        text += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    return text + "\r\n";
}

// Sends the body a chunk at a time; the socket owns the timer, so a client
// that goes away stops it.
void sendSlowly(QTcpSocket* socket, const LocalHttpServer::Response& response)
{
    auto* timer = new QTimer(socket);
    auto sent = std::make_shared<qsizetype>(0);
    QObject::connect(timer, &QTimer::timeout, socket, [socket, timer, sent, response] {
        const QByteArray chunk = response.body.mid(*sent, response.chunkSize);
        socket->write(chunk);
        *sent += chunk.size();
        if (*sent >= response.body.size()) {
            timer->stop();
            socket->disconnectFromHost();
        }
    });
    timer->start(response.interval);
}

}  // namespace

LocalHttpServer::LocalHttpServer(QObject* parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &LocalHttpServer::accept);
    m_server.listen(QHostAddress::LocalHost, 0);
}

void LocalHttpServer::serve(const QString& path, Response response)
{
    m_responses.insert(path, std::move(response));
}

QUrl LocalHttpServer::url(const QString& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
}

void LocalHttpServer::accept()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto request = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, request] {
            if (request->contains("\r\n\r\n"))
                return;
            *request += socket->readAll();
            if (request->size() > kMaximumRequestHead) {
                socket->abort();
                return;
            }
            if (!request->contains("\r\n\r\n"))
                return;
            const QList<QByteArray> line = request->left(request->indexOf("\r\n")).split(' ');
            answer(socket, line.size() >= 2 ? QString::fromLatin1(line[1]) : QString());
        });
    }
}

void LocalHttpServer::answer(QTcpSocket* socket, const QString& path)
{
    ++m_requests[path];
    const auto found = m_responses.constFind(path);
    const Response response =
        found != m_responses.cend() ? *found : Response{404, "no such file\n"};
    socket->write(head(response));
    switch (response.delivery) {
    case Delivery::Whole:
    case Delivery::NoLength:
        socket->write(response.body);
        break;
    case Delivery::Truncated:
        socket->write(response.body.left(response.body.size() / 2));
        break;
    case Delivery::Slow:
        sendSlowly(socket, response);
        return;
    }
    socket->disconnectFromHost();
}
