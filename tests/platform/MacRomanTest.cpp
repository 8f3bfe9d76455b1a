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
    EXPECT_EQ(MacRoman::decode("\x80"), QString(QChar(0x00C4)));  // Ä
    EXPECT_EQ(MacRoman::decode("\xA1"), QString(QChar(0x00B0)));  // degree sign
    EXPECT_EQ(MacRoman::decode("\xA5"), QString(QChar(0x2022)));  // bullet
    EXPECT_EQ(MacRoman::decode("\xCA"), QString(QChar(0x00A0)));  // no-break space
    EXPECT_EQ(MacRoman::decode("\xDB"), QString(QChar(0x20AC)));  // euro
    EXPECT_EQ(MacRoman::decode("\xFF"), QString(QChar(0x02C7)));  // caron
    EXPECT_EQ(MacRoman::encode(QString::fromUtf8("23°")), QByteArray("23\xA1"));
}

TEST(MacRoman, UnrepresentableCharactersBecomeQuestionMarks)
{
    bool ok = true;
    EXPECT_EQ(MacRoman::encode(QString::fromUtf8("α Cen ✓"), &ok), QByteArray("? Cen ?"));
    EXPECT_FALSE(ok);
}

TEST(MacRoman, CarriageReturnsPassUnchanged)
{
    EXPECT_EQ(MacRoman::decode("a\rb\r"), QString("a\rb\r"));
}
