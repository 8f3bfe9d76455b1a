#include "platform/FileDownload.h"

#include "platform/SafeWrite.h"
#include "platform/WebFetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <algorithm>

namespace {

constexpr int kHttpOk = 200;
constexpr double kWhole = 100.0;

QString notWritten(const SafeWrite& file)
{
    return QStringLiteral("The file could not be written: %1").arg(file.error());
}

}  // namespace

FileDownload::FileDownload(QNetworkAccessManager& network, QObject* parent)
    : QObject(parent), m_network(network)
{
    connect(&m_progressCheck, &QTimer::timeout, this, &FileDownload::checkProgress);
}

FileDownload::~FileDownload() { cancel(); }

bool FileDownload::start(const QUrl& url, const QString& destination, std::chrono::milliseconds timeout,
                         qint64 maxBytes, QString& error)
{
    if (isRunning()) {
        error = QStringLiteral("A download is running.");
        return false;
    }
    m_file = std::make_unique<SafeWrite>(destination);
    if (!m_file->open()) {
        error = m_file->error();
        m_file.reset();
        return false;
    }
    m_received = 0;
    m_receivedAtCheck = 0;
    m_length = -1;
    m_maxBytes = maxBytes;
    m_reportedPercent = 0;  // the bar starts at 0
    m_failure.clear();
    m_reply = m_network.get(WebFetch::request(url, timeout));
    m_reply->setReadBufferSize(kReadBuffer);
    m_progressCheck.start(timeout);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &FileDownload::headersArrived);
    connect(m_reply, &QNetworkReply::readyRead, this, &FileDownload::bytesArrived);
    connect(m_reply, &QNetworkReply::finished, this, &FileDownload::ended);
    return true;
}

void FileDownload::cancel()
{
    if (!m_reply)
        return;
    disconnect(m_reply, nullptr, this, nullptr);
    m_reply->abort();
    reset();
}

void FileDownload::checkProgress()
{
    // Aborted, the reply ends as timed out.
    if (m_received - m_receivedAtCheck < kMinimumProgress)
        m_reply->abort();
    m_receivedAtCheck = m_received;
}

void FileDownload::reset()
{
    m_progressCheck.stop();
    if (m_reply)
        m_reply->deleteLater();
    m_reply = nullptr;
    m_file.reset();
}

void FileDownload::headersArrived()
{
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.toInt() != kHttpOk)
        return;
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    m_length = length.isValid() ? length.toLongLong() : -1;
    if (m_length > m_maxBytes)
        refuse(tooLong(m_maxBytes));
    else if (m_length < 0)
        emit lengthUnknown();
}

QString FileDownload::tooLong(qint64 maxBytes)
{
    return QStringLiteral("The answer is longer than %1 bytes.").arg(maxBytes);
}

void FileDownload::refuse(const QString& why)
{
    if (m_failure.isEmpty())
        m_failure = why;
    m_reply->abort();
}

void FileDownload::bytesArrived()
{
    const QByteArray bytes = m_reply->readAll();
    // An error page is read and dropped: only the file itself goes to disk.
    if (m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() != kHttpOk)
        return;
    if (!m_failure.isEmpty())
        return;
    m_received += bytes.size();
    if (m_received > m_maxBytes) {
        refuse(tooLong(m_maxBytes));
        return;
    }
    if (!m_file->write(bytes)) {
        refuse(notWritten(*m_file));
        return;
    }
    if (m_length > 0) {
        const double percent = std::min(kWhole, kWhole * double(m_received) / double(m_length));
        if (int(percent) > m_reportedPercent) {
            m_reportedPercent = int(percent);
            emit progress(percent);
        }
    }
}

void FileDownload::ended()
{
    if (m_reply->bytesAvailable() > 0)
        bytesArrived();
    QString error = m_failure;
    if (error.isEmpty())
        error = WebFetch::failure(*m_reply, m_received);
    if (error.isEmpty() && !m_file->commit())
        error = notWritten(*m_file);
    reset();
    emit finished(error);
}
