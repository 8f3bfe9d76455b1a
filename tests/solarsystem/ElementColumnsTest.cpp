#include "platform/NumberReader.h"
#include "solarsystem/smallbodies/ElementColumns.h"
#include "solarsystem/MpcLines.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <random>

namespace {

// The fast element reader must give NumberReader's value to the last bit, sign of zero included.
void expectSameAsNumberReader(std::string_view field)
{
    EXPECT_EQ(std::bit_cast<std::uint64_t>(ElementColumns::readDouble(field)),
              std::bit_cast<std::uint64_t>(NumberReader::readDouble(field)))
        << '"' << field << '"';
}

TEST(ElementColumns, EveryFieldOfTheSampleLinesAndUnusualFields)
{
    for (const std::string_view line : {MpcLines::kCeres, MpcLines::kVesta, MpcLines::kEros, MpcLines::k2019KO2,
                                        MpcLines::k617103, MpcLines::kHaleBopp, MpcLines::kEncke,
                                        MpcLines::kAtlas2019E3}) {
        for (std::size_t first = 0; first < line.size(); ++first)
            for (std::size_t width = 1; width <= 12; ++width)
                expectSameAsNumberReader(NumberReader::column(line, first, width));
    }
    for (const char* field : {"", " ", "-", "+", ".", "-.", "-0", "-0.000", "5.", ".5", "+.5", "1e5", "1.5E+3",
                              "2.5e", "1.2.3", "12 34", "\t7.25", "0x1p3", "inf", "nan", "1234567890123456",
                              "123456789012345", "0.000000000000001", "99999999999999999999",
                              "1.0000000000000000001", "--1", "3-4"})
        expectSameAsNumberReader(field);
}

TEST(ElementColumns, RandomDecimalsAgreeToTheLastBit)
{
    std::mt19937_64 random(20251206);
    char field[64];
    for (int i = 0; i < 20000; ++i) {
        const int decimals = int(random() % 12);
        const double value =
            std::ldexp(double(random() % (1ull << 40)), -int(random() % 40)) * (random() % 2 ? -1.0 : 1.0);
        std::snprintf(field, sizeof field, "%*.*f", int(random() % 14), decimals, value);
        expectSameAsNumberReader(field);
    }
}

// Fields of every shape the eight-digit steps meet: runs of digits of every
// length around points, signs, exponents, blanks and other bytes.
TEST(ElementColumns, RandomCharacterFieldsAgreeToTheLastBit)
{
    static constexpr char kAlphabet[] = "0123456789012345678901234567890123456789..  -+eE\tx/:\x80\xb5";
    std::mt19937_64 random(20261208);
    char field[24];
    for (int i = 0; i < 200000; ++i) {
        const std::size_t length = std::size_t(random() % sizeof field);
        for (std::size_t c = 0; c < length; ++c)
            field[c] = kAlphabet[random() % (sizeof kAlphabet - 1)];
        expectSameAsNumberReader(std::string_view(field, length));
    }
}

}  // namespace
