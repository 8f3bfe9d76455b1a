#include "platform/WebFetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

constexpr int kHttpOk = 200;
constexpr qint64 kReadBuffer = qint64(1) << 20;

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

void fetch(QNetworkAccessManager& network, const QUrl& url, std::chrono::milliseconds deadline,
           qint64 maxBytes, QObject* context, std::function<void(Result)> done)
{
    QNetworkReply* reply = network.get(request(url, deadline));
    // Qt's own buffer holds no more than the answer may have.
    reply->setReadBufferSize(std::min(maxBytes + 1, kReadBuffer));
    // The transfer time-out restarts on every byte; this one does not, so a
    // server that trickles cannot keep the fetch open.
    auto* timer = new QTimer(reply);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, reply, &QNetworkReply::abort);
    timer->start(deadline);
    auto body = std::make_shared<QByteArray>();
    auto tooLong = std::make_shared<bool>(false);
    const auto refuse = [reply, tooLong] {
        *tooLong = true;
        reply->abort();
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, maxBytes, refuse] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maxBytes)
            refuse();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, body, tooLong, maxBytes, refuse] {
        if (*tooLong)
            return;
        *body += reply->read(maxBytes + 1 - body->size());
        if (body->size() > maxBytes)
            refuse();
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
    QObject::connect(reply, &QNetworkReply::finished, context,
                     [reply, body, tooLong, maxBytes, done = std::move(done)] {
                         if (reply->isOpen() && !*tooLong)
                             *body += reply->read(maxBytes + 1 - body->size());
                         if (*tooLong || body->size() > maxBytes) {
                             done({Status::TooLong, {},
                                   QStringLiteral("The answer is longer than %1 bytes.").arg(maxBytes)});
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
