#include "platform/CheckedDownload.h"

#include "support/FileSizeLimit.h"
#include "support/LocalHttpServer.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <chrono>

namespace {

using Delivery = LocalHttpServer::Delivery;
using namespace std::chrono_literals;

const QByteArray kOld = "the file as it was\n";
const QByteArray kGood = QByteArray("DATA\n") + QByteArray(20000, 'd');
constexpr qint64 kMaximum = 64 * 1024;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The content check: a data file starts with "DATA".
QString startsWithData(const QString& path)
{
    return readAll(path).startsWith("DATA") ? QString() : QStringLiteral("No data.");
}

}  // namespace

// A hostile server: whatever it does, the download ends within its bounds,
// the old file stays and the reason is given. A trickle once held a
// download for ever and any size went to disk.
TEST(CheckedDownload, AHostileServerNeitherHoldsTheDownloadNorReplacesTheFile)
{
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    QNetworkAccessManager network;
    LocalHttpServer server;
    QTemporaryDir dir;
    const QString target = dir.filePath("data.txt");
    const QByteArray huge = "DATA\n" + QByteArray(4 << 20, 'h');
    const struct {
        LocalHttpServer::Response answer;
        QString why;
    } cases[] = {
        {{200, kGood, Delivery::Slow, 1, 10ms}, "The server did not answer in time."},
        {{200, kGood, Delivery::Slow, 100, 5s}, "The server did not answer in time."},
        {{200, huge}, "The answer is longer than 65536 bytes."},
        {{200, huge, Delivery::NoLength}, "The answer is longer than 65536 bytes."},
        {{200, "<html><body>Busy</body></html>"}, "No data."},
        {{200, kGood, Delivery::Truncated}, "*"},
        {{503, kGood}, "*"},
    };
    for (const auto& [answer, why] : cases) {
        QFile::remove(target);
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(kOld);
        old.close();
        server.serve("/data.txt", answer);
        CheckedDownload download(network);
        QSignalSpy finished(&download, &CheckedDownload::finished);
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(download.start(server.url("/data.txt"), target, 300ms, kMaximum, startsWithData));
        ASSERT_TRUE(finished.wait(5000)) << why.toStdString();
        EXPECT_LT(clock.elapsed(), 2000) << why.toStdString();
        const QString error = finished.front().front().toString();
        if (why == "*")
            EXPECT_FALSE(error.isEmpty());
        else
            EXPECT_EQ(error, why);
        EXPECT_EQ(readAll(target), kOld) << why.toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"data.txt"}) << why.toStdString();
    }

    // A whole answer that passes the check takes the file's place; one that
    // cannot be written leaves it and says why.
    server.serve("/data.txt", kGood);
    CheckedDownload download(network);
    QSignalSpy finished(&download, &CheckedDownload::finished);
    {
        const FileSizeLimit limit(4096);
        ASSERT_TRUE(download.start(server.url("/data.txt"), target, 300ms, kMaximum, startsWithData));
        ASSERT_TRUE(finished.wait(5000));
    }
    EXPECT_EQ(finished.takeFirst().front().toString(), "The file could not be written: File too large");
    EXPECT_EQ(readAll(target), kOld);
    ASSERT_TRUE(download.start(server.url("/data.txt"), target, 300ms, kMaximum, startsWithData));
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(finished.takeFirst().front().toString(), "");
    EXPECT_EQ(readAll(target), kGood);
}
