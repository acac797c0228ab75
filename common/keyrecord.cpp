#include "common/keyrecord.h"

#include "common/cp1252.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace ombrix {

std::string_view trimmedBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

template <std::size_t Width> void FixedText<Width>::assign(std::string_view utf8) {
    const std::string encoded = utf8ToCp1252(utf8);
    bytes_.fill(' ');
    std::copy_n(encoded.begin(), std::min(encoded.size(), Width), bytes_.begin());
}

template <std::size_t Width> std::string FixedText<Width>::text() const {
    const std::string_view raw(bytes_.data(), Width);
    return cp1252ToUtf8(trimmedBlanks(raw.substr(0, raw.find('\0'))));
}

template <std::size_t Width> void FixedText<Width>::setBytes(const char* from) {
    std::copy_n(from, Width, bytes_.begin());
}

template class FixedText<6>;
template class FixedText<36>;
template class FixedText<250>;

namespace {

constexpr std::size_t targetAt = 0;
constexpr std::size_t argumentAt = 250;
constexpr std::size_t iconIndexAt = 500;
constexpr std::size_t captionAt = 502;
constexpr std::size_t toolTipAt = 508;
constexpr std::size_t reservedAt = 544;
constexpr std::size_t backColorAt = 546;

std::int16_t readInt16(const char* p) {
    const auto lo = static_cast<std::uint8_t>(p[0]);
    const auto hi = static_cast<std::uint8_t>(p[1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
}

void writeInt16(char* p, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    p[0] = static_cast<char>(bits & 0xFF);
    p[1] = static_cast<char>(bits >> 8);
}

float readSingle(const char* p) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = (bits << 8) | static_cast<std::uint8_t>(p[i]);
    return std::bit_cast<float>(bits);
}

void writeSingle(char* p, float value) {
    auto bits = std::bit_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i, bits >>= 8)
        p[i] = static_cast<char>(bits & 0xFF);
}

} // namespace

KeyRecord decodeKeyRecord(const char* bytes) {
    KeyRecord key;
    key.target.setBytes(bytes + targetAt);
    key.argument.setBytes(bytes + argumentAt);
    key.iconIndex = readInt16(bytes + iconIndexAt);
    key.caption.setBytes(bytes + captionAt);
    key.toolTip.setBytes(bytes + toolTipAt);
    key.reserved = readInt16(bytes + reservedAt);
    key.backColor = readSingle(bytes + backColorAt);
    return key;
}

void encodeKeyRecord(const KeyRecord& key, char* bytes) {
    std::memcpy(bytes + targetAt, key.target.bytes().data(), key.target.width);
    std::memcpy(bytes + argumentAt, key.argument.bytes().data(), key.argument.width);
    writeInt16(bytes + iconIndexAt, key.iconIndex);
    std::memcpy(bytes + captionAt, key.caption.bytes().data(), key.caption.width);
    std::memcpy(bytes + toolTipAt, key.toolTip.bytes().data(), key.toolTip.width);
    writeInt16(bytes + reservedAt, key.reserved);
    writeSingle(bytes + backColorAt, key.backColor);
}

KeyRecord defaultKeyRecord(int keyIndex) {
    KeyRecord key;
    key.iconIndex = 0;
    key.caption.assign(" " + std::to_string(keyIndex + 1));
    key.toolTip.assign("");
    key.target.assign("");
    key.backColor = systemGreyColour;
    return key;
}

std::string captionFace(const KeyRecord& key, int keyIndex) {
    std::string text = key.caption.text();
    return text.empty() ? std::to_string(keyIndex + 1) : text;
}

std::optional<ColourValue> colourValueOf(float backColor) {
    if (!std::isfinite(backColor))
        return std::nullopt;
    const double rounded = std::nearbyint(static_cast<double>(backColor));
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        return std::nullopt;
    return static_cast<ColourValue>(rounded);
}

} // namespace ombrix
