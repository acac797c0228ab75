#pragma once

#include <cstdint>

// How well one colour reads on another, as the web's accessibility guidelines measure it: the
// ratio of the two relative luminances, each plus 0.05, from 1:1 (the same) to 21:1 (black on
// white). Text wants 4.5:1, focus marks and other marks 3:1. Colours are 0xRRGGBB.
namespace ombrix {

double relativeLuminance(std::uint32_t rgb);
double contrastRatio(std::uint32_t a, std::uint32_t b);

// Black or white, whichever reads better on `face`: one of them always reaches 4.5:1.
std::uint32_t blackOrWhiteOn(std::uint32_t face);

} // namespace ombrix
