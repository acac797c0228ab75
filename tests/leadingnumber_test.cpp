#include "common/leadingnumber.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

using namespace ombrix;

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

struct NumberCase {
    const char* name;
    std::string text;
    double value;
};

// A failing row is reported by its name.
void PrintTo(const NumberCase& row, std::ostream* out) {
    *out << row.name;
}

class LeadingNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumber, TakesTheNumberTheTextStartsWith) {
    EXPECT_EQ(leadingNumber(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LeadingNumber,
    testing::Values(NumberCase{"Whole", "12", 12},
                    NumberCase{"BlanksThenTrailingText", "  12abc", 12},
                    NumberCase{"TabAndLineEnd", "\t\n9", 9}, NumberCase{"Negative", "-3", -3},
                    NumberCase{"PlusSign", "+7", 7}, NumberCase{"Fraction", "2.5", 2.5},
                    NumberCase{"PointFirst", ".5", 0.5}, NumberCase{"PointLast", "5.", 5},
                    NumberCase{"LeadingZeros", "007", 7}, NumberCase{"CommaIsNoPoint", "2,5", 2},
                    NumberCase{"BlankEndsTheNumber", "1 2", 1}, NumberCase{"Letters", "abc", 0},
                    NumberCase{"Empty", "", 0}, NumberCase{"OnlyBlanks", "   ", 0},
                    NumberCase{"SignOnly", "-", 0}, NumberCase{"PointOnly", ".", 0},
                    NumberCase{"SignThenLetters", "-x3", 0}, NumberCase{"HexNotRead", "&H10", 0},
                    NumberCase{"Exponent", "1e2", 100},
                    NumberCase{"NegativeExponent", "25E-1", 2.5},
                    NumberCase{"ExponentWithoutDigits", "1e", 1},
                    NumberCase{"ExponentSignWithoutDigits", "3e+x", 3},
                    NumberCase{"TooLarge", "1e999", infinity},
                    NumberCase{"TooLargeNegative", "-1e999", -infinity},
                    NumberCase{"TooLargeByDigits", std::string(400, '9'), infinity},
                    NumberCase{"HugeExponentDigits", "1e99999999999999999999", infinity},
                    NumberCase{"TooSmall", "1e-999", 0},
                    NumberCase{"TooSmallByDigits", "0." + std::string(400, '0') + "1", 0},
                    NumberCase{"TinyMantissaLargeExponent", "0.0001e999", infinity}),
    [](const auto& info) { return info.param.name; });

} // namespace
