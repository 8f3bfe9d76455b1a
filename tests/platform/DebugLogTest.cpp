#include "platform/DebugLog.h"

#include "platform/MacRoman.h"

#include "support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <thread>

namespace {

QString readLog(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return MacRoman::decode(file.readAll());
}

}  // namespace

TEST(DebugLog, NewFileStartsWithTheHeaderAndPortList)
{
    QTemporaryDir dir;
    DebugLog log(dir.path());
    log.setPortListProvider([] { return QStringList{"/dev/ttyUSB0", "/dev/ttyACM1"}; });
    ASSERT_TRUE(log.writeDebugFile("connect"));

    const QString text = readLog(log.path());
    static const QRegularExpression header(
        "^\\*\\*\\* Norvane Pro  \\d\\d [A-Z][a-z]{2} \\d{4} \\d\\d:\\d\\d:\\d\\d \\*\\*\\*\r\r"
        "(Version: [^\r]+\r)?[^\r]*: [^\r]*\r"
        "CPU: -?\\d+, Subtype: -?\\d+\r"
        "/dev/ttyUSB0\r/dev/ttyACM1\r"
        "\r\\d\\d:\\d\\d:\\d\\d:\\d{3}  connect$");
    EXPECT_TRUE(header.match(text).hasMatch()) << text.toStdString();
}

TEST(DebugLog, EntriesAppendAndADeletedFileIsRecreatedWithItsHeader)
{
    QTemporaryDir dir;
    DebugLog log(dir.path());
    ASSERT_TRUE(log.writeDebugFile("disconnect\r"));
    ASSERT_TRUE(log.writeDebugFile("next"));
    QString text = readLog(log.path());
    // A message ending in a return leaves an empty line.
    static const QRegularExpression tail("disconnect\r\r\\d\\d:\\d\\d:\\d\\d:\\d{3}  next$");
    EXPECT_TRUE(tail.match(text).hasMatch()) << text.toStdString();
    EXPECT_EQ(text.count("*** Norvane Pro"), 1);

    ASSERT_TRUE(QFile::remove(log.path()));
    ASSERT_TRUE(log.writeDebugFile("two"));
    text = readLog(log.path());
    EXPECT_TRUE(text.startsWith("*** Norvane Pro  "));
    EXPECT_FALSE(text.contains("next"));
    EXPECT_TRUE(text.endsWith("  two"));
}

TEST(DebugLog, WritesMacRomanAndReportsAnUncreatableFile)
{
    QTemporaryDir dir;
    DebugLog log(dir.path());
    ASSERT_TRUE(log.writeDebugFile(QString::fromUtf8("Alt 45°")));
    QFile file(log.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("Alt 45\xA1"));

    DebugLog missing(dir.filePath("no/such/folder"));
    EXPECT_FALSE(missing.writeDebugFile("lost"));
}

// Entries went on reporting success while a full disk or a size limit
// swallowed them, and a cut entry stayed in the file.
TEST(DebugLog, AnEntryThatDoesNotFitIsReportedAndLeavesTheLogAsItWas)
{
    QTemporaryDir dir;
    DebugLog log(dir.path());
    ASSERT_TRUE(log.writeDebugFile("first"));
    const QString before = readLog(log.path());
    {
        const FileSizeLimit limit(rlim_t(before.size()) + 5);
        EXPECT_FALSE(log.writeDebugFile("an entry longer than the room left"));
    }
    EXPECT_EQ(readLog(log.path()), before);

    // A new log whose header does not fit is not left without its header.
    ASSERT_TRUE(QFile::remove(log.path()));
    {
        const FileSizeLimit limit(20);
        EXPECT_FALSE(log.writeDebugFile("lost"));
    }
    EXPECT_FALSE(QFile::exists(log.path()));
    ASSERT_TRUE(log.writeDebugFile("kept"));
    EXPECT_TRUE(readLog(log.path()).startsWith("*** Norvane Pro  "));

    // A disk with no room at all.
    ASSERT_TRUE(QFile::remove(log.path()));
    ASSERT_TRUE(QFile::link("/dev/full", log.path()));
    EXPECT_FALSE(log.writeDebugFile("nowhere"));
}

// The mount worker and the main thread log at once: a new file's header must
// come first, and every entry arrives whole.
TEST(DebugLog, TwoThreadsAppendingAtOnceKeepTheHeaderFirstAndEveryEntryWhole)
{
    QTemporaryDir dir;
    DebugLog log(dir.path());
    constexpr int kEntries = 200;
    const auto writer = [&log](char tag) {
        for (int i = 0; i < kEntries; ++i)
            log.writeDebugFile(QString("%1%2").arg(tag).arg(i, 4, 10, QChar('0')));
    };
    std::thread worker(writer, 'w');
    writer('m');
    worker.join();

    const QString text = readLog(log.path());
    EXPECT_TRUE(text.startsWith("*** Norvane Pro  "));
    EXPECT_EQ(text.count("*** Norvane Pro"), 1);
    static const QRegularExpression entry("\r\\d\\d:\\d\\d:\\d\\d:\\d{3}  [mw]\\d{4}(?=\r|$)");
    EXPECT_EQ(text.count(entry), 2 * kEntries);
}
