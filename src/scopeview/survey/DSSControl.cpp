#include "scopeview/survey/DSSControl.h"

#include "scopeview/SVDrawer.h"
#include "scopeview/SVView.h"
#include "scopeview/SurveyServers.h"
#include "scopeview/survey/GreyImage.h"
#include "scopeview/survey/SurveyCentre.h"

#include "model/StarDatabaseModel.h"
#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"
#include "platform/SafeWrite.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QProgressBar>

namespace {

// Qt's TIFF writer: 1 is LZW.
constexpr int kTiffLzw = 1;
constexpr const char* kTiffFormat = "tiff";
// Every GIF ends with this byte; Qt draws a GIF cut short without a word.
constexpr char kGifTrailer = 0x3B;
// Far more than a survey field of the largest size takes.
constexpr qint64 kMaximumImage = qint64(32) << 20;

// Whether the file at `path` holds a whole image.
bool isWholeImage(const QString& path)
{
    // Read from the file itself rather than from a copy of it in memory.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QImageReader reader(&file);
    const QByteArray format = reader.format();
    if (reader.read().isNull())
        return false;
    char last = 0;
    return format != "gif" || (file.seek(file.size() - 1) && file.getChar(&last) && last == kGifTrailer);
}

}  // namespace

DSSControl::DSSControl(PrefControl& prefs, const StarDatabaseModel& model, SVView& view,
                       SVDrawer& drawer, QProgressBar& progress, const QString& miscDirectory,
                       const SurveyRequest::Services& services, std::chrono::milliseconds timeout,
                       QObject* parent)
    : QObject(parent), m_prefs(prefs), m_model(model), m_view(view), m_drawer(drawer),
      m_progress(progress), m_miscDirectory(miscDirectory), m_services(services),
      m_timeout(timeout), m_download(m_network), m_dssURL(QStringLiteral(" ")),
      m_dssFile(miscDirectory + QLatin1String(kDSSFileName)), m_cacheFile(QStringLiteral(" "))
{
    connect(&m_download, &CheckedDownload::progress, this,
            [this](double percent) { m_drawer.setDSSProgress(percent); });
    connect(&m_download, &CheckedDownload::finished, this, &DSSControl::downloadEnded);
}

void DSSControl::svDSSAction()
{
    if (m_drawer.isDSSDownloading()) {
        abortDownload();
        return;
    }
    const SVViewState& state = m_view.state();
    const SurveyCentre::Place centre =
        SurveyCentre::j2000(state.trackRAPlus(), state.trackDecPlus(), m_model.precessionMatrix());
    setDSSURL(SurveyRequest::address(m_services, m_drawer.serverIndex(), centre, m_drawer.fov(),
                                     m_view.width()));
    startDownloadingURL();
}

void DSSControl::startDownloadingURL()
{
    const int index = SurveyServers::validIndex(m_drawer.serverIndex());
    const bool cache = m_prefs.isDSSCache();
    if (cache) {
        const SVViewState& state = m_view.state();
        m_cacheFile = m_miscDirectory
            + SurveyRequest::cacheName(
                          SurveyCentre::normalised(state.trackRAPlus(), state.trackDecPlus()),
                          m_drawer.fov(), index);
        if (QFileInfo::exists(m_cacheFile)) {
            stopIndicator();
            m_drawer.setIsDownloading(false);
            m_view.state().setIsDSSImage(true);
            m_view.update();
            return;
        }
    }
    const auto isImage = [](const QString& path) {
        return isWholeImage(path) ? QString() : QLatin1String(kNoImage);
    };
    if (m_dssURL.isEmpty() || !m_dssURL.isValid()
        || !m_download.start(m_dssURL, m_dssFile, m_timeout, kMaximumImage, isImage)) {
        AlertPanel::runAlert(kFailedTitle, kNoConnection);
        return;
    }
    m_requestCacheFile = cache ? m_cacheFile : QString();
    m_requestIndex = index;
    m_progress.setRange(0, 0);
    m_drawer.setIsDownloading(true);
}

void DSSControl::abortDownload()
{
    m_download.cancel();
    stopIndicator();
    m_drawer.setIsDownloading(false);
}

void DSSControl::stopIndicator()
{
    m_progress.setRange(0, 0);
    m_progress.reset();
}

void DSSControl::downloadEnded(const QString& error)
{
    m_drawer.setIsDownloading(false);
    stopIndicator();
    if (!error.isEmpty()) {
        AlertPanel::runAlert(kFailedTitle, error);
        return;
    }
    m_downloadedCacheFile = m_requestCacheFile;
    m_downloadedIndex = m_requestIndex;
    m_loaded = {};
    m_view.state().setIsDSSImage(true);
    m_view.update();
    if (!m_requestCacheFile.isEmpty())
        writeCache();
}

void DSSControl::writeCache()
{
    const QImage image(m_dssFile);
    if (image.isNull())
        return;
    // A cache that cannot be written costs only the next request's download.
    QBuffer tiff;
    tiff.open(QIODevice::WriteOnly);
    QImageWriter writer(&tiff, kTiffFormat);
    writer.setCompression(kTiffLzw);
    if (writer.write(image) && SafeWrite::replace(m_requestCacheFile, tiff.data()).isEmpty())
        m_loaded = {};
}

QImage DSSControl::dssImage()
{
    if (m_prefs.isDSSCache()) {
        QImage cached = loaded(m_cacheFile, false);
        if (!cached.isNull())
            return cached;
        // "DSSImage.gif" stands in only for the field it was fetched for.
        if (m_downloadedCacheFile != m_cacheFile)
            return {};
        return loaded(m_dssFile, false);
    }
    return loaded(m_dssFile, SurveyServers::isEsoStyle(m_downloadedIndex));
}

QImage DSSControl::loaded(const QString& path, bool grey)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    const QDateTime modified = info.lastModified();
    if (m_loaded.path == path && m_loaded.modified == modified && m_loaded.size == info.size()
        && m_loaded.grey == grey)
        return m_loaded.image;
    QImage image(path);
    if (grey)
        image = GreyImage::desaturated(image);
    m_loaded = {path, modified, info.size(), grey, image};
    return image;
}
