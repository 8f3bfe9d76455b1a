#include "FindFixture.h"
#include "TourFakes.h"

#include "find/panels/TonightHours.h"
#include "find/panels/TonightView.h"
#include "find/panels/TonightWindow.h"
#include "model/SkyDateModel.h"
#include "model/records/BodyNumber.h"
#include "platform/AppTimeZone.h"
#include "support/RecordingAlertPresenter.h"

#include <QAbstractButton>
#include <QFile>
#include <QScrollBar>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <optional>

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
        view = std::make_unique<TonightView>(TonightView::Links{prefs, tours, [this] { return chartDate; },
                                                                [this] { return chosen; }, {}});
    }
    void TearDown() override { AppTimeZone::setZone(QTimeZone::systemTimeZone()); }
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

// Minutes from the night's midnight to the chart x.
double xOfMinutes(double minutes) { return 1200.0 + minutes * 100.0 / 60.0; }

// Sunset, the end and start of twilight and sunrise from an independent
// ephemeris (the Sun's centre, no refraction), minutes from the night's
// midnight; the 29 March and 25 October nights have 23 and 25 hours.
TEST_F(TonightViewTest, TwilightEdgesFollowTheSunThroughTheNightShown)
{
    struct Row {
        const char* zone;
        double latitude;
        double longitude;
        QDate night;
        double sunset, dusk, dawn, sunrise;
    };
    const Row rows[] = {
        {"Europe/London", 51.4769, 0.0, QDate(2026, 10, 25), -377.36, -260.0, 349.0, 466.74},
        {"Europe/London", 51.4769, 0.0, QDate(2026, 3, 29), -338.93, -216.64, 225.66, 347.76},
        {"Australia/Sydney", -33.8688, 151.2093, QDate(2026, 12, 15), -243.33, -134.78, 234.38, 342.94},
    };
    for (const Row& r : rows) {
        AppTimeZone::setZone(QTimeZone(r.zone));
        prefs.setLatitude(r.latitude);
        prefs.setLongitude(r.longitude);
        // A chart date in the evening before plans the night shown.
        chartDate = QDateTime(r.night.addDays(-1), QTime(20, 0), QTimeZone(r.zone));
        view->tonightDate();
        const auto where = testing::Message() << r.zone << " " << r.night.toString().toStdString();
        ASSERT_FALSE(view->isCircum()) << where;
        EXPECT_NEAR(view->sunSet0().value_or(NAN), xOfMinutes(r.sunset), 100.0 / 60.0) << where;
        EXPECT_NEAR(view->sunSet1().value_or(NAN), xOfMinutes(r.dusk), 100.0 / 60.0) << where;
        EXPECT_NEAR(view->sunRise0().value_or(NAN), xOfMinutes(r.dawn), 100.0 / 60.0) << where;
        EXPECT_NEAR(view->sunRise1().value_or(NAN), xOfMinutes(r.sunrise), 100.0 / 60.0) << where;
    }
    // Civil twilight (Alt held) ends with the Sun 6 degrees down.
    view->tonightAction(TonightView::kTwilightTag, true, true);
    EXPECT_FALSE(view->isAstroTwilight());
    EXPECT_NEAR(view->sunSet1().value_or(NAN), xOfMinutes(-243.33 + 28.0), 10.0) << "about half an hour at Sydney";
    AppTimeZone::setZone(QTimeZone("Europe/London"));
    prefs.setLatitude(51.4769);
    prefs.setLongitude(0.0);
    chartDate = QDateTime(QDate(2026, 10, 24), QTime(20, 0), AppTimeZone::zone());
    view->tonightDate();
    EXPECT_NEAR(view->sunSet1().value_or(NAN), xOfMinutes(-337.4), 100.0 / 60.0);
    EXPECT_NEAR(view->sunRise0().value_or(NAN), xOfMinutes(426.61), 100.0 / 60.0);
}

// Where a curve crosses 0 degrees, minutes from the night's midnight:
// rising crossings positive in `rising`, setting ones in `setting`.
struct Crossings {
    std::vector<double> rising;
    std::vector<double> setting;
};
Crossings horizonCrossings(const QPainterPath& path)
{
    const double horizon = TonightView::kHeight - TonightView::kGround;  // widget y of 0 degrees
    Crossings found;
    for (int k = 1; k < path.elementCount(); ++k) {
        const QPainterPath::Element a = path.elementAt(k - 1);
        const QPainterPath::Element b = path.elementAt(k);
        if (!b.isLineTo() || (a.y - horizon) * (b.y - horizon) > 0.0)
            continue;
        const double x = a.x + (b.x - a.x) * (horizon - a.y) / (b.y - a.y);
        (b.y < a.y ? found.rising : found.setting).push_back((x - 1200.0) * 0.6);
    }
    return found;
}

// The Moon's rising and setting on the planner against an independent
// ephemeris (topocentric centre, no refraction), minutes from midnight.
TEST_F(TonightViewTest, TheMoonCurveCrossesTheHorizonWhenTheMoonRisesAndSets)
{
    struct Row {
        const char* zone;
        double latitude;
        double longitude;
        QDate night;
        std::vector<double> rising;
        std::vector<double> setting;
    };
    const Row rows[] = {
        {"Europe/London", 51.4769, 0.0, QDate(2026, 10, 25), {-428.71}, {402.46}},
        {"Europe/London", 51.4769, 0.0, QDate(2026, 3, 29), {-655.13}, {267.91}},
        {"Australia/Sydney", -33.8688, 151.2093, QDate(2026, 12, 15), {651.22}, {-25.68}},
        {"Europe/Oslo", 69.6492, 18.9553, QDate(2026, 6, 21), {}, {27.73}},
    };
    for (const Row& r : rows) {
        AppTimeZone::setZone(QTimeZone(r.zone));
        prefs.setLatitude(r.latitude);
        prefs.setLongitude(r.longitude);
        chartDate = QDateTime(r.night.addDays(-1), QTime(20, 0), QTimeZone(r.zone));
        view->tonightDate();
        const Crossings found = horizonCrossings(view->bodyCurve(TonightView::kMoonTag).path);
        const auto where = testing::Message() << r.zone << " " << r.night.toString().toStdString();
        ASSERT_EQ(found.rising.size(), r.rising.size()) << where;
        ASSERT_EQ(found.setting.size(), r.setting.size()) << where;
        for (std::size_t k = 0; k < r.rising.size(); ++k)
            EXPECT_NEAR(found.rising[k], r.rising[k], 2.0) << where;
        for (std::size_t k = 0; k < r.setting.size(); ++k)
            EXPECT_NEAR(found.setting[k], r.setting[k], 2.0) << where;
    }
}

// The night the clocks go back has 25 hours: every x is one moment, whose
// clock time the readout and the ruler show and whose altitude the curve has.
TEST_F(TonightViewTest, TheNightTheClocksGoBackKeepsCurvesReadoutAndRulerTogether)
{
    AppTimeZone::setZone(QTimeZone("Europe/London"));
    prefs.setLatitude(51.4769);
    prefs.setLongitude(0.0);
    chartDate = QDateTime(QDate(2026, 10, 24), QTime(20, 0), AppTimeZone::zone());
    view->tonightDate();
    // Jupiter's altitude from an independent ephemeris, hours from midnight (23:00 UT).
    struct Row {
        int hours;
        const char* clock;
        double altitude;
    };
    const Row rows[] = {{-11, "Time: 13:00", 25.456}, {-9, "Time: 15:00", 6.877}, {1, "Time: 01:00", -2.168},
                        {2, "Time: 01:00", 6.581},   {3, "Time: 02:00", 15.812}, {4, "Time: 03:00", 25.149},
                        {7, "Time: 06:00", 48.741},  {12, "Time: 11:00", 33.935}};
    const QPainterPath& jupiter = view->bodyCurve(BodyNumber::kJupiter).path;
    for (const Row& r : rows) {
        const double x = 1200.0 + 100.0 * r.hours;
        const double y = 26.0 + r.altitude * 4.6;
        view->clickAt({x, 100.0});
        EXPECT_TRUE(view->readoutText().startsWith(QLatin1String(r.clock))) << r.hours;
        bool sampled = false;
        for (int k = 0; k < jupiter.elementCount(); ++k) {
            if (jupiter.elementAt(k).x != x)
                continue;
            sampled = true;
            EXPECT_NEAR(TonightView::kHeight - jupiter.elementAt(k).y, y, 0.1 * 4.6) << r.hours;
        }
        EXPECT_TRUE(sampled) << r.hours;
    }
    EXPECT_EQ(view->hourLabel(1), "1:00");
    EXPECT_EQ(view->hourLabel(2), "1:00");
    EXPECT_EQ(view->hourLabel(3), "2:00");
    EXPECT_EQ(view->hourLabel(-1), "23:00");
    // The spring night skips 1:00.
    chartDate = QDateTime(QDate(2026, 3, 28), QTime(20, 0), AppTimeZone::zone());
    view->tonightDate();
    EXPECT_EQ(view->hourLabel(1), "2:00");
    view->clickAt({1300, 100});
    EXPECT_TRUE(view->readoutText().startsWith(QLatin1String("Time: 02:00")));
}

TEST_F(TonightViewTest, ClicksReadTimeAndAltitudeAboveTheGround)
{
    view->tonightDate();
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
    tours.known.insert("M 13", {findResultFound, 3.0, 0.6});
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

// High-latitude sites; PyEphem figures for the Sun's apparent geocentric
// place (the program's), centre, no refraction.
struct Site {
    const char* name;
    const char* zone;
    double latitude;
    double longitude;
};
const Site kTromso{"Tromso", "Europe/Oslo", 69.6492, 18.9553};
const Site kLongyearbyen{"Longyearbyen", "Arctic/Longyearbyen", 78.2232, 15.6267};
const Site kHelsinki{"Helsinki", "Europe/Helsinki", 60.1699, 24.9384};
const Site kMcMurdo{"McMurdo", "Antarctica/McMurdo", -77.8419, 166.6863};

// Widget row above the now line, the curves and the labels: only the bands there.
constexpr int kBandRow = 2;

// A night with no darkness is twilight from noon to noon: the midnight Sun,
// and Helsinki's June nights, whose Sun goes no lower than -6.39 degrees.
TEST_F(TonightViewTest, NightsWithoutDarknessAreAllTwilight)
{
    struct Row {
        Site site;
        QDate night;
    };
    const Row rows[] = {
        {{"80 N", "UTC", 80.0, 0.0}, QDate(2025, 6, 21)}, {kTromso, QDate(2025, 6, 21)},
        {kLongyearbyen, QDate(2025, 6, 21)},             {kLongyearbyen, QDate(2025, 8, 10)},
        {kHelsinki, QDate(2025, 6, 21)},                {kMcMurdo, QDate(2025, 12, 21)},
    };
    for (const Row& r : rows) {
        AppTimeZone::setZone(QTimeZone(r.site.zone));
        prefs.setLatitude(r.site.latitude);
        prefs.setLongitude(r.site.longitude);
        chartDate = QDateTime(r.night.addDays(-1), QTime(22, 0), QTimeZone(r.site.zone));
        view->tonightDate();
        const auto where = testing::Message() << r.site.name << " " << r.night.toString().toStdString();
        EXPECT_TRUE(view->isCircum()) << where;
        const QImage image = render();
        for (int x = 0; x < TonightView::kWidth; x += 50)
            ASSERT_EQ(image.pixel(x, kBandRow), kLight) << where << " x " << x;
    }
}

// Where the Sun goes below the twilight depth the chart is dark, whether or
// not it set: the polar night (its first and last nights at Tromso), the
// winter's longest nights, the first and last short dark spells of the season, and
// civil twilight where the Sun never comes above -11.28 degrees. The edges,
// minutes from the night's midnight (NAN: not that night), within a minute
// of the Sun's crossings; inside the darkness the chart is black, and at the
// noons, with the Sun above the depth, it is not.
TEST_F(TonightViewTest, DarknessFollowsTheSunWhereverItGoesBelowTheDepth)
{
    struct Row {
        Site site;
        QDate night;
        bool civil;
        double sunset, dusk, dawn, sunrise;
    };
    const Row rows[] = {
        {kTromso, QDate(2025, 12, 21), false, NAN, -424.23, 388.44, NAN},
        {kLongyearbyen, QDate(2025, 12, 21), false, NAN, -466.33, 457.22, NAN},
        {kMcMurdo, QDate(2025, 6, 21), false, NAN, -402.71, 512.56, NAN},
        {kTromso, QDate(2025, 11, 23), false, NAN, -400.80, 342.94, NAN},
        {kTromso, QDate(2025, 1, 18), false, NAN, -380.26, 368.06, NAN},
        // The Sun rises and sets again before the noon after.
        {kTromso, QDate(2025, 11, 22), false, -706.78, -398.75, 340.38, 663.72},
        {kTromso, QDate(2025, 1, 19), false, NAN, -377.71, 366.11, 689.38},
        // 48 and 35 minutes below -18 degrees, the first of the season.
        {kMcMurdo, QDate(2025, 4, 5), false, -356.00, 93.20, 141.28, 593.64},
        {kLongyearbyen, QDate(2025, 10, 9), false, -439.11, 28.48, 63.47, 534.66},
        // The last: 13 minutes, at most 18 arcseconds below.
        {kMcMurdo, QDate(2025, 9, 8), false, -424.87, 43.68, 56.52, 521.98},
        {kHelsinki, QDate(2025, 6, 21), true, -81.57, 42.36, 121.59, 245.53},
        {kMcMurdo, QDate(2025, 6, 21), true, NAN, NAN, NAN, NAN},
    };
    const auto edge = [](const std::optional<double>& x) { return x ? (*x - 1200.0) * 0.6 : NAN; };
    for (const Row& r : rows) {
        AppTimeZone::setZone(QTimeZone(r.site.zone));
        prefs.setLatitude(r.site.latitude);
        prefs.setLongitude(r.site.longitude);
        view->tonightAction(TonightView::kTwilightTag, true, r.civil);
        chartDate = QDateTime(r.night.addDays(-1), QTime(22, 0), QTimeZone(r.site.zone));
        view->tonightDate();
        const auto where = testing::Message() << r.site.name << " " << r.night.toString().toStdString()
                                              << (r.civil ? " civil" : "");
        ASSERT_FALSE(view->isCircum()) << where;
        const double found[] = {edge(view->sunSet0()), edge(view->sunSet1()), edge(view->sunRise0()),
                                edge(view->sunRise1())};
        const double wanted[] = {r.sunset, r.dusk, r.dawn, r.sunrise};
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(std::isnan(found[k]), std::isnan(wanted[k])) << where << " edge " << k;
            if (!std::isnan(wanted[k])) {
                EXPECT_NEAR(found[k], wanted[k], 1.0) << where << " edge " << k;
            }
        }
        const QImage image = render();
        const int from = std::isnan(r.dusk) ? 0 : int(std::ceil(xOfMinutes(r.dusk + 1.0)));
        const int to = std::isnan(r.dawn) ? TonightView::kWidth - 1 : int(xOfMinutes(r.dawn - 1.0));
        for (int x = from; x <= to; ++x)
            ASSERT_EQ(image.pixel(x, kBandRow), QColor(Qt::black).rgb()) << where << " x " << x;
        if (!r.civil) {
            EXPECT_NE(image.pixel(0, kBandRow), QColor(Qt::black).rgb()) << where;
            EXPECT_NE(image.pixel(TonightView::kWidth - 1, kBandRow), QColor(Qt::black).rgb()) << where;
        }
    }
}

// The labels the chart puts, drawn into a small image: placing them does not depend on what is visible.
std::vector<TonightView::PlacedLabel> labelsOf(TonightView& view)
{
    QImage image(1, 1, QImage::Format_ARGB32);
    QPainter painter(&image);
    view.drawChart(painter);
    return view.placedLabels();
}

// Through a lunation the Moon's highest sample falls anywhere on the chart,
// its edges included: its name is put once and wholly inside, above the ground.
TEST_F(TonightViewTest, TheMoonCurveIsLabelledOnceInsideTheChartEveryNight)
{
    view->tonightAction(TonightView::kMoonTag, true);
    const QRectF chart(0.0, 0.0, TonightView::kWidth, TonightView::kHeight - TonightView::kGround);
    for (int day = 0; day < 30; ++day) {
        chartDate = QDateTime(QDate(2025, 3, 10).addDays(day), QTime(22, 0), QTimeZone::utc());
        view->tonightDate();
        int moons = 0;
        for (const TonightView::PlacedLabel& label : labelsOf(*view)) {
            if (label.name != "Moon")
                continue;
            ++moons;
            EXPECT_TRUE(chart.contains(label.rect)) << day;
        }
        EXPECT_EQ(moons, 1) << day;
    }
}

// Curves that peak together (Mars and Jupiter 0.3 degrees apart, a tour's
// objects at one place) keep every name apart, each once.
TEST_F(TonightViewTest, LabelsOfCurvesCloseTogetherDoNotOverlap)
{
    const QString path = dir.filePath("Close.txt");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("Alpha\nBeta\nGamma\n");
    file.close();
    for (const char* name : {"Alpha", "Beta", "Gamma"})
        tours.known.insert(name, {findResultFound, 1.2, 0.38});
    chosen = path;
    chartDate = QDateTime(QDate(2024, 8, 13), QTime(22, 0), QTimeZone::utc());
    view->tonightDate();
    view->tonightAction(TonightView::kTour1Tag, true);
    const std::vector<TonightView::PlacedLabel> labels = labelsOf(*view);
    QStringList names;
    for (const TonightView::PlacedLabel& label : labels)
        names.append(label.name);
    for (const char* name : {"Alpha", "Beta", "Gamma", "Jupiter", "Mars"})
        EXPECT_EQ(names.count(name), 1) << name;
    for (std::size_t a = 0; a < labels.size(); ++a)
        for (std::size_t b = a + 1; b < labels.size(); ++b)
            EXPECT_FALSE(labels[a].rect.intersects(labels[b].rect))
                << labels[a].name.toStdString() << " " << labels[b].name.toStdString();
}

// A grey tick every 10 degrees at the visible left edge, each with its label over it.
TEST_F(TonightViewTest, TheAltitudeScaleStandsAtTheVisibleLeftEdge)
{
    for (const double scroll : {0.0, 0.5}) {
        view = std::make_unique<TonightView>(
            TonightView::Links{prefs, tours, [this] { return chartDate; }, {}, [scroll] { return scroll; }});
        view->tonightDate();
        view->tonightAction(TonightView::kTwilightTag, false);
        for (int body = TonightView::kSunTag; body <= TonightView::kMoonTag; ++body)
            view->tonightAction(body, false);
        const QImage image = render();
        const int left = int(scroll * 1600.0);
        const auto lit = [&image](int x, int y0, int y1) {
            int brightest = 0;
            for (int y = y0; y <= y1; ++y)
                brightest = std::max(brightest, image.pixelColor(x, y).red());
            return brightest;
        };
        for (int degrees = 0; degrees <= 90; degrees += 10) {
            const int y = int(TonightView::kHeight - TonightView::kGround - degrees * 4.6);
            EXPECT_GT(lit(left + 5, y - 1, y + 1), 20) << scroll << " tick " << degrees;
            int inked = 0;
            for (int x = left + 2; x < left + 20; ++x)
                inked += lit(x, y - 10, y - 2) > 20;
            EXPECT_GT(inked, 0) << scroll << " label " << degrees;
            EXPECT_LT(lit(left + 60, y - 10, y - 2), 20) << "nothing else drawn there";
        }
    }
}

// The label of a tour object, where the last drawing put it.
std::optional<QRectF> labelOf(TonightView& view, const QString& name)
{
    for (const TonightView::PlacedLabel& label : labelsOf(view))
        if (label.name == name)
            return label.rect;
    return std::nullopt;
}

// A tour's curves are resolved once per tour, night and site: a repaint keeps
// them, and each change plots the finder's answer then, never the kept one.
TEST_F(TonightViewTest, TourCurvesFollowANewNightSiteAndTour)
{
    const auto writeTour = [this](const QString& name, const QByteArray& text) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return file.fileName();
    };
    chosen = writeTour("One.txt", "M 13\n");
    tours.known.insert("M 13", {findResultFound, 3.0, 0.3});
    tours.known.insert("M 31", {findResultFound, 5.0, 0.3});
    view->tonightDate();
    view->tonightAction(TonightView::kTour1Tag, true);
    // The label stands over the curve's highest sample of the object's place.
    const auto peakX = [this](double ra) { return view->altitudeCurve(ra, 0.3).highest.x() - 5.0; };
    ASSERT_NE(peakX(3.0), peakX(3.4));
    ASSERT_TRUE(labelOf(*view, "M 13"));
    EXPECT_DOUBLE_EQ(labelOf(*view, "M 13")->left(), peakX(3.0));

    tours.known["M 13"].ra = 3.4;
    EXPECT_DOUBLE_EQ(labelOf(*view, "M 13")->left(), peakX(3.0)) << "a repaint keeps the places";
    chartDate = chartDate.addDays(1);
    view->tonightDate();
    EXPECT_DOUBLE_EQ(labelOf(*view, "M 13")->left(), peakX(3.4)) << "a new night";

    tours.known["M 13"].ra = 2.6;
    prefs.setLongitude(-40.0);
    view->tonightDate();
    EXPECT_DOUBLE_EQ(labelOf(*view, "M 13")->left(), peakX(2.6)) << "a new site, the same night";
    tours.known["M 13"].ra = 3.0;
    prefs.setLatitude(-30.0);
    view->tonightDate();
    EXPECT_DOUBLE_EQ(labelOf(*view, "M 13")->left(), peakX(3.0)) << "a new latitude";

    chosen = writeTour("Two.txt", "M 31\n");
    view->tonightAction(TonightView::kOpenTour1Tag, true);
    EXPECT_FALSE(labelOf(*view, "M 13")) << "a new tour";
    ASSERT_TRUE(labelOf(*view, "M 31"));
    EXPECT_DOUBLE_EQ(labelOf(*view, "M 31")->left(), peakX(5.0));
    EXPECT_EQ(tours.selection, "M 31") << "the drawing leaves the selection as resolving does";
}

// The pixels of `image` more than `threshold` off `background` in a colour, outside `masked`.
std::vector<char> strokedPixels(const QImage& image, const QImage& background, int threshold,
                                const std::vector<QRect>& masked)
{
    std::vector<char> stroked(std::size_t(image.width() * image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y);
            const QRgb b = background.pixel(x, y);
            const int off = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                      std::abs(qBlue(a) - qBlue(b))});
            stroked[std::size_t(y * image.width() + x)] =
                off > threshold && std::none_of(masked.begin(), masked.end(), [&](const QRect& r) { return r.contains(x, y); });
        }
    return stroked;
}

// The curves go to the painter one segment at a time and are kept as an
// image. On a plain and a doubled device, every pixel stroked firmly there
// has one stroked at least faintly within a pixel in the drawing of all
// curves as one path, and the other way round; and as many are stroked.
TEST_F(TonightViewTest, CurvesDrawnApartMatchTheCurvesDrawnAsOnePath)
{
    QByteArray text;
    for (int k = 0; k < 12; ++k) {
        tours.known.insert(QStringLiteral("Object %1").arg(k), {findResultFound, 0.5 * k, -1.0 + 0.18 * k});
        text += "Object " + QByteArray::number(k) + '\n';
    }
    QFile file(chosen = dir.filePath("Twelve.txt"));
    file.open(QIODevice::WriteOnly);
    file.write(text);
    file.close();
    view->tonightDate();
    for (int body = TonightView::kSunTag; body <= TonightView::kMoonTag; ++body)
        view->tonightAction(body, false);
    for (const int scale : {1, 2}) {
        const auto drawn = [&](bool tour, bool merged) {
            view->tonightAction(TonightView::kTour1Tag, tour);
            QImage image(QSize(TonightView::kWidth, TonightView::kHeight) * scale, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(scale);
            QPainter painter(&image);
            view->drawChart(painter);
            QPainterPath all;
            for (int k = 0; merged && k < 12; ++k)
                all.addPath(view->altitudeCurve(0.5 * k, -1.0 + 0.18 * k).path);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.strokePath(all, QPen(prefs.deepSkyNameColor(), 1.5));
            return image;
        };
        const QImage background = drawn(false, false);
        const QImage merged = drawn(false, true);
        const QImage apart = drawn(true, false);
        EXPECT_EQ(drawn(true, false), apart) << "a repaint from the kept image draws the same";
        // Not compared: the altitude scale, the ground strip and the labels.
        std::vector<QRect> masked{QRect(0, 0, 60, TonightView::kHeight),
                                  QRect(0, TonightView::kHeight - TonightView::kGround - 2, TonightView::kWidth, 30)};
        for (const TonightView::PlacedLabel& label : view->placedLabels())
            masked.push_back(label.rect.adjusted(-2, -2, 2, 2).toAlignedRect());
        for (QRect& r : masked)
            r = QRect(r.topLeft() * scale, r.size() * scale);
        const auto firmApart = strokedPixels(apart, background, 96, masked);
        const auto firmMerged = strokedPixels(merged, background, 96, masked);
        const auto faintApart = strokedPixels(apart, background, 24, masked);
        const auto faintMerged = strokedPixels(merged, background, 24, masked);
        const auto near = [&](const std::vector<char>& faint, int x, int y) {
            for (int v = std::max(0, y - scale); v <= std::min(apart.height() - 1, y + scale); ++v)
                for (int u = std::max(0, x - scale); u <= std::min(apart.width() - 1, x + scale); ++u)
                    if (faint[std::size_t(v * apart.width() + u)])
                        return true;
            return false;
        };
        int strays = 0;
        for (int y = 0; y < apart.height(); ++y)
            for (int x = 0; x < apart.width(); ++x) {
                const std::size_t at = std::size_t(y * apart.width() + x);
                strays += (firmApart[at] && !near(faintMerged, x, y)) + (firmMerged[at] && !near(faintApart, x, y));
            }
        EXPECT_EQ(strays, 0) << scale;
        const auto count = [](const std::vector<char>& v) { return double(std::count(v.begin(), v.end(), 1)); };
        EXPECT_GT(count(firmMerged), 5000 * scale);
        EXPECT_NEAR(count(firmApart), count(firmMerged), 0.05 * count(firmMerged)) << scale << ": not blurred by scaling";
    }
}

TEST(TonightWindow, TheRulerFollowsTheScrollBar)
{
    NoGamma gamma;
    PrefControl prefs{gamma};
    FakeTourFinder finder;
    TonightWindow window({prefs, finder, {}, {}, {}});
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
