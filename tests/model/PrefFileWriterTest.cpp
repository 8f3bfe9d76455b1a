#include "model/settings/PrefFileFormat.h"
#include "model/settings/PrefFileWriter.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace {

class PrefFileWriterTest : public ::testing::Test {
    QTemporaryDir m_dir;  // outlives the writer

protected:
    // In a folder the first write makes, as for a new user.
    QString path() const { return m_dir.filePath("Norvane/Norvane Pro.ini"); }
    // The settings the file holds, read as another program would.
    QSettings::SettingsMap onDisk() const
    {
        const QString copy = m_dir.filePath("copy.ini");
        QFile::remove(copy);
        if (!QFile::copy(path(), copy))
            return {};
        const QSettings file(copy, QSettings::IniFormat);
        QSettings::SettingsMap settings;
        for (const QString& key : file.allKeys())
            settings.insert(key, file.value(key));
        return settings;
    }
    static QSettings::SettingsMap magnitude(int value)
    {
        return {{"StarMagLimitPref", QString::number(value)}, {"SitesPref", QByteArray("\x00\x01\xff", 3)}};
    }

    std::vector<bool> told;
    std::unique_ptr<PrefFileWriter> writer =
        std::make_unique<PrefFileWriter>(path(), [this](bool written) { told.push_back(written); });
};

}  // namespace

// While another writer holds the file, the caller goes on; of the copies
// handed meanwhile only the last is written after the one already running.
TEST_F(PrefFileWriterTest, TheCallerGoesOnWhileAWriteWaitsAndTheLastCopyWins)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path()).path()));
    std::optional<QLockFile> other(std::in_place, path() + ".lock");
    ASSERT_TRUE(other->lock());
    for (const int value : {1, 2, 3})
        writer->write(magnitude(value));
    EXPECT_TRUE(writer->isBusy());
    EXPECT_FALSE(QFile::exists(path()));
    other.reset();

    writer->finish();
    EXPECT_FALSE(writer->isBusy());
    EXPECT_EQ(onDisk(), magnitude(3));
    ASSERT_GE(told.size(), 1u);
    EXPECT_LE(told.size(), 2u) << "a copy that waited behind a newer one is never written";
    EXPECT_EQ(told, std::vector<bool>(told.size(), true));
}

// The program quits with a write handed on: it reaches the file before the
// writer goes, and finish() tells its outcome at once.
TEST_F(PrefFileWriterTest, AWriteHandedOnIsFinishedBeforeTheWriterGoes)
{
    writer->write(magnitude(4));
    writer->finish();
    EXPECT_EQ(told, std::vector<bool>{true});
    writer->write(magnitude(5));
    writer.reset();
    EXPECT_EQ(onDisk(), magnitude(5));
}

// A write that fails part-way leaves the earlier file whole, and is told
// with its reason recorded.
TEST_F(PrefFileWriterTest, AFailedWriteKeepsTheEarlierFileAndIsTold)
{
    writer->write(magnitude(6));
    writer->finish();
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    {
        const FileSizeLimit limit(before.size() + 16);
        QSettings::SettingsMap large = magnitude(7);
        large.insert("SVSavePosnPref", QString(5000, u'x'));
        writer->write(large);
        writer->finish();
    }
    EXPECT_EQ(told, (std::vector<bool>{true, false}));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    EXPECT_FALSE(PrefFileFormat::lastWriteError(path()).isEmpty());
}
