#include "solarsystem/smallbodies/MinorPlanetImporter.h"

#include <sys/resource.h>
#include <unistd.h>

#include <memory>
#include <utility>

namespace {

// The worker yields to the interface on a busy processor (about one turn in
// ten): the chart it keeps drawing matters more than how soon the table
// arrives. The threads it starts inherit this.
constexpr int kWorkerNice = 10;

}  // namespace

MinorPlanetImporter::~MinorPlanetImporter()
{
    m_worker.request_stop();
    if (m_worker.joinable())
        m_worker.join();
}

bool MinorPlanetImporter::start(Work work, Progress progress, Done done)
{
    if (m_running)
        return false;
    m_running = true;
    m_progress = std::move(progress);
    m_done = std::move(done);
    m_worker = std::jthread([this, work = std::move(work)](std::stop_token stop) {
        setpriority(PRIO_PROCESS, id_t(gettid()), kWorkerNice);
        // The parse reports at most once per whole percent, so each report
        // can be a post of its own.
        const Progress post = [this](double percent) {
            QMetaObject::invokeMethod(
                &m_receiver,
                [this, percent] {
                    if (m_progress)
                        m_progress(percent);
                },
                Qt::QueuedConnection);
        };
        auto import = std::make_shared<MinorPlanetTable::Import>(work(post, std::move(stop)));
        QMetaObject::invokeMethod(
            &m_receiver, [this, import = std::move(import)] { finish(*import); }, Qt::QueuedConnection);
    });
    return true;
}

void MinorPlanetImporter::finish(MinorPlanetTable::Import& import)
{
    // The worker posted this as its last act. It is joined by the next
    // start or by the destructor, not here: at its low priority on a busy
    // processor it may take a while to end.
    m_running = false;
    m_progress = nullptr;
    const Done done = std::exchange(m_done, nullptr);
    done(import);
}

MinorPlanetImporter::Work MinorPlanetImporter::orbitFile(MinorPlanetTable::Request request,
                                                         QString buildDirectory,
                                                         QString databaseDirectory)
{
    return [request = std::move(request), buildDirectory = std::move(buildDirectory),
            databaseDirectory = std::move(databaseDirectory)](const Progress& progress, std::stop_token stop) {
        MinorPlanetTable::Request asked = request;
        asked.progress = progress;
        MinorPlanetTable::Import import =
            MinorPlanetTable::importOrbitFile(asked, buildDirectory, databaseDirectory, stop);
        if (import.result.status == MinorPlanetTable::Status::Built && !stop.stop_requested())
            import.orbits = MinorPlanetOrbit::of(import.table, request.processorCount);
        return import;
    };
}
