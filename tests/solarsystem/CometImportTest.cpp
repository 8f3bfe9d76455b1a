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

// 73P-T is a fragment; q beyond 10 AU reaches into column 31, the day's last.
TEST(CometImportColumns, RealLines)
{
    const struct {
        std::string_view line;
        const char* name;
        int year, month;
        float day, q, e, peri, node, incl, H, slope;
    } rows[] = {
        {MpcLines::kHaleBopp, "C/1995 O1 (Hale-Bopp)", 1997, 3, 29.7209f, 0.894241f, 0.994965f, 130.4440f, 282.9923f,
         89.1641f, -2.0f, 4.0f},
        {MpcLines::kEncke, "2P/Encke", 2020, 6, 28.7776f, 0.333415f, 0.849728f, 186.7465f, 334.4885f, 11.7268f, 11.5f,
         6.0f},
        {MpcLines::kSchwassmannWachmannT, "73P-T/Schwassmann-Wachmann", 2022, 8, 27.1970f, 0.972806f, 0.685604f,
         199.4610f, 69.6177f, 11.2296f, 11.5f, 6.0f},
        {MpcLines::kAtlas2019E3, "C/2019 E3 (ATLAS)", 2023, 11, 13.7967f, 10.313817f, 1.002103f, 280.6469f, 347.2535f,
         84.2975f, 2.5f, 4.0f},
    };
    for (const auto& row : rows) {
        const comet c = only(row.line);
        EXPECT_STREQ(c.name, row.name);
        EXPECT_EQ(int(c.perihelionYear), row.year) << row.name;
        EXPECT_EQ(int(c.perihelionMonth), row.month) << row.name;
        const float got[] = {float(c.perihelionDay), float(c.perihelionDistance), float(c.eccentricity),
                             float(c.argPerihelion), float(c.node), float(c.inclination), float(c.absMagnitude),
                             float(c.slope)};
        const float want[] = {row.day, row.q, row.e, row.peri, row.node, row.incl, row.H, row.slope};
        for (std::size_t i = 0; i < std::size(got); ++i)
            EXPECT_FLOAT_EQ(got[i], want[i]) << row.name << " field " << i;
    }
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
            file({MpcLines::kHaleBopp, MpcLines::kEncke.substr(0, 60), MpcLines::kEncke,
                  MpcLines::kSchwassmannWachmannT},
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
