#include "common/contrast.h"

#include <algorithm>
#include <cmath>

namespace ombrix {

namespace {

double linear(std::uint32_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

constexpr std::uint32_t black = 0x000000;
constexpr std::uint32_t white = 0xFFFFFF;

} // namespace

double relativeLuminance(std::uint32_t rgb) {
    return 0.2126 * linear((rgb >> 16) & 0xFF) + 0.7152 * linear((rgb >> 8) & 0xFF) +
           0.0722 * linear(rgb & 0xFF);
}

double contrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::uint32_t blackOrWhiteOn(std::uint32_t face) {
    return contrastRatio(face, black) >= contrastRatio(face, white) ? black : white;
}

} // namespace ombrix
