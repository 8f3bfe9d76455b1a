#include "solarsystem/smallbodies/MinorPlanetCacheWriter.h"

#include "model/records/TvkFile.h"
#include "platform/SafeWrite.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace {

// Records gathered per write: large enough for few calls, small enough to
// stay in the processor's cache.
constexpr std::size_t kRecordsPerWrite = 2048;
// The writer's share of a processor it shares with the interface thread:
// about a tenth.
constexpr int kNiceness = 10;

}  // namespace

MinorPlanetCacheWriter::~MinorPlanetCacheWriter() { wait(); }

minorPlanet MinorPlanetCacheWriter::imported(const minorPlanet& record)
{
    minorPlanet r{};
    r.index = record.index;
    // The two names and the padding byte between them and `state`, in one.
    std::memcpy(r.name, record.name, offsetof(minorPlanet, state) - offsetof(minorPlanet, name));
    r.semiMajorAxis = record.semiMajorAxis;
    r.eccentricity = record.eccentricity;
    r.argPerihelion = record.argPerihelion;
    r.node = record.node;
    r.inclination = record.inclination;
    r.meanAnomaly = record.meanAnomaly;
    r.absMagnitude = record.absMagnitude;
    r.slope = record.slope;
    r.epochDay = record.epochDay;
    r.epochYear = record.epochYear;
    r.epochMonth = record.epochMonth;
    r.source = record.source;
    return r;
}

bool MinorPlanetCacheWriter::write(const QString& path, std::span<const minorPlanet> table)
{
    SafeWrite file(path);
    if (!file.open())
        return false;
    std::vector<minorPlanet> block(std::min(table.size(), kRecordsPerWrite));
    for (std::size_t first = 0; first < table.size(); first += block.size()) {
        const std::span<const minorPlanet> part = table.subspan(first, std::min(block.size(), table.size() - first));
        std::transform(part.begin(), part.end(), block.begin(), imported);
        if (!file.write(TvkFile::bytesOf(std::span<const minorPlanet>(block.data(), part.size()))))
            return false;
    }
    return file.commit();
}

void MinorPlanetCacheWriter::start(const QString& path, std::span<const minorPlanet> table, Done done)
{
    wait();
    ++m_unreported;
    m_thread = std::jthread([this, path, table, done = std::move(done)] {
        // Behind the new table's first frames on a shared processor, yet
        // never starved on a busy machine (as an idle-class thread would be).
        setpriority(PRIO_PROCESS, id_t(gettid()), kNiceness);
        const bool written = write(path, table);
        QMetaObject::invokeMethod(
            &m_receiver, [this, written, done] {
                --m_unreported;
                if (done)
                    done(written);
            },
            Qt::QueuedConnection);
    });
}

void MinorPlanetCacheWriter::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
