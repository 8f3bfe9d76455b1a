#include "model/catalogue/MeteorShowers.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(MeteorShowers, TheTenShowersInOrderWithTheirRadiants)
{
    const std::vector<meteor> showers = MeteorShowers::create();
    ASSERT_EQ(showers.size(), 10u);
    const char* const names[] = {"Lyrids",   "Eta Aquarids",  "Delta Aquarids", "Perseids",
                                 "Orionids", "South Taurids", "Leonids",        "Geminids",
                                 "Ursids",   "Quadrantids"};
    for (std::size_t k = 0; k < 10; ++k)
        EXPECT_STREQ(showers[k].name, names[k]);
    EXPECT_EQ(showers[6].rate, 1000);
    EXPECT_EQ(showers[6].month, 11);
    EXPECT_EQ(showers[6].day, 19);
    EXPECT_EQ(showers[9].month, 1);
    EXPECT_EQ(showers[9].day, 3);
    EXPECT_EQ(showers[3].rate, 100);
    // Perseids: RA 46, Dec +58; Eta Aquarids on the equator.
    const double ra = 46.0 * M_PI / 180.0, dec = 58.0 * M_PI / 180.0;
    EXPECT_NEAR(showers[3].vecX, std::cos(dec) * std::cos(ra), 1e-12);
    EXPECT_NEAR(showers[3].vecY, std::cos(dec) * std::sin(ra), 1e-12);
    EXPECT_NEAR(showers[3].vecZ, std::sin(dec), 1e-12);
    EXPECT_NEAR(showers[1].vecZ, 0.0, 1e-12);
}
