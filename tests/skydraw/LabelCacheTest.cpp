#include "PaintingFixture.h"

#include "skydraw/LabelCache.h"

#include <QFontMetricsF>
#include <QStaticText>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Drawn {
    QPointF lowerLeft;
    std::uint64_t key;
    const char* text;
};

QFont labelFont()
{
    QFont font;
    font.setPointSizeF(11.0);
    return font;
}

// Labels drawn through the cache.
QImage draw(LabelCache& labels, QColor color, const std::vector<Drawn>& drawn)
{
    labels.setAttributes({labelFont(), color});
    return PaintingTest::render(160, 60, [&](ChartCanvas& canvas) {
        labels.apply(canvas);
        for (const Drawn& d : drawn)
            labels.draw(canvas, d.lowerLeft, d.key, QLatin1StringView(d.text));
    });
}

// The same labels set by the painter.
QImage set(QColor color, const std::vector<Drawn>& drawn)
{
    const QFont font = LabelCache::chartFont(labelFont());
    const QFontMetricsF metrics(font);
    return PaintingTest::render(160, 60, [&](ChartCanvas& canvas) {
        canvas.painter().setFont(font);
        canvas.painter().setPen(color);
        for (const Drawn& d : drawn) {
            QStaticText text(QString::fromLatin1(d.text));
            text.setTextFormat(Qt::PlainText);
            text.prepare(QTransform(), font);
            canvas.drawLabel(d.lowerLeft, text, metrics.ascent() + metrics.descent());
        }
    });
}

}  // namespace

TEST(LabelCache, ALabelPictureLooksAsThePainterSetsTheLabelInItsColourAndText)
{
    // Whole-point x, and heights all through a pixel.
    std::vector<Drawn> drawn;
    for (int k = 0; k < 10; ++k)
        drawn.push_back({QPointF(4.0 + 52.0 * (k % 3), 4.0 + 5.1 * k), std::uint64_t(k), k % 2 ? "Vega" : "10h"});
    const QImage direct = set(Qt::white, drawn);
    ASSERT_GT(PaintingTest::inkCount(direct), 50);
    LabelCache labels;
    // Once to make the pictures, then from them.
    EXPECT_LE(PaintingTest::largestDifference(draw(labels, Qt::white, drawn), direct), 2);
    EXPECT_LE(PaintingTest::largestDifference(draw(labels, Qt::white, drawn), direct), 2);
    // A new colour or a new text under a key is not drawn from the old picture.
    EXPECT_LE(PaintingTest::largestDifference(draw(labels, Qt::red, drawn), set(Qt::red, drawn)), 2);
    const std::vector<Drawn> renamed = {{{4.0, 4.0}, 0, "Altair"}};
    EXPECT_LE(PaintingTest::largestDifference(draw(labels, Qt::red, renamed), set(Qt::red, renamed)), 2);
    // Nor is one given once as a string and then as Latin-1 text, or back.
    const std::vector<Drawn> other = {{{4.0, 4.0}, 0, "Deneb"}};
    labels.setAttributes({labelFont(), Qt::red});
    PaintingTest::render(160, 60, [&](ChartCanvas& canvas) {
        labels.draw(canvas, {4.0, 4.0}, 0, QStringLiteral("Deneb"));
    });
    EXPECT_LE(PaintingTest::largestDifference(draw(labels, Qt::red, renamed), set(Qt::red, renamed)), 2);
    const QImage asString = PaintingTest::render(160, 60, [&](ChartCanvas& canvas) {
        labels.apply(canvas);
        labels.draw(canvas, {4.0, 4.0}, 0, QStringLiteral("Deneb"));
    });
    EXPECT_LE(PaintingTest::largestDifference(asString, set(Qt::red, other)), 2);
}
