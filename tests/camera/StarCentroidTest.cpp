#include "camera/TestFrame.h"
#include "camera/guide/StarCentroid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// A guider reading `frame`, past its first look at the buffer.
class StarCentroidTest : public ::testing::Test {
protected:
    void use(TestFrame& frame)
    {
        centroid.setFrameSource(&frame);
        centroid.setGuideBuff(true);
        centroid.starCentroid({});
    }

    StarCentroid centroid;
};

TEST_F(StarCentroidTest, TheHintedBoxNeedsAContrastOfForty)
{
    TestFrame frame(200, 200, 10);
    use(frame);
    frame.set(100, 100, 49);
    frame.set(101, 100, 49);
    EXPECT_TRUE(centroid.starCentroid({100, 100}).isZero());
    frame.set(100, 100, 50);
    frame.set(101, 100, 50);
    // (3598 × 10 + 100) ÷ 3600 = 10, so the peak stands exactly 40 above it.
    const GuidePoint star = centroid.starCentroid({100, 100});
    EXPECT_FLOAT_EQ(star.x, 100.5f);
    EXPECT_FLOAT_EQ(star.y, 100.0f);
}

TEST_F(StarCentroidTest, TwoPixelsOverTheThresholdGiveTheirWeightedMean)
{
    TestFrame frame(200, 200, 10);
    use(frame);
    // Background 10, peak 110: the threshold is 10 + 0.8 × 100 = 90.
    frame.set(50, 60, 110);
    frame.set(51, 61, 89);
    EXPECT_TRUE(centroid.starCentroid({50, 60}).isZero());
    frame.set(51, 61, 90);
    const GuidePoint star = centroid.starCentroid({50, 60});
    EXPECT_FLOAT_EQ(star.x, (50.0f * 110 + 51.0f * 90) / 200.0f);
    EXPECT_FLOAT_EQ(star.y, (60.0f * 110 + 61.0f * 90) / 200.0f);
}

TEST_F(StarCentroidTest, BoxesNearAnEdgeMoveInsideTheFrame)
{
    TestFrame frame(200, 200);
    use(frame);
    frame.set(10, 100, 200);
    frame.set(59, 100, 200);
    frame.set(60, 100, 200);
    // The box spans columns 0 … 59: the pixel in column 60 stays out.
    EXPECT_FLOAT_EQ(centroid.starCentroid({10, 100}).x, 34.5f);
    // The whole-frame search puts its box in the same place.
    EXPECT_FLOAT_EQ(centroid.starCentroid({}).x, 34.5f);
}

TEST_F(StarCentroidTest, TheFirstOfEqualBrightestPixelsInRowOrderWins)
{
    TestFrame frame(200, 200);
    use(frame);
    frame.addStar(150, 40, 200);
    frame.addStar(40, 150, 200);
    const GuidePoint star = centroid.starCentroid({});
    EXPECT_FLOAT_EQ(star.x, 150.0f);
    EXPECT_FLOAT_EQ(star.y, 40.0f);

    TestFrame hot(200, 200);
    use(hot);
    hot.set(104, 96, 255);
    hot.set(97, 98, 255);
    centroid.setHotPoint({100, 100});
    centroid.setIsNewSkip(true);
    centroid.starCentroid({});
    EXPECT_EQ(centroid.skipRect(), (GuideRect{102, 94, 5, 5}));
}

TEST_F(StarCentroidTest, TheHotPixelIsNeitherPeakNorSummed)
{
    TestFrame frame(200, 200, 20);
    frame.addStar(100, 100, 150);
    frame.set(110, 105, 255);
    use(frame);
    centroid.setHotPoint({110, 105});
    centroid.setIsNewSkip(true);
    EXPECT_TRUE(centroid.starCentroid({}).isZero());
    EXPECT_EQ(centroid.skipRect(), (GuideRect{108, 103, 5, 5}));
    centroid.setIsNewSkip(false);

    // Left in, the lone hot pixel is taken for the star and found too small.
    EXPECT_TRUE(centroid.starCentroid({}).isZero());
    centroid.setDoHotPixel(true);
    for (GuidePoint hint : {GuidePoint{}, GuidePoint{105, 100}}) {
        const GuidePoint star = centroid.starCentroid(hint);
        EXPECT_FLOAT_EQ(star.x, 100.0f);
        EXPECT_FLOAT_EQ(star.y, 100.0f);
    }
}

TEST_F(StarCentroidTest, AHotPixelInsideTheBoxLeavesTheBackgroundDivisorAt3600)
{
    // Summing the 25 skipped pixels, or dividing by 3575, would lift the
    // background from 9 to 10 or more, and the threshold from 93.0 to 93.2
    // or more: the pixel of 93 would drop out.
    TestFrame frame(200, 200, 10);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x)
            frame.set(120 + x, 100 + y, 254);
    }
    frame.set(122, 102, 255);
    frame.set(100, 100, 114);
    frame.set(101, 100, 93);
    use(frame);
    centroid.setHotPoint({122, 102});
    centroid.setIsNewSkip(true);
    centroid.starCentroid({});
    centroid.setIsNewSkip(false);
    centroid.setDoHotPixel(true);
    // Background (3573 × 10 + 207) ÷ 3600 = 9, threshold 9 + 0.8 × 105 = 93.
    EXPECT_FLOAT_EQ(centroid.starCentroid({100, 100}).x, (100.0f * 114 + 101.0f * 93) / 207.0f);
}

TEST_F(StarCentroidTest, AChangedBufferFirstGivesNoStar)
{
    TestFrame frame(100, 100);
    frame.addStar(50, 50, 200);
    centroid.setFrameSource(&frame);
    centroid.setGuideBuff(true);
    EXPECT_TRUE(centroid.starCentroid({}).isZero());
    EXPECT_FALSE(centroid.starCentroid({}).isZero());
    frame.reallocate();
    EXPECT_TRUE(centroid.starCentroid({50, 50}).isZero());
    EXPECT_FALSE(centroid.starCentroid({50, 50}).isZero());
    frame.setHasFocusImage(false);
    EXPECT_TRUE(centroid.starCentroid({50, 50}).isZero());
    centroid.setGuideBuff(false);
    frame.setHasFocusImage(true);
    EXPECT_TRUE(centroid.starCentroid({50, 50}).isZero());

    // A camera grown since its guide buffer was made is not copied past it.
    centroid.setGuideBuff(true);
    TestFrame larger(120, 100);
    larger.addStar(50, 50, 200);
    centroid.setFrameSource(&larger);
    centroid.starCentroid({});
    EXPECT_TRUE(centroid.starCentroid({50, 50}).isZero());
}

TEST_F(StarCentroidTest, SymmetricStarsGiveTheirExactCentre)
{
    TestFrame frame(200, 200, 5);
    use(frame);
    frame.addStar(80, 60, 200);
    frame.addStar(140.5, 150.5, 180, 2.0);
    EXPECT_EQ(centroid.starCentroid({80, 60}), (GuidePoint{80, 60}));
    EXPECT_EQ(centroid.starCentroid({140, 150}), (GuidePoint{140.5f, 150.5f}));
}

TEST_F(StarCentroidTest, AStarMovedInTenthsOfAPixelMovesTheCentroidTheSameWay)
{
    double squares = 0.0;
    float previous = 0.0f;
    const int steps = 20;
    for (int i = 0; i <= steps; ++i) {
        const double x = 100.0 + 0.1 * i;
        TestFrame frame(200, 200, 12);
        frame.addStar(x, 80.3, 180, 1.6);
        use(frame);
        const GuidePoint star = centroid.starCentroid({100, 80});
        if (i > 0) {
            EXPECT_GT(star.x, previous) << "at " << x;
        }
        previous = star.x;
        squares += (star.x - x) * (star.x - x);
    }
    const double rms = std::sqrt(squares / (steps + 1));
    std::printf("centroid RMS error over 0.1 px steps: %.3f px\n", rms);
    EXPECT_LT(rms, 0.25);
}

TEST_F(StarCentroidTest, SmallFramesAndEdgeHotPointsStayInside)
{
    TestFrame frame(40, 40, 10);
    frame.addStar(20, 20, 200);
    frame.set(1, 1, 255);
    use(frame);
    centroid.setHotPoint({2, 2});
    centroid.setIsNewSkip(true);
    centroid.starCentroid({});
    EXPECT_EQ(centroid.skipRect(), (GuideRect{-1, -1, 5, 5}));
    centroid.setIsNewSkip(false);
    centroid.setDoHotPixel(true);
    EXPECT_FLOAT_EQ(centroid.starCentroid({20, 20}).x, 20.0f);
    EXPECT_FLOAT_EQ(centroid.starCentroid({39, 39}).y, 20.0f);
    EXPECT_FLOAT_EQ(centroid.starCentroid({}).x, 20.0f);
}

TEST_F(StarCentroidTest, ABlackFrameHasNoStar)
{
    TestFrame frame(100, 100, 0);
    use(frame);
    EXPECT_TRUE(centroid.starCentroid({}).isZero());
    // An all-dark hot-pixel square marks the clicked pixel itself.
    centroid.setHotPoint({30, 40});
    centroid.setIsNewSkip(true);
    centroid.starCentroid({});
    EXPECT_EQ(centroid.skipRect(), (GuideRect{28, 38, 5, 5}));
}

// A camera whose reported size is not the whole pixel count of its buffer.
class OddSizeFrame final : public FocusImage {
public:
    OddSizeFrame(TestFrame& frame, float width, float height) : m_frame(frame), m_width(width), m_height(height) {}
    const std::uint8_t* focusBuff() const override { return m_frame.focusBuff(); }
    float width() const override { return m_width; }
    float height() const override { return m_height; }
    bool hasFocusImage() const override { return m_frame.hasFocusImage(); }
    void setHasFocusImage(bool fresh) override { m_frame.setHasFocusImage(fresh); }

private:
    TestFrame& m_frame;
    float m_width;
    float m_height;
};

TEST_F(StarCentroidTest, FractionalSizesAreTruncatedAndUnusableSizesReadNothing)
{
    TestFrame frame(100, 80, 10);
    frame.addStar(50, 40, 200);
    OddSizeFrame fractional(frame, 100.9f, 80.5f);
    centroid.setFrameSource(&fractional);
    centroid.setGuideBuff(true);
    centroid.starCentroid({});
    EXPECT_FLOAT_EQ(centroid.starCentroid({50, 40}).x, 50.0f);

    for (const float bad : {std::numeric_limits<float>::quiet_NaN(), -1.0f, 1e12f}) {
        OddSizeFrame broken(frame, bad, 80);
        centroid.setFrameSource(&broken);
        centroid.setGuideBuff(true);
        centroid.starCentroid({});
        EXPECT_TRUE(centroid.starCentroid({50, 40}).isZero()) << bad;
        EXPECT_TRUE(centroid.starCentroid({}).isZero()) << bad;
    }
}

}  // namespace
