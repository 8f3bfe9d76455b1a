#include "skydraw/PaintingFixture.h"

#include "chart/painting/StarLayerPainter.h"
#include "model/ObjectIndex.h"
#include "model/records/RecordConstants.h"
#include "platform/DataPaths.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/PrintMapping.h"
#include "skydraw/StarClasses.h"

#include <cstring>
#include <optional>
#include <span>
#include <vector>

namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 80;

star makeStar(std::uint32_t index, float x, float y, float mag, char color, const char* name = "")
{
    star s{};
    s.index = index;
    s.screenX = x;
    s.screenY = y;
    s.mag = mag;
    s.color = color;
    s.state = kStateOnScreen;
    std::strncpy(s.name, name, sizeof s.name - 1);
    return s;
}

// The shipped sprites and marks.
class StarLayerTest : public PaintingTest {
protected:
    void SetUp() override
    {
        PaintingTest::SetUp();
        images.createStarArrays();
        images.createObjectSymbols();
        images.recolorStarArrays(prefs().starColorVal());
    }
    QImage paint(const std::vector<star>& stars, float markAlpha = 1.0f,
                 std::optional<std::span<const std::uint32_t>> onScreen = std::nullopt)
    {
        ChartSky sky;
        sky.stars = stars;
        sky.starsOnScreen = onScreen;
        StarLayerPainter painter(prefs(), images);
        return render(kWidth, kHeight, [&](ChartCanvas& c) { painter.paint(c, sky, markAlpha); });
    }

    ChartImageSet images{DataPaths::bundleResourcesFolder() + "/ImageF/", QString()};
};

}  // namespace

TEST(StarClasses, BrightnessClassesFollowTheMagnitude)
{
    // With brightness 1 and no shift the value is the magnitude.
    EXPECT_EQ(StarClasses::screenClass(StarClasses::brightness(6.5f, 1.0, 0.0)), 0);
    EXPECT_EQ(StarClasses::screenClass(StarClasses::brightness(5.99f, 1.0, 0.0)), 1);
    EXPECT_EQ(StarClasses::screenClass(StarClasses::brightness(0.0f, 1.0, 0.0)), 12);
    EXPECT_EQ(StarClasses::screenClass(StarClasses::brightness(-1.5f, 1.0, 0.0)), 13);
    // The default brightness 0.75 pulls magnitudes toward 6.5; a shift brightens.
    EXPECT_FLOAT_EQ(StarClasses::brightness(2.5f, 0.75, 0.0), 3.5f);
    EXPECT_FLOAT_EQ(StarClasses::brightness(2.5f, 0.75, 1.0), 2.5f);

    EXPECT_EQ(StarClasses::paperClass(6.0f), 0);
    EXPECT_EQ(StarClasses::paperClass(-1.5f), 7);
    EXPECT_EQ(StarClasses::paperClass(-2.0f), 8);
}

TEST_F(StarLayerTest, FlagsFollowTheirSettingsInOrder)
{
    EXPECT_EQ(StarClasses::screenFlag(9, prefs()), nullptr);
    prefs().setIsGeminiAC(true);
    prefs().setIsMeadeAC(true);
    prefs().setIsNexStarAC(true);
    EXPECT_STREQ(StarClasses::screenFlag(9, prefs()), "(G)");
    EXPECT_STREQ(StarClasses::screenFlag(12, prefs()), "(M)");
    EXPECT_STREQ(StarClasses::screenFlag(8, prefs()), "(N)");
    EXPECT_STREQ(StarClasses::screenFlag(13, prefs()), "(C)");
    EXPECT_EQ(StarClasses::screenFlag(5, prefs()), nullptr);
    prefs().setIsStarDouble(true);
    prefs().setIsStarVariable(true);
    EXPECT_STREQ(StarClasses::screenFlag(5, prefs()), "(D)");
    EXPECT_STREQ(StarClasses::screenFlag(3, prefs()), "(V)");
    EXPECT_STREQ(StarClasses::paperFlag(5, prefs()), "(D)");
    // Paper shows no alignment stars.
    EXPECT_EQ(StarClasses::paperFlag(9, prefs()), nullptr);
    EXPECT_EQ(StarClasses::paperFlag(13, prefs()), nullptr);
}

TEST(StarClasses, DesignationsAreNotWritten)
{
    for (const char* name : {"Sirius", "Hadar", "Hamal", "Homam"}) {
        char field[16] = {};
        std::strncpy(field, name, 15);
        EXPECT_TRUE(StarClasses::isNameShown(field, 16)) << name;
    }
    for (const char* name : {"HR 2491", "HD 12345", "HIP 1", "BD+12 345", "CD-45 1", " ", ""}) {
        char field[16] = {};
        std::strncpy(field, name, 15);
        EXPECT_FALSE(StarClasses::isNameShown(field, 16)) << name;
    }
}

TEST_F(StarLayerTest, AStarLightsItsClassSpriteAtItsPoint)
{
    // Magnitude -2 at brightness 0.75: v = 0.125, class 12, the 11-point
    // sprite with its lower-left corner 5 points left of and below the star.
    const QImage image = paint({makeStar(0, 40.0f, 30.0f, -2.0f, 'W')});
    const QImage sprite = images.starArray()[12].convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(sprite.size(), QSize(11, 11));
    int lit = 0;
    for (int row = 0; row < 11; ++row) {
        for (int column = 0; column < 11; ++column) {
            // Sprite row 0 is its top, at chart y 30 - 5 + 10.
            const QColor drawn = at(image, 35 + column, 35 - row);
            const QColor expected = sprite.pixelColor(column, row);
            EXPECT_NEAR(drawn.red(), expected.red() * expected.alphaF(), 1.0) << column << "," << row;
            lit += drawn.red() > 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(inkCount(image), lit);
    EXPECT_EQ(at(image, 40, 30), QColor(Qt::white));
}

TEST_F(StarLayerTest, TheFaintestClassesAreSinglePixelsAndStarsTakeTheirColourSet)
{
    const QImage image = paint({makeStar(0, 10.0f, 10.0f, 8.0f, 'W'), makeStar(1, 20.4f, 9.6f, 6.5f, 'W'),
                                makeStar(2, 40.0f, 60.0f, 1.0f, 'R'), makeStar(3, 80.0f, 60.0f, 1.0f, 'B')});
    EXPECT_GT(at(image, 10, 10).red(), 0);
    EXPECT_GT(at(image, 20, 10).red(), 0);
    EXPECT_EQ(inkCount(image.copy(0, 60, 30, 20)), 2);
    // At the default colour opacity 0.25 the tint mixes with white.
    EXPECT_TRUE(isNear(at(image, 40, 60), QColor(255, 191, 191), 2));
    EXPECT_GT(at(image, 80, 60).blue(), at(image, 80, 60).red());
}

TEST_F(StarLayerTest, AnUnknownColourOrAStarOffScreenDrawsNoSprite)
{
    const star unknown = makeStar(7, 50.0f, 40.0f, 1.0f, 'X');
    star hidden = makeStar(0, 40.0f, 40.0f, 1.0f, 'W');
    hidden.state = kStateOffView;
    EXPECT_EQ(inkCount(paint({unknown, hidden})), 0);

    // The find mark stays: its ring, 21 points across, centred on the star.
    prefs().setFindIndex(kStarIndexBase + 7);
    const QImage marked = paint({unknown});
    EXPECT_GT(inkCount(marked), 20);
    EXPECT_EQ(at(marked, 50, 40), QColor(Qt::black));
    EXPECT_NE(at(marked, 50, 47), QColor(Qt::black));
    EXPECT_LT(at(paint({unknown}, 0.25f), 50, 47).green(), at(marked, 50, 47).green());

    // Without anti-aliasing every star is a white dot.
    prefs().setIsStarAntiAlias(false);
    const QImage dots = paint({makeStar(0, 40.0f, 40.0f, 1.0f, 'R'), unknown});
    EXPECT_EQ(at(dots, 40, 40), QColor(Qt::white));
    EXPECT_EQ(at(dots, 50, 40), QColor(Qt::white));
}

TEST_F(StarLayerTest, NamesAreWrittenRightOfTheStar)
{
    prefs().setIsStarNames();
    const QImage named = paint({makeStar(0, 20.0f, 40.0f, 5.0f, 'X', "Vega")});
    const QImage designated = paint({makeStar(0, 20.0f, 40.0f, 5.0f, 'X', "HR 7001")});
    EXPECT_EQ(inkCount(designated), 0);
    // Class 2 at magnitude 5: the name starts 7 points right of the star.
    int leftmost = kWidth;
    for (int x = 0; x < kWidth; ++x)
        for (int y = 0; y < kHeight; ++y)
            if (at(named, x, y) != QColor(Qt::black))
                leftmost = std::min(leftmost, x);
    EXPECT_GE(leftmost, 20 - 1 + 7);
    EXPECT_LE(leftmost, 20 - 1 + 7 + 3);
}

TEST_F(StarLayerTest, TheSimulatedStarIsAYellowSquare)
{
    star sim = makeStar(0, 50.0f, 40.0f, 3.0f, 'W');
    ChartSky sky;
    sky.simStar = &sim;
    StarLayerPainter painter(prefs(), images);
    const QImage image = render(kWidth, kHeight, [&](ChartCanvas& c) {
        c.setAntialiasing(true);
        painter.paint(c, sky, 1.0f);
    });
    // A one-point line along the square's top edge, three quarters opaque,
    // shared by the two pixel rows it straddles.
    const QColor edge = at(image, 50, 44);
    EXPECT_GT(edge.red(), 80);
    EXPECT_EQ(edge.red(), edge.green());
    EXPECT_EQ(edge.blue(), 0);
    EXPECT_EQ(at(image, 50, 40), QColor(Qt::black));
}

TEST_F(StarLayerTest, OnPaperStarsAreBlackDotsByThePaperClasses)
{
    // Magnitude -4.5 at brightness 0.75: v = -1.75, class 8, a 17-point dot.
    const std::vector<star> stars = {makeStar(0, 30.0f, 30.0f, -4.5f, 'W'), makeStar(1, 90.0f, 30.0f, 6.0f, 'W')};
    ChartSky sky;
    sky.stars = stars;
    StarLayerPainter painter(prefs(), images);
    const QImage image = render(
        kWidth, kHeight, [&](ChartCanvas& c) { painter.print(c, sky, PrintMapping{1.0, 0.0, 0.0}); }, Qt::white);
    int across = 0;
    for (int x = 0; x < kWidth / 2; ++x)
        across += at(image, x, 30).black() > 128 ? 1 : 0;
    EXPECT_NEAR(across, 17, 1);
    // A class-0 star is a single point.
    EXPECT_GT(at(image, 90, 30).black(), 128);
    EXPECT_LT(at(image, 91, 30).black(), 64);
}

// With the projection's list of the stars on screen only those are read, in
// its order, as a look at every record would find them; a position the
// table does not hold, or a record no longer on screen, draws nothing.
TEST_F(StarLayerTest, TheListOfStarsOnScreenDrawsWhatEveryRecordsStateShows)
{
    if (!prefs().isStarNames())
        prefs().setIsStarNames();
    std::vector<star> stars = {makeStar(1, 20.0f, 20.0f, 1.0f, 'W', "Vega"), makeStar(2, 60.0f, 40.0f, 3.0f, 'B'),
                               makeStar(3, 90.0f, 60.0f, 2.0f, 'R', "Mira"), makeStar(4, 40.0f, 60.0f, 4.0f, 'Y')};
    stars[1].state = kStateOffView;
    const QImage everyRecord = paint(stars);
    const std::vector<std::uint32_t> listed = {0, 2, 3};
    EXPECT_EQ(paint(stars, 1.0f, std::span<const std::uint32_t>(listed)), everyRecord);
    EXPECT_GT(inkCount(everyRecord), 0);
    // Left out of the list: not drawn, though its record says on screen.
    const std::vector<std::uint32_t> withoutMira = {0, 3};
    stars[2].state = kStateOffView;
    const QImage noMira = paint(stars);
    stars[2].state = kStateOnScreen;
    EXPECT_EQ(paint(stars, 1.0f, std::span<const std::uint32_t>(withoutMira)), noMira);
    const std::vector<std::uint32_t> stale = {0, 1, 3, 7};
    EXPECT_EQ(paint(stars, 1.0f, std::span<const std::uint32_t>(stale)), noMira);
}
