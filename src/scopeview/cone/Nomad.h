#pragma once

#include "platform/CheckedDownload.h"
#include "scopeview/SVConeSearch.h"

#include <QDateTime>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>
#include <vector>

class QPushButton;
class StarDatabaseModel;
class SVDrawer;
class SVView;

// The star-catalogue cone search: asks the service for the stars around the
// telescope view's centre down to the drawer's faint limit, keeps the reply
// as "NOMAD.txt" in "Misc" (or one file per centre and limit while the cache
// switch is on), and holds the stars carried to the present for the view.
// A reply replaces the kept file and the stars only when it parses.
class Nomad final : public QObject, public SVConeSearch {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kTimeout{120000};
    static constexpr const char* kNomadFileName = "NOMAD.txt";
    static constexpr const char* kDownloadTitle = "Download";
    static constexpr const char* kAbortTitle = "Abort";
    static constexpr const char* kDownloadFailed = "NOMAD Download Failed";
    static constexpr const char* kNoConnection = "Could not connect to NOMAD server";
    static constexpr const char* kReadFailed = "Read NOMAD file Failed";
    static constexpr const char* kCannotOpen = "Can not open file.";
    static constexpr const char* kNoData = "No data in file.";
    static constexpr const char* kFormatError = "Format error.";

    using Clock = std::function<QDateTime()>;

    // `miscDirectory` ends with a separator; `clock` gives the present the
    // stars are carried to.
    Nomad(const StarDatabaseModel& model, SVView& view, SVDrawer& drawer,
          QPushButton& loadNOMADButton, const QString& miscDirectory, const QUrl& nomadSite,
          std::chrono::milliseconds timeout = kTimeout,
          Clock clock = &QDateTime::currentDateTimeUtc, QObject* parent = nullptr);

    void setNomadSite(const QUrl& site) { m_nomadSite = site; }

    // SVConeSearch
    void setNomadHasData(bool has) override { m_hasNomadData = has; }
    bool hasNomadData() const override { return m_hasNomadData; }
    void nomadDownload(bool force) override;
    void setNomadCache(bool on) override { m_isNomadCache = on; }
    std::span<nomadData> nomadStars() override { return m_nomadStars; }

    // The search about a J2000 centre (degrees) within `radius` degrees down
    // to `faintLimit`; `force` skips the cache look-up.
    void startDownloadingURL(float ra, float dec, float radius, float faintLimit, bool force);
    void abortDownload();
    // Reads the reply at `path` into the stars; false after an alert.
    bool procNOMADFile(const QString& path);

    bool isDownloading() const { return m_isDownloading; }
    std::size_t numNomadStars() const { return m_nomadStars.size(); }
    const QUrl& nomadURL() const { return m_nomadURL; }
    const QString& nomadFile() const { return m_nomadFile; }
    const QString& nomadCacheFile() const { return m_nomadCacheFile; }

private:
    // The reply at `path` parsed, or an alert's message.
    QString read(const QString& path, std::vector<nomadData>& stars) const;
    void install(std::vector<nomadData> stars);
    void downloadEnded(const QString& error);
    void setNomadButton(bool downloading);

    const StarDatabaseModel& m_model;
    SVView& m_view;
    SVDrawer& m_drawer;
    QPushButton& m_loadNOMADButton;
    QString m_miscDirectory;
    QUrl m_nomadSite;
    std::chrono::milliseconds m_timeout;
    Clock m_clock;
    QNetworkAccessManager m_network;
    CheckedDownload m_download;

    QUrl m_nomadURL;
    QString m_nomadFile;
    QString m_nomadCacheFile;
    bool m_hasNomadData = false;
    bool m_isDownloading = false;
    bool m_isNomadCache = false;
    std::vector<nomadData> m_nomadStars;
    // The reply in flight, parsed when its file was checked, and why it did
    // not parse.
    std::vector<nomadData> m_pending;
    QString m_readError;
};
