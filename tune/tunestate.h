#pragma once

#include "common/keyrecord.h"
#include "common/keytexts.h"

#include <array>
#include <cstdint>
#include <string>

// The setup program's module state: the key table being edited and the options around it.
// One instance lives for the whole run; the windows share it.
namespace ombrix {

inline constexpr int swapSlot = 128; // scratch entry for exchanging two keys, never stored

struct TuneState {
    std::array<KeyRecord, maxKeys + 1> keys{}; // 0..127 are stored; 128 is the swap slot
    KeyTexts texts; // the captions and pop-up texts as typed, where the records cannot hold them
    float keyCount = 8;
    bool soundOn = true;
    bool doubleClickMode = true;
    bool showAllKeys = true;
    float lastKeyShown = 127;
    float barLength = 48740;      // twips, the input of the bar copy's layout
    std::int32_t screenWidth = 0; // twips, as last taken from the screen
    int selectedKey = 0;          // the key whose selector is checked
    bool loadingKey = false;      // set while a key is loaded into the editor
    std::string iconSourcePath;   // the program whose icon was captured last
};

} // namespace ombrix
