#include "mount/families/LX200Reply.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

constexpr double kHour = std::numbers::pi / 12.0;

}  // namespace

// A tiny negative right ascension once wrapped to 24 h itself and went out as
// ":Sr24:00:00#", an hour no mount takes.
TEST(LX200Command, RightAscensionsWrapIntoTheDay)
{
    const struct {
        double ra;
        QByteArray longForm;
        QByteArray shortForm;
    } cases[] = {
        {-1e-17, ":Sr00:00:00#", ":Sr00:00.0#"},
        {-1e-9, ":Sr23:59:59#", ":Sr00:00.0#"},
        {24.0 * kHour, ":Sr00:00:00#", ":Sr00:00.0#"},
        {-2.5 * kHour, ":Sr21:30:00#", ":Sr21:30.0#"},
        {(2.0 + 30.0 / 60.0 + 15.0 / 3600.0) * kHour, ":Sr02:30:15#", ":Sr02:30.3#"},
        {(23.0 + 59.97 / 60.0) * kHour, ":Sr23:59:58#", ":Sr00:00.0#"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LX200Reply::raCommand(c.ra, true), c.longForm) << c.ra;
        EXPECT_EQ(LX200Reply::raCommand(c.ra, false), c.shortForm) << c.ra;
    }
}
