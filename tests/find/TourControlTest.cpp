#include "TourFakes.h"

#include "find/tours/TourControl.h"
#include "support/QStringPrinter.h"
#include "support/RecordingAlertPresenter.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <numbers>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

class TourControlTest : public ::testing::Test {
protected:
    TourControl& tours(TourCamera* canon = nullptr)
    {
        control = std::make_unique<TourControl>(TourControl::Links{finder, capture, &mount, canon, {}},
                                                TourControl::Delays{3000, 0, 0});
        return *control;
    }
    QString file(const QByteArray& text, const QString& name = "Tour.txt")
    {
        const QString path = dir.filePath(name);
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        out.write(text);
        return path;
    }
    void know(const QString& name, FindResultCode result = findResultFound, double ra = 1.0, double dec = 0.5)
    {
        finder.known.insert(name, {result, ra, dec});
    }
    // The continuations that follow a tick or an opening.
    static void settle() { QCoreApplication::processEvents(); }
    // One tick with the mount slewing or not, and its continuation.
    void tick(bool slewing = false)
    {
        mount.slewing = slewing;
        control->tourExpTimer();
        settle();
        mount.slewing = false;
    }
    // Ticks until the exposure step ends; returns how many it took.
    int exposureTicks()
    {
        int ticks = 0;
        while (control->isTourExposing() && ticks < 100) {
            tick();
            ++ticks;
        }
        return ticks;
    }

    QTemporaryDir dir;
    ScopedAlertRecorder alerts;
    FakeTourFinder finder;
    FakeTourMount mount;
    FakeCapture capture;
    std::unique_ptr<TourControl> control;
};

TEST_F(TourControlTest, NebulosityTourHandsCommandsOverAtEachObject)
{
    for (const char* name : {"M 31", "M 42"})
        know(name);
    TourControl& t = tours();
    t.openTourFile(file("# NEB\n/NEB First\n// note\n/NEB Second\nM 31\n# Adjust:0.5:-0.25\n"
                        "# Wait 30\n/NEB Capture 1\n/NEB Capture 2\nM 42\n"));
    settle();
    ASSERT_TRUE(t.panel().expEnabled);
    EXPECT_EQ(t.panel().expTitle, "Start Neb Exposures");

    t.tourPanelAction(TourControl::kExposureTag);
    EXPECT_EQ(capture.text, "/NEB Second") << "the last command before the first object, without \\r";
    EXPECT_EQ(finder.tracked, QStringList({"M 31"}));
    EXPECT_NEAR(finder.ra, 1.0 + 0.5 * kDegree, 1e-12);
    EXPECT_NEAR(finder.dec, 0.5 - 0.25 * kDegree, 1e-12);
    EXPECT_EQ(t.currentObjectRow(), 5) << "the adjust line becomes the current row";
    EXPECT_EQ(t.panel().expTitle, "Abort Neb Exposures");
    EXPECT_EQ(t.panel().nextTitle, "Pause");

    tick();  // a goto was sent: nothing until a slew is seen
    EXPECT_FALSE(t.isTourExposing());
    tick(true);
    tick();  // the slew ended: the exposure step starts
    EXPECT_EQ(capture.text, "/NEB Capture 1\r/NEB Capture 2\r");
    EXPECT_EQ(exposureTicks(), 10);

    tick();  // advance: the goto to the next object
    EXPECT_EQ(finder.tracked.last(), "M 42");
    tick(true);
    tick();
    ASSERT_TRUE(t.isTourExposing());
    exposureTicks();
    tick();
    EXPECT_FALSE(t.isRunningTourExp()) << "past the last row the tour ends";
    EXPECT_FALSE(t.isTimerRunning());
    EXPECT_EQ(t.panel().expTitle, "Start Neb Exposures");
    EXPECT_EQ(t.panel().nextTitle, "Next");
}

TEST_F(TourControlTest, WaitLinesRoundUpToWholeTicksAndTwoPartAdjustsAreConsumed)
{
    mount.connected = false;  // no slew to wait for
    know("M 1", findResultFound, 2.0, 0.25);
    know("M 2");
    for (auto [wait, ticks] : {std::pair{"30", 10}, std::pair{"31", 11}}) {
        TourControl& t = tours();
        t.openTourFile(file(QByteArray("# NEB\nM 1\n# Adjust:0.5\n# Wait ") + wait + "\nM 2\n"));
        settle();
        t.tourPanelAction(TourControl::kExposureTag);
        EXPECT_EQ(finder.ra, 2.0) << "a single offset is ignored";
        EXPECT_EQ(t.currentObjectRow(), 2) << "but the line is consumed";
        tick();
        EXPECT_EQ(t.nebWaitSec(), std::stof(wait));
        EXPECT_EQ(exposureTicks(), ticks) << wait;
        tick();
        EXPECT_EQ(finder.tracked.last(), "M 2");
    }
}

TEST_F(TourControlTest, CanonTourWaitsForTheSlewThenExposesAndSkipsObjectsBelowTheHorizon)
{
    FakeCanon canon;
    know("M 1");
    know("M 2", findResultBelowHorizon);
    know("M 3");
    TourControl& t = tours(&canon);
    t.openTourFile(file("M 1\nM 2\n# comment line\nM 3\n"));
    EXPECT_EQ(t.panel().expTitle, "Start EOS Exposures");
    t.tourPanelAction(TourControl::kExposureTag);
    EXPECT_EQ(finder.tracked, QStringList({"M 1"}));

    tick();
    tick(true);
    EXPECT_EQ(canon.exposures, 0);
    tick();
    EXPECT_EQ(canon.exposures, 1);
    tick();
    EXPECT_TRUE(t.isTourExposing()) << "the camera has not answered the start yet";
    canon.answerStart();
    tick();
    EXPECT_TRUE(t.isTourExposing()) << "the camera is still exposing";
    canon.exposing = false;
    tick();
    EXPECT_FALSE(t.isTourExposing());

    tick();
    EXPECT_EQ(alerts.beeps, 1) << "M 2 is below the horizon";
    EXPECT_EQ(finder.tracked, QStringList({"M 1", "M 3"}));

    // Pause and resume.
    t.tourPanelAction(TourControl::kNextTag);
    EXPECT_EQ(t.panel().expTitle, "Tour Paused...");
    const int checks = mount.checks;
    tick();
    EXPECT_EQ(mount.checks, checks) << "a paused tour does nothing";
    t.tourPanelAction(TourControl::kPreviousTag);
    EXPECT_EQ(t.panel().expTitle, "Abort EOS Exposures");

    // A camera that does not start stops the tour.
    canon.starts = false;
    tick(true);
    tick();
    EXPECT_TRUE(t.isRunningTourExp()) << "until the camera answers";
    canon.answerStart();
    EXPECT_FALSE(t.isRunningTourExp());
    EXPECT_EQ(t.panel().expTitle, "Start EOS Exposures");
    EXPECT_EQ(t.panel().previousTitle, "Previous");
}

TEST_F(TourControlTest, AbortRestoresTheButtonsAndDropsTheTimer)
{
    FakeCanon canon;
    know("M 1");
    TourControl& t = tours(&canon);
    t.openTourFile(file("M 1\n"));
    t.tourPanelAction(TourControl::kExposureTag);
    t.tourPanelAction(TourControl::kNextTag);  // paused
    ASSERT_TRUE(t.isTimerRunning());
    t.tourPanelAction(TourControl::kExposureTag);
    EXPECT_FALSE(t.isTimerRunning());
    EXPECT_FALSE(t.isTourPause());
    EXPECT_EQ(t.panel().expTitle, "Start EOS Exposures");
    EXPECT_EQ(t.panel().nextTitle, "Next");
    EXPECT_EQ(t.panel().previousTitle, "Previous");

    // The first object below the horizon does not start the tour.
    know("M 1", findResultBelowHorizon);
    t.tourPanelAction(TourControl::kExposureTag);
    EXPECT_FALSE(t.isRunningTourExp());
    EXPECT_EQ(t.panel().expTitle, "Object is below horizon");
}

TEST_F(TourControlTest, AnUnansweredProbeHidesThePanelWithItsAlert)
{
    capture.listening = false;
    TourControl& t = tours();
    t.openTourFile(file("# neb tour\nM 1\n", "Deep.txt"));
    EXPECT_EQ(t.panel().title, "Deep");
    EXPECT_TRUE(t.isTourVisible());
    settle();
    EXPECT_FALSE(t.isTourVisible());
    EXPECT_FALSE(t.panel().expEnabled);
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Nebulosity is not running or not in Listen mode.");
}

TEST_F(TourControlTest, SteppingByHandWrapsAndVoiceTrackAnswersCodes)
{
    TourControl& t = tours();
    EXPECT_EQ(t.voiceTrack(TourControl::kVoiceNext), findResultNotFound) << "empty tour";
    for (const char* name : {"A", "B", "C"})
        know(name);
    t.openTourFile(file("A\nB\nC\n"));

    t.tourPanelAction(TourControl::kPreviousTag);
    EXPECT_EQ(t.currentObjectRow(), 2) << "previous from no row lands on the last";
    t.tourPanelAction(TourControl::kNextTag);
    EXPECT_EQ(t.currentObjectRow(), 0) << "next on the last wraps to the first";
    t.tourPanelAction(TourControl::kPreviousTag);
    EXPECT_EQ(t.currentObjectRow(), 2) << "previous on the first wraps to the last";
    EXPECT_EQ(finder.tracked, QStringList({"C", "A", "C"}));

    EXPECT_EQ(t.voiceTrack(TourControl::kVoiceNext), findResultFound);
    EXPECT_EQ(t.currentObjectRow(), 0);
    know("B", findResultBelowHorizon);
    EXPECT_EQ(t.voiceTrack(TourControl::kVoiceNext), findResultNotFound);
    mount.slewing = true;
    EXPECT_EQ(t.voiceTrack(TourControl::kVoicePrevious), TourFinder::findResultSlewing);
    t.tourPanelAction(TourControl::kNextTag);
    EXPECT_EQ(alerts.beeps, 1) << "Next beeps while slewing";
    EXPECT_EQ(t.voiceTrack(0), findResultFound) << "repeat tracks again";
    mount.slewing = false;

    t.tourObjectClickedAction(2);
    EXPECT_EQ(finder.centred, 1);
    t.tourDoubleClickedAction(1);
    EXPECT_EQ(t.tourArray(), QStringList({"A", "C"}));
    t.tourDoubleClickedAction(5);
    EXPECT_EQ(t.numTourObjects(), 2);
}

TEST_F(TourControlTest, PlannerExportsAreFoundByPositionOrById)
{
    TourControl& t = tours();
    t.openTourFile(file("<<Objects>>\n\tM 31\t\t0.7\t41.27\t\t\t\t\tGalaxy\n\tC/2020 F3\t\t\t\t\t\t\t\tComet\n"));
    ASSERT_TRUE(t.isAPTour());
    EXPECT_FALSE(t.panel().expEnabled) << "a planner's list is stepped by hand";
    t.voiceTrack(TourControl::kVoiceNext);
    t.voiceTrack(TourControl::kVoiceNext);
    EXPECT_EQ(finder.asked, QStringList({"00:42.0000:+41:16.2000", "C/2020 F3"}));
}

TEST_F(TourControlTest, BuildingAndSavingKeepsWhatCannotBeWritten)
{
    TourControl& t = tours();
    t.addTourObject();
    EXPECT_EQ(t.numTourObjects(), 0) << "nothing selected";
    finder.index = 12;
    finder.selection = "Vega";
    t.addTourObject();
    finder.selection = "Deneb";
    t.addTourObject();
    EXPECT_TRUE(t.isTourVisible());
    EXPECT_EQ(t.panel().title, "Creating tour/filter");

    EXPECT_FALSE(t.saveTourFile(dir.filePath("missing/Summer.txt")));
    EXPECT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(t.numTourObjects(), 2) << "the tour stays after a failed save";

    const QString path = file("Altair\n", "Summer.txt");
    finder.index = kTypedPositionIndex;
    ASSERT_TRUE(t.saveTourFile(path));
    EXPECT_EQ(t.numTourObjects(), 0);
    EXPECT_FALSE(t.isTourVisible());
    QFile saved(path);
    saved.open(QIODevice::ReadOnly);
    EXPECT_EQ(saved.readAll(), QByteArray("Altair\nVega\nDeneb\n"));

    t.openTourFile(dir.filePath("none.txt"));
    EXPECT_EQ(alerts.alerts.back().title, "Can not open file:");
}

}  // namespace
