#include "chart/appmenu/MpcorbUpdate.h"

#include "chart/appmenu/AppMenuModel.h"
#include "chart/appmenu/MpcProgressPanel.h"
#include "platform/AlertPanel.h"
#include "solarsystem/smallbodies/OrbitFileParse.h"
#include "solarsystem/smallbodies/SmallBodyPass.h"

#include <QFile>

#include <string_view>

namespace {

const QString kDownloading = QStringLiteral("Downloading MPCORB file...");
const QString kProcessing = QStringLiteral("Processing MPCORB data...");
const QString kCalculatingDownloaded = QStringLiteral("Calculating MP coordinates...");
const QString kCalculatingOnDisk = QStringLiteral("Calculating MPCORB coordinates...");
const QString kProcessed = QStringLiteral("MPCORB database has been processed.");
const QString kNeedsDownload = QStringLiteral("MPCORB database needs to be downloaded.");
const QString kDownloadFailed = QStringLiteral("MPCORB Download Failed");
const QString kUnreadable = QStringLiteral("MPCORB database could not be read.");

const QString kNoConnection = QStringLiteral("Could not connect to server");
// The header and the first orbits fit well within this.
constexpr qint64 kHeadBytes = 1 << 16;
// Several times the whole orbit file of today.
constexpr qint64 kMaximumOrbitFile = qint64(2) << 30;

// What keeps a downloaded file from replacing the orbit file; empty when it may.
QString holdsOrbits(const QString& path)
{
    QFile file(path);
    const QByteArray head = file.open(QIODevice::ReadOnly) ? file.read(kHeadBytes) : QByteArray();
    if (!OrbitFileParse::startsWithOrbits(std::string_view(head.constData(), std::size_t(head.size()))))
        return QStringLiteral("The downloaded file holds no orbit lines.");
    return {};
}

QString processedMessage(std::size_t refused)
{
    if (refused == 0)
        return kProcessed;
    return QStringLiteral("MPCORB database has been processed; %1 %2 could not be read.")
        .arg(refused)
        .arg(refused == 1 ? QStringLiteral("line") : QStringLiteral("lines"));
}

}  // namespace

MpcorbUpdate::MpcorbUpdate(QNetworkAccessManager& network, AppMenuModel& model,
                           MpcProgressPanel& panel, QObject* parent)
    : QObject(parent), m_model(model), m_panel(panel), m_download(network)
{
    connect(&m_download, &CheckedDownload::progress, this,
            [this](double percent) { m_panel.setProgress(percent); });
    connect(&m_download, &CheckedDownload::lengthUnknown, this,
            [this] { m_panel.setProgress(std::nullopt); });
    connect(&m_download, &CheckedDownload::finished, this, &MpcorbUpdate::downloadEnded);
}

QString MpcorbUpdate::orbitFilePath() const
{
    return m_model.buildDirectory() + QLatin1String(MinorPlanetTable::kOrbitFile);
}

void MpcorbUpdate::download(const QUrl& mpcorbSite, bool allOrbits)
{
    if (mpcorbSite.isEmpty()) {
        AlertPanel::beep();
        return;
    }
    if (isRunning())
        return;
    m_allOrbits = allOrbits;
    if (!m_download.start(mpcorbSite, orbitFilePath(), m_timeout, kMaximumOrbitFile, holdsOrbits)) {
        AlertPanel::runAlert(kDownloadFailed, kNoConnection);
        emit finished();
        return;
    }
    m_panel.setProgress(0.0);
    m_panel.setStatus(kDownloading);
    m_panel.showPanel();
    m_panel.setCancelEnabled(true);
}

void MpcorbUpdate::cancel()
{
    if (!m_download.isRunning())
        return;
    m_download.cancel();
    close();
}

void MpcorbUpdate::downloadEnded(const QString& error)
{
    if (!error.isEmpty()) {
        // The old file is still whole and its table already loaded: there is
        // nothing to process again.
        if (m_debug)
            m_debug(kDownloadFailed + QLatin1Char(' ') + error);
        close(kDownloadFailed, error);
        return;
    }
    process(Entry::Downloaded);
}

void MpcorbUpdate::reprocess(bool allOrbits)
{
    if (isRunning())
        return;
    if (!QFile::exists(orbitFilePath())) {
        AlertPanel::runAlert(kNeedsDownload, QStringLiteral(" "));
        return;
    }
    m_allOrbits = allOrbits;
    m_panel.showPanel();
    process(Entry::OnDisk);
}

void MpcorbUpdate::process(Entry entry)
{
    m_panel.setCancelEnabled(false);
    m_panel.setStatus(kProcessing);
    m_panel.setProgress(0.0);
    m_importer.start(
        m_model.minorPlanetImport(m_allOrbits), [this](double percent) { updateMPCProgress(percent); },
        [this, entry](MinorPlanetTable::Import& import) { imported(entry, import); });
}

void MpcorbUpdate::imported(Entry entry, MinorPlanetTable::Import& import)
{
    const bool downloaded = entry == Entry::Downloaded;
    const MinorPlanetTable::Result result = m_model.adoptMinorPlanets(import);
    if (result.status == MinorPlanetTable::Status::OrbitFileUnusable) {
        close(kUnreadable, QStringLiteral("The file holds no usable orbits."));
        return;
    }
    if (m_debug) {
        m_debug(QStringLiteral("MPCORB processed: %1 lines could not be read.")
                    .arg(result.refusedLines));
    }

    m_panel.setStatus(downloaded ? kCalculatingDownloaded : kCalculatingOnDisk);
    m_panel.setProgress(downloaded ? std::nullopt : std::optional<double>(0.0));
    m_model.calculateCometPositions(kSmallBodyMinorPlanets);
    if (downloaded)
        m_model.calculateStarPositions(true);
    close(downloaded ? processedMessage(result.refusedLines) : QString());
}

void MpcorbUpdate::close(const QString& alert, const QString& message)
{
    m_panel.setCancelEnabled(false);
    m_panel.hidePanel();
    if (!alert.isEmpty())
        AlertPanel::runAlert(alert, message);
    m_model.display();
    emit finished();
}

void MpcorbUpdate::updateMPCProgress(double percent)
{
    if (m_panel.isPanelVisible())
        m_panel.setProgress(percent);
}
