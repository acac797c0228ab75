#include "common/layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace ombrix {

namespace {

constexpr int shapeRowHeight = 465;
constexpr int provisionalHeightPerRow = 468;
constexpr int provisionalMarginPerRow = 420;
constexpr int narrowedRowMargin = 607;
constexpr int keyTopInRow = 60;
constexpr int fittedBottomMargin = 30; // with the 90-twip gap under a key: 60 below the last row

// What step 6 needs from a class: where rows break and where they sit.
struct RowPlan {
    int firstRowKeys;
    std::span<const int> rowEnds;
    std::span<const int> rowTops; // row 1 first
};

// Tops of Shape3(1..) by row count when every row has its own background.
std::span<const int> transparentShapeTops(int rowCount) {
    static constexpr int two[] = {465};
    static constexpr int three[] = {465, 930};
    static constexpr int four[] = {465, 930, 1395};
    static constexpr int fiveOrSix[] = {440, 880, 1320, 1760, 2200};
    static constexpr int seven[] = {435, 870, 1305, 1740, 2175, 2610};
    switch (rowCount) {
    case 2:
        return two;
    case 3:
        return three;
    case 4:
        return four;
    case 5:
    case 6:
        return fiveOrSix;
    case 7:
        return seven;
    default:
        return {};
    }
}

// The row count as a 32-bit conversion of barLength would give it (ties to even).
int rowCountFor(float barLength, int screenWidth) {
    const long long length = std::llrint(static_cast<double>(barLength));
    return static_cast<int>(length / screenWidth + (length % screenWidth != 0 ? 1 : 0));
}

void keepBottomAbove(double& windowTop, double limit) {
    if (windowTop > limit) {
        windowTop = limit;
    }
}

void setBarRowShapes(const LayoutInput& in, int rowCount,
                     std::array<ShapeRect, rowShapeCount>& shapes) {
    if (!in.transparentBack) {
        shapes[0].height = rowCount * shapeRowHeight;
        return;
    }
    const std::span<const int> tops = transparentShapeTops(rowCount);
    for (std::size_t k = 0; k < tops.size(); ++k) {
        shapes[k + 1].top = tops[k];
        shapes[k + 1].width = in.barLength;
    }
    shapes[0].height = shapeRowHeight;
}

void setRowShapes(RowShapes kind, const LayoutInput& in, int rowCount,
                  std::array<ShapeRect, rowShapeCount>& shapes) {
    switch (kind) {
    case RowShapes::BarRows:
        setBarRowShapes(in, rowCount, shapes);
        break;
    case RowShapes::WholeScreen:
        shapes[0].height = rowCount * shapeRowHeight;
        shapes[0].width = in.screenWidthNow;
        break;
    case RowShapes::None:
        break;
    }
}

bool lineApplies(const NarrowingLine& line, float keyCount) {
    if (!(line.lo < keyCount)) {
        return false;
    }
    return line.hiIsLast ? keyCount <= line.hi : keyCount < line.hi;
}

void narrowPartlyFilledRows(const WidthClass& widthClass, float keyCount,
                            std::array<ShapeRect, rowShapeCount>& shapes) {
    for (const NarrowingLine& line : widthClass.narrowing) {
        if (lineApplies(line, keyCount)) {
            shapes[line.shape].width =
                (static_cast<double>(keyCount) - line.base) * keyPitch + narrowedRowMargin;
        }
    }
}

const WidthClass* classFor(const LayoutVariant& variant, double screenWidthNow) {
    for (const WidthClass& widthClass : variant.classes) {
        if (screenWidthNow > widthClass.above) {
            return &widthClass;
        }
    }
    return nullptr;
}

void placeRow(std::vector<KeyPlace>& keys, int first, int last, double left, double top) {
    for (int i = first; i <= last; ++i) {
        keys[i] = {left + static_cast<double>(i - first) * keyPitch, top};
    }
}

// Rows are filled in index order; a row is begun only while keys remain after the previous
// row's end, and placing stops when the plan runs out of rows.
void placeKeys(const RowPlan& plan, int last, bool placeFirstRow, std::vector<KeyPlace>& keys) {
    if (last < 0) {
        return;
    }
    if (placeFirstRow) {
        placeRow(keys, 0, std::min(plan.firstRowKeys, last + 1) - 1, firstKeyLeft, plan.rowTops[0]);
    }
    int previousEnd = plan.firstRowKeys - 1;
    const std::size_t rows = std::min(plan.rowEnds.size() + 1, plan.rowTops.size());
    for (std::size_t row = 1; row < rows && previousEnd < last; ++row) {
        const int rowEnd = plan.rowEnds[row - 1];
        placeRow(keys, previousEnd + 1, std::min(rowEnd, last), wrappedRowLeft, plan.rowTops[row]);
        previousEnd = rowEnd;
    }
}

// How many keys fit between `left` and the screen's right edge; never fewer than one.
int keysThatFit(double screenWidth, int left) {
    const double room = screenWidth - left - keySize;
    if (!(room >= 0)) {
        return 1;
    }
    return static_cast<int>(std::min(room / keyPitch, 1000.0)) + 1;
}

void layOutFitted(const LayoutVariant& variant, const LayoutInput& in, int last,
                  BarGeometry& geometry) {
    const int firstRowKeys = keysThatFit(in.screenWidthNow, firstKeyLeft);
    const int keysPerRow = keysThatFit(in.screenWidthNow, wrappedRowLeft);

    std::vector<int> rowEnds;
    for (int end = firstRowKeys - 1; end < last;) {
        end += keysPerRow;
        rowEnds.push_back(end);
    }
    std::vector<int> rowTops;
    for (std::size_t row = 0; row <= rowEnds.size(); ++row) {
        rowTops.push_back(keyTopInRow + static_cast<int>(row) * fittedRowPitch);
    }

    const double height = static_cast<double>(rowTops.size()) * fittedRowPitch + fittedBottomMargin;
    geometry.windowHeight = height;
    geometry.shapes[0].height = height;
    keepBottomAbove(geometry.windowTop, std::max(0.0, in.screenHeightNow - height));
    geometry.firstRowKeys = static_cast<int16_t>(firstRowKeys);
    placeKeys({firstRowKeys, rowEnds, rowTops}, last, variant.placeFirstRow, geometry.keys);
}

void layOutByClass(const LayoutVariant& variant, const WidthClass& widthClass,
                   const LayoutInput& in, int rowCount, int last, BarGeometry& geometry) {
    if (variant.narrowRows) {
        narrowPartlyFilledRows(widthClass, in.keyCount, geometry.shapes);
    }
    geometry.windowHeight = rowCount * widthClass.heightPerRow;
    if (variant.shapeHeightFromClass) {
        geometry.shapes[0].height = rowCount * widthClass.heightPerRow;
    }
    keepBottomAbove(geometry.windowTop,
                    in.screenHeightNow - rowCount * widthClass.bottomMarginPerRow);
    geometry.firstRowKeys = static_cast<int16_t>(widthClass.firstRowKeys);
    placeKeys({widthClass.firstRowKeys, widthClass.rowEnds, classRowTops}, last,
              variant.placeFirstRow, geometry.keys);
}

// The rows a class puts keys 0..last on: row 1, then one more for each row end still needed.
int rowsUsedByClass(const WidthClass& widthClass, int last) {
    int rows = 1;
    int previousEnd = widthClass.firstRowKeys - 1;
    for (const int rowEnd : widthClass.rowEnds) {
        if (previousEnd >= last || rows == maxRows) {
            break;
        }
        ++rows;
        previousEnd = rowEnd;
    }
    return rows;
}

WidthClass& classAbove(std::vector<WidthClass>& classes, int above) {
    return *std::find_if(classes.begin(), classes.end(),
                         [above](const WidthClass& c) { return c.above == above; });
}

} // namespace

const LayoutVariant& barLayout() {
    // Narrowing lines: {lo, hi, hi is the inclusive last bound, shape, base}.
    // clang-format off
    static const WidthClass classes[] = {
        {19120, 47, {87, 123, 128}, 450, 600,
         {{47, 87, false, 1, 48}, {87, 128, true, 2, 89}}},
        {17200, 42, {87, 128}, 450, 600,
         {{42, 82, false, 1, 43}, {82, 123, false, 2, 84}, {123, 128, true, 3, 125}}},
        {15300, 37, {77, 118, 127}, 450, 600,
         {{37, 77, false, 1, 38}, {77, 118, false, 2, 79}, {118, 127, false, 3, 120},
          {127, 128, true, 3, 120}}},
        {13820, 33, {65, 98, 129}, 465, 600,
         {{33, 65, false, 1, 34}, {65, 98, false, 2, 67}, {98, 128, true, 3, 100}}},
        {12200, 29, {61, 94, 127}, 450, 450,
         {{29, 61, false, 1, 30}, {61, 94, false, 2, 63}, {94, 128, true, 3, 96}}},
        {11950, 28, {59, 91, 123, 127}, 490, 560,
         {{28, 59, false, 1, 29}, {59, 91, false, 2, 61}, {91, 123, false, 3, 93},
          {123, 128, true, 4, 125}}},
        {9560, 21, {45, 70, 95, 120, 127}, 530, 530,
         {{21, 45, false, 1, 22}, {45, 70, false, 2, 47}, {70, 95, false, 3, 72},
          {95, 120, false, 4, 97}, {120, 128, true, 5, 122}}},
        {7640, 16, {35, 55, 75, 95, 115, 127}, 520, 520,
         {{16, 35, false, 1, 17}, {35, 55, false, 2, 37}, {55, 75, false, 3, 57},
          {75, 95, false, 4, 77}, {95, 115, false, 5, 97}, {115, 128, true, 6, 117}}},
    };
    // clang-format on
    static const LayoutVariant variant{.classes = classes,
                                       .rowShapes = RowShapes::BarRows,
                                       .provisionalSize = true,
                                       .narrowRows = true,
                                       .shapeHeightFromClass = false,
                                       .placeFirstRow = true};
    return variant;
}

const LayoutVariant& tuneStartLayout() {
    // The bar's table without narrowing, and four cells of its own.
    static const std::vector<WidthClass> classes = [] {
        const std::span<const WidthClass> bar = barLayout().classes;
        std::vector<WidthClass> own(bar.begin(), bar.end());
        for (WidthClass& widthClass : own) {
            widthClass.narrowing.clear();
        }
        classAbove(own, 13820).rowEnds = {69, 106, 129};
        classAbove(own, 9560).heightPerRow = 450;
        classAbove(own, 7640).heightPerRow = 450;
        return own;
    }();
    static const LayoutVariant variant{.classes = classes,
                                       .rowShapes = RowShapes::WholeScreen,
                                       .provisionalSize = true,
                                       .narrowRows = false,
                                       .shapeHeightFromClass = false,
                                       .placeFirstRow = true};
    return variant;
}

const LayoutVariant& tuneKeyListLayout() {
    static const WidthClass classes[] = {
        {15300, 37, {77, 118, 127}, 600, 600, {}},
        {12200, 29, {61, 94, 127}, 450, 450, {}},
        {11950, 28, {59, 91, 123, 127}, 560, 560, {}},
        {9560, 21, {45, 70, 95, 120, 127}, 530, 530, {}},
        {7640, 16, {35, 55, 75, 95, 115, 127}, 450, 520, {}},
    };
    static const LayoutVariant variant{.classes = classes,
                                       .rowShapes = RowShapes::None,
                                       .provisionalSize = false,
                                       .narrowRows = false,
                                       .shapeHeightFromClass = true,
                                       .placeFirstRow = false};
    return variant;
}

std::vector<KeyPlace> singleRowKeys(int count) {
    std::vector<KeyPlace> keys(static_cast<std::size_t>(std::max(count, 0)));
    if (!keys.empty()) {
        placeRow(keys, 0, count - 1, firstKeyLeft, keyTopInRow);
    }
    return keys;
}

void layoutRows(const LayoutVariant& variant, const LayoutInput& in, BarGeometry& geometry) {
    if (in.barLength <= in.screenWidth || in.screenWidth <= 0) {
        return;
    }
    const int last = std::min(in.lastKey, static_cast<int>(geometry.keys.size()) - 1);
    const WidthClass* widthClass = classFor(variant, in.screenWidthNow);
    // The class table can put keys on more rows than the bar's length alone asks for (89 keys
    // on a 19200-twip screen fill three rows, not two): the window and its row backgrounds
    // take every row that holds a key, or those keys would lie outside the window, unseen and
    // out of reach.
    int rowCount = rowCountFor(in.barLength, in.screenWidth);
    if (widthClass) {
        rowCount = std::max(rowCount, rowsUsedByClass(*widthClass, last));
    }
    setRowShapes(variant.rowShapes, in, rowCount, geometry.shapes);
    if (variant.provisionalSize) {
        geometry.windowHeight = rowCount * provisionalHeightPerRow;
        keepBottomAbove(geometry.windowTop,
                        in.screenHeightNow - rowCount * provisionalMarginPerRow);
    }
    if (widthClass) {
        layOutByClass(variant, *widthClass, in, rowCount, last, geometry);
    } else {
        layOutFitted(variant, in, last, geometry);
    }
}

} // namespace ombrix
