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
    const double pmRA = s->pmRA, pmDec = s->pmDec, x = s->vecX, y = s->vecY, z = s->vecZ;
    EXPECT_NEAR(pmRA, 4.8481368e-4, 1e-10);
    EXPECT_NEAR(pmDec, -2.4240684e-4, 1e-10);
    EXPECT_NEAR(x, 0.0, 1e-12);
    EXPECT_NEAR(y, std::cos(30.0 * 0.0174532925199433), 1e-12);
    EXPECT_NEAR(z, 0.5, 1e-12);
    EXPECT_FLOAT_EQ(float(s->mag), 7.25f);

    model.createSimStar(10.0, 0.0, QString::fromUtf8("Ç Ori"), "2", 0.0, 0.0, 0.0f);
    EXPECT_STREQ(model.simStar()->name, "? Ori");
    model.clearSimStar();
    EXPECT_EQ(model.simStar(), nullptr);
    model.clearSimStar();
    EXPECT_EQ(model.simStar(), nullptr);
}

// Up to six characters of the leading digit run, after any blanks: a leading
// zero must not cost the last digit, nor a leading blank the whole number.
TEST(SimulatedStar, CatalogueNumberKeepsItsLeadingDigits)
{
    StarDatabaseModel model;
    for (const auto& [number, stored] :
         {std::pair{"012345", "012345"}, {"000042", "000042"}, {"98", "98"},
          {"1234567", "123456"}, {"4711 A", "4711"}, {" ", " "}, {"", ""}, {" 12345", "12345"},
          {"   7", "7"}, {"  ", " "}}) {
        model.createSimStar(0.0, 0.0, "x", number, 0.0, 0.0, 0.0f);
        EXPECT_STREQ(model.simStar()->sao, stored) << number;
    }
}
