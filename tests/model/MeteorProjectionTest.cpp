#include "model/projection/MeteorProjection.h"

#include "ProjectionFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace ProjectionFixture;

meteor shower(int month, int day)
{
    meteor m{};
    m.month = month;
    m.day = day;
    setDirection(m, 180.0, 30.0);
    return m;
}

TEST(MeteorWindow, ADayEitherSideOfThePeakWithinTheMonth)
{
    struct Case {
        int month, day;
        QDate date;
        bool shown;
    };
    const Case cases[] = {
        {1, 3, QDate(2024, 1, 2), true},    {1, 3, QDate(2024, 1, 3), true},
        {1, 3, QDate(2024, 1, 4), true},    {1, 3, QDate(2024, 1, 5), false},
        {1, 3, QDate(2024, 1, 1), false},   {1, 3, QDate(2024, 2, 3), false},
        // A peak on the 1st is not shown on the last day of the month before.
        {5, 1, QDate(2024, 4, 30), false},  {5, 1, QDate(2024, 5, 1), true},
        {5, 1, QDate(2024, 5, 2), true},
        // A peak on the last day is not shown on the 1st of the next month.
        {1, 31, QDate(2024, 2, 1), false},  {1, 31, QDate(2024, 1, 30), true},
        {12, 31, QDate(2025, 1, 1), false}, {2, 29, QDate(2024, 2, 28), true},
        {3, 1, QDate(2024, 2, 29), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MeteorProjection::isInWindow(shower(c.month, c.day), c.date), c.shown)
            << c.month << "/" << c.day << " on " << c.date.toString(Qt::ISODate).toStdString();
    }
}

TEST(MeteorWindow, RadiantsAboveTheHorizonInTheWindow)
{
    std::vector<meteor> showers = {shower(8, 12), shower(8, 12), shower(8, 20)};
    setDirection(showers[1], 180.0, -5.0);
    showers[2].visible = 1;
    MeteorProjection::project(showers, poleFrame(), true, QDate(2024, 8, 13));
    EXPECT_EQ(showers[0].visible, 1);
    EXPECT_FLOAT_EQ(showers[0].screenX, 500.0f);
    EXPECT_EQ(showers[1].visible, 0);
    EXPECT_EQ(showers[2].visible, 0);
    EXPECT_NEAR(double(showers[1].horZ), std::sin(5.0 * kDegToRad), 1e-12);
}

}  // namespace
