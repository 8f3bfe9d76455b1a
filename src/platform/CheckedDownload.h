#pragma once

#include "platform/FileDownload.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>

class QNetworkAccessManager;
class QUrl;

// A download that replaces its destination only when the server answered
// 200 with the whole body it announced and `check` accepts the file: the
// bytes go to a temporary file beside the destination, which takes the
// destination's place in one step. Anything else removes the temporary file
// and leaves the destination as it was.
class CheckedDownload final : public QObject {
    Q_OBJECT
public:
    // Reads the downloaded file at `path`; what is wrong with it for the
    // user, empty when it is good.
    using Check = std::function<QString(const QString& path)>;

    explicit CheckedDownload(QNetworkAccessManager& network, QObject* parent = nullptr);

    // False when the temporary file cannot be made; nothing is fetched then.
    // `timeout` and `maxBytes` bound the download as FileDownload's do.
    bool start(const QUrl& url, const QString& destination, std::chrono::milliseconds timeout,
               qint64 maxBytes, Check check);
    bool isRunning() const { return m_download.isRunning(); }
    // Stops at once; no signal follows.
    void cancel();

signals:
    // Whole percents of an announced length.
    void progress(double percent);
    // The server announced no length: the progress cannot be known.
    void lengthUnknown();
    // `error` is empty when the destination now holds the new file.
    void finished(const QString& error);

private:
    void ended(const QString& error);
    QString partFile() const;

    FileDownload m_download;
    QString m_destination;
    Check m_check;
};
