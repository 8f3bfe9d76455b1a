#include "PaintingFixture.h"

#include "chart/painting/LabelCache.h"

#include <QFont>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 60;

struct Drawn {
    QPointF lowerLeft;
    std::uint64_t key;
    const char* text;
};

// Labels drawn through the cache, straight into the image's pixels or, with
// a clip set (which rules that out), by the painter.
QImage draw(LabelCache& labels, const std::vector<Drawn>& drawn, bool isClipped = false)
{
    return PaintingTest::render(kWidth, kHeight, [&](ChartCanvas& canvas) {
        if (isClipped)
            canvas.painter().setClipRect(QRect(0, 0, kWidth, kHeight));
        labels.apply(canvas);
        for (const Drawn& d : drawn)
            labels.draw(canvas, d.lowerLeft, d.key, QLatin1StringView(d.text));
    });
}

TextAttributes attributes(QColor color)
{
    QFont font;
    font.setPointSizeF(11.0);
    return {font, color};
}

}  // namespace

TEST(LabelCache, ABlendedLabelLooksAsThePainterSetsIt)
{
    // Whole-point x, and heights all through a pixel.
    std::vector<Drawn> drawn;
    for (int k = 0; k < 10; ++k)
        drawn.push_back({QPointF(4.0 + 52.0 * (k % 3), 4.0 + 5.1 * k), std::uint64_t(k), k % 2 ? "Vega" : "10h"});
    LabelCache blended;
    blended.setAttributes(attributes(QColor(200, 220, 255)));
    LabelCache painted;
    painted.setAttributes(attributes(QColor(200, 220, 255)));
    const QImage direct = draw(painted, drawn, true);
    ASSERT_GT(PaintingTest::inkCount(direct), 50);
    // Once to make the pictures, then from them.
    EXPECT_LE(PaintingTest::largestDifference(draw(blended, drawn), direct), 2);
    EXPECT_LE(PaintingTest::largestDifference(draw(blended, drawn), direct), 2);
}

TEST(LabelCache, ANewColourOrTextIsNotBlendedFromTheOldPicture)
{
    LabelCache labels;
    labels.setAttributes(attributes(Qt::white));
    draw(labels, {{{10.0, 10.0}, 7, "Vega"}});

    LabelCache fresh;
    fresh.setAttributes(attributes(Qt::red));
    labels.setAttributes(attributes(Qt::red));
    EXPECT_LE(PaintingTest::largestDifference(draw(labels, {{{10.0, 10.0}, 7, "Vega"}}),
                                              draw(fresh, {{{10.0, 10.0}, 7, "Vega"}})),
              2);
    EXPECT_LE(PaintingTest::largestDifference(draw(labels, {{{10.0, 10.0}, 7, "Altair"}}),
                                              draw(fresh, {{{10.0, 10.0}, 8, "Altair"}})),
              2);
}
