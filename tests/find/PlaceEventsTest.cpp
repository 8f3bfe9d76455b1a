#include "find/PlaceEvents.h"
#include "model/Angles.h"

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

}  // namespace
