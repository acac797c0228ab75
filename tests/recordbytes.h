#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// Key records assembled byte by byte, as the other platform stores them, so tests compare the
// writer with bytes it did not make itself.

// A field of `width` bytes: the text, then blanks.
inline std::string padded(std::string_view text, std::size_t width) {
    std::string field(text);
    field.resize(width, ' ');
    return field;
}

// A field that was never set.
inline std::string nuls(std::size_t width) {
    return std::string(width, '\0');
}

inline std::string littleEndian16(std::uint16_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

inline std::string bytesOf(std::initializer_list<unsigned char> bytes) {
    return std::string(bytes.begin(), bytes.end());
}
