#pragma once

#include <string>
#include <string_view>

// The fixed texts of the key table are one byte per character in the Windows-1252 code page,
// so tables written on the other platform read unchanged. In memory, texts are UTF-8.
namespace ombrix {

// A character that Windows-1252 cannot hold becomes "?"; malformed UTF-8 bytes do too.
std::string utf8ToCp1252(std::string_view utf8);

// Every byte has a meaning; the five bytes the code page leaves unassigned map to the
// control characters of the same number, as the other platform does.
std::string cp1252ToUtf8(std::string_view bytes);

} // namespace ombrix
