#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "run/Val.h"
#include "tests/RowName.h"

namespace varneska {
namespace {

struct ValCase {
    const char* name;
    std::string token;
    double value;
};

void PrintTo(const ValCase& row, std::ostream* out) {
    *out << row.name;
}

class ValTable : public testing::TestWithParam<ValCase> {};

// Bit-for-bit, so that a wrongly rounded last bit or a lost sign of zero fails.
TEST_P(ValTable, ReadsTheTokenExactly) {
    const ValCase& row = GetParam();
    const double got = Val(row.token);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(row.value))
        << "token \"" << row.token << "\": got " << got << ", want " << row.value;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Tokens, ValTable,
    testing::Values(
        ValCase{"IntegerWithClosingSpace", "12 ", 12.0}, ValCase{"EmptyTokenIsZero", "", 0.0},
        ValCase{"LineFeedTokenIsZero", "\n ", 0.0}, ValCase{"ExponentWithSign", "1E-05 ", 0.00001},
        ValCase{"CarriageReturnEndsNumber", "5\r", 5.0}, ValCase{"CommaEndsNumber", "1,5", 1.0},
        ValCase{"SecondPeriodEndsNumber", "1.5.3", 1.5}, ValCase{"LeadingPeriod", ".5", 0.5},
        ValCase{"NegativeLeadingPeriod", "-.3 ", -0.3}, ValCase{"PlusSign", "+7", 7.0},
        ValCase{"LoneSign", "- ", 0.0}, ValCase{"LonePeriod", ". ", 0.0},
        ValCase{"SpacesInsideAreIgnored", "1 2.5", 12.5},
        ValCase{"TabsInsideAreIgnored", "\t1\t2\t", 12.0},
        ValCase{"LineFeedInsideIsIgnored", "\n4\n2 ", 42.0},
        ValCase{"SpaceBetweenSignAndDigits", "- 5", -5.0},
        ValCase{"ExponentLetterD", "1D3", 1000.0}, ValCase{"SignedLowerCaseD", "-2.5d-3 ", -0.0025},
        ValCase{"PlusSignAndPlusExponent", "+1.5E+2 ", 150.0},
        ValCase{"LetterDBeyondRange", "1d400 ", kInfinity},
        ValCase{"PlusSignBeyondRange", "+1e400", kInfinity},
        ValCase{"LetterDWithManyDigits", "12345678901234567890123d-3 ", 12345678901234567890.123},
        ValCase{"SpaceAfterExponentLetter", "1e 5", 1e5},
        ValCase{"ExponentReadsAcrossSpaces", "2e2 3d1", 2e23},
        ValCase{"ExponentWithoutDigitsIsNoExponent", "1e", 1.0},
        ValCase{"ExponentSignWithoutDigits", "1e+ ", 1.0},
        ValCase{"PeriodBeforeExponent", "5.e3", 5000.0},
        ValCase{"ExponentWithoutMantissa", "e5", 0.0}, ValCase{"RadixPrefixIsNotRead", "&H10", 0.0},
        ValCase{"InfinityIsNotAWord", "inf", 0.0}, ValCase{"NotANumberIsNotAWord", "nan", 0.0},
        ValCase{"HighByteEndsNumber",
                "1\xB5"
                "2",
                1.0},
        ValCase{"NegativeZeroKeepsItsSign", "-0", -0.0},
        ValCase{"ClassicHardRounding", "1e23", 1e23},
        ValCase{"TieRoundsToEven", "9007199254740993", 9007199254740992.0},
        ValCase{"DigitsPastTieRoundUp", "9007199254740993.0000000000000001", 9007199254740994.0},
        ValCase{"SmallestNormal", "2.2250738585072014e-308", 2.2250738585072014e-308},
        ValCase{"Subnormal", "4.9e-324", std::numeric_limits<double>::denorm_min()},
        ValCase{"BelowSubnormalIsZero", "1e-400", 0.0},
        ValCase{"NegativeBelowSubnormalIsNegativeZero", "-1e-400", -0.0},
        ValCase{"BeyondRangeIsInfinity", "1e400", kInfinity},
        ValCase{"NegativeBeyondRangeIsNegativeInfinity", "-1e400", -kInfinity},
        ValCase{"ManyDigitsBeyondRangeIsInfinity", std::string(400, '9'), kInfinity},
        ValCase{"LeadingZerosDoNotOverflow", "0." + std::string(400, '0') + "1e401", 1.0},
        ValCase{"HugeExponentIsInfinity", "1e99999999999999999999", kInfinity},
        ValCase{"HugeNegativeExponentIsZero", "1e-99999999999999999999", 0.0},
        ValCase{"LongTokenWithSpaces", "1" + std::string(300, ' ') + std::string(299, '0'), 1e299},
        ValCase{"LongMantissa", "1" + std::string(299, '0') + ".5", 1e299}),
    test::RowName{});

// The period is the decimal separator whatever the locale: in one whose separator is a comma,
// "2,5" still reads as 2. scripts/install-deps generates the locale.
TEST(Val, IgnoresTheLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous != nullptr ? previous : "C";
    ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr)
        << "the locale de_DE.UTF-8 is not there; scripts/install-deps generates it";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(Val("2.5 "), 2.5);
    EXPECT_EQ(Val("2,5 "), 2.0);
    EXPECT_EQ(Val("-1.25e+2 "), -125.0);
    EXPECT_EQ(Val(std::string(30, '1') + ".5 "), 111111111111111111111111111111.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace varneska

namespace varneska {
namespace {

// The in-place path must round exactly as from_chars does, on every shape of decimal it takes:
// short and long mantissas, periods anywhere, exponents near the edges of the exact powers, with
// either sign and any of the four exponent letters.
TEST(Val, AgreesWithFromCharsOnRandomDecimals) {
    std::mt19937_64 random(20261211);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int i = 0; i < 200000; ++i) {
        std::string number;
        const int sign = pick(0, 5);
        if (sign == 0) {
            number += '-';
        }
        const int digits = pick(1, 24);
        const int period = pick(-1, digits);
        for (int d = 0; d < digits; ++d) {
            if (d == period) {
                number += '.';
            }
            number += static_cast<char>('0' + pick(0, 9));
        }
        std::string token = sign == 1 ? "+" + number : number;
        if (pick(0, 2) == 0) {
            const int exponent = pick(-40, 40);
            number += 'e' + std::to_string(exponent);
            token += "eEdD"[pick(0, 3)];
            token += (exponent >= 0 && pick(0, 1) == 0 ? "+" : "") + std::to_string(exponent);
        }
        double expected = 0.0;
        std::from_chars(number.data(), number.data() + number.size(), expected);
        const double got = Val(token + " ");
        ASSERT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(expected))
            << token;
    }
}

}  // namespace
}  // namespace varneska
