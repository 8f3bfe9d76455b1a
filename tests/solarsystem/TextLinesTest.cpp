#include "solarsystem/smallbodies/TextLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

Lines contents(std::string_view text, int slices = 1)
{
    const TextLines lines(text, slices);
    Lines result;
    for (std::size_t i = 0; i < lines.count(); ++i)
        result.emplace_back(lines.content(i));
    return result;
}

TEST(TextLines, LineFeedCarriageReturnBothAndNoneAtTheEnd)
{
    const Lines abc{"alpha", "beta", "gamma"};
    for (const char* text : {"alpha\nbeta\ngamma\n", "alpha\rbeta\rgamma\r", "alpha\r\nbeta\r\ngamma\r\n",
                             "alpha\r\nbeta\ngamma\r", "alpha\nbeta\ngamma", "alpha\r\nbeta\r\ngamma"})
        EXPECT_EQ(contents(text), abc) << text;
    EXPECT_EQ(contents("alpha\n\n"), (Lines{"alpha", ""}));
    EXPECT_EQ(contents("alpha\r\r\n"), (Lines{"alpha", ""}));
    EXPECT_EQ(contents("\nalpha"), (Lines{"", "alpha"}));
    EXPECT_EQ(contents(""), Lines{});

    const TextLines lines("ab\r\ncd\ref\n");
    ASSERT_EQ(lines.count(), 3u);
    EXPECT_EQ(lines.line(0), "ab\r\n");
    EXPECT_EQ(lines.line(1), "cd\r");
    EXPECT_EQ(lines.line(2), "ef\n");
}

// Lines of every length from 0 to 40 with the three breaks in turn put slice
// edges everywhere, CR-LF pairs included.
TEST(TextLines, AnyNumberOfScanningThreadsGivesTheSameLines)
{
    std::string text;
    const char* breaks[] = {"\n", "\r\n", "\r"};
    for (int i = 0; i < 120; ++i)
        text += std::string(std::size_t(i % 41), char('a' + i % 26)) + breaks[i % 3];
    const Lines one = contents(text);
    ASSERT_EQ(one.size(), 120u);
    for (int k = 2; k <= 8; ++k)
        EXPECT_EQ(contents(text, k), one) << k;
    EXPECT_EQ(contents("ab\r\ncd", 2), (Lines{"ab", "cd"}));  // slices "ab\r" and "\ncd"
}

// A character above 127 or a NUL anywhere, in a vector step or the tail,
// whatever slice holds it, makes the text other than ASCII.
TEST(TextLines, AnyHighCharacterOrNulMakesTheTextOtherThanAscii)
{
    const std::string text(100, 'a');
    for (int k = 1; k <= 3; ++k) {
        EXPECT_TRUE(TextLines(text, k).isAscii());
        EXPECT_TRUE(TextLines("\x7f\x01\n", k).isAscii());
        for (const char unusual : {'\0', '\x80', '\xE9', '\xFF'}) {
            for (const std::size_t at : {std::size_t(0), std::size_t(17), std::size_t(50), std::size_t(99)}) {
                std::string changed = text;
                changed[at] = unusual;
                EXPECT_FALSE(TextLines(changed, k).isAscii()) << k << ", " << at << ", " << int(unusual);
            }
        }
    }
}

}  // namespace
