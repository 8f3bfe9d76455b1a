#include "chart/appmenu/NvxMenuActions.h"

#include "AppMenuFakes.h"
#include "ElementTexts.h"
#include "chart/ChartPrefs.h"
#include "chart/TestFiles.h"

#include <QDir>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

using Tag = NvxMenuActions::Tag;

class NvxMenuActionsTest : public ChartPrefsTest {
protected:
    void SetUp() override
    {
        ChartPrefsTest::SetUp();
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        ASSERT_TRUE(m_folder.isValid());
        model.directory = m_folder.path() + "/Build Data/";
        readPrefs();
        actions = std::make_unique<NvxMenuActions>(
            NvxMenuActions::Links{settings(), model, fakes.parts, panel,
                                  [this](const QUrl& url) {
                                      opened << url;
                                      return canOpen;
                                  }},
            "3.4.5", m_folder.path() + "/Norvane Pro Manual.pdf");
    }

    QString misc() const { return m_folder.path() + "/Misc/"; }

    // The element lists and the orbit file, all from the local server, and
    // the build folder they go to.
    void serveUpdates()
    {
        ASSERT_TRUE(QDir().mkpath(model.directory));
        server.serve("/c", repeatedLines(MpcLines::kHaleBopp, 12));
        server.serve("/b", repeatedLines(MpcLines::kCeres, 12));
        server.serve("/u", repeatedLines(MpcLines::kEros, 12));
        server.serve("/MPCORB.DAT", orbitFile(20000));
        QByteArray list;
        for (const char* path : {"/", "/download/", "/c", "/b", "/u", "/MPCORB.DAT", "/version.txt"})
            list += server.url(path).toEncoded() + "\n";
        writeFile(misc() + "URL List.txt", list);
        actions->awakeFromNib(misc());
    }

    void expectRefusals(const QString& reason, std::size_t count) const
    {
        ASSERT_GE(recorder.alerts.size(), count);
        for (std::size_t i = 0; i < count; ++i) {
            EXPECT_EQ(recorder.alerts[i].title, kTableBusy);
            EXPECT_EQ(recorder.alerts[i].message, reason);
        }
    }

    static inline const QString kTableBusy = "The minor planet table is being replaced.";
    static inline const QString kOrbitFileBusy =
        "The MPCORB database is being updated; try again when it has finished.";
    static inline const QString kElementsBusy =
        "The Comet/MP database is being updated; try again when it has finished.";

    FakeAppMenuModel model;
    FakeProgressPanel panel;
    ScopedAlertRecorder recorder;
    LocalHttpServer server;
    QList<QUrl> opened;
    bool canOpen = true;
    std::unique_ptr<NvxMenuActions> actions;

private:
    QTemporaryDir m_folder;
};

}  // namespace

TEST_F(NvxMenuActionsTest, WithoutAnAddressListTheWebItemsDoNothingHarmful)
{
    settings().setGRSLong(100.0f);
    actions->awakeFromNib(misc());
    EXPECT_EQ(settings().GRSLong(), 157.0f);

    for (int tag : {int(Tag::kTvkSite), int(Tag::kMpcorbAll), int(Tag::kUpdateCometsMP), 99})
        actions->nvxMenuAction(tag, false);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(recorder.beeps, 1);
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "Comet database URL not found.");
    EXPECT_EQ(model.calls, QStringList{"display"});
}

TEST_F(NvxMenuActionsTest, TheListsEndpointsAndLongitudeReachTheItems)
{
    QByteArray list;
    for (const char* path : {"/", "/download/", "/c", "/b", "/u", "/MPCORB.DAT", "/version.txt"})
        list += server.url(path).toEncoded() + "\n";
    writeFile(misc() + "URL List.txt", list + "150.5\n");
    server.serve("/version.txt", QByteArray("3.4.6"));
    actions->awakeFromNib(misc());
    EXPECT_EQ(settings().GRSLong(), 150.5f);

    actions->nvxMenuAction(Tag::kTvkSite, false);
    EXPECT_EQ(opened, QList<QUrl>{server.url("/")});

    QSignalSpy checked(&actions->versionChecker(), &VersionChecker::finished);
    actions->checkNvxVersion(false);
    ASSERT_TRUE(ended(checked));
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "There is a new version of Norvane Pro");
    EXPECT_EQ(opened.last(), server.url("/download/"));
}

TEST_F(NvxMenuActionsTest, ToolbarRebuildAndManual)
{
    const bool toolbar = settings().isShowToolbar();
    actions->nvxMenuAction(Tag::kToolbar, false);
    EXPECT_EQ(fakes.log.calls.last(), QString("window.setToolbarShown ") + (toolbar ? "false" : "true"));

    actions->nvxMenuAction(Tag::kRebuild, false);
    EXPECT_EQ(model.calls, QStringList({"rebuild", "display"}));

    actions->nvxMenuAction(Tag::kHelp, false);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].toLocalFile().endsWith("/Norvane Pro Manual.pdf"));
    EXPECT_TRUE(recorder.alerts.empty());
}

TEST_F(NvxMenuActionsTest, APageOrManualNothingCanOpenSaysWhereItIs)
{
    writeFile(misc() + "URL List.txt", QByteArray("http://127.0.0.1:9/\n").repeated(7));
    actions->awakeFromNib(misc());
    canOpen = false;
    actions->nvxMenuAction(Tag::kHelp, false);
    actions->nvxMenuAction(Tag::kTvkSite, false);
    ASSERT_EQ(recorder.alerts.size(), 2u);
    EXPECT_TRUE(recorder.alerts[0].title.startsWith("No PDF viewer is installed; the manual is at /"));
    EXPECT_TRUE(recorder.alerts[0].title.endsWith("/Norvane Pro Manual.pdf"));
    EXPECT_EQ(recorder.alerts[1].title, "No web browser is installed; the page is at http://127.0.0.1:9/");
}

// Once the orbit file's import left the interface free, the other rebuilds
// of the minor-planet table could have crossed it and left the cache
// holding another table than the chart.
TEST_F(NvxMenuActionsTest, WhileTheOrbitFileImportsTheOtherTableRebuildsDoNothing)
{
    writeFile(model.directory + "MPCORB.DAT", QByteArray("orbits\n"));
    // Shared, so that the worker never outlives it, whatever the test's end.
    const auto release = std::make_shared<std::atomic<bool>>(false);
    model.orbitFileWork = [release](const MinorPlanetImporter::Progress&, std::stop_token stop) {
        while (!*release && !stop.stop_requested())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return MinorPlanetTable::Import{{MinorPlanetTable::Status::Built}, {}};
    };
    QSignalSpy done(&actions->mpcorbUpdate(), &MpcorbUpdate::finished);
    actions->nvxMenuAction(Tag::kMpcorbAll, true);
    actions->nvxMenuAction(Tag::kRebuild, false);
    actions->nvxMenuAction(Tag::kUpdateCometsMP, true);
    actions->nvxMenuAction(Tag::kMpcorbNumbered, true);
    EXPECT_EQ(model.calls, QStringList{"minor planets 1 1 1"});
    // The orbit file's own items are simply ignored: its panel is up.
    EXPECT_EQ(recorder.alerts.size(), 2u);
    expectRefusals(kOrbitFileBusy, 2);

    *release = true;
    ASSERT_TRUE(ended(done));
    actions->nvxMenuAction(Tag::kRebuild, false);
    EXPECT_EQ(model.calls, QStringList({"minor planets 1 1 1", "positions 1", "display", "rebuild", "display"}));
}

// Lists arriving during the orbit file's import replaced the table and its
// cache under it: the orbit file waits until the lists are in.
TEST_F(NvxMenuActionsTest, WhileTheElementListsComeTheOrbitFileIsRefused)
{
    serveUpdates();
    writeFile(model.directory + "MPCORB.DAT", orbitFile(20000));
    QSignalSpy listsIn(&actions->elementUpdate(), &ElementUpdate::finished);
    actions->nvxMenuAction(Tag::kUpdateCometsMP, false);
    actions->nvxMenuAction(Tag::kMpcorbAll, true);
    actions->nvxMenuAction(Tag::kMpcorbNumbered, false);
    EXPECT_FALSE(panel.visible);
    expectRefusals(kElementsBusy, 2);

    ASSERT_TRUE(ended(listsIn));
    EXPECT_EQ(server.requestCount("/MPCORB.DAT"), 0);
    EXPECT_EQ(model.calls, QStringList({"comets 1", "minor planets 1 0 0", "positions 3", "project 1", "display"}));
    EXPECT_EQ(recorder.alerts.back().title, "Comet/MP database has been updated.");

    model.calls.clear();
    QSignalSpy orbitsIn(&actions->mpcorbUpdate(), &MpcorbUpdate::finished);
    actions->nvxMenuAction(Tag::kMpcorbAll, true);
    ASSERT_TRUE(ended(orbitsIn));
    EXPECT_EQ(model.calls, QStringList({"minor planets 1 1 1", "positions 1", "display"}));
}

// An orbit file downloading is imported as soon as it is in, perhaps before
// lists asked for after it: they wait until it is imported.
TEST_F(NvxMenuActionsTest, WhileTheOrbitFileComesTheElementListsAreRefused)
{
    serveUpdates();
    QSignalSpy orbitsIn(&actions->mpcorbUpdate(), &MpcorbUpdate::finished);
    actions->nvxMenuAction(Tag::kMpcorbNumbered, false);
    actions->nvxMenuAction(Tag::kUpdateCometsMP, false);
    expectRefusals(kOrbitFileBusy, 1);

    ASSERT_TRUE(ended(orbitsIn));
    EXPECT_EQ(server.requestCount("/c"), 0);
    EXPECT_EQ(model.calls, QStringList({"minor planets 1 1 0", "positions 1", "project 1", "display"}));
    EXPECT_EQ(recorder.alerts.back().title, "MPCORB database has been processed.");
    EXPECT_EQ(readFile(model.directory + "MPCORB.DAT"), orbitFile(20000));

    QSignalSpy listsIn(&actions->elementUpdate(), &ElementUpdate::finished);
    actions->nvxMenuAction(Tag::kUpdateCometsMP, false);
    ASSERT_TRUE(ended(listsIn));
    EXPECT_EQ(server.requestCount("/c"), 1);
    EXPECT_EQ(recorder.alerts.back().title, "Comet/MP database has been updated.");
}
