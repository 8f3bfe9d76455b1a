#pragma once

#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QSaveFile;
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
    // (nothing is fetched then). Only one download runs at a time.
    bool start(const QUrl& url, const QString& destination, std::chrono::milliseconds timeout,
               QString& error);
    bool isRunning() const { return m_reply != nullptr; }
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

    QNetworkAccessManager& m_network;
    QNetworkReply* m_reply = nullptr;  // the running reply, deleted once it ends
    std::unique_ptr<QSaveFile> m_file;
    qint64 m_received = 0;
    qint64 m_length = -1;
    int m_reportedPercent = 0;
    QString m_writeError;
};
