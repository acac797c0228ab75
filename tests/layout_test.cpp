#include "common/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace ombrix {

void PrintTo(const KeyPlace& key, std::ostream* out) {
    *out << "(left " << key.left << ", top " << key.top << ")";
}

void PrintTo(const ShapeRect& shape, std::ostream* out) {
    *out << "(" << shape.left << ", " << shape.top << ", " << shape.width << " x " << shape.height
         << ")";
}

namespace {

constexpr KeyPlace unplaced{-1, -1};
constexpr ShapeRect designShape{0, 7, 11, 13}; // odd values, to see what a layout touched
constexpr int keySlots = 130;                  // more than the bar has, to catch overruns
constexpr int realButtons = 128;
constexpr double screenHeight = 14400;
constexpr int noShape = -1;

enum class Caller { Bar, TuneStart, KeyList };

const LayoutVariant& variantFor(Caller caller) {
    switch (caller) {
    case Caller::Bar:
        return barLayout();
    case Caller::TuneStart:
        return tuneStartLayout();
    default:
        return tuneKeyListLayout();
    }
}

std::string callerName(Caller caller) {
    switch (caller) {
    case Caller::Bar:
        return "Bar";
    case Caller::TuneStart:
        return "TuneStart";
    default:
        return "KeyList";
    }
}

// What the bar passes for keyCount keys on a screen of the given width.
LayoutInput barInput(int keyCount, int screenWidth) {
    LayoutInput in;
    in.keyCount = static_cast<float>(keyCount);
    in.lastKey = keyCount - 1;
    in.barLength = static_cast<float>(keyCount * keyPitch + 2020);
    in.screenWidth = static_cast<int16_t>(screenWidth);
    in.screenWidthNow = screenWidth;
    in.screenHeightNow = screenHeight;
    return in;
}

BarGeometry blankGeometry(int slots = keySlots) {
    BarGeometry geometry;
    geometry.windowTop = 100;
    geometry.shapes.fill(designShape);
    geometry.keys.assign(slots, unplaced);
    return geometry;
}

// The keys as the start-up leaves them: one row, the remaining slots never placed.
BarGeometry startUpGeometry(int keyCount, int slots = keySlots) {
    BarGeometry geometry = blankGeometry(slots);
    const std::vector<KeyPlace> row = singleRowKeys(keyCount);
    std::copy(row.begin(), row.end(), geometry.keys.begin());
    return geometry;
}

template <typename Case> std::string caseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// ---------------------------------------------------------------------------------------------

TEST(SingleRowKeys, StartAfterTheControlsAtTheKeyPitch) {
    EXPECT_EQ(singleRowKeys(3), (std::vector<KeyPlace>{{1670, 60}, {2035, 60}, {2400, 60}}));
    EXPECT_TRUE(singleRowKeys(0).empty());
}

// ---------------------------------------------------------------------------------------------
// A bar that fits, or no stored width, leaves every value as an earlier layout set it.

struct UnchangedCase {
    const char* name;
    int keyCount;
    int storedWidth;
};

class LeavesLayoutAlone : public testing::TestWithParam<UnchangedCase> {};

TEST_P(LeavesLayoutAlone, GeometryKeepsEarlierRows) {
    const UnchangedCase& c = GetParam();
    BarGeometry geometry = startUpGeometry(c.keyCount);
    layoutRows(barLayout(), barInput(c.keyCount, 2400), geometry);
    const BarGeometry before = geometry;

    LayoutInput in = barInput(c.keyCount, c.storedWidth);
    in.screenWidthNow = 9600;
    layoutRows(barLayout(), in, geometry);
    EXPECT_EQ(geometry, before);
}

INSTANTIATE_TEST_SUITE_P(BarLayout, LeavesLayoutAlone,
                         testing::Values(UnchangedCase{"FiveKeysOn19200", 5, 19200},
                                         UnchangedCase{"BarExactlyAsLongAsTheScreen", 47, 19175},
                                         UnchangedCase{"ScreenGrewWideEnough", 80, 32767},
                                         UnchangedCase{"NoStoredWidth", 89, 0},
                                         UnchangedCase{"NegativeStoredWidth", 89, -1}),
                         caseName<UnchangedCase>);

// ---------------------------------------------------------------------------------------------
// Which keys go to which row; every key not listed keeps its place.

struct RowSpan {
    int first;
    int last;
    double left;
    double top;
};

struct RowsCase {
    const char* name;
    Caller caller;
    int lastKey;
    int screenWidth;
    std::vector<RowSpan> rows;
};

class KeyRows : public testing::TestWithParam<RowsCase> {};

TEST_P(KeyRows, KeysFillTheirRowsAndNoOthersMove) {
    const RowsCase& c = GetParam();
    BarGeometry geometry = blankGeometry();
    layoutRows(variantFor(c.caller), barInput(c.lastKey + 1, c.screenWidth), geometry);

    std::vector<KeyPlace> expected(keySlots, unplaced);
    for (const RowSpan& row : c.rows) {
        for (int i = row.first; i <= row.last; ++i) {
            expected[i] = {row.left + (i - row.first) * keyPitch, row.top};
        }
    }
    for (int i = 0; i < keySlots; ++i) {
        EXPECT_EQ(geometry.keys[i], expected[i]) << "key " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, KeyRows,
    testing::Values(
        RowsCase{"Bar89KeysAt19200",
                 Caller::Bar,
                 88,
                 19200,
                 {{0, 46, 1670, 60}, {47, 87, 210, 500}, {88, 88, 210, 940}}},
        RowsCase{"Bar42KeysAt17280StayOnRowOne", Caller::Bar, 41, 17280, {{0, 41, 1670, 60}}},
        RowsCase{
            "Bar60KeysAt19200", Caller::Bar, 59, 19200, {{0, 46, 1670, 60}, {47, 59, 210, 500}}},
        RowsCase{
            "Bar128KeysAt19200",
            Caller::Bar,
            127,
            19200,
            {{0, 46, 1670, 60}, {47, 87, 210, 500}, {88, 123, 210, 940}, {124, 127, 210, 1380}}},
        RowsCase{
            "Bar128KeysAt15360",
            Caller::Bar,
            127,
            15360,
            {{0, 36, 1670, 60}, {37, 77, 210, 500}, {78, 118, 210, 940}, {119, 127, 210, 1380}}},
        RowsCase{"Bar128KeysAt13900",
                 Caller::Bar,
                 127,
                 13900,
                 {{0, 32, 1670, 60}, {33, 65, 210, 500}, {66, 98, 210, 940}, {99, 127, 210, 1380}}},
        RowsCase{"Bar128KeysAt8000FillSevenRows",
                 Caller::Bar,
                 127,
                 8000,
                 {{0, 15, 1670, 60},
                  {16, 35, 210, 500},
                  {36, 55, 210, 940},
                  {56, 75, 210, 1380},
                  {76, 95, 210, 1820},
                  {96, 115, 210, 2240},
                  {116, 127, 210, 2680}}},
        RowsCase{"Bar40KeysAt5000Fitted",
                 Caller::Bar,
                 39,
                 5000,
                 {{0, 8, 1670, 60}, {9, 21, 210, 500}, {22, 34, 210, 940}, {35, 39, 210, 1380}}},
        RowsCase{
            "TuneStartAt13900",
            Caller::TuneStart,
            127,
            13900,
            {{0, 32, 1670, 60}, {33, 69, 210, 500}, {70, 106, 210, 940}, {107, 127, 210, 1380}}},
        RowsCase{"KeyListKeepsRowOneAndStopsAfterKey127",
                 Caller::KeyList,
                 128,
                 16000,
                 {{37, 77, 210, 500}, {78, 118, 210, 940}, {119, 127, 210, 1380}}},
        RowsCase{"KeyListLastKey60At9600",
                 Caller::KeyList,
                 60,
                 9600,
                 {{21, 45, 210, 500}, {46, 60, 210, 940}}}),
    caseName<RowsCase>);

// ---------------------------------------------------------------------------------------------
// Row count: barLength rounded to the nearest twip (ties to even) over the stored width, rounded
// up. Seen through the opaque background, rowCount x 465 high.

struct RowCountCase {
    const char* name;
    float barLength;
    int storedWidth;
    int rowCount;
};

class RowCount : public testing::TestWithParam<RowCountCase> {};

// keyCount 1 never narrows, so the class step leaves the shapes to the row count.
LayoutInput lengthInput(float barLength, int storedWidth) {
    LayoutInput in = barInput(1, 19200);
    in.barLength = barLength;
    in.screenWidth = static_cast<int16_t>(storedWidth);
    return in;
}

TEST_P(RowCount, SetsTheOpaqueBackgroundHeight) {
    const RowCountCase& c = GetParam();
    BarGeometry geometry = blankGeometry();
    layoutRows(barLayout(), lengthInput(c.barLength, c.storedWidth), geometry);
    EXPECT_EQ(geometry.shapes[0].height, c.rowCount * 465);
    EXPECT_EQ(geometry.windowHeight, c.rowCount * 450);
}

INSTANTIATE_TEST_SUITE_P(
    BarLayout, RowCount,
    testing::Values(RowCountCase{"ExactMultiple", 38400, 19200, 2},
                    RowCountCase{"OneTwipMore", 38401, 19200, 3},
                    RowCountCase{"HalfTwipTieRoundsToEven", 38400.5f, 19200, 2},
                    RowCountCase{"OverHalfRoundsUp", 38400.75f, 19200, 3},
                    RowCountCase{"HalfTwipOverRoundsToOneRow", 19200.5f, 19200, 1},
                    RowCountCase{"TwentyFiveRows", 48740, 1950, 25}),
    caseName<RowCountCase>);

// ---------------------------------------------------------------------------------------------
// Row backgrounds by row count: one shape per row when transparent, one tall shape otherwise.

struct ShapeRowsCase {
    const char* name;
    int storedWidth;
    int rowCount;
    std::vector<double> tops; // of Shape3(1), Shape3(2), ...
};

class RowBackgrounds : public testing::TestWithParam<ShapeRowsCase> {};

TEST_P(RowBackgrounds, TransparentGivesEachRowItsShape) {
    const ShapeRowsCase& c = GetParam();
    LayoutInput in = lengthInput(48740, c.storedWidth);
    in.transparentBack = true;
    BarGeometry geometry = blankGeometry();
    layoutRows(barLayout(), in, geometry);

    ShapeRect first = designShape;
    first.height = 465;
    EXPECT_EQ(geometry.shapes[0], first);
    for (std::size_t k = 1; k < rowShapeCount; ++k) {
        ShapeRect expected = designShape;
        if (k <= c.tops.size()) {
            expected.top = c.tops[k - 1];
            expected.width = 48740;
        }
        EXPECT_EQ(geometry.shapes[k], expected) << "Shape3(" << k << ")";
    }
}

TEST_P(RowBackgrounds, OpaqueStretchesTheFirstShapeOverAllRows) {
    const ShapeRowsCase& c = GetParam();
    BarGeometry geometry = blankGeometry();
    layoutRows(barLayout(), lengthInput(48740, c.storedWidth), geometry);

    ShapeRect first = designShape;
    first.height = c.rowCount * 465;
    EXPECT_EQ(geometry.shapes[0], first);
    for (std::size_t k = 1; k < rowShapeCount; ++k) {
        EXPECT_EQ(geometry.shapes[k], designShape) << "Shape3(" << k << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(
    BarLayout, RowBackgrounds,
    testing::Values(ShapeRowsCase{"TwoRows", 24370, 2, {465}},
                    ShapeRowsCase{"ThreeRows", 16247, 3, {465, 930}},
                    ShapeRowsCase{"FourRows", 12185, 4, {465, 930, 1395}},
                    ShapeRowsCase{"FiveRows", 9748, 5, {440, 880, 1320, 1760, 2200}},
                    ShapeRowsCase{
                        "SixRowsReuseTheFiveRowShapes", 8124, 6, {440, 880, 1320, 1760, 2200}},
                    ShapeRowsCase{"SevenRows", 6963, 7, {435, 870, 1305, 1740, 2175, 2610}},
                    ShapeRowsCase{"EightRowsPlaceNone", 6093, 8, {}}),
    caseName<ShapeRowsCase>);

// ---------------------------------------------------------------------------------------------
// Narrowing: each line of a class narrows one shape inside its own open range; at most one line
// holds for a key count, and the gaps between lines narrow nothing.

struct NarrowingCase {
    const char* name;
    int screenWidth;
    int keyCount;
    int shape;
    double width;
};

class Narrowing : public testing::TestWithParam<NarrowingCase> {};

TEST_P(Narrowing, OnlyTheListedShapeChangesWidth) {
    const NarrowingCase& c = GetParam();
    LayoutInput in = barInput(c.keyCount, 2000);
    in.screenWidthNow = c.screenWidth;
    BarGeometry geometry = blankGeometry();
    layoutRows(barLayout(), in, geometry);
    for (int k = 0; k < rowShapeCount; ++k) {
        EXPECT_EQ(geometry.shapes[k].width, k == c.shape ? c.width : designShape.width)
            << "Shape3(" << k << ")";
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(BarLayout, Narrowing, testing::ValuesIn(std::vector<NarrowingCase>{
    {"Class19120Keys47None", 19200, 47, noShape, 0}, {"Class19120Keys48Shape1", 19200, 48, 1, 607},
    {"Class19120Keys86Shape1", 19200, 86, 1, 14477}, {"Class19120Keys87None", 19200, 87, noShape, 0},
    {"Class19120Keys88Shape2", 19200, 88, 2, 242}, {"Class19120Keys128Shape2", 19200, 128, 2, 14842},
    {"Class17200Keys42None", 17280, 42, noShape, 0}, {"Class17200Keys43Shape1", 17280, 43, 1, 607},
    {"Class17200Keys81Shape1", 17280, 81, 1, 14477}, {"Class17200Keys82None", 17280, 82, noShape, 0},
    {"Class17200Keys83Shape2", 17280, 83, 2, 242}, {"Class17200Keys122Shape2", 17280, 122, 2, 14477},
    {"Class17200Keys123None", 17280, 123, noShape, 0}, {"Class17200Keys124Shape3", 17280, 124, 3, 242},
    {"Class17200Keys128Shape3", 17280, 128, 3, 1702}, {"Class15300Keys37None", 15360, 37, noShape, 0},
    {"Class15300Keys38Shape1", 15360, 38, 1, 607}, {"Class15300Keys76Shape1", 15360, 76, 1, 14477},
    {"Class15300Keys77None", 15360, 77, noShape, 0}, {"Class15300Keys78Shape2", 15360, 78, 2, 242},
    {"Class15300Keys117Shape2", 15360, 117, 2, 14477}, {"Class15300Keys118None", 15360, 118, noShape, 0},
    {"Class15300Keys119Shape3", 15360, 119, 3, 242}, {"Class15300Keys126Shape3", 15360, 126, 3, 2797},
    {"Class15300Keys127None", 15360, 127, noShape, 0}, {"Class15300Keys128Shape3", 15360, 128, 3, 3527},
    {"Class13820Keys33None", 13900, 33, noShape, 0}, {"Class13820Keys34Shape1", 13900, 34, 1, 607},
    {"Class13820Keys64Shape1", 13900, 64, 1, 11557}, {"Class13820Keys65None", 13900, 65, noShape, 0},
    {"Class13820Keys66Shape2", 13900, 66, 2, 242}, {"Class13820Keys97Shape2", 13900, 97, 2, 11557},
    {"Class13820Keys98None", 13900, 98, noShape, 0}, {"Class13820Keys99Shape3", 13900, 99, 3, 242},
    {"Class13820Keys128Shape3", 13900, 128, 3, 10827}, {"Class12200Keys29None", 12300, 29, noShape, 0},
    {"Class12200Keys30Shape1", 12300, 30, 1, 607}, {"Class12200Keys60Shape1", 12300, 60, 1, 11557},
    {"Class12200Keys61None", 12300, 61, noShape, 0}, {"Class12200Keys62Shape2", 12300, 62, 2, 242},
    {"Class12200Keys93Shape2", 12300, 93, 2, 11557}, {"Class12200Keys94None", 12300, 94, noShape, 0},
    {"Class12200Keys95Shape3", 12300, 95, 3, 242}, {"Class12200Keys128Shape3", 12300, 128, 3, 12287},
    {"Class11950Keys28None", 12000, 28, noShape, 0}, {"Class11950Keys29Shape1", 12000, 29, 1, 607},
    {"Class11950Keys58Shape1", 12000, 58, 1, 11192}, {"Class11950Keys59None", 12000, 59, noShape, 0},
    {"Class11950Keys60Shape2", 12000, 60, 2, 242}, {"Class11950Keys90Shape2", 12000, 90, 2, 11192},
    {"Class11950Keys91None", 12000, 91, noShape, 0}, {"Class11950Keys92Shape3", 12000, 92, 3, 242},
    {"Class11950Keys122Shape3", 12000, 122, 3, 11192}, {"Class11950Keys123None", 12000, 123, noShape, 0},
    {"Class11950Keys124Shape4", 12000, 124, 4, 242}, {"Class11950Keys128Shape4", 12000, 128, 4, 1702},
    {"Class9560Keys21None", 9600, 21, noShape, 0}, {"Class9560Keys22Shape1", 9600, 22, 1, 607},
    {"Class9560Keys44Shape1", 9600, 44, 1, 8637}, {"Class9560Keys45None", 9600, 45, noShape, 0},
    {"Class9560Keys46Shape2", 9600, 46, 2, 242}, {"Class9560Keys69Shape2", 9600, 69, 2, 8637},
    {"Class9560Keys70None", 9600, 70, noShape, 0}, {"Class9560Keys71Shape3", 9600, 71, 3, 242},
    {"Class9560Keys94Shape3", 9600, 94, 3, 8637}, {"Class9560Keys95None", 9600, 95, noShape, 0},
    {"Class9560Keys96Shape4", 9600, 96, 4, 242}, {"Class9560Keys119Shape4", 9600, 119, 4, 8637},
    {"Class9560Keys120None", 9600, 120, noShape, 0}, {"Class9560Keys121Shape5", 9600, 121, 5, 242},
    {"Class9560Keys128Shape5", 9600, 128, 5, 2797}, {"Class7640Keys16None", 7700, 16, noShape, 0},
    {"Class7640Keys17Shape1", 7700, 17, 1, 607}, {"Class7640Keys34Shape1", 7700, 34, 1, 6812},
    {"Class7640Keys35None", 7700, 35, noShape, 0}, {"Class7640Keys36Shape2", 7700, 36, 2, 242},
    {"Class7640Keys54Shape2", 7700, 54, 2, 6812}, {"Class7640Keys55None", 7700, 55, noShape, 0},
    {"Class7640Keys56Shape3", 7700, 56, 3, 242}, {"Class7640Keys74Shape3", 7700, 74, 3, 6812},
    {"Class7640Keys75None", 7700, 75, noShape, 0}, {"Class7640Keys76Shape4", 7700, 76, 4, 242},
    {"Class7640Keys94Shape4", 7700, 94, 4, 6812}, {"Class7640Keys95None", 7700, 95, noShape, 0},
    {"Class7640Keys96Shape5", 7700, 96, 5, 242}, {"Class7640Keys114Shape5", 7700, 114, 5, 6812},
    {"Class7640Keys115None", 7700, 115, noShape, 0}, {"Class7640Keys116Shape6", 7700, 116, 6, 242},
    {"Class7640Keys128Shape6", 7700, 128, 6, 4622},
}));
// clang-format on

// ---------------------------------------------------------------------------------------------
// Width class, chosen from the screen as it is now: a screen exactly as wide as a threshold takes
// the next class down. The stored width gives two rows, but 128 keys need more in every class
// (19120, 15300, 13820, 12200: 4; 17200: 3; 11950: 5; 9560: 6; 7640: 7), so those rows count.
// Each row: keys on row 1, window height (rows x height per row), window top lifted from the
// screen's bottom by rows x margin, and the height of the first shape (the bar's and tune's copy:
// rows x 465; the key list: the window height).

struct ClassCase {
    const char* name;
    Caller caller;
    int screenWidth;
    int firstRowKeys;
    double windowHeight;
    double windowTop;
    double shapeHeight;
};

class WidthClasses : public testing::TestWithParam<ClassCase> {};

TEST_P(WidthClasses, SizeAndLiftTheWindow) {
    const ClassCase& c = GetParam();
    LayoutInput in = barInput(128, 24370);
    in.screenWidthNow = c.screenWidth;
    in.screenHeightNow = 20000;
    BarGeometry geometry = startUpGeometry(128);
    geometry.windowTop = 20000;
    layoutRows(variantFor(c.caller), in, geometry);

    EXPECT_EQ(geometry.firstRowKeys, c.firstRowKeys);
    EXPECT_EQ(geometry.windowHeight, c.windowHeight);
    EXPECT_EQ(geometry.windowTop, c.windowTop);
    EXPECT_EQ(geometry.shapes[0].height, c.shapeHeight);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Layouts, WidthClasses, testing::ValuesIn(std::vector<ClassCase>{
    {"Bar19121", Caller::Bar, 19121, 47, 1800, 17600, 1860},
    {"Bar19120", Caller::Bar, 19120, 42, 1350, 18200, 1395},
    {"Bar17201", Caller::Bar, 17201, 42, 1350, 18200, 1395},
    {"Bar17200", Caller::Bar, 17200, 37, 1800, 17600, 1860},
    {"Bar15301", Caller::Bar, 15301, 37, 1800, 17600, 1860},
    {"Bar15300", Caller::Bar, 15300, 33, 1860, 17600, 1860},
    {"Bar13821", Caller::Bar, 13821, 33, 1860, 17600, 1860},
    {"Bar13820", Caller::Bar, 13820, 29, 1800, 18200, 1860},
    {"Bar12201", Caller::Bar, 12201, 29, 1800, 18200, 1860},
    {"Bar12200", Caller::Bar, 12200, 28, 2450, 17200, 2325},
    {"Bar11951", Caller::Bar, 11951, 28, 2450, 17200, 2325},
    {"Bar11950", Caller::Bar, 11950, 21, 3180, 16820, 2790},
    {"Bar9561", Caller::Bar, 9561, 21, 3180, 16820, 2790},
    {"Bar9560", Caller::Bar, 9560, 16, 3640, 16360, 3255},
    {"Bar7641", Caller::Bar, 7641, 16, 3640, 16360, 3255},
    {"Bar7640Fitted", Caller::Bar, 7640, 16, 3110, 16890, 3110},
    {"TuneStart19121", Caller::TuneStart, 19121, 47, 1800, 17600, 1860},
    {"TuneStart13821", Caller::TuneStart, 13821, 33, 1860, 17600, 1860},
    {"TuneStart11950", Caller::TuneStart, 11950, 21, 2700, 16820, 2790},
    {"TuneStart9561", Caller::TuneStart, 9561, 21, 2700, 16820, 2790},
    {"TuneStart9560", Caller::TuneStart, 9560, 16, 3150, 16360, 3255},
    {"TuneStart7641", Caller::TuneStart, 7641, 16, 3150, 16360, 3255},
    {"TuneStart7640Fitted", Caller::TuneStart, 7640, 16, 3110, 16890, 3110},
    {"KeyList32767", Caller::KeyList, 32767, 37, 2400, 17600, 2400},
    {"KeyList19200", Caller::KeyList, 19200, 37, 2400, 17600, 2400},
    {"KeyList15301", Caller::KeyList, 15301, 37, 2400, 17600, 2400},
    {"KeyList15300", Caller::KeyList, 15300, 29, 1800, 18200, 1800},
    {"KeyList12201", Caller::KeyList, 12201, 29, 1800, 18200, 1800},
    {"KeyList12200", Caller::KeyList, 12200, 28, 2800, 17200, 2800},
    {"KeyList11951", Caller::KeyList, 11951, 28, 2800, 17200, 2800},
    {"KeyList11950", Caller::KeyList, 11950, 21, 3180, 16820, 3180},
    {"KeyList9561", Caller::KeyList, 9561, 21, 3180, 16820, 3180},
    {"KeyList9560", Caller::KeyList, 9560, 16, 3150, 16360, 3150},
    {"KeyList7641", Caller::KeyList, 7641, 16, 3150, 16360, 3150},
    {"KeyList7640Fitted", Caller::KeyList, 7640, 16, 3110, 16890, 3110},
}), caseName<ClassCase>);
// clang-format on

// ---------------------------------------------------------------------------------------------
// The window is lifted only when its bottom would pass the screen's bottom minus the margin
// (89 keys on 19200: three rows of class 19120, limit 14400 - 3 x 600).

struct TopCase {
    const char* name;
    double top;
    double expected;
};

class WindowTop : public testing::TestWithParam<TopCase> {};

TEST_P(WindowTop, KeepsTheBottomOnTheScreen) {
    BarGeometry geometry = startUpGeometry(89);
    geometry.windowTop = GetParam().top;
    layoutRows(barLayout(), barInput(89, 19200), geometry);
    EXPECT_EQ(geometry.windowTop, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(BarLayout, WindowTop,
                         testing::Values(TopCase{"TopZeroKept", 0, 0},
                                         TopCase{"AboveTheScreenKept", -200, -200},
                                         TopCase{"AtTheLimitKept", 12600, 12600},
                                         TopCase{"OneTwipLowLifted", 12601, 12600},
                                         TopCase{"BottomOffTheScreenLifted", 14000, 12600}),
                         caseName<TopCase>);

// ---------------------------------------------------------------------------------------------
// The window and its background take every row the class puts a key on, even where the bar's
// length asks for fewer rows; where the length asks for more, the length wins. The window starts
// at the screen's bottom, so its top shows the margin of every row: 14400 - rows x margin.

struct HeldRowsCase {
    const char* name;
    Caller caller;
    int keyCount;
    int screenWidth;
    double windowHeight;
    double shapeHeight;
    double windowTop;
};

class RowsHoldingKeys : public testing::TestWithParam<HeldRowsCase> {};

TEST_P(RowsHoldingKeys, SizeTheWindowAndItsBackground) {
    const HeldRowsCase& c = GetParam();
    BarGeometry geometry = startUpGeometry(c.keyCount);
    geometry.windowTop = screenHeight;
    layoutRows(variantFor(c.caller), barInput(c.keyCount, c.screenWidth), geometry);
    EXPECT_EQ(geometry.windowHeight, c.windowHeight);
    EXPECT_EQ(geometry.shapes[0].height, c.shapeHeight);
    EXPECT_EQ(geometry.windowTop, c.windowTop);
}

// Rows by length -> rows by class: window rows x height per row, shape rows x 465 (the key list:
// the window height), top 14400 - rows x margin.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Layouts, RowsHoldingKeys, testing::ValuesIn(std::vector<HeldRowsCase>{
    {"Bar128KeysAt28800FourRows", Caller::Bar, 128, 28800, 1800, 1860, 12000},         // 2 -> 4
    {"Bar89KeysAt19200ThreeRows", Caller::Bar, 89, 19200, 1350, 1395, 12600},          // 2 -> 3
    {"Bar124KeysAt24000ThreeRows", Caller::Bar, 124, 24000, 1350, 1395, 12600},        // 2 -> 3
    {"Bar125KeysAt24000FourRows", Caller::Bar, 125, 24000, 1800, 1860, 12000},         // 2 -> 4
    {"Bar42KeysAt17280LengthWins", Caller::Bar, 42, 17280, 900, 930, 13200},           // 2 -> 1
    {"Bar93KeysAt12000FourRows", Caller::Bar, 93, 12000, 1960, 1860, 12160},           // 3 -> 4
    {"Bar47KeysAt9600ThreeRows", Caller::Bar, 47, 9600, 1590, 1395, 12810},            // 2 -> 3
    {"TuneStart128KeysAt28800FourRows", Caller::TuneStart, 128, 28800, 1800, 1860, 12000},
    {"KeyList128KeysAt28800FourRows", Caller::KeyList, 128, 28800, 2400, 2400, 12000},
}), caseName<HeldRowsCase>);
// clang-format on

TEST(BarLayout, TransparentRowThreeOf89KeysGetsItsOwnBackground) {
    LayoutInput in = barInput(89, 19200);
    in.transparentBack = true;
    BarGeometry geometry = blankGeometry();
    layoutRows(barLayout(), in, geometry);
    EXPECT_EQ(geometry.shapes[0].height, 465);
    EXPECT_EQ(geometry.shapes[1], (ShapeRect{0, 465, 34505, designShape.height}));
    EXPECT_EQ(geometry.shapes[2], (ShapeRect{0, 930, 607, designShape.height})); // one key
    EXPECT_EQ(geometry.shapes[3], designShape);
}

// ---------------------------------------------------------------------------------------------
// Special cases of the row table.

TEST(BarLayout, WindowGrowsToHoldRowThreeOf89Keys) {
    BarGeometry geometry = startUpGeometry(89);
    layoutRows(barLayout(), barInput(89, 19200), geometry);
    EXPECT_EQ(geometry.keys[88], (KeyPlace{210, 940}));
    EXPECT_EQ(geometry.shapes[0].height, 1395);
    EXPECT_EQ(geometry.windowHeight, 1350);
    EXPECT_LE(geometry.keys[88].top + keySize, geometry.windowHeight);
}

TEST(BarLayout, Class12200RowsReachPastTheNarrowestScreens) {
    BarGeometry geometry = startUpGeometry(128);
    layoutRows(barLayout(), barInput(128, 12201), geometry);
    EXPECT_EQ(geometry.keys[28].left + keySize, 12240);
    EXPECT_EQ(geometry.keys[61].left + keySize, 12240);
}

TEST(BarLayout, TransparentSixtyKeysNarrowRowTwosShape) {
    LayoutInput in = barInput(60, 19200);
    in.transparentBack = true;
    BarGeometry geometry = blankGeometry();
    layoutRows(barLayout(), in, geometry);
    EXPECT_EQ(geometry.shapes[1], (ShapeRect{0, 465, 4987, designShape.height}));
    EXPECT_EQ(geometry.shapes[0].height, 465);
}

TEST(BarLayout, NeverWritesPastTheKeysItHas) {
    BarGeometry geometry = blankGeometry(50);
    layoutRows(barLayout(), barInput(128, 19200), geometry);
    ASSERT_EQ(geometry.keys.size(), 50u);
    EXPECT_EQ(geometry.keys[49], (KeyPlace{210 + 2 * keyPitch, 500}));
}

TEST(TuneStartLayout, OneShapeSpansTheScreenAsItIsNowAndNothingNarrows) {
    LayoutInput in = barInput(128, 24370);
    in.screenWidthNow = 13900;
    BarGeometry geometry = blankGeometry();
    layoutRows(tuneStartLayout(), in, geometry);
    EXPECT_EQ(geometry.shapes[0], (ShapeRect{0, designShape.top, 13900, 1860}));
    for (std::size_t k = 1; k < rowShapeCount; ++k) {
        EXPECT_EQ(geometry.shapes[k], designShape) << "Shape3(" << k << ")";
    }
}

TEST(TuneKeyListLayout, LeavesShapeWidthsAndPositionsAlone) {
    BarGeometry geometry = blankGeometry();
    layoutRows(tuneKeyListLayout(), barInput(128, 13000), geometry);
    EXPECT_EQ(geometry.shapes[0], (ShapeRect{0, designShape.top, designShape.width, 4 * 450}));
    for (std::size_t k = 1; k < rowShapeCount; ++k) {
        EXPECT_EQ(geometry.shapes[k], designShape) << "Shape3(" << k << ")";
    }
}

// ---------------------------------------------------------------------------------------------
// Properties over every key count: keys 0..last each sit in a row, in reading order, apart
// from one another and inside the screen; keys past the last are never moved.

bool isClassRowTop(double top) {
    return std::find(classRowTops.begin(), classRowTops.end(), top) != classRowTops.end();
}

bool isFittedRowTop(double top) {
    const double row = (top - 60) / fittedRowPitch;
    return row >= 0 && row == std::floor(row);
}

// The 29 keys of row 1 and the 33 of row 2 in class 12200 need a screen 12240 twips wide.
double rightEdgeLimit(int screenWidth) {
    return screenWidth > 12200 && screenWidth < 12240 ? 12240 : screenWidth;
}

// What is wrong with the keys of a layout, or an empty string.
std::string keyFault(const std::vector<KeyPlace>& keys, int last, double rightEdge, bool fitted) {
    const auto fault = [](std::size_t i, const char* what) {
        return "key " + std::to_string(i) + what;
    };
    for (int i = 0; i <= last; ++i) {
        const KeyPlace& key = keys[i];
        if (key.left < 0 || key.left + keySize > rightEdge) {
            return fault(i, " lies outside the screen");
        }
        if (!(fitted ? isFittedRowTop(key.top) : isClassRowTop(key.top))) {
            return fault(i, " lies between rows");
        }
        if (i > 0) {
            const KeyPlace& previous = keys[i - 1];
            const bool apart = key.top == previous.top ? key.left - previous.left >= keySize
                                                       : key.top - previous.top >= keySize;
            if (!apart) {
                return fault(i, " overlaps or precedes the key before it");
            }
        }
    }
    for (std::size_t i = last + 1; i < keys.size(); ++i) {
        if (keys[i] != unplaced) {
            return fault(i, " past the last key was moved");
        }
    }
    return {};
}

std::string windowFault(const BarGeometry& geometry, int last) {
    const double lowestKeyBottom = geometry.keys[last].top + keySize;
    if (geometry.windowHeight < lowestKeyBottom) {
        return "window too short for its rows";
    }
    if (geometry.shapes[0].height != geometry.windowHeight) {
        return "first shape does not cover the rows";
    }
    if (geometry.windowTop < 0 || geometry.windowTop + geometry.windowHeight > screenHeight) {
        return "window not on the screen";
    }
    return {};
}

std::string layoutFault(Caller caller, int width, int last, bool fitted) {
    BarGeometry geometry = startUpGeometry(last + 1, realButtons);
    geometry.windowTop = screenHeight;
    const LayoutInput in = barInput(last + 1, width);
    layoutRows(variantFor(caller), in, geometry);
    std::string fault = keyFault(geometry.keys, last, rightEdgeLimit(width), fitted);
    if (fault.empty() && fitted && in.barLength > width) {
        fault = windowFault(geometry, last);
    }
    return fault.empty() ? fault : fault + " (" + std::to_string(last + 1) + " keys)";
}

class EveryKeyCount : public testing::TestWithParam<Caller> {};

constexpr int classBoundWidths[] = {32767, 24000, 19121, 19120, 17201, 17200, 15301, 15300, 13821,
                                    13820, 12240, 12201, 12200, 11951, 11950, 9561,  9560,  7641};

TEST_P(EveryKeyCount, KeysLandApartInRowsOnEveryClassBound) {
    for (int width : classBoundWidths) {
        for (int last = 0; last < realButtons; ++last) {
            ASSERT_EQ(layoutFault(GetParam(), width, last, false), "") << "width " << width;
        }
    }
}

// What lies outside a class layout's window: a key on a row below its height or below the first
// background, or the window's bottom below the screen's.
std::string keyOutsideWindow(const BarGeometry& geometry, int last) {
    for (int i = 0; i <= last; ++i) {
        const double bottom = geometry.keys[i].top + keySize;
        if (bottom > geometry.windowHeight) {
            return "key " + std::to_string(i) + " lies below the window";
        }
        if (bottom > geometry.shapes[0].height) {
            return "key " + std::to_string(i) + " lies below the first background";
        }
    }
    if (geometry.windowTop + geometry.windowHeight > screenHeight) {
        return "window bottom off the screen";
    }
    return {};
}

TEST_P(EveryKeyCount, WindowHoldsTheLastRowOnEveryClassBound) {
    for (int width : classBoundWidths) {
        for (int last = 0; last < realButtons; ++last) {
            const LayoutInput in = barInput(last + 1, width);
            if (in.barLength <= width) {
                continue; // one row, and the window is not sized at all
            }
            BarGeometry geometry = startUpGeometry(last + 1, realButtons);
            geometry.windowTop = screenHeight;
            layoutRows(variantFor(GetParam()), in, geometry);
            ASSERT_EQ(keyOutsideWindow(geometry, last), "")
                << "width " << width << ", " << last + 1 << " keys";
        }
    }
}

std::vector<int> narrowScreenWidths() {
    std::vector<int> widths;
    for (int width = 3000; width <= 7640; width += 11) {
        widths.push_back(width);
    }
    // Where one more key starts to fit on row 1 (from 1670) or a later row (from 210).
    for (int edge = 2020; edge <= 7640; edge += keyPitch) {
        widths.insert(widths.end(), {edge - 1, edge, edge - 1460, edge - 1459});
    }
    widths.push_back(7640);
    std::erase_if(widths, [](int width) { return width < 3000 || width > 7640; });
    return widths;
}

TEST_P(EveryKeyCount, FittedRowsHoldEveryKeyOnNarrowScreens) {
    for (int width : narrowScreenWidths()) {
        for (int last = 0; last < realButtons; ++last) {
            ASSERT_EQ(layoutFault(GetParam(), width, last, true), "") << "width " << width;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, EveryKeyCount,
                         testing::Values(Caller::Bar, Caller::TuneStart, Caller::KeyList),
                         [](const testing::TestParamInfo<Caller>& info) {
                             return callerName(info.param);
                         });

TEST(FittedLayout, ScreenNarrowerThanAKeyGivesEachKeyARow) {
    BarGeometry geometry = startUpGeometry(10);
    layoutRows(barLayout(), barInput(10, 300), geometry);
    EXPECT_EQ(keyFault(geometry.keys, 9, 2020, true), "");
    EXPECT_EQ(geometry.keys[9], (KeyPlace{210, 60 + 9 * 440}));
    EXPECT_EQ(geometry.windowHeight, 10 * 440 + 30);
}

} // namespace
} // namespace ombrix
