#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ombrix {

// The outcome of a write that matters. On failure the old file is untouched and `message`
// says what went wrong in words a user can act on.
struct WriteResult {
    bool ok = true;
    std::string message;

    static WriteResult failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and renames it over
// `path`, so a crash or a full disk never leaves a half-written file behind.
WriteResult writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The whole file, or nothing when it cannot be opened or read.
bool readWholeFile(const std::filesystem::path& path, std::string& bytes);

} // namespace ombrix
