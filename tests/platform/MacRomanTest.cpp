#include "platform/MacRoman.h"

#include <gtest/gtest.h>

TEST(MacRoman, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const QString text = MacRoman::decode(all);
    ASSERT_EQ(text.size(), 256);
    bool ok = false;
    EXPECT_EQ(MacRoman::encode(text, &ok), all);
    EXPECT_TRUE(ok);
}

TEST(MacRoman, UpperHalfFollowsTheStandardTable)
{
    // Ä, degree sign, bullet, no-break space, euro, caron; carriage returns pass unchanged.
    EXPECT_EQ(MacRoman::decode("\x80\xA1\xA5\xCA\xDB\xFF\r"),
              QString::fromStdU16String(u"\u00C4\u00B0\u2022\u00A0\u20AC\u02C7\r"));
    EXPECT_EQ(MacRoman::encode(QString::fromUtf8("23°")), QByteArray("23\xA1"));
}

TEST(MacRoman, UnrepresentableCharactersBecomeQuestionMarks)
{
    bool ok = true;
    EXPECT_EQ(MacRoman::encode(QString::fromUtf8("α Cen ✓"), &ok), QByteArray("? Cen ?"));
    EXPECT_FALSE(ok);
}
