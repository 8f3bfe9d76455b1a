#include "model/catalogue/MeteorShowers.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(MeteorShowers, FieldsAndRadiantsAsUnitVectors)
{
    const std::vector<meteor> showers = MeteorShowers::create();
    ASSERT_EQ(showers.size(), 10u);
    // The Leonids' storm rate on 19 November.
    EXPECT_STREQ(showers[6].name, "Leonids");
    EXPECT_EQ(showers[6].rate, 1000);
    EXPECT_EQ(showers[6].month * 100 + showers[6].day, 1119);
    // Perseids: RA 46, Dec +58; Eta Aquarids on the equator.
    const double ra = 46.0 * M_PI / 180.0, dec = 58.0 * M_PI / 180.0;
    EXPECT_NEAR(showers[3].vecX, std::cos(dec) * std::cos(ra), 1e-12);
    EXPECT_NEAR(showers[3].vecY, std::cos(dec) * std::sin(ra), 1e-12);
    EXPECT_NEAR(showers[3].vecZ, std::sin(dec), 1e-12);
    EXPECT_NEAR(showers[1].vecZ, 0.0, 1e-12);
}
