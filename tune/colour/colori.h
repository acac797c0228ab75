#pragma once

#include "common/barwindow.h"
#include "common/keyrecord.h"
#include "tune/colour/colourmodel.h"
#include "tune/tunestate.h"

#include <QDialog>
#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ombrix {

class KeyButton;

// What the colour window works on and the three calls it makes to the windows around it.
// state must be set; the rest may be left empty.
struct ColourWindowContext {
    std::filesystem::path programFolder; // holds the decorations key1.ico and key2.ico
    TuneState* state = nullptr;
    // Whether the setup window's selector of key i is on. Without it, the state's selected key.
    std::function<bool(int)> isKeySelected;
    // Selects key i in the setup window: its selector on and its key selection run once.
    // Without it, only the state's selected key changes.
    std::function<void(int)> selectKey;
    // Paints key i of the bar copy in a colour value.
    std::function<void(int, float)> showOnBarCopy;
    std::function<void()> click; // the click sound, played only while the state's sound is on
    // The area the window must lie in: the bar's monitor less its panels, twips. Without it,
    // the screen.
    std::function<ScreenSize()> area;
};

namespace colourwindow {

inline constexpr int fieldWidthPixels = 175;
inline constexpr int fieldHeightPixels = 187;

// The colour field picture: hue from left to right (column 0 red, column 174 red again, each
// column the whole hue 240 x column / 174 rounded down, so yellow, green, cyan, blue and magenta
// land on columns 29, 58, 87, 116 and 145), saturation falling from 240 on the top row through
// 120 on the middle row (93) to a nearly grey 8.47 on the bottom row, on the parabola through
// those three rows; all at luminance 120.
QImage colourFieldPicture();

// Where key selector i stands in the window's grid of ten columns: in key order, except that
// the selector captioned "64" (index 63) stands in the fifth row between "48" and "49", which
// moves the selectors "49" to "63" one place on. The last row holds "121" to "128".
struct GridPlace {
    int row;
    int column;
};
GridPlace selectorPlace(int index);

// The number as the window writes it into a box: the shortest decimal text ("57", "12.5").
QString numberText(double value);

// The whole text as a number: optional blanks around an optional sign, digits with an optional
// decimal point and an optional exponent. Nothing for any other text ("", "abc", "12a", "-").
std::optional<double> strictNumber(std::string_view text);

} // namespace colourwindow

// The colour window: every key of the bar gets its own background colour, by red, green and
// blue or by hue, saturation and luminance, typed into six boxes or picked with the mouse on a
// colour field and a luminance strip. It works on a copy of the 128 key colours; the key table
// changes only on "OK". While it is open, the bar copy shows the selected key's working colour.
//
// Each box has a change handler that runs whenever the box's text really changes, also when the
// window sets the text itself, and before the statement that set it goes on; setting a box to
// the text it holds runs nothing. Two guards keep the conversions from calling each other: while
// a red/green/blue change converts, rgbGuard is set and the hue, saturation and luminance
// handlers only clamp and move their markers; while a hue/saturation/luminance change converts,
// hslGuard is set and the red, green and blue handlers only clamp.
//
// Positions are twips in the window's client area. Handlers are named after their controls.
class colori : public QDialog {
    Q_OBJECT

public:
    struct Controls {
        QLabel* Label2; // "Tonaltà"
        QLineEdit* ton; // hue 0..240
        QLabel* Label3; // "Saturazione"
        QLineEdit* sat; // saturation 0..240
        QLabel* label5; // "Luminosità"
        QLineEdit* lum; // luminance 0..240
        QLabel* label6; // "Rosso"
        QLineEdit* ROSSO;
        QLabel* Label7; // "Verde"
        QLineEdit* VERDE;
        QLabel* Label8; // "Blu"
        QLineEdit* BLUE;
        QLabel* Image1;        // the colour field picture
        QLabel* Image2;        // the cross marker on the field
        QWidget* Label9;       // the field's mouse surface, transparent, above the picture
        QFrame* Image4;        // the frame around the luminance strip
        QLabel* Image3;        // the arrow marker beside the strip
        QWidget* Label4;       // the strip's mouse surface, transparent
        QPushButton* Command9; // "CANCEL"
        QPushButton* Command4; // "CANCEL ALL"
        QPushButton* Command3; // "System Gray"
        QPushButton* Command1; // "OK"
        QPushButton* Command5; // "Preceeding color"
        std::array<KeyButton*, 4> Command2; // the sample keys
        QGroupBox* Frame1;
        std::array<QRadioButton*, maxKeys> Option1;
        QButtonGroup* keySelectors;
    };

    // Builds the window and loads it (Form_Load).
    explicit colori(ColourWindowContext context, QWidget* parent = nullptr);
    ~colori() override;

    // The design's drawing, which holds every control and scrolls on a small area.
    QWidget* canvas() const { return canvas_; }
    const Controls& controls() const { return c_; }
    float workingColour(int i) const { return workingColours_.at(static_cast<std::size_t>(i)); }
    colour::StripColour stripColour() const { return stripColour_; }
    // The markers' places, twips: the cross's left and top, the arrow's top.
    double crossLeft() const { return crossLeft_; }
    double crossTop() const { return crossTop_; }
    double arrowTop() const { return arrowTop_; }
    bool guardsClear() const { return !rgbGuard_ && !hslGuard_; }
    // How much larger than designed the window is drawn for the desktop's font.
    double scale() const { return scale_; }
    ScreenSize areaNow() const;

    // Working colours from the key table; the selectors as the setup window has them; the
    // boxes, the pickers and the sample keys on the selected key's colour.
    void Form_Load();
    // Each time the window becomes active: the strip is drawn again and the sample keys get
    // their decorations.
    void Form_Activate();

    // Selects key `index` here and in the setup window and shows its working colour.
    void Option1_Click(int index);
    void Command2_Click(int index); // a sample key: only the click sound
    void Command1_Click();          // "OK"
    void Command9_Click();          // "CANCEL"
    void Command4_Click();          // "CANCEL ALL"
    void Command3_Click();          // "System Gray"
    void Command5_Click();          // "Preceeding color"

    void ton_Change();
    void sat_Change();
    void lum_Change();
    void ROSSO_Change();
    void VERDE_Change();
    void BLUE_Change();

    // Hue, saturation and luminance boxes to red, green and blue; the colour goes to the sample
    // keys, the selected key's working colour and the bar copy's key.
    void calcola();
    // Red, green and blue boxes to hue, saturation and luminance; the strip is drawn again and
    // the sample keys preview the boxes' colour. No working colour changes.
    void RICALCOLA();
    // The red, green and blue boxes from the shown colour's hexadecimal text.
    void posiziona();
    // The sample keys and the bar copy's selected key in the selected key's working colour.
    void dipingi();
    // Draws the luminance strip from the strip colour, then dipingi.
    void righe();

    // The pickers' mouse handlers; x and y are twips within the mouse surface.
    void Label9_MouseDown(double x, double y);
    void Label9_MouseMove(double x, double y);
    void Label9_MouseUp();
    void Label4_MouseDown(double x, double y);
    void Label4_MouseMove(double x, double y);
    void Label4_MouseUp();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void createControls();
    void createBoxes();
    void createPickers();
    void createButtons();
    void createSelectors();
    void connectHandlers();

    // Shows key k's working colour in the boxes, on the pickers and the sample keys.
    void showKeyColour(int k);
    void selectInEditor(int index);
    void clampHslBox(QLineEdit* box);
    void convertHsl();
    void rgbBoxChanged(QLineEdit* box);
    void keepTypedColour();
    void placeCross(double left, double top);
    void placeArrow(double top);
    void luminanceFromStrip(double y);
    double fieldWidth() const; // twips, the picture and its border
    double fieldHeight() const;
    void paintSampleKeys(std::int32_t colourValue);
    void paintBarCopyKey(int i, float colour);
    int checkedSelector() const;
    void playClick();

    ColourWindowContext context_;
    TuneState& state_;
    // The design's drawing, the window's whole size; it scrolls where the area is smaller.
    QWidget* canvas_ = nullptr;
    double scale_ = 1;
    Controls c_{};
    std::array<float, maxKeys> workingColours_{};
    std::string hexText_;
    bool rgbGuard_ = false;
    bool hslGuard_ = false;
    bool showingColour_ = false; // set while a key's colour is written into the boxes
    bool fieldDrag_ = false;
    bool stripDrag_ = false;
    colour::StripColour stripColour_{};
    std::int32_t sampleColour_ = 0; // the colour value the sample keys were last given
    QImage strip_;                  // the strip as righe last drew it
    double crossLeft_ = 0;
    double crossTop_ = 0;
    double arrowTop_ = 0;
};

// Opens the colour window modally over `parent` and returns once it is closed.
void openColourWindow(const ColourWindowContext& context, QWidget* parent);

} // namespace ombrix
