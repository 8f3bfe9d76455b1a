#include "SerialFocuserFixture.h"

#include "focus/views/RoboWindow.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QSpinBox>

#include <sys/ioctl.h>

class RoboTest : public RoboFixture {
protected:
    // The temperature as the controller gives it, half-kelvins.
    void setTemperature(int halfKelvins) { simulator->setTemperatureValue(halfKelvins); }
    // Bytes from the controller that the program has not read.
    int unreadOnLine() const
    {
        int unread = 0;
        return ::ioctl(serial->serialRefNum(kSerialSlotFocuser), FIONREAD, &unread) == 0 ? unread : -1;
    }
    // Polls until the move ends: nothing was written to the motor sooner
    // than 2 s after its last echo, and the program has its position.
    void expectMoveEndsAfterQuietLines()
    {
        using namespace std::chrono_literals;
        ASSERT_TRUE(QTest::qWaitFor(
            [this] {
                update();
                return !control->isRoboMove();
            },
            30000));
        for (const std::chrono::milliseconds silence : simulator->silencesBeforeStops())
            EXPECT_GE(silence, 1990ms);
        EXPECT_EQ(control->roboPosition(), simulator->position());
    }
};

const QString kMovingAfterStop = "The focuser keeps moving after it was sent a stop, and it takes any byte it "
                                 "receives while it moves as a stop: commands are refused until it comes to rest.";

TEST(RoboFrameTest, TheChecksumIsTheSumOfTheEightCharacters)
{
    const QByteArray frame = RoboControl::roboCommand("FG", 100);
    ASSERT_EQ(frame.size(), 9);
    EXPECT_EQ(frame.left(8), "FG000100");
    EXPECT_EQ(quint8(frame.at(8)), 174);
}

TEST_F(RoboTest, ConnectReadsTheControllersSettings)
{
    simulator->setPosition(12345);
    simulator->setMaximum(50000);
    simulator->setBacklash(3, 40);
    connectFocuser();
    EXPECT_EQ(display.status, "Connected");
    EXPECT_EQ(roboDisplay.duty, 20);  // byte 50 x 0.4
    EXPECT_EQ(roboDisplay.stepSize, 4);
    EXPECT_EQ(roboDisplay.direction, 3);
    EXPECT_EQ(roboDisplay.backlash, 40);
    EXPECT_EQ(roboDisplay.maximum, 50000);
    EXPECT_EQ(display.position, "12345");
    EXPECT_EQ(control->roboPosition(), 12345);
    EXPECT_EQ(roboDisplay.slope, "0.0");
    EXPECT_EQ(simulator->commands().mid(0, 2), (QList<QByteArray>{"FV000000", "FC000000"}));
    EXPECT_DOUBLE_EQ(frame->focusScale(), 50000.0);
}

TEST_F(RoboTest, TheMaximumAndTheConfigurationAreLimited)
{
    connectFocuser();
    control->roboSetMax(70000);
    settle();
    EXPECT_TRUE(lastSent("FL064000"));
    control->roboSetMax(1);
    settle();
    EXPECT_TRUE(lastSent("FL000002"));
    EXPECT_EQ(control->roboMax(), 2);

    frame->editTextAction(RoboFrame::kStepSizeField, 0);
    settle();
    EXPECT_TRUE(QTest::qWaitFor([this] { return simulator->config()[2] == 1; }, 5000));
    frame->editTextAction(RoboFrame::kStepSizeField, 100);
    frame->editTextAction(RoboFrame::kDutyField, 120);
    settle();
    EXPECT_TRUE(QTest::qWaitFor([this] { return simulator->config()[0] == 250; }, 5000));
    EXPECT_EQ(simulator->config()[2], 64);
    EXPECT_EQ(roboDisplay.duty, 100);
}

TEST_F(RoboTest, MovesStayWithinTheLimitsTheBacklashLeaves)
{
    simulator->setPosition(63900);
    simulator->setBacklash(2, 50);
    connectFocuser();
    EXPECT_FALSE(frame->roboCheckStepLimits(46, RoboFrame::kOutward));
    EXPECT_TRUE(frame->roboCheckStepLimits(45, RoboFrame::kOutward));
    EXPECT_EQ(frame->roboMaxMove(RoboFrame::kOutward), 50);  // 64000 - 63900 - 50

    frame->editTextAction(RoboFrame::kDirectionMatrix, 1);  // direction 3
    frame->editTextAction(RoboFrame::kBacklashField, 50);
    settle();
    EXPECT_EQ(control->roboBacklashDirection(), 3);
    EXPECT_TRUE(lastSent("FB300050"));
    EXPECT_FALSE(frame->roboCheckStepLimits(54, RoboFrame::kAbsolute));
    EXPECT_TRUE(frame->roboCheckStepLimits(55, RoboFrame::kAbsolute));

    // A go-to the limits refuse sends a stop instead; one they allow goes.
    frame->focusAction(RoboFrame::kGoto, 54);
    settle();
    EXPECT_TRUE(lastSent("F "));
    frame->focusAction(RoboFrame::kGoto, 1000);
    settle();
    EXPECT_TRUE(lastSent("FG001000"));
    update();
    EXPECT_EQ(control->roboPosition(), 1000);
    EXPECT_EQ(display.position, "1000");
    EXPECT_FALSE(control->isRoboMove());
}

TEST_F(RoboTest, AHeldKeyMovesUntilReleased)
{
    simulator->setPosition(1000);
    connectFocuser();
    ASSERT_TRUE(frame->keyAction(Qt::Key_Down));
    settle();
    EXPECT_TRUE(lastSent("FO063000"));  // 64000 - 1000, no backlash
    ASSERT_TRUE(frame->keyUpAction(Qt::Key_Down));
    settle();
    EXPECT_TRUE(lastSent("F "));
}

TEST_F(RoboTest, TheTemperatureAndItsEchoes)
{
    simulator->setPosition(3000);
    connectFocuser();
    setTemperature(596);
    bool read = false;
    control->roboGetTemp([&read](bool ok) { read = ok; });
    settle();
    ASSERT_TRUE(read);
    EXPECT_NEAR(control->roboTemp(), 24.85, 1e-4);

    // Step echoes ahead of the reply are counted into the position.
    simulator->leadNextReplyWith("OOOOO");
    control->roboGetTemp([](bool) {});
    settle();
    EXPECT_EQ(control->roboPosition(), 3005);
    EXPECT_FALSE(control->isRoboMove());

    // Every fifth update tick reads the temperature.
    setTemperature(600);
    for (int tick = 0; tick < RoboFrame::kTempEveryTicks; ++tick)
        update();
    EXPECT_EQ(display.temperature, QString::fromUtf8("26.9\u00B0C"));
}

TEST_F(RoboTest, AGarbledReplyKeepsTheLastGoodPosition)
{
    simulator->setPosition(4321);
    connectFocuser();
    ASSERT_EQ(control->roboPosition(), 4321);
    simulator->setPosition(10);
    simulator->garbleNextReply();
    bool read = true;
    control->roboGetPosition([&read](bool ok) { read = ok; });
    settle();
    EXPECT_FALSE(read);
    EXPECT_EQ(control->roboPosition(), 4321);

    // A silent controller: the same.
    port->simulator().dropAnswers();
    const qsizetype first = port->simulator().received().size();
    control->roboGetPosition([&read](bool ok) { read = ok; });
    settle();
    EXPECT_EQ(control->roboPosition(), 4321);
    EXPECT_GT(port->simulator().received().size(), first);
}

// A reply is known by its record's mark, not by where it starts: bytes
// left over ahead of it are passed over, echoes still counted.
TEST_F(RoboTest, ARecordIsFoundByItsMarkBehindStrayBytes)
{
    simulator->setPosition(4321);
    connectFocuser();
    simulator->setPosition(2500);
    simulator->leadNextReplyWith("OO3\x7f");
    bool read = false;
    control->roboGetPosition([&read](bool ok) { read = ok; });
    settle();
    EXPECT_TRUE(read);
    EXPECT_EQ(control->roboPosition(), 2500);

    simulator->leadNextReplyWith("FD0");
    control->roboGetMax([&read](bool ok) { read = ok; });
    settle();
    EXPECT_TRUE(read);
    EXPECT_EQ(control->roboMax(), 64000);
}

TEST_F(RoboTest, LearningAndCompensation)
{
    simulator->setPosition(3000);
    setTemperature(566);  // 9.85 degrees
    connectFocuser();
    frame->tempAction(RoboFrame::kLearn);
    settle();
    ASSERT_TRUE(frame->isRoboLearn());
    simulator->setPosition(3060);
    setTemperature(562);  // 2.0 degrees cooler
    frame->tempAction(RoboFrame::kCalculate);
    settle();
    EXPECT_FLOAT_EQ(frame->roboSlope(), 30.0f);
    EXPECT_EQ(slopeSaves, 1);
    EXPECT_EQ(roboDisplay.slope, "30.0");
    EXPECT_EQ(roboDisplay.delta, QString::fromUtf8("2.0 \u00B0C"));

    // Less than a degree: a beep, nothing learnt.
    setTemperature(561);
    frame->tempAction(RoboFrame::kLearn);
    frame->tempAction(RoboFrame::kLearn);
    settle();
    frame->tempAction(RoboFrame::kCalculate);
    settle();
    EXPECT_EQ(alerts.beeps, 1);

    // Compensation with slope 30: no change moves nothing; half a degree
    // cooler moves out 15 steps.
    // The test ticks the compensation itself: an hour between the frame's
    // own ticks keeps a slow machine from adding one.
    frame->tempAction(RoboFrame::kUpdateRate, 3600.0);
    frame->tempAction(RoboFrame::kSlopeField, 30.0);
    frame->tempAction(RoboFrame::kCompensate, 1.0);
    settle();
    ASSERT_TRUE(frame->isCompensating());
    qsizetype first = simulator->commands().size();
    frame->tempTimer();
    settle();
    EXPECT_EQ(sentSince(first), QList<QByteArray>{"FT000000"});
    setTemperature(560);
    frame->tempTimer();
    settle();
    EXPECT_TRUE(lastSent("FO000015"));

    // A small slope: the changes add up until they make two steps.
    frame->tempAction(RoboFrame::kSlopeField, 3.0);
    settle();
    update();
    first = simulator->commands().size();
    setTemperature(559);
    frame->tempTimer();
    settle();
    EXPECT_EQ(sentSince(first), QList<QByteArray>{"FT000000"});
    setTemperature(558);
    frame->tempTimer();
    settle();
    EXPECT_TRUE(lastSent("FO000003"));

    frame->tempAction(RoboFrame::kCompensate, 0.0);
    settle();
    EXPECT_FALSE(frame->isCompensating());
}

TEST_F(RoboTest, AnAutofocusRunOnTheControllerEndsWithAFit)
{
    simulator->setPosition(3000);
    simulator->setBacklash(3, 0);
    connectFocuser();
    FakeFocuser optics;
    FakeStarCamera camera{optics, 2990};
    cameras.setWebcam(&camera);
    AutoFocusRun& run = frame->autoFocus();
    run.setImages(7);
    run.setSamples(2);
    run.setSteps(20);
    run.curveAction(AutoFocusRun::kStartTag);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        optics.position = quint16(simulator->position());
        camera.deliver();
        return run.isCurveDone() || !alerts.alerts.empty();
    }, 60000));
    EXPECT_TRUE(alerts.alerts.empty());
    EXPECT_LE(std::abs(int(run.bestFocus()) - 2990), 640);  // 1 % of N (64000)
    EXPECT_EQ(simulator->commands().count("FO000020"), 6);
    EXPECT_EQ(simulator->commands().count("FI000070"), 1);
    EXPECT_EQ(camera.reusedFrames, 0);
}

TEST_F(RoboTest, TheWindowShowsTheSettingsAndReachesTheFrame)
{
    connectFocuser();
    RoboWindow window;
    RoboFrame shown(*control, links(), {window, window, window}, {});
    window.attachRobo(shown);
    shown.setRoboSlope(12.5f);
    EXPECT_EQ(window.slopeField()->text(), "12.5");
    window.showConfig(40, 2, 8);
    EXPECT_EQ(window.field(RoboFrame::kStepSizeField)->value(), 8);
    window.field(RoboFrame::kMaximumField)->setValue(50000);
    emit window.field(RoboFrame::kMaximumField)->editingFinished();
    EXPECT_TRUE(lastSent("FL050000"));
    window.output(2)->click();
    EXPECT_TRUE(QTest::qWaitFor([this] { return simulator->output(2); }, 5000));
    settle();
    EXPECT_TRUE(window.output(2)->isChecked());
}

TEST_F(RoboTest, TheBacklashDirectionChangesFromAFreshStart)
{
    connectFocuser();
    ASSERT_EQ(control->roboBacklashDirection(), 2);
    ASSERT_EQ(control->roboBacklash(), 0);
    // Amount 0 would only ask: the controller would stay at direction 2.
    frame->editTextAction(RoboFrame::kDirectionMatrix, 1);
    settle();
    EXPECT_TRUE(lastSent("FB300001"));
    EXPECT_EQ(control->roboBacklashDirection(), 3);
    EXPECT_EQ(roboDisplay.backlash, 1);

    frame->editTextAction(RoboFrame::kBacklashField, 40);
    settle();
    // Direction 2 has no amount of its own yet: it takes the current one.
    frame->editTextAction(RoboFrame::kDirectionMatrix, 0);
    settle();
    EXPECT_TRUE(lastSent("FB200040"));
    frame->editTextAction(RoboFrame::kBacklashField, 7);
    settle();
    // Back to 3, its stored amount is kept.
    frame->editTextAction(RoboFrame::kDirectionMatrix, 1);
    settle();
    EXPECT_TRUE(lastSent("FB300040"));
    EXPECT_EQ(control->roboBacklashDirection(), 3);
    EXPECT_EQ(roboDisplay.backlash, 40);
    EXPECT_EQ(alerts.beeps, 0);
}

TEST_F(RoboTest, AGarbledBacklashOrConfigurationReplyBeepsAndKeepsTheField)
{
    simulator->setBacklash(2, 30);
    connectFocuser();
    ASSERT_EQ(roboDisplay.backlash, 30);
    simulator->garbleNextReply();
    frame->editTextAction(RoboFrame::kBacklashField, 55);
    settle();
    EXPECT_EQ(alerts.beeps, 1);
    EXPECT_EQ(roboDisplay.backlash, 30);

    simulator->garbleNextReply();
    bool read = true;
    control->roboGetConfig([&read](bool ok) { read = ok; });
    settle();
    EXPECT_FALSE(read);
    EXPECT_EQ(alerts.beeps, 2);
    EXPECT_EQ(roboDisplay.duty, 20);
}

// Only step echoes show that a move goes on. A motor whose echoes pause
// (here short of 2 s, then with the line busy with noise past them) is
// written nothing until it has ended: it would take any byte as a stop.
TEST_F(RoboTest, AMoveWhoseEchoesPauseIsWrittenNothingUntilItEnds)
{
    using namespace std::chrono_literals;
    simulator->setPosition(3000);
    simulator->setStepTime(10ms);
    connectFocuser();
    frame->setUpdateInterval(std::chrono::hours(1));
    const auto ticksUntilAt = [this](int target) {
        return QTest::qWaitFor(
            [&] {
                update();
                return simulator->position() == target && !control->isRoboMove();
            },
            20000);
    };
    simulator->pauseMove(1, 50, 1200ms);
    frame->focusAction(RoboFrame::kGoto, 3200);
    EXPECT_TRUE(ticksUntilAt(3200));
    simulator->pauseMove(1, 50, 2600ms, 'X');
    frame->focusAction(RoboFrame::kGoto, 3000);
    EXPECT_TRUE(ticksUntilAt(3000));
    EXPECT_EQ(simulator->bytesDuringMoves(), QList<QByteArray>{});
    EXPECT_EQ(control->roboPosition(), 3000);
}

// A move whose end record was lost ends 2 s after its last echo, whatever
// else the line carries; the user's next command then goes out.
TEST_F(RoboTest, AMoveWhoseEndRecordIsLostEndsAfterItsEchoesStop)
{
    using namespace std::chrono_literals;
    simulator->setPosition(3000);
    simulator->setStepTime(5ms);
    connectFocuser();
    frame->setUpdateInterval(std::chrono::hours(1));
    simulator->loseEndRecordOfMove(1);
    port->simulator().babble("X", 700ms);
    frame->focusAction(RoboFrame::kGoto, 3200);
    QElapsedTimer sinceGoto;
    sinceGoto.start();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            update();
            return !control->isRoboMove();
        },
        15000));
    // A second of echoes, two of silence, and a read or two.
    EXPECT_LT(sinceGoto.elapsed(), 8000);
    EXPECT_EQ(control->roboPosition(), 3200);
    frame->focusAction(RoboFrame::kGoto, 3100);
    EXPECT_TRUE(QTest::qWaitFor([this] { return simulator->commands().contains("FG003100"); }, 5000));
    port->simulator().babble({}, 0ms);
}

// A move whose end record was lost on a line that never falls quiet: the
// read that would confirm where it ended cannot go out. The user is told
// so, the move is taken as ended where its echoes left it, and a command
// the busy line refuses says why, once.
TEST_F(RoboTest, AMoveThatCannotBeConfirmedOnABusyLineSaysWhy)
{
    using namespace std::chrono_literals;
    simulator->setPosition(3000);
    simulator->setStepTime(5ms);
    connectFocuser();
    simulator->loseEndRecordOfMove(1);
    frame->focusAction(RoboFrame::kGoto, 3020);
    ASSERT_TRUE(QTest::qWaitFor([this] { return simulator->commands().contains("FG003020"); }, 5000));
    port->simulator().babble("X", 20ms);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !alerts.alerts.empty(); }, 30000));
    EXPECT_EQ(alerts.alerts[0].title, "The focuser's move was given up");
    EXPECT_EQ(alerts.alerts[0].message, "The focuser's position after its move could not be confirmed: its line "
                                        "never fell quiet. It was sent a stop. Its last reported position is 3020.");
    EXPECT_FALSE(control->isRoboMove());

    for (int tries = 1; tries <= 2; ++tries) {
        frame->focusAction(RoboFrame::kGoto, 3100);
        ASSERT_TRUE(QTest::qWaitFor([&] { return alerts.beeps == tries && !control->isRoboMove(); }, 20000));
    }
    ASSERT_EQ(alerts.alerts.size(), 2u);
    EXPECT_EQ(alerts.alerts[1].title, "The Robo-Focus line is busy");
    EXPECT_FALSE(simulator->commands().contains("FG003100"));

    port->simulator().babble({}, 0ms);
    frame->focusAction(RoboFrame::kGoto, 3100);
    EXPECT_TRUE(QTest::qWaitFor([this] { return simulator->commands().contains("FG003100"); }, 10000));
}

// A motor slower than its documents allow: its move is stopped once it
// outlasts its steps at the slowest speed, however steadily it progresses,
// and the user is told where it was last reported.
TEST_F(RoboTest, AMovePastItsCeilingIsStoppedAndTheUserTold)
{
    using namespace std::chrono_literals;
    simulator->setPosition(3000);
    simulator->setStepTime(500ms);
    connectFocuser();
    frame->focusAction(RoboFrame::kGoto, 3060);  // 6 s at 10 steps a second; 30 s at this motor's pace
    ASSERT_TRUE(QTest::qWaitFor([this] { return !alerts.alerts.empty(); }, 25000));
    EXPECT_EQ(alerts.alerts[0].title, "The focuser's move was given up");
    EXPECT_TRUE(alerts.alerts[0].message.startsWith(
        "The focuser's move took longer than its steps take at the slowest speed. It was sent a stop."))
        << alerts.alerts[0].message.toStdString();
    EXPECT_TRUE(QTest::qWaitFor([this] { return simulator->commands().contains("F "); }, 5000));
    EXPECT_LT(simulator->position(), 3060);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !control->isRoboMove(); }, 10000));
    EXPECT_EQ(alerts.alerts.size(), 1u);
}

// A motor that heeds no stop: its echoes after a move given up are watched
// as a move of their own, stopped again each time they outlast its bound,
// and told once; a go-to meanwhile is refused saying why, once.
TEST_F(RoboTest, EchoesAfterAStopAreStoppedAgainAndToldOnce)
{
    using namespace std::chrono_literals;
    simulator->setPosition(3000);
    simulator->setStepTime(100ms);
    connectFocuser();
    simulator->runOnAfterStop(350);
    frame->focusAction(RoboFrame::kGoto, 3300);
    ASSERT_TRUE(QTest::qWaitFor([this] { return control->roboPosition() > 3000; }, 10000));
    ASSERT_TRUE(frame->haltRun());
    ASSERT_TRUE(QTest::qWaitFor([this] { return control->isRoboMove(); }, 10000));
    frame->focusAction(RoboFrame::kGoto, 3100);
    frame->focusAction(RoboFrame::kGoto, 3100);
    EXPECT_EQ(alerts.beeps, 2);
    // Two spells of the bound at least, then the motor's own end.
    ASSERT_TRUE(QTest::qWaitFor(
        [this] {
            return simulator->commands().count("F ") >= 3 && !control->isRoboMove()
                   && control->roboPosition() == simulator->position();
        },
        60000))
        << simulator->commands().count("F ") << " stops, at " << control->roboPosition() << " of "
        << simulator->position() << (control->isRoboMove() ? ", moving" : "");
    ASSERT_EQ(alerts.alerts.size(), 2u);
    EXPECT_EQ(alerts.alerts[0].title, "The Robo-Focus is moving");
    EXPECT_EQ(alerts.alerts[0].message, kMovingAfterStop);
    EXPECT_TRUE(alerts.alerts[1].message.startsWith(
        "The focuser kept moving after it was sent a stop. It was sent a stop again."))
        << alerts.alerts[1].message.toStdString();
}

// A motor far slower than its documents give: nothing is written to it
// within 2 s of an echo, one that comes while the program waits to confirm
// the move's end included; a go-to its controller then ends short is told.
TEST_F(RoboTest, ASlowMotorIsWrittenNothingSoonAfterAnEchoAndAShortEndIsTold)
{
    using namespace std::chrono_literals;
    simulator->setPosition(3000);
    simulator->setStepTime(2300ms);
    connectFocuser();
    frame->setUpdateInterval(std::chrono::hours(1));
    frame->focusAction(RoboFrame::kGoto, 3003);
    ASSERT_NO_FATAL_FAILURE(expectMoveEndsAfterQuietLines());
    if (simulator->position() != 3003) {
        ASSERT_EQ(alerts.alerts.size(), 1u);
        EXPECT_EQ(alerts.alerts[0].message,
                  QString("The focuser stopped at %1 instead of its target 3003.").arg(simulator->position()));
    }
}

// A go-to whose controller ends it away from its target tells where it
// stopped; one the user stopped does not.
TEST_F(RoboTest, AGotoThatEndsAwayFromItsTargetIsToldUnlessStopped)
{
    using namespace std::chrono_literals;
    simulator->setPosition(3000);
    simulator->setStepTime(20ms);
    connectFocuser();
    simulator->stopNextMoveShort(5);
    frame->focusAction(RoboFrame::kGoto, 3100);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !alerts.alerts.empty(); }, 20000));
    EXPECT_EQ(alerts.alerts[0].title, "The focuser did not reach its target");
    EXPECT_EQ(alerts.alerts[0].message, "The focuser stopped at 3095 instead of its target 3100.");
    frame->focusAction(RoboFrame::kGoto, 3400);
    ASSERT_TRUE(QTest::qWaitFor([this] { return control->roboPosition() > 3095; }, 10000));
    frame->focusAction(RoboFrame::kIn);  // while moving: the stop
    ASSERT_TRUE(QTest::qWaitFor([this] { return !control->isRoboMove(); }, 20000));
    EXPECT_LT(control->roboPosition(), 3400);
    EXPECT_EQ(alerts.alerts.size(), 1u);
}

// Echoes anywhere in what waits on the line ahead of a command are the
// motor moving, however much else came first: they are counted, and the
// command is not written.
TEST_F(RoboTest, EchoesReadAheadOfACommandAreMotionAndItIsNotWritten)
{
    simulator->setPosition(3000);
    connectFocuser();
    frame->setUpdateInterval(std::chrono::hours(1));
    const QByteArray ahead = QByteArray(1600, 'X') + "OO";
    port->simulator().send(ahead);
    ASSERT_TRUE(QTest::qWaitFor([&] { return unreadOnLine() == ahead.size(); }, 5000));
    const qsizetype first = simulator->commands().size();
    bool read = true;
    control->roboGetTemp([&read](bool ok) { read = ok; });
    settle();
    EXPECT_FALSE(read);
    EXPECT_EQ(sentSince(first), QList<QByteArray>{});
    EXPECT_EQ(control->roboPosition(), 3002);
    EXPECT_TRUE(control->isRoboMove());
}

// A move queued behind a slow reply is given its 2 s of silence from its
// write: its motor, slower than that to make its first step, is not asked
// where it ended before then.
TEST_F(RoboTest, AMoveQueuedBehindASlowReplyIsGivenItsSilenceFromItsWrite)
{
    using namespace std::chrono_literals;
    simulator->setPosition(3000);
    simulator->setStepTime(5000ms);
    connectFocuser();
    frame->setUpdateInterval(std::chrono::hours(1));
    simulator->delayNextReply(1500ms);
    control->roboGetTemp([](bool) {});
    frame->focusAction(RoboFrame::kGoto, 3003);
    ASSERT_NO_FATAL_FAILURE(expectMoveEndsAfterQuietLines());
    EXPECT_FALSE(simulator->silencesBeforeStops().isEmpty());
}

// A go-to refused because the motor runs on after its stop says so, and
// the stop stays sent: the motion that goes on is told as the motor's
// keeping on after its stop, not as motion no one asked for.
TEST_F(RoboTest, AGotoRefusedByMotionAfterAStopSaysSoAndTheStopStaysSent)
{
    using namespace std::chrono_literals;
    simulator->setPosition(3000);
    simulator->setStepTime(1000ms);
    connectFocuser();
    frame->setUpdateInterval(std::chrono::hours(1));
    simulator->runOnAfterStop(20);
    simulator->pauseMove(1, 0, 10s);
    frame->focusAction(RoboFrame::kGoto, 3300);
    settle();
    // Given up before its first step: the motor runs on, a step a second.
    ASSERT_TRUE(frame->haltRun());
    settle();
    ASSERT_FALSE(control->isRoboMove());
    ASSERT_TRUE(QTest::qWaitFor([this] { return unreadOnLine() > 0; }, 5000));
    frame->focusAction(RoboFrame::kGoto, 3100);
    settle();
    EXPECT_EQ(alerts.beeps, 1);
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "The Robo-Focus is moving");
    EXPECT_EQ(alerts.alerts[0].message, kMovingAfterStop);
    ASSERT_TRUE(QTest::qWaitFor(
        [this] {
            update();
            return alerts.alerts.size() > 1;
        },
        30000));
    EXPECT_TRUE(alerts.alerts[1].message.startsWith(
        "The focuser kept moving after it was sent a stop. It was sent a stop again."))
        << alerts.alerts[1].message.toStdString();
    EXPECT_FALSE(simulator->commands().contains("FG003100"));
}
