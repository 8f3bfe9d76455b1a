#include "platform/WebFetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <memory>

namespace {

constexpr int kHttpOk = 200;

}  // namespace

namespace WebFetch {

QNetworkRequest request(const QUrl& url, std::chrono::milliseconds timeout)
{
    QNetworkRequest r(url);
    r.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    r.setTransferTimeout(int(timeout.count()));
    return r;
}

QString failure(const QNetworkReply& reply, qint64 received)
{
    // Nothing here aborts a reply it still reads, so a cancelled one timed out.
    if (reply.error() == QNetworkReply::OperationCanceledError)
        return QStringLiteral("The server did not answer in time.");
    if (reply.error() != QNetworkReply::NoError)
        return reply.errorString();
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() != kHttpOk)
        return QStringLiteral("The server answered %1.").arg(status.toInt());
    const QVariant length = reply.header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != received)
        return QStringLiteral("The server sent %1 of %2 bytes.")
            .arg(received)
            .arg(length.toLongLong());
    return {};
}

void fetch(QNetworkAccessManager& network, const QUrl& url, std::chrono::milliseconds timeout,
           qint64 maxBytes, QObject* context, std::function<void(Result)> done)
{
    QNetworkReply* reply = network.get(request(url, timeout));
    auto body = std::make_shared<QByteArray>();
    auto tooLong = std::make_shared<bool>(false);
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, body, tooLong, maxBytes] {
        *body += reply->readAll();
        if (maxBytes >= 0 && body->size() > maxBytes && !*tooLong) {
            *tooLong = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
    QObject::connect(reply, &QNetworkReply::finished, context,
                     [reply, body, tooLong, done = std::move(done)] {
                         if (reply->isOpen())
                             *body += reply->readAll();
                         if (*tooLong) {
                             done({Status::TooLong, {}, {}});
                             return;
                         }
                         const QString error = failure(*reply, body->size());
                         if (!error.isEmpty()) {
                             done({Status::Failed, {}, error});
                             return;
                         }
                         done({Status::Ok, std::move(*body), {}});
                     });
}

}  // namespace WebFetch
