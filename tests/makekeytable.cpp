// Writes a program folder's key table (and the key count beside it) for the end-to-end test
// and the launch benchmark. Every key of a table gets the same kind of contents:
//
//   makekeytable <program folder> <keycount.stm> <count> documents <program> <document folder>
//       key i starts <program> with <document folder>/doc<i>.txt, which is created;
//   makekeytable <program folder> <keycount.stm> <count> icons
//       key i shows icons/icon<i>.ico (icon index i + 1), written in 16 x 16 and 32 x 32;
//   makekeytable <program folder> <keycount.stm> <count> targets <file>...
//       key i shows the icon of its target (icon index 999), the files taken in turn.
#include "common/keycount.h"
#include "common/keyrecord.h"
#include "common/keytable.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Rgb {
    std::uint8_t r, g, b;
};

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// One icon image as an ICO stores it: a bitmap header with the doubled height, 32-bit BGRA
// rows from the bottom up, then the all-clear AND mask (alpha decides what is seen).
std::string iconBitmap(int size, Rgb fill) {
    std::string bmp;
    putLe(bmp, 40, 4);
    putLe(bmp, static_cast<std::uint32_t>(size), 4);
    putLe(bmp, static_cast<std::uint32_t>(2 * size), 4);
    putLe(bmp, 1, 2);
    putLe(bmp, 32, 2);
    for (int field = 0; field < 6; ++field)
        putLe(bmp, 0, 4);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const bool border = x == 0 || y == 0 || x == size - 1 || y == size - 1;
            const bool corner = (x == 0 || x == size - 1) && (y == 0 || y == size - 1);
            const Rgb c = border ? Rgb{0x20, 0x20, 0x20} : fill;
            bmp += static_cast<char>(c.b);
            bmp += static_cast<char>(c.g);
            bmp += static_cast<char>(c.r);
            bmp += static_cast<char>(corner ? 0 : 0xFF);
        }
    }
    const int maskRowBytes = ((size + 31) / 32) * 4;
    bmp.append(static_cast<std::size_t>(maskRowBytes * size), '\0');
    return bmp;
}

// An icon file holding the given sizes, each a square of the same colour.
std::string iconFile(const std::vector<int>& sizes, Rgb fill) {
    std::vector<std::string> images;
    for (int size : sizes)
        images.push_back(iconBitmap(size, fill));
    std::string ico;
    putLe(ico, 0, 2);
    putLe(ico, 1, 2);
    putLe(ico, static_cast<std::uint32_t>(images.size()), 2);
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t k = 0; k < images.size(); ++k) {
        ico += static_cast<char>(sizes[k] % 256);
        ico += static_cast<char>(sizes[k] % 256);
        putLe(ico, 0, 2);
        putLe(ico, 1, 2);
        putLe(ico, 32, 2);
        putLe(ico, static_cast<std::uint32_t>(images[k].size()), 4);
        putLe(ico, offset, 4);
        offset += static_cast<std::uint32_t>(images[k].size());
    }
    for (const std::string& image : images)
        ico += image;
    return ico;
}

// A different colour for every key, so no two icons are the same picture.
Rgb keyColour(int i) {
    return {static_cast<std::uint8_t>(40 + (i * 37) % 200),
            static_cast<std::uint8_t>(40 + (i * 91) % 200),
            static_cast<std::uint8_t>(40 + (i * 53) % 200)};
}

bool writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out.flush());
}

ombrix::KeyRecord emptyKey(int i) {
    ombrix::KeyRecord key;
    key.caption.assign("");
    key.toolTip.assign("key " + std::to_string(i + 1));
    key.target.assign("");
    key.argument.assign("");
    key.backColor = ombrix::systemGreyColour;
    return key;
}

bool documentKeys(std::vector<ombrix::KeyRecord>& keys, const std::string& program,
                  const fs::path& documents) {
    std::error_code error;
    fs::create_directories(documents, error);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const fs::path document = documents / ("doc" + std::to_string(i) + ".txt");
        if (!writeBytes(document, "document " + std::to_string(i) + "\n"))
            return false;
        keys[i].target.assign(program);
        keys[i].argument.assign(document.string());
    }
    return true;
}

bool iconKeys(std::vector<ombrix::KeyRecord>& keys, const fs::path& programFolder) {
    const fs::path icons = programFolder / "icons";
    std::error_code error;
    fs::create_directories(icons, error);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const int index = static_cast<int>(i);
        const fs::path file = icons / ("icon" + std::to_string(index) + ".ico");
        if (!writeBytes(file, iconFile({16, 32}, keyColour(index))))
            return false;
        keys[i].iconIndex = static_cast<std::int16_t>(index + 1);
    }
    return true;
}

void targetKeys(std::vector<ombrix::KeyRecord>& keys, const std::vector<std::string>& files) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        keys[i].iconIndex = ombrix::targetIconIndex;
        keys[i].target.assign(files[i % files.size()]);
    }
}

int usage() {
    std::fprintf(stderr,
                 "usage: makekeytable <program folder> <keycount.stm> <count> documents "
                 "<program> <document folder>\n"
                 "       makekeytable <program folder> <keycount.stm> <count> icons\n"
                 "       makekeytable <program folder> <keycount.stm> <count> targets <file>...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5)
        return usage();
    const fs::path programFolder = argv[1];
    const fs::path keyCountFile = argv[2];
    const int count = std::atoi(argv[3]);
    const std::string mode = argv[4];
    if (count < 1 || count > ombrix::maxKeys)
        return usage();

    std::vector<ombrix::KeyRecord> keys;
    for (int i = 0; i < count; ++i)
        keys.push_back(emptyKey(i));

    bool ok = true;
    if (mode == "documents" && argc == 7) {
        ok = documentKeys(keys, argv[5], argv[6]);
    } else if (mode == "icons" && argc == 5) {
        ok = iconKeys(keys, programFolder);
    } else if (mode == "targets" && argc > 5) {
        targetKeys(keys, std::vector<std::string>(argv + 5, argv + argc));
    } else {
        return usage();
    }
    if (!ok) {
        std::fprintf(stderr, "makekeytable: could not write the keys' files\n");
        return 1;
    }

    std::error_code error;
    fs::create_directories(keyCountFile.parent_path(), error);
    const auto table = ombrix::writeKeyTable(ombrix::keyTablePath(programFolder), keys);
    const auto stored = ombrix::writeKeyCount(keyCountFile, static_cast<float>(count));
    if (!table || !stored) {
        std::fprintf(stderr, "makekeytable: %s%s\n", table.message.text().c_str(),
                     stored.message.text().c_str());
        return 1;
    }
    return 0;
}
