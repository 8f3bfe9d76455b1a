#include "app/FolderCopy.h"
#include "find/calendar/LoadedCalendarStore.h"
#include "find/tours/TourFile.h"
#include "model/records/TvkFile.h"
#include "model/records/star.h"
#include "model/settings/PrefMigration.h"
#include "platform/DebugLog.h"

#include "support/FileSizeLimit.h"
#include "support/FullFileSystem.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

// Every file the program writes in place of an earlier one, written when
// the disk is full and when the file-size limit is reached: the earlier file
// stays byte for byte as it was, no half-written file is left beside it, and
// the failure is reported, where the writer reports one, in the system's
// words. (The settings file, the element lists and the orbit file are tried
// the same way with their own tests.)
namespace {

const QByteArray kCalendar = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n"
                             "BEGIN:VEVENT\r\nUID:kept-1\r\nDTSTART:20250101T000000Z\r\nSUMMARY:Old\r\n"
                             "END:VEVENT\r\nEND:VCALENDAR\r\n";

// A writer's outcome: the reason it gave, "failed" when it gives none, or
// nothing when it reports success.
using Outcome = std::optional<QString>;

Outcome fromBool(bool written) { return written ? std::nullopt : Outcome("failed"); }
Outcome fromReason(const QString& reason) { return reason.isEmpty() ? std::nullopt : Outcome(reason); }

// Each writes more than two pages, so that a full disk cannot take it in the
// space left over.
struct Writer {
    const char* name;
    const char* file;   // the file it writes, in the folder
    QByteArray before;  // what that file holds first; empty: it does not exist
    std::function<Outcome(const QString& folder)> write;
};

QStringList manyLines()
{
    QStringList lines;
    for (int i = 1; i <= 1500; ++i)
        lines << QStringLiteral("NGC %1").arg(i);
    return lines;
}

const Writer kWriters[] = {
    {"star table", "Stars.tvk", QByteArray(148 * 3, '\1'),
     [](const QString& folder) {
         return fromBool(TvkFile::save<star>(folder + "/Stars.tvk", std::vector<star>(40)));
     }},
    {"tour replaced", "tour.txt", "M 1\nM 2\n",
     [](const QString& folder) { return fromReason(TourFile::save(folder + "/tour.txt", manyLines(), false)); }},
    {"tour appended", "tour.txt", "M 1\nM 2\n",
     [](const QString& folder) { return fromReason(TourFile::save(folder + "/tour.txt", manyLines(), true)); }},
    {"calendar event", "home.ics", kCalendar,
     [](const QString& folder) {
         const QDateTime start(QDate(2030, 8, 12), QTime(22, 30), QTimeZone::utc());
         return fromBool(LoadedCalendarStore(folder).saveEvent(0, {start, start.addSecs(60), QString(12000, u'P'), {}}));
     }},
    {"debug log", "DebugLog.txt", "*** Norvane Pro  01 Jan 2025 00:00:00 ***\r\r",
     [](const QString& folder) { return fromBool(DebugLog(folder).writeDebugFile(QString(12000, u'e'))); }},
    {"copied data file", "copy.dat", {},
     [](const QString& folder) {
         QString error;
         const bool copied = FolderCopy::copyFile(folder + "/../source.dat", folder + "/copy.dat", error);
         return copied ? Outcome() : Outcome(error);
     }},
    {"settings moved from the earlier edition", "Norvane Pro.ini", {},
     [](const QString& folder) {
         const auto result = PrefMigration::moveEarlierEdition(folder + "/../Norvane 6.ini", folder + "/Norvane Pro.ini");
         return fromBool(result != PrefMigration::Result::CopyFailed);
     }},
};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class WritersOnAFullDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(folder()));
        writeAll(m_dir.filePath("source.dat"), QByteArray(200000, 's'));
        writeAll(m_dir.filePath("Norvane 6.ini"), "[General]\nKey=" + QByteArray(20000, 'v') + "\n");
    }
    QString folder() const { return m_dir.filePath("disk"); }

    void prepare(const Writer& writer) const
    {
        QDir(folder()).removeRecursively();
        QDir().mkpath(folder());
        if (!writer.before.isEmpty())
            writeAll(folder() + "/" + writer.file, writer.before);
    }

    // The writer failed as it should and left the folder as it found it.
    void expectKept(const Writer& writer, const Outcome& outcome, int code) const
    {
        const QString reason = QString::fromLocal8Bit(std::strerror(code));
        ASSERT_TRUE(outcome.has_value()) << writer.name << " reported success";
        if (*outcome != "failed") {
            EXPECT_TRUE(outcome->endsWith(reason)) << writer.name << ": " << outcome->toStdString();
        }
        const QStringList expected = writer.before.isEmpty() ? QStringList() : QStringList{writer.file};
        QStringList files = QDir(folder()).entryList(QDir::Files);
        files.removeAll("filler");
        EXPECT_EQ(files, expected) << writer.name;
        if (!writer.before.isEmpty()) {
            EXPECT_EQ(readAll(folder() + "/" + writer.file), writer.before) << writer.name;
        }
    }

private:
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(WritersOnAFullDisk, EveryWriterKeepsTheEarlierFileUnderAFileSizeLimit)
{
    for (const Writer& writer : kWriters) {
        prepare(writer);
        Outcome outcome;
        {
            const FileSizeLimit limit(2048);
            outcome = writer.write(folder());
        }
        expectKept(writer, outcome, EFBIG);
        // With room, each writes: the failure above was the limit's.
        EXPECT_FALSE(writer.write(folder()).has_value()) << writer.name;
    }
}

TEST_F(WritersOnAFullDisk, EveryWriterKeepsTheEarlierFileOnAFullFileSystem)
{
    for (const Writer& writer : kWriters) {
        for (const qint64 leaveFree : {0, 4096}) {
            const FullFileSystem disk(folder());
            if (!disk.isMounted())
                GTEST_SKIP() << "mounting a small file system needs the right to";
            prepare(writer);
            disk.fill(leaveFree);
            expectKept(writer, writer.write(folder()), ENOSPC);
        }
    }
}
