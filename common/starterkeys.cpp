#include "common/starterkeys.h"

#include "common/keycount.h"
#include "common/targets.h"

#include <optional>
#include <string_view>

namespace ombrix {
namespace {

struct StarterKind {
    const char* toolTip;
    std::vector<std::string_view> entries; // desktop entry file names, most likely first
    std::uint32_t colour;                  // a soft shade per kind, as a colour value
};

const std::vector<StarterKind>& kinds() {
    static const std::vector<StarterKind> list = {
        {"Terminale/Terminal",
         {"org.gnome.Console.desktop", "org.gnome.Terminal.desktop", "org.kde.konsole.desktop",
          "xfce4-terminal.desktop", "lxterminal.desktop", "debian-uxterm.desktop",
          "debian-xterm.desktop", "xterm.desktop"},
         0x504030},
        {"File/Files",
         {"org.gnome.Nautilus.desktop", "org.kde.dolphin.desktop", "thunar.desktop",
          "pcmanfm.desktop", "nemo.desktop", "caja-browser.desktop"},
         0xA0D0F0},
        {"Navigatore/Web browser",
         {"firefox-esr.desktop", "firefox.desktop", "chromium.desktop",
          "org.gnome.Epiphany.desktop", "google-chrome.desktop"},
         0xF0C8A0},
        {"Editor di testo/Text editor",
         {"org.gnome.TextEditor.desktop", "org.gnome.gedit.desktop", "org.kde.kate.desktop",
          "mousepad.desktop", "pluma.desktop", "xed.desktop"},
         0xB0E0B0},
        {"Calcolatrice/Calculator",
         {"org.gnome.Calculator.desktop", "org.kde.kcalc.desktop", "galculator.desktop",
          "mate-calc.desktop"},
         0xE0B0E0},
    };
    return list;
}

std::optional<std::filesystem::path> findEntry(const std::vector<std::filesystem::path>& folders,
                                               const StarterKind& kind) {
    for (std::string_view name : kind.entries) {
        for (const auto& folder : folders) {
            const auto entry = folder / name;
            if (fileExists(entry))
                return entry;
        }
    }
    return std::nullopt;
}

KeyRecord programKey(const std::filesystem::path& entry, const StarterKind& kind) {
    KeyRecord key;
    key.target.assign(entry.string());
    key.argument.assign("");
    key.iconIndex = targetIconIndex;
    key.caption.assign("");
    key.toolTip.assign(kind.toolTip);
    key.backColor = static_cast<float>(kind.colour);
    return key;
}

KeyRecord plainKey(const char* target, const char* caption, const char* toolTip,
                   std::uint32_t colour) {
    KeyRecord key;
    key.target.assign(target);
    key.argument.assign("");
    key.iconIndex = 0;
    key.caption.assign(caption);
    key.toolTip.assign(toolTip);
    key.backColor = static_cast<float>(colour);
    return key;
}

} // namespace

std::vector<KeyRecord> starterKeys(const std::vector<std::filesystem::path>& applicationFolders) {
    std::vector<KeyRecord> keys;
    for (const auto& kind : kinds()) {
        if (const auto entry = findEntry(applicationFolders, kind))
            keys.push_back(programKey(*entry, kind));
    }
    keys.push_back(
        plainKey("http://www.debian.org/", "Web", "Sito di Debian/Debian's site", 0xF0E0C0));
    keys.push_back(plainKey(std::string(shutdownTarget).c_str(), "Off",
                            "Spegne il computer/Shut down the computer", 0xFF0000));
    return keys;
}

bool isFirstRun(const std::filesystem::path& keyTable, const std::filesystem::path& keyCountFile) {
    return !fileExists(keyTable) && !readStoredKeyCount(keyCountFile);
}

} // namespace ombrix
