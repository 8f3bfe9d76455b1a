#include "PaintingFixture.h"

#include "chart/painting/LabelCache.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Drawn {
    QPointF lowerLeft;
    std::uint64_t key;
    const char* text;
};

// Labels drawn through the cache: blended straight into the pixels, or by
// the painter when a clip rules that out.
QImage draw(LabelCache& labels, QColor color, const std::vector<Drawn>& drawn, bool isClipped = false)
{
    QFont font;
    font.setPointSizeF(11.0);
    labels.setAttributes({font, color});
    return PaintingTest::render(160, 60, [&](ChartCanvas& canvas) {
        if (isClipped)
            canvas.painter().setClipRect(QRect(0, 0, 160, 60));
        labels.apply(canvas);
        for (const Drawn& d : drawn)
            labels.draw(canvas, d.lowerLeft, d.key, QLatin1StringView(d.text));
    });
}

}  // namespace

TEST(LabelCache, ABlendedLabelLooksAsThePainterSetsItInItsColourAndText)
{
    // Whole-point x, and heights all through a pixel.
    std::vector<Drawn> drawn;
    for (int k = 0; k < 10; ++k)
        drawn.push_back({QPointF(4.0 + 52.0 * (k % 3), 4.0 + 5.1 * k), std::uint64_t(k), k % 2 ? "Vega" : "10h"});
    LabelCache painted;
    const QImage direct = draw(painted, Qt::white, drawn, true);
    ASSERT_GT(PaintingTest::inkCount(direct), 50);
    LabelCache blended;
    // Once to make the pictures, then from them.
    EXPECT_LE(PaintingTest::largestDifference(draw(blended, Qt::white, drawn), direct), 2);
    EXPECT_LE(PaintingTest::largestDifference(draw(blended, Qt::white, drawn), direct), 2);
    // A new colour or a new text under a key is not blended from the old picture.
    LabelCache fresh;
    EXPECT_LE(PaintingTest::largestDifference(draw(blended, Qt::red, drawn), draw(fresh, Qt::red, drawn)), 2);
    const QImage renamed = draw(blended, Qt::red, {{{4.0, 4.0}, 0, "Altair"}});
    EXPECT_LE(PaintingTest::largestDifference(renamed, draw(fresh, Qt::red, {{{4.0, 4.0}, 99, "Altair"}})), 2);
}
