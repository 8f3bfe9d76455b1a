#include "PrefsFixture.h"

#include "prefs/FontPrefControl.h"
#include "prefs/PrefLocalization.h"
#include "prefs/StarPreview.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QFontDialog>
#include <QLabel>

namespace {

QColor textColor(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

class FontPrefControlTest : public ::testing::Test {
protected:
    FontPrefControlTest() : prefs(gamma)
    {
        prefs.restoreDefaultPrefs();
        fonts.setupFontsAndColors();
    }

    NoGamma gamma;
    PrefControl prefs;
    PrefLocalization texts;
    FontPrefControl fonts{prefs, texts};
};

TEST_F(FontPrefControlTest, APrintKindShowsItsOwnFontInWhite)
{
    fonts.fontAction(11);  // kind 12, star names in print
    EXPECT_EQ(fonts.fontPanel()->currentFont().pointSize(), prefs.starPrintFont().pointSize());
    EXPECT_EQ(textColor(fonts.exampleText()), QColor(Qt::white));
    fonts.fontAction(2);
    // The colour panel keeps 8 bits a channel.
    EXPECT_EQ(fonts.colorPanel()->currentColor().rgba(), prefs.starNameColor().rgba());
    EXPECT_EQ(textColor(fonts.exampleText()).rgba(), prefs.starNameColor().rgba());
}

TEST_F(FontPrefControlTest, SaveFontStoresFontAndColourButOnlyTheFontForPrint)
{
    const QFont chosen(QStringLiteral("Lucida Grande"), 17);
    fonts.fontAction(2);
    fonts.fontPanel()->setCurrentFont(chosen);
    fonts.colorPanel()->setCurrentColor(QColor(10, 200, 30));
    fonts.previewFont();
    EXPECT_EQ(prefs.starNameFont().pointSize(), 17);
    EXPECT_EQ(prefs.starNameColor(), QColor(10, 200, 30));

    fonts.fontAction(11);
    fonts.fontPanel()->setCurrentFont(chosen);
    const QColor starName = prefs.starNameColor();
    fonts.colorPanel()->setCurrentColor(Qt::magenta);
    fonts.previewFont();
    EXPECT_EQ(prefs.starPrintFont().pointSize(), 17);
    EXPECT_EQ(prefs.starNameColor(), starName);
    EXPECT_EQ(textColor(fonts.exampleText()), QColor(Qt::white));

    fonts.fontAction(2);
    fonts.revertFontAction();
    fonts.fontAction(11);
    fonts.revertFontAction();
    EXPECT_NE(prefs.starPrintFont().pointSize(), 17);
}

TEST_F(FontPrefControlTest, TheGridLabelRowShowsAndSavesItsOwnColourNotTheGridLines)
{
    prefs.saveColor(3, QColor(200, 10, 10));  // the grid lines
    prefs.saveFont(6, prefs.gridLabelFont(), QColor(10, 10, 200));
    fonts.fontAction(5);  // kind 6, the grid labels
    EXPECT_EQ(fonts.colorPanel()->currentColor().rgb(), QColor(10, 10, 200).rgb());
    EXPECT_EQ(textColor(fonts.exampleText()).rgb(), QColor(10, 10, 200).rgb());
    // Saving only the font keeps both colours.
    fonts.fontPanel()->setCurrentFont(QFont(QStringLiteral("Lucida Grande"), 15));
    fonts.previewFont();
    EXPECT_EQ(prefs.gridLabelColor().rgb(), QColor(10, 10, 200).rgb());
    EXPECT_EQ(prefs.gridLinesColor().rgb(), QColor(200, 10, 10).rgb());
}

TEST_F(FontPrefControlTest, AStoredFontNameTheSystemLacksIsKeptWhenSavedUnchanged)
{
    prefs.saveFont(3, QFont(QStringLiteral("Geneva"), 11), Qt::yellow);
    fonts.fontAction(2);
    fonts.previewFont();
    EXPECT_EQ(prefs.starNameFont().family(), "Geneva");
    fonts.revertFontAction();
}

TEST_F(FontPrefControlTest, RevertingTheFigureColourRecoloursTheFigures)
{
    fonts.colorAction(FontPrefControl::kMythColor);
    fonts.colorPanel()->setCurrentColor(QColor(1, 2, 3, 128));
    fonts.previewColor();
    EXPECT_EQ(prefs.mythColor(), QColor(1, 2, 3, 128));
    prefs.setIsMythColor(false);
    fonts.revertColorAction();
    EXPECT_TRUE(prefs.isMythColor());
    EXPECT_NE(prefs.mythColor(), QColor(1, 2, 3, 128));
    EXPECT_EQ(textColor(fonts.exampleColor()), prefs.mythColor());
    EXPECT_TRUE(fonts.colorPanel()->testOption(QColorDialog::ShowAlphaChannel));
}

TEST_F(FontPrefControlTest, ClosingTheWindowHidesBothPanels)
{
    QWidget window;
    window.installEventFilter(&fonts);
    window.show();
    fonts.changeFontAction();
    fonts.changeColorAction();
    EXPECT_TRUE(fonts.fontPanel()->isVisible());
    EXPECT_FALSE(fonts.fontPanel()->isModal());
    window.close();
    EXPECT_FALSE(fonts.fontPanel()->isVisible());
    EXPECT_FALSE(fonts.colorPanel()->isVisible());
}

// Fourteen white star images of growing size, image k being k + 1 pixels wide.
ChartImageSet::StarSet starImages()
{
    ChartImageSet::StarSet set;
    for (int k = 0; k < ChartImageSet::kNumStarClasses; ++k) {
        set[size_t(k)] = QImage(k + 1, k + 1, QImage::Format_ARGB32_Premultiplied);
        set[size_t(k)].fill(Qt::white);
    }
    return set;
}

TEST(StarPreview, DrawsTheStarsWithinTheLimitAtTheirPlaces)
{
    NoGamma gamma;
    PrefControl prefs(gamma);
    const ChartImageSet::StarSet white = starImages();
    StarPreview preview(prefs);
    preview.setStarArray([&white] { return &white; });
    preview.createArrays();
    preview.setStarMagLimit(3.0);
    preview.setStarShift(0.0);
    preview.setStarBright(1.0);
    preview.setStarColor(0.5);
    preview.recolorStarArrays();

    std::vector<StarPreview::Sample> drawn = preview.samples();
    ASSERT_EQ(drawn.size(), 8u);
    EXPECT_EQ(drawn.front().star, 6);
    EXPECT_EQ(drawn.back().star, 13);
    EXPECT_EQ(drawn.back().image, 13);
    EXPECT_EQ(drawn.back().point, QPoint(161, 12));

    preview.setStarMagLimit(6.0);
    drawn = preview.samples();
    ASSERT_EQ(drawn.size(), 14u);
    EXPECT_EQ(drawn.front().image, 0);
    EXPECT_EQ(drawn.front().point, QPoint(10, 17));
    EXPECT_EQ(drawn[3].tint, StarPreview::Tint::Red);
    EXPECT_EQ(drawn[11].tint, StarPreview::Tint::Orange);
    EXPECT_EQ(drawn[7].image, 7);
    EXPECT_EQ(drawn[7].point, QPoint(12 * 7 + 7, 14));

    // Half-strength red over white: the tint shows and the white set is untouched.
    const QColor red = preview.tinted(StarPreview::Tint::Red)[5].pixelColor(0, 0);
    EXPECT_EQ(red.red(), 255);
    EXPECT_LT(red.green(), 200);
    EXPECT_EQ(white[5].pixelColor(0, 0), QColor(Qt::white));
    preview.resize(preview.size());
    EXPECT_FALSE(preview.grab().isNull());
}

TEST(StarPreview, WithoutStarImagesDrawsNothingAndDoesNotFail)
{
    NoGamma gamma;
    PrefControl prefs(gamma);
    StarPreview preview(prefs);
    preview.createArrays();
    preview.recolorStarArrays();
    EXPECT_FALSE(preview.grab().isNull());
}

}  // namespace
