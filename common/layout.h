#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// Folding the open bar into rows. Everything here is plain values in twips; the bar windows
// apply the resulting geometry to their widgets.
//
// The open bar is a strip `barLength` = keyCount x 365 + 2020 twips long. When that is longer
// than the stored screen width, layoutRows works out the row count, sizes the window, keeps
// its bottom on the screen, places the row background shapes and moves every key to its row
// and column, using a fixed table of screen-width classes. Three callers share the one
// procedure and differ only in the data of a LayoutVariant: the bar, the setup program's bar
// copy at start-up, and the setup program's key list.
namespace ombrix {

inline constexpr int keyPitch = 365; // 350-twip keys with a 15-twip gap
inline constexpr int keySize = 350;
inline constexpr int firstKeyLeft = 1670;  // row 1 starts after the bar's own controls
inline constexpr int wrappedRowLeft = 210; // later rows start near the left edge
inline constexpr int maxRows = 7;
inline constexpr int rowShapeCount = 7;

// Tops of rows 1..7 for the width classes; the step from row 5 to row 6 is 420, the others 440.
inline constexpr std::array<int, maxRows> classRowTops{60, 500, 940, 1380, 1820, 2240, 2680};

// Row pitch of the fitted layout used on screens too narrow for any width class.
inline constexpr int fittedRowPitch = 440;

// One line of the narrowing table: when lo < keyCount < hi (or keyCount <= hi when hiIsLast,
// a class's last line), Shape3(shape).Width = (keyCount - base) x 365 + 607. The ranges do not
// always match the class's row ends; they are applied exactly as listed.
struct NarrowingLine {
    int lo;
    int hi; // exclusive, unless hiIsLast
    bool hiIsLast;
    int shape;
    int base;
};

// One screen-width class: applies when the screen is strictly wider than `above`.
struct WidthClass {
    int above;
    int firstRowKeys;
    std::vector<int> rowEnds; // last key index of rows 2, 3, ...; placing stops when they run out
    int heightPerRow;
    int bottomMarginPerRow;
    std::vector<NarrowingLine> narrowing; // empty where the variant never narrows
};

// How the row background shapes are set before the window is sized.
enum class RowShapes {
    BarRows,     // the bar: Shape3(0..6) by row count and transparentBack
    WholeScreen, // tune's start-up copy: Shape3 = rowCount x 465 high, current screen width wide
    None,        // tune's key list: the caller has sized Shape3 already
};

struct LayoutVariant {
    std::span<const WidthClass> classes; // tested from the top, strictly greater
    RowShapes rowShapes;
    bool provisionalSize;      // window height rowCount x 468, top limited by rowCount x 420
    bool narrowRows;           // narrow the background of a partly filled row
    bool shapeHeightFromClass; // Shape3.Height = rowCount x the class's height per row
    bool placeFirstRow;        // the key list leaves row 1 where it is
};

// The bar: eight classes, row shapes by transparentBack, narrowing.
const LayoutVariant& barLayout();
// tune's copy at start-up and on a screen change: the bar's classes with four cells changed,
// one whole-screen shape, no narrowing. Its caller passes lastKey 127 (all 128 keys).
const LayoutVariant& tuneStartLayout();
// tune's key list: five classes, no row shapes, no provisional size, row 1 left as it is.
const LayoutVariant& tuneKeyListLayout();

struct LayoutInput {
    float keyCount = 1;           // whole number 1..128; read only by the narrowing step
    int lastKey = 0;              // keyCount - 1, 127, or the key list's last shown key
    float barLength = 0;          // keyCount x 365 + 2020, kept current by the caller
    std::int32_t screenWidth = 0; // the screen width the caller last stored
    bool transparentBack = false;
    double screenWidthNow = 0; // the screen as it is now, twips; chooses the width class
    double screenHeightNow = 0;
};

struct ShapeRect {
    double left = 0;
    double top = 0;
    double width = 2052;
    double height = 468;

    friend bool operator==(const ShapeRect&, const ShapeRect&) = default;
};

struct KeyPlace {
    double left = 0;
    double top = 0;

    friend bool operator==(const KeyPlace&, const KeyPlace&) = default;
};

// The part of a bar window that the layout reads and changes.
struct BarGeometry {
    double windowTop = 0;
    double windowHeight = 0;
    std::array<ShapeRect, rowShapeCount> shapes{}; // tune's copy uses shapes[0] only
    std::vector<KeyPlace> keys;                    // one per key button, by key index
    int16_t firstRowKeys = 0;                      // keys on row 1 for the class last used

    friend bool operator==(const BarGeometry&, const BarGeometry&) = default;
};

// Keys laid out in one row, as the start-up creates them: key i at 1670 + 365 i, top 60.
std::vector<KeyPlace> singleRowKeys(int count);

// Folds the bar into rows. Does nothing when the bar fits on the stored screen width, or when
// no positive screen width has been stored (there is no row count to work out).
//
// The row count is barLength rounded to the nearest whole twip (ties to even) divided by the
// stored width, rounded up, or the number of rows the width class puts keys on when that is
// more (89 keys on a 19200-twip screen fill three rows, not two): the window height, its
// bottom limit and the row backgrounds always take every row that holds a key. The width
// class is chosen from the screen width as it is now. Keys are placed from the class's row
// table and never beyond lastKey: no row is begun or continued past the last key, and when a
// class's row ends run out, placing stops. In class 12200 a row can reach up to 39 twips past
// the right edge of the narrowest screens of that class.
//
// A screen 7640 twips wide or less has no class; there the keys get a fitted layout instead:
// row 1 holds as many keys from Left 1670 as fit inside the width, later rows as many as fit
// from Left 210 (each at least one key), with as many rows as the keys need, 440 twips apart
// from top 60. The window becomes rows x 440 + 30 high, its top is lifted so that its bottom
// stays on the screen (but not above the screen's top), and Shape3(0) is made as high as the
// window so that it covers every row. The row shapes of step 3 stay as placed, and nothing is
// narrowed. The key list still leaves row 1 alone: its keys already sit where this layout
// would put them.
//
// Never changes the window's width or left edge and never re-cuts the window outline.
// Keys beyond lastKey, and beyond the end of geometry.keys, are not touched.
void layoutRows(const LayoutVariant& variant, const LayoutInput& in, BarGeometry& geometry);

} // namespace ombrix
