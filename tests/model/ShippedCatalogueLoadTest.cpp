#include "model/catalogue/CatalogueFolders.h"
#include "model/StarDatabaseModel.h"
#include "model/catalogue/StartupFailure.h"
#include "platform/DataPaths.h"

#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstring>

// The shipped data folder, read through the real loaders: what a first launch sees.
namespace {

constexpr double kDeg = 0.0174532925199433;
constexpr double kArcsecond = kDeg / 3600.0;

// Angle between a record's unit vector and a place in degrees.
double separation(double x, double y, double z, double raDeg, double decDeg)
{
    const double ex = std::cos(decDeg * kDeg) * std::cos(raDeg * kDeg);
    const double ey = std::cos(decDeg * kDeg) * std::sin(raDeg * kDeg);
    const double ez = std::sin(decDeg * kDeg);
    const double chord = std::sqrt((x - ex) * (x - ex) + (y - ey) * (y - ey) + (z - ez) * (z - ez));
    return 2.0 * std::asin(chord / 2.0);
}

class ShippedCatalogues : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        cacheFolder = new QTemporaryDir;
        folders = new CatalogueFolders(
            CatalogueFolders::form(cacheFolder->path(), DataPaths::bundleDataFolder(),
                                   DataPaths::bundleResourcesFolder()));
        folders->databaseDirectory = cacheFolder->path() + "/";
        folders->buildDirectory = DataPaths::bundleDataFolder() + "/Build Data/";
        model = new StarDatabaseModel;
        try {
            model->setupDatabase(*folders);
        } catch (const StartupFailure& failure) {
            startupFailure = failure.message();
        }
    }
    static void TearDownTestSuite()
    {
        delete model;
        delete folders;
        delete cacheFolder;
    }

    static const star* named(const char* name)
    {
        for (const star& s : model->stars()) {
            if (std::strcmp(s.name, name) == 0)
                return &s;
        }
        return nullptr;
    }

    static inline QTemporaryDir* cacheFolder = nullptr;
    static inline CatalogueFolders* folders = nullptr;
    static inline StarDatabaseModel* model = nullptr;
    static inline QString startupFailure;
};

}  // namespace

TEST_F(ShippedCatalogues, LoadWithoutAnyFailure)
{
    EXPECT_TRUE(startupFailure.isEmpty()) << startupFailure.toStdString();
    EXPECT_GE(model->numStars(), 9000u);
    EXPECT_LT(model->numStars(), 100000u);
    EXPECT_GE(model->numDeepSky(), 10000u);
    EXPECT_GE(model->numBoundary(), 1600u);
    EXPECT_EQ(model->raLocnArray().size(), 3044u);
    EXPECT_EQ(model->altAzArray().size(), 3114u);
}

TEST_F(ShippedCatalogues, EveryFigureLineJoinsTwoLoadedStars)
{
    ASSERT_GT(model->numConLines(), 600u);
    for (const conLine& line : model->conLinesArray()) {
        EXPECT_GE(line.star1, 0);
        EXPECT_GE(line.star2, 0);
        EXPECT_LT(std::uint32_t(line.star1), model->numStars());
        EXPECT_LT(std::uint32_t(line.star2), model->numStars());
    }
}

// Hipparcos (ESA 1997) places at J2000 and Bright Star Catalogue V magnitudes.
TEST_F(ShippedCatalogues, BrightStarsAreAtTheirCataloguePlaces)
{
    struct Expected {
        const char* name;
        double ra;
        double dec;
        float mag;
    };
    const Expected expected[] = {
        {"Sirius", (6 + 45 / 60.0 + 8.91728 / 3600.0) * 15, -(16 + 42 / 60.0 + 58.0171 / 3600.0), -1.46f},
        {"Vega", (18 + 36 / 60.0 + 56.33635 / 3600.0) * 15, 38 + 47 / 60.0 + 1.2802 / 3600.0, 0.03f},
        {"Polaris", (2 + 31 / 60.0 + 49.09456 / 3600.0) * 15, 89 + 15 / 60.0 + 50.7923 / 3600.0, 2.02f},
    };
    for (const Expected& e : expected) {
        const star* s = named(e.name);
        ASSERT_NE(s, nullptr) << e.name;
        const float mag = s->mag;
        EXPECT_NEAR(mag, e.mag, 0.005f) << e.name;
        const double x = s->vecX, y = s->vecY, z = s->vecZ;
        EXPECT_LT(separation(x, y, z, e.ra, e.dec), 1.0 * kArcsecond) << e.name;
    }
}

// OpenNGC: NGC 224 at 00h42m44.35s +41d16m08.6s, V 3.44.
TEST_F(ShippedCatalogues, AndromedaGalaxyIsAtItsCataloguePlace)
{
    const deepSky* m31 = nullptr;
    int messier = 0;
    for (const deepSky& d : model->deepSkyData()) {
        if (d.messier[0] == 'M')
            ++messier;
        if (std::strcmp(d.messier, "M31") == 0)
            m31 = &d;
    }
    EXPECT_EQ(messier, 110);
    ASSERT_NE(m31, nullptr);
    EXPECT_STREQ(m31->ngc, "NGC 224");
    EXPECT_STREQ(m31->name, "Andromeda Galaxy");
    const float mag = m31->mag;
    EXPECT_NEAR(mag, 3.44f, 0.005f);
    const double x = m31->vecX, y = m31->vecY, z = m31->vecZ;
    EXPECT_LT(separation(x, y, z, (42 / 60.0 + 44.35 / 3600.0) * 15, 41 + 16 / 60.0 + 8.6 / 3600.0),
              1.0 * kArcsecond);
}

TEST_F(ShippedCatalogues, CachesBuiltFromTheShippedTextsLoadBackIdentically)
{
    StarDatabaseModel again;
    again.setupDatabase(*folders);
    ASSERT_EQ(again.numStars(), model->numStars());
    ASSERT_EQ(again.numDeepSky(), model->numDeepSky());
    EXPECT_EQ(std::memcmp(again.stars().data(), model->stars().data(),
                          model->numStars() * sizeof(star)), 0);
    EXPECT_EQ(std::memcmp(again.deepSkyData().data(), model->deepSkyData().data(),
                          model->numDeepSky() * sizeof(deepSky)), 0);
}
