#include "solarsystem/smallbodies/TextLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> contents(std::string_view text, int slices = 1)
{
    const TextLines lines(text, slices);
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

TEST(TextLinesSlices, AnyNumberOfScanningThreadsGivesTheSameLines)
{
    // Lines of every length from 0 to 40 with the three breaks in turn, so
    // that slice edges fall everywhere, CR-LF pairs included.
    std::string text;
    const char* breaks[] = {"\n", "\r\n", "\r"};
    for (int i = 0; i < 120; ++i) {
        text += std::string(std::size_t(i % 41), char('a' + i % 26));
        text += breaks[i % 3];
    }
    const Lines one = contents(text);
    ASSERT_EQ(one.size(), 120u);
    for (int k = 2; k <= 8; ++k)
        EXPECT_EQ(contents(text, k), one) << k;
}

TEST(TextLinesSlices, ACarriageReturnLineFeedAcrossTwoSlices)
{
    // Two slices of three characters: "ab\r" and "\ncd".
    EXPECT_EQ(contents("ab\r\ncd", 2), (Lines{"ab", "cd"}));
}

}  // namespace
