#include "SimulatedMountFixture.h"

#include "mount/MountProtocols.h"
#include "mount/families/IOptronFamily.h"
#include "support/IOptronSimulator.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

using namespace std::chrono_literals;

class IOptronFamilyTest : public SimulatedMountFixture {
protected:
    // A mount of either personality that delays every reply by `pause` and
    // pauses as long halfway through those of two bytes or more.
    IOptronFamily& make(bool iEQ45, std::chrono::milliseconds pause = 0ms)
    {
        simulator = std::make_unique<IOptronSimulator>(iEQ45);
        if (pause > 0ms) {
            simulator->faults().setReplyDelay(pause);
            simulator->faults().splitRepliesInHalf(pause);
        }
        open(*simulator);
        family =
            std::make_unique<IOptronFamily>(iEQ45 ? kProtocolIEQ45 : kProtocolIOptron, context(), inputs);
        return *family;
    }
    // The commands received since `from` bytes, once `count` have come.
    QList<QByteArray> commandsFrom(qsizetype from, qsizetype count)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return simulator->received().mid(from).count('#') >= count; }, 2000));
        QList<QByteArray> out = simulator->received().mid(from).split('#');
        out.removeLast();
        return out;
    }

    std::unique_ptr<IOptronSimulator> simulator;
    std::unique_ptr<IOptronFamily> family;
};

}  // namespace

TEST(IOptronTexts, RepliesAndSiteFields)
{
    const struct {
        QByteArray reply;
        bool iEQ45;
        std::optional<double> value;
    } hours[] = {{" 5:07:09#", true, 5.0 + 7.0 / 60.0 + 9.0 / 3600.0},
                 {"05:07:09.4#", false, 5.0 + 7.0 / 60.0 + 9.4 / 3600.0},
                 {"05:07#", false, std::nullopt},
                 {"25:00:00#", false, std::nullopt},
                 {QByteArray(64, '1'), false, std::nullopt}};
    for (const auto& c : hours) {
        const std::optional<double> parsed = IOptronFamily::parseHours(c.reply, c.iEQ45);
        ASSERT_EQ(parsed.has_value(), c.value.has_value()) << c.reply.toStdString();
        if (parsed) {
            EXPECT_NEAR(*parsed, *c.value, 1e-9);
        }
    }
    bool star = false;
    EXPECT_NEAR(*IOptronFamily::parseDegrees("-00*30:00#", false, &star), -0.5, 1e-9);
    EXPECT_TRUE(star);
    EXPECT_FALSE(IOptronFamily::parseDegrees("+91*00:00#", false));

    EXPECT_EQ(IOptronFamily::latitudeText(45.0 + 30.0 / 60.0 + 45.0 / 3600.0), "+45*30:45");
    EXPECT_EQ(IOptronFamily::latitudeText(45.0 + 30.0 / 60.0 + 5.0 / 3600.0), "+45*30:05");
    EXPECT_EQ(IOptronFamily::latitudeText(-(33.0 + 59.0 / 60.0 + 59.8 / 3600.0)), "-34*00:00");
    EXPECT_EQ(IOptronFamily::longitudeText(-75.0), "-075*00:00");
    EXPECT_EQ(IOptronFamily::longitudeText(10.0), "+010*00:00");
    EXPECT_EQ(IOptronFamily::longitudeText(350.0), "-010*00:00");
    EXPECT_EQ(IOptronFamily::longitudeText(180.0), "+180*00:00");

    const QDateTime plusOne(QDate(2026, 3, 4), QTime(22, 5, 9), QTimeZone(3600));
    EXPECT_EQ(IOptronFamily::dateCommands(plusOne),
              (QList<QByteArray>{":SC 03/04/26#", ":SL 22:05:09#", ":SG +01#"}));
    const QDateTime minusFive(QDate(2026, 3, 4), QTime(1, 0), QTimeZone(-5 * 3600));
    EXPECT_EQ(IOptronFamily::dateCommands(minusFive).back(), ":SG -05#");
}

TEST_F(IOptronFamilyTest, TheMountTypeSaysWhetherItIsPolar)
{
    for (const char type : {'0', '2'}) {
        IOptronFamily& iOptron = make(false);
        simulator->setMountType(type);
        ASSERT_TRUE(iOptron.connect());
        EXPECT_EQ(iOptron.isPolar(), type != '0');
    }
}

TEST_F(IOptronFamilyTest, GotosSendTruncatedFieldsAndRunUntilArrived)
{
    for (const bool iEQ45 : {false, true}) {
        IOptronFamily& mount = make(iEQ45);
        const double ra = (5.0 + 7.0 / 60.0 + 9.45 / 3600.0) * 15.0 * kDegree;
        const double dec = -(12.0 + 30.0 / 60.0 + 45.9 / 3600.0) * kDegree;
        ASSERT_TRUE(mount.gotoPosition(ra, dec));
        EXPECT_EQ(commandsFrom(0, iEQ45 ? 3 : 4).mid(iEQ45 ? 0 : 1),
                  (QList<QByteArray>{iEQ45 ? ":Sr 05:07:09" : ":Sr 05:07:09.4", ":Sd -12*30:45", ":MS"}));
        for (int polls = 0; polls < 3; ++polls)
            ASSERT_TRUE(mount.readPosition());
        EXPECT_NEAR(status.scopeRA, ra, 5e-5);
        EXPECT_NEAR(status.scopeDec, dec, 5e-5);
    }
}

// 4h lands a hair short of four hours in floating point: no field may reach 60.
TEST_F(IOptronFamilyTest, AGotoOnTheHourSendsTheHour)
{
    IOptronFamily& iOptron = make(false);
    ASSERT_TRUE(iOptron.gotoPosition(4.0 * 15.0 * kDegree, 0.0));
    EXPECT_EQ(commandsFrom(0, 4).mid(1, 1), QList<QByteArray>{":Sr 04:00:00.0"});
}

// The iEQ45 is never asked whether it slews: once polled it counts as
// standing, or the worker would drop every goto after the first.
TEST_F(IOptronFamilyTest, AnIEQ45PollEndsTheGotosSlewing)
{
    IOptronFamily& iEQ45 = make(true);
    ASSERT_TRUE(iEQ45.gotoPosition(1.0, 0.2));
    EXPECT_TRUE(status.isSlewing);
    ASSERT_TRUE(iEQ45.readPosition());
    EXPECT_FALSE(status.isSlewing);
}

TEST_F(IOptronFamilyTest, ASilentStartFailsTheGoto)
{
    IOptronFamily& iOptron = make(false);
    simulator->setSilentStart();
    EXPECT_FALSE(iOptron.gotoPosition(1.0, 0.2));
    EXPECT_TRUE(status.isNoResponse);
    EXPECT_FALSE(status.isSlewing);
}

TEST_F(IOptronFamilyTest, PanelCommandsByPersonality)
{
    inputs.latitude = [] { return 45.0 + 30.0 / 60.0 + 5.0 / 3600.0; };
    inputs.longitude = [] { return 10.0; };
    const struct {
        bool iEQ45;
        PanelCommand command;
        QList<QByteArray> sent;
    } cases[] = {
        {false, {MountOperation::Slew, 3, 0, false}, {":Mw"}},
        {true, {MountOperation::Slew, 4, 0, false}, {":me"}},
        {false, {MountOperation::SlewSpeed, 11, 0, false}, {":RC", ":RC2"}},
        {false, {MountOperation::SlewSpeed, 16, 0, false}, {":RG", ":SGS1"}},
        {true, {MountOperation::SlewSpeed, 15, 0, false}, {":RG050"}},
        {true, {MountOperation::Track, 27, 0, false}, {":RT1"}},
        {false, {MountOperation::Park, 21, 0, false}, {":PK"}},
        {false, {MountOperation::Park, 25, 0, false}, {":STPKP3"}},
        {false, {MountOperation::Setup, 33, 0, false}, {":St +45*30:05", ":Sg +010*00:00"}},
        {true, {MountOperation::Setup, 34, 0, false}, {":MH"}},
    };
    for (const auto& c : cases) {
        IOptronFamily& mount = make(c.iEQ45);
        ASSERT_TRUE(mount.run(c.command)) << c.command.code;
        EXPECT_EQ(commandsFrom(0, c.sent.size()), c.sent) << c.command.code;
    }
}

TEST_F(IOptronFamilyTest, AStopOfOneDirectionStopsTheMount)
{
    // A locked panel key's release stops its direction: never a new move.
    for (const bool iEQ45 : {false, true}) {
        for (const int direction : {1, 2, 3, 4}) {
            IOptronFamily& mount = make(iEQ45);
            ASSERT_TRUE(mount.run({MountOperation::Slew, direction, kSlewFlagStop, false}));
            EXPECT_EQ(commandsFrom(0, 1), QList<QByteArray>{iEQ45 ? ":q" : ":Q"}) << direction;
        }
    }
}

TEST_F(IOptronFamilyTest, RepliesPausedAsRealUnitsPauseAreReadWholeAndNeverAnswerLaterCommands)
{
    IOptronFamily& iOptron = make(false, 300ms);
    simulator->setMountType('0');
    ASSERT_TRUE(iOptron.connect());
    EXPECT_FALSE(iOptron.isPolar());
    // The date's answer is two lines of blanks; its tail must not be read
    // as the mount saying it slews.
    ASSERT_TRUE(iOptron.run({MountOperation::Setup, 32, 0, false}));
    const double ra = 3.0 * 15.0 * kDegree;
    const double dec = 20.0 * kDegree;
    ASSERT_TRUE(iOptron.gotoPosition(ra, dec));
    EXPECT_TRUE(alerts.empty());
    while (status.isSlewing)
        ASSERT_TRUE(iOptron.readPosition());
    EXPECT_NEAR(status.scopeRA, ra, 5e-5);
    EXPECT_NEAR(status.scopeDec, dec, 5e-5);
    ASSERT_TRUE(iOptron.run({MountOperation::Setup, 31, 0, false}));
    ASSERT_TRUE(iOptron.run({MountOperation::Park, 21, 0, false}));
    ASSERT_TRUE(iOptron.readPosition());
    EXPECT_FALSE(status.isSlewing);
}

TEST_F(IOptronFamilyTest, TheTimeGoesOutAsItIsWhenSent)
{
    QElapsedTimer running;
    running.start();
    inputs.now = [this, running] { return now.addMSecs(running.elapsed()); };
    // The date's answer takes 1.4 s.
    IOptronFamily& iOptron = make(false, 700ms);
    ASSERT_TRUE(iOptron.run({MountOperation::Setup, 32, 0, false}));
    const QList<QByteArray> sent = commandsFrom(0, 3);
    ASSERT_EQ(sent.size(), 3);
    EXPECT_EQ(sent[0], ":SC 03/04/26");
    EXPECT_GE(QTime::fromString(QString::fromLatin1(sent[1].mid(4)), "HH:mm:ss"), QTime(21, 30, 1))
        << sent[1].toStdString();
}
