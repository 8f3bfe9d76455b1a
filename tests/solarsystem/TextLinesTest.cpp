#include "solarsystem/TextLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> contents(std::string_view text)
{
    const TextLines lines(text);
    std::vector<std::string> result;
    for (std::size_t i = 0; i < lines.count(); ++i)
        result.emplace_back(lines.content(i));
    return result;
}

using Lines = std::vector<std::string>;

TEST(TextLinesBreaks, LineFeedCarriageReturnAndBothReadAlike)
{
    const Lines expected{"alpha", "beta", "gamma"};
    EXPECT_EQ(contents("alpha\nbeta\ngamma\n"), expected);
    EXPECT_EQ(contents("alpha\rbeta\rgamma\r"), expected);
    EXPECT_EQ(contents("alpha\r\nbeta\r\ngamma\r\n"), expected);
    EXPECT_EQ(contents("alpha\r\nbeta\ngamma\r"), expected);
}

TEST(TextLinesBreaks, TheLastLineNeedsNoBreak)
{
    EXPECT_EQ(contents("alpha\nbeta"), (Lines{"alpha", "beta"}));
    EXPECT_EQ(contents("alpha\r\nbeta"), (Lines{"alpha", "beta"}));
}

TEST(TextLinesBreaks, EmptyLinesCount)
{
    EXPECT_EQ(contents("alpha\n\n"), (Lines{"alpha", ""}));
    EXPECT_EQ(contents("alpha\r\r\n"), (Lines{"alpha", ""}));
    EXPECT_EQ(contents("\nalpha"), (Lines{"", "alpha"}));
    EXPECT_EQ(contents(""), Lines{});
}

TEST(TextLinesBreaks, LinesKeepTheirBreak)
{
    const TextLines lines("ab\r\ncd\ref\n");
    ASSERT_EQ(lines.count(), 3u);
    EXPECT_EQ(lines.line(0), "ab\r\n");
    EXPECT_EQ(lines.line(1), "cd\r");
    EXPECT_EQ(lines.line(2), "ef\n");
}

}  // namespace
