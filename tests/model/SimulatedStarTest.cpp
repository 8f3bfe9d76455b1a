#include "model/StarDatabaseModel.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(SimulatedStar, FieldsFollowTheLookupAnswer)
{
    StarDatabaseModel model;
    EXPECT_EQ(model.simStar(), nullptr);
    model.createSimStar(90.0, 30.0, "HD 12345 a very long name", "123456", 1000.0, -500.0, 7.25f);
    const star* s = model.simStar();
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(s->name, "HD 12345 a very");
    EXPECT_STREQ(s->sao, "123456");
    EXPECT_EQ(s->type, -3);
    EXPECT_EQ(s->index, 0u);
    const double pmRA = s->pmRA, pmDec = s->pmDec;
    EXPECT_NEAR(pmRA, 4.8481368e-4, 1e-10);
    EXPECT_NEAR(pmDec, -2.4240684e-4, 1e-10);
    const double x = s->vecX, y = s->vecY, z = s->vecZ;
    EXPECT_NEAR(x, 0.0, 1e-12);
    EXPECT_NEAR(y, std::cos(30.0 * 0.0174532925199433), 1e-12);
    EXPECT_NEAR(z, 0.5, 1e-12);
    const float mag = s->mag;
    EXPECT_FLOAT_EQ(mag, 7.25f);
}

TEST(SimulatedStar, CatalogueNumberKeepsItsLeadingDigits)
{
    StarDatabaseModel model;
    struct Case {
        const char* number;
        const char* stored;
    };
    // A leading zero must not cost the last digit.
    for (const Case c : {Case{"012345", "012345"}, Case{"000042", "000042"}, Case{"98", "98"},
                         Case{"1234567", "123456"}, Case{"4711 A", "4711"}, Case{" ", " "},
                         Case{"", ""}}) {
        model.createSimStar(0.0, 0.0, "x", c.number, 0.0, 0.0, 0.0f);
        EXPECT_STREQ(model.simStar()->sao, c.stored) << c.number;
    }
}

TEST(SimulatedStar, ShortAndForeignNamesAndReplacement)
{
    StarDatabaseModel model;
    model.createSimStar(0.0, 0.0, "Vega", "1", 0.0, 0.0, 0.0f);
    EXPECT_STREQ(model.simStar()->name, "Vega");
    model.createSimStar(10.0, 0.0, QString::fromUtf8("Ç Ori"), "2", 0.0, 0.0, 0.0f);
    EXPECT_STREQ(model.simStar()->name, "? Ori");
    const double ra = model.simStar()->raDeg;
    EXPECT_EQ(ra, 10.0);
    model.clearSimStar();
    EXPECT_EQ(model.simStar(), nullptr);
    model.clearSimStar();
    EXPECT_EQ(model.simStar(), nullptr);
}
