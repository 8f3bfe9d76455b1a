#include "platform/CheckedDownload.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kPartSuffix = ".part";

}  // namespace

CheckedDownload::CheckedDownload(QNetworkAccessManager& network, QObject* parent)
    : QObject(parent), m_download(network)
{
    connect(&m_download, &FileDownload::progress, this, &CheckedDownload::progress);
    connect(&m_download, &FileDownload::lengthUnknown, this, &CheckedDownload::lengthUnknown);
    connect(&m_download, &FileDownload::finished, this, &CheckedDownload::ended);
}

QString CheckedDownload::partFile() const { return m_destination + QLatin1String(kPartSuffix); }

bool CheckedDownload::start(const QUrl& url, const QString& destination,
                            std::chrono::milliseconds timeout, qint64 maxBytes, Check check)
{
    if (m_download.isRunning())
        return false;
    m_destination = destination;
    m_check = std::move(check);
    QString error;
    return m_download.start(url, partFile(), timeout, maxBytes, error);
}

void CheckedDownload::cancel()
{
    m_download.cancel();
}

void CheckedDownload::ended(const QString& error)
{
    const QString part = partFile();
    QString failure = error.isEmpty() ? m_check(part) : error;
    // rename() replaces the destination in one step.
    if (failure.isEmpty()
        && std::rename(QFile::encodeName(part).constData(),
                       QFile::encodeName(m_destination).constData())
               != 0)
        failure = QStringLiteral("The file could not be saved: %1")
                      .arg(QString::fromLocal8Bit(std::strerror(errno)));
    if (!failure.isEmpty())
        QFile::remove(part);
    emit finished(failure);
}
