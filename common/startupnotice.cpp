#include "common/startupnotice.h"

#include <algorithm>

namespace ombrix {

std::string startupId(std::string_view launcher, std::string_view program, std::int64_t pid,
                      int serial, std::uint32_t serverTime) {
    std::string id;
    id.append(launcher).append("/").append(program).append("/");
    id.append(std::to_string(pid)).append("-").append(std::to_string(serial));
    id.append("_TIME").append(std::to_string(serverTime));
    return id;
}

namespace {

std::string quoted(std::string_view value) {
    const bool plain = !value.empty() && value.find_first_of(" \"\\") == std::string_view::npos;
    if (plain)
        return std::string(value);
    std::string out = "\"";
    for (const char c : value) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

} // namespace

std::string startupMessage(std::string_view type,
                           const std::vector<std::pair<std::string, std::string>>& fields) {
    std::string message(type);
    message += ':';
    for (const auto& [key, value] : fields)
        message.append(" ").append(key).append("=").append(quoted(value));
    return message;
}

std::vector<std::array<char, 20>> startupMessagePieces(std::string_view message) {
    std::vector<std::array<char, 20>> pieces;
    const std::size_t length = message.size() + 1; // the closing NUL
    for (std::size_t at = 0; at < length; at += 20) {
        std::array<char, 20> piece{};
        const std::size_t n =
            std::min<std::size_t>(20, message.size() > at ? message.size() - at : 0);
        std::copy_n(message.data() + at, n, piece.begin());
        pieces.push_back(piece);
    }
    return pieces;
}

} // namespace ombrix
