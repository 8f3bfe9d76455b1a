#include "scopeview/SVDrawPass.h"

#include "model/settings/PrefStyles.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// The styles a fresh settings object has; the labels here are camera-angle
// labels, drawn white with the pass's own attributes.
struct Styles final : PrefStyles {};

class SVDrawPassTest : public ::testing::Test {
protected:
    static constexpr int kSide = 400;

    SVDrawPassTest() : image(kSide, kSide, QImage::Format_ARGB32) { image.fill(Qt::transparent); }

    // One pass over a 2 degree field: a red square drawn 100 points east
    // (left) of the centre, and a label at the same place.
    void render(const SVOrientation& orientation)
    {
        QPainter painter(&image);
        const QRectF bounds(0, 0, kSide, kSide);
        SVDrawPass::fillBackground(painter, bounds);
        SVDrawPass pass(painter, bounds, SVAngles::calculate(2.0, kSide), orientation, labels,
                        styles, label);
        pass.begin();
        pass.canvas().fillRect(QRectF(95, 195, 10, 10), Qt::red);
        pass.addLabel(SVDrawPass::kCameraAngleLabel, 0, QPointF(100, 200), "MMMM");
        pass.finish();
    }

    bool isRed(int x, int y) const { return qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 50; }
    // The leftmost and rightmost columns holding label ink in the band y0..y1.
    std::pair<int, int> inkColumns(int y0, int y1) const
    {
        int lo = kSide, hi = -1;
        for (int y = y0; y < y1; ++y) {
            for (int x = 0; x < kSide; ++x) {
                if (qGreen(image.pixel(x, y)) > 128) {
                    lo = std::min(lo, x);
                    hi = std::max(hi, x);
                }
            }
        }
        return {lo, hi};
    }

    QImage image;
    std::vector<svLabel> labels;
    Styles styles;
    TextAttributes label{QFont("DejaVu Sans", 14), Qt::white};
};

TEST_F(SVDrawPassTest, ReversedOpticsMirrorTheSkyButNotTheLabels)
{
    render(SVOrientation{});
    EXPECT_TRUE(isRed(100, 200));
    EXPECT_FALSE(isRed(300, 200));
    const auto [plainLeft, plainRight] = inkColumns(160, 200);

    image.fill(Qt::transparent);
    render(SVOrientation{-1.0, 1.0, 0.0});
    EXPECT_TRUE(isRed(300, 200));
    EXPECT_FALSE(isRed(100, 200));
    // The label moved with its object, and its text still runs to the right
    // of the anchor, as wide as before.
    const auto [left, right] = inkColumns(160, 200);
    EXPECT_GE(left, 300 + 20 - 2);
    EXPECT_NEAR(right - left, plainRight - plainLeft, 2);
    EXPECT_GE(plainLeft, 100 + 20 - 2);
}

TEST_F(SVDrawPassTest, FieldMaskDimsOnlyOutsideTheField)
{
    render(SVOrientation{});
    const QColor corner = image.pixelColor(2, 2);
    const QColor centre = image.pixelColor(200, 120);
    EXPECT_GT(corner.red(), 30);  // grey over black
    EXPECT_EQ(centre, QColor(Qt::black));
}

TEST_F(SVDrawPassTest, EmptyFieldLightsOnlyTheCorners)
{
    QPainter painter(&image);
    SVDrawPass::fillBackground(painter, QRectF(0, 0, kSide, kSide));
    SVDrawPass::drawEmptyField(painter, QRectF(0, 0, kSide, kSide));
    painter.end();
    EXPECT_GT(image.pixelColor(3, 3).red(), 20);
    EXPECT_EQ(image.pixelColor(200, 200), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(200, 20), QColor(Qt::black));
}

TEST_F(SVDrawPassTest, TheTwoHundredFiftiethLabelIsKeptTheNextIsNotMade)
{
    QPainter painter(&image);
    SVDrawPass pass(painter, QRectF(0, 0, kSide, kSide), SVAngles::calculate(1.0, kSide),
                    SVOrientation{}, labels, styles, label);
    pass.begin();
    for (int i = 0; i < 250; ++i)
        ASSERT_TRUE(pass.addLabel(1, 0, QPointF(i, i), "x")) << i;
    EXPECT_FALSE(pass.hasLabelRoom());
    EXPECT_FALSE(pass.addLabel(1, 0, QPointF(1, 1), "x"));
    EXPECT_EQ(labels.size(), 250u);
    pass.finish();

    // A new pass starts with no labels.
    SVDrawPass next(painter, QRectF(0, 0, kSide, kSide), SVAngles::calculate(1.0, kSide),
                    SVOrientation{}, labels, styles, label);
    EXPECT_TRUE(labels.empty());
}

}  // namespace
