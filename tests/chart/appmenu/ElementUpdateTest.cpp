#include "chart/appmenu/ElementUpdate.h"

#include "AppMenuFakes.h"
#include "ElementTexts.h"
#include "chart/TestFiles.h"
#include "platform/AppTimeZone.h"
#include "platform/WebFetch.h"
#include "support/FileSizeLimit.h"
#include "support/QStringPrinter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QNetworkAccessManager>

#include <chrono>
#include <optional>

namespace {

using Delivery = LocalHttpServer::Delivery;
using namespace std::chrono_literals;

const QByteArray kOld = "the file as it was\n";
const QByteArray kComets = repeatedLines(MpcLines::kHaleBopp, 12);
const QByteArray kBright = repeatedLines(MpcLines::kCeres, 12);
const QByteArray kUnusual = repeatedLines(MpcLines::kEros, 12);

class ElementUpdateTest : public AppMenuTest {
protected:
    void SetUp() override
    {
        AppMenuTest::SetUp();
        for (const char* name : {"Soft00Cmt.txt", "Soft00Bright.txt", "Soft00Unusual.txt"})
            writeFile(buildPath(name), kOld);
        server.serve("/Soft00Cmt.txt", kComets);
        server.serve("/Soft00Bright.txt", kBright);
        server.serve("/Soft00Unusual.txt", kUnusual);
        urls.cometSite = server.url("/Soft00Cmt.txt");
        urls.mpSite = server.url("/Soft00Bright.txt");
        urls.neoSite = server.url("/Soft00Unusual.txt");
        update.setTimeout(500ms);
    }

    // Runs an update to its end.
    void run()
    {
        QSignalSpy done(&update, &ElementUpdate::finished);
        update.start(urls);
        ASSERT_TRUE(ended(done));
        EXPECT_FALSE(update.isRunning());
        EXPECT_EQ(model.calls.last(), "display");
    }

    QNetworkAccessManager network;
    ElementUpdate update{network, model};
    UrlList urls;
};

}  // namespace

TEST_F(ElementUpdateTest, ASuccessfulUpdateReplacesTheThreeFilesAndRebuilds)
{
    run();
    EXPECT_EQ(readFile(buildPath("Soft00Cmt.txt")), kComets);
    EXPECT_EQ(readFile(buildPath("Soft00Bright.txt")), kBright);
    EXPECT_EQ(readFile(buildPath("Soft00Unusual.txt")), kUnusual);
    EXPECT_EQ(model.calls, QStringList({"comets 1", "minor planets 1 0 0", "positions 3", "project 1",
                                        "display"}));
    EXPECT_EQ(alertTitles(), QStringList{"Comet/MP database has been updated."});
}

TEST_F(ElementUpdateTest, TheBrightListIsAskedForUnderThisYear)
{
    const QString thisYear = QStringLiteral("/Bright/%1/Soft00Bright.txt").arg(AppTimeZone::now().date().year());
    server.serve(thisYear, kBright);
    urls.mpSite = server.url("/Bright/2001/Soft00Bright.txt");
    run();
    EXPECT_EQ(server.requestCount(thisYear), 1);
    EXPECT_EQ(readFile(buildPath("Soft00Bright.txt")), kBright);
}

// Fetched files were once written over the old ones whatever came back, a
// trickling server held the update for ever, any size was taken in, and
// every failure read "Failed to write comet data." alone.
TEST_F(ElementUpdateTest, ABadCometAnswerKeepsTheOldFileAndTheMinorPlanetsGoOn)
{
    const QByteArray tooLarge = repeatedLines(MpcLines::kHaleBopp, (17 << 20) / 170);
    const struct {
        LocalHttpServer::Response answer;
        QString why;
        // Only a trickle is cut by the deadline; the rest end on their own
        // however long a loaded machine takes to carry them.
        std::optional<std::chrono::milliseconds> deadline;
    } answers[] = {
        {{404, kComets}, "The download failed: "},
        {{206, kComets}, "The download failed: "},  // a part is no list
        {{200, kComets, Delivery::Truncated}, "The download failed: "},
        {{200, "<html><body>Service unavailable</body></html>\n"}, "The downloaded file holds no element lines."},
        {{200, kComets + "\xC3\xA9\n"}, "The downloaded file holds no element lines."},  // not ASCII
        {{200, kComets, Delivery::Slow, 64, 5s}, "The download failed: The server did not answer in time.", 500ms},
        {{200, kComets, Delivery::Slow, 1, 10ms}, "The download failed: The server did not answer in time.", 500ms},
        {{200, tooLarge}, "The download failed: The answer is longer than 16777216 bytes."},
        {{200, tooLarge, Delivery::NoLength}, "The download failed: The answer is longer than 16777216 bytes."},
    };
    for (const auto& [answer, why, deadline] : answers) {
        update.setTimeout(deadline.value_or(WebFetch::kTimeout));
        server.serve("/Soft00Cmt.txt", answer);
        writeFile(buildPath("Soft00Cmt.txt"), kOld);
        writeFile(buildPath("Soft00Bright.txt"), kOld);
        model.calls.clear();
        recorder.alerts.clear();
        QElapsedTimer clock;
        clock.start();
        run();
        // The minor-planet lists take two fetches more.
        if (deadline) {
            EXPECT_LT(clock.elapsed(), 4000) << why.toStdString();
        }
        EXPECT_EQ(readFile(buildPath("Soft00Cmt.txt")), kOld) << why.toStdString();
        EXPECT_FALSE(model.calls.contains("comets 1"));
        EXPECT_EQ(readFile(buildPath("Soft00Bright.txt")), kBright);
        EXPECT_EQ(alertTitles(), QStringList({"Failed to write comet data.",
                                              "Comet/MP database has been updated."}));
        EXPECT_TRUE(recorder.alerts.front().message.startsWith(why)) << recorder.alerts.front().message.toStdString();
    }
    EXPECT_TRUE(QDir(model.directory).entryList({"*Cmt.txt.*"}, QDir::Files).isEmpty());
}

// Writes that failed part-way were once taken for saved files.
TEST_F(ElementUpdateTest, AFileThatCannotBeWrittenIsKeptAndTheSystemSaysWhy)
{
    {
        const FileSizeLimit limit(kComets.size() / 2);
        run();
    }
    EXPECT_EQ(readFile(buildPath("Soft00Cmt.txt")), kOld);
    EXPECT_EQ(readFile(buildPath("Soft00Bright.txt")), kOld);
    ASSERT_FALSE(recorder.alerts.empty());
    EXPECT_EQ(recorder.alerts.front().title, "Failed to write comet data.");
    EXPECT_EQ(recorder.alerts.front().message, "The file could not be written: File too large");
    EXPECT_EQ(QDir(model.directory).entryList(QDir::Files).size(), 3);
}

TEST_F(ElementUpdateTest, AFailedMinorPlanetListReplacesNeitherList)
{
    server.serve("/Soft00Unusual.txt", {200, kUnusual, Delivery::Truncated});
    run();
    EXPECT_EQ(readFile(buildPath("Soft00Bright.txt")), kOld);
    EXPECT_EQ(readFile(buildPath("Soft00Unusual.txt")), kOld);
    EXPECT_EQ(alertTitles(), QStringList{"Failed to write NEO data."});
    EXPECT_EQ(model.calls, QStringList({"comets 1", "display"}));

    server.serve("/Soft00Bright.txt", {500, "oops"});
    recorder.alerts.clear();
    run();
    EXPECT_EQ(alertTitles(), QStringList{"Failed to write minor planet data."});
    EXPECT_EQ(server.requestCount("/Soft00Unusual.txt"), 1);
}

TEST_F(ElementUpdateTest, WithoutCometsOrTheirAddressNothingMoreIsDone)
{
    model.cometImportSucceeds = false;  // it raises its own alert
    run();
    urls.cometSite.clear();
    run();
    EXPECT_EQ(model.calls, QStringList({"comets 1", "display", "display"}));
    EXPECT_EQ(alertTitles(), QStringList{"Comet database URL not found."});
}

TEST_F(ElementUpdateTest, RebuildFromDiskNeedsTheCometAndBrightFiles)
{
    update.rebuildFromDisk();
    QFile::remove(buildPath("Soft00Bright.txt"));
    update.rebuildFromDisk();
    EXPECT_EQ(model.calls, QStringList({"comets 1", "minor planets 1 0 0", "positions 3", "project 1",
                                        "display"}));
    EXPECT_EQ(alertTitles(), QStringList{"Comet/MP database needs to be downloaded."});
    EXPECT_EQ(server.requestCount("/Soft00Cmt.txt"), 0);
}
