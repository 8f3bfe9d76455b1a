#include "camera/canon/CanonControl.h"

#include "camera/canon/CanonTables.h"
#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"
#include "platform/DataPaths.h"
#include "platform/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>

#include <memory>

using namespace CanonIds;

namespace {

constexpr int kRetryWaitMs = 500;
constexpr unsigned kLastFileNumber = 65535;
const QString kNotSavedTitle = QStringLiteral("The image could not be saved.");

}  // namespace

QString CanonControl::miscFolder()
{
    return DataPaths::userDataFolder() + QStringLiteral("/Misc/");
}

void CanonControl::handleCanonObjectEvent(std::uint32_t event, CanonSdk::Item item)
{
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
        // One transfer at a time: the second of a pair waits for the first.
        m_transfers.push_back({item, m_sequenceGeneration});
        if (m_transfers.size() == 1)
            takeNextTransfer();
        changed();
        return;
    }
    if (event == kObjectDirItemCreated && m_canonSaveTo == kSaveToCamera) {
        canonClearExposure();
        nextExposureOrDone(m_sequenceGeneration);
    } else if (event == kObjectDirItemRequestTransferDT) {
        AlertPanel::beep();
    }
    m_sdk.releaseItem(item);
    m_isCanonAbort = false;
    changed();
}

void CanonControl::takeNextTransfer()
{
    const CanonSdk::Item item = m_transfers.front().item;
    if (m_isCanonAbort) {
        // Queued before the item is let go; nothing waits for its answer.
        m_sdk.cancelDownload(item, {});
        setFocusEnabled();
        finishTransfer(item, false);
        return;
    }
    canonDownloadImage(item);
}

void CanonControl::downloadEnded(CanonSdk::Item item, bool downloaded)
{
    bool firstOfPair = false;
    if (!downloaded) {
        // A sequence whose image was lost goes no further.
        if (downloadSequence() == m_sequenceGeneration)
            endSequence();
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
        nextExposureOrDone(downloadSequence());
    }
    finishTransfer(item, firstOfPair);
}

void CanonControl::finishTransfer(CanonSdk::Item item, bool firstOfPair)
{
    if (!firstOfPair)
        m_hasDownloadedFirst = false;
    m_sdk.releaseItem(item);
    if (!firstOfPair)
        m_isCanonAbort = false;
    if (!m_transfers.empty())
        m_transfers.pop_front();
    changed();
    if (!m_transfers.empty())
        takeNextTransfer();
}

void CanonControl::nextExposureOrDone(std::uint64_t sequence)
{
    // A sequence ended by a refused start, an abort or a disconnection is
    // not taken up again by a file that comes afterwards.
    if (!m_isSequenceRunning || sequence != m_sequenceGeneration)
        return;
    if (m_canonNumExposures <= m_canonNumExpTaken) {
        endSequence();
        setFocusEnabled();
        return;
    }
    // An exposure or a delay already under way goes on by itself.
    if (isExposureUnderWay() || m_triggerTimer.isActive())
        return;
    if (m_canonDelayTime > 0)
        canonTriggerExposure();
    else
        startCanonExposure();
}

void CanonControl::beginSequence()
{
    // A delay still pending from an earlier sequence must not start an
    // exposure of this one.
    m_triggerTimer.stop();
    ++m_sequenceGeneration;
    m_isSequenceRunning = true;
}

void CanonControl::endSequence()
{
    m_triggerTimer.stop();
    ++m_sequenceGeneration;
    m_isSequenceRunning = false;
}

void CanonControl::delayEnded()
{
    if (m_isSequenceRunning && !isExposureUnderWay())
        startCanonExposure();
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

void CanonControl::canonDownloadImage(CanonSdk::Item item)
{
    m_isCanonUSBBusy = true;
    log(QStringLiteral("start canonDownloadImage"));
    const QPointer<CanonControl> self(this);
    m_sdk.readDirectoryItemInfo(item, [self, item](Error error, const CanonSdk::ItemInfo& info) {
        if (self)
            self->takeItemInfo(item, error, info);
    });
}

void CanonControl::takeItemInfo(CanonSdk::Item item, CanonSdk::Error error, const CanonSdk::ItemInfo& info)
{
    if (error != kOk) {
        logError("EdsGetDirectoryItemInfo error: 0x%04X.", error);
        // Nothing more comes for this image: the panel must not stay in "Download".
        resetAfterFailedDownload();
        downloadEnded(item, false);
        return;
    }
    m_downloadExtension = QFileInfo(info.fileName).suffix();
    if (!numberedPath(downloadBasePath(), m_downloadExtension)) {
        log(QStringLiteral("canonDownloadImage: every file number up to 65535 is taken."));
        resetAfterFailedDownload();
        downloadEnded(item, false);
        return;
    }
    // Whether the image is kept is decided by the boxes as the download starts.
    m_isTestDownload = m_isCanonTestImage;
    transfer(item, true);
}

QString CanonControl::stagingPath() const
{
    const QFileInfo base(downloadBasePath());
    return base.absolutePath() + QStringLiteral("/.") + base.fileName() + QStringLiteral(".download");
}

void CanonControl::transfer(CanonSdk::Item item, bool firstTry)
{
    // The bytes go to a hidden file beside the numbered ones, which takes a
    // number only once the whole image is in: a failed transfer leaves nothing.
    QDir().mkpath(QFileInfo(stagingPath()).absolutePath());
    auto file = std::make_shared<SafeWrite>(stagingPath());
    if (!file->open()) {
        logError(firstTry ? "EdsCreateFileStream error: 0x%04X." : "EdsDownload error: 0x%04X.", kErrInternal);
        downloadNotSaved(item, file->error());
        return;
    }
    m_panel.progress = 0;
    changed();
    const QPointer<CanonControl> self(this);
    m_sdk.download(
        item, [file](QByteArrayView bytes) { return file->write(bytes); },
        [self](double percent) {
            if (self && self->m_isCanonDownloading)
                self->canonDownloadProgress(percent);
        },
        [self, item, file, firstTry](Error error) {
            if (self)
                self->transferEnded(item, *file, error, firstTry);
        });
}

void CanonControl::downloadNotSaved(CanonSdk::Item item, const QString& reason)
{
    m_debug([&] { return QStringLiteral("canonDownloadImage write error: %1").arg(reason); });
    resetAfterFailedDownload();
    AlertPanel::runAlert(kNotSavedTitle, reason.isEmpty() ? QStringLiteral(" ") : reason);
    downloadEnded(item, false);
}

std::optional<QString> CanonControl::claimNumberedName()
{
    const QString staging = stagingPath();
    // A file that appeared since the number was looked up is never
    // replaced: the rename refuses, and the next number is tried.
    for (unsigned tries = 0; tries <= kLastFileNumber; ++tries) {
        const std::optional<QString> path = numberedPath(downloadBasePath(), m_downloadExtension);
        if (!path)
            break;
        QFile file(staging);
        if (file.rename(*path))
            return path;
        if (!QFileInfo::exists(*path)) {
            m_claimError = file.errorString();
            QFile::remove(staging);
            return std::nullopt;
        }
    }
    m_claimError = QStringLiteral("Every file number up to 65535 is taken.");
    QFile::remove(staging);
    return std::nullopt;
}

void CanonControl::transferEnded(CanonSdk::Item item, SafeWrite& file, CanonSdk::Error error, bool firstTry)
{
    if (error != kOk && firstTry) {
        // Once more after a pause, without holding up the event loop.
        file.cancel();
        QTimer::singleShot(kRetryWaitMs, this, [this, item] { transfer(item, false); });
        return;
    }
    if (error != kOk) {
        logError("EdsDownload error: 0x%04X.", error);
        // The disk that would not take the bytes is the user's to mend.
        if (!file.error().isEmpty()) {
            downloadNotSaved(item, file.error());
            return;
        }
        resetAfterFailedDownload();
        downloadEnded(item, false);
        return;
    }
    if (!file.commit()) {
        downloadNotSaved(item, file.error());
        return;
    }
    const std::optional<QString> path = claimNumberedName();
    if (!path) {
        downloadNotSaved(item, m_claimError);
        return;
    }
    m_canonFilePath = *path;
    m_isCanonFileTestImage = m_isTestDownload;
    // Only now that the computer holds the image may the camera let go of it.
    releaseFromCamera(item, true);
}

void CanonControl::releaseFromCamera(CanonSdk::Item item, bool firstTry)
{
    const QPointer<CanonControl> self(this);
    m_sdk.completeDownload(item, [self, item, firstTry](Error error) {
        if (!self)
            return;
        if (error == kOk || !firstTry || !self->m_isCanonConnected) {
            self->downloadSaved(item);
            return;
        }
        QTimer::singleShot(kRetryWaitMs, self, [self, item] {
            if (self)
                self->releaseFromCamera(item, false);
        });
    });
}

void CanonControl::downloadSaved(CanonSdk::Item item)
{
    m_isCanonDownloading = false;
    m_panel.progress = 0;
    m_panel.expButtonEnabled = true;
    m_isNewExposeImage = true;
    const bool delayNext = m_isSequenceRunning && downloadSequence() == m_sequenceGeneration &&
                           m_canonNumExposures > m_canonNumExpTaken && m_canonDelayTime > 0;
    m_panel.expButtonTitle = delayNext ? QStringLiteral("Delay") : QStringLiteral("Expose");
    emit imageChanged();
    m_isCanonUSBBusy = false;
    changed();
    // A camera gone meanwhile takes no further exposure.
    downloadEnded(item, m_isCanonConnected);
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
    // The sequence stops here: a transfer request that still comes later
    // must not take it up again.
    endSequence();
    setFocusEnabled();
}

QString CanonControl::askBaseName(BaseNameRequest request, const QString& current) const
{
    // A stored choice (not the blank of none) opens where it was made.
    if (current.size() > 9) {
        const QFileInfo stored(current);
        request.folder = stored.absolutePath();
        request.name = stored.fileName();
    }
    return m_chooseBaseName ? m_chooseBaseName(request) : QString();
}

bool CanonControl::setFileFolder()
{
    const QString chosen = askBaseName({QStringLiteral("Save Image File Name"),
                                        QStringLiteral("Enter the image file name without an extension."),
                                        miscFolder(), QStringLiteral("Canon Image")},
                                       m_canonImageFileDir);
    if (!chosen.isEmpty()) {
        m_canonImageFileDir = chosen;
        m_prefs.setCanonImageFile(chosen);
        m_panel.fileFolderToolTip = QStringLiteral("Image Path: %1").arg(chosen);
    }
    return true;
}
