#include "model/settings/PrefForms.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

using namespace PrefForms;

TEST(PrefForms, BooleansReadTextAndNumbers)
{
    for (const char* yes : {"YES", "yes", "Y", "true", "T", " 1", "+007", "2.5"})
        EXPECT_TRUE(toBool(QString::fromLatin1(yes))) << yes;
    for (const char* no : {"NO", "no", "false", "0", "0.0", "", "maybe", "-0"})
        EXPECT_FALSE(toBool(QString::fromLatin1(no))) << no;
    EXPECT_TRUE(toBool(QVariant(true)));
    EXPECT_FALSE(toBool(QVariant(0.0)));
    EXPECT_TRUE(toBool(QVariant(2)));
}

TEST(PrefForms, NumbersReadDecimalTextWhateverItsForm)
{
    const std::pair<QVariant, qint64> integers[] = {{"1024", 1024}, {"45.0", 45}, {"-5", -5}, {"YES", 1},
                                                    {"lots", 0}, {9600, 9600}, {0.0, 0}, {false, 0}};
    for (const auto& [stored, value] : integers)
        EXPECT_EQ(toInteger(stored), value) << stored.toString().toStdString();
    EXPECT_EQ(toDouble(QStringLiteral("0.25")), 0.25);
    EXPECT_EQ(toDouble(QStringLiteral(" -12.5e1")), -125.0);
    EXPECT_EQ(toDouble(QStringLiteral("nan")), 0.0);
    EXPECT_EQ(toDouble(QVariant(5.0f)), 5.0);
}

TEST(PrefForms, FloatTextReadsBackAsTheSameFloat)
{
    for (float value : {6.55f, 0.1f, 203.2f, -0.75f, 1e-7f, 3.4e38f, 0.0f}) {
        const QString text = floatText(value);
        EXPECT_EQ(float(toDouble(text)), value) << text.toStdString();
    }
    EXPECT_EQ(floatText(45.0f), QStringLiteral("45"));
    EXPECT_EQ(doubleText(0.1), QStringLiteral("0.1"));
}

TEST(PrefForms, ColoursRoundTripAndRejectMalformedText)
{
    const QColor color = QColor::fromRgbF(0.08f, 0.25f, 0.25f, 1.0f);
    EXPECT_EQ(colorFromText(colorText(color)), color);
    EXPECT_EQ(colorFromText(QStringLiteral("1 0 0 0.75")), QColor::fromRgbF(1.0f, 0.0f, 0.0f, 0.75f));
    for (const char* bad : {"", "1 0 0", "1 0 0 1 1", "1,0,0,1", "1 0 0 2", "1 0 -0.5 1", "a b c d", "1  0 0 1"})
        EXPECT_FALSE(colorFromText(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(PrefForms, FontsRoundTripFamilySizeAndStyle)
{
    QFont font(QStringLiteral("Lucida Grande"), 12);
    font.setBold(true);
    EXPECT_EQ(fontText(font), QStringLiteral("Lucida Grande;12;bold"));
    const auto back = fontFromText(QStringLiteral("DejaVu Serif;10.5;bold italic"));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(back->pointSizeF(), 10.5);
    EXPECT_TRUE(back->bold() && back->italic());
    for (const char* bad : {"", "Geneva", "Geneva;9", ";regular", "Geneva;0;regular", "Geneva;9;heavy",
                            "Geneva;nine;regular", "Geneva;9;regular;x", "Geneva;1e9;bold"})
        EXPECT_FALSE(fontFromText(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(PrefForms, EveryWrittenFontReadsBackAsWritten)
{
    QFont pixels(QStringLiteral("Geneva"));
    pixels.setPixelSize(14);
    QFont huge(QStringLiteral("Geneva"), 2000);
    QFont odd;
    odd.setFamilies({QStringLiteral(";1;bold")});
    odd.setPointSizeF(0.5);
    for (const QFont& font : {pixels, huge, odd, QFont()}) {
        const QString text = fontText(font);
        const auto back = fontFromText(text);
        ASSERT_TRUE(back.has_value()) << text.toStdString();
        EXPECT_EQ(fontText(*back), text);
    }
    for (const char* family : {",a", "Foo, Bar", "a;b", ";", "", " Geneva "}) {
        for (const char* form : {"%1;1;regular", "%1;9.5;bold italic"}) {
            const QString text = QString::fromLatin1(form).arg(QString::fromLatin1(family));
            const auto back = fontFromText(text);
            ASSERT_TRUE(back.has_value()) << text.toStdString();
            EXPECT_EQ(back->family(), QString::fromLatin1(family));
            EXPECT_EQ(fontText(*back), text);
        }
    }
}

TEST(PrefForms, DatesKeepTheMomentAndItsOffset)
{
    const QDateTime start(QDate(2024, 3, 1), QTime(22, 0), QTimeZone("Europe/Berlin"));
    EXPECT_EQ(dateText(start), QStringLiteral("2024-03-01T22:00:00+01:00"));
    EXPECT_EQ(dateFromText(dateText(start)), start);
    EXPECT_FALSE(dateFromText(QStringLiteral("tonight")).has_value());
}

TEST(PrefForms, StringArraysAreJsonArraysOfStrings)
{
    const QStringList names = {QStringLiteral("Sample 8\" SCT"), QString(), QStringLiteral("a, b")};
    EXPECT_EQ(stringArrayText(names), QStringLiteral(R"(["Sample 8\" SCT","","a, b"])"));
    EXPECT_EQ(stringArrayFromText(stringArrayText(names)), names);
    EXPECT_EQ(stringArrayFromText(QStringLiteral("[]")), QStringList());
    for (const char* bad : {"", "Undefined", "[1]", "[\"a\",null]", "{\"a\":1}", "[\"a\""})
        EXPECT_FALSE(stringArrayFromText(QString::fromLatin1(bad)).has_value()) << bad;
}

}  // namespace
