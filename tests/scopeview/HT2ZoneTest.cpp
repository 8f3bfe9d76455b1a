#include "scopeview/HT2FieldWindows.h"
#include "scopeview/HT2StarLayer.h"
#include "scopeview/HT2ZoneIndex.h"
#include "scopeview/HT2ZoneStars.h"
#include "scopeview/SVProjection.h"

#include "model/ObjectIndex.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartImageSet.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cmath>

namespace {

constexpr double kIdentity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
constexpr int kSize = 800;

// Thirty zone files in a temporary folder; each test writes the ones it reads.
class HT2Zones : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        for (int zone = 0; zone < HT2ZoneIndex::kNumZones; ++zone)
            m_files.append(m_folder.filePath(QString("zone%1.txt").arg(zone)));
        m_stars.reserve(HT2StarLayer::kCapacity);
    }

    void writeZone(int zone, const QByteArray& text)
    {
        QFile file(m_files[zone]);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // Hands `draw` the layer for a field of `fov` degrees about (ra0, dec0) in degrees, J2000 = date.
    template <class Draw>
    void withLayer(double fov, double ra0, double dec0, const ChartImageSet* images, Draw draw)
    {
        const SVAngles angles = SVAngles::calculate(fov, kSize);
        const SVProjection projection(angles, ra0 * Angles::kDegToRad, dec0 * Angles::kDegToRad,
                                      std::to_array(kIdentity));
        QPainter painter(&m_image);
        ChartCanvas canvas(painter, kSize);
        HT2ZoneIndex index(m_files);
        HT2StarLayer layer(index, projection, canvas, images, m_settings, m_stars);
        draw(layer, index, angles);
    }

    void drawBand(int zone, double ra0, double dec0, double start1, double end1, bool wrapped = false,
                  double start2 = 0.0, double end2 = 0.0, const ChartImageSet* images = nullptr)
    {
        const auto z = static_cast<unsigned short>(zone);
        withLayer(1.0, ra0, dec0, images, [&](HT2StarLayer& layer, HT2ZoneIndex& index, const SVAngles&) {
            layer.drawHT2Stars(z, start1, end1, wrapped, start2, end2, index.GetHT2Offset(z, wrapped ? 0.0 : start1));
        });
    }

    std::vector<float> recordedMags() const
    {
        std::vector<float> mags;
        for (const ht2Star& s : m_stars)
            mags.push_back(s.mag);
        return mags;
    }

    QTemporaryDir m_folder;
    QStringList m_files;
    HT2StarLayer::Settings m_settings;
    std::vector<ht2Star> m_stars;
    QImage m_image{kSize, kSize, QImage::Format_ARGB32_Premultiplied};
};

}  // namespace

TEST(HT2ZoneIndexBuild, BucketsStartAtTheFirstLineReachingThem)
{
    // Line starts: 0 (RA 5), 10 (RA 10), 21 (RA 25), 32 (RA 345).
    const std::string text = "9.0\t5.0\t1\n9.0\t10.0\t1\n9.0\t25.0\t1\n9.0\t345.\t1\n";
    const HT2ZoneIndex::Offsets o = HT2ZoneIndex::build(text);
    EXPECT_EQ(o[1], 10u);
    EXPECT_EQ(o[2], 21u);
    EXPECT_EQ(o[3], 32u);
    EXPECT_EQ(o[34], 32u);
    EXPECT_EQ(o[35], text.size());  // no line reaches 350
    // A malformed line ends the pass as it ends reading: later buckets read nothing.
    const std::string broken = "9.0\t5.0\t1\nbad\n9.0\t25.0\t1\n";
    EXPECT_EQ(HT2ZoneIndex::build(broken)[1], broken.size());
}

TEST(HT2ZoneStarsRead, LinesFromAnOffsetUpToTheFirstMalformedLine)
{
    // Line starts: 0, 6, 13 (malformed), 17.
    const std::string text = "1\t5\t1\n2\t15\t1\nbad\n3\t25\t1\n";
    const HT2ZoneStars stars(text);
    ASSERT_EQ(stars.from(0).size(), 2u);
    EXPECT_EQ(stars.from(0)[1].ra, 15.0);
    ASSERT_EQ(stars.from(6).size(), 1u);
    EXPECT_EQ(stars.from(6)[0].mag, 2.0f);
    EXPECT_TRUE(stars.from(17).empty());
    EXPECT_TRUE(stars.from(text.size()).empty());
    EXPECT_TRUE(HT2ZoneStars("").from(0).empty());
}

TEST_F(HT2Zones, AZoneIsReadOnceAndKept)
{
    writeZone(3, "1.0\t20.0\t0.1\n");
    HT2ZoneIndex index(m_files);
    const std::shared_ptr<const HT2ZoneStars> first = index.zoneStars(3);
    ASSERT_NE(first, nullptr);
    writeZone(3, "1.0\t20.0\t0.1\n2.0\t21.0\t0.1\n");
    EXPECT_EQ(index.zoneStars(3), first);
    EXPECT_EQ(first->from(0).size(), 1u);
    EXPECT_EQ(index.zoneStars(HT2ZoneIndex::kNumZones), nullptr);
    EXPECT_EQ(index.zoneStars(-1), nullptr);
    // A missing file is an empty zone.
    ASSERT_NE(index.zoneStars(4), nullptr);
    EXPECT_TRUE(index.zoneStars(4)->from(0).empty());
}

TEST_F(HT2Zones, OffsetsByRightAscensionAndZone)
{
    QByteArray text;
    for (int ra = 0; ra < 360; ra += 5)
        text += QByteArray::number(ra / 10) + "\t" + QByteArray::number(ra) + "\t1\n";
    writeZone(3, text);
    HT2ZoneIndex index(m_files);
    const HT2ZoneIndex::Offsets o = HT2ZoneIndex::build(text.toStdString());
    EXPECT_EQ(index.GetHT2Offset(3, 9.999), 0u);
    EXPECT_EQ(index.GetHT2Offset(3, 10.0), o[1]);
    EXPECT_EQ(index.GetHT2Offset(3, 19.999), o[1]);
    EXPECT_EQ(index.GetHT2Offset(3, 20.0), o[2]);
    EXPECT_EQ(index.GetHT2Offset(3, 355.0), o[35]);
    EXPECT_EQ(index.GetHT2Offset(3, 360.0), o[35]);
    EXPECT_EQ(index.GetHT2Offset(30, 100.0), 0u);
    EXPECT_EQ(index.GetHT2Offset(3, std::nan("")), 0u);
    EXPECT_GT(o[1], 0u);
    EXPECT_LT(o[1], o[2]);
    // A missing file reads as empty.
    EXPECT_EQ(index.GetHT2Offset(4, 100.0), 0u);
}

TEST_F(HT2Zones, WindowBoundsAreInclusiveAndTheFaintLimitNeverStopsReading)
{
    m_settings.faintLimit = 12.5;
    writeZone(15, "1.0\t19.5\t0.1\n"      // before the window
                  "2.0\t19.8\t0.1\n"      // on start1
                  "12.5\t20.0\t0.1\n"     // at the faint limit
                  "12.501\t20.5\t0.1\n"   // fainter, past the window: skipped, not the end
                  "3.0\t20.2\t0.1\n"      // on end1
                  "4.0\t20.3\t0.1\n"      // past the window: the end
                  "5.0\t20.1\t0.1\n");
    m_image.fill(Qt::black);
    drawBand(15, 20.0, 0.0, 19.8, 20.2);
    EXPECT_EQ(recordedMags(), (std::vector<float>{2.0f, 12.5f, 3.0f}));
    // Drawn where recorded (y upward in the records).
    for (const ht2Star& s : m_stars)
        EXPECT_EQ(m_image.pixelColor(int(std::floor(s.point.x)), int(std::floor(kSize - s.point.y))),
                  QColor(Qt::white));
}

TEST_F(HT2Zones, EveryZoneKeepsOnlyStarsInsideTheCull)
{
    // Inside the right-ascension window but 20 degrees north of a 1-degree field.
    for (int zone : {28, 29}) {
        writeZone(zone, "5.0\t20.0\t70.0\n6.0\t20.0\t50.1\n");
        m_stars.clear();
        drawBand(zone, 20.0, 50.0, 19.0, 21.0);
        EXPECT_EQ(recordedMags(), std::vector<float>{6.0f}) << zone;
    }
}

TEST_F(HT2Zones, WrappedWindowsReadBothSidesOfRightAscensionZero)
{
    writeZone(15, "1.0\t0.1\t0.1\n2.0\t0.2\t0.5\n3.0\t180.0\t0.1\n4.0\t359.9\t-0.1\n");
    drawBand(15, 0.0, 0.0, 0.0, 0.3, true, 359.7, 360.0);
    ASSERT_EQ(recordedMags(), (std::vector<float>{1.0f, 2.0f, 4.0f}));
    // East to the left: the star at 0.1 degrees lies left of the one at 359.9.
    EXPECT_LT(m_stars[0].point.x, m_stars[2].point.x);
    EXPECT_NEAR(raDecOf(m_stars[2]).first, 359.9 * Angles::kDegToRad, 1e-6);
    EXPECT_NEAR(raDecOf(m_stars[1]).second, 0.5 * Angles::kDegToRad, 1e-6);
}

TEST_F(HT2Zones, LineEndsAndMalformedLines)
{
    writeZone(15, "1.0\t20.0\t0.1\r\n2.0\t20.1\t0.1\r3.0\t20.2\t0.1");  // last line unterminated
    drawBand(15, 20.0, 0.0, 0.0, 360.0);
    EXPECT_EQ(recordedMags(), (std::vector<float>{1.0f, 2.0f, 3.0f}));

    for (const char* bad : {"4.0\t20.2\n", "4.0\t20.2\t0.1\t7\n", "4.0\tx\t0.1\n", "\n", "4.0\tnan\t0.1\n"}) {
        m_stars.clear();
        writeZone(16, QByteArray("1.0\t20.0\t0.1\n") + bad + "2.0\t20.3\t0.1\n");
        drawBand(16, 20.0, 0.0, 0.0, 360.0);
        EXPECT_EQ(recordedMags(), std::vector<float>{1.0f}) << bad;
    }
}

TEST_F(HT2Zones, TheBlockHoldsAtMostOneHundredThousandStarsAcrossBands)
{
    QByteArray text;
    for (int i = 0; i < 60000; ++i)
        text += "9.0\t" + QByteArray::number(20.0 + i * 1e-5, 'f', 5) + "\t0.1\n";
    writeZone(15, text);
    writeZone(16, text);
    withLayer(1.0, 20.3, 0.0, nullptr, [&](HT2StarLayer& layer, HT2ZoneIndex&, const SVAngles&) {
        layer.drawHT2Stars(15, 0.0, 360.0, false, 0.0, 0.0, 0);
        EXPECT_EQ(m_stars.size(), 60000u);
        layer.drawHT2Stars(16, 0.0, 360.0, false, 0.0, 0.0, 0);
    });
    EXPECT_EQ(m_stars.size(), HT2StarLayer::kCapacity);
    EXPECT_EQ(m_stars.capacity(), HT2StarLayer::kCapacity);  // never grown
}

TEST_F(HT2Zones, FindMarkOnTheSelectedRecordOnlyWhileTheFieldStands)
{
    QTemporaryDir imageFolder;
    QImage mark(3, 3, QImage::Format_ARGB32);
    mark.fill(Qt::red);
    ASSERT_TRUE(mark.save(imageFolder.filePath("MarkSymbol.png")));
    ChartImageSet images(imageFolder.path() + "/", QString());
    images.createObjectSymbols();

    QByteArray text;
    for (int i = 0; i < 8; ++i)
        text += "9.0\t" + QByteArray::number(20.0 + i * 0.05, 'f', 2) + "\t0.1\n";
    writeZone(15, text);
    m_settings.findIndex = kHT2StarIndexBase + 5;
    const auto markedStars = [&](bool hasChanged) {
        m_image.fill(Qt::black);
        m_stars.clear();
        m_settings.hasChanged = hasChanged;
        drawBand(15, 20.2, 0.0, 0.0, 360.0, false, 0.0, 0.0, &images);
        std::vector<int> marked;
        for (std::size_t i = 0; i < m_stars.size(); ++i) {
            const QPointF corner(std::floor(m_stars[i].point.x - 10.0 + 0.5),
                                 kSize - std::floor(m_stars[i].point.y - 10.0 + 0.5) - 2);
            if (m_image.pixelColor(corner.toPoint()) == QColor(Qt::red))
                marked.push_back(int(i));
        }
        return marked;
    };
    EXPECT_EQ(markedStars(false), std::vector<int>{5});
    EXPECT_TRUE(markedStars(true).empty());
}

// Without anti-aliasing the dots and ovals are copied straight into the pixels where
// the painter allows it (no clip): they must look as the painter draws them.
TEST_F(HT2Zones, ShapesCopiedIntoThePixelsLookAsThePainterDrawsThem)
{
    QByteArray text;
    for (int i = 0; i < 40; ++i)
        text += QByteArray::number(2.0 + i % 10, 'f', 1) + "\t" + QByteArray::number(20.05 + i * 0.01, 'f', 3) + "\t"
                + QByteArray::number(-0.3 + i * 0.015, 'f', 3) + "\n";
    writeZone(15, text);
    m_settings.isStarAntiAlias = false;
    const auto drawn = [&](bool isClipped) {
        QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        const SVAngles angles = SVAngles::calculate(1.0, kSize);
        const SVProjection projection(angles, 20.25 * Angles::kDegToRad, 0.0, std::to_array(kIdentity));
        QPainter painter(&image);
        if (isClipped)
            painter.setClipRect(image.rect());
        ChartCanvas canvas(painter, kSize);
        HT2ZoneIndex index(m_files);
        HT2StarLayer layer(index, projection, canvas, nullptr, m_settings, m_stars);
        layer.drawHT2Stars(15, 0.0, 360.0, false, 0.0, 0.0, 0);
        painter.end();
        return image;
    };
    const QImage painted = drawn(true);
    EXPECT_GT(m_stars.size(), 20u);
    EXPECT_TRUE(drawn(false) == painted);
}

TEST(HT2StarImages, ClassValuesPickTheirSprite)
{
    const std::pair<float, int> cases[] = {{13.0f, 0}, {11.5f, 0}, {11.49f, 1}, {10.5f, 1},
                                           {9.5f, 2}, {8.5f, 3}, {7.5f, 4}, {6.5f, 5},
                                           {6.49f, 6}, {-3.0f, 6}};
    for (const auto& [v, image] : cases)
        EXPECT_EQ(HT2StarLayer::imageIndex(v), image) << v;
}

TEST(HT2FieldWindowsChoose, BandsAndWindows)
{
    // Near the pole: the whole circle, one band.
    HT2FieldWindows w = HT2FieldWindows::choose(123.0, 84.0, 0.55);
    EXPECT_FALSE(w.wrapped);
    EXPECT_EQ(w.start1, 0.0);
    EXPECT_EQ(w.end1, 360.0);
    EXPECT_EQ(w.bands, std::vector<int>{29});

    // Across RA 0: two windows, reading from RA 0.
    w = HT2FieldWindows::choose(0.2, 10.0, 0.55);
    EXPECT_TRUE(w.wrapped);
    EXPECT_EQ(w.start1, 0.0);
    EXPECT_NEAR(w.end1, 0.2 + 0.55 / std::cos(10.0 * Angles::kDegree), 1e-12);
    EXPECT_NEAR(w.start2, 360.2 - 0.55 / std::cos(10.0 * Angles::kDegree), 1e-12);
    EXPECT_EQ(w.end2, 360.0);
    EXPECT_EQ(w.readStart(), 0.0);
    w = HT2FieldWindows::choose(359.9, -10.0, 0.55);
    EXPECT_TRUE(w.wrapped);
    EXPECT_EQ(w.end1, 360.0);
    EXPECT_EQ(w.start2, 0.0);
    EXPECT_EQ(w.readStart(), 0.0);

    // -2 ... +3 degrees: the southern band first.
    w = HT2FieldWindows::choose(100.0, 0.5, 2.5);
    EXPECT_FALSE(w.wrapped);
    EXPECT_EQ(w.bands, (std::vector<int>{0, 15}));
    EXPECT_EQ(w.readStart(), w.start1);

    // A 30-degree window reads every band it touches, not three.
    EXPECT_EQ(HT2FieldWindows::choose(100.0, 20.0, 15.0).bands, (std::vector<int>{22, 21, 20, 19, 18, 17, 16}));
    EXPECT_EQ(HT2FieldWindows::choose(100.0, -10.0, 15.0).bands,
              (std::vector<int>{4, 3, 2, 1, 0, 15, 16}));
    // A window wider than the circle reads it once.
    w = HT2FieldWindows::choose(100.0, 80.0, 40.0);
    EXPECT_FALSE(w.wrapped);
    EXPECT_EQ(w.end1, 360.0);
    EXPECT_TRUE(HT2FieldWindows::choose(std::nan(""), 0.0, 1.0).bands.empty());
}

TEST(HT2FieldWindowsChoose, BandEdgesBelongToOneBand)
{
    const std::pair<double, int> cases[] = {{90.0, 29}, {70.0, 29}, {69.999, 28}, {0.0, 15},
                                            {-0.001, 0}, {-5.0, 0}, {-5.001, 1}, {-70.0, 13},
                                            {-70.001, 14}, {-90.0, 14}};
    for (const auto& [dec, band] : cases)
        EXPECT_EQ(HT2FieldWindows::bandOf(dec), band) << dec;
}

TEST_F(HT2Zones, PoleCrossAboveEightyFiveDegreesWhenThePolePassesTheCull)
{
    const auto crossDrawn = [&](double fov, double dec0) {
        m_image.fill(Qt::black);
        QPoint pole;
        withLayer(fov, 0.0, dec0, nullptr, [&](HT2StarLayer& layer, HT2ZoneIndex&, const SVAngles& angles) {
            layer.draw(angles.svAngle * 1.1 * Angles::kRadToDeg);
            layer.drawPoleCross();
            const double y = angles.svOffset + angles.svRadius * std::cos(dec0 * Angles::kDegToRad)
                                                   / (1.0 + std::sin(dec0 * Angles::kDegToRad));
            pole = QPoint(int(angles.svOffset), int(kSize - y));
        });
        return m_image.pixelColor(pole).red() > 200;
    };
    EXPECT_TRUE(crossDrawn(10.0, 86.0));
    EXPECT_FALSE(crossDrawn(1.0, 86.0));  // the pole is outside the cull
    EXPECT_FALSE(crossDrawn(10.0, 84.0));
}
