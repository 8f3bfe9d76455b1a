#include "model/catalogue/SourceText.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> recordFields(const SourceText& text, std::size_t i)
{
    std::vector<std::string_view> fields;
    text.splitRecord(i, fields);
    return fields;
}

}  // namespace

TEST(SourceText, CountComesFromTheFirstFieldOfTheFirstLine)
{
    const SourceText text = SourceText::fromBytes("12\tstars of the catalogue\na\tb\n");
    EXPECT_EQ(text.declaredCount(), 12);
    EXPECT_EQ(text.recordLineCount(), 1u);
}

TEST(SourceText, EveryKindOfLineEndSeparatesLines)
{
    for (const char* bytes :
         {"2\na\tb\nc\td\n", "2\r\na\tb\r\nc\td\r\n", "2\ra\tb\rc\td\r", "2\na\tb\nc\td"}) {
        const SourceText text = SourceText::fromBytes(bytes);
        ASSERT_EQ(text.recordLineCount(), 2u) << bytes;
        EXPECT_EQ(recordFields(text, 1), (std::vector<std::string_view>{"c", "d"})) << bytes;
    }
}

TEST(SourceText, FieldsSplitAtEveryTabKeepingEmptyOnes)
{
    const SourceText text = SourceText::fromBytes("1\n\tx\t\t \t\n");
    EXPECT_EQ(recordFields(text, 0), (std::vector<std::string_view>{"", "x", "", " ", ""}));
}

TEST(SourceText, BlankLineInsideTheTextIsARecordLineOfOneEmptyField)
{
    const SourceText text = SourceText::fromBytes("2\na\tb\n\nc\td\n");
    ASSERT_EQ(text.recordLineCount(), 3u);
    EXPECT_EQ(recordFields(text, 1), (std::vector<std::string_view>{""}));
}

TEST(SourceText, CountLineWithoutANumberDeclaresNothing)
{
    EXPECT_EQ(SourceText::fromBytes("stars\n1\t2\n").declaredCount(), 0);
    EXPECT_EQ(SourceText::fromBytes("").declaredCount(), 0);
    EXPECT_EQ(SourceText::fromBytes("").recordLineCount(), 0u);
    EXPECT_EQ(SourceText::fromBytes("-5\n").declaredCount(), -5);
}

TEST(SourceText, UnreadableFileIsReported)
{
    SourceText text;
    EXPECT_FALSE(text.read("/nonexistent/BuildStar.txt"));
}
