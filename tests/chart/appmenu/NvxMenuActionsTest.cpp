#include "chart/appmenu/NvxMenuActions.h"

#include "AppMenuFakes.h"
#include "chart/ChartPrefs.h"
#include "chart/TestFiles.h"

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

    *release = true;
    ASSERT_TRUE(ended(done));
    actions->nvxMenuAction(Tag::kRebuild, false);
    EXPECT_EQ(model.calls, QStringList({"minor planets 1 1 1", "positions 1", "display", "rebuild", "display"}));
}
