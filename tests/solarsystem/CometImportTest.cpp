#include "solarsystem/smallbodies/CometImport.h"
#include "solarsystem/MpcLines.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The lines joined, each followed by `lineBreak`.
std::string file(std::initializer_list<std::string_view> lines, std::string_view lineBreak = "\n")
{
    std::string text;
    for (const std::string_view line : lines) {
        text += line;
        text += lineBreak;
    }
    return text;
}

std::string patched(std::string_view line, std::size_t column, std::string_view text)
{
    std::string s(line);
    s.replace(column - 1, text.size(), text);
    return s;
}

CometImport::Result parseOne(std::string_view line)
{
    return CometImport::parse(file({line}));
}

comet only(std::string_view line)
{
    CometImport::Result result = parseOne(line);
    EXPECT_EQ(result.status, CometImport::Status::Ok);
    EXPECT_EQ(result.comets.size(), 1u);
    return result.comets.empty() ? comet{} : result.comets.front();
}

TEST(CometImportColumns, HaleBoppEveryField)
{
    const comet c = only(MpcLines::kHaleBopp);
    EXPECT_STREQ(c.name, "C/1995 O1 (Hale-Bopp)");
    EXPECT_EQ(int(c.perihelionYear), 1997);
    EXPECT_EQ(int(c.perihelionMonth), 3);
    EXPECT_FLOAT_EQ(float(c.perihelionDay), 29.7209f);
    EXPECT_FLOAT_EQ(float(c.perihelionDistance), 0.894241f);
    EXPECT_FLOAT_EQ(float(c.eccentricity), 0.994965f);
    EXPECT_FLOAT_EQ(float(c.argPerihelion), 130.4440f);
    EXPECT_FLOAT_EQ(float(c.node), 282.9923f);
    EXPECT_FLOAT_EQ(float(c.inclination), 89.1641f);
    EXPECT_FLOAT_EQ(float(c.absMagnitude), -2.0f);
    EXPECT_FLOAT_EQ(float(c.slope), 4.0f);
    EXPECT_EQ(c.index, 0u);
    EXPECT_EQ(c.state, 0);
    EXPECT_EQ(double(c.horZ), 0.0);
    EXPECT_EQ(float(c.screenX), 0.0f);
}

TEST(CometImportColumns, PeriodicCometFragment)
{
    const comet c = only(MpcLines::kSchwassmannWachmannT);
    EXPECT_STREQ(c.name, "73P-T/Schwassmann-Wachmann");
    EXPECT_EQ(int(c.perihelionYear), 2022);
    EXPECT_FLOAT_EQ(float(c.perihelionDay), 27.1970f);
}

TEST(CometImportColumns, PerihelionBeyondTenAuIsReadWhole)
{
    const comet c = only(MpcLines::kAtlas2019E3);
    EXPECT_FLOAT_EQ(float(c.perihelionDay), 13.7967f);
    EXPECT_FLOAT_EQ(float(c.perihelionDistance), 10.313817f);
    EXPECT_FLOAT_EQ(float(c.eccentricity), 1.002103f);
}

TEST(CometImportName, LongTextIsCutToColumns103To136)
{
    // A 40-character name text: columns 103-136 are kept, trimmed.
    std::string line(MpcLines::kEncke.substr(0, 102));
    line += "P/2099 Z1 (Longname-Longername-Longest)";
    EXPECT_STREQ(only(line).name, "P/2099 Z1 (Longname-Longername-Lon");
}

TEST(CometImportName, NameOfExactly34CharactersIsKept)
{
    std::string line(MpcLines::kEncke.substr(0, 102));
    line += "   P/2099 Z1 (Abcdefghij-Klmnopqrstu)   ";
    EXPECT_STREQ(only(line).name, "P/2099 Z1 (Abcdefghij-Klmnopqrstu)");
    EXPECT_EQ(std::string(only(line).name).size(), 34u);
}

TEST(CometImportRange, EdgesAreAcceptedAndStepsBeyondStopTheImport)
{
    EXPECT_EQ(int(only(patched(MpcLines::kEncke, 15, "1000")).perihelionYear), 1000);
    EXPECT_EQ(int(only(patched(MpcLines::kEncke, 15, "3000")).perihelionYear), 3000);
    EXPECT_EQ(int(only(patched(MpcLines::kEncke, 20, "12")).perihelionMonth), 12);
    EXPECT_FLOAT_EQ(float(only(patched(MpcLines::kEncke, 23, "33.0000")).perihelionDay), 33.0f);
    EXPECT_FLOAT_EQ(float(only(patched(MpcLines::kEncke, 23, " 1.0000")).perihelionDay), 1.0f);

    for (const auto& [column, text] : {std::pair{15, " 999"}, {15, "3001"}, {20, "00"}, {20, "13"},
                                       {23, " 0.9900"}, {23, "33.0100"}}) {
        const CometImport::Result result = parseOne(patched(MpcLines::kEncke, column, text));
        EXPECT_EQ(result.status, CometImport::Status::RangeError) << text;
        EXPECT_TRUE(result.comets.empty());
    }
}

TEST(CometImportRange, YearsBeyondSixteenBitsWrapBeforeTheCheck)
{
    // 66536 is stored as 1000 in the 16-bit field, and the check sees that.
    EXPECT_EQ(int(only(patched(MpcLines::kEncke, 15, "66536")).perihelionYear), 1000);
}

TEST(CometImportRange, ABadLineAnywhereStopsTheWholeImport)
{
    const CometImport::Result result = CometImport::parse(
        file({MpcLines::kHaleBopp, MpcLines::kEncke, patched(MpcLines::kEncke, 20, "13")}));
    EXPECT_EQ(result.status, CometImport::Status::RangeError);
    EXPECT_EQ(result.badLine, 2u);
    EXPECT_TRUE(result.comets.empty());
}

TEST(CometImportLines, EveryLineIsAComet)
{
    for (const std::string_view lineBreak : {"\n", "\r", "\r\n"}) {
        const CometImport::Result result = CometImport::parse(
            file({MpcLines::kHaleBopp, MpcLines::kEncke, MpcLines::kSchwassmannWachmannT}, lineBreak));
        ASSERT_EQ(result.status, CometImport::Status::Ok);
        ASSERT_EQ(result.comets.size(), 3u);
        EXPECT_STREQ(result.comets[1].name, "2P/Encke");
        EXPECT_EQ(result.comets[2].index, 2u);
    }
    std::string noFinalBreak = file({MpcLines::kHaleBopp});
    noFinalBreak += MpcLines::kEncke;
    EXPECT_EQ(CometImport::parse(noFinalBreak).comets.size(), 2u);
}

TEST(CometImportLines, AShortLineHoldsNoCometAndStopsNothing)
{
    const CometImport::Result result = CometImport::parse(
        file({MpcLines::kHaleBopp, MpcLines::kEncke.substr(0, 60), MpcLines::kEncke}));
    ASSERT_EQ(result.status, CometImport::Status::Ok);
    ASSERT_EQ(result.comets.size(), 2u);
    EXPECT_STREQ(result.comets[1].name, "2P/Encke");
    EXPECT_EQ(result.comets[1].index, 1u);
}

TEST(CometImportLines, ShortTextOrShortLastLineIsAFormatError)
{
    EXPECT_EQ(CometImport::parse("").status, CometImport::Status::FormatError);
    EXPECT_EQ(CometImport::parse("123456789").status, CometImport::Status::FormatError);
    // A trailing empty line is a last line of one character.
    EXPECT_EQ(CometImport::parse(file({MpcLines::kEncke}) + "\n").status,
              CometImport::Status::FormatError);
    std::string shortLast = file({MpcLines::kEncke});
    shortLast += "12345678\n";
    EXPECT_EQ(CometImport::parse(shortLast).status, CometImport::Status::FormatError);
}

}  // namespace
