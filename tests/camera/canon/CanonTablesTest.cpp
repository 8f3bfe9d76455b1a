#include "camera/canon/CanonTables.h"

#include <gtest/gtest.h>

TEST(CanonTables, ExposureTableEndsAndBulbBoundary)
{
    EXPECT_STREQ(CanonTables::exposure(0).title, "1 Hr");
    EXPECT_EQ(CanonTables::exposure(0).seconds, 3540);
    EXPECT_EQ(CanonTables::exposure(15).tvCode, 0x0Cu);
    EXPECT_EQ(CanonTables::exposure(16).tvCode, 0x10u);
    EXPECT_STREQ(CanonTables::exposure(32).title, "1/800 sec");
}

TEST(CanonTables, IsoTitles)
{
    EXPECT_EQ(CanonTables::isoChoice(0x60).title, "800");
    EXPECT_EQ(CanonTables::isoChoice(0x60).iso, 800u);
    EXPECT_EQ(CanonTables::isoChoice(0xFFFFFFFF).title, "Unknown");
    EXPECT_EQ(CanonTables::isoChoice(0xFFFFFFFF).iso, 0u);
    EXPECT_EQ(CanonTables::isoChoice(0x0A).title, "Code 0x0A");
    EXPECT_FALSE(CanonTables::isoChoice(0x0A).known);
}

TEST(CanonTables, ModelNumbersAreNotTakenFromLongerOnes)
{
    EXPECT_EQ(CanonTables::modelForName("Canon EOS 550D").width, 5184);
    EXPECT_EQ(CanonTables::modelForName("Canon EOS 650D").width, 5184);
    EXPECT_EQ(CanonTables::modelForName("Canon EOS 450D").width, 4272);
    EXPECT_EQ(CanonTables::modelForName("Canon EOS 50D").width, 4752);
    EXPECT_EQ(CanonTables::modelForName("Canon EOS-1D Mark IV").width, 4896);
    EXPECT_EQ(CanonTables::familyForName("Canon EOS 60Da"), CanonTables::Family::Is60D);
    EXPECT_EQ(CanonTables::familyForName("Canon EOS 760D"), CanonTables::Family::None);
}

TEST(CanonTables, SingleLetterModelTestsNeedAWholeWord)
{
    EXPECT_TRUE(CanonTables::modelForName("Canon EOS M").matched);
    EXPECT_TRUE(CanonTables::modelForName("Canon eos m").matched);
    EXPECT_FALSE(CanonTables::modelForName("Canon EOS Mark X").matched);
    EXPECT_FALSE(CanonTables::modelForName("Canon EOS M50").matched);
}

TEST(CanonTables, DelayAndCountChoicesOutsideTheListsChangeNothing)
{
    EXPECT_EQ(CanonTables::delaySeconds(13), 3600);
    EXPECT_EQ(CanonTables::delaySeconds(14), std::nullopt);
    EXPECT_EQ(CanonTables::exposureCount(14), CanonTables::kContinuous);
    EXPECT_EQ(CanonTables::exposureCount(15), 0u);
    EXPECT_EQ(CanonTables::exposureCount(16), std::nullopt);
}
