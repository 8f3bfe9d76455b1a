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

// A move whose controller takes up backlash runs past its target and comes
// back: motion along either leg is progress, the turn is found though the
// echo of the turning step was lost, and the motor's steps back and forth
// on the last leg are none.
TEST(MoveWatchTest, ProgressFollowsBothLegsOfAnOvershootingMove)
{
    const MoveWatch::Path path = MoveWatch::Path::overshooting(3000, 2900, 200, 64000);
    ASSERT_EQ(path.legEnds, (std::vector<quint16>{2700, 2900}));
    EXPECT_EQ(path.steps(), 500) << "the ceiling counts the whole path";
    EXPECT_EQ(MoveWatch::Path::overshooting(3000, 3100, 200, 3200).legEnds, (std::vector<quint16>{3200, 3100}))
        << "no farther than the travel";
    EXPECT_EQ(MoveWatch::Path::overshooting(3000, 3000, 200, 64000).legEnds, std::vector<quint16>{3000});

    MoveWatch watch;
    watch.begin(path, 10.0);
    EXPECT_FALSE(watch.notePosition(3005)) << "not yet on its way: no turn";
    EXPECT_TRUE(watch.notePosition(2900));
    EXPECT_TRUE(watch.notePosition(2750));
    EXPECT_TRUE(watch.notePosition(2745));
    EXPECT_TRUE(watch.notePosition(2760)) << "turned at 2745: the way back";
    EXPECT_TRUE(watch.notePosition(2890));
    EXPECT_FALSE(watch.notePosition(2800)) << "back and forth on the last leg";
    EXPECT_TRUE(watch.notePosition(2900));
    EXPECT_FALSE(watch.notePosition(2910)) << "past the target on the last leg";
    EXPECT_EQ(watch.progress(), 6u);
    EXPECT_TRUE(watch.isOpen()) << "a go-to ends by the family's word";

    // Reaching the turn exactly, then the target.
    watch.begin(path, 10.0);
    EXPECT_TRUE(watch.notePosition(2700));
    EXPECT_TRUE(watch.notePosition(2701));
    EXPECT_EQ(watch.overdue(), MoveWatch::Overdue::No);
}
