#include "solarsystem/MpcLines.h"
#include "solarsystem/smallbodies/OrbitFileParse.h"

#include <gtest/gtest.h>

#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string patched(std::string_view line, std::size_t column, std::string_view text)
{
    std::string s(line);
    s.replace(column - 1, text.size(), text);
    return s;
}

// Real orbits with the mean anomaly (and for numbered ones the designation)
// varied, so that every record of a fixture differs.
std::string orbitLine(bool numbered, int i)
{
    char field[32];
    std::snprintf(field, sizeof field, "%10.5f", (numbered ? 2.5 : 3.5) * i);
    if (!numbered)
        return patched(i % 2 ? MpcLines::k2019KO2 : MpcLines::kTildeNumbered, 27, field);
    const std::string line = patched(i % 2 ? MpcLines::kVesta : MpcLines::kCeres, 27, field);
    std::snprintf(field, sizeof field, "%05d", 10 + i);
    return patched(line, 1, field);
}

// Header, rule, `numbered` orbits, an empty separator, `unnumbered` orbits;
// text() puts the breaks in turn after the lines.
struct OrbitFile {
    OrbitFile(int numbered, int unnumbered)
    {
        lines = {"MINOR PLANET ORBITS", "", "Des'n     H     G   Epoch     M", "", std::string(202, '-')};
        for (int i = 0; i < numbered; ++i)
            lines.push_back(orbitLine(true, i));
        lines.emplace_back();
        for (int i = 0; i < unnumbered; ++i)
            lines.push_back(orbitLine(false, i));
    }
    std::string text(const std::vector<std::string_view>& breaks = {"\n"}) const
    {
        std::string t;
        for (std::size_t i = 0; i < lines.size(); ++i)
            (t += lines[i]) += breaks[i % breaks.size()];
        return t;
    }
    std::vector<std::string> lines;
};

bool sameRecords(const std::vector<minorPlanet>& a, const std::vector<minorPlanet>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(minorPlanet)) == 0;
}

TEST(OrbitFileParseSections, NumberedThenUnnumberedUpToTheSeparator)
{
    const std::string text = OrbitFile(100, 50).text();
    // Whichever slice holds the separator, no record moves and none is lost.
    for (const int slices : {1, 2, 3, 4, 7, 8}) {
        const OrbitFileParse::Result result = OrbitFileParse::parse(text, true, slices);
        ASSERT_EQ(result.status, OrbitFileParse::Status::Ok);
        EXPECT_EQ(result.recordLines, 151u);
        EXPECT_EQ(result.numberedOrbits, 100u);
        ASSERT_EQ(result.minorPlanets.size(), 150u);
        for (std::size_t i = 0; i < 150; ++i) {
            EXPECT_EQ(result.minorPlanets[i].index, i) << slices;
            EXPECT_EQ(result.minorPlanets[i].source, i < 100 ? kMPSourceNumbered : kMPSourceUnnumbered);
        }
        EXPECT_STREQ(result.minorPlanets[0].designation, "00010  ");
        EXPECT_STREQ(result.minorPlanets[99].name, "(4) Vesta");
        EXPECT_STREQ(result.minorPlanets[100].designation, "~0K8Q  ") << slices;
        EXPECT_STREQ(result.minorPlanets[149].name, "2019 KO2");
    }

    const OrbitFileParse::Result numberedOnly = OrbitFileParse::parse(text, false, 3);
    ASSERT_EQ(numberedOnly.minorPlanets.size(), 100u);
    EXPECT_EQ(numberedOnly.minorPlanets.back().source, kMPSourceNumbered);
}

TEST(OrbitFileParseSections, SeparatorsAndUnusableFiles)
{
    OrbitFile blanks(30, 20);
    blanks.lines[5 + 30] = "  separator";  // a line starting with blanks separates
    const OrbitFileParse::Result separated = OrbitFileParse::parse(blanks.text(), true, 2);
    EXPECT_EQ(separated.numberedOrbits, 30u);
    EXPECT_EQ(separated.minorPlanets.size(), 50u);

    OrbitFile none(30, 0);
    none.lines.pop_back();
    const OrbitFileParse::Result numbered = OrbitFileParse::parse(none.text(), true, 8);
    EXPECT_EQ(numbered.numberedOrbits, 30u);
    ASSERT_EQ(numbered.minorPlanets.size(), 30u);
    EXPECT_EQ(numbered.minorPlanets.back().source, kMPSourceNumbered);

    OrbitFile noRule(30, 5);
    noRule.lines[4] = "  ----";  // dashes in columns 3-6 only
    OrbitFile ruleFirst(30, 5);  // the first line is never the rule line
    ruleFirst.lines.erase(ruleFirst.lines.begin(), ruleFirst.lines.begin() + 4);
    for (const std::string& text : {noRule.text(), ruleFirst.text(), std::string()})
        EXPECT_EQ(OrbitFileParse::parse(text, true, 2).status, OrbitFileParse::Status::NoRuleLine);
    EXPECT_EQ(OrbitFileParse::parse(OrbitFile(8, 0).text(), true, 2).status, OrbitFileParse::Status::TooFewRecordLines);
    EXPECT_EQ(OrbitFileParse::parse(OrbitFile(9, 0).text(), true, 2).status, OrbitFileParse::Status::Ok);
}

// A download is checked on its first bytes before it replaces the file.
TEST(OrbitFileParseSections, TheStartOfAnOrbitFileIsToldFromOtherAnswers)
{
    const std::string whole = OrbitFile(30, 5).text();
    EXPECT_TRUE(OrbitFileParse::startsWithOrbits(whole));
    EXPECT_TRUE(OrbitFileParse::startsWithOrbits(std::string_view(whole).substr(0, 3000)));

    OrbitFile damaged(30, 5);
    damaged.lines[5 + 3] = "<p>Service unavailable</p>";
    const std::string html = "<!DOCTYPE html>\n<html><body>\n" + std::string(202, '-') + "\n</body></html>\n";
    const std::string cut = whole.substr(0, whole.find('\n', 2000));  // the ninth orbit cut short
    for (const std::string& text : {damaged.text(), html, cut, std::string(), std::string(5000, 'x')})
        EXPECT_FALSE(OrbitFileParse::startsWithOrbits(text)) << text.substr(0, 40);
}

// Positions 7, 40 and 140, in slices 1, 3 and 8 of eight (151 lines, 18 a
// slice): a month 0, a line cut short, a day 0. Each loses only its own line,
// and each is counted once, whatever the slices; the separator is no refusal.
TEST(OrbitFileParseSlices, RejectedLinesLeaveNoGapAndAreCounted)
{
    OrbitFile f(100, 50);
    f.lines[5 + 7] = patched(f.lines[5 + 7], 21, "K250L");
    f.lines[5 + 40] = f.lines[5 + 40].substr(0, 90);
    f.lines[5 + 140] = patched(f.lines[5 + 140], 21, "K19B0");
    const std::string text = f.text();
    const OrbitFileParse::Result one = OrbitFileParse::parse(text, true, 1);
    ASSERT_EQ(one.minorPlanets.size(), 147u);
    EXPECT_STREQ(one.minorPlanets[7].designation, "00018  ");
    EXPECT_STREQ(one.minorPlanets[39].designation, "00051  ");
    EXPECT_EQ(one.minorPlanets[97].source, kMPSourceNumbered);
    EXPECT_EQ(one.minorPlanets[98].source, kMPSourceUnnumbered);
    for (std::size_t i = 0; i < one.minorPlanets.size(); ++i)
        EXPECT_EQ(one.minorPlanets[i].index, i);
    EXPECT_EQ(one.refusedLines, 3u);
    for (int k = 2; k <= 8; ++k) {
        const OrbitFileParse::Result sliced = OrbitFileParse::parse(text, true, k);
        EXPECT_TRUE(sameRecords(sliced.minorPlanets, one.minorPlanets));
        EXPECT_EQ(sliced.refusedLines, 3u) << k;
    }
    EXPECT_EQ(OrbitFileParse::parse(text, false, 4).refusedLines, 2u);
    EXPECT_EQ(OrbitFileParse::parse(OrbitFile(100, 50).text(), true, 4).refusedLines, 0u);
}

// Slices once assumed every line had the first line's length: lines of unequal
// length (header, empty separator) before breaks of unequal length, and files
// of a few lines a slice, parse on one to eight operations as on one with LF.
// (No CR just before an empty line, which would read as one CR-LF.)
TEST(OrbitFileParseSlices, OneToEightOperationsAndAnyLineBreaksGiveTheSameTable)
{
    for (const auto& [numbered, unnumbered] : {std::pair{60, 40}, {25, 0}, {10, 0}, {3, 12}}) {
        const OrbitFile f(numbered, unnumbered);
        const std::vector<minorPlanet> lf = OrbitFileParse::parse(f.text({"\n"}), true, 1).minorPlanets;
        ASSERT_EQ(lf.size(), std::size_t(numbered + unnumbered));
        for (const std::vector<std::string_view>& breaks :
             {std::vector<std::string_view>{"\n"}, {"\r"}, {"\r\n"}, {"\r\n", "\n", "\n", "\r", "\n"}}) {
            for (int k = 1; k <= 8; ++k)
                EXPECT_TRUE(sameRecords(OrbitFileParse::parse(f.text(breaks), true, k).minorPlanets, lf))
                    << numbered << " + " << unnumbered << " orbits, " << breaks.size() << " breaks, " << k;
        }
    }
}

// The file is read in blocks of whole lines, let go one after another: any
// block size, down to a line a block (the rule, the separator and refused
// lines each ending a block), on one or several operations, gives the table
// and counts of one block; every byte is let go once, in order.
TEST(OrbitFileParseBlocks, AnyBlockSizeGivesTheSameTableAndLetsEveryByteGo)
{
    OrbitFile f(40, 30);
    f.lines[5 + 3] = f.lines[5 + 3].substr(0, 90);
    f.lines[5 + 25] = patched(f.lines[5 + 25], 21, "K250L");
    f.lines[5 + 60] = f.lines[5 + 60].substr(0, 50);
    for (const std::vector<std::string_view>& breaks :
         {std::vector<std::string_view>{"\n"}, {"\r\n"}, {"\r\n", "\n", "\r"}}) {
        const std::string text = f.text(breaks);
        for (const bool allOrbits : {true, false}) {
            const OrbitFileParse::Result whole = OrbitFileParse::parse(text, allOrbits, 1);
            ASSERT_EQ(whole.minorPlanets.size(), allOrbits ? 67u : 38u);
            for (const std::size_t blockBytes : {1u, 150u, 203u, 1000u}) {
                for (const int k : {1, 3}) {
                    std::vector<std::size_t> letGo;
                    const OrbitFileParse::Result blocks = OrbitFileParse::parse(
                        text, allOrbits, k, {}, {}, [&](std::size_t bytes) { letGo.push_back(bytes); }, blockBytes);
                    EXPECT_TRUE(sameRecords(blocks.minorPlanets, whole.minorPlanets)) << blockBytes << ", " << k;
                    EXPECT_EQ(blocks.refusedLines, whole.refusedLines);
                    EXPECT_EQ(blocks.recordLines, whole.recordLines);
                    EXPECT_EQ(blocks.numberedOrbits, 40u);
                    ASSERT_FALSE(letGo.empty());
                    EXPECT_TRUE(std::is_sorted(letGo.begin(), letGo.end()));
                    EXPECT_EQ(letGo.back(), text.size());
                }
            }
        }
    }
    EXPECT_EQ(OrbitFileParse::parse(OrbitFile(9, 0).text(), true, 2, {}, {}, {}, 1).status,
              OrbitFileParse::Status::Ok);
    EXPECT_EQ(OrbitFileParse::parse(OrbitFile(8, 0).text(), true, 2, {}, {}, {}, 1).status,
              OrbitFileParse::Status::TooFewRecordLines);

    // A character the element files never hold, in the last block, refuses the file.
    std::string high = OrbitFile(40, 0).text();
    high[high.size() - 20] = char(0xE9);
    const OrbitFileParse::Result refused = OrbitFileParse::parse(high, true, 2, {}, {}, {}, 1000);
    EXPECT_EQ(refused.status, OrbitFileParse::Status::NotAscii);
    EXPECT_TRUE(refused.minorPlanets.empty());
}

// Progress was once drawn from a worker thread.
TEST(OrbitFileParseProgress, PercentagesReachTheCallingThreadInOrder)
{
    const std::string text = OrbitFile(2000, 0).text();
    std::vector<double> reports;
    bool offThread = false;
    QThread* const caller = QThread::currentThread();
    OrbitFileParse::parse(text, true, 1, [&](double percent) {
        offThread = offThread || QThread::currentThread() != caller;
        reports.push_back(percent);
    });
    EXPECT_FALSE(offThread);
    ASSERT_FALSE(reports.empty());
    for (std::size_t i = 1; i < reports.size(); ++i)
        EXPECT_GT(reports[i], reports[i - 1]);
    EXPECT_GT(reports.back(), 99.0);
    EXPECT_LT(reports.back(), 100.0);
}

}  // namespace
