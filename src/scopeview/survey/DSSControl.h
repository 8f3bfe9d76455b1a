#pragma once

#include "platform/CheckedDownload.h"
#include "scopeview/SVSurveyControl.h"
#include "scopeview/survey/SurveyRequest.h"

#include <QDateTime>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>

class PrefControl;
class QProgressBar;
class StarDatabaseModel;
class SVDrawer;
class SVView;

// The survey images: fetches the image of the telescope view's field from
// the service the drawer chose into "DSSImage.gif" in "Misc", keeps an LZW
// TIFF copy per field when the image cache is on, and hands the view the
// image to draw. A download goes to a temporary file and replaces the image
// only when the server answered 200 with a whole body that decodes as an
// image; anything else is reported and leaves the files as they were.
class DSSControl final : public QObject, public SVSurveyControl {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kTimeout{60000};
    static constexpr const char* kDSSFileName = "DSSImage.gif";
    static constexpr const char* kFailedTitle = "DSS Download Failed";
    static constexpr const char* kNoConnection = "Could not connect to DSS server";
    static constexpr const char* kNoImage = "The server sent no image.";

    // `miscDirectory` ends with a separator.
    DSSControl(PrefControl& prefs, const StarDatabaseModel& model, SVView& view, SVDrawer& drawer,
               QProgressBar& progress, const QString& miscDirectory,
               const SurveyRequest::Services& services,
               std::chrono::milliseconds timeout = kTimeout, QObject* parent = nullptr);

    void setServices(const SurveyRequest::Services& services) { m_services = services; }

    // SVSurveyControl
    void svDSSAction() override;
    QImage dssImage() override;

    // Shows the cached image of the field or starts the download of dssURL.
    void startDownloadingURL();
    void abortDownload();

    const QUrl& dssURL() const { return m_dssURL; }
    void setDSSURL(const QUrl& url) { m_dssURL = url; }
    const QString& dssFile() const { return m_dssFile; }
    const QString& cacheFile() const { return m_cacheFile; }

private:
    void downloadEnded(const QString& error);
    void writeCache();
    void stopIndicator();
    QImage loaded(const QString& path, bool grey);

    PrefControl& m_prefs;
    const StarDatabaseModel& m_model;
    SVView& m_view;
    SVDrawer& m_drawer;
    QProgressBar& m_progress;
    QString m_miscDirectory;
    SurveyRequest::Services m_services;
    std::chrono::milliseconds m_timeout;
    QNetworkAccessManager m_network;
    CheckedDownload m_download;

    QUrl m_dssURL;
    QString m_dssFile;
    QString m_cacheFile;
    // What the download in flight is for, and what the image on disk is for.
    QString m_requestCacheFile;
    int m_requestIndex = 0;
    QString m_downloadedCacheFile;
    int m_downloadedIndex = 0;

    // The last image read, kept while its file is unchanged.
    struct Loaded {
        QString path;
        QDateTime modified;
        qint64 size = -1;
        bool grey = false;
        QImage image;
    };
    Loaded m_loaded;
};
