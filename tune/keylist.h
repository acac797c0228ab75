#pragma once

#include "common/atomicfile.h"
#include "tune/tunestate.h"

#include <filesystem>
#include <string>
#include <string_view>

// The key list as a whole: how many keys there are, which of them the editor and the bar copy
// show and enable, and moving a key to another place together with its icon file. Plain
// values only; the setup window applies the results.
namespace ombrix {

inline constexpr int fewestKeys = 3;             // a smaller count typed in becomes 5
inline constexpr float keyStepTwips = 365;       // bar length taken by one key
inline constexpr float allKeysBarLength = 48740; // 128 x 365 + 2020
inline constexpr int iconSwapNumber = 1000;      // icon file name used during an exchange

// The number box's text once the box is left: a value above 128 becomes "128", one below 3
// becomes "5"; any other value is taken to the nearest whole number (halves up) and written
// plainly, so the box always shows the count in use ("12.7" is "13", " 12abc" is "12", "3"
// stays "3"). The value is read by leadingNumber.
std::string correctedKeyCountText(std::string_view text);

// What the bar copy's layout is given: with every key shown, up to key 127 on a bar of
// 128 x 365 + 2020 twips; otherwise up to key `keyCount` (one more than the keys in use, shown
// disabled) on a bar of keyCount x 365 twips.
struct ShownKeys {
    float lastKeyShown;
    float barLength;
};
ShownKeys shownKeys(bool showAllKeys, float keyCount);

// Keys 0..keyCount-1 are in use and enabled; keys 0..lastKeyShown are visible. A key is in
// use when its index is below the count, so a fractional count typed in enables one key
// more than its whole part (12.5 enables 0..12). Indices outside 0..127 are neither.
bool keyEnabled(int index, float keyCount);
bool keyVisible(int index, float lastKeyShown);

// Where the move bar puts the checked key: the value rounded (halves away from zero) and
// kept within the keys in use, 0..keyCount-1, and within 0..127 whatever the count; a count
// below 1 leaves only place 0. A value that is no number gives 0.
int moveTarget(double value, float keyCount);

// Exchanges the whole contents of keys a and b through the swap slot, which ends holding the
// first key's old contents; their texts as typed are exchanged with them. Nothing changes, not even
// the slot, unless both are 0..127.
void swapKeys(TuneState& state, int a, int b);

// Exchanges the icon files of keys a and b under dataFolder/icons, through the temporary
// name of number 1000. Nothing is renamed when a equals b or when the folder holds no file;
// a key without an icon file leaves none behind at the other place. Never replaces a file:
// - when the exchange needs the temporary name and something already has it (left by an
//   exchange that did not finish, and perhaps the only copy of some key's icon), it fails
//   before renaming anything and says so;
// - when a rename is refused, the renames already made are undone and it fails; the message
//   names the file, and also any file that could not be put back and where it is left.
// Indices outside 0..127 fail without renaming anything.
WriteResult exchangeIconFiles(const std::filesystem::path& dataFolder, int a, int b);

// Moves key `from` to place `to` and the key there to `from`: swapKeys, then
// exchangeIconFiles. When the icon files cannot be exchanged, the records are exchanged back
// as well (through the swap slot), so every key keeps its own icon; the failure is returned.
WriteResult moveKey(TuneState& state, const std::filesystem::path& dataFolder, int from, int to);

// Takes key `from` to place `to` with its icon file, the keys between shifting by one towards
// the gap, as a key dragged on the bar copy: a run of exchanges of neighbours. When one of them
// fails, those already made are undone in reverse, so the keys and their icon files are as
// before; the failure is returned.
WriteResult shiftKey(TuneState& state, const std::filesystem::path& dataFolder, int from, int to);

} // namespace ombrix
