#include "focus/MoveWatch.h"

#include <gtest/gtest.h>

// Progress is a position nearer the target than any before in the move:
// steps back and forth, or past the target, are none.
TEST(MoveWatchTest, OnlyPositionsNearerTheTargetAreProgress)
{
    MoveWatch watch;
    EXPECT_FALSE(watch.notePosition(3010)) << "no move under way";
    watch.begin(3000, 3020, 10.0);
    EXPECT_TRUE(watch.notePosition(3005));
    EXPECT_TRUE(watch.notePosition(3015));
    EXPECT_FALSE(watch.notePosition(3005));
    EXPECT_FALSE(watch.notePosition(3015));
    EXPECT_FALSE(watch.notePosition(3030)) << "past the target, farther";
    EXPECT_TRUE(watch.notePosition(3020));
    EXPECT_EQ(watch.progress(), 3u);
    EXPECT_EQ(watch.overdue(), MoveWatch::Overdue::No);
    watch.end();
    EXPECT_EQ(watch.overdue(), MoveWatch::Overdue::No);

    // Inward too, and a new move starts from its own distance.
    watch.begin(3020, 2900, 10.0);
    EXPECT_FALSE(watch.notePosition(3020));
    EXPECT_TRUE(watch.notePosition(3000));
}
