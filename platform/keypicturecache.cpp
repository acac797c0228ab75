#include "platform/keypicturecache.h"

#include "common/atomicfile.h"
#include "common/boundedread.h"
#include "common/keypixels.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ombrix::platform {

namespace {

// "OMBRIXKP", the format, then the logical picture size; each entry names its side in device
// pixels.
constexpr std::string_view magic = "OMBRIXKP";
constexpr std::uint32_t formatVersion = 3;
// Bounds that keep a damaged file from asking for absurd amounts of memory.
constexpr std::uint32_t maxEntries = 512;
constexpr std::uint32_t maxText = 4096;
constexpr std::uint32_t maxReadFiles = 64;
// Files up to this size may be known by their contents; larger ones (programs) by identity.
constexpr std::uintmax_t contentLimit = 64 * 1024;

// A 64-bit hash of the bytes, eight at a time: the cache is hashed at every start, so speed
// matters more here than the quality of a cryptographic hash.
std::uint64_t hashOf(std::string_view bytes) {
    constexpr std::uint64_t multiplier = 0x9E3779B97F4A7C15ull;
    std::uint64_t hash = 0x243F6A8885A308D3ull ^ (bytes.size() * multiplier);
    const auto mix = [&](std::uint64_t word) {
        hash = (hash ^ word) * multiplier;
        hash ^= hash >> 29;
    };
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, 8);
        mix(word);
    }
    std::uint64_t tail = 0;
    if (at < bytes.size())
        std::memcpy(&tail, bytes.data() + at, bytes.size() - at);
    mix(tail);
    return hash;
}

std::optional<struct stat> statOf(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return std::nullopt;
    return info;
}

// Device, inode, size and both times: a file rewritten or replaced shows another identity.
std::string identityOf(const struct stat& info) {
    return "i" + std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":" +
           std::to_string(info.st_size) + ":" + std::to_string(info.st_mtim.tv_sec) + "." +
           std::to_string(info.st_mtim.tv_nsec) + ":" + std::to_string(info.st_ctim.tv_sec) + "." +
           std::to_string(info.st_ctim.tv_nsec);
}

std::string contentsOf(const std::filesystem::path& file) {
    std::string bytes;
    if (!readWholeFile(file, bytes))
        return "-";
    return "c" + std::to_string(bytes.size()) + ":" + std::to_string(hashOf(bytes));
}

bool byContents(std::string_view fingerprint) {
    return !fingerprint.empty() && fingerprint.front() == 'c';
}

// A change to a file's contents moves its modification time to now, but only to the grain of
// the file system's clock (a few milliseconds, up to two seconds on some): a small file
// modified within a few seconds of being read may change again at the same size without its
// times moving, so it is known by its contents; any other file by its identity (one stat).
std::string fingerprintOf(const std::filesystem::path& file) {
    const auto info = statOf(file);
    if (!info || !S_ISREG(info->st_mode))
        return "-";
    constexpr std::time_t settledAfterSeconds = 5;
    const bool settled = std::time(nullptr) - info->st_mtim.tv_sec > settledAfterSeconds;
    if (settled || static_cast<std::uintmax_t>(info->st_size) > contentLimit)
        return identityOf(*info);
    return contentsOf(file);
}

// Whether `file` still has the fingerprint taken earlier, measured the same way; `fingerprint`
// is brought up to date when the file has since settled, so that it costs one stat from then on.
bool stillMatches(const std::filesystem::path& file, std::string& fingerprint, bool& renewed) {
    if (!byContents(fingerprint)) {
        const auto info = statOf(file);
        return (info ? identityOf(*info) : std::string("-")) == fingerprint;
    }
    if (contentsOf(file) != fingerprint)
        return false;
    if (std::string now = fingerprintOf(file); !byContents(now)) {
        fingerprint = std::move(now);
        renewed = true;
    }
    return true;
}

// ---- the file format: little-endian numbers, texts with their length before them ----

void putNumber(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void putText(std::string& out, std::string_view text) {
    putNumber(out, text.size(), 4);
    out += text;
}

// A whole file read into memory that is made ready in one step rather than a page at a time
// as the read fills it, which costs a start less; the file itself is not mapped, so that
// nothing done to it meanwhile can fault the program. The pictures of the cache point into
// it, so it lives as long as they do.
class FileBytes {
public:
    explicit FileBytes(const std::filesystem::path& file) {
        const int fd = openBoundedFile(file, pictureCacheLimit);
        if (fd < 0)
            return;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
            size_ = static_cast<std::size_t>(info.st_size);
            void* at = ::mmap(nullptr, size_, PROT_READ | PROT_WRITE,
                              MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
            memory_ = at == MAP_FAILED ? nullptr : static_cast<char*>(at);
        }
        std::size_t done = 0;
        while (memory_ && done < size_) {
            const ssize_t got = ::read(fd, memory_ + done, size_ - done);
            if (got <= 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        ::close(fd);
        complete_ = memory_ && done == size_;
    }
    ~FileBytes() {
        if (memory_)
            ::munmap(memory_, size_);
    }
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    // Empty when the file could not be read whole.
    std::string_view bytes() const { return complete_ ? std::string_view(memory_, size_) : ""; }

private:
    char* memory_ = nullptr;
    std::size_t size_ = 0;
    bool complete_ = false;
};

class Reader {
public:
    // `offset`: where `bytes` starts in the file.
    explicit Reader(std::string_view bytes, std::size_t offset = 0)
        : bytes_(bytes), offset_(offset) {}

    bool number(std::uint64_t& value, int bytes) {
        if (bytes_.size() - at_ < static_cast<std::size_t>(bytes))
            return false;
        value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= std::uint64_t{static_cast<unsigned char>(bytes_[at_ + i])} << (8 * i);
        at_ += static_cast<std::size_t>(bytes);
        return true;
    }
    bool number32(std::uint32_t& value) {
        std::uint64_t wide = 0;
        if (!number(wide, 4))
            return false;
        value = static_cast<std::uint32_t>(wide);
        return true;
    }
    bool text(std::string& value, std::size_t limit = maxText) {
        std::uint32_t size = 0;
        if (!number32(size) || size > limit || bytes_.size() - at_ < size)
            return false;
        value.assign(bytes_.substr(at_, size));
        at_ += size;
        return true;
    }
    // The next `size` bytes, which start at a multiple of four in the file; null when the
    // file ends first.
    const unsigned char* alignedBlock(std::size_t size) {
        at_ += (4 - (offset_ + at_) % 4) % 4;
        if (at_ > bytes_.size() || bytes_.size() - at_ < size)
            return nullptr;
        const auto* block = reinterpret_cast<const unsigned char*>(bytes_.data() + at_);
        at_ += size;
        return block;
    }
    bool atEnd() const { return at_ == bytes_.size(); }

private:
    std::string_view bytes_;
    std::size_t offset_;
    std::size_t at_ = 0;
};

std::string header() {
    std::string out(magic);
    putNumber(out, formatVersion, 4);
    putNumber(out, KeyPictureCache::pictureSize, 4);
    return out;
}

void putEntry(std::string& out, const std::string& source, int side,
              const KeyPictureCache::Entry& entry) {
    putText(out, source);
    putNumber(out, static_cast<std::uint64_t>(side), 4);
    putText(out, entry.fingerprint);
    putNumber(out, entry.themeStamp, 8);
    putNumber(out, entry.readFiles.size(), 4);
    for (const auto& read : entry.readFiles) {
        putText(out, read.path);
        putText(out, read.identity);
    }
    const QImage& picture = entry.picture;
    putNumber(out, static_cast<std::uint64_t>(picture.width()), 4);
    putNumber(out, static_cast<std::uint64_t>(picture.height()), 4);
    // The pixels start at a multiple of four, where a picture can be read in place.
    out.append((4 - out.size() % 4) % 4, '\0');
    for (int y = 0; y < picture.height(); ++y)
        out.append(reinterpret_cast<const char*>(picture.constScanLine(y)),
                   static_cast<std::size_t>(picture.width()) * 4);
}

// At most what putEntry writes.
std::size_t entrySize(const std::string& source, const KeyPictureCache::Entry& entry) {
    std::size_t size = 4 + source.size() + 4 + 4 + entry.fingerprint.size() + 8 + 4 + 4 + 4 + 3 +
                       std::size_t(entry.picture.width()) * std::size_t(entry.picture.height()) * 4;
    for (const auto& read : entry.readFiles)
        size += 8 + read.path.size() + read.identity.size();
    return size;
}

// A picture of `side` device pixels shows 16 logical pixels.
double pixelRatioOf(int side) {
    return side / double(KeyPictureCache::pictureSize);
}

bool readEntry(Reader& in, const std::shared_ptr<const FileBytes>& file, std::string& source,
               std::uint32_t& side, KeyPictureCache::Entry& entry) {
    std::uint32_t readCount = 0;
    if (!in.text(source) || !in.number32(side) || side == 0 ||
        side > KeyPictureCache::largestSide || !in.text(entry.fingerprint) ||
        !in.number(entry.themeStamp, 8) || !in.number32(readCount) || readCount > maxReadFiles)
        return false;
    entry.readFiles.resize(readCount);
    for (auto& read : entry.readFiles)
        if (!in.text(read.path) || !in.text(read.identity))
            return false;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!in.number32(width) || !in.number32(height) || width > KeyPictureCache::largestSide ||
        height > KeyPictureCache::largestSide)
        return false;
    if (width == 0 || height == 0)
        return width == height; // a file without a picture
    const unsigned char* pixels = in.alignedBlock(std::size_t{width} * height * 4);
    if (!pixels)
        return false;
    // Read in place: the picture keeps the file's bytes alive, and a change to it copies.
    using Keep = std::shared_ptr<const FileBytes>;
    entry.picture = QImage(
        pixels, static_cast<int>(width), static_cast<int>(height), qsizetype{width} * 4,
        QImage::Format_ARGB32_Premultiplied, [](void* keep) { delete static_cast<Keep*>(keep); },
        new Keep(file));
    // Set while the picture is the only one to hold its data, which spares a copy of it.
    entry.picture.setDevicePixelRatio(pixelRatioOf(static_cast<int>(side)));
    return true;
}

} // namespace

KeyPictureCache::KeyPictureCache(std::filesystem::path file, Render render, ThemeStamp themeStamp)
    : file_(std::move(file)), render_(std::move(render)), themeStamp_(std::move(themeStamp)) {}

void KeyPictureCache::load() {
    loaded_ = true;
    const auto file = std::make_shared<const FileBytes>(file_);
    const std::string_view bytes = file->bytes();
    // The last eight bytes check all before them: a torn or damaged file is not used.
    if (bytes.size() < 8)
        return;
    const std::string_view body(bytes.data(), bytes.size() - 8);
    Reader check(bytes.substr(body.size()));
    std::uint64_t sum = 0;
    if (!check.number(sum, 8) || sum != hashOf(body))
        return;
    const std::string expected = header();
    if (body.substr(0, expected.size()) != expected)
        return;
    Reader in(body.substr(expected.size()), expected.size());
    std::uint32_t count = 0;
    if (!in.number32(count) || count > maxEntries)
        return;
    std::map<Key, Entry> entries;
    std::vector<Key> order;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string source;
        std::uint32_t side = 0;
        Entry entry;
        if (!readEntry(in, file, source, side, entry))
            return;
        Key key(std::move(source), static_cast<int>(side));
        if (entries.emplace(key, std::move(entry)).second)
            order.push_back(std::move(key));
    }
    if (!in.atEnd())
        return;
    entries_ = std::move(entries);
    order_ = std::move(order);
}

std::uint64_t KeyPictureCache::currentThemeStamp() {
    // Never 0, which marks a picture that does not come from the theme.
    if (themeStampNow_ == 0)
        themeStampNow_ = hashOf(themeStamp_ ? themeStamp_() : std::string()) | 1;
    return themeStampNow_;
}

bool KeyPictureCache::isValid(const std::filesystem::path& source, Entry& entry) {
    if (!stillMatches(source, entry.fingerprint, changed_))
        return false;
    for (auto& read : entry.readFiles)
        if (!stillMatches(read.path, read.identity, changed_))
            return false;
    return entry.themeStamp == 0 || entry.themeStamp == currentThemeStamp();
}

int KeyPictureCache::sideAt(double scale) {
    return keyPictureSide(scale);
}

QImage KeyPictureCache::picture(const std::filesystem::path& source, double scale) {
    if (!loaded_)
        load();
    const int side = sideAt(scale);
    const Key key(source.string(), side);
    const auto found = entries_.find(key);
    if (found != entries_.end() && isValid(source, found->second)) {
        found->second.usedNow = true;
        return found->second.picture;
    }
    const std::string fingerprint = fingerprintOf(source);
    if (fingerprint == "-")
        return {};
    RenderedPicture rendered = render_(source, side);
    ++renders_;
    Entry entry;
    entry.fingerprint = fingerprint;
    entry.themeStamp = rendered.fromTheme ? currentThemeStamp() : 0;
    for (const auto& read : rendered.readFiles)
        entry.readFiles.push_back({read.string(), fingerprintOf(read)});
    if (!rendered.picture.isNull()) {
        entry.picture =
            std::move(rendered.picture).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        entry.picture.setDevicePixelRatio(pixelRatioOf(side));
    }
    entry.usedNow = true;
    if (entry.readFiles.size() <= maxReadFiles) {
        entries_[key] = entry;
        changed_ = true;
    }
    return entry.picture;
}

bool KeyPictureCache::save() {
    if (!changed_)
        return true;
    std::vector<const Key*> kept;
    for (const auto& [key, entry] : entries_)
        if (entry.usedNow)
            kept.push_back(&key);
    for (const Key& key : order_) {
        const auto found = entries_.find(key);
        if (found != entries_.end() && !found->second.usedNow)
            kept.push_back(&found->first);
    }
    if (kept.size() > maxEntries)
        kept.resize(maxEntries);

    // Made in one piece of memory: grown step by step, the text of a cache of large pictures
    // would for a moment take half as much again.
    std::size_t size = header().size() + 4 + 8;
    for (const Key* key : kept)
        size += entrySize(key->first, entries_.at(*key));
    std::string out = header();
    out.reserve(size);
    putNumber(out, kept.size(), 4);
    for (const Key* key : kept)
        putEntry(out, key->first, key->second, entries_.at(*key));
    putNumber(out, hashOf(out), 8);

    std::error_code error;
    std::filesystem::create_directories(file_.parent_path(), error);
    if (!writeFileAtomically(file_, out))
        return false;
    changed_ = false;
    return true;
}

} // namespace ombrix::platform
