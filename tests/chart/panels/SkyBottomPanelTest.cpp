#include "chart/controls/ControlsFixture.h"

#include "chart/panels/InfoDragControl.h"
#include "chart/panels/InfoPanelDrag.h"
#include "chart/panels/SkyBottomPanel.h"
#include "model/StarDatabaseModel.h"
#include "support/ScopedAppZone.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QMimeData>
#include <QProgressBar>
#include <QTest>

namespace {

class SkyBottomPanelTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        panel = std::make_unique<SkyBottomPanel>(settings(), *skyDate, model, view(), outlets,
                                                 [this] { return level; });
        panel->resize(2000, 30);
        panel->show();
        QCoreApplication::processEvents();
    }
    void assign(std::initializer_list<int> codes)
    {
        int slot = 0;
        for (int code : codes)
            settings().setInfoPanelValues(code, slot++);
        for (; slot < SkyBottomPanel::kSlotCount; ++slot)
            settings().setInfoPanelValues(0, slot);
    }
    // The slots whose fields show.
    std::vector<int> shown() const
    {
        std::vector<int> visible;
        for (int slot = 0; slot < SkyBottomPanel::kSlotCount; ++slot)
            if (panel->skyBottomText(slot).isVisible())
                visible.push_back(slot);
        return visible;
    }

    StarDatabaseModel model;
    double level = 17.5;
    std::unique_ptr<SkyBottomPanel> panel;
};

TEST_F(SkyBottomPanelTest, ReadoutsStandTwentyPointsApartAndNarrowLinesDropTheLast)
{
    assign({0, 4, 0, 7});
    panel->updateBottomPanel();
    EXPECT_EQ(shown(), std::vector<int>({1, 3}));
    const QLabel& ut = panel->skyBottomText(1);
    const QLabel& jd = panel->skyBottomText(3);
    EXPECT_EQ(ut.x(), panel->dateTimeText().width() + 20);
    EXPECT_EQ(jd.x(), ut.x() + ut.width() + 20);
    EXPECT_EQ(ut.text(), skyDate->GMTString());
    EXPECT_EQ(jd.text(), skyDate->julianString());

    // Too narrow for the second: it is hidden, and stays so until widened.
    panel->resize(jd.x() + jd.width() + 60, 30);
    QCoreApplication::processEvents();
    panel->updateBottomPanel();
    EXPECT_EQ(shown(), std::vector<int>({1}));
    panel->resize(2000, 30);
    panel->updateBottomPanel();
    EXPECT_EQ(shown(), std::vector<int>({1, 3}));

    // Codes a damaged settings file may hold show nothing.
    assign({-3, 99, 8});
    panel->updateBottomPanel();
    EXPECT_EQ(shown(), std::vector<int>({2}));
}

TEST_F(SkyBottomPanelTest, DatesBeforeTheReformAreJulianCalendarDates)
{
    skyDate->calculateDate(QDateTime(QDate(1582, 10, 15), QTime(4, 0), Qt::UTC), -1.0);
    panel->updateBottomPanel();
    EXPECT_EQ(panel->dateTimeText().text(), "Oct 15, 1582 3:59:59");
    skyDate->calculateDate(std::nullopt, 1.0);
    panel->updateBottomPanel();
    EXPECT_FALSE(panel->dateTimeText().text().startsWith("Oct 15, 1582"));
    EXPECT_TRUE(panel->dateTimeText().text().contains("1582"));
    skyDate->calculateDate(QDateTime(QDate(1582, 10, 15), QTime(0, 0), Qt::UTC), -1.0);
    panel->updateBottomPanel();
    EXPECT_EQ(panel->dateTimeText().text(), "Oct 4, 1582 23:59:59");
}

TEST_F(SkyBottomPanelTest, TheDateLineFollowsTheProgramsZone)
{
    // 14:00 UT is 03:00 the next day thirteen hours ahead.
    const ScopedAppZone zone;
    skyDate->calculateDate(QDateTime(QDate(2024, 3, 1), QTime(14, 0), Qt::UTC), 0.0);
    panel->updateBottomPanel();
    const QString line = panel->dateTimeText().text();
    EXPECT_TRUE(line.startsWith(QLocale().toString(QDate(2024, 3, 2), QLocale::LongFormat))) << line.toStdString();
    EXPECT_TRUE(line.endsWith("3:00:00")) << line.toStdString();
}

TEST_F(SkyBottomPanelTest, TheCursorTimerRunsOnlyWhileACursorReadoutShows)
{
    panel->setCursorInterval(5);
    assign({3});
    panel->updateBottomPanel();
    EXPECT_TRUE(panel->isCursorTimerActive());
    EXPECT_TRUE(panel->skyBottomText(0).text().startsWith("C_Az: "));
    // A second refresh does not start a second timer.
    panel->updateBottomPanel();
    assign({4});
    panel->updateBottomPanel();
    EXPECT_FALSE(panel->isCursorTimer());
    // The timer stops at its next tick, however late a loaded machine runs it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel->isCursorTimerActive(); }, 5000));
}

TEST_F(SkyBottomPanelTest, NothingChangesWhileMountPollingIsSuspended)
{
    assign({7});
    panel->updateBottomPanel();
    const QString before = panel->skyBottomText(0).text();
    fakes.mount.blockPolling = true;
    skyDate->calculateDate(std::nullopt, 86400.0);
    panel->updateBottomPanel();
    EXPECT_EQ(panel->skyBottomText(0).text(), before);
}

TEST_F(SkyBottomPanelTest, TheTwilightBarShowsThePassesLevel)
{
    struct Case {
        double level;
        int value;
        const char* tip;
    };
    const Case cases[] = {{17.5, 175, "Daylight"},
                          {12.3, 123, "Civil twilight: Sun -5.7°"},
                          {3.0, 30, "Astronomical twilight: Sun -15.0°"},
                          {-0.5, -5, "Night"}};
    for (const Case& c : cases) {
        level = c.level;
        panel->updateTwilight();
        EXPECT_EQ(panel->twilightBar().value(), c.value);
        EXPECT_EQ(panel->twilightBar().toolTip(), QString::fromUtf8(c.tip));
    }
}

TEST_F(SkyBottomPanelTest, DroppingATileOnABoxAssignsItsSlot)
{
    InfoDragControl chooser(settings(), QString());
    int changes = 0;
    QObject::connect(&chooser, &InfoDragControl::choiceChanged, [&changes] { ++changes; });
    InfoPanelDrag& box = chooser.infoPanelBox(2);
    auto drop = [&](const QString& text) {
        QMimeData mime;
        mime.setText(text);
        return box.takeDrop(mime);
    };
    EXPECT_TRUE(drop("7"));
    EXPECT_EQ(settings().infoPanelValues(2), 7);
    EXPECT_EQ(box.text(), "JD");
    EXPECT_EQ(changes, 1);
    for (const char* bad : {"9", "0", "x", ""}) {
        EXPECT_FALSE(drop(bad)) << bad;
        EXPECT_EQ(settings().infoPanelValues(2), 7) << bad;
    }
    EXPECT_EQ(changes, 1);
    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_EQ(settings().infoPanelValues(2), 0);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(box.text(), "");
}

}  // namespace
