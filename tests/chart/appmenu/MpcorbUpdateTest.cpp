#include "chart/appmenu/MpcorbUpdate.h"

#include "AppMenuFakes.h"
#include "ElementTexts.h"
#include "chart/TestFiles.h"
#include "support/FileSizeLimit.h"
#include "support/MainThreadWatchdog.h"
#include "support/QStringPrinter.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>

namespace {

using Delivery = LocalHttpServer::Delivery;
using namespace std::chrono_literals;

const QByteArray kOld = "the orbit file as it was\n";

class MpcorbUpdateTest : public AppMenuTest {
protected:
    void SetUp() override
    {
        AppMenuTest::SetUp();
        writeFile(buildPath("MPCORB.DAT"), kOld);
        update.setTimeout(500ms);
    }

    // Starts a download of `response` and waits for its end.
    void download(const LocalHttpServer::Response& response, bool allOrbits = false)
    {
        server.serve("/MPCORB.DAT", response);
        QSignalSpy done(&update, &MpcorbUpdate::finished);
        update.download(server.url("/MPCORB.DAT"), allOrbits);
        ASSERT_TRUE(ended(done));
        EXPECT_FALSE(panel.visible);
        EXPECT_FALSE(update.isRunning());
    }

    QStringList strayFiles() const
    {
        return QDir(model.directory).entryList(QDir::Files).filter("MPCORB.DAT.");
    }

    // Starts a reprocess and waits for its end.
    void reprocess(bool allOrbits)
    {
        QSignalSpy done(&update, &MpcorbUpdate::finished);
        update.reprocess(allOrbits);
        ASSERT_TRUE(done.wait(kImportWait));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !model.cacheWriter.isWriting(); }, kImportWait));
    }

    static constexpr int kImportWait = 60000;

    QNetworkAccessManager network;
    FakeProgressPanel panel;
    MpcorbUpdate update{network, model, panel};
};

// The real import, on two threads, of the file in the build folder into the
// fake model's table, with its cache beside the file.
class MpcorbImportTest : public MpcorbUpdateTest {
protected:
    void SetUp() override
    {
        MpcorbUpdateTest::SetUp();
        MinorPlanetTable::Request request;
        request.allOrbits = true;
        request.processorCount = 2;
        model.orbitFileWork = MinorPlanetImporter::orbitFile(request, model.directory);
    }

    QByteArray cache() const { return readFile(buildPath("MinorPlanets.tvk")); }

    // Bytes of an orbit file whose import takes a good while.
    static constexpr qsizetype kLargeFile = 40'000'000;
};

}  // namespace

TEST_F(MpcorbUpdateTest, AFinishedDownloadReplacesTheFileAndIsProcessed)
{
    const QByteArray body = orbitFile(300000);
    model.minorPlanetResult.refusedLines = 14;
    download({200, body, Delivery::Slow, 1000, 1ms}, true);
    EXPECT_EQ(readFile(buildPath("MPCORB.DAT")), body);
    EXPECT_EQ(model.calls, QStringList({"minor planets 1 1 1", "positions 1", "project 1", "display"}));
    EXPECT_EQ(alertTitles(),
              QStringList{"MPCORB database has been processed; 14 lines could not be read."});
    EXPECT_EQ(panel.statuses, QStringList({"Downloading MPCORB file...", "Processing MPCORB data...",
                                           "Calculating MP coordinates..."}));

    // Three hundred blocks, yet the bar moves at most once per whole percent,
    // forward, to 100; then 0 for the import and busy for the position pass.
    ASSERT_GE(panel.progress.size(), 4u);
    const auto downloadEnd = panel.progress.end() - 2;
    EXPECT_LE(downloadEnd - panel.progress.begin(), 101);
    EXPECT_TRUE(std::is_sorted(panel.progress.begin(), downloadEnd));
    EXPECT_EQ(*(downloadEnd - 1), std::optional<double>(100.0));
    EXPECT_EQ(*downloadEnd, std::optional<double>(0.0));
    EXPECT_EQ(panel.progress.back(), std::nullopt);
    EXPECT_TRUE(strayFiles().isEmpty());
}

TEST_F(MpcorbUpdateTest, WithoutALengthTheBarStaysBusyAndTheCleanFileCounts)
{
    const QByteArray body = orbitFile(5000);
    download({200, body, Delivery::NoLength});
    EXPECT_EQ(readFile(buildPath("MPCORB.DAT")), body);
    EXPECT_EQ(model.calls.first(), "minor planets 1 1 0");
    EXPECT_EQ(alertTitles(), QStringList{"MPCORB database has been processed."});
    // Busy from the headers to the import's own bar.
    EXPECT_EQ(panel.progress, (std::vector<std::optional<double>>{0.0, std::nullopt, 0.0, std::nullopt}));
}

// The file was once written in place and processed after any failure.
TEST_F(MpcorbUpdateTest, AFailedDownloadKeepsTheOldFileAndProcessesNothing)
{
    const QByteArray body = orbitFile(20000);
    const LocalHttpServer::Response failures[] = {
        {404, body},
        {200, body, Delivery::Truncated},
        {200, body, Delivery::Slow, 100, 5s},  // stalls past the time-out
        {200, body, Delivery::Slow, 1, 10ms},  // trickles
        {200, "<html><body>Service unavailable</body></html>\n" + QByteArray(20000, ' ')},
        {200, body.left(2000)},  // whole, but no ten orbits
    };
    for (const LocalHttpServer::Response& response : failures) {
        recorder.alerts.clear();
        model.calls.clear();
        download(response);
        EXPECT_EQ(readFile(buildPath("MPCORB.DAT")), kOld);
        EXPECT_EQ(model.calls, QStringList{"display"});
        ASSERT_EQ(alertTitles(), QStringList{"MPCORB Download Failed"});
        EXPECT_FALSE(recorder.alerts.front().message.isEmpty());
    }
    EXPECT_TRUE(strayFiles().isEmpty());
}

// The last flush once failed unseen, and the orbit file was replaced by a cut one.
TEST_F(MpcorbUpdateTest, AFileThatCannotBeWrittenKeepsTheOldOneAndTheSystemSaysWhy)
{
    {
        const FileSizeLimit limit(30000);
        download({200, orbitFile(61500)});
    }
    EXPECT_EQ(readFile(buildPath("MPCORB.DAT")), kOld);
    ASSERT_EQ(alertTitles(), QStringList{"MPCORB Download Failed"});
    EXPECT_EQ(recorder.alerts.front().message, "The file could not be written: File too large");
    EXPECT_EQ(model.calls, QStringList{"display"});
    EXPECT_TRUE(strayFiles().isEmpty());
}

TEST_F(MpcorbUpdateTest, AnAnswerThatIsNoOrbitFileSaysSo)
{
    download({200, "<html><body>Service unavailable</body></html>\n" + QByteArray(20000, ' ')});
    EXPECT_EQ(readFile(buildPath("MPCORB.DAT")), kOld);
    ASSERT_EQ(alertTitles(), QStringList{"MPCORB Download Failed"});
    EXPECT_EQ(recorder.alerts.front().message, "The downloaded file holds no orbit lines.");
}

TEST_F(MpcorbUpdateTest, CancelStopsTheDownloadAndLeavesTheOldFile)
{
    server.serve("/MPCORB.DAT", {200, orbitFile(200000), Delivery::Slow, 1000, 10ms});
    QSignalSpy done(&update, &MpcorbUpdate::finished);
    update.download(server.url("/MPCORB.DAT"), true);
    EXPECT_TRUE(panel.visible);
    EXPECT_TRUE(panel.cancelEnabled);
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.progress.size() > 3; }, 10000));
    update.cancel();
    EXPECT_EQ(done.count(), 1);
    EXPECT_FALSE(panel.visible);
    EXPECT_FALSE(panel.cancelEnabled);
    QTest::qWait(100);  // nothing more arrives
    EXPECT_EQ(readFile(buildPath("MPCORB.DAT")), kOld);
    EXPECT_EQ(model.calls, QStringList{"display"});
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_TRUE(strayFiles().isEmpty());
}

TEST_F(MpcorbUpdateTest, WithoutEndpointABeepAndTheFileOnDiskIsReprocessedQuietly)
{
    update.download(QUrl(), false);
    EXPECT_EQ(recorder.beeps, 1);
    reprocess(false);
    EXPECT_EQ(model.calls, QStringList({"minor planets 1 1 0", "positions 1", "display"}));
    EXPECT_EQ(panel.statuses, QStringList({"Processing MPCORB data...", "Calculating MPCORB coordinates..."}));
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_FALSE(panel.visible);

    model.calls.clear();
    model.minorPlanetResult.status = MinorPlanetTable::Status::OrbitFileUnusable;
    reprocess(true);
    QFile::remove(buildPath("MPCORB.DAT"));
    update.reprocess(true);
    EXPECT_EQ(model.calls, QStringList({"minor planets 1 1 1", "display"}));
    EXPECT_EQ(alertTitles(), QStringList({"MPCORB database could not be read.",
                                          "MPCORB database needs to be downloaded."}));
}

// The whole parse and cache write once ran on the interface thread.
TEST_F(MpcorbImportTest, TheChartKeepsRunningWhileALargeFileImportsAndTheBarMoves)
{
    const QByteArray file = orbitFile(kLargeFile);
    writeFile(buildPath("MPCORB.DAT"), file);
    const std::size_t orbits = std::size_t(file.count('\n')) - 3;
    MainThreadWatchdog watchdog;
    watchdog.start();
    QSignalSpy done(&update, &MpcorbUpdate::finished);
    update.reprocess(true);
    EXPECT_TRUE(update.isImporting());
    // A second reprocess or a download meanwhile does nothing.
    update.reprocess(false);
    update.download(server.url("/MPCORB.DAT"), false);
    ASSERT_TRUE(done.wait(kImportWait));
    watchdog.stop();
    EXPECT_LT(watchdog.longestStall(), 100ms) << watchdog.longestStall().count() << " ms";
    EXPECT_EQ(done.count(), 1);
    EXPECT_FALSE(update.isImporting());
    EXPECT_EQ(model.calls, QStringList({"minor planets 1 1 1", "positions 1", "display"}));
    EXPECT_EQ(panel.statuses, QStringList({"Processing MPCORB data...", "Calculating MPCORB coordinates..."}));
    EXPECT_EQ(model.minorPlanets.size(), orbits);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model.cacheWriter.isWriting(); }, kImportWait));
    EXPECT_EQ(cache().size(), qsizetype(orbits * sizeof(minorPlanet)));

    // 0 at the start and for the position pass; the parse's percentages
    // between, forward, at most once per whole percent (how many depends on
    // the machine's speed: a quick one reads the file between few looks).
    ASSERT_GE(panel.progress.size(), 3u);
    EXPECT_LE(panel.progress.size(), 102u);
    EXPECT_EQ(panel.progress.front(), std::optional<double>(0.0));
    EXPECT_EQ(panel.progress.back(), std::optional<double>(0.0));
    const std::vector<std::optional<double>> parse(panel.progress.begin() + 1, panel.progress.end() - 1);
    EXPECT_TRUE(std::is_sorted(parse.begin(), parse.end()));
    EXPECT_GT(*parse.front(), 0.0);
    EXPECT_LT(*parse.back(), 100.0);
}

TEST_F(MpcorbImportTest, AFailedImportKeepsTheOldTableAndCache)
{
    writeFile(buildPath("MPCORB.DAT"), orbitFile(30000));
    reprocess(true);
    ASSERT_GT(model.minorPlanets.size(), 100u);
    const std::vector<minorPlanet> before = model.minorPlanets;
    const QByteArray cached = cache();

    QByteArray noRule = orbitFile(30000);
    noRule.replace("-----", "=====");
    for (const QByteArray& bad : {noRule, QByteArray("MPCORB\n\n") + QByteArray(202, '-') + "\nno orbits here\n"}) {
        recorder.alerts.clear();
        writeFile(buildPath("MPCORB.DAT"), bad);
        reprocess(true);
        EXPECT_EQ(alertTitles(), QStringList{"MPCORB database could not be read."});
        ASSERT_EQ(model.minorPlanets.size(), before.size());
        EXPECT_EQ(std::memcmp(&model.minorPlanets.front(), &before.front(), sizeof(minorPlanet)), 0);
        EXPECT_EQ(cache(), cached);
    }
}

// Quitting during an import once waited for it or delivered into freed objects.
TEST_F(MpcorbImportTest, DestroyedMidImportTheOldTableStays)
{
    writeFile(buildPath("MPCORB.DAT"), orbitFile(kLargeFile));
    model.minorPlanets.resize(3);
    auto running = std::make_unique<MpcorbUpdate>(network, model, panel);
    running->reprocess(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.progress.size() > 2; }, int(kImportWait)));
    running.reset();
    // The stopped update may change nothing later: waiting a moment out is the check.
    QTest::qWait(50);
    EXPECT_EQ(model.minorPlanets.size(), 3u);
    EXPECT_EQ(model.calls, QStringList{"minor planets 1 1 1"});
    EXPECT_TRUE(QDir(model.directory).entryList(QDir::Files).filter("MinorPlanets.tvk.").isEmpty());
}
