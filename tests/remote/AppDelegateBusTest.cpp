#include "model/settings/PrefControl.h"
#include "remote/EventsClient.h"
#include "remote/EventFakes.h"
#include "remote/events/AppDelegate.h"
#include "remote/events/RemoteEventsBus.h"
#include "support/RecordingAlertPresenter.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

using namespace event_fakes;

namespace {

// The delegate on a private bus, driven by gdbus as an outside program.
class AppDelegateBus : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bus.isRunning());
        delegate.setMount(&mount);
        delegate.setFinder(&finder);
        delegate.setGuider(&guider);
        delegate.setVoice(&voice);
        ASSERT_TRUE(service.registerOn(bus.connection()));
        if (!prefs.isPrecession())
            prefs.setIsPrecession(true);
        prefs.setIsAstroplanner(true);
    }

    SilentGamma gamma;
    PrefControl prefs{gamma};
    FakeMount mount;
    FakeFinder finder;
    FakeGuider guider;
    RecordingSpeaker voice;
    ScopedAlertRecorder recorder;
    AppDelegate delegate{prefs};
    PrivateBus bus;
    RemoteEventsBus service{delegate};
    EventsClient client{bus};
};

TEST_F(AppDelegateBus, GuideEventAnswersItsCodeAndCorrectsOnlyOnZero)
{
    mount.connected = true;
    EXPECT_EQ(client.event("phdG", "evGD", "{'prEW': <'0.5'>, 'prNS': <'-0.25'>}"), "({'prRC': <int16 0>},)");
    ASSERT_EQ(guider.corrections.size(), 1u);
    EXPECT_FLOAT_EQ(guider.corrections[0].first, 0.5f);
    EXPECT_FLOAT_EQ(guider.corrections[0].second, -0.25f);

    EXPECT_EQ(client.event("phdG", "evGD", "{'prEW': <'0'>}"), "({'prRC': <int16 1>},)");
    prefs.setIsPrecession(false);
    EXPECT_EQ(client.event("phdG", "evGD", "{'prEW': <'0.5'>}"), "({'prRC': <int16 -2>},)");
    mount.connected = false;
    EXPECT_EQ(client.event("phdG", "evGD", "{'prEW': <'0.5'>}"), "({'prRC': <int16 -1>},)");
    EXPECT_EQ(guider.corrections.size(), 1u);
}

TEST_F(AppDelegateBus, GuideEventWritesItsDebugLines)
{
    prefs.setIsDebug();
    mount.connected = true;
    client.event("phdG", "evGD", "{'prNS': <'1.5'>}");
    EXPECT_EQ(mount.debugLines,
              QStringList({"appDelagate PHD: ew= 0.000000, ns= 1.500000.", "appDelagate PHD returned: 0."}));
}

TEST_F(AppDelegateBus, ObjectNotFoundByIdOrNameIsLookedUpByItsPosition)
{
    client.event("misc", "evSP", "{'prRA': <'1.0'>, 'prDE': <'-0.5'>, 'prID': <'M 999'>, 'prNM': <''>}");
    EXPECT_EQ(finder.lookups, QStringList({"M 999", "NoName", "3:49.183:-28:38.873"}));
    EXPECT_EQ(finder.trackActions, 0);

    finder.lookups.clear();
    finder.answer = findResultFound;
    client.event("misc", "evSP", "{}");
    EXPECT_EQ(finder.lookups, QStringList({" "}));
    EXPECT_EQ(finder.trackActions, 1);
}

TEST_F(AppDelegateBus, LongTextsAreCutToTheirBuffers)
{
    const QString name(300, u'A');
    client.event("misc", "evSP", QString("{'prID': <b'%1'>, 'prNM': <'%1'>}").arg(name));
    ASSERT_GE(finder.lookups.size(), 2);
    EXPECT_EQ(finder.lookups[0], QString(64, u'A'));
    EXPECT_EQ(finder.lookups[1], QString(64, u'A'));

    client.event("misc", "eMSG", QString("{'pMSG': <b'%1'>}").arg(QString(400, u'z')));
    client.event("misc", "eMSG", "{'pMSG': <b''>}");
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, QString(255, u'z'));
    EXPECT_EQ(recorder.alerts[0].message, " ");
}

// The bus's reply is what the handler returns: the alert must wait for it,
// not the reply for the user.
TEST_F(AppDelegateBus, ThePlannersMessageIsAnsweredBeforeItsAlertShows)
{
    EXPECT_TRUE(delegate.handleEvent("misc", "eMSG", {{"pMSG", "Hello"}}));
    EXPECT_TRUE(recorder.alerts.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "Hello");
}

TEST_F(AppDelegateBus, MacRomanBytesAreRead)
{
    // 0x8E is "é" in Mac OS Roman.
    client.event("misc", "evSP", "{'prID': <[byte 0x43, 0x8e, 0x00, 0x41]>}");
    ASSERT_FALSE(finder.lookups.isEmpty());
    EXPECT_EQ(finder.lookups[0], QString::fromUtf8("C\u00e9"));
}

TEST_F(AppDelegateBus, PlannerEventsAreIgnoredWhileTheOptionIsOff)
{
    prefs.setIsAstroplanner(false);
    EXPECT_EQ(client.event("misc", "evSP", "{'prID': <'M 31'>}"), "(@a{sv} {},)");
    client.event("misc", "eMSG", "{'pMSG': <'Hello'>}");
    EXPECT_TRUE(finder.lookups.isEmpty());
    EXPECT_TRUE(recorder.alerts.empty());
}

TEST_F(AppDelegateBus, UnknownEventIsAnError)
{
    EXPECT_TRUE(client.event("misc", "zzzz", "{}").contains("UnknownEvent"));
}

TEST_F(AppDelegateBus, PositionRequestIsAnsweredWithAnEventSeenByAnotherClient)
{
    prefs.setFindName(QString::fromUtf8("Vega \u00e9"));
    QProcess monitor;
    monitor.start("gdbus", {"monitor", "--address", bus.address(), "--dest", RemoteEventsBus::kService});
    ASSERT_TRUE(monitor.waitForStarted());
    QString seen;
    // gdbus monitor names the owner once it listens.
    while (!seen.contains("owned by") && monitor.waitForReadyRead(30000))
        seen += monitor.readAllStandardOutput();
    // The monitor's own lookup of the owner may still be on its way when the
    // first event goes out, and it drops what it cannot match: asked again.
    for (int ask = 0; ask < 6 && !seen.contains("OutgoingEvent"); ++ask) {
        client.event("misc", "evGP", "{}");
        while (!seen.contains("OutgoingEvent") && monitor.waitForReadyRead(10000))
            seen += monitor.readAllStandardOutput();
    }
    monitor.terminate();
    monitor.waitForFinished();
    EXPECT_TRUE(seen.contains("org.norvane.Pro.OutgoingEvent ('agLi', 'misc', 'evGP', "
                              "{'prDE': <-0.5>, 'prID': <'Vega ?'>, 'prRA': <1.25>})"))
        << seen.toStdString();
}

TEST_F(AppDelegateBus, ChartClickSendsTheStoredObject)
{
    QVariantMap sent;
    QObject::connect(&service, &RemoteEventsBus::OutgoingEvent,
                     [&](const QString&, const QString&, const QString& id, const QVariantMap& p) {
                         if (id == "evEX")
                             sent = p;
                     });
    delegate.setAPname(QString(40, QChar(0x00e9)));
    delegate.setAPtype(PlannerObjectLink::kStar);
    delegate.sendAPClick(true);
    EXPECT_EQ(sent.value("prNM").toString(), QString(31, QChar(0x00e9)));
    EXPECT_EQ(sent.value("prTP").value<short>(), PlannerObjectLink::kStar);
    EXPECT_TRUE(sent.value("prSL").toBool());

    sent.clear();
    prefs.setIsAstroplanner(false);
    delegate.sendAPClick(false);
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(AppDelegateBus, ScriptingKeys)
{
    EXPECT_EQ(client.property("scopeRA"), "(<-100.0>,)");
    EXPECT_EQ(client.property("scopeSlewDetect"), "(<-100.0>,)");
    mount.connected = true;
    mount.slewing = true;
    EXPECT_EQ(client.property("scopeAzimuth"), "(<123.5>,)");
    EXPECT_EQ(client.property("scopeSlewDetect"), "(<1.0>,)");
    EXPECT_EQ(mount.slewChecks, 1);

    client.setProperty("scopeConnect", "<0>");
    EXPECT_TRUE(mount.connectedSlots.empty());
    client.setProperty("scopeConnect", "<1>");
    EXPECT_EQ(mount.connectedSlots, std::vector<int>{0});
    EXPECT_EQ(mount.timerRates, std::vector<float>{0.0f});

    prefs.setFindName("M 42");
    client.setProperty("findObject", "<'Next'>");
    EXPECT_EQ(finder.tourSteps, std::vector<int>{1});
    EXPECT_EQ(voice.spoken.last(), "M 42 can not be found.");
}

TEST(RemoteEventsBusAlone, DoesNotStartWithoutABus)
{
    SilentGamma gamma;
    PrefControl prefs{gamma};
    AppDelegate delegate{prefs};
    RemoteEventsBus service{delegate};
    EXPECT_FALSE(service.registerOn(QDBusConnection::connectToBus(QString("unix:path=/nonexistent"), "none")));
    EXPECT_FALSE(service.isRegistered());
    QDBusConnection::disconnectFromBus("none");
}

}  // namespace
