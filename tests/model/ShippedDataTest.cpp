// Checks the catalogues shipped in data/ZQData against published values, the
// way the program reads them: binary tables through TvkFile and the record
// structs, source texts by their tab-separated fields.
#include "model/records/AltAzLocn.h"
#include "model/records/RALocn.h"
#include "model/records/TvkFile.h"
#include "model/records/boundaryLocn.h"
#include "model/records/conLine.h"
#include "platform/DataPaths.h"
#include "platform/NumberReader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QString>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr double kDegree = 0.0174532925199433;
constexpr double kArcsecond = kDegree / 3600.0;

QString shippedPath(const QString& relative)
{
    return DataPaths::bundleDataFolder() + "/" + relative;
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// A source text: its count line's first field and the record lines split into fields.
struct SourceText {
    long long declaredCount = -1;
    std::vector<std::vector<std::string>> records;
};

SourceText readSourceText(const QString& relative)
{
    SourceText text;
    QFile file(shippedPath(relative));
    if (!file.open(QIODevice::ReadOnly))
        return text;
    std::vector<std::string> lines = split(file.readAll().toStdString(), '\n');
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    if (lines.empty())
        return text;
    text.declaredCount = NumberReader::readInteger(split(lines.front(), '\t').front());
    for (std::size_t i = 1; i < lines.size(); ++i)
        text.records.push_back(split(lines[i], '\t'));
    return text;
}

double number(const std::string& field)
{
    return NumberReader::readDouble(field);
}

// Angle between two places given in degrees, from the chord of their unit vectors.
double separation(double ra1, double dec1, double ra2, double dec2)
{
    const double dx = std::cos(dec1 * kDegree) * std::cos(ra1 * kDegree)
        - std::cos(dec2 * kDegree) * std::cos(ra2 * kDegree);
    const double dy = std::cos(dec1 * kDegree) * std::sin(ra1 * kDegree)
        - std::cos(dec2 * kDegree) * std::sin(ra2 * kDegree);
    const double dz = std::sin(dec1 * kDegree) - std::sin(dec2 * kDegree);
    return 2.0 * std::asin(std::min(1.0, std::sqrt(dx * dx + dy * dy + dz * dz) / 2.0));
}

bool isAsciiText(const std::string& field)
{
    for (const char c : field) {
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
            return false;
    }
    return true;
}

// Star fields: 0 SAO, 1 Bayer, 2 name, 3 magnitude, 4 spectral class, 5 type,
// 6 RA, 7 Dec, 8 and 9 proper motions in mas per year.
const SourceText& shippedStars()
{
    static const SourceText text = readSourceText("Build Data/BuildStar.txt");
    return text;
}

const SourceText& shippedDeepSky()
{
    static const SourceText text = readSourceText("Build Data/BuildDeepSky.txt");
    return text;
}

class ShippedStars : public ::testing::Test {
protected:
    static const std::vector<std::string>* named(const std::string& name)
    {
        for (const auto& fields : shippedStars().records) {
            if (fields.size() == 10 && fields[2] == name)
                return &fields;
        }
        return nullptr;
    }

    const SourceText* stars = &shippedStars();
};


TEST_F(ShippedStars, EveryLineHasTenFieldsThatFitTheRecord)
{
    for (std::size_t i = 0; i < stars->records.size(); ++i) {
        const auto& f = stars->records[i];
        ASSERT_EQ(f.size(), 10u) << "star line " << i + 2;
        EXPECT_TRUE(!f[0].empty() && f[0].size() <= 6 && isAsciiText(f[0])) << "SAO, line " << i + 2;
        EXPECT_TRUE(!f[1].empty() && f[1].size() <= 10 && isAsciiText(f[1])) << "Bayer, line " << i + 2;
        EXPECT_TRUE(!f[2].empty() && f[2].size() <= 14 && isAsciiText(f[2])) << "name, line " << i + 2;
        EXPECT_TRUE(!f[4].empty() && f[4].size() <= 2 && isAsciiText(f[4])) << "class, line " << i + 2;
        const double dec = number(f[7]);
        EXPECT_TRUE(number(f[6]) >= 0.0 && number(f[6]) < 360.0 && std::abs(dec) <= 90.0)
            << "place, line " << i + 2;
    }
}

// The finder takes the first star of a name, so a name must name one star.
TEST_F(ShippedStars, ProperNamesAreUnique)
{
    std::set<std::string> names;
    for (const auto& f : stars->records) {
        if (f.size() == 10 && f[2] != " ") {
            EXPECT_TRUE(names.insert(f[2]).second) << f[2];
        }
    }
    EXPECT_GT(names.size(), 300u);
}


// The program adds the proper motion to the right ascension itself, so the
// file must hold the rate of RA, not the great-circle rate the catalogues give:
// Hipparcos gives Polaris 44.22 mas/yr and Sirius -546.01 mas/yr (times cos dec).
TEST_F(ShippedStars, ProperMotionInRightAscensionIsTheRateOfTheCoordinate)
{
    const auto* polaris = named("Polaris");
    const auto* sirius = named("Sirius");
    ASSERT_NE(polaris, nullptr);
    ASSERT_NE(sirius, nullptr);
    EXPECT_NEAR(number((*polaris)[8]) * std::cos(number((*polaris)[7]) * kDegree), 44.22, 0.05);
    EXPECT_NEAR(number((*sirius)[8]) * std::cos(number((*sirius)[7]) * kDegree), -546.01, 0.05);
    EXPECT_NEAR(number((*sirius)[9]), -1223.08, 0.05);
}

TEST_F(ShippedStars, NavigationalStarsAreAlignmentStarsOfEveryMountFamily)
{
    for (const char* name : {"Sirius", "Vega", "Polaris", "Canopus", "Fomalhaut"}) {
        const auto* fields = named(name);
        ASSERT_NE(fields, nullptr) << name;
        EXPECT_EQ((*fields)[5], "9") << name;
    }
}

// Deep-sky fields: 0 designation, 1 Messier, 2 name, 3 Caldwell, 4 Herschel,
// 5 Arp, 6 type, 7 list, 8 constellation, 9 size, 10 magnitude, 11 RA, 12 Dec.
class ShippedDeepSky : public ::testing::Test {
protected:
    const SourceText* objects = &shippedDeepSky();
};


TEST_F(ShippedDeepSky, EveryLineHasThirteenFieldsThatFitTheRecord)
{
    for (std::size_t i = 0; i < objects->records.size(); ++i) {
        const auto& f = objects->records[i];
        ASSERT_EQ(f.size(), 13u) << "object line " << i + 2;
        EXPECT_TRUE(!f[0].empty() && f[0].size() <= 10 && isAsciiText(f[0])) << "designation, line " << i + 2;
        EXPECT_TRUE(!f[1].empty() && f[1].size() <= 4 && isAsciiText(f[1])) << "Messier, line " << i + 2;
        EXPECT_TRUE(!f[2].empty() && f[2].size() <= 19 && isAsciiText(f[2])) << "name, line " << i + 2;
        EXPECT_TRUE(!f[8].empty() && f[8].size() <= 3 && isAsciiText(f[8])) << "constellation, line " << i + 2;
        const long long type = NumberReader::readInteger(f[6]);
        EXPECT_TRUE(type >= 0 && type <= 4) << "type, line " << i + 2;
    }
}



TEST(ShippedConstellations, FigureLinesJoinNearbyStarsOfTheShippedStarList)
{
    const SourceText& stars = shippedStars();
    std::vector<conLine> lines;
    ASSERT_TRUE(TvkFile::load(shippedPath("TVk/Constellations.tvk"), lines));
    ASSERT_GT(lines.size(), 600u);
    const auto numStars = static_cast<std::int32_t>(stars.records.size());
    std::set<std::string> ends;
    for (const conLine& line : lines) {
        ASSERT_TRUE(line.star1 >= 0 && line.star1 < numStars) << line.star1;
        ASSERT_TRUE(line.star2 >= 0 && line.star2 < numStars) << line.star2;
        const auto& a = stars.records[std::size_t(line.star1)];
        const auto& b = stars.records[std::size_t(line.star2)];
        // The longest figure line spans 25.6 degrees; an index off by one would not.
        EXPECT_LT(separation(number(a[6]), number(a[7]), number(b[6]), number(b[7])), 30 * kDegree);
        ends.insert(a[2]);
        ends.insert(b[2]);
    }
    for (const char* name : {"Polaris", "Betelgeuse", "Rigel", "Vega", "Deneb", "Altair"})
        EXPECT_TRUE(ends.count(name)) << name;
}

TEST(ShippedBoundaries, VerticesAreUnitVectorsGroupedByNonZeroLineIds)
{
    std::vector<boundaryLocn> points;
    ASSERT_TRUE(TvkFile::load(shippedPath("TVk/Boundary.tvk"), points));
    ASSERT_GE(points.size(), 1600u);
    std::set<std::uint32_t> finished;
    std::uint32_t current = 0;
    for (const boundaryLocn& p : points) {
        EXPECT_NEAR(p.vecX * p.vecX + p.vecY * p.vecY + p.vecZ * p.vecZ, 1.0, 1e-12);
        ASSERT_NE(p.lineId, 0u);
        if (p.lineId != current) {
            EXPECT_FALSE(finished.count(p.lineId)) << "line " << p.lineId << " is split";
            finished.insert(current);
            current = p.lineId;
        }
    }
}

class ShippedGrids : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TvkFile::load(shippedPath("TVk/RAGrid.tvk"), ra));
        ASSERT_TRUE(TvkFile::load(shippedPath("TVk/AltAzGrid.tvk"), altAz));
    }

    static void expectVector(double x, double y, double z, double ex, double ey, double ez)
    {
        EXPECT_NEAR(x, ex, 1e-12);
        EXPECT_NEAR(y, ey, 1e-12);
        EXPECT_NEAR(z, ez, 1e-12);
    }

    std::vector<RALocn> ra;
    std::vector<AltAzLocn> altAz;
};

TEST_F(ShippedGrids, HoldExactlyTheirFixedNumberOfPoints)
{
    EXPECT_EQ(ra.size(), 3044u);
    EXPECT_EQ(altAz.size(), 3114u);
    EXPECT_EQ(QFile(shippedPath("TVk/RAGrid.tvk")).size(), 182640);
    EXPECT_EQ(QFile(shippedPath("TVk/AltAzGrid.tvk")).size(), 112104);
}

TEST_F(ShippedGrids, HourCirclesRunFromMinusToPlusEightyDegrees)
{
    ASSERT_EQ(ra.size(), 3044u);
    for (int hour = 0; hour < 24; ++hour) {
        for (int step = 0; step <= 80; step += 40) {
            const RALocn& p = ra[std::size_t(81 * hour + step)];
            const double dec = (-80 + 2 * step) * kDegree;
            const double hourAngle = 15 * hour * kDegree;
            expectVector(p.vecX, p.vecY, p.vecZ, std::cos(dec) * std::cos(hourAngle),
                         std::cos(dec) * std::sin(hourAngle), std::sin(dec));
        }
    }
}

// The chart joins two neighbours of the declination circles only when their
// declinations are exactly equal, so a circle must share one z bit for bit.
// (Packed doubles are copied before comparing: gtest binds references.)
TEST_F(ShippedGrids, DeclinationCirclesShareOneDeclinationEach)
{
    ASSERT_EQ(ra.size(), 3044u);
    for (int circle = 0; circle < 17; ++circle) {
        const std::size_t first = 1944 + 61 * std::size_t(circle);
        EXPECT_NEAR(std::asin(ra[first].vecZ), (-80 + 10 * circle) * kDegree, 1e-12);
        for (std::size_t k = first + 1; k < first + 61; ++k)
            EXPECT_EQ(double(ra[k].vecZ), double(ra[first].vecZ)) << "record " << k;
        expectVector(ra[first + 60].vecX, ra[first + 60].vecY, ra[first + 60].vecZ,
                     ra[first].vecX, ra[first].vecY, ra[first].vecZ);
        if (circle > 0) {
            EXPECT_NE(double(ra[first - 1].vecZ), double(ra[first].vecZ));
        }
    }
    for (std::size_t k = 2432; k <= 2492; ++k)
        EXPECT_EQ(double(ra[k].vecZ), 0.0) << "equator record " << k;
}

// IAU 2006 mean obliquity of J2000.0: 84381.406 arcseconds.
TEST_F(ShippedGrids, EclipticLiesAtTheJ2000ObliquityAndThePolesCloseTheTable)
{
    ASSERT_EQ(ra.size(), 3044u);
    const double obliquity = 84381.406 * kArcsecond;
    expectVector(ra[2981].vecX, ra[2981].vecY, ra[2981].vecZ, 1, 0, 0);
    expectVector(ra[2981 + 15].vecX, ra[2981 + 15].vecY, ra[2981 + 15].vecZ, 0, std::cos(obliquity),
                 std::sin(obliquity));
    expectVector(ra[3041].vecX, ra[3041].vecY, ra[3041].vecZ, 1, 0, 0);
    expectVector(ra[3042].vecX, ra[3042].vecY, ra[3042].vecZ, 0, 0, 1);
    expectVector(ra[3043].vecX, ra[3043].vecY, ra[3043].vecZ, 0, 0, -1);
}

TEST_F(ShippedGrids, AzimuthLinesStartInTheSouthAndClimbToEightyDegrees)
{
    ASSERT_EQ(altAz.size(), 3114u);
    const AltAzLocn& southHorizon = altAz[0];
    expectVector(southHorizon.horX, southHorizon.horY, southHorizon.horZ, 1, 0, 0);
    const AltAzLocn& northHorizon = altAz[41 * 18];
    expectVector(northHorizon.horX, northHorizon.horY, northHorizon.horZ, -1, 0, 0);
    const AltAzLocn& westAt40 = altAz[41 * 9 + 20];  // azimuth 270, altitude 40
    expectVector(westAt40.horX, westAt40.horY, westAt40.horZ, 0, std::cos(40 * kDegree),
                 -std::sin(40 * kDegree));
    for (int line = 0; line < 36; ++line)
        EXPECT_NEAR(altAz[std::size_t(41 * line + 40)].horZ, -std::sin(80 * kDegree), 1e-12);
}

TEST_F(ShippedGrids, AltitudeCirclesZenithAndCompassMarks)
{
    ASSERT_EQ(altAz.size(), 3114u);
    for (int circle = 0; circle < 9; ++circle) {
        for (int n = 0; n < 181; n += 30)
            EXPECT_NEAR(altAz[std::size_t(1476 + 181 * circle + n)].horZ, -std::sin(10 * circle * kDegree),
                        1e-12);
    }
    expectVector(altAz[3105].horX, altAz[3105].horY, altAz[3105].horZ, 0, 0, -1);
    const double h = std::sqrt(0.5);
    const double marks[8][2] = {{1, 0}, {h, h}, {0, 1}, {-h, h}, {-1, 0}, {-h, -h}, {0, -1}, {h, -h}};
    for (int k = 0; k < 8; ++k)  // S, SW, W, NW, N, NE, E, SE
        expectVector(altAz[std::size_t(3106 + k)].horX, altAz[std::size_t(3106 + k)].horY,
                     altAz[std::size_t(3106 + k)].horZ, marks[k][0], marks[k][1], 0);
}

}  // namespace
