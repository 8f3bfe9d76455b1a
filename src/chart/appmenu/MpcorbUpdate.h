#pragma once

#include "platform/CheckedDownload.h"
#include "platform/WebFetch.h"
#include "solarsystem/smallbodies/MinorPlanetImporter.h"

#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>

class AppMenuModel;
class MpcProgressPanel;
class QNetworkAccessManager;

// The MPCORB items: download the Minor Planet Center's full orbit file into
// "MPCORB.DAT" of the build folder with the progress panel and its Cancel
// (the file is replaced only by an answer that starts as an orbit file),
// then rebuild the minor-planet table from it (the numbered orbits only, or
// all of them) and redraw the chart; or rebuild from the file on disk alone.
// The file is parsed and cached on a worker while the old table still serves
// the chart; the new table takes its place on this thread when complete.
class MpcorbUpdate final : public QObject {
    Q_OBJECT
public:
    MpcorbUpdate(QNetworkAccessManager& network, AppMenuModel& model, MpcProgressPanel& panel,
                 QObject* parent = nullptr);

    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    void setDebugSink(std::function<void(const QString&)> sink) { m_debug = std::move(sink); }

    // Starts the download; a missing endpoint only beeps. Does nothing while
    // a download or an import runs.
    void download(const QUrl& mpcorbSite, bool allOrbits);
    // Rebuilds from the file on disk, without the network and without the
    // closing alert; does nothing while a download or an import runs.
    void reprocess(bool allOrbits);
    // The panel's Cancel: the download stops, nothing is processed.
    void cancel();
    bool isRunning() const { return m_download.isRunning() || isImporting(); }
    bool isImporting() const { return m_importer.isRunning(); }

    // A percentage of the import, shown while the panel is up.
    void updateMPCProgress(double percent);

    QString orbitFilePath() const;

signals:
    // The download, cancel or processing has ended and the panel is hidden.
    void finished();

private:
    enum class Entry { Downloaded, OnDisk };

    void downloadEnded(const QString& error);
    void process(Entry entry);
    void imported(Entry entry, MinorPlanetTable::Import& import);
    // Hides the panel, shows the alert when there is one, redraws the chart.
    void close(const QString& alert = {}, const QString& message = {});

    AppMenuModel& m_model;
    MpcProgressPanel& m_panel;
    CheckedDownload m_download;
    std::chrono::milliseconds m_timeout = WebFetch::kTimeout;
    std::function<void(const QString&)> m_debug;
    bool m_allOrbits = false;
    // Last, so that an import still running stops before the rest goes.
    MinorPlanetImporter m_importer;
};
