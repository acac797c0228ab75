#include "common/leadingnumber.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <system_error>

namespace ombrix {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view text, std::size_t from) {
    while (from < text.size() && isDigit(text[from]))
        ++from;
    return from;
}

// The parts of a number at the start of a text, sign already taken off.
struct NumberSpan {
    std::string_view mantissa; // digits with an optional point, at least one digit
    std::string_view whole;    // mantissa and exponent together, as from_chars reads them
    long exponent = 0;         // saturated: only its sign and rough size matter
};

std::optional<NumberSpan> numberAt(std::string_view text) {
    const std::size_t integerEnd = skipDigits(text, 0);
    std::size_t end = integerEnd;
    if (end < text.size() && text[end] == '.')
        end = skipDigits(text, end + 1);
    const std::size_t digitCount = end - (end > integerEnd ? 1 : 0);
    if (digitCount == 0)
        return std::nullopt;
    NumberSpan span{text.substr(0, end), text.substr(0, end)};
    if (end >= text.size() || (text[end] != 'e' && text[end] != 'E'))
        return span;
    std::size_t digits = end + 1;
    const bool negativeExponent = digits < text.size() && text[digits] == '-';
    if (digits < text.size() && (text[digits] == '+' || text[digits] == '-'))
        ++digits;
    const std::size_t exponentEnd = skipDigits(text, digits);
    if (exponentEnd == digits)
        return span; // "1e" and "1e+" end before the "e"
    for (std::size_t i = digits; i < exponentEnd && span.exponent < 100000; ++i)
        span.exponent = span.exponent * 10 + (text[i] - '0');
    if (negativeExponent)
        span.exponent = -span.exponent;
    span.whole = text.substr(0, exponentEnd);
    return span;
}

// Whether a number that cannot be held is too large rather than too small: the place of its
// first significant digit, moved by the exponent, lies left of the decimal point.
bool beyondLargest(const NumberSpan& span) {
    const auto point = std::min(span.mantissa.find('.'), span.mantissa.size());
    const auto firstSignificant = span.mantissa.find_first_not_of("0.");
    if (firstSignificant == std::string_view::npos)
        return false;
    const long place = firstSignificant < point ? static_cast<long>(point - firstSignificant)
                                                : -static_cast<long>(firstSignificant - point - 1);
    return place + span.exponent > 0;
}

double magnitudeOf(const NumberSpan& span) {
    double value = 0;
    const auto [end, error] =
        std::from_chars(span.whole.data(), span.whole.data() + span.whole.size(), value);
    if (error == std::errc::result_out_of_range)
        return beyondLargest(span) ? std::numeric_limits<double>::infinity() : 0.0;
    return value;
}

} // namespace

double leadingNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    bool negative = false;
    if (start < text.size() && (text[start] == '+' || text[start] == '-')) {
        negative = text[start] == '-';
        ++start;
    }
    const auto span = numberAt(text.substr(start));
    if (!span)
        return 0;
    const double magnitude = magnitudeOf(*span);
    return negative ? -magnitude : magnitude;
}

} // namespace ombrix
