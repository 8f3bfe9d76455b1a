#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>

class QNetworkAccessManager;

// The check for a newer version: fetches the version file (a short text such
// as "3.4.10") and compares it with the program's own version. A newer
// version is offered at launch too; the other outcomes, and failures, are
// shown only when the user asked for the check.
class VersionChecker final : public QObject {
    Q_OBJECT
public:
    // A longer answer is not a version file: it is ignored.
    static constexpr qint64 kMaximumAnswer = 20;

    // `ownVersion` is the program's version; `openUrl` opens a page in the
    // user's browser.
    VersionChecker(QNetworkAccessManager& network, QString ownVersion,
                   std::function<void(const QUrl&)> openUrl, QObject* parent = nullptr);

    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

    // Starts a check of `versionSite`; "YES" on a newer version opens
    // `softwareSite`. Checks may overlap; each reports on its own.
    void check(const QUrl& versionSite, const QUrl& softwareSite, bool userAsked);

signals:
    // A check has ended, whatever it found.
    void finished();

private:
    void answered(const QString& available, const QUrl& softwareSite, bool userAsked);
    void failed(const QString& reason, bool userAsked);

    QNetworkAccessManager& m_network;
    QString m_ownVersion;
    std::function<void(const QUrl&)> m_openUrl;
    std::chrono::milliseconds m_timeout;
};
