// The shipped figures as the chart places them (the converters check each
// image's size and colours as they write it).
#include "chart/painting/MythFigurePainter.h"
#include "model/SkyCoordinates.h"
#include "model/catalogue/ConstellationLabels.h"
#include "platform/DataPaths.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/ChartSky.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr double kDegree = 0.0174532925199433;

QString shippedPath(const QString& relative) { return DataPaths::bundleDataFolder() + "/" + relative; }

TEST(ShippedImages, EveryFigureIsAFileTheChartLooksFor)
{
    ChartImageSet images(QString(), shippedPath("Mythology/"));
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

TEST(ShippedImages, PhotographedObjectsHaveScreenAndPaperOutlinesOfThePhotographsSize)
{
    for (const char* designation : {"NGC 224", "NGC 1976", "NGC 7000", "IC 434"}) {
        SCOPED_TRACE(designation);
        const QImage photo(shippedPath(QString("StockPhotos/%1.jpg").arg(designation)));
        const QImage screen(shippedPath(QString("StockPhotos/Outlines/%1.png").arg(designation)));
        const QImage paper(shippedPath(QString("StockPhotos/Outlines/%1P.png").arg(designation)));
        ASSERT_FALSE(photo.isNull());
        ASSERT_FALSE(screen.isNull());
        ASSERT_FALSE(paper.isNull());
        EXPECT_EQ(screen.size(), photo.size());
        EXPECT_EQ(paper.size(), photo.size());
        // Light lines on a clear ground for the screen, black on white for paper.
        EXPECT_TRUE(screen.hasAlphaChannel());
        EXPECT_EQ(qAlpha(screen.pixel(0, 0)), 0);
        EXPECT_FALSE(paper.hasAlphaChannel());
    }
}

TEST(ShippedImages, TheReadoutTilesDragImageCentresOnThePointer)
{
    const QImage drag(DataPaths::bundleResourcesFolder() + "/ImageF/InfoDragImage.png");
    ASSERT_FALSE(drag.isNull());
    // The drag puts the pointer 24 points in and 11 up from the lower-left corner.
    EXPECT_EQ(drag.size(), QSize(48, 22));
    EXPECT_GT(qAlpha(drag.pixel(24, 11)), 100);
}

}  // namespace
