#include "find/BodyPlace.h"
#include "find/PlaceEvents.h"
#include "model/Angles.h"
#include "model/records/BodyNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

// A place that moves a degree a day and says how often each moment was asked.
struct CountedPlace {
    std::map<double, int> asked;
    int nanAsked = 0;

    PlaceEvents::PlaceAt at()
    {
        return [this](double jd) {
            if (std::isnan(jd))
                ++nanAsked;
            else
                ++asked[jd];
            return PlaceEvents::SkyPlace{std::fmod(jd, 360.0) * Angles::kDegree, 0.1};
        };
    }
};

TEST(PlaceEventsTest, ARememberedPlaceIsAskedOnceAMoment)
{
    CountedPlace counted;
    const PlaceEvents::PlaceAt place = PlaceEvents::remembered(counted.at());
    const PlaceEvents::PlaceAt copy = place;
    const PlaceEvents::SkyPlace first = place(2460000.25);
    const PlaceEvents::SkyPlace again = copy(2460000.25);
    EXPECT_EQ(first.ra, again.ra);
    EXPECT_EQ(first.dec, again.dec);
    place(2460000.5);
    EXPECT_EQ(counted.asked.size(), 2u);
    for (const auto& [jd, times] : counted.asked)
        EXPECT_EQ(times, 1) << jd;
    // A moment that is no number is never kept, so never mixed with another.
    place(NAN);
    place(NAN);
    EXPECT_EQ(counted.nanAsked, 2);
}

// At Alert (82.50 N, 62.35 W) on 2025-07-02 the Moon's altitude turns 0.014
// degree above the horizon half an hour before it culminates: after its set
// at 02:08 UT it rises at 21:24 and sets again at 21:53, both before the
// culmination at 22:08. Times from PyEphem (centre, topocentric, no
// refraction), which agrees with our Moon to a few seconds here.
TEST(PlaceEventsTest, TheMoonRisesAndSetsAgainBeforeItCulminates)
{
    const PlaceEvents::Site alert{82.50, -62.35};
    const PlaceEvents::PlaceAt moon = PlaceEvents::remembered(BodyPlace::of(BodyNumber::kMoon, alert));
    constexpr double kDay = 2460858.5;
    constexpr double kMinute = 1.0 / 1440.0;
    const auto clock = [](std::optional<double> jd) { return jd ? (*jd - kDay) / kMinute : -1.0; };
    EXPECT_NEAR(clock(PlaceEvents::crossing(moon, alert, kDay, kDay + 1.0, 0.0, false)), 127.56, 0.5);
    const std::optional<double> rise = PlaceEvents::crossing(moon, alert, kDay, kDay + 1.0, 0.0, true);
    ASSERT_TRUE(rise);
    EXPECT_NEAR(clock(rise), 1283.92, 0.5);
    EXPECT_NEAR(clock(PlaceEvents::crossing(moon, alert, *rise + kMinute, kDay + 1.0, 0.0, false)), 1313.25, 0.5);
    EXPECT_NEAR(clock(PlaceEvents::transit(moon, alert, kDay, kDay + 1.0)), 22 * 60 + 8, 1.0);
}

}  // namespace
