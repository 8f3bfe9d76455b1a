#include "skydraw/PaintingFixture.h"

#include "chart/painting/BoundaryPainter.h"
#include "chart/painting/MilkyWayPainter.h"
#include "model/catalogue/MilkyWayTable.h"
#include "skydraw/PrintMapping.h"

#include <vector>

namespace {

boundaryLocn point(float x, float y, std::uint32_t id, bool visible = true)
{
    boundaryLocn b{};
    b.screenPt = {x, y};
    b.lineId = id;
    b.visible = visible ? 1 : 0;
    return b;
}

// The segments as "x1 y1 - x2 y2".
QStringList boundaryLines(const std::vector<boundaryLocn>& table, const PrintMapping& mapping)
{
    ChartSky sky;
    sky.boundaries = table;
    std::vector<QLineF> lines;
    BoundaryPainter::buildLines(lines, sky, mapping);
    QStringList out;
    for (const QLineF& l : lines)
        out << QString("%1 %2 - %3 %4").arg(l.x1()).arg(l.y1()).arg(l.x2()).arg(l.y2());
    return out;
}

}  // namespace

TEST(BoundaryPainter, EachLineIdIsAPolylineThatAHiddenPointBreaks)
{
    const PrintMapping screen;
    const struct {
        std::vector<boundaryLocn> table;
        PrintMapping mapping;
        QStringList lines;
    } cases[] = {
        {{point(0, 0, 1), point(10, 0, 1), point(15, 0, 1), point(20, 5, 2), point(30, 5, 2)}, screen,
         {"0 0 - 10 0", "10 0 - 15 0", "20 5 - 30 5"}},
        // A hidden point removes both its segments, even within one id.
        {{point(0, 0, 1), point(10, 0, 1, false), point(20, 0, 1), point(30, 0, 1)}, screen, {"20 0 - 30 0"}},
        // An id 0 after a hidden point starts where it is, not at the origin or the pen's last place.
        {{point(5, 5, 3), point(6, 6, 3, false), point(40, 40, 0), point(50, 40, 0)}, screen, {"40 40 - 50 40"}},
        {{point(40, 40, 0), point(50, 40, 0)}, screen, {"40 40 - 50 40"}},
        // Paper maps every point.
        {{point(10, 20, 1), point(30, 20, 1)}, PrintMapping{0.5, 100.0, 200.0}, {"105 210 - 115 210"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(boundaryLines(c.table, c.mapping), c.lines);
}

namespace {

class MilkyWayTest : public PaintingTest {
protected:
    void SetUp() override
    {
        PaintingTest::SetUp();
        prefs().setIsMilkyWay();
    }
};

// Ink anywhere within `reach` of the chart point (the dots leave gaps).
bool hasInkNear(const QImage& image, int x, int y, QColor background, int reach = 3)
{
    for (int dx = -reach; dx <= reach; ++dx)
        for (int dy = -reach; dy <= reach; ++dy)
            if (PaintingTest::inkCount(image.copy(x + dx, image.height() - 1 - y - dy, 1, 1), background) > 0)
                return true;
    return false;
}

}  // namespace

TEST_F(MilkyWayTest, OnScreenOnlyVisibleOutlinesAreDrawnDotted)
{
    ChartSky sky;
    sky.mwPaths[3].moveTo(10, 50);
    sky.mwPaths[3].lineTo(190, 50);
    MilkyWayPainter painter(prefs());
    const auto paint = [&] { return render(200, 100, [&](ChartCanvas& c) { painter.paint(c, sky); }); };
    EXPECT_EQ(inkCount(paint()), 0);

    sky.mwPathVisible[3] = true;
    const QImage image = paint();
    // One point drawn in every four.
    int inked = 0;
    for (int x = 20; x < 180; ++x)
        inked += at(image, x, 50) != QColor(Qt::black) || at(image, x, 49) != QColor(Qt::black) ? 1 : 0;
    EXPECT_GT(inked, 25);
    EXPECT_LT(inked, 110);
}

TEST_F(MilkyWayTest, OnPaperOutlinesAreDrawnFromTheTableMapped)
{
    // Outline 28 (points 330 to 338, closed) laid along a line; the points'
    // own visibility does not matter on paper.
    std::vector<MWCoord> coords(MilkyWayTable::kNumPoints);
    for (int i = 330; i <= 338; ++i) {
        coords[std::size_t(i)].screenX = float(10 + 5 * (i - 330));
        coords[std::size_t(i)].screenY = 20.0f;
    }
    ChartSky sky;
    sky.mwCoords = coords;
    sky.mwPathVisible[28] = true;
    MilkyWayPainter painter(prefs());
    const QImage image = render(
        200, 100, [&](ChartCanvas& c) { painter.print(c, sky, PrintMapping{2.0, 0.0, 10.0}); }, Qt::white);
    // (10, 20)…(50, 20) lands on (20, 50)…(100, 50).
    EXPECT_TRUE(hasInkNear(image, 40, 50, Qt::white));
    EXPECT_TRUE(hasInkNear(image, 95, 50, Qt::white));
    EXPECT_FALSE(hasInkNear(image, 30, 20, Qt::white));
}
