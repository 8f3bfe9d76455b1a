#include "prefs/CustomFilter.h"

#include "support/RecordingAlertPresenter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>

#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

deepSky object(const char* name, const char* messier, const char* ngc)
{
    deepSky record{};
    std::strncpy(record.name, name, sizeof record.name - 1);
    std::strncpy(record.messier, messier, sizeof record.messier - 1);
    std::strncpy(record.ngc, ngc, sizeof record.ngc - 1);
    return record;
}

class CustomFilterTest : public ::testing::Test {
protected:
    CustomFilterTest()
    {
        folder = dir.path() + "/";
        writeFile(folder + "Galaxies.txt", "Whirlpool\r\nM31\nNGC 253\n M 33\n");
        writeFile(folder + "notes.txt.bak", "M 31\n");
        writeFile(folder + ".DS_Store", "x");
        writeFile(folder + "readme.md", "x");
        filter.setupCustomFilters(folder);
    }

    QTemporaryDir dir;
    QString folder;
    CustomFilter filter;
};

TEST_F(CustomFilterTest, ListsTextFilesByTheirNameBeforeTxt)
{
    EXPECT_EQ(filter.filterTitles(), QStringList({"Galaxies", "notes"}));
    EXPECT_EQ(filter.filterPaths(), QStringList({folder + "Galaxies.txt", folder + "notes.txt.bak"}));
    EXPECT_EQ(filter.numCustomFilters(), 4);
    // No tour folder known yet: no files, not those of the working folder.
    filter.setupCustomFilters(QString());
    EXPECT_TRUE(filter.filterPaths().isEmpty());
    EXPECT_EQ(filter.numCustomFilters(), 0);
}

TEST_F(CustomFilterTest, MatchesNameMessierOrNgcExactly)
{
    ASSERT_TRUE(filter.setupFilterObjects(1));
    EXPECT_EQ(filter.numObjectsInFilter(), 4);
    EXPECT_TRUE(filter.findFilterObject(object("Whirlpool", "M51", "NGC 5194")));
    EXPECT_TRUE(filter.findFilterObject(object("Andromeda", "M31", "NGC 224")));
    EXPECT_TRUE(filter.findFilterObject(object("", "", "NGC 253")));
    // A leading space in the file is part of the name.
    EXPECT_FALSE(filter.findFilterObject(object("Triangulum", "M33", "NGC 598")));
    EXPECT_FALSE(filter.findFilterObject(object("whirlpool", "", "")));

    ASSERT_TRUE(filter.setupFilterObjects(2));
    EXPECT_FALSE(filter.findFilterObject(object("Andromeda", "M31", "NGC 224")));
}

TEST_F(CustomFilterTest, AnUnreadableFileAlertsAndKeepsTheNames)
{
    ASSERT_TRUE(filter.setupFilterObjects(1));
    ASSERT_TRUE(QFile::remove(folder + "notes.txt.bak"));
    ScopedAlertRecorder recorder;
    EXPECT_FALSE(filter.setupFilterObjects(2));
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "Can not find filter file:");
    EXPECT_EQ(recorder.alerts[0].message, folder + "notes.txt.bak");
    EXPECT_TRUE(filter.findFilterObject(object("Andromeda", "M31", "NGC 224")));
    // A choice past the listed files is no filter, not a read past the list.
    EXPECT_TRUE(filter.setupFilterObjects(9));
    EXPECT_EQ(recorder.alerts.size(), 1u);
}

TEST_F(CustomFilterTest, AFileOverTheSizeCapIsRefused)
{
    writeFile(folder + "huge.txt", QByteArray(CustomFilter::kMaxFileBytes + 1, 'M'));
    filter.setupCustomFilters(folder);
    const int huge = int(filter.filterTitles().indexOf("huge")) + 1;
    ASSERT_GT(huge, 0);
    ScopedAlertRecorder recorder;
    EXPECT_FALSE(filter.setupFilterObjects(huge));
    EXPECT_EQ(recorder.alerts.size(), 1u);
}

}  // namespace
