#include "prefs/CityDataSource.h"
#include "prefs/CityTable.h"

#include "support/FileSizeLimit.h"
#include "support/RecordingAlertPresenter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// A user data folder holding only what a test writes into it.
class CityTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("Database"));
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("Build Data"));
    }

    QString database() const { return m_dir.path() + "/Database/"; }
    QString build() const { return m_dir.path() + "/Build Data/"; }
    QString binary() const { return database() + "USCity.tvk"; }
    QString text() const { return build() + "BuildUSCity.txt"; }
    CityTable table() const { return CityTable({binary(), text(), "Startup Failed"}); }

    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static cityList city(const char* name, float latitude, float longitude, float zone)
    {
        cityList c{};
        std::strncpy(c.name, name, sizeof c.name - 2);
        c.latitude = latitude;
        c.longitude = longitude;
        c.timeZone = zone;
        return c;
    }
    static QByteArray bytesOf(const std::vector<cityList>& cities)
    {
        return QByteArray(reinterpret_cast<const char*>(cities.data()), qsizetype(cities.size() * sizeof(cityList)));
    }
    static std::vector<cityList> tenCities()
    {
        std::vector<cityList> cities;
        for (int i = 0; i < 10; ++i)
            cities.push_back(
                city(QByteArray("City ").append(QByteArray::number(i)).constData(), 10.0f + i, -20.0f - i, -5.0f));
        return cities;
    }

    ScopedAlertRecorder recorder;

private:
    QTemporaryDir m_dir;
};

TEST_F(CityTableTest, BinaryFilesBelowTenRecordsAreNotLoadedAndATrailingPartIsIgnored)
{
    const QByteArray ten = bytesOf(tenCities());
    const struct {
        qsizetype bytes;
        std::size_t rows;
    } cases[] = {{479, 0}, {480, 10}, {500, 10}};
    for (const auto& c : cases) {
        write(binary(), (ten + QByteArray(20, '\0')).left(c.bytes));
        CityTable cities = table();
        cities.create();
        EXPECT_EQ(cities.size(), c.rows) << c.bytes;
    }
    EXPECT_TRUE(recorder.alerts.empty());
}

TEST_F(CityTableTest, BuildsFromTheTextRoundingDegreesAndMinutesAndWritesTheBinary)
{
    // Mac OS Roman 0x9F is u-umlaut; the record keeps the byte, the list shows the letter.
    write(text(),
          "2\tcities\n"
          "Sydney, AU\t33\t52\tS\t151\t13\tE\t10\n"
          "Z\x9Frich, CH\t47\t22\tN\t8\t33\tE\t1\r\n");
    CityTable cities = table();
    cities.create();
    ASSERT_EQ(cities.size(), 2u);
    EXPECT_NEAR(cities.record(0).latitude, -33.8667, 1e-4);
    EXPECT_NEAR(cities.record(0).longitude, 151.2167, 1e-4);
    EXPECT_EQ(cities.record(0).timeZone, 10.0f);
    EXPECT_EQ(cities.names(), QStringList({"Sydney, AU", QString::fromUtf8("Z\u00fcrich, CH")}));
    EXPECT_EQ(read(binary()).size(), 2 * 48);

    // The next start reads the binary file even without the text.
    ASSERT_TRUE(QFile::remove(text()));
    write(binary(), read(binary()) + bytesOf(tenCities()));
    CityTable again = table();
    again.create();
    EXPECT_EQ(again.size(), 12u);
    EXPECT_EQ(again.names().value(1), QString::fromUtf8("Z\u00fcrich, CH"));
    EXPECT_TRUE(recorder.alerts.empty());
}

TEST_F(CityTableTest, ABadTextAlertsWritesNothingAndLeavesTheTableEmpty)
{
    const struct {
        const char* what;
        QByteArray text;
    } cases[] = {
        {"seven fields on the third line",
         "3\n"
         "A\t1\t0\tN\t1\t0\tE\t0\nB\t1\t0\tN\t1\t0\tE\t0\nC\t1\t0\tN\t1\t0\tE\n"},
        {"a count far beyond the lines", "10000000\nA\t1\t0\tN\t1\t0\tE\t0\nB\t1\t0\tN\t1\t0\tE\t0\n"},
        {"a latitude past the pole", "1\nA\t95\t0\tN\t1\t0\tE\t0\n"},
        {"a zone past 14 hours", "1\nA\t1\t0\tN\t1\t0\tE\t15\n"},
    };
    for (const auto& c : cases) {
        recorder.alerts.clear();
        write(text(), c.text);
        CityTable cities = table();
        cities.create();
        EXPECT_EQ(cities.size(), 0u) << c.what;
        ASSERT_EQ(recorder.alerts.size(), 1u) << c.what;
        EXPECT_EQ(recorder.alerts[0].title, "Startup Error");
        EXPECT_EQ(recorder.alerts[0].message, "Can not build city data.");
        EXPECT_FALSE(QFile::exists(binary())) << c.what;
    }
}

TEST_F(CityTableTest, LongNamesAreCutAt31BytesAndStayTerminated)
{
    write(text(), "1\nAn Extremely Long Settlement Name Beyond Limits\t1\t0\tN\t1\t0\tE\t0\n");
    CityTable cities = table();
    cities.create();
    ASSERT_EQ(cities.size(), 1u);
    EXPECT_EQ(cities.names().value(0), "An Extremely Long Settlement Na");
    EXPECT_EQ(cities.record(0).name[31], '\0');
}

TEST_F(CityTableTest, AnUnsoundBinaryIsRebuiltFromTheText)
{
    write(text(), "1\nSydney, AU\t33\t52\tS\t151\t13\tE\t10\n");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<cityList> unterminated = tenCities();
    std::memset(unterminated[3].name, 'x', sizeof unterminated[3].name);
    const std::vector<cityList> bad[] = {
        unterminated,
        [] {
            auto c = tenCities();
            c[9].latitude = 91.0f;
            return c;
        }(),
        [nan] {
            auto c = tenCities();
            c[0].longitude = nan;
            return c;
        }(),
        [] {
            auto c = tenCities();
            c[5].timeZone = -13.0f;
            return c;
        }(),
    };
    for (const auto& cities : bad) {
        write(binary(), bytesOf(cities));
        CityTable table = this->table();
        table.create();
        ASSERT_EQ(table.size(), 1u);
        EXPECT_EQ(table.names().value(0), "Sydney, AU");
        EXPECT_EQ(read(binary()).size(), 48);
    }
}

TEST_F(CityTableTest, AFailedWriteAlertsAndKeepsTheOldFileAndRecords)
{
    const QByteArray old = bytesOf(tenCities());
    write(binary(), old);
    CityTable cities = table();
    cities.create();
    ASSERT_EQ(cities.size(), 10u);
    QByteArray text = "20\n";
    for (int i = 0; i < 20; ++i)
        text += "Somewhere\t1\t0\tN\t1\t0\tE\t0\n";
    write(this->text(), text);
    {
        const FileSizeLimit limit(rlim_t(old.size()));
        EXPECT_FALSE(cities.rebuild());
    }
    EXPECT_EQ(read(binary()), old);
    EXPECT_EQ(cities.size(), 10u);
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "Can not write file.");
    EXPECT_EQ(recorder.alerts[0].message, binary());
}

TEST_F(CityTableTest, TheSourceServesEachTableByItsTagAndTheRebuildReplacesIt)
{
    write(build() + "BuildWorldCity.txt", "1\nSydney, AU\t33\t52\tS\t151\t13\tE\t10\n");
    CityDataSource source(database(), build());
    EXPECT_EQ(source.model(3), nullptr);
    CityTableModel& world = *source.model(CityDataSource::kWorldTag);
    EXPECT_EQ(world.rowCount(), 0);
    ASSERT_TRUE(world.canFetchMore({}));
    world.fetchMore({});
    EXPECT_FALSE(world.canFetchMore({}));
    ASSERT_EQ(world.rowCount(), 1);
    EXPECT_EQ(world.data(world.index(0, 0)).toString(), "Sydney, AU");
    EXPECT_FALSE(world.flags(world.index(0, 0)).testFlag(Qt::ItemIsEditable));
    EXPECT_EQ(world.cacheFileName(), "WorldCity.tvk");
    EXPECT_FALSE(source.cityClickedAction(CityDataSource::kWorldTag, -1));
    EXPECT_FALSE(source.cityClickedAction(CityDataSource::kWorldTag, 1));
    EXPECT_FALSE(source.cityClickedAction(CityDataSource::kUSTag, 0));
    ASSERT_TRUE(source.cityClickedAction(CityDataSource::kWorldTag, 0));
    EXPECT_EQ(source.cityClickedAction(CityDataSource::kWorldTag, 0)->timeZone, 10.0f);

    write(build() + "BuildWorldCity.txt", "2\nA\t1\t0\tN\t1\t0\tE\t0\nB\t2\t0\tN\t2\t0\tE\t0\n");
    EXPECT_TRUE(world.rebuildCache());
    EXPECT_EQ(world.rowCount(), 2);
    EXPECT_EQ(read(database() + "WorldCity.tvk").size(), 96);
}

}  // namespace
