#include "TourFakes.h"

#include "find/tours/TourPositions.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

class TourPositionsTest : public testing::Test {
protected:
    void SetUp() override { finder.known.insert("M 13", {findResultFound, 3.0, 0.6}); }

    FakeTourFinder finder;
    TourPositions positions{finder};
    TourPositions::Key key{{"// comment", "M 13", "Unknown"}, QDateTime(QDate(2025, 3, 21), QTime(0, 0), QTimeZone::utc()),
                           0.7, 10.0};
};

// A drawing from the kept places leaves the selection where resolving leaves
// it: the last line asked is asked again, found or not.
TEST_F(TourPositionsTest, TheKeptPlacesLeaveTheSelectionAsResolvingDoes)
{
    positions.targets(key);
    positions.reselect();
    EXPECT_EQ(finder.asked.size(), 2) << "just resolved: the selection is already right";
    positions.targets(key);
    positions.reselect();
    EXPECT_EQ(finder.asked, QStringList({"M 13", "Unknown", "Unknown"}));

    TourPositions onlyCommands{finder};
    onlyCommands.targets({{"# Wait 5"}, key.night, 0.0, 0.0});
    onlyCommands.targets({{"# Wait 5"}, key.night, 0.0, 0.0});
    onlyCommands.reselect();
    EXPECT_EQ(finder.asked.size(), 3) << "no line asked, none to ask again";
}

}  // namespace
