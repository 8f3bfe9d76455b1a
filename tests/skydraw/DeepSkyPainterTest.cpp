#include "PaintingFixture.h"

#include "model/ObjectIndex.h"
#include "model/records/RecordConstants.h"
#include "platform/DataPaths.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/DeepSkyPainter.h"
#include "skydraw/DeepSkyPhotos.h"
#include "skydraw/PrintMapping.h"
#include "skydraw/SubPixelSprites.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstring>
#include <vector>

namespace {

constexpr double kRadius = 1000.0;

deepSky object(const char* ngc, const char* messier, const char* name, float size, int type = 0)
{
    deepSky d{};
    std::strncpy(d.ngc, ngc, sizeof d.ngc - 1);
    std::strncpy(d.messier, messier, sizeof d.messier - 1);
    std::strncpy(d.name, name, sizeof d.name - 1);
    d.size = size;
    d.type = type;
    d.state = kStateOnScreen;
    d.screenX = 100.0f;
    d.screenY = 60.0f;
    return d;
}

QImage solid(QColor color)
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// The shipped symbols and marks, with photographs in two temporary folders.
class DeepSkyTest : public PaintingTest {
protected:
    void SetUp() override
    {
        PaintingTest::SetUp();
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath("user"));
        ASSERT_TRUE(QDir(root.path()).mkpath("stock"));
        images.createObjectSymbols();
        prefs().setIsPhoto();
    }
    void savePhoto(const QString& folder, const QString& name, QColor color)
    {
        ASSERT_TRUE(solid(color).save(root.path() + "/" + folder + "/" + name, "JPG"));
    }
    QImage paint(const std::vector<deepSky>& objects)
    {
        ChartSky sky;
        sky.deepSkyData = objects;
        sky.radius = kRadius;
        DeepSkyPainter painter(prefs(), images, photos);
        return render(200, 120, [&](ChartCanvas& c) { painter.paint(c, sky, 1.0f); });
    }

    QTemporaryDir root;
    ChartImageSet images{DataPaths::bundleResourcesFolder() + "/ImageF/", QString()};
    DeepSkyPhotos photos{root.path() + "/user/", root.path() + "/stock/"};
};

}  // namespace

TEST_F(DeepSkyTest, AnObjectTenPointsAcrossShowsItsPhotographElseItsSymbol)
{
    // R tan(a/2) = 5 at R = 1000 for a size of 68.75'.
    EXPECT_LT(DeepSkyPainter::photoRadius(68.0f, kRadius), DeepSkyPainter::kPhotoRadius);
    EXPECT_GE(DeepSkyPainter::photoRadius(69.0f, kRadius), DeepSkyPainter::kPhotoRadius);
    EXPECT_NEAR(DeepSkyPainter::photoRadius(120.0f, kRadius), kRadius * std::tan(0.5 * 0.0174532925199433), 1e-9);

    savePhoto("stock", "NGC 1.jpg", Qt::red);
    QImage image = paint({object("NGC 1", " ", " ", 120.0f)});
    // The photograph fills the object's 2r square about its point (r = 8.7).
    EXPECT_TRUE(isNear(at(image, 100, 60), Qt::red, 24));
    EXPECT_TRUE(isNear(at(image, 94, 66), Qt::red, 24));

    // The galaxy symbol, 9 points across, instead.
    image = paint({object("NGC 1", " ", " ", 68.0f)});
    EXPECT_GT(at(image, 100, 60).red(), 64);
    EXPECT_EQ(at(image, 100, 60).red(), at(image, 100, 60).blue());
    EXPECT_EQ(at(image, 94, 66), QColor(Qt::black));

    // An object without a size never gets one.
    EXPECT_EQ(at(paint({object("NGC 1", " ", " ", 0.0f)}), 94, 66), QColor(Qt::black));
    prefs().setIsPhoto();
    EXPECT_EQ(at(paint({object("NGC 1", " ", " ", 120.0f)}), 94, 66), QColor(Qt::black));
}

TEST_F(DeepSkyTest, TheUsersPhotographsComeFirstThenEachDesignationSaveForSomeObjects)
{
    savePhoto("stock", "NGC 1.jpg", Qt::red);
    savePhoto("user", "M99.jpg", Qt::blue);
    EXPECT_TRUE(isNear(at(paint({object("NGC 1", "M99", " ", 120.0f)}), 100, 60), Qt::blue, 24));
    // By common name when neither designation has a file.
    savePhoto("stock", "Pinwheel.jpg", Qt::green);
    EXPECT_TRUE(isNear(at(paint({object("NGC 7", "M7", "Pinwheel", 120.0f)}), 100, 60), QColor(0, 255, 0), 24));

    // These always show their symbol.
    for (const char* ngc : {"NGC 1982", "NGC 5195", "NGC 205"})
        savePhoto("stock", QString(ngc) + ".jpg", Qt::red);
    for (const deepSky& d : {object("NGC 1982", "M43", " ", 120.0f), object("NGC 5195", " ", " ", 120.0f),
                             object("NGC 205", "M110", " ", 120.0f)})
        EXPECT_EQ(at(paint({d}), 94, 66), QColor(Qt::black)) << d.ngc;
}

TEST(DeepSkyPhotos, CatalogueTextNeverLeavesThePhotoFolder)
{
    EXPECT_TRUE(DeepSkyPhotos::isSafeFileName(u"NGC 224"));
    EXPECT_TRUE(DeepSkyPhotos::isSafeFileName(u"Mel 22"));
    for (const char16_t* name : {u"../secret", u"a/b", u"..", u" ", u""})
        EXPECT_FALSE(DeepSkyPhotos::isSafeFileName(name));

    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("stock"));
    ASSERT_TRUE(solid(Qt::red).save(root.path() + "/secret.jpg", "JPG"));
    DeepSkyPhotos photos(QString(), root.path() + "/stock/");
    EXPECT_TRUE(photos.photoFor(object("../secret", " ", " ", 120.0f)).isNull());
    EXPECT_TRUE(photos.photoFor(object(" ", " ", "../secret", 120.0f)).isNull());
}

TEST(DeepSkyPainter, TheLabelIsTheFirstNameTheSettingsAllow)
{
    const deepSky m42 = object("NGC 1976", "M42", "Orion Nebula", 0.0f);
    EXPECT_EQ(DeepSkyPainter::nameOf(m42, true, true, true), QLatin1StringView("Orion Nebula"));
    EXPECT_EQ(DeepSkyPainter::nameOf(m42, false, true, true), QLatin1StringView("M42"));
    EXPECT_EQ(DeepSkyPainter::nameOf(m42, false, false, true), QLatin1StringView("NGC 1976"));
    EXPECT_TRUE(DeepSkyPainter::nameOf(m42, false, false, false).isEmpty());
    // A name starting with a space or punctuation falls through.
    EXPECT_EQ(DeepSkyPainter::nameOf(object("NGC 1976", "M42", " ", 0.0f), true, true, true),
              QLatin1StringView("M42"));
    EXPECT_EQ(DeepSkyPainter::nameOf(object("IC 434", " ", "(Horsehead)", 0.0f), true, true, true),
              QLatin1StringView("IC 434"));
}

TEST_F(DeepSkyTest, SymbolsFollowTheTypeNamesTheSettingAndTheFindMarksTheSelection)
{
    ASSERT_TRUE(prefs().isDeepSkyNames());
    // Type 7 has no symbol: its name alone, from 8 points right of the object's point.
    const std::vector<deepSky> named = {object("NGC 1", " ", " ", 0.0f, 7)};
    const QImage image = paint(named);
    EXPECT_GT(inkCount(image), 0);
    EXPECT_EQ(inkCount(image.copy(0, 0, 107, 120)), 0);

    prefs().setIsDeepSkyNames();
    EXPECT_GT(inkCount(paint({object("NGC 1", " ", " ", 0.0f, 3)})), 10);
    EXPECT_EQ(inkCount(paint(named)), 0);
    deepSky found = named[0];
    found.index = 12;
    prefs().setFindIndex(kDeepSkyIndexBase + 12);
    EXPECT_NE(at(paint({found}), 100, 67), QColor(Qt::black));
}

TEST_F(DeepSkyTest, OnPaperOnlyThePrintSymbolsAndNamesAreDrawn)
{
    prefs().setIsDeepSkyNames();
    savePhoto("stock", "NGC 1.jpg", Qt::red);
    QImage mark(9, 9, QImage::Format_ARGB32_Premultiplied);
    mark.fill(Qt::black);
    const DeepSkyPainter::PrintSymbols symbols = {mark, mark, mark, mark};
    const auto print = [&](int type) {
        const std::vector<deepSky> objects = {object("NGC 1", " ", " ", 120.0f, type)};
        ChartSky sky;
        sky.deepSkyData = objects;
        sky.radius = kRadius;
        DeepSkyPainter painter(prefs(), images, photos);
        return render(
            200, 120, [&](ChartCanvas& c) { painter.print(c, sky, PrintMapping{0.5, 20.0, 10.0}, symbols); },
            Qt::white);
    };
    // The object's point (100, 60) lands on (70, 40): its 9-point symbol, no photograph.
    const QImage galaxy = print(0);
    EXPECT_EQ(at(galaxy, 70, 40), QColor(Qt::black));
    EXPECT_EQ(at(galaxy, 66, 36), QColor(Qt::black));
    EXPECT_EQ(inkCount(galaxy, Qt::white), 81);
    EXPECT_EQ(inkCount(print(4), Qt::white), 0);
}

// Symbols sit where their point puts them, between pixels too: the open
// cluster's symbol half a point further left and lower than the others.
TEST_F(DeepSkyTest, SymbolsArePlacedBetweenPixelsAsTheirPointsSay)
{
    using Symbol = ChartImageSet::Symbol;
    // Type, symbol, chart point, shift of the lower-left corner from (x − 4, y − 4).
    const std::tuple<int, Symbol, QPointF, double> cases[] = {{0, Symbol::Galaxy, {100.0, 60.0}, 0.0},
                                                              {2, Symbol::OpenCluster, {100.0, 60.0}, -0.5},
                                                              {2, Symbol::OpenCluster, {70.25, 40.75}, -0.5},
                                                              {3, Symbol::GlobularCluster, {120.5, 50.25}, 0.0}};
    for (const auto& [type, symbol, point, shift] : cases) {
        deepSky d = object("", "", "", 0.0f, type);
        d.screenX = float(point.x());
        d.screenY = float(point.y());
        const std::vector<deepSky> objects{d};
        ChartSky sky;
        sky.deepSkyData = objects;
        DeepSkyPainter painter(prefs(), images, photos);
        SubPixelSprites sprites;
        const QImage chart = render(
            200, 120,
            [&](ChartCanvas& canvas) {
                canvas.useSprites(sprites);
                painter.paint(canvas, sky, 1.0f);
            },
            Qt::transparent);
        const QPointF expected = point - QPointF(4.0 - shift, 4.0 - shift) + inkCentre(images.symbol(symbol)).first;
        const QPointF drawn = inkCentre(chart).first;
        EXPECT_NEAR(drawn.x(), expected.x(), 0.02) << type << " at " << point.x();
        EXPECT_NEAR(drawn.y(), expected.y(), 0.02) << type << " at " << point.y();
    }
}
