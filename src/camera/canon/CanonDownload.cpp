#include "camera/canon/CanonControl.h"

#include "camera/canon/CanonTables.h"
#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"
#include "platform/DataPaths.h"
#include "platform/SafeWrite.h"

#include <QFileInfo>
#include <QThread>

#include <memory>

using namespace CanonIds;

namespace {

constexpr int kRetryWaitMs = 500;
constexpr unsigned kLastFileNumber = 65535;

QString miscFolder()
{
    return DataPaths::userDataFolder() + QStringLiteral("/Misc/");
}

}  // namespace

void CanonControl::handleCanonObjectEvent(std::uint32_t event, CanonSdk::Item item)
{
    bool firstOfPair = false;
    if (event == kObjectDirItemRequestTransfer) {
        m_downloadTimeout.stop();
        // A short exposure's file can come before the progress timer has
        // seen the exposure end: it has ended, and must not turn into a
        // "Download" that waits for a transfer already done.
        if (m_isCanonExposing && !m_isCanonAbort) {
            m_isCanonExposing = false;
            m_progressTimer.stop();
            m_isCanonDownloading = true;
        }
        if (m_isCanonAbort) {
            m_sdk.downloadCancel(item);
            setFocusEnabled();
        } else if (!canonDownloadImage(item)) {
            setFocusEnabled();
        } else if (m_isJpegPlusRaw && !m_hasDownloadedFirst) {
            m_hasDownloadedFirst = true;
            firstOfPair = true;
            // The second file is still to come: a tour waiting on the
            // download must not move on yet.
            m_isCanonDownloading = true;
            m_panel.expButtonEnabled = false;
            m_panel.expButtonTitle = QStringLiteral("Download");
            m_downloadTimeout.start(m_downloadGraceMs);
        } else {
            nextExposureOrDone();
        }
        if (!firstOfPair)
            m_hasDownloadedFirst = false;
    } else if (event == kObjectDirItemCreated && m_canonSaveTo == kSaveToCamera) {
        canonClearExposure();
        nextExposureOrDone();
    } else if (event == kObjectDirItemRequestTransferDT) {
        AlertPanel::beep();
    }
    m_sdk.releaseItem(item);
    if (!firstOfPair)
        m_isCanonAbort = false;
    changed();
}

void CanonControl::nextExposureOrDone()
{
    if (m_canonNumExposures > m_canonNumExpTaken) {
        if (m_canonDelayTime > 0)
            canonTriggerExposure();
        else
            startCanonExposure();
    } else {
        setFocusEnabled();
    }
}

QString CanonControl::downloadBasePath() const
{
    if (m_canonImageFileDir.trimmed().isEmpty())
        return miscFolder() + QStringLiteral("Canon Image");
    return m_canonImageFileDir;
}

std::optional<QString> CanonControl::numberedPath(const QString& base, const QString& extension) const
{
    for (unsigned number = 1; number <= kLastFileNumber; ++number) {
        const QString path = base + QString::asprintf("-%03u.", number) + extension;
        if (!QFileInfo::exists(path))
            return path;
    }
    return std::nullopt;
}

void CanonControl::resetAfterFailedDownload()
{
    m_isCanonDownloading = false;
    m_panel.progress = 0;
    m_panel.expButtonEnabled = true;
    m_panel.expButtonTitle = QStringLiteral("Expose");
    m_isCanonUSBBusy = false;
    changed();
}

bool CanonControl::canonDownloadImage(CanonSdk::Item item)
{
    m_isCanonUSBBusy = true;
    log(QStringLiteral("start canonDownloadImage"));
    CanonSdk::ItemInfo info;
    Error error = m_sdk.getDirectoryItemInfo(item, info);
    if (error != kOk) {
        logError("EdsGetDirectoryItemInfo error: 0x%04X.", error);
        m_isCanonUSBBusy = false;
        return false;
    }
    const std::optional<QString> path = numberedPath(downloadBasePath(), QFileInfo(info.fileName).suffix());
    if (!path) {
        log(QStringLiteral("canonDownloadImage: every file number up to 65535 is taken."));
        resetAfterFailedDownload();
        return false;
    }
    m_canonFilePath = *path;

    // The bytes go to a file beside the numbered one, which takes its name
    // only once the whole image is in: a failed transfer leaves nothing.
    auto file = std::make_unique<SafeWrite>(m_canonFilePath);
    if (!file->open()) {
        logError("EdsCreateFileStream error: 0x%04X.", kErrInternal);
        resetAfterFailedDownload();
        return false;
    }
    error = transfer(item, *file);
    if (error != kOk) {
        QThread::msleep(kRetryWaitMs);
        file = std::make_unique<SafeWrite>(m_canonFilePath);
        error = file->open() ? transfer(item, *file) : kErrInternal;
    }
    if (error != kOk) {
        logError("EdsDownload error: 0x%04X.", error);
        resetAfterFailedDownload();
        return false;
    }
    if (m_sdk.downloadComplete(item) != kOk) {
        QThread::msleep(kRetryWaitMs);
        m_sdk.downloadComplete(item);
    }
    if (!file->commit()) {
        m_debug([&] { return QStringLiteral("canonDownloadImage write error: %1").arg(file->error()); });
        resetAfterFailedDownload();
        return false;
    }

    m_isCanonDownloading = false;
    m_panel.progress = 0;
    m_panel.expButtonEnabled = true;
    m_isNewExposeImage = true;
    const bool delayNext = m_canonNumExposures > m_canonNumExpTaken && m_canonDelayTime > 0;
    m_panel.expButtonTitle = delayNext ? QStringLiteral("Delay") : QStringLiteral("Expose");
    emit imageChanged();
    m_isCanonUSBBusy = false;
    changed();
    return true;
}

CanonSdk::Error CanonControl::transfer(CanonSdk::Item item, SafeWrite& file)
{
    m_panel.progress = 0;
    changed();
    return m_sdk.download(
        item, [&file](QByteArrayView bytes) { return file.write(bytes); },
        [this](double percent) {
            if (m_isCanonDownloading)
                canonDownloadProgress(percent);
        });
}

void CanonControl::canonDownloadProgress(double percent)
{
    m_panel.progress = percent;
    changed();
}

void CanonControl::downloadTimedOut()
{
    if (!m_isCanonDownloading)
        return;
    m_debug([&] {
        return QString::asprintf("canonDownloadImage: no transfer request %.0f s after the exposure; download given up.",
                                 m_canonExpTime + m_downloadGraceMs / 1000.0);
    });
    resetAfterFailedDownload();
    setFocusEnabled();
}

bool CanonControl::setFileFolder()
{
    BaseNameRequest request{QStringLiteral("Save Image File Name"),
                            QStringLiteral("Enter the image file name without an extension."), miscFolder(),
                            QStringLiteral("Canon Image")};
    if (m_canonImageFileDir.size() > 9) {
        const QFileInfo current(m_canonImageFileDir);
        request.folder = current.absolutePath();
        request.name = current.fileName();
    }
    const QString chosen = m_chooseBaseName ? m_chooseBaseName(request) : QString();
    if (!chosen.isEmpty()) {
        m_canonImageFileDir = chosen;
        m_prefs.setCanonImageFile(chosen);
        m_panel.fileFolderToolTip = QStringLiteral("Image Path: %1").arg(chosen);
    }
    return true;
}
