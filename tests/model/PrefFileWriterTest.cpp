#include "model/settings/PrefFileFormat.h"
#include "model/settings/PrefFileWriter.h"
#include "support/Eventually.h"
#include "support/FileSizeLimit.h"
#include "support/FullFileSystem.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using Outcome = PrefFileWriter::Outcome;

class PrefFileWriterTest : public ::testing::Test {
    QTemporaryDir m_dir;  // outlives the writer

protected:
    // In a folder the first write makes, as for a new user.
    QString folder() const { return m_dir.filePath("Norvane"); }
    QString path() const { return folder() + "/Norvane Pro.ini"; }
    static PrefFileFormat::Changes magnitude(int value)
    {
        return {{"StarMagLimitPref", QString::number(value)}, {"SitesPref", QByteArray("\x00\x01\xff", 3)}};
    }
    static PrefFileFormat::Changes large(int value)
    {
        PrefFileFormat::Changes changes = magnitude(value);
        changes.insert("SVSavePosnPref", QString(5000, u'x'));
        return changes;
    }
    void finish() { ASSERT_TRUE(writer->finish(std::chrono::milliseconds(kEventBackstopMs))); }
    QByteArray onDisk() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::vector<Outcome> told;
    std::unique_ptr<PrefFileWriter> writer =
        std::make_unique<PrefFileWriter>(path(), [this](Outcome outcome) { told.push_back(outcome); });
};

}  // namespace

// A write that fails part-way leaves the earlier file whole, and is told
// with its reason recorded; a write handed on as the writer goes (the
// program quits) reaches the file before it has gone.
TEST_F(PrefFileWriterTest, AFailedWriteKeepsTheEarlierFileAndTheLastIsFinishedBeforeTheWriterGoes)
{
    writer->write(magnitude(6));
    finish();
    const QByteArray before = onDisk();
    {
        const FileSizeLimit limit(before.size() + 16);
        writer->write(large(7));
        finish();
    }
    EXPECT_EQ(told, (std::vector<Outcome>{Outcome::Written, Outcome::Failed}));
    EXPECT_EQ(onDisk(), before);
    EXPECT_FALSE(PrefFileFormat::lastWriteError(path()).isEmpty());

    writer->write(magnitude(8));
    writer.reset();
    EXPECT_TRUE(onDisk().contains("StarMagLimitPref=8"));
    EXPECT_TRUE(onDisk().contains("SVSavePosnPref=xxx"));  // kept from the failed write
}

// The text is made in the temporary folder; only the new file's own write
// meets the full disk. The earlier file stays whole, the failure is told
// with the system's reason, and the changes go with the next write.
TEST_F(PrefFileWriterTest, AWriteTheDiskCannotTakeKeepsTheEarlierFile)
{
    const FullFileSystem disk(folder());
    if (!disk.isMounted())
        GTEST_SKIP() << "mounting a small file system needs the right to";
    writer->write(magnitude(6));
    finish();
    const QByteArray before = onDisk();
    disk.fill(4096);  // a page for the lock file, none for the new file
    writer->write(large(7));
    finish();
    EXPECT_EQ(told, (std::vector<Outcome>{Outcome::Written, Outcome::Failed}));
    EXPECT_EQ(onDisk(), before);
    EXPECT_TRUE(PrefFileFormat::lastWriteError(path()).endsWith(QString::fromLocal8Bit(std::strerror(ENOSPC))))
        << PrefFileFormat::lastWriteError(path()).toStdString();

    disk.empty();
    writer->write({});
    finish();
    EXPECT_EQ(told, (std::vector<Outcome>{Outcome::Written, Outcome::Failed, Outcome::Written}));
    EXPECT_TRUE(onDisk().contains("StarMagLimitPref=7"));
}
