#include "find/tours/PlannerExport.h"
#include "find/tours/TourFile.h"
#include "find/TypedPosition.h"
#include "support/QStringPrinter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <numbers>

#include <gtest/gtest.h>

namespace {

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

}  // namespace

TEST(TourFile, EveryLineEndingAndEmptyLinesReadAlike)
{
    QTemporaryDir dir;
    const QStringList expected = {"M 31", QString::fromUtf8("Albir\u00e9o"), "NGC 7000"};
    // Mac OS Roman: 0x8E is e acute.
    for (const QByteArray& bytes : {QByteArray("M 31\rAlbir\x8eo\rNGC 7000"), QByteArray("M 31\nAlbir\x8eo\n\nNGC 7000\n"),
                                    QByteArray("M 31\r\nAlbir\x8eo\r\n\r\nNGC 7000\r\n")}) {
        const std::optional<QString> text = TourFile::readText(write(dir, "t.txt", bytes));
        ASSERT_TRUE(text);
        EXPECT_EQ(TourFile::splitLines(*text), expected) << bytes.toStdString();
    }
    EXPECT_FALSE(TourFile::readText(dir.filePath("missing.txt")));
}

TEST(TourFile, SavingWritesMacRomanAndAppendsOnlyWhenAsked)
{
    QTemporaryDir dir;
    const QString path = write(dir, "t.txt", "Old\n");
    ASSERT_EQ(TourFile::save(path, {"M 1", QString::fromUtf8("Albir\u00e9o")}, true), "");
    EXPECT_EQ(contents(path), QByteArray("Old\nM 1\nAlbir\x8eo\n"));
    ASSERT_EQ(TourFile::save(path, {"M 2"}, false), "");
    EXPECT_EQ(contents(path), QByteArray("M 2\n"));
    ASSERT_EQ(TourFile::save(dir.filePath("new.txt"), {"M 3"}, true), "") << "a missing file counts as empty";
    EXPECT_EQ(contents(dir.filePath("new.txt")), QByteArray("M 3\n"));
}

TEST(TourFile, AnUnreadableFileInAppendModeIsLeftAlone)
{
    QTemporaryDir dir;
    // A folder where the file should be cannot be read or replaced.
    const QString path = dir.filePath("t.txt");
    ASSERT_TRUE(QDir().mkdir(path));
    write(dir, "t.txt/kept", "Kept\n");
    EXPECT_NE(TourFile::save(path, {"M 1"}, true), "");
    EXPECT_NE(TourFile::save(path, {"M 1"}, false), "");
    EXPECT_EQ(contents(path + "/kept"), QByteArray("Kept\n"));
    EXPECT_NE(TourFile::save(dir.filePath("no/such/folder.txt"), {"M 1"}, false), "");
}

TEST(PlannerExport, TypedPositionsFollowThePlannersFormat)
{
    struct Case {
        double hours, degrees;
        const char* text;
    };
    // Just south of the equator was once written "- 0", which the finder refuses.
    for (const Case& c : {Case{5.5, -0.5, "05:30.0000:-00:30.0000"}, Case{5.5, 0.5, "05:30.0000:+0:30.0000"},
                          Case{12.25, -23.75, "12:15.0000:-23:45.0000"}, Case{0.0, 41.25, "00:0.0000:+41:15.0000"}}) {
        const QString text = PlannerExport::coordinateText(c.hours, c.degrees);
        EXPECT_EQ(text, QString(c.text)) << c.text;
        const TypedPosition::Result read = TypedPosition::parse(text);
        ASSERT_EQ(read.outcome, TypedPosition::Outcome::Position) << c.text;
        EXPECT_NEAR(read.position.dec * 180.0 / std::numbers::pi, c.degrees, 1e-9) << c.text;
    }
}

TEST(PlannerExport, RowsBecomeIdsAndPositions)
{
    const QString text = QStringLiteral(
        "<<Header>>\nstuff\n<<Objects>>\r\n"
        "\tM 31\tAndromeda\t0.7\t41.27\t\t\t\t\tGalaxy\n"
        "\tX\tVega\t18.6\t38.78\t\t\t\t\tStar\n"
        "\tC/2020 F3\t\t\t\t\t\t\t\tComet\n"
        "\t\t\t\n"              // a short row without a position
        "\tM 42\tOrion\t5.5\n"  // no declination
        "\tNGC 1\n"
        "<<Observations>>\n\tM 99\t\t12\t14\n");
    ASSERT_TRUE(PlannerExport::isExport(text));
    const PlannerExport plan = PlannerExport::parse(text);
    EXPECT_EQ(plan.names, QStringList({"M 31", "Vega", "C/2020 F3"}));
    EXPECT_EQ(plan.coordinates, QStringList({"00:42.0000:+41:16.2000", "18:36.0000:+38:46.8000", "-1"}));

    const PlannerExport noIds = PlannerExport::parse("<<Objects>>\n\t\t\t1\t2\n\t\tB\t3\t4\n");
    EXPECT_EQ(noIds.names, QStringList({"No ID", "No ID"}));
}
