#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One key of the bar, as both programs hold it and as barra.dat stores it.
namespace ombrix {

// `text` without the blanks at either end, as a field's readers see it.
std::string_view trimmedBlanks(std::string_view text);

// A fixed-width text field: exactly Width bytes of Windows-1252. A field that was never
// assigned holds NUL bytes; assigning pads with blanks on the right or cuts to the width.
// The raw bytes are kept, so a record read from a file writes back byte for byte.
template <std::size_t Width> class FixedText {
public:
    static constexpr std::size_t width = Width;

    FixedText() { bytes_.fill('\0'); }
    explicit FixedText(std::string_view utf8) { assign(utf8); }

    void assign(std::string_view utf8);

    // What readers use: blanks trimmed at both ends; empty when the field starts with NUL.
    // Anything from the first NUL on is not text.
    std::string text() const;

    // Stores the text back trimmed and blank-padded; a field that starts with NUL keeps its
    // bytes, as the other platform's programs leave it.
    void trimInPlace() {
        if (!neverSet())
            assign(text());
    }

    bool neverSet() const { return bytes_[0] == '\0'; }
    const std::array<char, Width>& bytes() const { return bytes_; }
    void setBytes(const char* from);

    bool operator==(const FixedText&) const = default;

private:
    std::array<char, Width> bytes_;
};

// A colour value, red + 256 x green + 65536 x blue; the top bit set names a system colour.
using ColourValue = std::int32_t;

// The colour every new key has: a system colour value as a single, reading back as 0x80000000.
inline constexpr float systemGreyColour = -2147483648.0f;

struct KeyRecord {
    FixedText<250> target;      // program, document, web address or "shl.ShutdownWindows"
    FixedText<250> argument;    // a document handed to the target program
    std::int16_t iconIndex = 0; // 0 caption, 1..998 icon file, 999 the target's icon
    FixedText<6> caption;
    FixedText<36> toolTip;
    std::int16_t reserved = 0; // never read
    float backColor = 0;

    bool operator==(const KeyRecord&) const = default;
};

inline constexpr std::size_t keyRecordSize = 550;
inline constexpr int maxKeys = 128;
inline constexpr std::int16_t targetIconIndex = 999;

// The record at `bytes` (keyRecordSize of them), little-endian as stored.
KeyRecord decodeKeyRecord(const char* bytes);
void encodeKeyRecord(const KeyRecord& key, char* bytes);

// What a key holds when there is no key table: its number as caption (with the leading blank
// the number's text form has), no target, the default colour.
KeyRecord defaultKeyRecord(int keyIndex);

// The text a key shows when its face is its caption: the trimmed caption, or the key number
// when the caption is empty.
std::string captionFace(const KeyRecord& key, int keyIndex);

// The stored colour taken to the nearest whole number, ties to even; nothing when the float
// is no number or lies outside the 32-bit range.
std::optional<ColourValue> colourValueOf(float backColor);

} // namespace ombrix
