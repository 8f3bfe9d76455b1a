#include "skydraw/MovingSky.h"

#include <gtest/gtest.h>

// A pan or a time step between close paints moves the sky; the same view
// and moment painted again, or a change after a pause, do not.
TEST(MovingSkyWatch, APanOrATimeStepBetweenRecentPaintsMovesTheSky)
{
    const SkyCoordinates::View view{45.0, 180.0, 500.0, 1920.0f, 1080.0f};
    SkyCoordinates::View panned = view;
    panned.azimuth += 0.7;
    const QDateTime moment(QDate(2026, 1, 15), QTime(21, 0), Qt::UTC);
    MovingSkyWatch watch;
    watch.setMovingPaints(std::chrono::hours(1));
    EXPECT_FALSE(watch.note(view, moment)) << "a first paint";
    EXPECT_FALSE(watch.note(view, moment));
    EXPECT_TRUE(watch.note(panned, moment));
    EXPECT_TRUE(watch.note(panned, moment.addSecs(60)));
    EXPECT_FALSE(watch.note(panned, moment.addSecs(60)));
    SkyCoordinates::View zoomed = panned;
    zoomed.radius *= 1.1;
    EXPECT_TRUE(watch.note(zoomed, moment.addSecs(60)));
    watch.setMovingPaints(std::chrono::milliseconds(0));
    EXPECT_FALSE(watch.note(view, moment)) << "after a pause";
}
