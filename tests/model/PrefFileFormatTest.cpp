#include "TempSettings.h"
#include "support/FileSizeLimit.h"
#include "support/FullFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>
#include <optional>

namespace {

const QDateTime kLaunch(QDate(2024, 3, 1), QTime(9, 30));

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PrefFileFormatTest : public TempSettings {
protected:
    // Stores a few settings, then, once `arm` has set up the failure, a
    // value too large for it: the file keeps its earlier content, and the
    // failure reaches the later-failure and debug sinks once. Once `disarm`
    // has lifted the failure, the next sync writes the value.
    void expectFailedWriteKeepsTheFile(const std::function<void()>& arm, const std::function<void()>& disarm)
    {
        QStringList lines;
        QStringList failures;
        PrefStore store(kLaunch);
        store.setDebugSink([&](const QString& line) { lines.append(line); });
        store.setLaterWriteFailureSink([&](const QString& reason) { failures.append(reason); });
        store.writeFloat("StarMagLimitPref", 7.5f);
        store.writeString("ShortcutPref", QStringLiteral("a, b; c = d"));
        store.writeData("SitesPref", QByteArray("\x00\x01\xff", 3));
        ASSERT_TRUE(synced(store));
        const QByteArray before = fileBytes(PrefStore::fileName());
        arm();
        // Smaller than the write buffer, so only the flush meets the failure.
        store.writeString("SVSavePosnPref", QString(5000, u'x'));
        EXPECT_FALSE(synced(store));
        EXPECT_FALSE(synced(store));
        EXPECT_EQ(fileBytes(PrefStore::fileName()), before);
        EXPECT_EQ(lines.size(), 1);
        EXPECT_EQ(failures, QStringList{store.writeError()});
        disarm();
        EXPECT_TRUE(synced(store));
        EXPECT_EQ(PrefStore(kLaunch).readString("SVSavePosnPref"), QString(5000, u'x'));
        EXPECT_EQ(PrefStore(kLaunch).readFloat("StarMagLimitPref"), 7.5f);
    }
};

TEST_F(PrefFileFormatTest, AFailedWriteUnderAFileSizeLimitKeepsTheOldFile)
{
    std::optional<FileSizeLimit> limit;
    expectFailedWriteKeepsTheFile([&] { limit.emplace(4096); }, [&] { limit.reset(); });
}

TEST_F(PrefFileFormatTest, AFailedWriteOnAFullFileSystemKeepsTheOldFile)
{
    const FullFileSystem full(folder());
    if (!full.isMounted())
        GTEST_SKIP() << "No right to mount a small file system here.";
    expectFailedWriteKeepsTheFile([&] { full.fill(4096); }, [&] { full.empty(); });
}

// The file is read through a scratch copy; when that cannot be made at the
// start, the store reads the defaults, and its write, which reads the file
// again, keeps what the file holds. A file that cannot be read at the write
// (larger than any settings file) is never written over.
TEST_F(PrefFileFormatTest, AFileThatCouldNotBeReadIsNeverWrittenOver)
{
    const auto put = [](const QByteArray& bytes) {
        QFile file(PrefStore::fileName());  // written apart from Qt, which would keep what it wrote
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    };
    put("[General]\nStarMagLimitPref=7.5\n");
    const QByteArray savedTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(PrefStore::fileName()));  // a file, so no folder can be made there
    PrefStore store(kLaunch);
    qputenv("TMPDIR", savedTemp);
    EXPECT_EQ(store.readFloat("StarMagLimitPref"), 6.5f);
    store.writeBool("MetricPref", false);
    EXPECT_TRUE(synced(store));
    EXPECT_EQ(storedValues(), (QMap<QString, QVariant>{{"StarMagLimitPref", "7.5"}, {"MetricPref", "NO"}}));

    const QByteArray large = "[General]\nStarMagLimitPref=7.5\nShortcutPref=" + QByteArray(1 << 20, 'x') + "\n";
    put(large);
    store.writeBool("MetricPref", true);
    EXPECT_FALSE(synced(store));
    EXPECT_TRUE(store.writeError().contains("could not be read")) << store.writeError().toStdString();
    EXPECT_EQ(fileBytes(PrefStore::fileName()), large);
    EXPECT_EQ(PrefStore(kLaunch).readFloat("StarMagLimitPref"), 6.5f);
}

TEST_F(PrefFileFormatTest, FilesOfEarlierRunsReadAndRewriteAsBefore)
{
    const QMap<QString, QVariant> earlier = {
        {"ShortcutPref", "a, b; c = \"d\""}, {"StarMagLimitPref", "6.55"}, {"SitesPref", QByteArray("\x00\x01\xff", 3)},
        {"DomerPref", "0.1"}, {"DomeRPref", "2.5"}, {"SiteNamesArrayPref", R"(["Home, \"the\" garden","B"])"}};
    seed(earlier);
    {
        PrefStore store(kLaunch);
        EXPECT_EQ(store.readString("ShortcutPref"), earlier.value("ShortcutPref").toString());
        EXPECT_EQ(store.readData("SitesPref"), earlier.value("SitesPref").toByteArray());
        EXPECT_EQ(store.readDouble("DomerPref"), 0.1);
        store.writeBool("MetricPref", false);
        EXPECT_TRUE(synced(store));
    }
    auto expected = earlier;
    expected.insert("MetricPref", "NO");
    EXPECT_EQ(storedValues(), expected);
}

// Naming the file reads nothing of it: Qt hands every later reader in the
// process what it read of a file while the size and time match, so a naming
// read that met a write would keep the replaced content in view.
TEST_F(PrefFileFormatTest, NamingTheFileLeavesReadersTheFileAsItIs)
{
    const QString path = PrefStore::fileName();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    const QDateTime stamp = QDateTime::currentDateTime().addSecs(-60);
    const auto put = [&](const QByteArray& text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush());
        ASSERT_TRUE(file.setFileTime(stamp, QFileDevice::FileModificationTime));
    };
    put("MetricPref=NO\n");
    EXPECT_EQ(PrefStore::fileName(), path);
    put("MetricPref=OK\n");  // same size, same time
    EXPECT_EQ(QSettings(path, QSettings::IniFormat).value("MetricPref").toString(), "OK");
}

}  // namespace
