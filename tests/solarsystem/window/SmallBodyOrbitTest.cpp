#include "solarsystem/window/SSPlotPainter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kHeight = 600.0;
const PlotView kStartView{400.0, 300.0, -std::numbers::pi / 2, 0.0};
constexpr double kScale = 0.08;  // zoom 1 in an 800-px view
constexpr double kPxPerAU = 149.6 * kScale;

// The selected body's orbit in the ecliptic with perihelion toward the
// vernal point, drawn at the start view.
class SmallBodyOrbitTest : public ::testing::Test {
protected:
    QPainterPath pathFor(double e, double q)
    {
        table.setPlot9(float(e), 0.0f, float(q), 0.0f, 0.0f, 0.0f);
        SSPlotPainter plot(painter, kHeight, kStartView, kScale, table);
        return plot.smallBodyPath();
    }

    QImage image{800, 600, QImage::Format_ARGB32_Premultiplied};
    QPainter painter{&image};
    OrbitTable table = OrbitTable::builtIn();
};

TEST_F(SmallBodyOrbitTest, OrbitIsBrokenWhereItLeavesThePlotOrPassesTheAsymptotes)
{
    struct Case {
        const char* what;
        double e, q;
        int points;   // orbit points drawn
        int runs;   // runs of points joined by lines
        bool closed;  // the last point joined back to the first
    };
    const Case cases[] = {
        {"ellipse", 0.5, 1.0, 72, 1, true},
        // 1 + e cos v <= 0 from 150 to 210 degrees: a gap, not a line across the plot.
        {"hyperbola", 1.2, 1.0, 59, 2, true},
        // Beyond 50000 x 10^6 km (334 AU): 175 to 185 degrees, and 145 to 215.
        {"parabola", 1.0, 1.0, 69, 2, true},
        {"long ellipse", 0.9, 50.0, 57, 2, true},
        {"all beyond the limit", 0.1, 400.0, 0, 0, false},
    };
    for (const Case& c : cases) {
        const QPainterPath path = pathFor(c.e, c.q);
        int moves = 0;
        for (int k = 0; k < path.elementCount(); ++k) {
            const QPainterPath::Element point = path.elementAt(k);
            moves += point.isMoveTo();
            // Every point lies on the conic r (1 + e cos v) = q (1 + e).
            const double x = kStartView.vOffset - (kHeight - point.y);
            const double y = point.x - kStartView.hOffset;
            const double r = std::hypot(x, y);
            EXPECT_NEAR(r * (1.0 + c.e * x / r), c.q * (1.0 + c.e) * kPxPerAU, 1e-3 * r) << c.what;
        }
        EXPECT_EQ(moves, c.runs) << c.what;
        EXPECT_EQ(path.elementCount(), c.points + (c.closed ? 1 : 0)) << c.what;
        if (c.closed) {
            EXPECT_EQ(path.currentPosition(), path.elementAt(0)) << c.what;
        }
    }
}

}  // namespace
