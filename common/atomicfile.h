#pragma once

#include "common/usermessage.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ombrix {

// The outcome of a write that matters. On failure the old file is untouched and `message`
// says what went wrong in words a user can act on.
struct [[nodiscard]] WriteResult {
    bool ok = true;
    UserMessage message;

    static WriteResult failure(UserMessage why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

// Replaces the file at `path` with `bytes` so that a crash, a kill or a full disk leaves
// either the old file or the new one, never a torn one:
//  - a symbolic link is followed: its target is replaced and the link stays;
//  - only a regular file is replaced: a device, a FIFO or a folder in the way (or at the end
//    of the link) is left alone and the write fails, naming it;
//  - the new file keeps the old one's permission bits and, where allowed, its owner; a new
//    file gets the usual bits for the user's umask;
//  - a file that may not be written (no write bit for its owner, or no write access for
//    this user) is left as it is and the write fails;
//  - the bytes are written to a temporary file beside the target, synced, renamed over the
//    target, and the folder is synced so the rename itself survives a power cut;
//  - temporary files that an interrupted earlier write left beside the target are removed.
//    A temporary file is locked while it is written, so one being written by a living
//    process is never taken for a leftover.
WriteResult writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The name a temporary file of a write to `path` starts with; the rest is six letters or
// digits.
std::string temporaryPrefixFor(const std::filesystem::path& path);

// At most `limit` bytes from the start of a regular file (links followed). Nothing when the
// file cannot be opened or read, or is no regular file: a device (/dev/zero), a FIFO, a
// socket or a folder is never read, so no read here can block or run without end.
std::optional<std::string> readFilePrefix(const std::filesystem::path& path, std::size_t limit);

// The whole of a regular file, as readFilePrefix without a limit; false when it is no
// readable regular file.
bool readWholeFile(const std::filesystem::path& path, std::string& bytes);

} // namespace ombrix
