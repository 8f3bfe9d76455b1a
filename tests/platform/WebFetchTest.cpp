#include "platform/WebFetch.h"

#include "support/LocalHttpServer.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <sys/resource.h>

#include <chrono>
#include <optional>

namespace {

using Delivery = LocalHttpServer::Delivery;
using namespace std::chrono_literals;

const QByteArray kBody(4000, 'b');

// Answers every request with `total` bytes and no length, made as the
// socket drains, so that the server itself holds only a chunk or two.
class EndlessServer {
public:
    explicit EndlessServer(qint64 total) : m_total(total)
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] { answer(m_server.nextPendingConnection()); });
        m_server.listen(QHostAddress::LocalHost, 0);
    }
    QUrl url() const { return QUrl(QString("http://127.0.0.1:%1/big").arg(m_server.serverPort())); }

private:
    void answer(QTcpSocket* socket)
    {
        auto left = std::make_shared<qint64>(m_total);
        const auto more = [socket, left] {
            static const QByteArray chunk(1 << 20, 'x');
            if (*left <= 0 || socket->bytesToWrite() > chunk.size())
                return;
            *left -= chunk.size();
            socket->write(chunk);
            if (*left <= 0)
                socket->disconnectFromHost();
        };
        QObject::connect(socket, &QTcpSocket::bytesWritten, socket, more);
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, more] {
            socket->readAll();
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n");
            more();
        });
    }

    QTcpServer m_server;
    qint64 m_total;
};

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

// A trickling server once kept a fetch open for as long as it went on
// sending, and an answer of any size was taken into memory whole.
TEST(WebFetch, EveryFetchEndsByItsDeadlineAndWithinItsSize)
{
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    QNetworkAccessManager network;
    LocalHttpServer server;
    QObject context;
    const struct {
        LocalHttpServer::Response answer;
        qint64 maxBytes;
        WebFetch::Status status;
        QString error;
    } cases[] = {
        {{200, kBody}, 4000, WebFetch::Status::Ok, ""},
        {{200, kBody, Delivery::NoLength}, 4000, WebFetch::Status::Ok, ""},
        {{200, kBody, Delivery::Slow, 1, 10ms}, 4000, WebFetch::Status::Failed, "The server did not answer in time."},
        {{200, kBody, Delivery::Slow, 100, 5s}, 4000, WebFetch::Status::Failed, "The server did not answer in time."},
        {{200, kBody}, 3999, WebFetch::Status::TooLong, "The answer is longer than 3999 bytes."},
        {{200, kBody, Delivery::NoLength}, 3999, WebFetch::Status::TooLong, "The answer is longer than 3999 bytes."},
        {{200, QByteArray(8 << 20, 'b'), Delivery::NoLength}, 1 << 20, WebFetch::Status::TooLong,
         "The answer is longer than 1048576 bytes."},
        {{200, kBody, Delivery::Truncated}, 4000, WebFetch::Status::Failed, "*"},  // Qt's own words
        {{404, "<html>Not here</html>"}, 4000, WebFetch::Status::Failed, "*"},
    };
    for (const auto& c : cases) {
        server.serve("/file", c.answer);
        std::optional<WebFetch::Result> result;
        QElapsedTimer clock;
        clock.start();
        WebFetch::fetch(network, server.url("/file"), 600ms, c.maxBytes, &context,
                        [&](WebFetch::Result r) { result = std::move(r); });
        ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 5000)) << c.error.toStdString();
        EXPECT_LT(clock.elapsed(), 3000) << c.error.toStdString();
        EXPECT_EQ(result->status, c.status) << c.error.toStdString();
        if (c.error == "*")
            EXPECT_FALSE(result->error.isEmpty());
        else
            EXPECT_EQ(result->error, c.error);
        EXPECT_EQ(result->body, c.status == WebFetch::Status::Ok ? kBody : QByteArray());
    }
}

// A 1 GiB answer was once taken into memory whole (2.69 GB at its peak).
TEST(WebFetch, AHugeAnswerIsRefusedWithoutFillingMemory)
{
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    QNetworkAccessManager network;
    EndlessServer server(qint64(1) << 30);
    QObject context;
    std::optional<WebFetch::Result> result;
    const long before = peakKilobytes();
    WebFetch::fetch(network, server.url(), 20s, 4 << 20, &context, [&](WebFetch::Result r) { result = std::move(r); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 20000));
    EXPECT_EQ(result->status, WebFetch::Status::TooLong);
    EXPECT_LT(peakKilobytes() - before, 100 * 1024);
}
