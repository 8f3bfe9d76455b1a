#include "model/settings/PrefFileFormat.h"
#include "model/settings/PrefFileWriter.h"
#include "support/FileSizeLimit.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class PrefFileWriterTest : public ::testing::Test {
    QTemporaryDir m_dir;  // outlives the writer

protected:
    // In a folder the first write makes, as for a new user.
    QString path() const { return m_dir.filePath("Norvane/Norvane Pro.ini"); }
    static QSettings::SettingsMap magnitude(int value)
    {
        return {{"StarMagLimitPref", QString::number(value)}, {"SitesPref", QByteArray("\x00\x01\xff", 3)}};
    }

    std::vector<bool> told;
    std::unique_ptr<PrefFileWriter> writer =
        std::make_unique<PrefFileWriter>(path(), [this](bool written) { told.push_back(written); });
};

}  // namespace

// A write that fails part-way leaves the earlier file whole, and is told
// with its reason recorded; a write handed on as the writer goes (the
// program quits) reaches the file before it has gone.
TEST_F(PrefFileWriterTest, AFailedWriteKeepsTheEarlierFileAndTheLastIsFinishedBeforeTheWriterGoes)
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
    file.close();
    EXPECT_FALSE(PrefFileFormat::lastWriteError(path()).isEmpty());

    writer->write(magnitude(8));
    writer.reset();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("StarMagLimitPref=8"));
}
