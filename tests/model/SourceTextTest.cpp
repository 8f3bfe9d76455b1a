#include "model/catalogue/SourceText.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace {

using Fields = std::vector<std::string_view>;

Fields recordFields(const SourceText& text, std::size_t i)
{
    Fields fields;
    text.splitRecord(i, fields);
    return fields;
}

}  // namespace

TEST(SourceText, CountComesFromTheFirstFieldOfTheFirstLine)
{
    EXPECT_EQ(SourceText::fromBytes("12\tstars of the catalogue\na\tb\n").declaredCount(), 12);
    EXPECT_EQ(SourceText::fromBytes("-5\n").declaredCount(), -5);
    EXPECT_EQ(SourceText::fromBytes("stars\n1\t2\n").declaredCount(), 0);
    EXPECT_EQ(SourceText::fromBytes("").declaredCount(), 0);
    EXPECT_EQ(SourceText::fromBytes("").recordLineCount(), 0u);
    SourceText unreadable;
    EXPECT_FALSE(unreadable.read("/nonexistent/BuildStar.txt"));
}

TEST(SourceText, LinesAndFields)
{
    for (const char* bytes :
         {"2\na\tb\nc\td\n", "2\r\na\tb\r\nc\td\r\n", "2\ra\tb\rc\td\r", "2\na\tb\nc\td"}) {
        const SourceText text = SourceText::fromBytes(bytes);
        ASSERT_EQ(text.recordLineCount(), 2u) << bytes;
        EXPECT_EQ(recordFields(text, 1), (Fields{"c", "d"})) << bytes;
    }
    // Every tab splits, empty fields are kept; a blank line is one empty field.
    const SourceText text = SourceText::fromBytes("3\n\tx\t\t \t\n\nc\td\n");
    ASSERT_EQ(text.recordLineCount(), 3u);
    EXPECT_EQ(recordFields(text, 0), (Fields{"", "x", "", " ", ""}));
    EXPECT_EQ(recordFields(text, 1), (Fields{""}));
}
