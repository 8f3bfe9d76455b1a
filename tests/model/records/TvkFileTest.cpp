#include "model/records/RecordConstants.h"
#include "model/records/TvkFile.h"
#include "model/records/cityList.h"
#include "model/records/minorPlanet.h"
#include "model/records/star.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <vector>

namespace {

template <class Record>
QByteArray bytesOf(const std::vector<Record>& records)
{
    return QByteArray(reinterpret_cast<const char*>(records.data()),
                      qsizetype(records.size() * sizeof(Record)));
}

template <class Record>
bool sameBytes(const Record& a, const Record& b)
{
    return std::memcmp(&a, &b, sizeof(Record)) == 0;
}

// Polaris (SAO 308, HIP J2000 place) with the index and magnitude varied.
star makeStar(std::uint32_t index)
{
    star s{};
    s.index = index;
    std::snprintf(s.sao, sizeof s.sao, "%u", 308 + index);
    std::snprintf(s.bayer, sizeof s.bayer, "Alp UMi");
    std::snprintf(s.name, sizeof s.name, "Polaris");
    s.mag = 1.97f + float(index);
    std::snprintf(s.spectral, sizeof s.spectral, "F7");
    s.color = 'W';
    s.raDeg = 37.95456067;
    s.decDeg = 89.26410897;
    s.vecX = 0.0101;
    s.vecY = 0.0079;
    s.vecZ = 0.99992;
    s.state = kStateOnScreen;
    s.screenX = 12.5f;
    s.screenY = -3.25f;
    return s;
}

minorPlanet makeCeres()
{
    minorPlanet m{};
    m.index = 0;
    std::snprintf(m.name, sizeof m.name, "Ceres");
    std::snprintf(m.designation, sizeof m.designation, "00001");
    m.semiMajorAxis = 2.7670463f;
    m.eccentricity = 0.0785115f;
    m.inclination = 10.58769f;
    m.vecX = -0.25;  // the first double, at an offset that is not a multiple of 8
    m.epochYear = 2023;
    m.epochMonth = 9;
    m.source = kMPSourceNumbered;
    return m;
}

// Lowers the largest file this process may write, so that a write fails
// part-way as on a full disk; restores the limit and the signal when done.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = SIG_DFL;
};

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

TEST_F(TvkTable, RecordsSurviveASaveAndLoadByteForByte)
{
    ASSERT_TRUE(dir_.isValid());
    const std::vector<star> stars{makeStar(0), makeStar(1), makeStar(2)};
    ASSERT_TRUE(TvkFile::save<star>(path("Stars.tvk"), stars));
    EXPECT_EQ(QFileInfo(path("Stars.tvk")).size(), 3 * 148);

    std::vector<star> loaded;
    ASSERT_TRUE(TvkFile::load(path("Stars.tvk"), loaded));
    ASSERT_EQ(loaded.size(), 3u);
    for (std::size_t i = 0; i < stars.size(); ++i)
        EXPECT_TRUE(sameBytes(loaded[i], stars[i])) << "star " << i;
    EXPECT_STREQ(loaded[2].sao, "310");
    const double decDeg = loaded[1].decDeg;  // copied: packed doubles may be misaligned
    EXPECT_EQ(decDeg, 89.26410897);

    const std::vector<minorPlanet> planets{makeCeres()};
    ASSERT_TRUE(TvkFile::save<minorPlanet>(path("MinorPlanets.tvk"), planets));
    std::vector<minorPlanet> loadedPlanets;
    ASSERT_TRUE(TvkFile::load(path("MinorPlanets.tvk"), loadedPlanets));
    ASSERT_EQ(loadedPlanets.size(), 1u);
    EXPECT_TRUE(sameBytes(loadedPlanets[0], planets[0]));
}

TEST_F(TvkTable, EmptyTableSavesAnEmptyFileAndLoadsNoRecords)
{
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(TvkFile::save<cityList>(path("USCity.tvk"), {}));
    EXPECT_EQ(QFileInfo(path("USCity.tvk")).size(), 0);
    std::vector<cityList> loaded(2);
    EXPECT_TRUE(TvkFile::load(path("USCity.tvk"), loaded));
    EXPECT_TRUE(loaded.empty());
}

TEST_F(TvkTable, TrailingPartialRecordIsIgnored)
{
    ASSERT_TRUE(dir_.isValid());
    const std::vector<star> stars{makeStar(0), makeStar(1), makeStar(2)};
    const QByteArray whole = bytesOf(stars);
    ASSERT_TRUE(writeRaw(path("Stars.tvk"), whole.left(2 * 148 + 100)));

    std::vector<star> loaded;
    ASSERT_TRUE(TvkFile::load(path("Stars.tvk"), loaded));
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_TRUE(sameBytes(loaded[0], stars[0]));
    EXPECT_TRUE(sameBytes(loaded[1], stars[1]));

    EXPECT_TRUE(TvkFile::fromBytes<star>(whole.left(147)).empty());
}

TEST_F(TvkTable, OverlongTextFieldsLoadNulTerminatedWithinTheirWidth)
{
    ASSERT_TRUE(dir_.isValid());
    star s = makeStar(0);
    std::memset(s.sao, '9', sizeof s.sao);
    std::memset(s.bayer, 'B', sizeof s.bayer);
    std::memset(s.name, 'N', sizeof s.name);
    std::memset(s.spectral, 'K', sizeof s.spectral);
    cityList c{};
    std::memset(c.name, 'x', sizeof c.name);
    c.latitude = 51.4779f;
    ASSERT_TRUE(writeRaw(path("Stars.tvk"), bytesOf(std::vector<star>{s})));
    ASSERT_TRUE(writeRaw(path("WorldCity.tvk"), bytesOf(std::vector<cityList>{c})));

    std::vector<star> stars;
    ASSERT_TRUE(TvkFile::load(path("Stars.tvk"), stars));
    ASSERT_EQ(stars.size(), 1u);
    EXPECT_STREQ(stars[0].sao, "999999");
    EXPECT_EQ(std::strlen(stars[0].bayer), sizeof s.bayer - 1);
    EXPECT_EQ(std::strlen(stars[0].name), sizeof s.name - 1);
    EXPECT_STREQ(stars[0].spectral, "KKK");
    EXPECT_FLOAT_EQ(stars[0].mag, 1.97f);

    std::vector<cityList> cities;
    ASSERT_TRUE(TvkFile::load(path("WorldCity.tvk"), cities));
    ASSERT_EQ(cities.size(), 1u);
    EXPECT_EQ(std::strlen(cities[0].name), sizeof c.name - 1);
    EXPECT_FLOAT_EQ(cities[0].latitude, 51.4779f);
}

// A small table stays in the write buffer until the commit, so its write
// fails only there; a large one fails while it is written.
TEST_F(TvkTable, FailedWriteLeavesTheOldFileAsItWas)
{
    ASSERT_TRUE(dir_.isValid());
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
}

TEST_F(TvkTable, SaveIntoAPathUnderAFileFailsAndCreatesNothing)
{
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(writeRaw(path("plain"), "not a folder"));
    EXPECT_FALSE(TvkFile::save<star>(path("plain/Stars.tvk"), std::vector<star>{makeStar(0)}));
    EXPECT_EQ(readRaw(path("plain")), QByteArray("not a folder"));
}

TEST_F(TvkTable, MissingOrUnreadableFileLoadsNothing)
{
    ASSERT_TRUE(dir_.isValid());
    std::vector<star> records{makeStar(0)};
    EXPECT_FALSE(TvkFile::load(path("absent.tvk"), records));
    EXPECT_TRUE(records.empty());

    records.push_back(makeStar(1));
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.tvk"));
    EXPECT_FALSE(TvkFile::load(path("folder.tvk"), records));
    EXPECT_TRUE(records.empty());
}
