#include "app/FolderCopy.h"

#include "chart/TestFiles.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>

namespace {

class FolderCopyTest : public ::testing::Test {
protected:
    QString at(const QString& relative) const { return dir.path() + "/" + relative; }
    void write(const QString& relative, const QByteArray& content) { writeFile(at(relative), content); }
    QByteArray read(const QString& relative) const { return readFile(at(relative)); }

    QTemporaryDir dir;
    QString error;
};

}  // namespace

TEST_F(FolderCopyTest, FileCopyKeepsContentAndModificationTime)
{
    // Larger than one read chunk, so the copy loop runs more than once.
    QByteArray content(200000, '\0');
    for (int i = 0; i < content.size(); ++i)
        content[i] = char(i * 7);
    write("source.bin", content);
    const QDateTime old(QDate(2019, 3, 4), QTime(5, 6, 7), QTimeZone::utc());
    {
        QFile source(at("source.bin"));
        ASSERT_TRUE(source.open(QIODevice::Append));
        ASSERT_TRUE(source.setFileTime(old, QFileDevice::FileModificationTime));
    }

    ASSERT_TRUE(FolderCopy::copyFile(at("source.bin"), at("copy.bin"), error)) << error.toStdString();
    EXPECT_EQ(read("copy.bin"), content);
    EXPECT_EQ(QFileInfo(at("copy.bin")).lastModified(), old);
}

TEST_F(FolderCopyTest, FileCopyNeverOverwritesAndNamesTheFailure)
{
    write("source.txt", "new");
    write("target.txt", "keep");
    EXPECT_FALSE(FolderCopy::copyFile(at("source.txt"), at("target.txt"), error));
    EXPECT_EQ(read("target.txt"), "keep");
    EXPECT_TRUE(error.contains(at("target.txt")));

    EXPECT_FALSE(FolderCopy::copyFile(at("missing.txt"), at("other.txt"), error));
    EXPECT_TRUE(error.contains(at("missing.txt")));
    EXPECT_FALSE(QFileInfo::exists(at("other.txt")));
}

TEST_F(FolderCopyTest, FolderCopyTakesNestedAndHiddenFiles)
{
    for (const char* file : {"a.txt", ".hidden", "sub/deeper/b.txt"})
        write(QString("from/") + file, file);
    ASSERT_TRUE(QDir().mkpath(at("from/empty")));

    ASSERT_TRUE(FolderCopy::copyFolder(at("from"), at("to"), error)) << error.toStdString();
    for (const char* file : {"a.txt", ".hidden", "sub/deeper/b.txt"})
        EXPECT_EQ(read(QString("to/") + file), file);
    EXPECT_TRUE(QFileInfo(at("to/empty")).isDir());
}

TEST_F(FolderCopyTest, FolderCopyFailsOnWhatItCannotCopy)
{
    write("from/a.txt", "a");
    ASSERT_TRUE(QFile::link(at("nowhere.txt"), at("from/broken.txt")));
    EXPECT_FALSE(FolderCopy::copyFolder(at("from"), at("to"), error));
    EXPECT_TRUE(error.contains("broken.txt"));

    write("plain.txt", "not a folder");
    EXPECT_FALSE(FolderCopy::copyFolder(at("plain.txt"), at("to2"), error));
    EXPECT_FALSE(FolderCopy::copyFolder(at("absent"), at("to3"), error));
    EXPECT_FALSE(QFileInfo::exists(at("to3")));
}
