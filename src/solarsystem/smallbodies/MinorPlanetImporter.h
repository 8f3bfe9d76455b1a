#pragma once

#include "solarsystem/smallbodies/MinorPlanetFirstPass.h"
#include "solarsystem/smallbodies/MinorPlanetTable.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <stop_token>
#include <thread>

// Runs one minor-planet import at a time on a thread of its own, so that the
// chart stays usable while a large orbit file is parsed and cached. Progress
// and the finished import are posted to the thread that started it and
// delivered by its event loop. Destroying the importer asks a running import
// to stop and waits for it; whatever it had not delivered is dropped.
class MinorPlanetImporter {
public:
    using Progress = std::function<void(double percent)>;
    // The import itself, run on the worker: it reports through `progress`
    // there and gives up when `stop` asks.
    using Work = std::function<MinorPlanetTable::Import(const Progress& progress, std::stop_token stop)>;
    using Done = std::function<void(MinorPlanetTable::Import& import)>;

    MinorPlanetImporter() = default;
    ~MinorPlanetImporter();
    MinorPlanetImporter(const MinorPlanetImporter&) = delete;
    MinorPlanetImporter& operator=(const MinorPlanetImporter&) = delete;

    // Starts `work`; false, and nothing started, while an import runs.
    // `progress` is called on this thread with the worker's percentages,
    // then `done` once with the import.
    bool start(Work work, Progress progress, Done done);
    bool isRunning() const { return m_running; }

    // MinorPlanetTable::parseOrbitFile as the worker's job, with the new
    // table's orbits when it keeps them and, given its moment, the first
    // pass of a large table, so that the interface thread only moves them in
    // and caches the table after; the request's own progress is replaced by
    // the worker's.
    static Work orbitFile(MinorPlanetTable::Request request, QString buildDirectory,
                          std::optional<MinorPlanetFirstPass::Moment> firstPass = std::nullopt);

private:
    void finish(MinorPlanetTable::Import& import);

    // Receives the worker's posts; their pending ones go with it.
    QObject m_receiver;
    Progress m_progress;
    Done m_done;
    bool m_running = false;
    // Last, so that it is stopped and joined before the receiver goes.
    std::jthread m_worker;
};
