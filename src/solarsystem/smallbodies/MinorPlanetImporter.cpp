#include "solarsystem/smallbodies/MinorPlanetImporter.h"

#include <memory>
#include <new>
#include <optional>
#include <utility>

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
    // start or by the destructor, not here: on a busy processor it may wait
    // a while for its turn to end.
    m_running = false;
    m_progress = nullptr;
    const Done done = std::exchange(m_done, nullptr);
    done(import);
}

MinorPlanetImporter::Work MinorPlanetImporter::orbitFile(MinorPlanetTable::Request request,
                                                         QString buildDirectory,
                                                         std::optional<MinorPlanetFirstPass::Moment> firstPass)
{
    return [request = std::move(request), buildDirectory = std::move(buildDirectory),
            firstPass = std::move(firstPass)](const Progress& progress, std::stop_token stop) {
        MinorPlanetTable::Request asked = request;
        asked.progress = progress;
        MinorPlanetTable::Import import = MinorPlanetTable::parseOrbitFile(asked, buildDirectory, stop);
        if (import.result.status != MinorPlanetTable::Status::Built)
            return import;
        try {
            if (MinorPlanetOrbit::areKept(import.table.size()) && !stop.stop_requested())
                import.orbits = MinorPlanetOrbit::of(import.table, request.processorCount);
            if (firstPass && !stop.stop_requested())
                MinorPlanetFirstPass::make(import, *firstPass, stop);
        } catch (const std::bad_alloc&) {
            // The new table's orbits could not be allocated: the old table stays.
            return MinorPlanetTable::Import{{MinorPlanetTable::Status::OrbitFileUnusable}};
        }
        if (stop.stop_requested())
            return MinorPlanetTable::Import{{MinorPlanetTable::Status::Stopped}};
        return import;
    };
}
