#include "app/DataFolderInstaller.h"

#include "chart/TestFiles.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTimeZone>

#include <sys/stat.h>

using Status = DataFolderInstaller::Status;

namespace {

QDateTime utc(int year) { return QDateTime(QDate(year, 1, 1), QTime(0, 0), QTimeZone::utc()); }

// Modification times: the first release's files and the second's.
const QDateTime kRelease1 = utc(2020);
const QDateTime kRelease2 = utc(2022);

mode_t modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

class DataFolderInstallerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        bundle = root.path() + "/ZQData";
        user = root.path() + "/share/Norvane Pro";
        for (const char* file : {"Build Data/BuildStar.txt", "Build Data/BuildDeepSky.txt", "Build Data/Soft00Cmt.txt",
                                 "Misc/URL List.txt", "Photos/M31.jpg", "Tour/Messier Objects.txt",
                                 "Norvane Pro Manual.pdf", "TVk/RAGrid.tvk"})
            ship(file, "1");
        ship("Database/.gitkeep", "");
    }

    void ship(const QString& relative, const QByteArray& content, const QDateTime& when = kRelease1)
    {
        writeFile(bundle + "/" + relative, content, when);
    }
    void own(const QString& relative, const QByteArray& content, const QDateTime& when = {})
    {
        writeFile(user + "/" + relative, content, when);
    }
    QByteArray userFile(const QString& relative) const { return readFile(user + "/" + relative); }
    bool userHas(const QString& relative) const { return QFileInfo::exists(user + "/" + relative); }

    DataFolderInstaller installer() const { return DataFolderInstaller(bundle, user); }

    // A first launch as the program makes it: the copy, then the refresh from the default version.
    void installRelease1()
    {
        ASSERT_EQ(installer().setupDirectories(), Status::Installed);
        ASSERT_EQ(installer().updateDirectories("0.00.0", "1.0.0"), Status::Refreshed);
    }
    void expectOneAlert(const QString& title)
    {
        ASSERT_EQ(recorder.alerts.size(), 1u);
        EXPECT_EQ(recorder.alerts[0].title, title);
        recorder.alerts.clear();
    }

    QTemporaryDir root;
    QString bundle;
    QString user;
    ScopedAlertRecorder recorder;
};

}  // namespace

TEST_F(DataFolderInstallerTest, FirstLaunchCopiesTheShippedFoldersWithTheUsersUmask)
{
    // What an interrupted first launch left is not taken for a finished copy.
    const QString staging = installer().installStagingFolder();
    writeFile(staging + "/Build Data/BuildStar.txt", "partial");
    writeFile(staging + "/Build Data/leftover.tmp", "x");
    ASSERT_TRUE(QFile::setPermissions(bundle + "/Build Data/BuildStar.txt",
                                      QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    const mode_t previous = ::umask(022);
    EXPECT_EQ(installer().setupDirectories(), Status::Installed);
    ::umask(previous);

    EXPECT_TRUE(recorder.alerts.empty());
    for (const char* file : {"Build Data/BuildStar.txt", "Misc/URL List.txt", "Photos/M31.jpg",
                             "Tour/Messier Objects.txt", "Norvane Pro Manual.pdf"})
        EXPECT_EQ(userFile(file), "1") << file;
    EXPECT_TRUE(QFileInfo(user + "/Database").isDir());
    EXPECT_FALSE(userHas("Build Data/leftover.tmp"));
    EXPECT_FALSE(QFileInfo::exists(staging));
    // Read-only shipped tables are used where they are.
    EXPECT_FALSE(userHas("TVk"));
    EXPECT_EQ(modeOf(user), mode_t(0755));
    EXPECT_EQ(modeOf(user + "/Build Data"), mode_t(0755));
    // The program writes downloads over shipped files, so copies must be writable.
    EXPECT_EQ(modeOf(user + "/Build Data/BuildStar.txt"), mode_t(0644));
}

TEST_F(DataFolderInstallerTest, AnExistingFolderIsLeftAloneWithoutLookingForTheBundle)
{
    own("Misc/URL List.txt", "mine");
    EXPECT_EQ(DataFolderInstaller(QString(), user).setupDirectories(), Status::Unchanged);
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_EQ(userFile("Misc/URL List.txt"), "mine");
}

TEST_F(DataFolderInstallerTest, AMissingBundleOrUnmakeableFolderIsReported)
{
    for (const QString& missing : {QString(), root.path() + "/nowhere"}) {
        EXPECT_EQ(DataFolderInstaller(missing, user).setupDirectories(), Status::Failed);
        ASSERT_FALSE(recorder.alerts.empty());
        EXPECT_EQ(recorder.alerts[0].message, "Required ZQData could not be found.");
        expectOneAlert("There was an installation problem.");
        EXPECT_FALSE(userHas(""));
    }

    writeFile(root.path() + "/blocker", "a file where a folder must go");
    EXPECT_EQ(DataFolderInstaller(bundle, root.path() + "/blocker/Norvane Pro").setupDirectories(), Status::Failed);
    expectOneAlert("There was an installation problem (1).");
}

TEST_F(DataFolderInstallerTest, EachFailedCopyShowsItsNumberedProblemButAMissingManualIsNone)
{
    const std::pair<int, QString> steps[] = {
        {2, "Build Data"}, {3, "Database"}, {4, "Misc"}, {5, "Photos"}, {6, "Tour"}, {7, "Norvane Pro Manual.pdf"},
    };
    for (const auto& [number, item] : steps) {
        SCOPED_TRACE(item.toStdString());
        const QString path = bundle + "/" + item;
        const QString saved = root.path() + "/saved";
        ASSERT_TRUE(QDir().rename(path, saved));
        // A file where a folder must be, or a folder where the manual must be.
        if (number == 7)
            ASSERT_TRUE(QDir().mkpath(path));
        else
            writeFile(path, "in the way");

        EXPECT_EQ(installer().setupDirectories(), Status::Failed);
        ASSERT_FALSE(recorder.alerts.empty());
        EXPECT_TRUE(recorder.alerts[0].message.contains(item));
        expectOneAlert(QString("There was an installation problem (%1).").arg(number));
        // Nothing half-made is left for the next launch to mistake for a finished copy.
        EXPECT_FALSE(userHas(""));
        EXPECT_FALSE(QFileInfo::exists(installer().installStagingFolder()));

        ASSERT_TRUE(number == 7 ? QDir().rmdir(path) : QFile::remove(path));
        ASSERT_TRUE(QDir().rename(saved, path));
    }

    // A manual that is not there at all is no problem.
    ASSERT_TRUE(QFile::remove(bundle + "/Norvane Pro Manual.pdf"));
    EXPECT_EQ(installer().setupDirectories(), Status::Installed);
    EXPECT_EQ(installer().updateDirectories("0.00.0", "1.0.0"), Status::Refreshed);
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_FALSE(userHas("Norvane Pro Manual.pdf"));
}

TEST_F(DataFolderInstallerTest, TheSameVersionTouchesNothing)
{
    installRelease1();
    own("Misc/URL List.txt", "edited");
    ship("Build Data/BuildStar.txt", "2", kRelease2);

    EXPECT_EQ(installer().updateDirectories("1.0.0", "1.0.0"), Status::Unchanged);
    // Longer than five characters: the whole string decides.
    EXPECT_EQ(installer().updateDirectories("10.2.13", "10.2.13"), Status::Unchanged);
    EXPECT_EQ(installer().updateDirectories("1.0.0", ""), Status::Unchanged);
    EXPECT_EQ(userFile("Misc/URL List.txt"), "edited");
    EXPECT_EQ(userFile("Build Data/BuildStar.txt"), "1");
    EXPECT_FALSE(QFileInfo::exists(installer().refreshStagingFolder()));
}

TEST_F(DataFolderInstallerTest, AnUpgradeReplacesOnlyTheShippedFiles)
{
    installRelease1();
    // The user's and the program's own files; each holds its name.
    const char* const kept[] = {"Build Data/Horizon0.txt", "Build Data/MPCORB.DAT", "Database/Horizon0.tvk",
                                "Database/DeepSky.tvk", "Misc/DebugLog.txt", "Photos/Mine.jpg", "Tour/My Tour.txt"};
    for (const char* file : kept)
        own(file, file);
    own("Database/Stars.tvk", "built from the old star text");
    // A URL list the user deleted stays deleted; what an interrupted refresh left is not used.
    ASSERT_TRUE(QFile::remove(user + "/Misc/URL List.txt"));
    writeFile(installer().refreshStagingFolder() + "/Build Data/BuildStar.txt", "partial");
    for (const char* file : {"Build Data/BuildStar.txt", "Build Data/Soft00Cmt.txt", "Misc/URL List.txt",
                             "Norvane Pro Manual.pdf", "Tour/Messier Objects.txt", "Photos/M31.jpg"})
        ship(file, "2", kRelease2);

    EXPECT_EQ(installer().updateDirectories("1.0.0", "1.1.0"), Status::Refreshed);

    for (const char* file : kept)
        EXPECT_EQ(userFile(file), file);
    for (const char* file : {"Build Data/BuildStar.txt", "Build Data/Soft00Cmt.txt", "Norvane Pro Manual.pdf"})
        EXPECT_EQ(userFile(file), "2") << file;
    EXPECT_FALSE(userHas("Misc/URL List.txt"));
    // The tour and the photographs are the user's once installed.
    EXPECT_EQ(userFile("Photos/M31.jpg"), "1");
    EXPECT_EQ(userFile("Tour/Messier Objects.txt"), "1");
    // The star cache goes with its text; the deep-sky text did not change.
    EXPECT_FALSE(userHas("Database/Stars.tvk"));
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_FALSE(QFileInfo::exists(installer().refreshStagingFolder()));
}

TEST_F(DataFolderInstallerTest, ADownloadedElementFileIsKeptWhileNewerThanTheShippedOne)
{
    installRelease1();
    ship("Build Data/Soft00Cmt.txt", "2", kRelease2);
    for (const int downloaded : {2023, 2021}) {
        SCOPED_TRACE(downloaded);
        const bool kept = downloaded > 2022;
        own("Build Data/Soft00Cmt.txt", "downloaded", utc(downloaded));
        own("Database/Comets.tvk", "comet cache");

        EXPECT_EQ(installer().updateDirectories("1.0.0", "1.1.0"), Status::Refreshed);
        EXPECT_EQ(userFile("Build Data/Soft00Cmt.txt"), kept ? "downloaded" : "2");
        EXPECT_EQ(userHas("Database/Comets.tvk"), kept);
    }
}

TEST_F(DataFolderInstallerTest, AFailedRefreshLeavesTheFolderAsItWas)
{
    installRelease1();
    own("Database/Stars.tvk", "stars cache");
    ship("Build Data/BuildStar.txt", "2", kRelease2);
    ship("Norvane Pro Manual.pdf", "2", kRelease2);
    ASSERT_TRUE(QFile::link(root.path() + "/nowhere", bundle + "/Build Data/Broken.txt"));

    EXPECT_EQ(installer().updateDirectories("1.0.0", "1.1.0"), Status::RefreshFailed);
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_EQ(userFile("Build Data/BuildStar.txt"), "1");
    EXPECT_EQ(userFile("Norvane Pro Manual.pdf"), "1");
    EXPECT_EQ(userFile("Database/Stars.tvk"), "stars cache");
    EXPECT_FALSE(QFileInfo::exists(installer().refreshStagingFolder()));

    // Once the shipped folder is whole again, the retry at the next launch succeeds.
    ASSERT_TRUE(QFile::remove(bundle + "/Build Data/Broken.txt"));
    EXPECT_EQ(installer().updateDirectories("1.0.0", "1.1.0"), Status::Refreshed);
    EXPECT_EQ(userFile("Build Data/BuildStar.txt"), "2");
    EXPECT_FALSE(userHas("Database/Stars.tvk"));
}

TEST(DataFolderVersion, WholeStringsAreComparedWithNumbersByValue)
{
    for (const auto& [a, b] : {std::pair{"1.0.0", "1.0.0"}, {"10.2.13", "10.2.13"}, {"1.02.0", "1.2.0"}})
        EXPECT_TRUE(DataFolderInstaller::isSameVersion(a, b)) << a << " " << b;
    for (const auto& [a, b] : {std::pair{"10.2.1", "10.2.13"}, {"10.2.13", "10.2.1"}, {"1.0.0", "1.0.0b"},
                               {"0.00.0", "1.0.0"}, {"", "1.0.0"}, {"1.9", "1.10"}})
        EXPECT_FALSE(DataFolderInstaller::isSameVersion(a, b)) << a << " " << b;
}
