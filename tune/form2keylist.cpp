#include "tune/form2.h"

#include "common/colourvalue.h"
#include "common/leadingnumber.h"
#include "platform/screen.h"
#include "platform/translation.h"
#include "tune/form3.h"
#include "tune/keylist.h"
#include "tune/placement.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

// The key list in the key editor: the number of keys, the show-all choice and the move bar,
// and the bar copy laid out, painted and kept clear of the window by them.
namespace ombrix {

namespace {

constexpr std::int32_t buttonFaceColour = static_cast<std::int32_t>(0x8000000Fu);

} // namespace

// ---- The key list

void Form2::Text4_Change() {
    state_.keyCount = static_cast<float>(leadingNumber(c_.Text4->text().toStdString()));
    enableKeys(state_.keyCount);
}

void Form2::Text4_LostFocus() {
    correctKeyCount(c_.Text4->text().toStdString());
    const ShownKeys shown = shownKeys(showsAllKeys(), state_.keyCount);
    state_.lastKeyShown = shown.lastKeyShown;
    state_.barLength = shown.barLength;
    nascondi();
}

// The number box as leaving it corrects it.
void Form2::correctKeyCount(const std::string& typed) {
    const std::string corrected = correctedKeyCountText(typed);
    c_.Text4->setText(QString::fromStdString(corrected));
    state_.keyCount = static_cast<float>(leadingNumber(corrected));
    enableKeys(state_.keyCount);
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == c_.Text4 && event->type() == QEvent::FocusOut) {
        // Switching to another program or opening a menu does not leave the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Text4_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void Form2::Check4_Click() {
    const bool all = showsAllKeys();
    const ShownKeys shown = shownKeys(all, state_.keyCount);
    state_.lastKeyShown = shown.lastKeyShown;
    state_.barLength = shown.barLength;
    state_.showAllKeys = all;
    // The choice holds for this run either way; the bar would open with the old one.
    if (!context_.preferences->setShowAllKeys(all))
        warn(translate("Ombrix",
                       "The show-all-keys choice could not be stored in the settings file."));
    nascondi();
}

void Form2::nascondi() {
    Form3& copy = *context_.barCopy;
    state_.screenWidth = storedWidthOf(screenNow());
    copy.hide();
    state_.soundOn = context_.preferences->sound();
    state_.doubleClickMode = context_.preferences->doubleClick();
    copy.setSoundAndDoubleClick(state_.soundOn, state_.doubleClickMode);
    copy.layOutKeyList();
    showKeysInUse();
    // The keys may have moved to other rows; the marker stays with the selected key.
    if (copy.marker()->isVisibleTo(&copy))
        copy.showMarkerAround(state_.selectedKey);
    copy.show();
    if (isVisible())
        keepClearOfBarCopy(true); // the copy may have grown over the window
}

void Form2::keepClearOfBarCopy(bool onlyWhenCovered) {
    Form3& copy = *context_.barCopy;
    const double twips = platform::toTwips(1);
    // Until the window manager has framed the window, room is kept for a title bar.
    QWidget* window = this->window(); // the editor's own window, or the one it scrolls in
    const QRect inner = window->geometry();
    QRect frame = window->frameGeometry();
    if (frame == inner)
        frame = inner.adjusted(-4, -32, 4, 4);
    const BarWindowState& shown = copy.state();
    const Area copyArea{shown.left, shown.top, shown.width, shown.height};
    const Area now{frame.left() * twips, frame.top() * twips, frame.width() * twips,
                   frame.height() * twips};
    const ScreenSize screen = screenNow();
    const bool onScreen = liesWithin(now, screen);
    if (onlyWhenCovered && onScreen && !now.meets(copyArea))
        return;
    const EditorPlace place = placeEditor(screen, now.width, now.height, copyArea);
    if (place.copyTop != shown.top)
        copy.moveTop(place.copyTop);
    window->move(platform::toPixels(place.left), platform::toPixels(place.top));
}

void Form2::showKeysInUse() {
    for (int i = 0; i < maxKeys; ++i) {
        const bool shown = keyVisible(i, state_.lastKeyShown);
        context_.barCopy->key(i)->setVisible(shown);
        selector(i)->setVisible(shown);
    }
    enableKeys(state_.keyCount);
}

// ---- Moving a key

void Form2::HScroll2_Change() {
    playClick();
    const int v = c_.HScroll2->value();
    const int from = state_.selectedKey;
    if (v == from)
        return;
    const int place = std::max(0, moveTarget(v, state_.keyCount));
    if (place != v) {
        c_.HScroll2->setValue(place); // runs this handler again with the place in use
        return;
    }
    if (!exchangeWithIconFiles(from, v))
        return;
    muovi();
    if (selector(v)->isChecked())
        Option1_Click(v);
    else
        selector(v)->setChecked(true);
}

// The records and the icon files move together or not at all, so that each key keeps its own
// icon file; a refused rename leaves the move bar at the key's place.
bool Form2::exchangeWithIconFiles(int from, int to) {
    WriteResult moved = icons_.prepareChange();
    if (moved)
        moved = moveKey(state_, icons_.folder(), from, to);
    if (!moved) {
        const QSignalBlocker quiet(c_.HScroll2);
        c_.HScroll2->setValue(from);
        warn(translated(moved.message));
    }
    return moved.ok;
}

void Form2::HScroll2_Scroll(int value) {
    context_.barCopy->showMarkerAround(std::max(0, moveTarget(value, state_.keyCount)));
}

void Form2::muovi() {
    Form3& copy = *context_.barCopy;
    const IconLoader viaSmallIconPicture = [this](const std::filesystem::path& file) {
        state_.iconSourcePath = file.string();
        return captureSmallIcon(file);
    };
    const IconLoader iconFile = [this](const std::filesystem::path& file) {
        return context_.smallIcon ? context_.smallIcon(file) : QPixmap();
    };
    for (int i = 0; i < maxKeys; ++i) {
        KeyRecord& key = state_.keys[static_cast<std::size_t>(i)];
        copy.setKeyFace(i, QString(), QPixmap());
        copy.setKeyColour(i, paintedRgb(buttonFaceColour));
        copy.showFace(i, key, icons_.folder(),
                      key.iconIndex == targetIconIndex ? viaSmallIconPicture : iconFile);
        copy.showToolTipAndShutdownBlue(i, key);
        copy.showColour(i, key.backColor);
    }
}

} // namespace ombrix
