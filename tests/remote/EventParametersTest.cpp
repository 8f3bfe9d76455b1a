#include "remote/events/EventParameters.h"

#include <gtest/gtest.h>

namespace {

bool hasHalfPair(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            return true;
    }
    return false;
}

}  // namespace

// The planner's texts live in 64-byte buffers: the cut must hold whatever
// the UTF-16 holds, half pairs included.
TEST(EventParameters, Utf8PrefixHoldsItsLimitAndNeverSplitsOrKeepsHalfPairs)
{
    const QChar high(char16_t(0xD83D));
    const QChar low(char16_t(0xDE00));
    const QString face = QString(high) + low;  // four bytes of UTF-8
    const std::vector<QString> texts{QString(62, u'a') + high + u'x',
                                     QString(62, u'a') + low + low,
                                     QString(61, u'a') + high,
                                     QString(61, u'a') + face,
                                     QString(59, u'a') + face + u'b',
                                     QString(40, high)};
    for (const QString& text : texts) {
        const QString kept = EventParameters::utf8Prefix(text, 63);
        EXPECT_LE(kept.toUtf8().size(), 63) << text.size();
        EXPECT_FALSE(hasHalfPair(kept));
    }
    EXPECT_EQ(EventParameters::utf8Prefix(QString(61, u'a') + face, 63), QString(61, u'a'));
    EXPECT_EQ(EventParameters::utf8Prefix(QString(59, u'a') + face + u'b', 63), QString(59, u'a') + face);
    EXPECT_EQ(EventParameters::utf8Prefix(QString(u'a') + high + u'b', 63),
              QString(u'a') + QChar(QChar::ReplacementCharacter) + u'b');
}
