#include "solarsystem/MpcLines.h"
#include "solarsystem/smallbodies/OrbitLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

minorPlanet parsed(std::string_view line, bool expectAccepted = true)
{
    minorPlanet m{};
    EXPECT_EQ(OrbitLine::parse(line, m), expectAccepted) << line;
    return m;
}

// The line with `text` written over it from column `column` (counted from 1).
std::string patched(std::string_view line, std::size_t column, std::string_view text)
{
    std::string s(line);
    s.replace(column - 1, text.size(), text);
    return s;
}

std::string nameOf(std::string_view line)
{
    char name[21];
    OrbitLine::readableName(line, name);
    return name;
}

// Near-Earth objects carry the last observation date after the name; numbers
// above 99,999 pack into a letter and four digits, from 620,000 on into the tilde form.
TEST(OrbitLineColumns, RealLines)
{
    const struct {
        std::string_view line;
        const char *designation, *name;
        int year, month;
        float day, H, G, M, peri, node, incl, e, a;
    } rows[] = {
        {MpcLines::kCeres, "00001  ", "(1) Ceres", 2025, 11, 21, 3.35f, 0.15f, 231.53975f, 73.29974f, 80.24963f,
         10.58789f, 0.0795763f, 2.7656157f},
        {MpcLines::kVesta, "00004  ", "(4) Vesta", 2025, 11, 21, 3.25f, 0.15f, 26.80968f, 151.53712f, 103.70232f,
         7.14406f, 0.0901676f, 2.3615413f},
        {MpcLines::kEros, "00433  ", "(433) Eros", 2019, 7, 2, 11.16f, 0.46f, 84.17190f, 178.83549f, 304.30424f,
         10.82858f, 0.2227385f, 1.4581823f},
        {MpcLines::k2019KO2, "K19K02O", "2019 KO2", 2019, 7, 2, 19.9f, 0.15f, 346.71882f, 89.49203f, 227.80133f,
         23.99519f, 0.5486410f, 2.6487504f},
        {MpcLines::k617103, "z7103  ", "(617103) 2003 FM129", 2022, 8, 9, 6.43f, 0.15f, 351.69331f, 49.97925f,
         209.75227f, 17.92661f, 0.2776394f, 50.5344404f},
        {MpcLines::kTildeNumbered, "~0K8Q  ", "(697402) 2003 FM129", 2022, 8, 9, 6.43f, 0.15f, 351.69331f,
         49.97925f, 209.75227f, 17.92661f, 0.2776394f, 50.5344404f},
    };
    for (const auto& row : rows) {
        const minorPlanet m = parsed(row.line);
        EXPECT_STREQ(m.designation, row.designation);
        EXPECT_STREQ(m.name, row.name);
        EXPECT_EQ(int(m.epochYear), row.year) << row.name;
        EXPECT_EQ(int(m.epochMonth), row.month) << row.name;
        const float got[] = {m.epochDay, m.absMagnitude, m.slope, m.meanAnomaly, m.argPerihelion,
                             m.node, m.inclination, m.eccentricity, m.semiMajorAxis};
        const float want[] = {row.day, row.H, row.G, row.M, row.peri, row.node, row.incl, row.e, row.a};
        for (std::size_t i = 0; i < std::size(got); ++i)
            EXPECT_FLOAT_EQ(got[i], want[i]) << row.name << " field " << i;
    }

    // Blank magnitude columns give the defaults; the slope in columns 15-20 is then ignored.
    const minorPlanet blank = parsed(patched(MpcLines::kCeres, 9, "       0.40"));
    EXPECT_FLOAT_EQ(float(blank.absMagnitude), 20.0f);
    EXPECT_FLOAT_EQ(float(blank.slope), 0.15f);
}

// Packed epochs: century letter, two digits, month and day characters. Two
// digits cannot leave 1000..3000; a sign is read like a digit.
TEST(OrbitLineEpoch, CenturyLettersPackedDigitsAndRangeEdges)
{
    const struct {
        const char* packed;
        int year, month, day;  // 0: refused
    } cases[] = {
        {"K24AM", 2024, 10, 22}, {"J9611", 1996, 1, 1}, {"I9911", 1899, 1, 1}, {"I-911", 1791, 1, 1},
        {"K25C1", 2025, 12, 1},  {"K2519", 2025, 1, 9}, {"K251X", 2025, 1, 33}, {"K250L", 0, 0, 0},
        {"K25DL", 0, 0, 0},      {"K25 L", 0, 0, 0},    {"K25B0", 0, 0, 0},     {"K25BY", 0, 0, 0},
    };
    for (const auto& c : cases) {
        const minorPlanet m = parsed(patched(MpcLines::kCeres, 21, c.packed), c.year != 0);
        if (c.year != 0) {
            EXPECT_EQ(int(m.epochYear), c.year) << c.packed;
            EXPECT_EQ(int(m.epochMonth), c.month) << c.packed;
            EXPECT_FLOAT_EQ(float(m.epochDay), float(c.day)) << c.packed;
        }
    }
    EXPECT_EQ(OrbitLine::packedEpochDigit('V'), 31);
}

TEST(OrbitLineShort, ShortLinesAreRejectedWithoutReadingPastTheirEnd)
{
    parsed(MpcLines::kCeres.substr(0, OrbitLine::kMinimumLength));
    parsed(MpcLines::kCeres.substr(0, OrbitLine::kMinimumLength - 1), false);
    parsed("", false);
    EXPECT_STREQ(parsed(MpcLines::kCeres.substr(0, 166)).name, "");  // elements but no name
}

// The readable name once stopped at the first blank ("(9007) James"): now the
// designation columns, trimmed and cut to 20 characters, never reaching the
// observation date of the near-Earth lists (2019 KO2).
TEST(OrbitLineName, MultiWordNamesTrimmedAndCutToTheField)
{
    const struct {
        std::string_view line;
        const char* columns167To194;
        const char* name;
    } cases[] = {
        {MpcLines::kCeres, "   (9007) James Bond         ", "(9007) James Bond"},
        {MpcLines::kCeres, "(12345) Abcdefghijkl        ", "(12345) Abcdefghijkl"},
        {MpcLines::kCeres, "(12345) Abc Def Ghijklmno    ", "(12345) Abc Def Ghij"},
        {MpcLines::kCeres, "(12345) Abc          Ghijklmn", "(12345) Abc"},
        {MpcLines::kCeres, "                            ", ""},
        {MpcLines::k2019KO2, "  (100000) Astronautica     ", "(100000) Astronautic"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nameOf(patched(c.line, 167, c.columns167To194)), c.name) << c.columns167To194;
}

}  // namespace
