#include "remote/events/EventParameters.h"

#include <gtest/gtest.h>

// The planner's texts live in 64-byte buffers: the cut must hold whatever
// the UTF-16 holds, half pairs included.
TEST(EventParameters, Utf8PrefixHoldsItsLimitAndNeverSplitsOrKeepsHalfPairs)
{
    const QChar high(char16_t(0xD83D));
    const QString face = QString(high) + QChar(char16_t(0xDE00));  // four bytes of UTF-8
    const QChar replaced(QChar::ReplacementCharacter);
    EXPECT_EQ(EventParameters::utf8Prefix(QString(62, u'a') + high + u'x', 63), QString(62, u'a'));
    EXPECT_EQ(EventParameters::utf8Prefix(QString(40, high), 63), QString(21, replaced));
    EXPECT_EQ(EventParameters::utf8Prefix(QString(61, u'a') + face, 63), QString(61, u'a'));
    EXPECT_EQ(EventParameters::utf8Prefix(QString(59, u'a') + face + u'b', 63), QString(59, u'a') + face);
    EXPECT_EQ(EventParameters::utf8Prefix(QString(u'a') + high + u'b', 63), QString(u'a') + replaced + u'b');
}
