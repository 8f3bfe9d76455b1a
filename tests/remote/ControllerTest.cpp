#include "remote/Controller.h"

#include "RemoteFakes.h"
#include "remote/ConnectionManager.h"
#include "support/FakeDiscovery.h"
#include "support/RecordingAlertPresenter.h"
#include "support/TestCompanion.h"

#include <gtest/gtest.h>

#include <QTest>

#include <QtEndian>

#include <cmath>
#include <memory>

namespace {

constexpr double kDegToRad = M_PI / 180.0;

// The controller with its manager, a companion connected both ways on
// loopback, and fakes for everything the commands reach.
class ControllerCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        controller = std::make_unique<Controller>(
            Controller::Links{settings, chart, mount, finder, site, discovery, 2000});
        controller->setTelescopeView(&view);
        controller->setGuider(&guider);
        controller->createManager();
        ASSERT_TRUE(controller->connectionManager());
        discovery.services = {{"Pocket", "127.0.0.1", companion.backPort()}};
        ASSERT_TRUE(companion.connectTo(controller->connectionManager()->serverSide().port()));
        ASSERT_TRUE(companion.sendCommand("connectToDevice", {{"deviceName", "Pocket"}}));
        ASSERT_TRUE(QTest::qWaitFor([this] { return controller->connectionEstablished(); }, TestCompanion::kWaitMs));
    }
    void send(const QString& command, const QVariantMap& values = {})
    {
        ASSERT_TRUE(companion.sendCommand(command, values)) << command.toStdString();
    }
    // The server's next message; none within a short wait when `expectNone`.
    QVariantMap answer()
    {
        const std::optional<QVariantMap> message = companion.nextMessage();
        EXPECT_TRUE(message);
        return message.value_or(QVariantMap());
    }
    bool quiet()
    {
        QTest::qWait(150);
        return companion.received.size() == taken();
    }
    size_t taken() const { return m_expected; }
    void goto_(const QString& name, double raHours, double decDegrees, double power = 0.0)
    {
        send("sendTelescopeGoto", {{"objectName", name},
                                   {"rightAscension", raHours * 15.0 * kDegToRad},
                                   {"declination", decDegrees * kDegToRad},
                                   {"power", power}});
    }

    FakeSettings settings;
    FakeChart chart;
    FakeMount mount;
    FakeFinder finder;
    FakeTelescopeView view;
    FakeSite site;
    FakeGuider guider;
    FakeDiscovery discovery;
    ScopedAlertRecorder alerts;
    std::unique_ptr<Controller> controller;
    TestCompanion companion;
    size_t m_expected = 0;
};

}  // namespace

TEST_F(ControllerCommands, StatusAndCoordinatesAreAnswered)
{
    send("requestStatus");
    const QVariantMap status = answer();
    EXPECT_EQ(status.value("command").toString(), "statusAnswer");
    EXPECT_FLOAT_EQ(status.value("rightAscension").toFloat(), 1.5f);
    EXPECT_FLOAT_EQ(status.value("declination").toFloat(), -0.25f);
    EXPECT_FLOAT_EQ(status.value("latitude").toFloat(), float(48.0 * kDegToRad));
    EXPECT_EQ(status.value("connected"), QVariant(true));
    EXPECT_EQ(status.value("moving"), QVariant(false));
    EXPECT_EQ(status.value("telescopeName").toString(), "C8");

    send("requestCoordinates");
    const QVariantMap coordinates = answer();
    EXPECT_EQ(coordinates.value("command").toString(), "coordinatesAnswer");
    EXPECT_FLOAT_EQ(coordinates.value("azimuth").toFloat(), float(M_PI));
    EXPECT_FLOAT_EQ(coordinates.value("fov").toFloat(), float(60.0 * kDegToRad));
}

TEST_F(ControllerCommands, TheChartTurnsOnlyWithinRange)
{
    send("sendCoordinates", {{"azimuth", 1.0}, {"altitude", -0.1}, {"fov", 1.0}});
    send("sendCoordinates", {{"azimuth", 1.0}, {"altitude", 0.5}, {"fov", 3.0 * kDegToRad}});
    send("sendCoordinates", {{"azimuth", 1.0}, {"altitude", 0.5}});
    send("sendCoordinates", {{"azimuth", 1.0}, {"altitude", 0.5}, {"fov", "1.0"}});
    EXPECT_EQ(chart.updates, 0) << "refused: altitude below 0, a 3° field, no field, a field of the wrong type";
    EXPECT_DOUBLE_EQ(chart.fov, 60.0);

    send("sendCoordinates", {{"azimuth", 1.0}, {"altitude", 0.5}, {"fov", 5.0 * kDegToRad}});
    EXPECT_NEAR(chart.fov, 5.0, 1e-4);
    send("sendCoordinates", {{"azimuth", 2.0}, {"altitude", 0.25}, {"fov", 180.0 * kDegToRad}});
    EXPECT_NEAR(chart.fov, 180.0, 1e-4);
    EXPECT_NEAR(chart.az, 2.0 / kDegToRad, 1e-3);
    EXPECT_NEAR(chart.alt, 0.25 / kDegToRad, 1e-3);
    EXPECT_EQ(chart.updates, 2);
}

TEST_F(ControllerCommands, AGotoByNameIgnoresTheCoordinates)
{
    finder.names.insert("M 31", findResultFound);
    goto_("M 31", 25.0, 100.0, 5.0);
    EXPECT_EQ(finder.asked, QStringList{"M 31"});
    EXPECT_EQ(finder.tracks, 1);
    EXPECT_FALSE(view.power) << "power 5 leaves the magnification";
    goto_("M 31", 0.0, 0.0, 9000.0);
    EXPECT_FALSE(view.power) << "so does 9000";
    goto_("M 31", 0.0, 0.0, 120.0);
    EXPECT_EQ(view.power, 120.0f);
    EXPECT_TRUE(controller->isSlewOn());
}

TEST_F(ControllerCommands, AGotoByCoordinatesGoesThroughTheFindersReading)
{
    goto_("Nowhere", 25.0, 10.0);
    EXPECT_EQ(finder.asked, QStringList{"Nowhere"}) << "25 h is refused before the finder is asked";
    EXPECT_EQ(finder.tracks, 0);

    goto_("Nowhere", 6.75, -0.5);
    ASSERT_EQ(finder.asked.size(), 3);
    EXPECT_EQ(finder.asked[2], "6:45.000:-0:30.000");
    ASSERT_TRUE(finder.position);
    EXPECT_NEAR(finder.position->dec / kDegToRad, -0.5, 1e-3) << "south of the equator";
    EXPECT_NEAR(finder.position->ra / kDegToRad / 15.0, 6.75, 1e-4);
    EXPECT_EQ(finder.tracks, 1);
}

TEST_F(ControllerCommands, AGotoTheFinderRefusesShowsItsAlert)
{
    finder.names.insert("Low", findResultBelowHorizon);
    finder.names.insert("Hidden", findResultFiltered);
    goto_("Low", 1.0, 1.0);
    goto_("Hidden", 1.0, 1.0);
    ASSERT_EQ(alerts.alerts.size(), 2u);
    EXPECT_EQ(alerts.alerts[0].title, "Lumarik scope object is below the horizon.");
    EXPECT_EQ(alerts.alerts[1].title, "Lumarik scope object is filtered out.");
    EXPECT_EQ(finder.tracks, 0);
}

// A user who leaves the alert open must not hold the companion's
// acknowledgement: it goes out first.
TEST_F(ControllerCommands, AGotoAlertDoesNotHoldTheAcknowledgement)
{
    // A user reading the alert notes whether the acknowledgement came meanwhile.
    struct UserAtTheAlert final : AlertPresenter {
        explicit UserAtTheAlert(TestCompanion& c) : companion(c) {}
        void showAlert(const QString&, const QString&) override
        {
            acknowledgedFirst = TestCompanion::waitUntil([this] { return companion.link.bytesAvailable() > 0; }, 1000);
        }
        bool showChoice(const QString&, const QString&, const QString&, const QString&) override { return true; }
        void beep() override {}
        TestCompanion& companion;
        bool acknowledgedFirst = false;
    };
    auto user = std::make_unique<UserAtTheAlert>(companion);
    const UserAtTheAlert& reader = *user;
    AlertPanel::setPresenter(std::move(user));
    finder.names.insert("Low", findResultBelowHorizon);
    goto_("Low", 1.0, 1.0);
    EXPECT_TRUE(TestCompanion::waitUntil([&] { return reader.acknowledgedFirst; }));
}

TEST_F(ControllerCommands, TheStatusFollowsTheEndOfTheSlew)
{
    finder.names.insert("M 42", findResultFound);
    mount.slewing = true;
    goto_("M 42", 0.0, 0.0);
    // Nothing may come during a few slew checks: waiting them out is the check.
    QTest::qWait(Controller::kSlewWatchMs + 300);
    EXPECT_TRUE(companion.received.empty()) << "nothing while the mount slews";
    mount.slewing = false;
    const QVariantMap status = answer();
    EXPECT_EQ(status.value("command").toString(), "statusAnswer");
    EXPECT_EQ(status.value("moving"), QVariant(false));
    EXPECT_FALSE(controller->isSlewOn());
}

TEST_F(ControllerCommands, SlewDirectionsAndRate)
{
    for (int direction : {0, 1, 2, 3, 7})
        send("sendTelescopeSlew", {{"direction", direction}});
    send("sendSlewRate", {{"rate", 0x10003}});
    EXPECT_EQ(mount.calls, (QStringList{"slew 1", "slew 2", "slew 4", "slew 3", "stop 5", "rate 3"}));
}

TEST_F(ControllerCommands, ASlewStopsWhenTheCompanionGoes)
{
    send("sendTelescopeSlew", {{"direction", 2}});
    companion.link.disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([this] { return mount.calls.contains("stop 5"); }, TestCompanion::kWaitMs));
    EXPECT_FALSE(controller->connectionEstablished());
}

TEST_F(ControllerCommands, TheSiteIsCheckedAndItsNameBounded)
{
    send("sendSite", {{"latitude", 10.0}, {"longitude", 200.0}, {"timezone", 1.0}, {"siteName", "Far"}});
    EXPECT_FALSE(site.location);
    const QString longName = QStringLiteral("Pic\tdu\nMidi ") + QString(80, u'x');
    send("sendSite", {{"latitude", 90.0}, {"longitude", -17.5}, {"timezone", -1.0}, {"siteName", longName}});
    ASSERT_TRUE(site.location);
    EXPECT_DOUBLE_EQ(site.location->latitude, 90.0);
    EXPECT_DOUBLE_EQ(site.location->timeZone, -1.0);
    EXPECT_DOUBLE_EQ(settings.lat, 90.0);
    EXPECT_DOUBLE_EQ(settings.lon, -17.5);
    ASSERT_TRUE(site.stored);
    EXPECT_EQ(site.stored->size(), Controller::kSiteNameLength);
    EXPECT_TRUE(site.stored->startsWith("PicduMidi xx"));
}

TEST_F(ControllerCommands, WithTheMountOffOnlyTheFirstThreeAreServedUnlessDebugging)
{
    mount.connected = false;
    guider.guiding = true;
    send("sendTelescopeSlew", {{"direction", 0}});
    send("sendSite", {{"latitude", 1.0}, {"longitude", 1.0}});
    send("requestAutoguidingScale");
    send("clearAutoguidingData");
    EXPECT_TRUE(mount.calls.isEmpty());
    EXPECT_FALSE(site.location);
    EXPECT_EQ(guider.clears, 0);
    send("requestCoordinates");
    EXPECT_EQ(answer().value("command").toString(), "coordinatesAnswer");
    m_expected = 1;
    EXPECT_TRUE(quiet());

    settings.debug = true;
    send("sendTelescopeSlew", {{"direction", 0}});
    EXPECT_EQ(mount.calls, QStringList{"slew 1"});
    EXPECT_TRUE(mount.debugLines.contains("Lumarik slew command: 0."));
    send("unheardOf");
    EXPECT_TRUE(mount.debugLines.contains("Lumarik command failed: unheardOf."));
}

TEST_F(ControllerCommands, TheAutoguiderIsAskedOnlyWhileItGuides)
{
    send("requestAutoguidingScale");
    QVariantMap scale = answer();
    EXPECT_EQ(scale.value("command").toString(), "autoguidingScaleAnswer");
    EXPECT_EQ(scale.value("guiding"), QVariant(false));
    EXPECT_FLOAT_EQ(scale.value("refreshRate").toFloat(), 2.5f);
    send("requestAutoguidingDataBunch");
    send("requestAutoguidingData");
    send("sendAutoguidingStatus", {{"trend", true}, {"update", true}});
    m_expected = 1;
    EXPECT_TRUE(quiet());
    EXPECT_FALSE(guider.trend);

    guider.guiding = true;
    guider.x[0] = 1.25f;
    guider.y[99] = -3.0f;
    send("requestAutoguidingDataBunch");
    const QVariantMap bunch = answer();
    const QByteArray ra = bunch.value("raDataBunch").toByteArray();
    const QByteArray de = bunch.value("deDataBunch").toByteArray();
    ASSERT_EQ(ra.size(), 400);
    ASSERT_EQ(de.size(), 400);
    EXPECT_EQ(qFromLittleEndian<float>(ra.constData()), 1.25f);
    EXPECT_EQ(qFromLittleEndian<float>(de.constData() + 396), -3.0f);
    send("sendAutoguidingStatus", {{"trend", true}, {"update", "yes"}});
    EXPECT_EQ(guider.trend, true);
    EXPECT_EQ(guider.update, false) << "a text is no boolean";
    controller->requestGuideData();
    const QVariantMap pushed = answer();
    EXPECT_EQ(pushed.value("command").toString(), "autoguidingDataAnswer");
    EXPECT_FLOAT_EQ(pushed.value("deData").toFloat(), -0.25f);
}

TEST_F(ControllerCommands, TheManagerFollowsTheSettingAndSleep)
{
    settings.extConnect = false;
    send("requestStatus");
    m_expected = 0;
    EXPECT_TRUE(quiet()) << "the setting is off";
    controller->createManager();
    EXPECT_FALSE(controller->connectionManager());
    settings.extConnect = true;
    controller->madeWake();
    EXPECT_TRUE(controller->connectionManager());
    EXPECT_FALSE(controller->connectionEstablished());
    controller->madeSleep();
    EXPECT_FALSE(controller->connectionManager());
}

TEST(ControllerLifecycle, NoManagerWithoutTheSettingAndNoAnswerWithoutALink)
{
    FakeSettings settings;
    settings.extConnect = false;
    FakeChart chart;
    FakeMount mount;
    FakeFinder finder;
    FakeSite site;
    FakeDiscovery discovery;
    Controller controller({settings, chart, mount, finder, site, discovery});
    controller.createManager();
    EXPECT_FALSE(controller.connectionManager());
    controller.requestStatusCommand();
    controller.requestGuideData();
    EXPECT_FALSE(discovery.published);
}

// A NaN azimuth must not pass as 0, nor an infinite declination as a place.
TEST_F(ControllerCommands, NumbersThatAreNotFiniteAreRefusedForEveryKey)
{
    mount.connected = true;
    const std::vector<std::pair<QString, QVariantMap>> messages{
        {"sendCoordinates", {{"azimuth", 1.0}, {"altitude", 0.5}, {"fov", 0.5}}},
        {"sendTelescopeGoto", {{"objectName", "Nowhere"}, {"rightAscension", 1.0}, {"declination", 0.1},
                               {"power", 100.0}}},
        {"sendSite", {{"latitude", 10.0}, {"longitude", 10.0}, {"timezone", 1.0}, {"siteName", "Here"}}}};
    for (const double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        for (const auto& [command, values] : messages) {
            for (auto it = values.cbegin(); it != values.cend(); ++it) {
                if (it.value().typeId() != QMetaType::Double)
                    continue;
                QVariantMap spoilt = values;
                spoilt.insert(it.key(), bad);
                spoilt.insert("command", command);
                // libplist spells infinity in a way no reader takes; a companion writes "inf".
                QByteArray body = PropertyList::toXml(spoilt);
                body.replace("<real>+infinity</real>", "<real>inf</real>");
                body.replace("<real>-infinity</real>", "<real>-inf</real>");
                ASSERT_TRUE(companion.send(body));
            }
        }
    }
    EXPECT_EQ(chart.updates, 0);
    EXPECT_TRUE(finder.asked.isEmpty());
    EXPECT_FALSE(site.location);

    for (const auto& [command, values] : messages)
        send(command, values);
    EXPECT_EQ(chart.updates, 1);
    EXPECT_EQ(finder.asked.size(), 2) << "by name, then by the finite coordinates";
    EXPECT_TRUE(site.location);
}
