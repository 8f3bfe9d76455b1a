#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QUrl>

#include <chrono>

// A small HTTP/1.1 server on 127.0.0.1 for tests of the program's downloads.
// It answers GET requests from fixtures set per path, and can misbehave the
// ways real servers do: a wrong status, a body cut short of its declared
// length, a body without a length, a body sent slowly. Unknown paths get 404.
// Each connection serves one request and is then closed.
class LocalHttpServer final : public QObject {
public:
    enum class Delivery {
        Whole,      // Content-Length, then the whole body
        Truncated,  // Content-Length of the whole body, then the first half, then close
        NoLength,   // no Content-Length: the body ends when the connection closes
        Slow,       // Content-Length, then the body in chunks, one per interval
    };

    struct Response {
        int status = 200;
        QByteArray body;
        Delivery delivery = Delivery::Whole;
        qsizetype chunkSize = 1024;                     // Slow only
        std::chrono::milliseconds interval{20};         // Slow only
    };

    // Listens on a free port of 127.0.0.1 at once.
    explicit LocalHttpServer(QObject* parent = nullptr);

    void serve(const QString& path, Response response);
    void serve(const QString& path, const QByteArray& body) { serve(path, Response{200, body}); }

    QUrl url(const QString& path) const;
    // Requests received for `path` so far.
    int requestCount(const QString& path) const { return m_requests.value(path); }

private:
    void accept();
    void answer(QTcpSocket* socket, const QString& path);

    QTcpServer m_server;
    QHash<QString, Response> m_responses;
    QHash<QString, int> m_requests;
};
