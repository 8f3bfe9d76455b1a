#include "AssembledProgram.h"

#include "app/CompanionAssembly.h"
#include "app/GuideLink.h"
#include "remote/ConnectionManager.h"
#include "support/BinaryPlistBuilder.h"
#include "support/FakeDiscovery.h"
#include "support/TestCompanion.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <unistd.h>

#include <cmath>

namespace {

constexpr double kDegToRad = M_PI / 180.0;

// A companion on loopback driving the program as it is assembled: the
// settings switch the server on, the real finder reads the goto's text.
class CompanionEndToEnd : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        chart->companion().setDiscovery(discovery);
        chart->prefControl().setIsExtConnect(true);
    }
    void TearDown() override
    {
        chart.reset();  // its server uses the discovery below
        AssembledProgram::TearDown();
    }
    Controller& controller() { return chart->companion().controller(); }
    void connectBothWays()
    {
        ASSERT_TRUE(controller().connectionManager());
        discovery.services = {{"Pocket", "127.0.0.1", companion.backPort()}};
        ASSERT_TRUE(companion.connectTo(controller().connectionManager()->serverSide().port()));
        ASSERT_TRUE(companion.sendCommand("connectToDevice", {{"deviceName", "Pocket"}}));
        ASSERT_TRUE(QTest::qWaitFor([this] { return controller().connectionEstablished(); }, TestCompanion::kWaitMs));
    }

    FakeDiscovery discovery;
    TestCompanion companion;
};

// The longest the main thread's event loop went without serving a 10 ms timer.
class MainThreadGaps {
public:
    MainThreadGaps()
    {
        m_clock.start();
        QObject::connect(&m_tick, &QTimer::timeout, [this] {
            m_worst = std::max(m_worst, m_clock.restart());
        });
        m_tick.start(10);
    }
    qint64 worstMs() const { return std::max(m_worst, m_clock.elapsed()); }

private:
    QTimer m_tick;
    QElapsedTimer m_clock;
    qint64 m_worst = 0;
};

double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0.0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0.0;
}

}  // namespace

TEST_F(CompanionEndToEnd, TheSettingStartsTheServerAndTheCompanionDrivesTheProgram)
{
    ASSERT_TRUE(discovery.published);
    EXPECT_EQ(discovery.published->name, "Norvane 6|_lumarikMac._tcp.");
    connectBothWays();

    ASSERT_TRUE(companion.sendCommand("identificationRequest"));
    std::optional<QVariantMap> answer = companion.nextMessage();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->value("capabilities").toLongLong(), 20);

    PrefControl& prefs = chart->prefControl();
    ASSERT_TRUE(companion.sendCommand("requestStatus"));
    answer = companion.nextMessage();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->value("command").toString(), "statusAnswer");
    EXPECT_NEAR(answer->value("latitude").toDouble(), prefs.latitude() * kDegToRad, 1e-6);
    const QString scope = prefs.currentScope() < 0 ? QString() : prefs.scopeNamesArray().value(prefs.currentScope());
    EXPECT_EQ(answer->value("telescopeName").toString(), scope);
    EXPECT_EQ(answer->value("connected"), QVariant(false));

    ASSERT_TRUE(companion.sendCommand("sendCoordinates", {{"azimuth", 90.0 * kDegToRad},
                                                          {"altitude", 45.0 * kDegToRad},
                                                          {"fov", 40.0 * kDegToRad}}));
    EXPECT_NEAR(prefs.azimuth(), 90.0, 1e-3);
    EXPECT_NEAR(prefs.altitude(), 45.0, 1e-3);
    EXPECT_NEAR(prefs.viewAngle(), 40.0, 1e-3);
}

TEST_F(CompanionEndToEnd, AGotoJustSouthOfTheEquatorReachesTheFinderAsSouth)
{
    connectBothWays();
    PrefControl& prefs = chart->prefControl();
    prefs.setIsDebug();  // without a mount, only debugging lets a goto through
    ASSERT_TRUE(companion.sendCommand("sendTelescopeGoto", {{"objectName", "no such object"},
                                                            {"rightAscension", 25.0 * 15.0 * kDegToRad},
                                                            {"declination", 0.1}}));
    EXPECT_NE(prefs.findName(), "1:0.000:5:43.775") << "25 h is refused";
    ASSERT_TRUE(companion.sendCommand("sendTelescopeGoto", {{"objectName", "no such object"},
                                                            {"rightAscension", 6.75 * 15.0 * kDegToRad},
                                                            {"declination", -0.5 * kDegToRad},
                                                            {"power", 9000.0}}));
    EXPECT_EQ(prefs.findName(), "6:45.000:-0:30.000");
    EXPECT_NEAR(chart->findObjects().trackDec() / kDegToRad, -0.5, 0.05);
    EXPECT_TRUE(controller().isSlewOn());

    ASSERT_TRUE(companion.sendCommand("sendSite", {{"latitude", 90.0}, {"longitude", 200.0}, {"siteName", "Pole"}}));
    EXPECT_NE(prefs.latitude(), 90.0) << "longitude 200 is refused";
    ASSERT_TRUE(companion.sendCommand("sendSite", {{"latitude", 90.0}, {"longitude", 10.0}, {"timezone", 1.0},
                                                   {"siteName", "Pole"}}));
    EXPECT_DOUBLE_EQ(prefs.latitude(), 90.0);
    prefs.setIsDebug();
}

TEST_F(CompanionEndToEnd, SwitchingTheSettingOffClosesTheLinks)
{
    connectBothWays();
    chart->prefControl().setIsExtConnect(false);
    EXPECT_FALSE(controller().connectionManager());
    EXPECT_FALSE(controller().connectionEstablished());
    EXPECT_TRUE(companion.waitForClose());
}

// The companion reads the program's autoguider: its correction interval as
// the panel sets it, and that it is not guiding.
TEST_F(CompanionEndToEnd, TheAutoguidingAnswersComeFromTheProgramsGuider)
{
    // With no mount connected only debugging serves the guider's commands.
    chart->prefControl().setIsDebug();
    ASSERT_TRUE(chart->prefControl().isDebug());
    connectBothWays();
    WebcamGuide& guide = chart->guideLink().webcamGuide();
    for (const int tag : {0, 3}) {
        guide.guideRateAction(tag);
        ASSERT_TRUE(companion.sendCommand("requestAutoguidingScale"));
        const std::optional<QVariantMap> answer = companion.nextMessage();
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->value("command").toString(), "autoguidingScaleAnswer");
        EXPECT_FLOAT_EQ(answer->value("refreshRate").toFloat(), tag == 0 ? 0.2f : 3.0f);
        EXPECT_EQ(answer->value("guiding"), QVariant(false));
    }
}

// Bodies that a recursive reader could not survive are acknowledged and
// dropped while the window's thread keeps running, and the companion goes on.
TEST_F(CompanionEndToEnd, HostileBinaryBodiesAreRefusedWithoutHoldingTheWindowsThread)
{
    connectBothWays();
    const std::vector<QByteArray> bodies{BinaryPlistBuilder::nested(20000), BinaryPlistBuilder::nested(100000),
                                         BinaryPlistBuilder::cycle(), BinaryPlistBuilder::referenceOutOfRange()};
    const double before = residentMegabytes();
    std::optional<MainThreadGaps> gaps(std::in_place);
    for (const QByteArray& body : bodies)
        ASSERT_TRUE(companion.send(body)) << body.size();
    EXPECT_LT(gaps->worstMs(), 100);
    gaps.reset();
    EXPECT_LT(residentMegabytes() - before, 50.0);

    ASSERT_TRUE(companion.sendCommand("requestStatus"));
    const std::optional<QVariantMap> answer = companion.nextMessage();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->value("command").toString(), "statusAnswer");
}
