#include "solarsystem/smallbodies/MinorPlanetImporter.h"

#include "solarsystem/ElementFolders.h"
#include "solarsystem/MpcLines.h"
#include "solarsystem/smallbodies/OrbitFileParse.h"

#include <QTest>
#include <QThread>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

using MinorPlanetTable::Status;
using namespace std::chrono_literals;

std::string orbitFile(int orbits)
{
    std::string text = "MPCORB\n\n" + std::string(202, '-') + "\n";
    for (int i = 0; i < orbits; ++i)
        (text += MpcLines::kCeres) += '\n';
    return text;
}

MinorPlanetTable::Request allOrbits()
{
    MinorPlanetTable::Request request;
    request.allOrbits = true;
    request.processorCount = 2;
    return request;
}

class MinorPlanetImporterTest : public ElementFolders {
protected:
    // Starts `work` and records what reaches this thread.
    void start(MinorPlanetImporter& importer, MinorPlanetImporter::Work work)
    {
        ASSERT_TRUE(importer.start(
            std::move(work),
            [this](double percent) {
                offThread = offThread || QThread::currentThread() != thread;
                progress.push_back(percent);
            },
            [this](MinorPlanetTable::Import& import) {
                offThread = offThread || QThread::currentThread() != thread;
                results.push_back(import.result.status);
                tables.push_back(import.table.size());
                orbits.push_back(import.orbits.size());
            }));
    }

    QThread* const thread = QThread::currentThread();
    bool offThread = false;
    std::vector<double> progress;
    std::vector<Status> results;
    std::vector<std::size_t> tables;
    std::vector<std::size_t> orbits;
};

// A stop must leave the cache as it was, however far the parse got.
TEST_F(MinorPlanetImporterTest, AStoppedImportWritesNoCacheAndKeepsNoTable)
{
    const std::string text = orbitFile(3000);
    std::stop_source stop;
    stop.request_stop();
    const OrbitFileParse::Result parsed = OrbitFileParse::parse(text, true, 3, {}, stop.get_token());
    EXPECT_EQ(parsed.status, OrbitFileParse::Status::Stopped);
    EXPECT_TRUE(parsed.minorPlanets.empty());

    writeBuildFile("MPCORB.DAT", text);
    const MinorPlanetTable::Import import =
        MinorPlanetTable::importOrbitFile(allOrbits(), buildDirectory(), databaseDirectory(), stop.get_token());
    EXPECT_EQ(import.result.status, Status::Stopped);
    EXPECT_TRUE(import.table.empty());
    EXPECT_FALSE(QFile::exists(databaseDirectory() + "MinorPlanets.tvk"));
}

// Quitting during an import must neither hang nor deliver to what is gone.
TEST_F(MinorPlanetImporterTest, OneImportAtATimeDeliveredHereOrDroppedWithTheImporter)
{
    writeBuildFile("MPCORB.DAT", orbitFile(3000));
    {
        MinorPlanetImporter importer;
        start(importer, MinorPlanetImporter::orbitFile(allOrbits(), buildDirectory()));
        EXPECT_FALSE(importer.start({}, {}, {}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !results.empty(); }, 60000));
        EXPECT_FALSE(importer.isRunning());
        EXPECT_FALSE(offThread);
        EXPECT_EQ(results, std::vector<Status>{Status::Built});
        EXPECT_EQ(tables, std::vector<std::size_t>{3000});
        EXPECT_EQ(orbits, std::vector<std::size_t>{3000});
        EXPECT_FALSE(progress.empty());

        // Done with one, it takes the next, and stops it when it goes.
        progress.clear();
        start(importer, [](const MinorPlanetImporter::Progress& report, std::stop_token stop) {
            report(1.0);
            while (!stop.stop_requested())
                std::this_thread::sleep_for(1ms);
            return MinorPlanetTable::Import{{Status::Built}, std::vector<minorPlanet>(1000), {}};
        });
        ASSERT_TRUE(QTest::qWaitFor([&] { return !progress.empty(); }, 60000));
    }
    // The stopped import may report nothing later: waiting a moment out is the check.
    QTest::qWait(20);
    EXPECT_EQ(results.size(), 1u);
}

}  // namespace
