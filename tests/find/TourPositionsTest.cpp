#include "TourFakes.h"

#include "find/tours/TourPositions.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

class TourPositionsTest : public testing::Test {
protected:
    void SetUp() override { finder.known.insert("M 13", {findResultFound, 3.0, 0.6}); }

    FakeTourFinder finder;
    TourPositions positions{finder};
    TourPositions::Key key{{"// comment", "M 13", "Unknown"}, QDateTime(QDate(2025, 3, 21), QTime(0, 0), QTimeZone::utc()),
                           0.7, 10.0};
};

// Each part of the key, changed alone, has the lines resolved again with the
// finder's answer then; the same key asks the finder nothing.
TEST_F(TourPositionsTest, ThePlacesFollowTheTourTheNightAndTheSite)
{
    ASSERT_EQ(positions.targets(key).size(), 1u);
    EXPECT_EQ(finder.asked, QStringList({"M 13", "Unknown"})) << "command lines are not asked";
    finder.known["M 13"].ra = 3.5;
    EXPECT_DOUBLE_EQ(positions.targets(key).front().ra, 3.0) << "kept for the same tour, night and site";
    EXPECT_EQ(finder.asked.size(), 2);

    const std::vector<std::pair<const char*, std::function<void(TourPositions::Key&)>>> changes{
        {"night", [](TourPositions::Key& k) { k.night = k.night.addDays(1); }},
        {"latitude", [](TourPositions::Key& k) { k.latitude = -0.2; }},
        {"longitude", [](TourPositions::Key& k) { k.longitude = 150.0; }},
        {"tour", [](TourPositions::Key& k) { k.lines.prepend("M 13"); }},
    };
    double ra = 4.0;
    for (const auto& [what, change] : changes) {
        change(key);
        finder.known["M 13"].ra = ra;
        const std::vector<TourPositions::Target>& found = positions.targets(key);
        ASSERT_FALSE(found.empty()) << what;
        EXPECT_DOUBLE_EQ(found.back().ra, ra) << what;
        EXPECT_EQ(found.back().name, "M 13") << what;
        ra += 0.5;
    }
    EXPECT_EQ(positions.targets(key).size(), 2u) << "the tour's two M 13 lines";
}

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
