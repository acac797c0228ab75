#pragma once

#include <cstdint>

// Colour values as keys store them: red + 256 x green + 65536 x blue, or, with the top bit
// set, the number of a system colour.
namespace ombrix {

inline constexpr std::uint32_t systemColourFlag = 0x80000000u;

// The colour to paint, as 0xRRGGBB. System colours take the classic desktop's default
// shades (system colour 0, the default key colour, is the scroll-bar grey C8C8C8); an
// unknown system colour paints as the button face.
std::uint32_t paintedRgb(std::int32_t colourValue);

} // namespace ombrix
