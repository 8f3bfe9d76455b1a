#include "solarsystem/smallbodies/CometImport.h"
#include "solarsystem/MpcLines.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The lines joined, each followed by `lineBreak`.
std::string file(std::initializer_list<std::string_view> lines, std::string_view lineBreak = "\n")
{
    std::string text;
    for (const std::string_view line : lines)
        (text += line) += lineBreak;
    return text;
}

// Encke's line with `text` written over it from `column` (counted from 1).
std::string encke(std::size_t column, std::string_view text)
{
    std::string s(MpcLines::kEncke);
    s.replace(column - 1, text.size(), text);
    return s;
}

comet only(std::string_view line)
{
    const CometImport::Result result = CometImport::parse(file({line}));
    EXPECT_EQ(result.status, CometImport::Status::Ok);
    EXPECT_EQ(result.comets.size(), 1u);
    return result.comets.empty() ? comet{} : result.comets.front();
}

TEST(CometImportColumns, RealLines)
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

    const comet fragment = only(MpcLines::kSchwassmannWachmannT);
    EXPECT_STREQ(fragment.name, "73P-T/Schwassmann-Wachmann");
    EXPECT_EQ(int(fragment.perihelionYear), 2022);
    EXPECT_FLOAT_EQ(float(fragment.perihelionDay), 27.1970f);

    // q beyond 10 AU reaches into column 31, the day's last.
    const comet atlas = only(MpcLines::kAtlas2019E3);
    EXPECT_FLOAT_EQ(float(atlas.perihelionDay), 13.7967f);
    EXPECT_FLOAT_EQ(float(atlas.perihelionDistance), 10.313817f);
    EXPECT_FLOAT_EQ(float(atlas.eccentricity), 1.002103f);
}

// Columns 103-136 are kept, trimmed: a 40-character text is cut, 34 characters stay whole.
TEST(CometImportColumns, NameIsCutToColumns103To136)
{
    const std::string start(MpcLines::kEncke.substr(0, 102));
    EXPECT_STREQ(only(start + "P/2099 Z1 (Longname-Longername-Longest)").name, "P/2099 Z1 (Longname-Longername-Lon");
    EXPECT_STREQ(only(start + "   P/2099 Z1 (Abcdefghij-Klmnopqrstu)   ").name, "P/2099 Z1 (Abcdefghij-Klmnopqrstu)");
}

TEST(CometImportRange, EdgesAreAcceptedAndStepsBeyondStopTheImport)
{
    EXPECT_EQ(int(only(encke(15, "1000")).perihelionYear), 1000);
    EXPECT_EQ(int(only(encke(15, "3000")).perihelionYear), 3000);
    EXPECT_EQ(int(only(encke(20, "12")).perihelionMonth), 12);
    EXPECT_FLOAT_EQ(float(only(encke(23, "33.0000")).perihelionDay), 33.0f);
    EXPECT_FLOAT_EQ(float(only(encke(23, " 1.0000")).perihelionDay), 1.0f);
    // 66536 is stored as 1000 in the 16-bit field, and the check sees that.
    EXPECT_EQ(int(only(encke(15, "66536")).perihelionYear), 1000);

    for (const auto& [column, text] :
         {std::pair{15, " 999"}, {15, "3001"}, {20, "00"}, {20, "13"}, {23, " 0.9900"}, {23, "33.0100"}}) {
        const CometImport::Result result = CometImport::parse(file({encke(column, text)}));
        EXPECT_EQ(result.status, CometImport::Status::RangeError) << text;
        EXPECT_TRUE(result.comets.empty());
    }
    const CometImport::Result late = CometImport::parse(file({MpcLines::kHaleBopp, MpcLines::kEncke, encke(20, "13")}));
    EXPECT_EQ(late.status, CometImport::Status::RangeError);
    EXPECT_EQ(late.badLine, 2u);
    EXPECT_TRUE(late.comets.empty());
}

TEST(CometImportLines, EveryBreakAndAShortLineThatHoldsNoComet)
{
    for (const std::string_view lineBreak : {"\n", "\r", "\r\n"}) {
        const CometImport::Result result = CometImport::parse(
            file({MpcLines::kHaleBopp, MpcLines::kEncke.substr(0, 60), MpcLines::kEncke, MpcLines::kSchwassmannWachmannT},
                 lineBreak));
        ASSERT_EQ(result.status, CometImport::Status::Ok);
        ASSERT_EQ(result.comets.size(), 3u);
        EXPECT_STREQ(result.comets[1].name, "2P/Encke");
        EXPECT_EQ(result.comets[1].index, 1u);
        EXPECT_EQ(result.comets[2].index, 2u);
    }
    EXPECT_EQ(CometImport::parse(file({MpcLines::kHaleBopp}) + std::string(MpcLines::kEncke)).comets.size(), 2u);
}

// A trailing empty line is a last line of one character.
TEST(CometImportLines, ShortTextOrShortLastLineIsAFormatError)
{
    for (const std::string& text : {std::string(), std::string("123456789"), file({MpcLines::kEncke}) + "\n",
                                    file({MpcLines::kEncke}) + "12345678\n"})
        EXPECT_EQ(CometImport::parse(text).status, CometImport::Status::FormatError) << text.size();
}

}  // namespace
