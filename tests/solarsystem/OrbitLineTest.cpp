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

TEST(OrbitLineColumns, RealLines)
{
    const minorPlanet ceres = parsed(MpcLines::kCeres);
    EXPECT_STREQ(ceres.designation, "00001  ");
    EXPECT_STREQ(ceres.name, "(1) Ceres");
    EXPECT_FLOAT_EQ(float(ceres.absMagnitude), 3.35f);
    EXPECT_FLOAT_EQ(float(ceres.slope), 0.15f);
    EXPECT_EQ(int(ceres.epochYear), 2025);
    EXPECT_EQ(int(ceres.epochMonth), 11);       // B
    EXPECT_FLOAT_EQ(float(ceres.epochDay), 21.0f);  // L
    EXPECT_FLOAT_EQ(float(ceres.meanAnomaly), 231.53975f);
    EXPECT_FLOAT_EQ(float(ceres.argPerihelion), 73.29974f);
    EXPECT_FLOAT_EQ(float(ceres.node), 80.24963f);
    EXPECT_FLOAT_EQ(float(ceres.inclination), 10.58789f);
    EXPECT_FLOAT_EQ(float(ceres.eccentricity), 0.0795763f);
    EXPECT_FLOAT_EQ(float(ceres.semiMajorAxis), 2.7656157f);

    const minorPlanet vesta = parsed(MpcLines::kVesta);
    EXPECT_STREQ(vesta.name, "(4) Vesta");
    EXPECT_FLOAT_EQ(float(vesta.meanAnomaly), 26.80968f);

    // Near-Earth objects: the name stops before the observation date.
    const minorPlanet eros = parsed(MpcLines::kEros);
    EXPECT_STREQ(eros.name, "(433) Eros");
    EXPECT_FLOAT_EQ(float(eros.slope), 0.46f);
    const minorPlanet ko2 = parsed(MpcLines::k2019KO2);
    EXPECT_STREQ(ko2.designation, "K19K02O");
    EXPECT_STREQ(ko2.name, "2019 KO2");
    EXPECT_FLOAT_EQ(float(ko2.absMagnitude), 19.9f);
    EXPECT_EQ(int(ko2.epochYear) * 10000 + int(ko2.epochMonth) * 100 + int(float(ko2.epochDay)), 20190702);
    EXPECT_FLOAT_EQ(float(ko2.eccentricity), 0.5486410f);

    // Numbers above 99,999: a letter and four digits, or from 620,000 on the tilde form.
    const minorPlanet letter = parsed(MpcLines::k617103);
    EXPECT_STREQ(letter.designation, "z7103  ");
    EXPECT_STREQ(letter.name, "(617103) 2003 FM129");
    EXPECT_EQ(int(letter.epochYear) * 100 + int(letter.epochMonth), 202208);
    EXPECT_FLOAT_EQ(float(letter.semiMajorAxis), 50.5344404f);
    const minorPlanet tilde = parsed(MpcLines::kTildeNumbered);
    EXPECT_STREQ(tilde.designation, "~0K8Q  ");
    EXPECT_STREQ(tilde.name, "(697402) 2003 FM129");
    EXPECT_FLOAT_EQ(float(tilde.meanAnomaly), 351.69331f);

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
