#include "chart/FolderCopy.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>

namespace {

const QDateTime kOldTime(QDate(2019, 3, 4), QTime(5, 6, 7), QTimeZone::utc());

void writeFile(const QString& path, const QByteArray& content)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(content), content.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FolderCopyTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString at(const QString& relative) const { return dir.path() + "/" + relative; }

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
    writeFile(at("source.bin"), content);
    {
        QFile source(at("source.bin"));
        ASSERT_TRUE(source.open(QIODevice::Append));
        ASSERT_TRUE(source.setFileTime(kOldTime, QFileDevice::FileModificationTime));
    }

    ASSERT_TRUE(FolderCopy::copyFile(at("source.bin"), at("copy.bin"), error)) << error.toStdString();
    EXPECT_EQ(readFile(at("copy.bin")), content);
    EXPECT_EQ(QFileInfo(at("copy.bin")).lastModified(), kOldTime);
}

TEST_F(FolderCopyTest, FileCopyNeverOverwritesAndNamesTheFailure)
{
    writeFile(at("source.txt"), "new");
    writeFile(at("target.txt"), "keep");
    EXPECT_FALSE(FolderCopy::copyFile(at("source.txt"), at("target.txt"), error));
    EXPECT_EQ(readFile(at("target.txt")), "keep");
    EXPECT_TRUE(error.contains(at("target.txt")));

    EXPECT_FALSE(FolderCopy::copyFile(at("missing.txt"), at("other.txt"), error));
    EXPECT_TRUE(error.contains(at("missing.txt")));
    EXPECT_FALSE(QFileInfo::exists(at("other.txt")));
}

TEST_F(FolderCopyTest, FolderCopyTakesNestedAndHiddenFiles)
{
    writeFile(at("from/a.txt"), "a");
    writeFile(at("from/.hidden"), "h");
    writeFile(at("from/sub/deeper/b.txt"), "b");
    ASSERT_TRUE(QDir().mkpath(at("from/empty")));

    ASSERT_TRUE(FolderCopy::copyFolder(at("from"), at("to"), error)) << error.toStdString();
    EXPECT_EQ(readFile(at("to/a.txt")), "a");
    EXPECT_EQ(readFile(at("to/.hidden")), "h");
    EXPECT_EQ(readFile(at("to/sub/deeper/b.txt")), "b");
    EXPECT_TRUE(QFileInfo(at("to/empty")).isDir());
}

TEST_F(FolderCopyTest, FolderCopyFailsOnWhatItCannotCopy)
{
    writeFile(at("from/a.txt"), "a");
    ASSERT_TRUE(QFile::link(at("nowhere.txt"), at("from/broken.txt")));
    EXPECT_FALSE(FolderCopy::copyFolder(at("from"), at("to"), error));
    EXPECT_TRUE(error.contains("broken.txt"));

    writeFile(at("plain.txt"), "not a folder");
    EXPECT_FALSE(FolderCopy::copyFolder(at("plain.txt"), at("to2"), error));
    EXPECT_FALSE(FolderCopy::copyFolder(at("absent"), at("to3"), error));
    EXPECT_FALSE(QFileInfo::exists(at("to3")));
}

TEST_F(FolderCopyTest, SameContentComparesBytes)
{
    writeFile(at("a"), "abcdef");
    writeFile(at("b"), "abcdef");
    writeFile(at("c"), "abcdeg");
    EXPECT_TRUE(FolderCopy::sameContent(at("a"), at("b")));
    EXPECT_FALSE(FolderCopy::sameContent(at("a"), at("c")));
    EXPECT_FALSE(FolderCopy::sameContent(at("a"), at("missing")));
    EXPECT_FALSE(FolderCopy::sameContent(at("missing"), at("missing")));
}
