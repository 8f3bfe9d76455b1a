#include "chart/controls/ControlsFixture.h"

#include "chart/panels/TimeControlPanel.h"
#include "support/Eventually.h"
#include "support/FieldInEdit.h"
#include "support/ScopedAppZone.h"

#include <gtest/gtest.h>

#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

namespace {

class TimeControlPanelTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        panel = std::make_unique<TimeControlPanel>(settings(), *time, outlets, *chain);
        panel->setClock([this] {
            ++clockReads;
            return now;
        });
        panel->setupDate();
    }
    void typeJulianDay(const QString& text)
    {
        panel->julianDay().setText(text);
        panel->julianDayEntry();
    }

    const QDateTime now{QDate(2025, 6, 1), QTime(22, 30), Qt::UTC};
    int clockReads = 0;
    std::unique_ptr<TimeControlPanel> panel;
};

TEST_F(TimeControlPanelTest, SteppersMoveForwardOnlyForOne)
{
    struct Case {
        int tag;
        double value;
        double seconds;
    };
    const Case cases[] = {{TimeControlPanel::SiderealDay, 1.0, 86160.0}, {TimeControlPanel::SiderealDay, 0.0, -86160.0},
                          {TimeControlPanel::HalfHour, -1.0, -1800.0},   {TimeControlPanel::HalfMinute, 1.0, 30.0},
                          {TimeControlPanel::Second, 2.0, -1.0},          {42, 1.0, 0.0}};
    for (const Case& c : cases) {
        const QDateTime before = skyDate->skyDate();
        panel->timeControlAction(c.tag, c.value);
        EXPECT_EQ(before.msecsTo(skyDate->skyDate()), qint64(c.seconds * 1000)) << c.tag << ' ' << c.value;
    }
    EXPECT_EQ(panel->julianDay().text(), QString::number(SkyDateModel::julianDayOf(skyDate->skyDate()), 'g', 16));

    panel->timeControlAction(TimeControlPanel::RealTime);
    EXPECT_EQ(skyDate->skyDate(), now);
    EXPECT_FALSE(panel->isRealTimeClockRunning());
}

TEST_F(TimeControlPanelTest, AConnectedMountRefusesEveryWayOfChangingTheTime)
{
    fakes.mount.connected = true;
    for (int tag = TimeControlPanel::Second; tag <= TimeControlPanel::HalfHour; ++tag)
        panel->timeControlAction(tag);
    panel->datePick().setDateTime(QDateTime(QDate(2020, 1, 1), QTime(0, 0)));
    panel->datePickerAction();
    typeJulianDay("2451910.5");
    EXPECT_EQ(skyDate->skyDate(), kMoment);
    EXPECT_EQ(beeps, 11);
    // The fields show the sky date again.
    EXPECT_EQ(panel->julianDay().text(), QString::number(SkyDateModel::julianDayOf(kMoment), 'g', 16));
    EXPECT_EQ(panel->datePick().dateTime(), AppTimeZone::wallClock(kMoment));
}

TEST_F(TimeControlPanelTest, TheDatePickerShowsAndReadsTheProgramsZone)
{
    const ScopedAppZone zone;
    panel->setupDate();
    // 03:00 UT is 16:00 thirteen hours ahead.
    EXPECT_EQ(panel->datePick().date(), QDate(2024, 3, 1));
    EXPECT_EQ(panel->datePick().time(), QTime(16, 0));
    // A typed 02:00 on the 2nd is 13:00 UT on the 1st.
    panel->datePick().setDateTime(QDateTime(QDate(2024, 3, 2), QTime(2, 0), Qt::UTC));
    panel->datePickerAction();
    EXPECT_EQ(skyDate->skyDate(), QDateTime(QDate(2024, 3, 1), QTime(13, 0), Qt::UTC));
    EXPECT_EQ(panel->datePick().time(), QTime(2, 0));
}

TEST_F(TimeControlPanelTest, ReturnCommitsTheTypedFieldOnlyAndEveryDigitShows)
{
    panel->show();
    QDateTimeEdit& pick = panel->datePick();
    pick.setFocus();
    pick.setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(&pick, "2031");
    QTest::keyClick(&pick, Qt::Key_Return);
    EXPECT_EQ(skyDate->skyDate().toLocalTime().date().year(), 2031);
    EXPECT_EQ(clockReads, 0);

    QLineEdit& jd = panel->julianDay();
    jd.setFocus();
    jd.selectAll();
    QTest::keyClicks(&jd, "2451910.5");
    QTest::keyClick(&jd, Qt::Key_Return);
    EXPECT_EQ(skyDate->skyDate(), QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC));
    EXPECT_EQ(clockReads, 0);

    jd.setText(QString::number(2460371.123456789, 'g', 16));
    EXPECT_GT(jd.width(), jd.fontMetrics().horizontalAdvance(jd.text()) + 6);
}

TEST_F(TimeControlPanelTest, TheJulianDayFieldTakesOnlyDaysInRange)
{
    typeJulianDay("2451910.5");
    EXPECT_EQ(skyDate->skyDate(), QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC));
    EXPECT_TRUE(panel->datePick().isEnabled());
    typeJulianDay("2299160.0");
    EXPECT_FALSE(panel->datePick().isEnabled());
    EXPECT_TRUE(panel->julianDay().isEnabled());
    const QDateTime kept = skyDate->skyDate();
    for (const char* bad : {"nan", "inf", "-5", "1e12", "two", ""}) {
        typeJulianDay(bad);
        EXPECT_EQ(skyDate->skyDate(), kept) << bad;
        EXPECT_EQ(panel->julianDay().text(), "2299160") << bad;
    }
    EXPECT_EQ(beeps, 6);
    // Back after the reform, the picker is usable again.
    panel->timeControlAction(TimeControlPanel::StartupTime);
    EXPECT_TRUE(panel->datePick().isEnabled());
}

TEST_F(TimeControlPanelTest, TheTwoClocksTickOnOneTimerEachAndNeverTogether)
{
    PrefControl& p = settings();
    panel->setClockInterval(10);

    // Run-set-time advances a minute at once and again on each tick.
    p.setIsRunSetTime();
    panel->setRunSetTime();
    EXPECT_EQ(secondsMoved(), 60.0);
    // Switched off and on again within one period: still one clock.
    p.setIsRunSetTime();
    p.setIsRunSetTime();
    QElapsedTimer elapsed;
    elapsed.start();
    panel->setRunSetTime();
    const double started = secondsMoved();
    QTest::qWait(60);
    const double ticks = (secondsMoved() - started) / 60.0;
    // Timers fire late under load, never much early.
    EXPECT_LE(ticks, double(elapsed.elapsed()) / 10.0 * 1.1 + 1.0);
    EXPECT_TRUE(panel->isSetTimeClockRunning());

    // Real time takes over and the set-time clock ends.
    p.setIsRunRealTime(true, false);
    panel->setRunRealTime();
    EXPECT_FALSE(p.isRunSetTime());
    EXPECT_FALSE(panel->isSetTimeClockRunning());
    EXPECT_EQ(skyDate->skyDate(), now);
    EXPECT_FALSE(panel->datePick().isEnabled());
    EXPECT_FALSE(panel->julianDay().isEnabled());
    panel->setRunSetTime();
    EXPECT_FALSE(panel->isSetTimeClockRunning());

    // A step switches real time off; the clock ends at its next tick and
    // gives the entries back.
    panel->timeControlAction(TimeControlPanel::Minute);
    EXPECT_FALSE(p.isRunRealTime());
    EXPECT_EQ(skyDate->skyDate(), now.addSecs(60));
    EXPECT_TRUE(eventually([&] { return !panel->isRealTimeClockRunning(); }));
    EXPECT_TRUE(panel->julianDay().isEnabled());
    EXPECT_TRUE(panel->datePick().isEnabled());
    EXPECT_EQ(skyDate->skyDate(), now.addSecs(60));
}

}  // namespace

// The panel goes away (the program quits, say) while the user types in the
// date or the Julian day: the edit that ends then does not reach the
// panel's half-destroyed self.
TEST_F(TimeControlPanelTest, ThePanelGoesAwayWithAFieldInEdit)
{
    const std::pair<const char*, QWidget& (*)(TimeControlPanel&)> fields[] = {
        {"date", [](TimeControlPanel& p) -> QWidget& { return p.datePick(); }},
        {"Julian day", [](TimeControlPanel& p) -> QWidget& { return p.julianDay(); }},
    };
    for (const auto& [name, field] : fields) {
        auto gone = std::make_unique<TimeControlPanel>(settings(), *time, outlets, *chain);
        gone->setupDate();
        QWidget& edited = field(*gone);
        EXPECT_TRUE(FieldInEdit::destroy(std::move(gone), edited)) << name;
    }
}
