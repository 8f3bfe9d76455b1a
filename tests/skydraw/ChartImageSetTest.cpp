#include "skydraw/ChartImageSet.h"

#include "platform/DataPaths.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

QColor straight(const QImage& image, int x, int y)
{
    return image.convertToFormat(QImage::Format_ARGB32).pixelColor(x, y);
}

}  // namespace

TEST(ChartImageSet, ATintColoursOnlyTheOpaquePixels)
{
    QImage image(4, 1, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setPixelColor(0, 0, QColor(255, 255, 255, 255));
    image.setPixelColor(1, 0, QColor(255, 255, 255, 128));
    ChartImageSet::tint(image, QColor(200, 100, 0));
    EXPECT_EQ(straight(image, 0, 0), QColor(200, 100, 0));
    EXPECT_EQ(straight(image, 1, 0).alpha(), 128);
    EXPECT_NEAR(straight(image, 1, 0).red(), 200, 2);
    EXPECT_EQ(straight(image, 2, 0).alpha(), 0);
    // A later tint covers the earlier one.
    ChartImageSet::tint(image, QColor(0, 0, 255));
    EXPECT_EQ(straight(image, 0, 0), QColor(0, 0, 255));
}

TEST(ChartImageSet, ColourSetsAreTintedCopiesOfTheWhiteSprites)
{
    ChartImageSet images(DataPaths::bundleResourcesFolder() + "/ImageF/", QString());
    images.createStarArrays();
    images.recolorStarArrays(1.0);
    ASSERT_FALSE(images.starArray()[13].isNull());
    EXPECT_EQ(straight(images.starArray()[13], 5, 5), QColor(Qt::white));
    EXPECT_EQ(straight(images.starRedArray()[13], 5, 5), QColor(Qt::red));
    EXPECT_EQ(straight(images.starYellowArray()[13], 5, 5), QColor(Qt::yellow));
    EXPECT_EQ(straight(images.starBlueArray()[13], 5, 5), QColor(Qt::blue));
    EXPECT_EQ(straight(images.starOrangeArray()[13], 5, 5), QColor(255, 128, 0));
    EXPECT_EQ(images.starSetFor('W'), &images.starArray());
    EXPECT_EQ(images.starSetFor('G'), nullptr);

    // Half the opacity mixes the colour with white; recolouring starts from white again.
    images.recolorStarArrays(0.5);
    EXPECT_NEAR(straight(images.starBlueArray()[13], 5, 5).red(), 128, 1);
}

TEST(ChartImageSet, MissingFilesKeepTheirPlaceAndFiguresAreReadWhenFirstTinted)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage white(4, 4, QImage::Format_ARGB32);
    white.fill(Qt::white);
    for (const char* name : {"Star1VF.png", "Star5.png", "LeoMyth.png"})
        ASSERT_TRUE(white.save(folder.path() + "/" + name));
    ChartImageSet images(folder.path() + "/", folder.path() + "/");
    images.createStarArrays();
    images.createObjectSymbols();
    EXPECT_FALSE(images.starArray()[0].isNull());
    EXPECT_TRUE(images.starArray()[1].isNull());
    EXPECT_FALSE(images.starArray()[6].isNull());
    EXPECT_TRUE(images.symbol(ChartImageSet::Symbol::Galaxy).isNull());
    EXPECT_TRUE(images.figure(ChartImageSet::kLeo).isNull());

    images.recolorMythForms(Qt::red);
    EXPECT_EQ(straight(images.figure(ChartImageSet::kLeo), 1, 1), QColor(Qt::red));
    EXPECT_EQ(images.figureTiles(ChartImageSet::kLeo), std::vector<QRect>{QRect(0, 0, 4, 4)});
    EXPECT_TRUE(images.figure(ChartImageSet::kVirgo).isNull());
    EXPECT_TRUE(images.figureTiles(ChartImageSet::kVirgo).empty());
    ASSERT_NE(images.figureAlpha(ChartImageSet::kLeo), nullptr);
    EXPECT_EQ(images.figureAlpha(ChartImageSet::kLeo)->pixels[255], images.figure(ChartImageSet::kLeo).pixel(1, 1));
    EXPECT_EQ(images.figureAlpha(ChartImageSet::kVirgo), nullptr);
    images.recolorMythForms(Qt::green);
    EXPECT_EQ(straight(images.figure(ChartImageSet::kLeo), 1, 1), QColor(Qt::green));
    EXPECT_EQ(images.figureAlpha(ChartImageSet::kLeo)->pixels[255], images.figure(ChartImageSet::kLeo).pixel(1, 1));
}

TEST(ChartImageSet, FiguresAreDrawnOnlyWhereTheyHoldTheDrawing)
{
    QImage figure(130, 70, QImage::Format_ARGB32);
    figure.fill(Qt::transparent);
    figure.setPixelColor(100, 10, Qt::white);
    figure.setPixelColor(129, 69, QColor(255, 255, 255, 1));
    EXPECT_EQ(ChartImageSet::drawnTiles(figure), (std::vector<QRect>{QRect(96, 0, 32, 32), QRect(128, 64, 2, 6)}));
    EXPECT_TRUE(ChartImageSet::drawnTiles(QImage()).empty());
}

TEST(ChartImageSet, ThePrintSpritesAreReadWhenFirstAskedFor)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage dot(3, 3, QImage::Format_ARGB32);
    dot.fill(Qt::black);
    ChartImageSet images(folder.path() + "/", QString());
    images.createStarArrays();
    ASSERT_TRUE(dot.save(folder.path() + "/StarP1.png"));
    EXPECT_EQ(images.starPrintArray()[0].size(), QSize(3, 3));
    EXPECT_TRUE(images.starPrintArray()[1].isNull());
    EXPECT_TRUE(images.starArray()[0].isNull());
}

TEST(ChartImageSet, UntintedPicturesAreReadWhenFirstDrawnFromTheFileAsItThenIs)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString moon = folder.path() + "/MoonFull.png";
    QImage grey(8, 8, QImage::Format_ARGB32);
    grey.fill(QColor(90, 90, 90));
    ASSERT_TRUE(grey.save(folder.path() + "/Galaxy.png"));
    ChartImageSet images(folder.path() + "/", QString());
    EXPECT_TRUE(images.symbol(ChartImageSet::Symbol::MoonFull).isNull()) << "no symbols before they are created";

    images.createObjectSymbols();
    // Put in place after the symbols were created: only a read at first use finds them.
    ASSERT_TRUE(grey.save(moon));
    ASSERT_TRUE(grey.save(folder.path() + "/Mars.png"));
    ASSERT_TRUE(QFile::remove(folder.path() + "/Galaxy.png"));
    EXPECT_FALSE(images.symbol(ChartImageSet::Symbol::Galaxy).isNull()) << "tinted ones are read at once";
    EXPECT_FALSE(images.symbol(ChartImageSet::Symbol::Mars).isNull());
    EXPECT_TRUE(ChartImageSet::isTinted(ChartImageSet::Symbol::Other));
    EXPECT_FALSE(ChartImageSet::isTinted(ChartImageSet::Symbol::Mars));
    const QImage& first = images.symbol(ChartImageSet::Symbol::MoonFull);
    ASSERT_EQ(first.size(), QSize(8, 8));
    EXPECT_EQ(first.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(straight(first, 3, 3), QColor(90, 90, 90));

    // Read once: later draws reuse it.
    ASSERT_TRUE(QFile::remove(moon));
    EXPECT_FALSE(images.symbol(ChartImageSet::Symbol::MoonFull).isNull());
}
