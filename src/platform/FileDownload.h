#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class SafeWrite;
class QUrl;

// Streams one large file from the web to disk. The bytes go to a temporary
// file beside the destination, which replaces the destination only once the
// whole body, as long as the server announced, has arrived with status 200;
// a failure or a cancellation removes the temporary file and leaves the old
// destination untouched.
class FileDownload final : public QObject {
    Q_OBJECT
public:
    explicit FileDownload(QNetworkAccessManager& network, QObject* parent = nullptr);
    ~FileDownload() override;

    // Starts; false with `error` set when the destination cannot be written
    // (nothing is fetched then). Only one download runs at a time. The
    // download is abandoned when a `timeout` passes that brings less than
    // kMinimumProgress bytes, so a server that trickles cannot hold it.
    // A body of more than `maxBytes` is refused as soon as it is announced or
    // has arrived.
    bool start(const QUrl& url, const QString& destination, std::chrono::milliseconds timeout,
               qint64 maxBytes, QString& error);
    bool isRunning() const { return m_reply != nullptr; }

    static constexpr qint64 kMinimumProgress = 1024;
    // What the network layer holds unread at most; the rest waits in the socket.
    static constexpr qint64 kReadBuffer = qint64(1) << 20;
    // Stops at once; no signal follows.
    void cancel();

signals:
    // Whole percents of an announced length from 1 on, each at most once, in order.
    void progress(double percent);
    // The server announced no length: the progress cannot be known.
    void lengthUnknown();
    // The download ended; `error` says why it failed and is empty on success.
    void finished(const QString& error);

private:
    void headersArrived();
    void bytesArrived();
    void ended();
    void reset();
    void checkProgress();
    void refuse(const QString& why);
    static QString tooLong(qint64 maxBytes);

    QNetworkAccessManager& m_network;
    QNetworkReply* m_reply = nullptr;  // the running reply, deleted once it ends
    std::unique_ptr<SafeWrite> m_file;
    QTimer m_progressCheck;
    qint64 m_received = 0;
    qint64 m_receivedAtCheck = 0;
    qint64 m_length = -1;
    qint64 m_maxBytes = 0;
    int m_reportedPercent = 0;
    QString m_failure;  // why the download was abandoned
};
