#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Using the open bar from the keyboard: where the arrows, Home and End and typed letters take
// the focus. The bar's controls and keys are "stops", each with its centre in the window in
// twips; the rules are plain geometry over those centres, so they hold for any row layout.
namespace ombrix {

enum class BarStopKind { Handle, SeeThrough, SideButton, Close, Setup, KeepOpen, Key };

struct BarStop {
    BarStopKind kind = BarStopKind::Key;
    int index = 0; // the key's number - 1, or the side button's 0..3 (left, top, right, bottom)
    double x = 0;  // centre, twips from the window's left
    double y = 0;  // centre, twips from the window's top
    std::string caption; // keys: what type-ahead matches, with the pop-up text
    std::string toolTip;
};

enum class BarMove { Left, Right, Up, Down, Home, End };

// The stops of the open bar in their reading order: the controls from left to right as the
// design draws them (handle, see-through box, the cross of side buttons around "X", "ins.",
// keep-open box), then the keys row by row, as `keys` lists them.
struct KeyFace {
    double x = 0;
    double y = 0;
    std::string caption;
    std::string toolTip;
};
std::vector<BarStop> barStops(const std::vector<KeyFace>& keys);

// The first key's stop, where the bar opened by the keyboard puts the focus; 0 without keys.
int firstKeyStop(const std::vector<BarStop>& stops);

// The stop `move` leads to from `current`. Left and Right follow the reading order and wrap
// around (Left from the first key reaches the controls); Up and Down go to the nearest row
// above or below, keys among keys and controls among controls, to its stop nearest in x, and
// stay where nothing lies that way; Home and End go to the first and the last key.
int movedFocus(const std::vector<BarStop>& stops, int current, BarMove move);

// Typed letters jump to the next key whose caption or pop-up text begins with them, ignoring
// letter case. Letters typed within `pauseMs` of each other make one word, searched from the
// focused key itself so that a word being typed stays on its key; a letter after a pause
// starts a new word, searched from the key after the focused one, so that repeating a letter
// visits each key beginning with it in turn.
class TypeAhead {
public:
    static constexpr std::int64_t pauseMs = 1000;

    // The stop to focus after `text` typed at `nowMs`, or -1 when no key matches (the word is
    // then kept, so a mistyped letter can be followed by a pause and a new try).
    int type(const std::vector<BarStop>& stops, int current, std::string_view text,
             std::int64_t nowMs);

private:
    std::string word_;
    std::int64_t lastMs_ = 0;
    bool typed_ = false;
};

} // namespace ombrix
