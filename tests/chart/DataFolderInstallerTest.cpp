#include "chart/DataFolderInstaller.h"

#include "platform/DataPaths.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>

#include <sys/stat.h>

using Status = DataFolderInstaller::Status;

namespace {

QDateTime utc(int year) { return QDateTime(QDate(year, 1, 1), QTime(0, 0), QTimeZone::utc()); }

// Modification times: the first release's files, the second's, and a download in between and after.
const QDateTime kRelease1 = utc(2020);
const QDateTime kDownloadedEarly = utc(2021);
const QDateTime kRelease2 = utc(2022);
const QDateTime kDownloadedLate = utc(2023);

void writeFile(const QString& path, const QByteArray& content, const QDateTime& modified = {})
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(content), content.size());
    ASSERT_TRUE(file.flush());
    if (modified.isValid()) {
        ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    }
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

mode_t modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : m_old(::umask(mask)) {}
    ~ScopedUmask() { ::umask(m_old); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t m_old;
};

class DataFolderInstallerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        bundle = root.path() + "/ZQData";
        user = root.path() + "/share/Norvane Pro";
        ship("Build Data/BuildStar.txt", "stars 1");
        ship("Build Data/BuildDeepSky.txt", "deep sky 1");
        ship("Build Data/Soft00Cmt.txt", "comets 1");
        ship("Database/.gitkeep", "");
        ship("Misc/URL List.txt", "urls 1");
        ship("Photos/M31.jpg", "photo 1");
        ship("Tour/Messier Objects.txt", "M1");
        ship("Norvane Pro Manual.pdf", "manual 1");
        ship("TVk/RAGrid.tvk", "grid");
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

    QTemporaryDir root;
    QString bundle;
    QString user;
    ScopedAlertRecorder recorder;
};

}  // namespace

// First launch

TEST_F(DataFolderInstallerTest, FirstLaunchCopiesTheShippedFolders)
{
    EXPECT_EQ(installer().setupDirectories(), Status::Installed);

    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_EQ(userFile("Build Data/BuildStar.txt"), "stars 1");
    EXPECT_EQ(userFile("Misc/URL List.txt"), "urls 1");
    EXPECT_EQ(userFile("Photos/M31.jpg"), "photo 1");
    EXPECT_EQ(userFile("Tour/Messier Objects.txt"), "M1");
    EXPECT_EQ(userFile("Norvane Pro Manual.pdf"), "manual 1");
    EXPECT_TRUE(QFileInfo(user + "/Database").isDir());
    // Read-only shipped tables are used where they are.
    EXPECT_FALSE(userHas("TVk"));
    EXPECT_FALSE(QFileInfo::exists(installer().installStagingFolder()));
}

TEST_F(DataFolderInstallerTest, TheShippedFolderInstalls)
{
    const DataFolderInstaller shipped(DataPaths::bundleDataFolder(), user);
    EXPECT_EQ(shipped.setupDirectories(), Status::Installed);
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_TRUE(userHas("Build Data/BuildStar.txt"));
    EXPECT_TRUE(userHas("Misc/URL List.txt"));
    for (const char* folder : {"Database", "Photos", "Tour"})
        EXPECT_TRUE(QFileInfo(user + "/" + folder).isDir()) << folder;
    EXPECT_EQ(shipped.updateDirectories("0.00.0", "1.0.0"), Status::Refreshed);
}

TEST_F(DataFolderInstallerTest, FirstLaunchCreatesFoldersWithTheUsersUmask)
{
    const ScopedUmask mask(022);
    ASSERT_TRUE(QFile::setPermissions(bundle + "/Build Data/BuildStar.txt",
                                      QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                          QFileDevice::ReadOther));

    ASSERT_EQ(installer().setupDirectories(), Status::Installed);
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

TEST_F(DataFolderInstallerTest, AMissingManualIsNoInstallationProblem)
{
    ASSERT_TRUE(QFile::remove(bundle + "/Norvane Pro Manual.pdf"));
    EXPECT_EQ(installer().setupDirectories(), Status::Installed);
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_FALSE(userHas("Norvane Pro Manual.pdf"));
    EXPECT_EQ(installer().updateDirectories("0.00.0", "1.0.0"), Status::Refreshed);
}

TEST_F(DataFolderInstallerTest, AMissingBundleIsReported)
{
    for (const QString& missing : {QString(), root.path() + "/nowhere"}) {
        recorder.alerts.clear();
        EXPECT_EQ(DataFolderInstaller(missing, user).setupDirectories(), Status::Failed);
        ASSERT_EQ(recorder.alerts.size(), 1u);
        EXPECT_EQ(recorder.alerts[0].title, "There was an installation problem.");
        EXPECT_EQ(recorder.alerts[0].message, "Required ZQData could not be found.");
        EXPECT_FALSE(userHas(""));
    }
}

TEST_F(DataFolderInstallerTest, AFolderThatCannotBeMadeIsProblemOne)
{
    writeFile(root.path() + "/blocker", "a file where a folder must go");
    const DataFolderInstaller blocked(bundle, root.path() + "/blocker/Norvane Pro");
    EXPECT_EQ(blocked.setupDirectories(), Status::Failed);
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "There was an installation problem (1).");
    EXPECT_FALSE(recorder.alerts[0].message.isEmpty());
}

TEST_F(DataFolderInstallerTest, EachFailedCopyShowsItsNumberedProblem)
{
    const std::pair<int, QString> steps[] = {
        {2, "Build Data"}, {3, "Database"}, {4, "Misc"},
        {5, "Photos"},     {6, "Tour"},     {7, "Norvane Pro Manual.pdf"},
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
        recorder.alerts.clear();

        EXPECT_EQ(installer().setupDirectories(), Status::Failed);
        ASSERT_EQ(recorder.alerts.size(), 1u);
        EXPECT_EQ(recorder.alerts[0].title,
                  QString("There was an installation problem (%1).").arg(number));
        EXPECT_TRUE(recorder.alerts[0].message.contains(item));
        // Nothing half-made is left for the next launch to mistake for a finished copy.
        EXPECT_FALSE(userHas(""));
        EXPECT_FALSE(QFileInfo::exists(installer().installStagingFolder()));

        ASSERT_TRUE(number == 7 ? QDir().rmdir(path) : QFile::remove(path));
        ASSERT_TRUE(QDir().rename(saved, path));
    }
}

TEST_F(DataFolderInstallerTest, AnInterruptedCopyIsRedoneAtTheNextLaunch)
{
    const QString staging = installer().installStagingFolder();
    writeFile(staging + "/Build Data/BuildStar.txt", "sta");
    writeFile(staging + "/Build Data/leftover.tmp", "x");

    EXPECT_EQ(installer().setupDirectories(), Status::Installed);
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_EQ(userFile("Build Data/BuildStar.txt"), "stars 1");
    EXPECT_FALSE(userHas("Build Data/leftover.tmp"));
    EXPECT_EQ(userFile("Norvane Pro Manual.pdf"), "manual 1");
    EXPECT_FALSE(QFileInfo::exists(staging));
}

// Refresh after a version change

TEST_F(DataFolderInstallerTest, TheSameVersionTouchesNothing)
{
    installRelease1();
    own("Misc/URL List.txt", "edited");
    ship("Build Data/BuildStar.txt", "stars 2", kRelease2);

    EXPECT_EQ(installer().updateDirectories("1.0.0", "1.0.0"), Status::Unchanged);
    // Longer than five characters: the whole string decides.
    EXPECT_EQ(installer().updateDirectories("10.2.13", "10.2.13"), Status::Unchanged);
    EXPECT_EQ(installer().updateDirectories("1.0.0", ""), Status::Unchanged);
    EXPECT_EQ(userFile("Misc/URL List.txt"), "edited");
    EXPECT_EQ(userFile("Build Data/BuildStar.txt"), "stars 1");
    EXPECT_FALSE(QFileInfo::exists(installer().refreshStagingFolder()));
}

TEST_F(DataFolderInstallerTest, AnUpgradeReplacesOnlyTheShippedFiles)
{
    installRelease1();
    own("Build Data/Horizon0.txt", "my horizon");
    own("Build Data/MPCORB.DAT", "downloaded orbits");
    own("Database/Horizon0.tvk", "horizon cache");
    own("Database/Stars.tvk", "stars cache");
    own("Database/DeepSky.tvk", "deep sky cache");
    own("Misc/DebugLog.txt", "log");
    own("Photos/Mine.jpg", "my photo");
    own("Tour/My Tour.txt", "M31");
    ship("Build Data/BuildStar.txt", "stars 2", kRelease2);
    ship("Build Data/Soft00Cmt.txt", "comets 2", kRelease2);
    ship("Misc/URL List.txt", "urls 2", kRelease2);
    ship("Norvane Pro Manual.pdf", "manual 2", kRelease2);
    ship("Tour/Messier Objects.txt", "M1 M2", kRelease2);
    ship("Photos/M31.jpg", "photo 2", kRelease2);

    EXPECT_EQ(installer().updateDirectories("1.0.0", "1.1.0"), Status::Refreshed);

    EXPECT_EQ(userFile("Build Data/BuildStar.txt"), "stars 2");
    EXPECT_EQ(userFile("Build Data/Soft00Cmt.txt"), "comets 2");
    EXPECT_EQ(userFile("Misc/URL List.txt"), "urls 2");
    EXPECT_EQ(userFile("Norvane Pro Manual.pdf"), "manual 2");
    EXPECT_EQ(userFile("Build Data/Horizon0.txt"), "my horizon");
    EXPECT_EQ(userFile("Build Data/MPCORB.DAT"), "downloaded orbits");
    EXPECT_EQ(userFile("Database/Horizon0.tvk"), "horizon cache");
    EXPECT_EQ(userFile("Misc/DebugLog.txt"), "log");
    EXPECT_EQ(userFile("Photos/Mine.jpg"), "my photo");
    EXPECT_EQ(userFile("Photos/M31.jpg"), "photo 1");
    EXPECT_EQ(userFile("Tour/My Tour.txt"), "M31");
    EXPECT_EQ(userFile("Tour/Messier Objects.txt"), "M1");
    // The star cache was built from the old text; the deep-sky text did not change.
    EXPECT_FALSE(userHas("Database/Stars.tvk"));
    EXPECT_EQ(userFile("Database/DeepSky.tvk"), "deep sky cache");
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_FALSE(QFileInfo::exists(installer().refreshStagingFolder()));
}

TEST_F(DataFolderInstallerTest, ADownloadNewerThanTheShippedElementsIsKept)
{
    installRelease1();
    own("Build Data/Soft00Cmt.txt", "downloaded comets", kDownloadedLate);
    own("Database/Comets.tvk", "comet cache");
    ship("Build Data/Soft00Cmt.txt", "comets 2", kRelease2);

    EXPECT_EQ(installer().updateDirectories("1.0.0", "1.1.0"), Status::Refreshed);
    EXPECT_EQ(userFile("Build Data/Soft00Cmt.txt"), "downloaded comets");
    EXPECT_EQ(userFile("Database/Comets.tvk"), "comet cache");
}

TEST_F(DataFolderInstallerTest, ShippedElementsNewerThanTheDownloadReplaceIt)
{
    installRelease1();
    own("Build Data/Soft00Cmt.txt", "downloaded comets", kDownloadedEarly);
    own("Database/Comets.tvk", "comet cache");
    ship("Build Data/Soft00Cmt.txt", "comets 2", kRelease2);

    EXPECT_EQ(installer().updateDirectories("1.1.0", "1.0.0"), Status::Refreshed);
    EXPECT_EQ(userFile("Build Data/Soft00Cmt.txt"), "comets 2");
    EXPECT_FALSE(userHas("Database/Comets.tvk"));
}

TEST_F(DataFolderInstallerTest, AUrlListTheUserDeletedStaysDeleted)
{
    installRelease1();
    ASSERT_TRUE(QFile::remove(user + "/Misc/URL List.txt"));
    ship("Misc/URL List.txt", "urls 2", kRelease2);

    EXPECT_EQ(installer().updateDirectories("1.0.0", "1.1.0"), Status::Refreshed);
    EXPECT_FALSE(userHas("Misc/URL List.txt"));
}

TEST_F(DataFolderInstallerTest, AFailedRefreshLeavesTheFolderAsItWas)
{
    installRelease1();
    own("Database/Stars.tvk", "stars cache");
    ship("Build Data/BuildStar.txt", "stars 2", kRelease2);
    ship("Norvane Pro Manual.pdf", "manual 2", kRelease2);
    ASSERT_TRUE(QFile::link(root.path() + "/nowhere", bundle + "/Build Data/Broken.txt"));

    EXPECT_EQ(installer().updateDirectories("1.0.0", "1.1.0"), Status::RefreshFailed);
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_EQ(userFile("Build Data/BuildStar.txt"), "stars 1");
    EXPECT_EQ(userFile("Norvane Pro Manual.pdf"), "manual 1");
    EXPECT_EQ(userFile("Database/Stars.tvk"), "stars cache");
    EXPECT_FALSE(QFileInfo::exists(installer().refreshStagingFolder()));

    // Once the shipped folder is whole again, the retry at the next launch succeeds.
    ASSERT_TRUE(QFile::remove(bundle + "/Build Data/Broken.txt"));
    EXPECT_EQ(installer().updateDirectories("1.0.0", "1.1.0"), Status::Refreshed);
    EXPECT_EQ(userFile("Build Data/BuildStar.txt"), "stars 2");
    EXPECT_FALSE(userHas("Database/Stars.tvk"));
}

TEST_F(DataFolderInstallerTest, AnInterruptedRefreshIsRedone)
{
    installRelease1();
    writeFile(installer().refreshStagingFolder() + "/Build Data/BuildStar.txt", "sta");
    ship("Build Data/BuildStar.txt", "stars 2", kRelease2);

    EXPECT_EQ(installer().updateDirectories("1.0.0", "1.1.0"), Status::Refreshed);
    EXPECT_EQ(userFile("Build Data/BuildStar.txt"), "stars 2");
    EXPECT_FALSE(QFileInfo::exists(installer().refreshStagingFolder()));
}

// Version test

TEST(DataFolderVersion, WholeStringsAreComparedWithNumbersByValue)
{
    EXPECT_TRUE(DataFolderInstaller::isSameVersion("1.0.0", "1.0.0"));
    EXPECT_TRUE(DataFolderInstaller::isSameVersion("10.2.13", "10.2.13"));
    EXPECT_TRUE(DataFolderInstaller::isSameVersion("1.02.0", "1.2.0"));
    EXPECT_FALSE(DataFolderInstaller::isSameVersion("10.2.1", "10.2.13"));
    EXPECT_FALSE(DataFolderInstaller::isSameVersion("10.2.13", "10.2.1"));
    EXPECT_FALSE(DataFolderInstaller::isSameVersion("1.0.0", "1.0.0b"));
    EXPECT_FALSE(DataFolderInstaller::isSameVersion("0.00.0", "1.0.0"));
    EXPECT_FALSE(DataFolderInstaller::isSameVersion("", "1.0.0"));
    EXPECT_FALSE(DataFolderInstaller::isSameVersion("1.9", "1.10"));
}
