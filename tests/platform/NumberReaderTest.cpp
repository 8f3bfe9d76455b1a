#include "platform/NumberReader.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <clocale>
#include <string>

namespace {

struct Case {
    const char* field;
    double value;
};

// Column values as they appear in element files and catalogue texts.
constexpr Case kDoubleCases[] = {
    {"", 0.0},           {"     ", 0.0},        {"12.5", 12.5},     {"   12.5", 12.5},
    {"-0.25", -0.25},    {"+3.75", 3.75},      {" -  1", 0.0},     {".5", 0.5},
    {"7.", 7.0},         {"1.5e3", 1500.0},    {"2.5E-2", 0.025},  {"3.25abc", 3.25},
    {"4.5 6.7", 4.5},    {"1.2.3", 1.2},       {"-", 0.0},         {"abc", 0.0},
    {"nan", 0.0},        {"inf", 0.0},         {"\t8.125", 8.125}, {"1e", 1.0},
};

}  // namespace

TEST(NumberReader, ReadsFieldsAsTheColumnsMeanThem)
{
    for (const Case& c : kDoubleCases)
        EXPECT_DOUBLE_EQ(NumberReader::readDouble(c.field), c.value) << '"' << c.field << '"';
}

TEST(NumberReader, IgnoresTheProcessLocale)
{
    // de_DE may be absent on minimal systems; the Qt default locale still changes.
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    for (const Case& c : kDoubleCases)
        EXPECT_DOUBLE_EQ(NumberReader::readDouble(c.field), c.value) << '"' << c.field << '"';
    // A decimal comma is not part of a number in these files.
    EXPECT_DOUBLE_EQ(NumberReader::readDouble("12,5"), 12.0);
    std::setlocale(LC_ALL, previous.c_str());
    QLocale::setDefault(QLocale::c());
}

TEST(NumberReader, ReadsIntegersUpToTheFirstNonDigit)
{
    for (const auto& [field, value] : {std::pair{"", 0}, {"  42", 42}, {"-17x", -17}, {"+8", 8}, {"12.9", 12},
                                       {"K07", 0}, {"99999999999999999999999", 0}})
        EXPECT_EQ(NumberReader::readInteger(field), value) << field;
}

TEST(NumberReader, ColumnsOfShortLinesAreTruncatedNotOverrun)
{
    const std::string_view line = "00001    3.34  0.12 K205V";
    EXPECT_EQ(NumberReader::column(line, 8, 5), " 3.34");
    EXPECT_EQ(NumberReader::column(line, 20, 10), "K205V");
    EXPECT_TRUE(NumberReader::column(line, 40, 5).empty());
    EXPECT_DOUBLE_EQ(NumberReader::readDouble(NumberReader::column(line, 8, 5)), 3.34);
}
