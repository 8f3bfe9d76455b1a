#include "FindFixture.h"
#include "TourFakes.h"

#include "find/panels/TonightHours.h"
#include "find/panels/TonightView.h"
#include "find/panels/TonightWindow.h"
#include "model/SkyDateModel.h"
#include "platform/AppTimeZone.h"
#include "support/RecordingAlertPresenter.h"

#include <QAbstractButton>
#include <QFile>
#include <QScrollBar>
#include <QImage>
#include <QPainter>

#include <numbers>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
const QRgb kLight = QColor::fromRgbF(0.75f, 0.75f, 1.0f).rgb();

class TonightViewTest : public FindFixture {
protected:
    void SetUp() override
    {
        FindFixture::SetUp();
        prefs.readPrefs();
        AppTimeZone::setZone(QTimeZone::utc());
        prefs.setLatitude(0.0);
        prefs.setLongitude(0.0);
        chartDate = QDateTime(QDate(2025, 3, 20), QTime(22, 0), QTimeZone::utc());
        // The Sun on the equator, crossing the meridian at noon.
        const double noonSidereal =
            SkyDateModel::greenwichSiderealHours(SkyDateModel::julianDayOf(QDateTime(chartDate.date(), QTime(12, 0), QTimeZone::utc())));
        sun().ra = float(noonSidereal * 15.0 * kDegree);
        sun().dec = 0.0f;
        view = std::make_unique<TonightView>(TonightView::Links{prefs, sky, tours, [this] { return chartDate; },
                                                                [this] { return chosen; }, {}});
    }
    void TearDown() override { AppTimeZone::setZone(QTimeZone::systemTimeZone()); }
    planet& sun() { return sky.planetTable[0]; }
    QImage render()
    {
        QImage image(TonightView::kWidth, TonightView::kHeight, QImage::Format_ARGB32);
        QPainter painter(&image);
        view->drawChart(painter);
        return image;
    }

    FakeTourFinder tours;
    QDateTime chartDate;
    QString chosen;
    std::unique_ptr<TonightView> view;
};

TEST_F(TonightViewTest, TheNightFollowsTheChartDateAcrossOnePm)
{
    struct Case {
        QTime time;
        QDate night;
    };
    for (const Case& c : {Case{QTime(11, 0), QDate(2025, 3, 20)}, Case{QTime(12, 59), QDate(2025, 3, 20)},
                          Case{QTime(13, 0), QDate(2025, 3, 21)}, Case{QTime(23, 0), QDate(2025, 3, 21)}}) {
        chartDate.setTime(c.time);
        view->tonightDate();
        EXPECT_EQ(view->nightDate(), QDateTime(c.night, QTime(0, 0), QTimeZone::utc())) << c.time.toString().toStdString();
    }
}

TEST_F(TonightViewTest, EquinoxOnTheEquatorSetsAtSixAndRisesAtSix)
{
    view->tonightDate();
    ASSERT_FALSE(view->isCircum());
    EXPECT_NEAR(view->sunSet0(), 600.0, 3.0);
    EXPECT_NEAR(view->sunRise1(), 1800.0, 3.0);
    // Astronomical twilight lasts 18 degrees of hour angle, civil (Alt held) 6.
    EXPECT_NEAR(view->sunSet1() - view->sunSet0(), 120.0 * 0.9973, 0.5);
    view->tonightAction(TonightView::kTwilightTag, true, true);
    EXPECT_FALSE(view->isAstroTwilight());
    EXPECT_NEAR(view->sunSet1() - view->sunSet0(), 40.0 * 0.9973, 0.5);
    EXPECT_NEAR(view->sunRise1() - view->sunRise0(), 40.0 * 0.9973, 0.5);
}

TEST_F(TonightViewTest, ClicksReadTimeAndAltitudeAboveTheGround)
{
    view->clickAt({1250, 210});
    EXPECT_EQ(view->readoutText(), QString::fromUtf8("Time: 00:30  Altitude: 40.0\u00b0"));
    view->clickAt({150, 72});
    EXPECT_EQ(view->readoutText(), QString::fromUtf8("Time: 13:30  Altitude: 10.0\u00b0"));
    view->clickAt({1250, 26});
    EXPECT_TRUE(view->readoutText().isEmpty());
}

TEST_F(TonightViewTest, CurvesPlotUnderTheGroundToAboutMinusFiveAndAHalfDegrees)
{
    prefs.setLatitude(60.0);
    view->tonightDate();
    // The lower culmination falls on the midnight sample: altitude = 60 + dec - 90.
    const double ra = SkyDateModel::greenwichSiderealHours(SkyDateModel::julianDayOf(view->nightDate())) * 15.0 * kDegree
                      - std::numbers::pi;
    const auto strokes = [](const QPainterPath& path) {
        int moves = 0;
        for (int k = 0; k < path.elementCount(); ++k)
            moves += path.elementAt(k).isMoveTo();
        return moves;
    };
    const TonightView::AltitudeCurve above = view->altitudeCurve(ra, 24.5 * kDegree);  // lowest -5.5
    EXPECT_EQ(strokes(above.path), 1);
    EXPECT_EQ(above.path.elementCount(), 49);
    const TonightView::AltitudeCurve below = view->altitudeCurve(ra, 24.2 * kDegree);  // lowest -5.8
    EXPECT_EQ(strokes(below.path), 2);
    EXPECT_EQ(below.path.elementCount(), 48);
    // Twelve hours on, the upper culmination at 90 - 60 + 24.5 degrees.
    EXPECT_NEAR(above.highest.y(), 26.0 + 54.5 * 4.6, 0.1);
}

TEST_F(TonightViewTest, TheOffscreenChartShowsTwilightNowLineToursAndGround)
{
    const QString path = dir.filePath("Tour.txt");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("// comment\nM 13\nUnknown\n");
    file.close();
    tours.known.insert("M 13", {findResultFound, sun().ra + 3.0, 0.6});
    chosen = path;
    view->tonightDate();
    view->tonightAction(TonightView::kTour1Tag, true);
    EXPECT_EQ(view->tourName(1), "Tour");
    const QImage image = render();
    EXPECT_EQ(tours.asked, QStringList({"M 13", "Unknown"})) << "command lines are not looked up";

    EXPECT_EQ(image.pixel(100, 200), kLight) << "daylight before sunset";
    EXPECT_EQ(image.pixel(1100, 200), QColor(Qt::black).rgb()) << "night";
    EXPECT_EQ(image.pixel(1500, TonightView::kHeight - 10), prefs.horizonColor().rgb());
    // The chart time 22:00 is at x 1000.
    const int nowRed = std::max(image.pixelColor(999, 200).red(), image.pixelColor(1000, 200).red());
    EXPECT_GT(nowRed, 50);
}

TEST_F(TonightViewTest, ATourThatCannotBeOpenedSwitchesItsBoxOff)
{
    ScopedAlertRecorder alerts;
    view->tonightAction(TonightView::kTour2Tag, true);  // the open panel is cancelled
    EXPECT_FALSE(view->isSwitchOn(TonightView::kTour2Tag));
    EXPECT_EQ(view->tourName(2), "None");
    chosen = dir.filePath("missing.txt");
    view->tonightAction(TonightView::kTour2Tag, true);
    EXPECT_FALSE(view->isSwitchOn(TonightView::kTour2Tag));
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Can not open file:");
}

TEST_F(TonightViewTest, ThePolarSummerNightIsAllTwilight)
{
    prefs.setLatitude(80.0);
    sun().dec = float(20.0 * kDegree);
    view->tonightDate();
    EXPECT_TRUE(view->isCircum());
    EXPECT_EQ(render().pixel(1200, 200), kLight);
}

TEST(TonightWindow, TheRulerFollowsTheScrollBar)
{
    FakeSky sky;
    NoGamma gamma;
    PrefControl prefs{gamma};
    FakeTourFinder finder;
    TonightWindow window({prefs, sky, finder, {}, {}, {}});
    window.show();
    QScrollBar& bar = window.tonightHours().hoursScoller();
    EXPECT_NEAR(window.tonightHours().scrollValue(), 0.5, 0.01) << "the first view is centred on 21:00 to 05:00";
    bar.setValue(bar.maximum());
    EXPECT_DOUBLE_EQ(window.tonightHours().scrollValue(), 1.0);
    EXPECT_TRUE(window.control(TonightView::kTwilightTag).isChecked());
    EXPECT_FALSE(window.control(TonightView::kMoonTag).isChecked());
    EXPECT_FALSE(window.grab().isNull());
}

}  // namespace
