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

TEST(OrbitLineColumns, CeresEveryField)
{
    const minorPlanet m = parsed(MpcLines::kCeres);
    EXPECT_STREQ(m.designation, "00001  ");
    EXPECT_STREQ(m.name, "(1) Ceres");
    EXPECT_FLOAT_EQ(float(m.absMagnitude), 3.35f);
    EXPECT_FLOAT_EQ(float(m.slope), 0.15f);
    EXPECT_EQ(int(m.epochYear), 2025);
    EXPECT_EQ(int(m.epochMonth), 11);  // B
    EXPECT_FLOAT_EQ(float(m.epochDay), 21.0f);  // L
    EXPECT_FLOAT_EQ(float(m.meanAnomaly), 231.53975f);
    EXPECT_FLOAT_EQ(float(m.argPerihelion), 73.29974f);
    EXPECT_FLOAT_EQ(float(m.node), 80.24963f);
    EXPECT_FLOAT_EQ(float(m.inclination), 10.58789f);
    EXPECT_FLOAT_EQ(float(m.eccentricity), 0.0795763f);
    EXPECT_FLOAT_EQ(float(m.semiMajorAxis), 2.7656157f);
}

TEST(OrbitLineColumns, VestaAndAnUnnumberedNeo)
{
    const minorPlanet vesta = parsed(MpcLines::kVesta);
    EXPECT_STREQ(vesta.name, "(4) Vesta");
    EXPECT_FLOAT_EQ(float(vesta.meanAnomaly), 26.80968f);
    EXPECT_FLOAT_EQ(float(vesta.semiMajorAxis), 2.3615413f);

    const minorPlanet ko2 = parsed(MpcLines::k2019KO2);
    EXPECT_STREQ(ko2.designation, "K19K02O");
    EXPECT_STREQ(ko2.name, "2019 KO2");
    EXPECT_FLOAT_EQ(float(ko2.absMagnitude), 19.9f);
    EXPECT_EQ(int(ko2.epochYear), 2019);
    EXPECT_EQ(int(ko2.epochMonth), 7);
    EXPECT_FLOAT_EQ(float(ko2.epochDay), 2.0f);
    EXPECT_FLOAT_EQ(float(ko2.eccentricity), 0.5486410f);
}

TEST(OrbitLineColumns, NeoNameStopsBeforeTheObservationDate)
{
    const minorPlanet eros = parsed(MpcLines::kEros);
    EXPECT_STREQ(eros.name, "(433) Eros");
    EXPECT_FLOAT_EQ(float(eros.slope), 0.46f);
}

TEST(OrbitLineColumns, PackedNumbersAboveOneHundredThousandKeepTheirDesignation)
{
    const minorPlanet letter = parsed(MpcLines::k617103);
    EXPECT_STREQ(letter.designation, "z7103  ");
    EXPECT_STREQ(letter.name, "(617103) 2003 FM129");
    EXPECT_EQ(int(letter.epochYear), 2022);
    EXPECT_EQ(int(letter.epochMonth), 8);
    EXPECT_FLOAT_EQ(float(letter.semiMajorAxis), 50.5344404f);

    const minorPlanet tilde = parsed(MpcLines::kTildeNumbered);
    EXPECT_STREQ(tilde.designation, "~0K8Q  ");
    EXPECT_STREQ(tilde.name, "(697402) 2003 FM129");
    EXPECT_FLOAT_EQ(float(tilde.meanAnomaly), 351.69331f);
}

TEST(OrbitLineMagnitude, BlankMagnitudeColumnsGiveTheDefaults)
{
    // Columns 15-20 hold a slope that must be ignored.
    const std::string line = patched(MpcLines::kCeres, 9, "       0.40");
    const minorPlanet m = parsed(line);
    EXPECT_FLOAT_EQ(float(m.absMagnitude), 20.0f);
    EXPECT_FLOAT_EQ(float(m.slope), 0.15f);
}

TEST(OrbitLineEpoch, CenturyLettersAndPackedDigits)
{
    const minorPlanet k24 = parsed(patched(MpcLines::kCeres, 21, "K24AM"));
    EXPECT_EQ(int(k24.epochYear), 2024);
    EXPECT_EQ(int(k24.epochMonth), 10);
    EXPECT_FLOAT_EQ(float(k24.epochDay), 22.0f);

    const minorPlanet j96 = parsed(patched(MpcLines::kCeres, 21, "J9611"));
    EXPECT_EQ(int(j96.epochYear), 1996);
    EXPECT_EQ(int(j96.epochMonth), 1);
    EXPECT_FLOAT_EQ(float(j96.epochDay), 1.0f);

    EXPECT_EQ(int(parsed(patched(MpcLines::kCeres, 21, "I9911")).epochYear), 1899);
    // Two columns cannot leave 1000..3000; a sign is read like a digit.
    EXPECT_EQ(int(parsed(patched(MpcLines::kCeres, 21, "I-911")).epochYear), 1791);
    EXPECT_EQ(OrbitLine::packedEpochDigit('V'), 31);
}

TEST(OrbitLineEpoch, RangeEdges)
{
    parsed(patched(MpcLines::kCeres, 21, "K25C1"));   // month 12
    parsed(patched(MpcLines::kCeres, 21, "K2519"));   // day 9
    parsed(patched(MpcLines::kCeres, 21, "K251X"));   // day 33
    parsed(patched(MpcLines::kCeres, 21, "K250L"), false);  // month 0
    parsed(patched(MpcLines::kCeres, 21, "K25DL"), false);  // month 13
    parsed(patched(MpcLines::kCeres, 21, "K25 L"), false);  // blank month
    parsed(patched(MpcLines::kCeres, 21, "K25B0"), false);  // day 0
    parsed(patched(MpcLines::kCeres, 21, "K25BY"), false);  // day 34
}

TEST(OrbitLineShort, ShortLinesAreRejectedWithoutReadingPastTheirEnd)
{
    parsed(MpcLines::kCeres.substr(0, OrbitLine::kMinimumLength));
    parsed(MpcLines::kCeres.substr(0, OrbitLine::kMinimumLength - 1), false);
    parsed("", false);
    // Long enough for the elements but not for a name.
    EXPECT_STREQ(parsed(MpcLines::kCeres.substr(0, 166)).name, "");
}

TEST(OrbitLineName, MultiWordNamesAreKeptWhole)
{
    const std::string line = patched(MpcLines::kCeres, 167, "   (9007) James Bond         ");
    EXPECT_EQ(nameOf(line), "(9007) James Bond");
}

TEST(OrbitLineName, NamesAreTrimmedAndCutToTheField)
{
    // 20 characters exactly are kept; longer ones are cut to 20 and trimmed.
    EXPECT_EQ(nameOf(patched(MpcLines::kCeres, 167, "(12345) Abcdefghijkl        ")),
              "(12345) Abcdefghijkl");
    EXPECT_EQ(nameOf(patched(MpcLines::kCeres, 167, "(12345) Abc Def Ghijklmno    ")),
              "(12345) Abc Def Ghij");
    EXPECT_EQ(nameOf(patched(MpcLines::kCeres, 167, "(12345) Abc          Ghijklmn")),
              "(12345) Abc");
    EXPECT_EQ(nameOf(patched(MpcLines::kCeres, 167, "                            ")), "");
}

TEST(OrbitLineName, TheObservationDateIsNeverPartOfTheName)
{
    // 2019 KO2: a 20-character field would reach column 194 only.
    EXPECT_EQ(nameOf(patched(MpcLines::k2019KO2, 167, "  (100000) Astronautica     ")),
              "(100000) Astronautic");
}

}  // namespace
