#include "skydraw/PaintingFixture.h"

#include "chart/painting/EquatorialGridPainter.h"
#include "chart/painting/GridLayerStyle.h"
#include "chart/painting/HorizonGridPainter.h"

#include <vector>

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 120;

template <class Record>
void place(std::vector<Record>& table, int i, float x, float y)
{
    table[std::size_t(i)].screenPt = {x, y};
    table[std::size_t(i)].visible = 1;
}

// Grid tables with every point hidden until a test places it.
class GridTest : public PaintingTest {
protected:
    QImage paintEquatorial(const GridLayerStyle& style = GridLayerStyle::screen(), QColor background = Qt::black)
    {
        ChartSky sky;
        sky.raGrid = raGrid;
        EquatorialGridPainter painter(prefs());
        return render(kWidth, kHeight, [&](ChartCanvas& c) { painter.paint(c, sky, style); }, background);
    }
    QImage paintHorizontal()
    {
        ChartSky sky;
        sky.altAzGrid = altAzGrid;
        HorizonGridPainter painter(prefs());
        return render(kWidth, kHeight, [&](ChartCanvas& c) { painter.paint(c, sky, GridLayerStyle::screen()); });
    }
    bool isGrid(const QColor& c) { return isNear(c, prefs().gridLinesColor(), 1); }
    // Grid lines are drawn without anti-aliasing: a line along y lands on the
    // pixel row just above or just below it.
    bool isGridAt(const QImage& image, int x, int y) { return isGrid(at(image, x, y)) || isGrid(at(image, x, y - 1)); }
    bool isGridAtX(const QImage& image, int x, int y) { return isGrid(at(image, x, y)) || isGrid(at(image, x - 1, y)); }

    std::vector<RALocn> raGrid = std::vector<RALocn>(EquatorialGridPainter::kNumPoints);
    std::vector<AltAzLocn> altAzGrid = std::vector<AltAzLocn>(3114);
};

}  // namespace

TEST_F(GridTest, HourAndDeclinationCirclesJoinVisibleNeighboursOnlyWithinTheirCircle)
{
    prefs().setIsRA_Dec();
    place(raGrid, 0, 20, 50);
    place(raGrid, 1, 60, 50);
    place(raGrid, 2, 100, 50);
    QImage image = paintEquatorial();
    EXPECT_TRUE(isGridAt(image, 40, 50));
    EXPECT_TRUE(isGridAt(image, 80, 50));

    // A hidden point removes both segments that touch it.
    raGrid[1].visible = 0;
    EXPECT_EQ(inkCount(paintEquatorial()), 0);
    // The last point of hour 0 is not joined to the first of hour 1.
    place(raGrid, 80, 20, 50);
    place(raGrid, 81, 100, 50);
    EXPECT_EQ(inkCount(paintEquatorial()), 0);

    // Declination circles join points of one declination only.
    place(raGrid, 1944, 20, 90);
    place(raGrid, 1945, 100, 90);
    raGrid[1944].vecZ = -0.9848;
    raGrid[1945].vecZ = -0.9848;
    EXPECT_TRUE(isGridAt(paintEquatorial(), 60, 90));
    raGrid[1945].vecZ = -0.9397;
    EXPECT_EQ(inkCount(paintEquatorial()), 0);
}

TEST_F(GridTest, OnlyTheFirstVisiblePoleIsMarked)
{
    prefs().setIsRA_Dec();
    place(raGrid, EquatorialGridPainter::kNorthPole, 40, 60);
    place(raGrid, EquatorialGridPainter::kSouthPole, 140, 60);
    QImage image = paintEquatorial();
    EXPECT_TRUE(isGridAt(image, 44, 60));
    EXPECT_TRUE(isGridAtX(image, 40, 64));
    EXPECT_EQ(inkCount(image.copy(100, 0, 100, kHeight)), 0);

    raGrid[EquatorialGridPainter::kNorthPole].visible = 0;
    image = paintEquatorial();
    EXPECT_TRUE(isGridAt(image, 144, 60));
}

TEST_F(GridTest, HourLabelsSitRightOfTheirVisiblePoint)
{
    prefs().setIsRA_Dec();
    // Hour 0's label point 4° north of -60°.
    place(raGrid, (-60 + 80) / 2 + 2, 50, 50);
    const QImage image = paintEquatorial();
    ASSERT_GT(inkCount(image), 0);
    for (int x = 0; x < kWidth; ++x)
        for (int y = 0; y < kHeight; ++y)
            if (at(image, x, y) != QColor(Qt::black)) {
                EXPECT_GE(x, 52);
                EXPECT_GE(y, 47);
            }
}

TEST_F(GridTest, TheEclipticAndEquatorHaveTheirOwnSwitches)
{
    place(raGrid, 2981, 20, 30);
    place(raGrid, 2982, 100, 30);
    place(raGrid, 2432, 20, 90);
    place(raGrid, 2433, 100, 90);
    EXPECT_EQ(inkCount(paintEquatorial()), 0);

    prefs().setIsEcliptic();
    QImage image = paintEquatorial();
    EXPECT_TRUE(isNear(at(image, 60, 30), prefs().eclipticColor(), 1));
    EXPECT_EQ(at(image, 60, 90), QColor(Qt::black));

    prefs().setIsEquator();
    image = paintEquatorial();
    EXPECT_TRUE(isNear(at(image, 60, 90), prefs().eclipticColor(), 1));
}

TEST_F(GridTest, OnPaperTheGridIsBlackAndMapped)
{
    prefs().setIsRA_Dec();
    place(raGrid, 0, 10, 20);
    place(raGrid, 1, 50, 20);
    const QImage image = paintEquatorial(GridLayerStyle::paper(PrintMapping{2.0, 5.0, 10.0}), Qt::white);
    // (10, 20) to (50, 20) lands on (25, 50) to (105, 50), in black.
    const QColor line = at(image, 60, 50).lightness() < 255 ? at(image, 60, 50) : at(image, 60, 49);
    EXPECT_LT(line.lightness(), 255);
    EXPECT_EQ(line.red(), line.blue());
    EXPECT_EQ(inkCount(image.copy(0, kHeight - 40, kWidth, 40), Qt::white), 0);
}

TEST(HorizonGridPainter, AzimuthLabelsRunRoundFromSouth)
{
    for (const auto& [line, label] : {std::pair{0, 180}, {17, 350}, {18, 0}, {35, 170}})
        EXPECT_EQ(HorizonGridPainter::azimuthLabel(line), label) << line;
}

TEST_F(GridTest, AzimuthLinesAndAltitudeCirclesJoinVisibleNeighbours)
{
    prefs().setIsAlt_Az();
    place(altAzGrid, 40, 20, 30);  // the top of line 0
    place(altAzGrid, 41, 60, 30);  // the foot of line 1: not joined
    place(altAzGrid, 1476, 20, 90);
    place(altAzGrid, 1477, 100, 90);
    QImage image = paintHorizontal();
    EXPECT_EQ(at(image, 40, 30), QColor(Qt::black));
    EXPECT_TRUE(isGridAt(image, 60, 90));

    altAzGrid[1477].visible = 0;
    image = paintHorizontal();
    EXPECT_EQ(at(image, 60, 90), QColor(Qt::black));
}

TEST_F(GridTest, TheMeridianRisesToTheZenith)
{
    prefs().setIsMeridian();
    place(altAzGrid, 38, 100, 20);
    place(altAzGrid, 39, 100, 40);
    place(altAzGrid, HorizonGridPainter::kZenith, 100, 100);
    const QImage image = paintHorizontal();
    const QColor meridian = prefs().eclipticColor();
    EXPECT_TRUE(isNear(at(image, 100, 30), meridian, 40));
    EXPECT_TRUE(isNear(at(image, 100, 70), meridian, 40));
    // The zenith's circle, 10 points across.
    EXPECT_TRUE(isNear(at(image, 105, 100), meridian, 60));
    EXPECT_EQ(at(image, 120, 70), QColor(Qt::black));
}
