#include "model/records/TvkFile.h"
#include "model/records/star.h"
#include "support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Polaris (HIP J2000 place) with the index and magnitude varied.
star makeStar(std::uint32_t index)
{
    star s{};
    s.index = index;
    std::snprintf(s.sao, sizeof s.sao, "%u", 308 + index);
    std::snprintf(s.name, sizeof s.name, "Polaris");
    s.mag = 1.97f + float(index);
    s.raDeg = 37.95456067;
    s.decDeg = 89.26410897;
    s.screenY = -3.25f;
    return s;
}

QByteArray bytesOf(const std::vector<star>& records)
{
    return QByteArray(reinterpret_cast<const char*>(records.data()),
                      qsizetype(records.size() * sizeof(star)));
}

class TvkTable : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }

    static bool writeRaw(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    static QByteArray readRaw(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
};

}  // namespace

// Record 1 of a std::vector<star> has its doubles off their 8-byte alignment.
TEST_F(TvkTable, RecordsSurviveASaveAndLoadByteForByte)
{
    const std::vector<star> stars{makeStar(0), makeStar(1), makeStar(2)};
    ASSERT_TRUE(TvkFile::save<star>(path("Stars.tvk"), stars));
    EXPECT_EQ(readRaw(path("Stars.tvk")), bytesOf(stars));
    std::vector<star> loaded;
    ASSERT_TRUE(TvkFile::load(path("Stars.tvk"), loaded));
    EXPECT_EQ(bytesOf(loaded), bytesOf(stars));
    const double decDeg = loaded[1].decDeg;  // copied: packed doubles may be misaligned
    EXPECT_EQ(decDeg, 89.26410897);

    ASSERT_TRUE(TvkFile::save<star>(path("Empty.tvk"), {}));
    EXPECT_TRUE(TvkFile::load(path("Empty.tvk"), loaded));
    EXPECT_TRUE(loaded.empty());
}

TEST_F(TvkTable, TrailingPartialRecordIsIgnored)
{
    const std::vector<star> stars{makeStar(0), makeStar(1), makeStar(2)};
    ASSERT_TRUE(writeRaw(path("Stars.tvk"), bytesOf(stars).left(2 * 148 + 100)));
    std::vector<star> loaded;
    ASSERT_TRUE(TvkFile::load(path("Stars.tvk"), loaded));
    EXPECT_EQ(bytesOf(loaded), bytesOf({stars[0], stars[1]}));
    EXPECT_TRUE(TvkFile::fromBytes<star>(bytesOf(stars).left(147)).empty());
}

TEST_F(TvkTable, OverlongTextFieldsLoadNulTerminatedWithinTheirWidth)
{
    star s = makeStar(0);
    std::memset(s.sao, '9', sizeof s.sao);
    std::memset(s.name, 'N', sizeof s.name);
    std::memset(s.spectral, 'K', sizeof s.spectral);
    ASSERT_TRUE(writeRaw(path("Stars.tvk"), bytesOf({s})));
    std::vector<star> stars;
    ASSERT_TRUE(TvkFile::load(path("Stars.tvk"), stars));
    ASSERT_EQ(stars.size(), 1u);
    EXPECT_STREQ(stars[0].sao, "999999");
    EXPECT_EQ(std::strlen(stars[0].name), sizeof s.name - 1);
    EXPECT_STREQ(stars[0].spectral, "KKK");
    EXPECT_FLOAT_EQ(stars[0].mag, 1.97f);
}

// A small table stays in the write buffer until the commit, so its write
// fails only there; a large one fails while it is written.
TEST_F(TvkTable, FailedWriteLeavesTheOldFileAsItWas)
{
    const QString target = path("Stars.tvk");
    ASSERT_TRUE(TvkFile::save<star>(target, std::vector<star>{makeStar(0), makeStar(1)}));
    const QByteArray before = readRaw(target);
    for (const std::size_t count : {20u, 500u}) {
        const std::vector<star> stars(count, makeStar(7));
        {
            const FileSizeLimit limit(1024);
            EXPECT_FALSE(TvkFile::save<star>(target, stars)) << count << " stars";
        }
        EXPECT_EQ(readRaw(target), before) << count << " stars";
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"Stars.tvk"});
    }
    // A path under a plain file can be neither written nor made.
    ASSERT_TRUE(writeRaw(path("plain"), "not a folder"));
    EXPECT_FALSE(TvkFile::save<star>(path("plain/Stars.tvk"), std::vector<star>{makeStar(0)}));
    EXPECT_EQ(readRaw(path("plain")), QByteArray("not a folder"));
}

TEST_F(TvkTable, MissingOrUnreadableFileLoadsNothing)
{
    std::vector<star> records{makeStar(0)};
    EXPECT_FALSE(TvkFile::load(path("absent.tvk"), records));
    EXPECT_TRUE(records.empty());
    records.push_back(makeStar(1));
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.tvk"));
    EXPECT_FALSE(TvkFile::load(path("folder.tvk"), records));
    EXPECT_TRUE(records.empty());
}

// A table of several megabytes is read in blocks into memory faulted in
// at once: every record arrives, the overlong ones closed in any block,
// and the records the table held before are gone.
TEST_F(TvkTable, ALargeTableLoadsWholeAndClosedInEveryBlock)
{
    std::vector<star> stars;
    for (std::uint32_t i = 0; i < 30001; ++i)
        stars.push_back(makeStar(i));
    for (std::size_t i = 0; i < stars.size(); i += 3541)
        std::memset(stars[i].name, 'N', sizeof stars[i].name);
    std::memset(stars.back().spectral, 'K', sizeof stars.back().spectral);
    ASSERT_TRUE(writeRaw(path("Stars.tvk"), bytesOf(stars)));

    std::vector<star> loaded(5, makeStar(99));
    ASSERT_TRUE(TvkFile::load(path("Stars.tvk"), loaded));
    ASSERT_EQ(loaded.size(), stars.size());
    for (star& s : stars)
        terminateTextFields(s);
    EXPECT_EQ(bytesOf(loaded), bytesOf(stars));
    EXPECT_EQ(std::strlen(loaded[3541].name), sizeof stars[0].name - 1);
    EXPECT_STREQ(loaded.back().spectral, "KKK");
}
