#pragma once

#include <string_view>

namespace ombrix {

// The number a text starts with, as the number box reads it: leading blanks (space, tab, line
// ends) skipped, an optional sign, digits with an optional decimal point ("5." and ".5" are
// numbers), then an optional exponent: "e" or "E", an optional sign and at least one digit
// ("1e2" is 100, "1e" is 1). Anything after that is ignored ("12abc" is 12, "1 2" is 1); 0
// when the text starts with no number ("abc", "", "-", "." and "&H10" are 0). A number too
// large to hold reads as infinity with its sign, one too small as 0. The decimal point is
// always ".", whatever the system's language.
double leadingNumber(std::string_view text);

} // namespace ombrix
