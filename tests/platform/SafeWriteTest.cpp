#include "platform/SafeWrite.h"

#include "support/FileSizeLimit.h"
#include "support/FullFileSystem.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <functional>
#include <new>

namespace {

const QByteArray kOld = "the file as it was\n";

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString reason(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

// Each way of writing: a replacement small enough to stay in the write
// buffer until the commit (Qt 6.4 then renamed the cut file and reported
// success), a large one, one written in pieces, and an append.
struct Writer {
    const char* name;
    std::function<QString(const QString& path)> write;
};

const Writer kWriters[] = {
    {"small replace", [](const QString& path) { return SafeWrite::replace(path, QByteArray(5000, 's')); }},
    {"large replace", [](const QString& path) { return SafeWrite::replace(path, QByteArray(600000, 'l')); }},
    {"in pieces",
     [](const QString& path) {
         SafeWrite file(path);
         if (file.open()) {
             for (int i = 0; i < 40 && file.write(QByteArray(1000, 'p')); ++i) {}
             file.commit();
         }
         return file.error();
     }},
    {"append",
     [](const QString& path) { return SafeWrite::append(path, QByteArray(300000, 'a'), SafeWrite::Append::Existing); }},
    {"replace beside work",
     [](const QString& path) {
         return SafeWrite::replace(path, QByteArray(600000, 'w'), [] { ADD_FAILURE() << "work after a failed write"; });
     }},
};

class SafeWriteTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString folder() const { return m_dir.filePath("disk"); }
    QString target() const { return folder() + "/file.txt"; }
    QStringList files() const { return QDir(folder()).entryList(QDir::Files); }

    void writeOld() const
    {
        QFile file(target());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(kOld), kOld.size());
    }

private:
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(SafeWriteTest, OnAFullDiskEveryWriteKeepsTheOldFileAndGivesTheSystemsReason)
{
    const FullFileSystem disk(folder());
    if (!disk.isMounted())
        GTEST_SKIP() << "mounting a small file system needs the right to";
    for (const Writer& writer : kWriters) {
        for (const qint64 leaveFree : {0, 4096}) {
            writeOld();
            disk.fill(leaveFree);
            EXPECT_EQ(writer.write(target()), reason(ENOSPC)) << writer.name << " " << leaveFree;
            EXPECT_EQ(readAll(target()), kOld) << writer.name << " " << leaveFree;
            disk.empty();
            EXPECT_EQ(files(), QStringList{"file.txt"}) << writer.name;
        }
    }
}

TEST_F(SafeWriteTest, UnderAFileSizeLimitEveryWriteKeepsTheOldFileAndGivesTheSystemsReason)
{
    ASSERT_TRUE(QDir().mkpath(folder()));
    for (const Writer& writer : kWriters) {
        writeOld();
        {
            const FileSizeLimit limit(2048);
            EXPECT_EQ(writer.write(target()), reason(EFBIG)) << writer.name;
        }
        EXPECT_EQ(readAll(target()), kOld) << writer.name;
        EXPECT_EQ(files(), QStringList{"file.txt"}) << writer.name;
    }
}

TEST_F(SafeWriteTest, WritesThatFitReplaceOrAppendWhole)
{
    ASSERT_TRUE(QDir().mkpath(folder()));
    EXPECT_EQ(SafeWrite::append(target(), "head\n", SafeWrite::Append::New), "");
    EXPECT_NE(SafeWrite::append(target(), "again\n", SafeWrite::Append::New), "");
    EXPECT_EQ(SafeWrite::append(target(), "entry\n", SafeWrite::Append::Existing), "");
    EXPECT_EQ(readAll(target()), "head\nentry\n");
    EXPECT_EQ(SafeWrite::replace(target(), "new\n"), "");
    EXPECT_EQ(readAll(target()), "new\n");
    {
        SafeWrite dropped(target());
        ASSERT_TRUE(dropped.open());
        ASSERT_TRUE(dropped.write("never\n"));
    }
    EXPECT_EQ(readAll(target()), "new\n");
    EXPECT_EQ(files(), QStringList{"file.txt"});
    EXPECT_EQ(SafeWrite::replace(folder() + "/missing/file.txt", "x"), reason(ENOENT));
}

// The work beside a replacement may change the bytes once it starts; the
// old file stays until the work is done, and for good when the work fails.
TEST_F(SafeWriteTest, AReplacementBesideWorkTakesThePlaceOnlyOnceTheWorkIsDone)
{
    ASSERT_TRUE(QDir().mkpath(folder()));
    writeOld();
    QByteArray bytes(600000, 'w');
    bool worked = false;
    EXPECT_EQ(SafeWrite::replace(target(), bytes,
                                 [&] {
                                     worked = true;
                                     EXPECT_EQ(readAll(target()), kOld);
                                     bytes.fill('x');
                                 }),
              "");
    EXPECT_TRUE(worked);
    EXPECT_EQ(readAll(target()), QByteArray(600000, 'w'));

    EXPECT_THROW(SafeWrite::replace(target(), "never\n", [] { throw std::bad_alloc(); }), std::bad_alloc);
    EXPECT_EQ(readAll(target()), QByteArray(600000, 'w'));
    EXPECT_EQ(files(), QStringList{"file.txt"});
}

TEST_F(SafeWriteTest, ANewFileCutShortKeepsItsWholePiecesAndTheSystemsReason)
{
    ASSERT_TRUE(QDir().mkpath(folder()));
    const QByteArray piece(1000, 'n');
    const auto writePieces = [&](const QString& path) {
        SafeWrite::NewFile file(path);
        EXPECT_TRUE(file.open());
        int whole = 0;
        while (whole < 1000 && file.write(piece)) {
            file.markComplete();
            ++whole;
        }
        EXPECT_FALSE(file.close());
        return std::make_pair(whole, file.error());
    };
    {
        const FileSizeLimit limit(5500);
        const auto [whole, error] = writePieces(target());
        EXPECT_EQ(whole, 5);
        EXPECT_EQ(error, reason(EFBIG));
    }
    EXPECT_EQ(readAll(target()), piece.repeated(5)) << "the piece cut short is gone";

    // Never over a file already there, and never removing it.
    SafeWrite::NewFile again(target());
    EXPECT_FALSE(again.open());
    EXPECT_FALSE(again.error().isEmpty());
    again.remove();
    EXPECT_EQ(readAll(target()), piece.repeated(5));
    QFile::remove(target());

    const FullFileSystem disk(folder());
    if (!disk.isMounted())
        GTEST_SKIP() << "mounting a small file system needs the right to";
    disk.fill(4096 * 3 + 500);
    const auto [whole, error] = writePieces(target());
    EXPECT_EQ(error, reason(ENOSPC));
    EXPECT_GE(whole, 12);
    EXPECT_EQ(readAll(target()), piece.repeated(whole));
}
