#include "model/StarDatabaseModel.h"
#include "model/UnitVector.h"
#include "model/catalogue/CatalogueFolders.h"
#include "model/catalogue/StartupFailure.h"
#include "model/records/TvkFile.h"
#include "platform/DataPaths.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <set>
#include <string>

// The shipped data folder read through the real loaders, as a first launch
// reads it, and checked against the published catalogues it was made from.
namespace {

using Angles::kArcsecond;
using Angles::kDegree;
using Vec = std::array<double, 3>;

template <class Record>
Vec vectorOf(const Record& r)
{
    return {r.vecX, r.vecY, r.vecZ};
}

Vec place(double raDeg, double decDeg)
{
    const UnitVector v = UnitVector::fromRADec(raDeg * kDegree, decDeg * kDegree);
    return {v.x, v.y, v.z};
}

double separation(const Vec& a, const Vec& b)
{
    const double chord = std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
    return 2.0 * std::asin(std::min(1.0, chord / 2.0));
}

// The builder leaves a text field empty when its source is too long or not
// ASCII, and the shipped texts have no empty fields (a blank one is " ").
bool isFilledText(const char* text)
{
    const std::string s(text);
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= 32 && c < 127; });
}

class ShippedCatalogues : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        cacheFolder = std::make_unique<QTemporaryDir>();
        folders = std::make_unique<CatalogueFolders>(
            CatalogueFolders::form(cacheFolder->path(), DataPaths::bundleDataFolder(),
                                   DataPaths::bundleResourcesFolder()));
        folders->databaseDirectory = cacheFolder->path() + "/";
        folders->buildDirectory = DataPaths::bundleDataFolder() + "/Build Data/";
        model = std::make_unique<StarDatabaseModel>();
        try {
            model->setupDatabase(*folders);
        } catch (const StartupFailure& failure) {
            startupFailure = failure.message();
        }
    }
    static void TearDownTestSuite()
    {
        model.reset();
        folders.reset();
        cacheFolder.reset();
    }

    static const star* named(const char* name)
    {
        for (const star& s : model->stars()) {
            if (std::strcmp(s.name, name) == 0)
                return &s;
        }
        return nullptr;
    }

    static inline std::unique_ptr<QTemporaryDir> cacheFolder;
    static inline std::unique_ptr<CatalogueFolders> folders;
    static inline std::unique_ptr<StarDatabaseModel> model;
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

TEST_F(ShippedCatalogues, EveryRecordKeepsItsTextsAndAPlace)
{
    std::set<std::string> names;  // the finder takes the first star of a name
    for (const star& s : model->stars()) {
        EXPECT_TRUE(isFilledText(s.sao) && isFilledText(s.bayer) && isFilledText(s.name) &&
                    isFilledText(s.spectral))
            << "star " << s.index;
        const double ra = s.raDeg, dec = s.decDeg;
        EXPECT_TRUE(ra >= 0.0 && ra < 360.0 && std::abs(dec) <= 90.0) << "star " << s.index;
        if (std::strcmp(s.name, " ") != 0) {
            EXPECT_TRUE(names.insert(s.name).second) << s.name;
        }
    }
    EXPECT_GT(names.size(), 300u);
    for (const deepSky& d : model->deepSkyData()) {
        EXPECT_TRUE(isFilledText(d.ngc) && isFilledText(d.messier) && isFilledText(d.name) &&
                    isFilledText(d.con))
            << "object " << d.index;
        EXPECT_TRUE(d.type >= 0 && d.type <= 4) << "object " << d.index;
    }
}

// Hipparcos (ESA 1997) places at J2000 and Bright Star Catalogue V magnitudes.
TEST_F(ShippedCatalogues, BrightStarsAreAtTheirCataloguePlaces)
{
    struct Expected {
        const char* name;
        double ra, dec;
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
        EXPECT_LT(separation(vectorOf(*s), place(e.ra, e.dec)), 1.0 * kArcsecond) << e.name;
    }
    // The navigational stars are the alignment stars of every mount family.
    for (const char* name : {"Sirius", "Vega", "Polaris", "Canopus", "Fomalhaut"}) {
        ASSERT_NE(named(name), nullptr) << name;
        EXPECT_EQ(named(name)->type, 9) << name;
    }
}

// The program adds the proper motion to the right ascension itself, so the
// file holds the rate of RA, not the great-circle rate the catalogues give:
// Hipparcos gives Polaris 44.22 mas/yr and Sirius -546.01 mas/yr (times cos dec).
TEST_F(ShippedCatalogues, ProperMotionInRightAscensionIsTheRateOfTheCoordinate)
{
    const auto masPerYear = [](double radPerCentury) {
        return radPerCentury / Angles::kMasPerYearToRadPerCentury;
    };
    const star* polaris = named("Polaris");
    const star* sirius = named("Sirius");
    ASSERT_TRUE(polaris && sirius);
    EXPECT_NEAR(masPerYear(polaris->pmRA) * std::cos(polaris->decDeg * kDegree), 44.22, 0.05);
    EXPECT_NEAR(masPerYear(sirius->pmRA) * std::cos(sirius->decDeg * kDegree), -546.01, 0.05);
    EXPECT_NEAR(masPerYear(sirius->pmDec), -1223.08, 0.05);
}

// OpenNGC: NGC 224 at 00h42m44.35s +41d16m08.6s, V 3.44.
TEST_F(ShippedCatalogues, AllMessierObjectsAndAndromedaAtItsPlace)
{
    const deepSky* m31 = nullptr;
    int messier = 0;
    for (const deepSky& d : model->deepSkyData()) {
        messier += d.messier[0] == 'M';
        if (std::strcmp(d.messier, "M31") == 0)
            m31 = &d;
    }
    EXPECT_EQ(messier, 110);
    ASSERT_NE(m31, nullptr);
    EXPECT_STREQ(m31->ngc, "NGC 224");
    EXPECT_STREQ(m31->name, "Andromeda Galaxy");
    const float mag = m31->mag;
    EXPECT_NEAR(mag, 3.44f, 0.005f);
    EXPECT_LT(separation(vectorOf(*m31),
                         place((42 / 60.0 + 44.35 / 3600.0) * 15, 41 + 16 / 60.0 + 8.6 / 3600.0)),
              1.0 * kArcsecond);
}

// The loader drops lines to stars it does not hold, so none may be dropped;
// the longest figure line spans 25.6 degrees, an index off by one would not.
TEST_F(ShippedCatalogues, FigureLinesJoinNearbyStarsOfTheShippedList)
{
    std::vector<conLine> stored;
    ASSERT_TRUE(TvkFile::load(folders->tvkDirectory + "Constellations.tvk", stored));
    ASSERT_GT(stored.size(), 600u);
    EXPECT_EQ(model->numConLines(), stored.size());
    std::set<std::string> ends;
    for (const conLine& line : model->conLinesArray()) {
        const star& a = model->stars()[std::size_t(line.star1)];
        const star& b = model->stars()[std::size_t(line.star2)];
        EXPECT_LT(separation(vectorOf(a), vectorOf(b)), 30 * kDegree);
        ends.insert(a.name);
        ends.insert(b.name);
    }
    for (const char* name : {"Polaris", "Betelgeuse", "Rigel", "Vega", "Deneb", "Altair"})
        EXPECT_TRUE(ends.count(name)) << name;
}

TEST_F(ShippedCatalogues, BoundaryVerticesAreUnitVectorsGroupedByNonZeroLineIds)
{
    std::set<std::uint32_t> finished;
    std::uint32_t current = 0;
    for (const boundaryLocn& p : model->boundaryLocns()) {
        const double x = p.vecX, y = p.vecY, z = p.vecZ;
        EXPECT_NEAR(x * x + y * y + z * z, 1.0, 1e-12);
        ASSERT_NE(p.lineId, 0u);
        if (p.lineId != current) {
            EXPECT_FALSE(finished.count(p.lineId)) << "line " << p.lineId << " is split";
            finished.insert(current);
            current = p.lineId;
        }
    }
}
