#include "TempSettings.h"

#include "model/settings/PrefMigration.h"
#include "model/settings/PrefStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

using PrefMigration::Result;

class PrefMigrationTest : public TempSettings {
protected:
    static void writeFile(const QString& path, const QByteArray& text)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    const QDateTime launch = QDateTime::currentDateTime();
    const QByteArray earlierSettings = "[General]\nStarMagLimitPref=7.5\nMetricPref=NO\n";
};

TEST_F(PrefMigrationTest, NothingHappensWithoutAnEarlierFile)
{
    EXPECT_EQ(PrefStore::fileName(), folder() + "/Norvane/Norvane Pro.ini");
    EXPECT_EQ(PrefStore::earlierEditionFileName(), folder() + "/Norvane/Norvane 6.ini");
    EXPECT_EQ(PrefMigration::moveEarlierEdition(PrefStore::earlierEditionFileName(), PrefStore::fileName()),
              Result::NothingToMove);
    EXPECT_FALSE(QFileInfo::exists(PrefStore::fileName()));
}

TEST_F(PrefMigrationTest, EarlierFileIsCopiedThenRemovedWhenOursIsMissing)
{
    writeFile(PrefStore::earlierEditionFileName(), earlierSettings);
    PrefStore store(launch);
    EXPECT_FALSE(QFileInfo::exists(PrefStore::earlierEditionFileName()));
    EXPECT_EQ(readFile(PrefStore::fileName()), earlierSettings);
    EXPECT_EQ(store.readFloat("StarMagLimitPref"), 7.5f);
    EXPECT_FALSE(store.readBool("MetricPref"));
    EXPECT_TRUE(store.readBool("ToolTipsPref"));  // not in the earlier file: its default
}

TEST_F(PrefMigrationTest, BothFilesStayWhenOursExists)
{
    const QByteArray ours = "[General]\nStarMagLimitPref=5\n";
    writeFile(PrefStore::earlierEditionFileName(), earlierSettings);
    writeFile(PrefStore::fileName(), ours);
    {
        PrefStore store(launch);
        EXPECT_EQ(store.readFloat("StarMagLimitPref"), 5.0f);
    }
    EXPECT_EQ(readFile(PrefStore::earlierEditionFileName()), earlierSettings);
    EXPECT_EQ(readFile(PrefStore::fileName()), ours);
}

TEST_F(PrefMigrationTest, FailedCopyKeepsTheEarlierFileAndLeavesNoHalfFile)
{
    const QString earlier = folder() + "/old/Norvane 6.ini";
    writeFile(earlier, earlierSettings);
    writeFile(folder() + "/blocked", "x");  // a plain file where our folder should be
    const QString ours = folder() + "/blocked/Norvane Pro.ini";
    EXPECT_EQ(PrefMigration::moveEarlierEdition(earlier, ours), Result::CopyFailed);
    EXPECT_EQ(readFile(earlier), earlierSettings);
    EXPECT_FALSE(QFileInfo::exists(ours));
}

TEST_F(PrefMigrationTest, UnreadableEarlierFileIsNotRemoved)
{
    const QString earlier = folder() + "/Norvane/Norvane 6.ini";
    ASSERT_TRUE(QDir().mkpath(earlier));  // a folder cannot be copied as a file
    EXPECT_EQ(PrefMigration::moveEarlierEdition(earlier, PrefStore::fileName()), Result::CopyFailed);
    EXPECT_TRUE(QFileInfo(earlier).isDir());
    EXPECT_FALSE(QFileInfo::exists(PrefStore::fileName()));
}

}  // namespace
