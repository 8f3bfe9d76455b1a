#include "platform/WebFetch.h"

#include "support/LocalHttpServer.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QObject>
#include <QTest>

#include <chrono>
#include <optional>

namespace {

using Delivery = LocalHttpServer::Delivery;
using namespace std::chrono_literals;

const QByteArray kBody(4000, 'b');

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
