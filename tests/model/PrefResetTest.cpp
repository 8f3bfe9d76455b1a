#include "PrefFixture.h"

#include "platform/AlertPanel.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

#include <chrono>

using namespace std::chrono_literals;

namespace {

// Answers the reset question and records every text an alert showed.
struct AnsweringPresenter final : AlertPresenter {
    AnsweringPresenter(QStringList& shown, bool answer) : shown(shown), answer(answer) {}
    void showAlert(const QString& title, const QString& message) override { shown << title << message; }
    bool showChoice(const QString& t, const QString& m, const QString& a, const QString& b) override
    {
        shown << t << m << a << b;
        return answer;
    }
    void beep() override {}
    QStringList& shown;
    bool answer;
};

class PrefResetTest : public PrefFixture {
protected:
    void TearDown() override { AlertPanel::setPresenter(nullptr); }

    void answerReset(bool reset) { AlertPanel::setPresenter(std::make_unique<AnsweringPresenter>(shown, reset)); }

    // Every registered key (and the unregistered photographic-horizon switch)
    // holding a value that is not its default.
    void seedEveryKey()
    {
        QMap<QString, QVariant> values;
        for (const PrefDefault& entry : PrefDefaults::registration(QDateTime::currentDateTime()))
            values.insert(entry.key, QStringLiteral("7"));
        values.insert("PhotoHorizonPref", QStringLiteral("7"));
        seed(values);
    }

    QStringList shown;
};

TEST_F(PrefResetTest, CancellingChangesNothingAndResetRemovesExactlyItsKeys)
{
    seedEveryKey();
    PrefControl& prefs = launch();
    const auto before = storedValues();
    ASSERT_EQ(before.size(), 211);
    answerReset(false);
    fakes.log.calls.clear();
    prefs.restoreDefaultPrefsAction();
    EXPECT_EQ(shown, (QStringList{"Are you sure you want to do this?",
                                  "ALL your preferences will be reset to default values.", "Reset", "Cancel"}));
    EXPECT_EQ(storedValues(), before);
    EXPECT_TRUE(fakes.log.calls.isEmpty());
    EXPECT_EQ(prefs.starMagLimit(), 7.0);

    answerReset(true);
    prefs.restoreDefaultPrefsAction();
    // Device tuning and the scope-view position survive; the rest goes.
    const auto after = storedValues();
    EXPECT_EQ(after.size(), 51);
    for (const char* key : {"VersionPref", "WiFiIPPref", "SVSavePosnPref", "DomeI5V4Pref"})
        EXPECT_EQ(after.value(key), before.value(key)) << key;
    EXPECT_FALSE(after.contains("StarMagLimitPref"));
    EXPECT_FALSE(after.contains("PhotoHorizonPref"));
}

TEST_F(PrefResetTest, ResetBringsEveryRemovedValueBackToItsDefault)
{
    seedEveryKey();
    PrefControl& prefs = launch();
    prefs.sites()[0] = {48.0f, 11.0f};
    prefs.setIsNightVision();
    prefs.setNightVisionColor();
    prefs.mythArray().append("extra");
    prefs.setFindIndex(200031);
    prefs.setCurrentScope(3);
    answerReset(true);
    fakes.log.calls.clear();
    prefs.restoreDefaultPrefsAction();

    EXPECT_FALSE(prefs.isPhotoHorizon());
    EXPECT_EQ(prefs.starMagLimit(), 6.5);
    EXPECT_EQ(prefs.latitude(), 0.0);
    EXPECT_EQ(prefs.mythArray(), PrefDefaults::mythArray());
    // Shown at once, and not red although night vision is on.
    EXPECT_EQ(prefs.constellationNameAttributes().font.family(), QStringLiteral("Lucida Grande"));
    EXPECT_EQ(prefs.constellationNameAttributes().color, QColor::fromRgbF(0.11f, 0.35f, 0.35f, 1.0f));
    EXPECT_EQ(prefs.gridLinesColor(), QColor::fromRgbF(0.18f, 0.18f, 0.04f, 1.0f));
    EXPECT_TRUE(prefs.isNightVision());
    // The run-time selection stays; kept settings are handed over again unchanged.
    EXPECT_EQ(prefs.findIndex(), 200031);
    EXPECT_EQ(prefs.currentScope(), 3);
    EXPECT_EQ(prefs.versionStr(), QStringLiteral("7"));
    EXPECT_TRUE(fakes.log.calls.contains("moon.moonSetMax 7"));
    EXPECT_FALSE(fakes.log.calls.contains("wifi.setWifiIPAddress 7"));
    const qsizetype refresh = fakes.log.calls.indexOf("chart.updateSkyAndColor");
    ASSERT_GE(refresh, 0);
    EXPECT_EQ(fakes.log.calls.mid(refresh), (QStringList{"chart.updateSkyAndColor", "sliders.altitude 45",
                                                         "sliders.azimuth 180", "sliders.viewAngle 120"}));
}

class PrefQuitTest : public PrefFixture {};

TEST_F(PrefQuitTest, QuitStoresTheViewSyncsAndDisconnectsTheConnectedDevices)
{
    PrefControl& prefs = launch();
    prefs.setAltitude(30.0);
    prefs.setAzimuth(90.0);
    prefs.setViewAngle(60.0);
    fakes.mount.connected = true;
    fakes.canon.connected = true;
    fakes.dome.connected = false;
    fakes.ddw.connected = true;
    fakes.sg4.allSkyConnected = true;
    fakes.log.calls.clear();
    prefs.appQuit();
    EXPECT_EQ(fakes.log.calls.filter(QRegularExpression("[dD]isconnect$")),
              (QStringList{"mount.disconnect", "canon.canonDisconnect", "ddw.ddwDisconnect", "sg4.sg4Disconnect"}));
    EXPECT_TRUE(prefs.settingsWritten());
    QFile file(PrefStore::fileName());  // synced: on disk, not just in memory
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    for (const char* line : {"AltitudePref=30\n", "AzimuthPref=180\n", "ViewAnglePref=60\n"})
        EXPECT_TRUE(text.contains(line)) << line;
}

// Another program that holds the settings file past the quit's bound keeps
// the last changes out of it: the quit goes on, and says so to the debug
// log and to the user.
TEST_F(PrefQuitTest, QuitWaitsForTheLastWritesOnlyWithinItsBoundAndTellsWhenTheyCouldNotEnd)
{
    PrefControl& prefs = launch();
    QStringList told;
    prefs.setLaterWriteFailureSink([&told](const QString& reason) { told << reason; });
    ASSERT_TRUE(QDir().mkpath(QFileInfo(PrefStore::fileName()).path()));
    QLockFile other(PrefStore::fileName() + ".lock");
    ASSERT_TRUE(other.lock());
    fakes.mount.connected = true;
    QElapsedTimer quitting;
    quitting.start();
    prefs.appQuit();
    EXPECT_LT(std::chrono::milliseconds(quitting.elapsed()), 2 * PrefStore::kFinishWait);
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(debugLines.contains(told[0]));
    EXPECT_TRUE(fakes.log.calls.contains("mount.disconnect"));
}

// The quit's word on the last writes is the user's last: a long hold whose
// notice falls due after the quit's wait (its alert up) or within it is only logged.
TEST_F(PrefQuitTest, NoNoticeOfALongHoldComesWithTheQuitsOwnOrAfterIt)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(PrefStore::fileName()).path()));
    for (const auto quitAfter : {0ms, PrefFileWriter::kLongHold - PrefStore::kFinishWait / 2}) {
        PrefControl& prefs = launch();
        debugLines.clear();
        QStringList told;
        prefs.setHeldBackSink([&told](const QString& reason) { told << reason; });
        // As the alert's event loop would, it lets the writer's word in until the hold is logged.
        prefs.setLaterWriteFailureSink([&](const QString& reason) {
            told << reason;
            EXPECT_TRUE(eventually([this] { return !debugLines.filter("for more than").isEmpty(); }));
        });
        QLockFile other(PrefStore::fileName() + ".lock");
        ASSERT_TRUE(other.lock());
        const QDeadlineTimer quitting(quitAfter);
        prefs.setCanonExpIndex(2);
        prefs.writeSettings();
        ASSERT_TRUE(eventually([&] { return quitting.hasExpired(); }));
        prefs.appQuit();
        EXPECT_EQ(told.size(), 1) << told.join('\n').toStdString();
        other.unlock();
        ASSERT_TRUE(eventually([&] { return !prefs.settingsWritePending(); }));
    }
}

TEST_F(PrefQuitTest, GammaIsRestoredOnlyWhenNightVisionIsOnAndThereIsADisplay)
{
    for (const quint32 display : {7u, 0u}) {
        fakes.gamma.id = display;
        PrefControl& prefs = launch();
        fakes.log.calls.clear();
        prefs.appQuit();
        EXPECT_FALSE(fakes.log.calls.contains("gamma.restoreDefault"));
        prefs.setIsNightVision();
        fakes.log.calls.clear();
        prefs.appQuit();
        EXPECT_EQ(fakes.log.calls.value(0) == "gamma.restoreDefault", display != 0) << display;
    }
}

TEST_F(PrefQuitTest, ApplicationQuitRunsTheShutDownAndDisconnectsGuiderAndAllSkyOnce)
{
    launch();
    fakes.mount.connected = true;
    fakes.sg4.sg4Connected = true;
    fakes.sg4.allSkyConnected = true;
    fakes.log.calls.clear();
    ASSERT_TRUE(QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit", Qt::DirectConnection));
    EXPECT_TRUE(fakes.log.calls.contains("mount.disconnect"));
    EXPECT_EQ(fakes.log.calls.count("sg4.sg4Disconnect"), 1);
}

}  // namespace
