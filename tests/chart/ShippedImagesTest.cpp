// The shipped images as the chart uses them: sized as its drawing offsets
// assume, white where a tint must give exactly its colour.
#include "chart/painting/ChartImageSet.h"
#include "chart/painting/ChartSky.h"
#include "chart/painting/MythFigurePainter.h"
#include "model/catalogue/ConstellationLabels.h"
#include "model/SkyCoordinates.h"
#include "platform/DataPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QString>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr double kDegree = 0.0174532925199433;

QString imagePath(const QString& name) { return DataPaths::bundleResourcesFolder() + "/ImageF/" + name; }
QString shippedPath(const QString& relative) { return DataPaths::bundleDataFolder() + "/" + relative; }

QImage loadImage(const QString& path)
{
    QImage image(path);
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32);
}

int opacitySum(const QImage& image)
{
    int sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += qAlpha(image.pixel(x, y));
    return sum;
}

// Every pixel that shows at all has the given colour.
::testing::AssertionResult paintedIn(const QImage& image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const QRgb pixel = image.pixel(x, y); qAlpha(pixel) > 0 && (pixel & 0xFFFFFF) != (colour & 0xFFFFFF))
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex << pixel;
    return ::testing::AssertionSuccess();
}

TEST(ShippedImages, StarSpritesAreWhiteAndGrowWithTheBrightnessClass)
{
    // Square, drawn about the star's point: class 0 as one pixel, classes 3-4 at (x-1, y-1), and so on.
    const std::pair<const char*, int> sprites[] = {
        {"Star1VF.png", 1}, {"Star1F.png", 1}, {"Star1.png", 1},   {"Star3F.png", 3},   {"Star3.png", 3},
        {"Star5F.png", 5},  {"Star5.png", 5},  {"Star7F.png", 7},  {"Star7.png", 7},    {"Star9F.png", 9},
        {"Star9.png", 9},   {"Star11F.png", 11}, {"Star11.png", 11}, {"Star11B.png", 11},
    };
    int previous = 0;
    for (const auto& [file, size] : sprites) {
        SCOPED_TRACE(file);
        const QImage image = loadImage(imagePath(file));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_TRUE(paintedIn(image, qRgb(255, 255, 255)));
        EXPECT_GT(qAlpha(image.pixel(size / 2, size / 2)), 0);
        EXPECT_GT(opacitySum(image), previous);
        previous = opacitySum(image);
    }
}

TEST(ShippedImages, PrintSpritesAreBlackDiscsAsWideAsTheirNumber)
{
    for (int size = 1; size <= 27; size += 2) {
        const QString name = QString("StarP%1.png").arg(size);
        SCOPED_TRACE(name.toStdString());
        const QImage image = loadImage(imagePath(name));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_TRUE(paintedIn(image, qRgb(0, 0, 0)));
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
        if (size >= 5) {
            EXPECT_LT(qAlpha(image.pixel(0, 0)), 64);  // round, not square
        }
    }
}

TEST(ShippedImages, SymbolsHaveTheSizesTheirOffsetsAssumeAndTheirColours)
{
    struct Symbol {
        const char* file;
        int width;
        int height;
        QRgb colour;
    };
    const QRgb white = qRgb(255, 255, 255);
    const QRgb black = qRgb(0, 0, 0);
    // Deep-sky symbols at (x-4, y-4), the open cluster at (x-4.5, y-4.5); comets at
    // (x-3, y-5), minor planets at (x-5, y-3): each centred half a pixel from the point,
    // as the star sprites are. The tinted ones are white; paper symbols black.
    const Symbol symbols[] = {
        {"Galaxy.png", 9, 9, white},          {"GlobulaCluster.png", 9, 9, white},
        {"Nebula.png", 9, 9, white},          {"OpenCluster.png", 10, 10, white},
        {"Other.png", 9, 9, white},           {"Comet.png", 7, 11, white},
        {"MinorPlanet.png", 11, 7, white},    {"AstOrb.png", 11, 7, white},
        {"NEO.png", 11, 7, white},            {"AstOrbYellow.png", 11, 7, qRgb(255, 215, 0)},
        {"GalaxyP.png", 9, 9, black},         {"GlobulaClusterP.png", 9, 9, black},
        {"NebulaP.png", 9, 9, black},         {"OpenClusterP.png", 10, 10, black},
        {"CometP.png", 7, 11, black},         {"MinorPlanetP.png", 11, 7, black},
        {"NEOP.png", 11, 7, black},           {"AstOrbP.png", 11, 7, black},
    };
    for (const Symbol& symbol : symbols) {
        SCOPED_TRACE(symbol.file);
        const QImage image = loadImage(imagePath(symbol.file));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(symbol.width, symbol.height));
        EXPECT_TRUE(paintedIn(image, symbol.colour));
        EXPECT_GT(opacitySum(image), 255 * 6);
    }
}

TEST(ShippedImages, MarksAndCursorsAreCentredOnTheirHotSpots)
{
    for (const char* name : {"MarkSymbol.png", "NVMarkSymbol.png"}) {
        SCOPED_TRACE(name);
        const QImage mark = loadImage(imagePath(name));
        ASSERT_FALSE(mark.isNull());
        EXPECT_EQ(mark.size(), QSize(21, 21));  // drawn at (x-10, y-10)
        EXPECT_EQ(qAlpha(mark.pixel(10, 10)), 0);  // a ring: the object stays visible
        EXPECT_GT(qAlpha(mark.pixel(10, 3)), 128);
    }
    EXPECT_GT(qRed(loadImage(imagePath("NVMarkSymbol.png")).pixel(10, 3)),
              qGreen(loadImage(imagePath("NVMarkSymbol.png")).pixel(10, 3)));

    for (const char* name : {"TargetCursor.png", "NVTargetCursor.png"}) {
        SCOPED_TRACE(name);
        const QImage cursor = loadImage(imagePath(name));
        ASSERT_FALSE(cursor.isNull());
        EXPECT_EQ(cursor.size(), QSize(17, 17));
        EXPECT_GT(qAlpha(cursor.pixel(8, 8)), 128);  // hot spot (8, 8)
        EXPECT_GT(qAlpha(cursor.pixel(8, 2)), 128);
        EXPECT_GT(qAlpha(cursor.pixel(14, 8)), 128);
    }
    const QImage angle = loadImage(imagePath("AngleSepCursor.png"));
    ASSERT_FALSE(angle.isNull());
    EXPECT_EQ(angle.size(), QSize(16, 16));
    EXPECT_GT(qGray(angle.pixel(0, 14)), 200);  // hot spot (0, 14): the angle's vertex
    EXPECT_GE(qAlpha(angle.pixel(0, 14)), 240);
    EXPECT_EQ(angle.pixel(12, 14), qRgb(255, 255, 255));
}

TEST(ShippedImages, SplashIsAJpegPicture)
{
    QImageReader splash(imagePath("AntiqueMapComp.jpg"));
    splash.setDecideFormatFromContent(true);
    EXPECT_EQ(splash.format(), "jpeg");
    EXPECT_EQ(splash.read().size(), QSize(1024, 768));
}

TEST(ShippedImages, EveryFigureIsATransparentWhiteDrawing)
{
    const QDir folder(shippedPath("Mythology"));
    const QStringList files = folder.entryList({"*Myth.png"}, QDir::Files);
    EXPECT_EQ(files.size(), ChartImageSet::kNumFigures);
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QImage image = loadImage(folder.filePath(name));
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(image.hasAlphaChannel());
        EXPECT_TRUE(paintedIn(image, qRgb(255, 255, 255)));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_GT(opacitySum(image), 255 * 1000);
    }
    // They are the files the chart looks for.
    ChartImageSet images(QString(), folder.path() + "/");
    images.recolorMythForms(Qt::white);
    for (int k = 0; k < ChartImageSet::kNumFigures; ++k)
        EXPECT_FALSE(images.figure(k).isNull()) << k;
}

TEST(ShippedImages, FiguresPlacedAsTheChartPlacesThemCoverTheirStars)
{
    // Bright stars (J2000, Hipparcos, degrees) that lie on each drawing.
    const std::pair<const char*, std::vector<std::pair<double, double>>> figures[] = {
        {"ORION",
         {{88.79293899, 7.40706274},     // Betelgeuse
          {78.63446353, -8.20163919},    // Rigel
          {81.28276356, 6.34970326},     // Bellatrix
          {86.93912023, -9.66960478},    // Saiph
          {85.18969, -1.94257},          // Alnitak
          {88.59576026, 20.27617455}}},  // chi1 Ori, at the club
        {"ANDROMEDA",
         {{17.43302, 35.62056},         // Mirach
          {30.97480447, 42.32972473},   // Almach
          {9.83198236, 30.86102393}}},  // delta And
        {"HERCULES",
         {{250.32150, 31.60272},    // zeta Her
          {247.55500, 21.48961},    // beta Her
          {258.76181, 36.80916},    // pi Her
          {250.72402, 38.92225},    // eta Her
          {266.61482, 27.72068}}},  // mu Her
    };
    std::vector<conLocn> labels = ConstellationLabels::create();
    ChartImageSet images(QString(), shippedPath("Mythology/"));
    images.recolorMythForms(Qt::white);
    for (const auto& [key, stars] : figures) {
        SCOPED_TRACE(key);
        int index = 0;
        while (index < int(labels.size()) && std::strcmp(ConstellationLabels::kEntries[index].key, key) != 0)
            ++index;
        ASSERT_LT(index, int(labels.size()));
        const MythFigurePainter::Row* row = MythFigurePainter::rowOf(index);
        ASSERT_NE(row, nullptr);
        const QImage image = images.figure(row->figure).convertToFormat(QImage::Format_ARGB32);

        // A chart centred on the label, for a site where it stands high.
        const double ra = ConstellationLabels::kEntries[index].raHours * 15.0 * kDegree;
        const double dec = ConstellationLabels::kEntries[index].decDeg * kDegree;
        ChartSky sky;
        sky.site = {40.0 * kDegree, ra + 0.7};
        const auto chartPoint = [&](double r, double d) {
            double az = 0.0;
            double alt = 0.0;
            SkyCoordinates::CalculateAzFromRA(r, d, sky.site, &az, &alt);
            return SkyCoordinates::CalculateAzPoint(az, alt, sky.view);
        };
        double az = 0.0;
        double alt = 0.0;
        SkyCoordinates::CalculateAzFromRA(ra, dec, sky.site, &az, &alt);
        sky.view = {alt / kDegree, az / kDegree, 900.0, 1400.0f, 1000.0f};
        labels[std::size_t(index)].screenPt = chartPoint(ra, dec);
        const auto placed = MythFigurePainter::place(index, labels[std::size_t(index)], image.size(), sky);
        ASSERT_TRUE(placed);

        const double scale = placed->rect.width() / image.width();
        for (const auto& [raDeg, decDeg] : stars) {
            SCOPED_TRACE(raDeg);
            const FloatPoint star = chartPoint(raDeg * kDegree, decDeg * kDegree);
            // Image rows run downwards; the most opaque pixel within two of the star's place.
            const QPointF local = placed->transform.inverted().map(QPointF(star.x, star.y));
            const int column = int(std::floor((local.x() - placed->rect.left()) / scale));
            const int row = int(std::floor((placed->rect.bottom() - local.y()) / scale));
            int opacity = 0;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (image.valid(column + dx, row + dy))
                        opacity = std::max(opacity, qAlpha(image.pixel(column + dx, row + dy)));
            EXPECT_GE(opacity, 48);
        }
    }
}

TEST(ShippedImages, EveryPhotographIsNamedAfterACataloguedObject)
{
    QFile catalogue(shippedPath("Build Data/BuildDeepSky.txt"));
    ASSERT_TRUE(catalogue.open(QIODevice::ReadOnly));
    QSet<QString> lookupNames;
    catalogue.readLine();
    while (!catalogue.atEnd()) {
        const QStringList fields = QString::fromLatin1(catalogue.readLine()).split('\t');
        ASSERT_GE(fields.size(), 3);
        // The first name the chart tries that the record has: designation, Messier, common name.
        for (int k = 0; k < 3; ++k) {
            if (!fields[k].trimmed().isEmpty()) {
                lookupNames.insert(fields[k] + ".jpg");
                break;
            }
        }
    }

    const QDir folder(shippedPath("StockPhotos"));
    const QStringList photos = folder.entryList({"*.jpg"}, QDir::Files);
    EXPECT_GE(photos.size(), 250);
    for (const QString& name : photos) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(lookupNames.contains(name));
        const QImage photo(folder.filePath(name));
        ASSERT_FALSE(photo.isNull());
        EXPECT_EQ(photo.width(), photo.height());
        EXPECT_LE(photo.width(), 512);
    }
    EXPECT_TRUE(photos.contains("NGC 224.jpg"));   // M31
    EXPECT_TRUE(photos.contains("Mel 22.jpg"));    // M45, the Pleiades
    EXPECT_TRUE(photos.contains("NGC 1976.jpg"));  // M42
}

}  // namespace
