#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;
class QObject;
class QUrl;

// Fetching a file from the web without blocking: the request skips local
// caches; a reply counts only when the server answered 200 and sent the
// whole body it announced.
namespace WebFetch {

inline constexpr std::chrono::milliseconds kTimeout{60000};

enum class Status {
    Ok,
    Failed,   // no connection, an error status, a body cut short, the deadline
    TooLong,  // more bytes than the caller takes; abandoned
};

struct Result {
    Status status = Status::Failed;
    QByteArray body;  // the whole body when Ok
    QString error;    // what went wrong, for the user, unless Ok
};

// A request abandoned when no byte arrives for `timeout`.
QNetworkRequest request(const QUrl& url, std::chrono::milliseconds timeout);

// What makes a finished reply unusable, for the user; empty when it is good.
// `received` is the number of body bytes that arrived.
QString failure(const QNetworkReply& reply, qint64 received);

// Fetches `url` into memory and calls `done` once, on `context`'s thread,
// unless `context` is gone by then. The fetch is abandoned at `deadline`
// after its start however the bytes come, and as soon as the answer
// announces or brings more than `maxBytes`, so it never holds much more.
void fetch(QNetworkAccessManager& network, const QUrl& url, std::chrono::milliseconds deadline,
           qint64 maxBytes, QObject* context, std::function<void(Result)> done);

}  // namespace WebFetch
