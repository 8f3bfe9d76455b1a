#include "TempSettings.h"

#include "model/settings/PrefStore.h"
#include "support/MainThreadWatchdog.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTest>
#include <QTimeZone>

#include <chrono>
#include <cstring>
#include <memory>
#include <optional>
#include <set>

namespace {

QColor rgb(float r, float g, float b, float a = 1.0f) { return QColor::fromRgbF(r, g, b, a); }

QString faceName(const QFont& font)
{
    return font.family() + (font.bold() ? QStringLiteral(" Bold") : QString()) + u'/'
         + QString::number(font.pointSizeF());
}

using namespace std::chrono_literals;

class PrefStoreTest : public TempSettings {
protected:
    // A second copy of the program on the settings file. It reaches the file
    // through another folder name, so that it shares nothing of this
    // process's with the first, as another program would.
    std::unique_ptr<PrefStore> otherCopy() const
    {
        const QString otherName = folder() + "/other";
        EXPECT_TRUE(QFile::link(folder(), otherName));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, otherName);
        auto other = std::make_unique<PrefStore>(launch);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder());
        return other;
    }
    // The file's text as it is now, read apart from Qt, which could share
    // what a settings object of this process holds of it.
    static QByteArray fileText()
    {
        QFile file(PrefStore::fileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QDateTime launch = QDateTime(QDate(2024, 3, 1), QTime(9, 30), QTimeZone("Europe/Berlin"));
};

TEST_F(PrefStoreTest, EveryKeyIsRegisteredOnceAndThePhotoHorizonSwitchNot)
{
    PrefStore store(launch);
    std::set<QString> registered;
    for (const PrefDefault& entry : PrefDefaults::registration(launch))
        EXPECT_TRUE(registered.insert(entry.key).second) << entry.key.toStdString() << " registered twice";
    EXPECT_EQ(store.registered(QStringLiteral("PhotoHorizonPref")), nullptr);
    EXPECT_EQ(store.readDate("StartupTimePref"),
              QDateTime(QDate(2024, 3, 1), QTime(22, 0), QTimeZone("Europe/Berlin")));
}

TEST_F(PrefStoreTest, RemovingAKeyRestoresItsDefault)
{
    PrefStore store(launch);
    store.writeBool("ToolTipsPref", false);
    store.writeInteger("AllSkyQualityDatePref", 512);
    store.writeColor("MythColorPref", Qt::blue);
    store.writeData("SitesPref", QByteArray(40, 'x'));
    store.writeBool("PhotoHorizonPref", true);
    EXPECT_FALSE(store.readBool("ToolTipsPref"));
    EXPECT_TRUE(store.readBool("PhotoHorizonPref"));
    for (const char* key : {"ToolTipsPref", "AllSkyQualityDatePref", "MythColorPref", "SitesPref", "PhotoHorizonPref"})
        store.remove(key);
    EXPECT_TRUE(store.readBool("ToolTipsPref"));
    EXPECT_EQ(store.readInteger("AllSkyQualityDatePref"), 1024);
    EXPECT_EQ(store.readColor("MythColorPref"), rgb(0.48f, 0.6f, 0.75f));
    EXPECT_EQ(store.readData("SitesPref"), QByteArray(40, '\0'));
    EXPECT_FALSE(store.readBool("PhotoHorizonPref"));  // unregistered: reads NO
    EXPECT_FALSE(storedValues().contains("ToolTipsPref"));
}

TEST_F(PrefStoreTest, WritesEachTypeInItsTextForm)
{
    {
        PrefStore store(launch);
        store.writeBool("MetricPref", false);
        store.writeBool("StarNamesPref", true);
        store.writeInteger("DomeOverPref", -5);
        store.writeFloat("StarMagLimitPref", float(6.55));
        store.writeDouble("DomerPref", 0.1);
        store.writeDouble("DomeRPref", 2.5);
        store.writeColor("PathColorPref", rgb(0.0f, 1.0f, 1.0f, 0.5f));
        store.writeFont("StarNameFontPref", QFont(QStringLiteral("DejaVu Sans"), 11));
        store.writeStringArray("SiteNamesArrayPref", {QStringLiteral("Home, \"the\" garden"), "B"});
        store.writeData("EyepiecesPref", QByteArray("\x00\x01\xff", 3));
    }
    const QMap<QString, QVariant> expected = {
        {"MetricPref", "NO"}, {"StarNamesPref", "YES"}, {"DomeOverPref", "-5"}, {"StarMagLimitPref", "6.55"},
        {"DomerPref", "0.1"}, {"DomeRPref", "2.5"}, {"PathColorPref", "0 1 1 0.5000076"},
        {"StarNameFontPref", "DejaVu Sans;11;regular"}, {"SiteNamesArrayPref", R"(["Home, \"the\" garden","B"])"},
        {"EyepiecesPref", QByteArray("\x00\x01\xff", 3)}};
    const auto stored = storedValues();
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        EXPECT_EQ(stored.value(it.key()), it.value()) << it.key().toStdString();

    PrefStore reopened(launch);
    EXPECT_EQ(reopened.readStringArray("SiteNamesArrayPref"), (QStringList{"Home, \"the\" garden", "B"}));
    EXPECT_EQ(reopened.readFont("StarNameFontPref").family(), QStringLiteral("DejaVu Sans"));
    EXPECT_NEAR(double(reopened.readFloat("StarMagLimitPref")), 6.5500001907, 1e-10);
    EXPECT_EQ(reopened.readDouble("DomerPref"), 0.1);  // distinct from "DomeRPref"
    EXPECT_EQ(reopened.readDouble("DomeRPref"), 2.5);
}

TEST_F(PrefStoreTest, UndecodableValuesReadAsDefaultsOrZero)
{
    seed({{"ConstellationColorPref", "red"}, {"NomadGridColorPref", "1 0 0 1.5"},
          {"StarNameFontPref", "Geneva;-3;regular"}, {"PlanetNameFontPref", "garbage"},
          {"StartupTimePref", "yesterday"}, {"SiteNamesArrayPref", "[1,2]"}, {"MythArrayPref", "{not json"},
          {"StarMagLimitPref", "bright"}, {"ShowGalaxyPref", "maybe"}, {"DSLRPref", ""},
          {"AltitudePref", "30.5 degrees"}});
    PrefStore store(launch);
    EXPECT_EQ(store.readColor("ConstellationColorPref"), rgb(0.08f, 0.25f, 0.25f));
    EXPECT_EQ(store.readColor("NomadGridColorPref"), rgb(1.0f, 0.0f, 0.0f, 0.75f));
    EXPECT_EQ(faceName(store.readFont("StarNameFontPref")), QStringLiteral("Geneva/9"));
    EXPECT_EQ(faceName(store.readFont("PlanetNameFontPref")), QStringLiteral("Lucida Grande Bold/10"));
    EXPECT_EQ(store.readDate("StartupTimePref").time(), QTime(22, 0));
    EXPECT_EQ(store.readStringArray("SiteNamesArrayPref"), QStringList(5, QStringLiteral("Undefined")));
    EXPECT_EQ(store.readStringArray("MythArrayPref").size(), 90);
    EXPECT_EQ(store.readFloat("StarMagLimitPref"), 0.0f);
    EXPECT_FALSE(store.readBool("ShowGalaxyPref"));
    EXPECT_EQ(store.readInteger("DSLRPref"), 0);
    EXPECT_EQ(store.readFloat("AltitudePref"), 30.5f);
}

TEST_F(PrefStoreTest, NumbersOutOfRangeInfiniteOrNaNReadAsTheirDefaultsAndAreToldOncePerKey)
{
    struct Case {
        const char* key;
        QVariant stored;
        float read;
        bool isDefault;
    };
    // A number a program stored reaches the file, and so the store, as its text.
    const Case cases[] = {
        {"AltitudePref", "1e300", 45.0f, true},       {"AltitudePref", "-90.5", 45.0f, true},
        {"AltitudePref", "-90", -90.0f, false},       {"AzimuthPref", "-1e39", 180.0f, true},
        {"AzimuthPref", "360", 360.0f, false},        {"ViewAnglePref", "4.9", 120.0f, true},
        {"ViewAnglePref", "361", 120.0f, true},       {"ViewAnglePref", "190", 190.0f, false},
        {"ArrowSpeedPref", "nan", 51.0f, true},       {"StarMagLimitPref", "-1.5", 6.5f, true},
        {"StarMagLimitPref", "16", 16.0f, false},     {"DeepSkyMagLimitPref", "1e30", 12.0f, true},
        {"StarBrightValPref", "2.01", 0.75f, true},   {"StarShiftValPref", "-3", -3.0f, false},
        {"PathDaysPref", "-1", 200.0f, true},         {"PathPercentPref", "100.5", 75.0f, true},
        {"ScopePollRatePref", "1e39", 5.0f, true},    {"JMISlowAdjPref", "1e300", 1.0f, true},
        {"MoonSlopePref", "-2.5", -2.5f, false},
    };
    for (const Case& c : cases) {
        seed({{c.key, c.stored}});
        PrefStore store(launch);
        int told = 0;
        store.setDebugSink([&told](const QString&) { ++told; });
        const QString stored = c.stored.toString();
        EXPECT_EQ(store.readFloat(c.key), c.read) << c.key << " = " << qPrintable(stored);
        EXPECT_EQ(store.readFloat(c.key), c.read) << c.key << " = " << qPrintable(stored);
        EXPECT_EQ(told, c.isDefault ? 1 : 0) << c.key << " = " << qPrintable(stored);
    }
    seed({{"DomeRPref", "1e999"}, {"DomeXPref", "-1e999"}});
    PrefStore store(launch);
    EXPECT_EQ(store.readDouble("DomeRPref"), 0.0);
    EXPECT_EQ(store.readDouble("DomeXPref"), 0.0);
}

TEST_F(PrefStoreTest, BlocksOfTheWrongLengthNeverOverrun)
{
    PrefStore store(launch);
    std::array<site, 5> sites;
    sites.fill({9.0f, 9.0f});
    store.writeData("SitesPref", QByteArray("\x00\x00\x80\x3f", 4));  // 1.0f, then nothing
    store.readRecords("SitesPref", sites);
    EXPECT_EQ(sites[0].latitude, 1.0f);
    EXPECT_EQ(std::memcmp(&sites[0].longitude, QByteArray(36, '\0').constData(), 36), 0);
    store.writeData("SitesPref", QByteArray(400, '\x01'));
    store.readRecords("SitesPref", sites);
    EXPECT_EQ(std::memcmp(sites.data(), QByteArray(40, '\x01').constData(), 40), 0);
}

}  // namespace

// A change is written a moment later off the main thread: while another
// writer holds the file the main thread goes on, and once it lets go the
// file ends with the last change. A change still on its way as the store
// goes (the program quits) reaches the file.
TEST_F(PrefStoreTest, ChangesAreWrittenOffTheMainThreadTheLastWinsAndQuittingFlushes)
{
    // Asked before the store has changes: Qt would write them to answer.
    const QString path = PrefStore::fileName();
    const auto onDisk = [&](const char* key) {
        const QString copy = folder() + "/copy.ini";
        QFile::remove(copy);
        QFile::copy(path, copy);
        return QSettings(copy, QSettings::IniFormat).value(key).toString();
    };
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    {
        PrefStore store(launch);
        {
            QLockFile other(path + ".lock");
            ASSERT_TRUE(other.lock());
            for (const float magnitude : {5.0f, 6.0f, 7.0f}) {
                store.writeFloat("StarMagLimitPref", magnitude);
                QTest::qWait(10);
            }
            EXPECT_TRUE(store.writePending());
            EXPECT_FALSE(QFile::exists(path));
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return !store.writePending(); }, 10000));
        EXPECT_TRUE(store.written());
        EXPECT_EQ(onDisk("StarMagLimitPref"), "7");
        store.writeFloat("StarMagLimitPref", 8.0f);
        QTest::qWait(0);
    }
    EXPECT_EQ(onDisk("StarMagLimitPref"), "8");
}

// Two copies of the program on one settings file, each writing a moment
// after its changes: each write makes only that copy's own changes on top of
// the file as it then is, so neither copy loses what the other wrote, and of
// a key both changed the last written stays.
TEST_F(PrefStoreTest, TwoCopiesOfTheProgramKeepEachOthersChanges)
{
    seed({{"ToolTipsPref", "NO"}});
    // Asked before the stores have changes: Qt could write them to answer.
    const QString path = PrefStore::fileName();
    PrefStore first(launch);
    const std::unique_ptr<PrefStore> other = otherCopy();
    PrefStore& second = *other;
    const auto settled = [](const PrefStore& store) {
        return QTest::qWaitFor([&] { return !store.writePending(); }, 10000);
    };

    first.writeFloat("StarMagLimitPref", 7.0f);
    ASSERT_TRUE(settled(first));
    second.writeFloat("PlanetMagLimitPref", 9.0f);
    second.writeInteger("DSLRPref", 2);
    second.remove("ToolTipsPref");
    ASSERT_TRUE(settled(second));
    first.writeInteger("DSLRPref", 3);
    ASSERT_TRUE(settled(first));
    second.writeBool("MetricPref", false);
    EXPECT_TRUE(synced(second));
    EXPECT_TRUE(first.written());
    // Read from a copy: a reader on the file's own name could share what a
    // settings object of this process holds of it.
    const QString copy = folder() + "/copy.ini";
    ASSERT_TRUE(QFile::copy(path, copy));
    const QSettings onDisk(copy, QSettings::IniFormat);
    QMap<QString, QVariant> stored;
    for (const QString& key : onDisk.allKeys())
        stored.insert(key, onDisk.value(key));
    EXPECT_EQ(stored, (QMap<QString, QVariant>{{"StarMagLimitPref", "7"},
                                               {"PlanetMagLimitPref", "9"},
                                               {"DSLRPref", "3"},
                                               {"MetricPref", "NO"}}));
}

// A value saved is written even when it is the one this copy read or last
// wrote: the other copy may have written another since, and the file keeps
// the last save.
TEST_F(PrefStoreTest, EverySaveOfTwoCopiesReachesTheFile)
{
    PrefStore first(launch);
    const std::unique_ptr<PrefStore> second = otherCopy();
    first.writeInteger("DSLRPref", 3);
    ASSERT_TRUE(synced(first));
    second->writeInteger("DSLRPref", 2);
    ASSERT_TRUE(synced(*second));
    first.writeInteger("DSLRPref", 3);
    ASSERT_TRUE(synced(first));
    EXPECT_TRUE(fileText().contains("DSLRPref=3\n"));
}

// A save hands its changes and returns at once. While another writer holds
// the file, or a lock file one left empty as it died, the main thread goes
// on, and the change reaches the file once the lock is free or found stale.
TEST_F(PrefStoreTest, ASaveNeverWaitsForTheFilesLock)
{
    const QString path = PrefStore::fileName();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    PrefStore store(launch);
    MainThreadWatchdog watchdog;
    watchdog.start();
    {
        QLockFile other(path + ".lock");
        ASSERT_TRUE(other.lock());
        store.writeFloat("StarMagLimitPref", 7.0f);
        store.sync();
        EXPECT_TRUE(store.writePending());
        EXPECT_FALSE(QFile::exists(path));
    }
    EXPECT_TRUE(eventually([&] { return fileText().contains("StarMagLimitPref=7\n"); }));

    QFile empty(path + ".lock");
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    store.writeFloat("StarMagLimitPref", 8.0f);
    store.sync();
    EXPECT_TRUE(eventually([&] { return fileText().contains("StarMagLimitPref=8\n"); }));
    EXPECT_LT(watchdog.longestStall(), 1000ms);
}

// Another program that holds the file longer than kLongHold is told once,
// the change kept: not again at each try, but again for a later, separate
// hold. The change reaches the file once the hold ends.
TEST_F(PrefStoreTest, ALongHoldOnTheFileIsToldOncePerHoldAndTheChangeWrittenAfterIt)
{
    const QString path = PrefStore::fileName();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    PrefStore store(launch);
    QStringList told;
    store.setHeldBackSink([&told](const QString& reason) { told << reason; });
    const auto holdPastTheNotice = [&](float magnitude, const QByteArray& line) {
        QLockFile other(path + ".lock");
        ASSERT_TRUE(other.lock());
        QElapsedTimer held;
        held.start();
        const qsizetype before = told.size();
        store.writeFloat("StarMagLimitPref", magnitude);
        store.sync();
        ASSERT_TRUE(eventually([&] { return told.size() > before; }));
        EXPECT_GE(std::chrono::milliseconds(held.elapsed()), PrefFileWriter::kLongHold);
        // A notice repeated at the writer's next tries would come within these.
        EXPECT_FALSE(QTest::qWaitFor([&] { return told.size() > before + 1; },
                                     int(4 * PrefFileWriter::kLockRetry.count())));
        EXPECT_TRUE(told.last().contains(path)) << told.last().toStdString();
        EXPECT_FALSE(fileText().contains(line));
    };
    ASSERT_NO_FATAL_FAILURE(holdPastTheNotice(7.0f, "StarMagLimitPref=7\n"));
    EXPECT_TRUE(eventually([&] { return fileText().contains("StarMagLimitPref=7\n"); }));
    ASSERT_NO_FATAL_FAILURE(holdPastTheNotice(8.0f, "StarMagLimitPref=8\n"));
    EXPECT_TRUE(eventually([&] { return !store.writePending(); }));
    EXPECT_TRUE(fileText().contains("StarMagLimitPref=8\n"));
    EXPECT_TRUE(store.written());
    EXPECT_EQ(told.size(), 2);
}

// A settings object made again while another program holds the file reads
// the changes of the one before without waiting for that hold, and once it
// ends the file holds the later of their changes.
TEST_F(PrefStoreTest, AStoreOpenedAgainReadsWhatWaitsForTheFile)
{
    const QString path = PrefStore::fileName();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    PrefStore first(launch);
    first.writeInteger("DSLRPref", 3);
    first.writeBool("MetricPref", false);
    std::optional<QLockFile> other(std::in_place, path + ".lock");
    ASSERT_TRUE(other->lock());
    MainThreadWatchdog watchdog;
    watchdog.start();
    PrefStore second(launch);
    EXPECT_EQ(second.readInteger("DSLRPref"), 3);
    second.writeInteger("DSLRPref", 2);
    PrefStore::syncAll(path);
    EXPECT_FALSE(QFile::exists(path));
    other.reset();
    EXPECT_TRUE(eventually([&] { return !first.writePending() && !second.writePending(); }));
    EXPECT_LT(watchdog.longestStall(), 1000ms);
    EXPECT_EQ(stored("DSLRPref"), "2");
    EXPECT_EQ(stored("MetricPref"), "NO");
}
