#include "tune/form3.h"

#include "platform/screen.h"

#include <algorithm>
#include <cmath>

namespace ombrix {

namespace {
constexpr ShapeRect copyShape{0, 0, 12000, 495}; // the copy's single row background
constexpr ShapeRect noShape{0, 0, 0, 0};
} // namespace

Form3::Form3(BarContext context, TuneState& state, QWidget* parent)
    : BarForm(std::move(context), parent), tune_(state) {
    setWindowTitle(QStringLiteral("Ombrix"));
    useKeyTexts(&state.texts);
    geometry_.shapes.fill(noShape);
    geometry_.shapes[0] = copyShape;
    dragging_ = new KeyDragging(
        *this,
        [this](const KeyArrangement& change) {
            if (arrange_)
                arrange_(change);
        },
        [this](int index, QPoint global) {
            if (showMenu_)
                showMenu_(index, global);
        });
    createKeys(maxKeys);
    QFont smallFonts(QStringLiteral("Small Fonts"));
    smallFonts.setPointSizeF(7);
    for (int i = 0; i < maxKeys; ++i)
        key(i)->setFont(smallFonts);
}

LayoutInput Form3::layoutInput(int lastKey) const {
    const ScreenSize screen = context_.screen();
    LayoutInput in;
    in.keyCount = static_cast<float>(maxKeys);
    in.lastKey = lastKey;
    in.barLength = tune_.barLength;
    in.screenWidth = tune_.screenWidth;
    in.screenWidthNow = screen.width;
    in.screenHeightNow = screen.height;
    return in;
}

void Form3::layOutForStartUp() {
    screenWidth_ = tune_.screenWidth;
    layOut(tuneStartLayout(), layoutInput(maxKeys - 1));
}

void Form3::layOutKeyList() {
    screenWidth_ = tune_.screenWidth;
    geometry_.shapes[0].width = tune_.screenWidth;
    const int last = std::clamp(static_cast<int>(std::lround(tune_.lastKeyShown)), 0, maxKeys - 1);
    layOut(tuneKeyListLayout(), layoutInput(last));
}

void Form3::positionBarCopy() {
    const ScreenSize area = context_.screen();
    const bool open = state_.width == screenWidth_;
    switch (side_) {
    case Side::Left:
    case Side::Right:
        state_.left = area.left;
        break;
    case Side::Top:
        state_.top = area.top;
        if (open)
            state_.left = area.left;
        break;
    case Side::Bottom:
        state_.top = area.bottom() - bottomClearance;
        if (open)
            state_.left = area.left;
        break;
    }
    state_.shape = open ? WindowShape::WholeBar : WindowShape::Handle;
    applyState();
}

void Form3::openAtFullWidth() {
    state_.width = screenWidth_;
    state_.shape = WindowShape::WholeBar;
    state_.top = std::min(state_.top, lowestTop(state_, context_.screen()));
    applyState();
}

void Form3::moveTop(double top) {
    state_.top = top;
    applyState();
}

void Form3::showMarkerAround(int keyIndex) {
    const KeyButton* button = key(keyIndex);
    const KeyPlace& place = geometry_.keys.at(static_cast<std::size_t>(keyIndex));
    marker()->move(platform::toPixels(place.left - 40), platform::toPixels(place.top - 40));
    marker()->show();
    marker()->stackUnder(const_cast<KeyButton*>(button));
}

// The copy only opens; it is never closed from here.
void Form3::apri() {
    openBar(state_, side_, screenWidth_, context_.screen());
    applyState();
}

// Trying a key closes the copy to its handle; a click on the handle opens it again.
void Form3::Label5_Click() {
    apri();
}

void Form3::Label1_Click(int) {
    playClick();
}

// A change of the monitors: the copy follows the bar's area and opens across it.
void Form3::Timer1_Timer() {
    followScale();
    if (!moveToArea(context_.screen()))
        return;
    tune_.screenWidth = screenWidth_;
    layOutForStartUp();
    apri();
}

void Form3::remakePictures() {
    if (!smallIcon_)
        return;
    for (int i = 0; i < keyCount() && i < static_cast<int>(tune_.keys.size()); ++i)
        if (tune_.keys[static_cast<std::size_t>(i)].iconIndex != 0)
            showFace(i, tune_.keys[static_cast<std::size_t>(i)], context_.dataFolder, smallIcon_);
}

void Form3::closeAfterKey() {
    if (keepOpenBox()->isChecked())
        return;
    state_.width = handleWidth;
    state_.shape = WindowShape::Handle;
    applyState();
}

void Form3::setArranging(KeyDragging::Arrange arrange, KeyDragging::ShowMenu showMenu) {
    arrange_ = std::move(arrange);
    showMenu_ = std::move(showMenu);
}

void Form3::keyCreated(KeyButton* key) {
    dragging_->watch(key);
}

int Form3::keysInUse() const {
    return std::clamp(static_cast<int>(std::ceil(tune_.keyCount)), 0, maxKeys);
}

KeyRecord& Form3::keyRecord(int index) {
    return tune_.keys.at(static_cast<std::size_t>(index));
}

} // namespace ombrix
