#include "common/colourvalue.h"

#include <array>

namespace ombrix {
namespace {

constexpr std::array<std::uint32_t, 25> systemColours = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000,
    0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x3399FF, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D,
    0x000000, 0x434E54, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, 0xFFFFE1};
constexpr std::uint32_t buttonFace = 0xF0F0F0;

} // namespace

std::uint32_t paintedRgb(std::int32_t colourValue) {
    const auto bits = static_cast<std::uint32_t>(colourValue);
    if (bits & systemColourFlag) {
        const std::uint32_t index = bits & ~systemColourFlag;
        return index < systemColours.size() ? systemColours[index] : buttonFace;
    }
    const std::uint32_t red = bits & 0xFF;
    const std::uint32_t green = (bits >> 8) & 0xFF;
    const std::uint32_t blue = (bits >> 16) & 0xFF;
    return (red << 16) | (green << 8) | blue;
}

} // namespace ombrix
