#include "PaintingFixture.h"

#include "model/ObjectIndex.h"
#include "model/records/RecordConstants.h"
#include "platform/DataPaths.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/PlanetPainter.h"
#include "skydraw/PlanetPathPainter.h"
#include "skydraw/PrintMapping.h"
#include "skydraw/SmallBodyPainter.h"
#include "support/ScopedAppZone.h"

#include <QLocale>
#include <QTimeZone>

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

// 40 path points along a line, `step` points apart.
std::array<planetPath, 40> straightPath(double stepX, double stepY)
{
    std::array<planetPath, 40> points{};
    for (int i = 0; i < 40; ++i) {
        points[std::size_t(i)].state = kStateOnScreen;
        points[std::size_t(i)].screenX = float(10.0 + stepX * i);
        points[std::size_t(i)].screenY = float(10.0 + stepY * i);
    }
    return points;
}

QPointF onScreen(const planetPath& p) { return {p.screenX, p.screenY}; }

minorPlanet makeMinorPlanet(std::uint32_t index, std::int32_t source, float x, float y, float mag)
{
    minorPlanet m{};
    m.index = index;
    m.source = source;
    m.screenX = x;
    m.screenY = y;
    m.mag = mag;
    m.state = kStateOnScreen;
    return m;
}

class SolarSystemLayersTest : public PaintingTest {
protected:
    void SetUp() override
    {
        PaintingTest::SetUp();
        images.createStarArrays();
        images.createObjectSymbols();
        images.recolorStarArrays(prefs().starColorVal());
        images.recolorObjectSymbols(prefs());
    }
    ChartImageSet images{DataPaths::bundleResourcesFolder() + "/ImageF/", QString()};
};

}  // namespace

TEST(PlanetPathPainter, DotsFallOnEveryFifthPointAndLabelsKeepClearOfTheLastOne)
{
    struct Case {
        double stepX, stepY;
        std::vector<int> labelled;
    };
    const Case cases[] = {
        // 50 points between dots: every dot labelled but the end, 40 points after point 35.
        {10.0, 0.0, {0, 5, 10, 15, 20, 25, 30, 35}},
        // 45 points across: only every other dot gets room; the end is 81 points on.
        {9.0, 0.0, {0, 10, 20, 30, 39}},
        // Close across but 10 points up is room enough, for the end point too.
        {1.0, 3.0, {0, 5, 10, 15, 20, 25, 30, 35, 39}},
    };
    for (const Case& c : cases) {
        const auto points = straightPath(c.stepX, c.stepY);
        const auto dots = PlanetPathPainter::dots(points, onScreen);
        std::vector<int> dotted, labelled;
        for (const auto& dot : dots) {
            dotted.push_back(dot.point);
            if (dot.isLabelled)
                labelled.push_back(dot.point);
        }
        EXPECT_EQ(dotted, (std::vector<int>{0, 5, 10, 15, 20, 25, 30, 35, 39})) << c.stepX;
        EXPECT_EQ(labelled, c.labelled) << c.stepX << "," << c.stepY;
    }
    // A point off the view breaks the line on both sides: no dot at 5, nor at the end.
    auto broken = straightPath(10.0, 0.0);
    broken[5].state = kStateOffView;
    broken[39].state = kStateOffView;
    std::vector<int> dotted;
    for (const auto& dot : PlanetPathPainter::dots(broken, onScreen))
        dotted.push_back(dot.point);
    EXPECT_EQ(dotted, (std::vector<int>{0, 10, 15, 20, 25, 30, 35}));
}

TEST(PlanetPathPainter, LabelsDateThePointsAroundTheSkyDate)
{
    const QDateTime sky(QDate(2026, 3, 1), QTime(22, 0), Qt::UTC);
    // The defaults, 200 days with 75 % ahead: 5 days a step, the sky date at point 9.
    EXPECT_EQ(PlanetPathPainter::pointDate(sky, 0, 200.0f, 75.0f), sky.addDays(-45));
    EXPECT_EQ(PlanetPathPainter::pointDate(sky, 39, 200.0f, 75.0f), sky.addDays(150));
    // A one-day path labels times of day, but its end point with the date.
    const QDateTime later = PlanetPathPainter::pointDate(sky, 10, 1.0f, 75.0f);
    EXPECT_EQ(later, sky.addSecs(qint64(0.025f * 86400.0)));
    // Labels tell the program's clock, not the machine's: 22:36 UT is 11:36
    // the next day thirteen hours ahead.
    const ScopedAppZone zone;
    const QLocale locale;
    EXPECT_EQ(PlanetPathPainter::labelText(later, 1.0f, false),
              locale.toString(QTime(11, 36), QLocale::ShortFormat));
    EXPECT_EQ(PlanetPathPainter::labelText(later, 1.0f, true),
              locale.toString(QDate(2026, 3, 2), QLocale::ShortFormat));
    // A typed span past any calendar still gives a date to write.
    for (float days : {1e30f, -1e30f, std::numeric_limits<float>::quiet_NaN()})
        EXPECT_TRUE(PlanetPathPainter::pointDate(sky, 0, days, 75.0f).isValid()) << days;
}

TEST_F(SolarSystemLayersTest, APathIsDrawnOnlyForASelectionTheTablesStillHold)
{
    const auto points = straightPath(4.0, 1.0);
    std::vector<comet> comets(2);
    ChartSky sky;
    sky.planetPaths = points;
    sky.hasPlanetPath = true;
    sky.comets = comets;
    sky.skyDate = QDateTime(QDate(2026, 3, 1), QTime(22, 0), Qt::UTC);
    prefs().setIsPath();
    PlanetPathPainter painter(prefs());
    auto draw = [&] { return render(200, 80, [&](ChartCanvas& c) { painter.paint(c, sky); }); };

    prefs().setFindIndex(kCometIndexBase + 1);
    EXPECT_GT(inkCount(draw()), 200);
    // A comet table shrunk under a kept selection leaves a stale path.
    prefs().setFindIndex(kCometIndexBase + 5);
    EXPECT_EQ(inkCount(draw()), 0);
    prefs().setFindIndex(kMinorPlanetIndexBase);
    EXPECT_EQ(inkCount(draw()), 0);
    prefs().setFindIndex(kPlanetIndexBase + 4);
    sky.hasPlanetPath = false;
    EXPECT_EQ(inkCount(draw()), 0);
}

TEST(SmallBodyPainter, EachMinorPlanetListAnswersToItsOwnSwitch)
{
    struct Case {
        std::int32_t source;
        bool showMP, showNEO, isSelected, shown;
    };
    const Case cases[] = {
        {kMPSourceBright, true, false, false, true},     {kMPSourceBright, false, true, false, false},
        {kMPSourceBright, false, false, true, true},     {kMPSourceUnusual, false, true, false, true},
        {kMPSourceUnusual, true, false, false, false},   {kMPSourceUnusual, false, false, true, true},
        {kMPSourceNumbered, true, false, false, true},   {kMPSourceNumbered, false, true, false, false},
        {kMPSourceUnnumbered, false, false, false, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SmallBodyPainter::isSourceShown(c.source, c.showMP, c.showNEO, c.isSelected), c.shown)
            << c.source << c.showMP << c.showNEO << c.isSelected;
}

TEST_F(SolarSystemLayersTest, FaintBodiesShowOnlyWhenSelectedOrNearestAndOnlyANearEarthObjectIsRinged)
{
    prefs().setCometMagLimit(12.0);
    prefs().setShowNEO(true);
    prefs().setShowMP(true);
    // A bright-list and a near-Earth record, both too faint; each in turn the nearest.
    const std::vector<minorPlanet> minorPlanets = {makeMinorPlanet(0, kMPSourceBright, 30.0f, 30.0f, 15.0f),
                                                   makeMinorPlanet(1, kMPSourceUnusual, 90.0f, 30.0f, 15.0f)};
    ChartSky sky;
    sky.minorPlanets = minorPlanets;
    SmallBodyPainter painter(prefs(), images);
    auto draw = [&] { return render(120, 60, [&](ChartCanvas& c) { painter.paint(c, sky, 1.0f); }); };
    auto isRed = [](const QColor& c) { return c.red() > 150 && c.green() < 60; };

    EXPECT_EQ(inkCount(draw()), 0);
    sky.neoIndex = 1;
    QImage image = draw();
    EXPECT_EQ(inkCount(image.copy(0, 0, 60, 60)), 0);
    EXPECT_GT(at(image, 90, 30).alpha(), 0);
    EXPECT_TRUE(isRed(at(image, 90 - 7, 30)));
    sky.neoIndex = 0;
    image = draw();
    EXPECT_GT(inkCount(image.copy(0, 0, 60, 60)), 0);
    EXPECT_FALSE(isRed(at(image, 30 - 7, 30)));

    // A comet at the limit shows; 0.01 fainter only as the selection.
    std::vector<comet> comets(1);
    comets[0].state = kStateOnScreen;
    comets[0].screenX = 60.0f;
    comets[0].screenY = 30.0f;
    comets[0].mag = 12.01f;
    ChartSky cometSky;
    cometSky.comets = comets;
    prefs().setShowComet(true);
    auto drawComet = [&] { return render(120, 60, [&](ChartCanvas& c) { painter.paint(c, cometSky, 1.0f); }); };
    EXPECT_EQ(inkCount(drawComet()), 0);
    prefs().setFindIndex(kCometIndexBase);
    EXPECT_GT(inkCount(drawComet()), 0);
    prefs().setFindIndex(kNoObjectIndex);
    comets[0].mag = 12.0f;
    EXPECT_GT(inkCount(drawComet()), 0);
}

TEST_F(SolarSystemLayersTest, TheSunIsNeverSmallerThan25PointsAndPlanetsLightTheirSprite)
{
    EXPECT_DOUBLE_EQ(PlanetPainter::sunSize(100.0), 25.0);
    EXPECT_NEAR(PlanetPainter::sunSize(10000.0), 235.62, 0.01);
    if (prefs().isPlanetNames())
        prefs().setIsPlanetNames();

    std::array<planet, 11> planets{};
    planets[0].state = kStateOnScreen;
    planets[0].screenX = 40.0f;
    planets[0].screenY = 40.0f;
    // Mars at magnitude 0: v = 1.625 at the default brightness, class 9, the 9-point red sprite.
    planets[3].state = kStateOnScreen;
    planets[3].index = 3;
    planets[3].screenX = 120.0f;
    planets[3].screenY = 40.0f;
    ChartSky sky;
    sky.planets = planets;
    sky.radius = 1000.0;
    PlanetPainter painter(prefs(), images);
    const QImage image = render(160, 80, [&](ChartCanvas& c) { painter.paint(c, sky, 1.0f); });

    int left = 80, right = 0;
    for (int x = 0; x < 80; ++x) {
        if (at(image, x, 40) != QColor(Qt::black)) {
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    EXPECT_GE(right - left + 1, 23);
    EXPECT_LE(right - left + 1, 26);
    EXPECT_GT(at(image, 40, 40).red(), 200);
    const QColor mars = at(image, 120, 40);
    EXPECT_GT(mars.red(), mars.blue());
    EXPECT_EQ(at(image, 120 - 5, 40), QColor(Qt::black));
    EXPECT_NE(at(image, 120 - 4, 40), QColor(Qt::black));
}

TEST_F(SolarSystemLayersTest, PaperShowsTheListsByTheirSwitchesTheSunAtLeastFivePointsAndNoShadow)
{
    const QString folder = DataPaths::bundleResourcesFolder() + "/ImageF/";
    const SmallBodyPainter::PrintSymbols symbols = {QImage(folder + "CometP.png"), QImage(folder + "MinorPlanetP.png"),
                                                    QImage(folder + "NEOP.png"), QImage(folder + "AstOrbP.png")};
    ASSERT_FALSE(symbols.neo.isNull());
    prefs().setShowNEO(true);
    prefs().setCometMagLimit(12.0);
    std::vector<minorPlanet> minorPlanets;
    for (std::int32_t source = 0; source < 4; ++source)
        minorPlanets.push_back(makeMinorPlanet(std::uint32_t(source), source, 20.0f + 40.0f * source, 20.0f, 10.0f));
    ChartSky sky;
    sky.minorPlanets = minorPlanets;
    SmallBodyPainter painter(prefs(), images);
    // Printed at half scale, 10 points up the page.
    const PrintMapping half{0.5, 0.0, 10.0};
    const QImage page = render(
        180, 60, [&](ChartCanvas& c) { painter.print(c, sky, half, symbols); }, Qt::white);
    for (int source = 0; source < 4; ++source) {
        const QImage around = page.copy(10 + 20 * source - 6, 60 - 20 - 8, 14, 14);
        EXPECT_EQ(inkCount(around, Qt::white) > 0, source == 1 || source == 3) << source;
    }

    std::array<planet, 11> planets{};
    planets[0].state = kStateOnScreen;
    planets[0].screenX = 20.0f;
    planets[0].screenY = 20.0f;
    planets[10].state = kStateOnScreen;
    planets[10].screenX = 60.0f;
    planets[10].screenY = 20.0f;
    sky.planets = planets;
    sky.radius = 100.0;
    if (prefs().isPlanetNames())
        prefs().setIsPlanetNames();
    PlanetPainter planetPainter(prefs(), images);
    const QImage planetPage = render(
        100, 60, [&](ChartCanvas& c) { planetPainter.print(c, sky, PrintMapping{2.0, 0.0, 0.0}); }, Qt::white);
    // The Sun at least 5 × 2 points across, centred on its printed point (40, 40).
    EXPECT_EQ(at(planetPage, 40, 44).red(), 0);
    EXPECT_EQ(at(planetPage, 36, 40).red(), 0);
    EXPECT_EQ(at(planetPage, 40, 47), QColor(Qt::white));
    EXPECT_EQ(inkCount(planetPage.copy(60, 0, 40, 60), Qt::white), 0);
}

// A large table's list of those on screen: while the view moves or the time
// steps only the brightest are drawn (and always the selection), once the
// sky stands still all.
TEST_F(SolarSystemLayersTest, AMovingViewDrawsOnlyTheBrightestMinorPlanetsAndTheSettledViewAll)
{
    prefs().setCometMagLimit(12.0);
    prefs().setShowMP(true);
    if (prefs().isCometNames())
        prefs().setIsCometNames();
    constexpr std::size_t kCount = SmallBodyPainter::kMovingMinorPlanets + 500;
    constexpr int kColumns = 50;
    std::vector<minorPlanet> minorPlanets;
    std::vector<std::uint32_t> onScreen;
    for (std::size_t i = 0; i < kCount; ++i) {
        // Brightness spread over the grid so that the brightest are not its first cells.
        const float mag = 10.0f + float(i * 7 % kCount) * 0.001f;
        minorPlanets.push_back(makeMinorPlanet(std::uint32_t(i), kMPSourceNumbered, 10.0f + 24.0f * float(i % kColumns),
                                               10.0f + 16.0f * float(i / kColumns), mag));
        onScreen.push_back(std::uint32_t(i));
    }
    const std::size_t faintest = std::size_t(std::ranges::max_element(minorPlanets, {}, &minorPlanet::mag) - minorPlanets.begin());
    prefs().setFindIndex(kMinorPlanetIndexBase + int(faintest));
    // Apart from the grid, so that its find mark marks no other cell.
    minorPlanets[faintest].screenX = 1205.0f;
    minorPlanets[faintest].screenY = 492.0f;
    ChartSky sky;
    sky.minorPlanets = minorPlanets;
    sky.minorPlanetsOnScreen = onScreen;
    sky.view = {45.0, 180.0, 500.0, 1220.0f, 500.0f};
    sky.skyDate = QDateTime(QDate(2026, 1, 15), QTime(21, 0), QTimeZone::utc());
    SmallBodyPainter painter(prefs(), images);
    // Every paint here follows the last closely enough, however slow the build.
    painter.setMovingPaints(std::chrono::hours(1));
    const auto drawn = [&] {
        const QImage image = render(1220, 500, [&](ChartCanvas& c) { painter.paint(c, sky, 1.0f); });
        std::vector<bool> isDrawn;
        for (const minorPlanet& m : minorPlanets)
            isDrawn.push_back(inkCount(image.copy(int(m.screenX) - 6, image.height() - 7 - int(m.screenY), 12, 12)) > 0);
        return isDrawn;
    };
    const auto count = [](const std::vector<bool>& v) { return std::ranges::count(v, true); };

    EXPECT_EQ(count(drawn()), kCount);
    EXPECT_FALSE(painter.hasLeftOut());
    sky.view.azimuth += 0.5;
    const std::vector<bool> moving = drawn();
    EXPECT_TRUE(painter.hasLeftOut());
    EXPECT_EQ(count(moving), SmallBodyPainter::kMovingMinorPlanets);
    EXPECT_TRUE(moving[faintest]);
    for (std::size_t i = 0; i < kCount; ++i) {
        if (i != faintest && i * 7 % kCount < SmallBodyPainter::kMovingMinorPlanets - 1) {
            ASSERT_TRUE(moving[i]) << i;
        }
    }
    EXPECT_EQ(count(drawn()), kCount);
    EXPECT_FALSE(painter.hasLeftOut());
    // A time step moves the sky too.
    sky.skyDate = sky.skyDate.addSecs(60);
    EXPECT_EQ(count(drawn()), SmallBodyPainter::kMovingMinorPlanets);
    EXPECT_EQ(count(drawn()), kCount);
    // A change long after the last paint (the clock's step) is drawn whole at once.
    painter.setMovingPaints(std::chrono::milliseconds(0));
    sky.skyDate = sky.skyDate.addSecs(60);
    EXPECT_EQ(count(drawn()), kCount);
    EXPECT_FALSE(painter.hasLeftOut());
}

// A name costs several symbols: a moving sky names only the brightest few of
// the minor planets it draws, the settled sky every one.
TEST_F(SolarSystemLayersTest, AMovingViewNamesOnlyTheBrightestMinorPlanetsAndTheSettledViewAll)
{
    prefs().setCometMagLimit(12.0);
    prefs().setShowMP(true);
    if (!prefs().isCometNames())
        prefs().setIsCometNames();
    constexpr std::size_t kCount = SmallBodyPainter::kMovingMinorPlanets + 3;  // prime to 7: no two alike
    constexpr int kColumns = 25;
    constexpr int kWidth = 80 * kColumns;
    constexpr int kHeight = 20 * (int(kCount) / kColumns + 2);
    std::vector<minorPlanet> minorPlanets;
    std::vector<std::uint32_t> onScreen;
    for (std::size_t i = 0; i < kCount; ++i) {
        const float mag = 10.0f + float(i * 7 % kCount) * 0.001f;
        minorPlanet m = makeMinorPlanet(std::uint32_t(i), kMPSourceNumbered, 10.0f + 80.0f * float(i % kColumns),
                                        15.0f + 20.0f * float(i / kColumns), mag);
        std::snprintf(m.name, sizeof m.name, "M%zu", i);
        minorPlanets.push_back(m);
        onScreen.push_back(std::uint32_t(i));
    }
    ChartSky sky;
    sky.minorPlanets = minorPlanets;
    sky.minorPlanetsOnScreen = onScreen;
    sky.view = {45.0, 180.0, 500.0, float(kWidth), float(kHeight)};
    sky.skyDate = QDateTime(QDate(2026, 1, 15), QTime(21, 0), QTimeZone::utc());
    SmallBodyPainter painter(prefs(), images);
    painter.setMovingPaints(std::chrono::hours(1));
    // Whether each has ink right of its symbol, where its name goes.
    const auto named = [&] {
        const QImage image = render(kWidth, kHeight, [&](ChartCanvas& c) { painter.paint(c, sky, 1.0f); });
        std::vector<bool> isNamed;
        for (const minorPlanet& m : minorPlanets)
            isNamed.push_back(inkCount(image.copy(int(m.screenX) + 8, kHeight - int(m.screenY) - 8, 40, 12)) > 0);
        return isNamed;
    };
    const auto count = [](const std::vector<bool>& v) { return std::size_t(std::ranges::count(v, true)); };

    EXPECT_EQ(count(named()), kCount);
    sky.view.azimuth += 0.5;
    const std::vector<bool> moving = named();
    EXPECT_TRUE(painter.hasLeftOut());
    EXPECT_EQ(count(moving), SmallBodyPainter::kMovingMinorPlanetNames);
    for (std::size_t i = 0; i < kCount; ++i)
        EXPECT_EQ(moving[i], i * 7 % kCount < SmallBodyPainter::kMovingMinorPlanetNames) << i;
    EXPECT_EQ(count(named()), kCount);
    EXPECT_FALSE(painter.hasLeftOut());
}
