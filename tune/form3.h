#pragma once

#include "bar/barform.h"
#include "bar/keyarranging.h"
#include "tune/tunestate.h"

#include <functional>

namespace ombrix {

// The setup program's live copy of the bar: all 128 keys, painted from the key table being
// edited, with the yellow marker around the selected key. It behaves like the bar except that
// it only opens (a click on its handle opens it, never closes it), its side buttons only
// click, it saves nothing, and on the right side a drag keeps it at the left edge. Trying a key
// also opens secure web addresses and pages.
class Form3 : public BarForm {
    Q_OBJECT

public:
    Form3(BarContext context, TuneState& state, QWidget* parent = nullptr);

    // The start-up's layout of all 128 keys, and the key list's layout up to lastKeyShown.
    void layOutForStartUp();
    void layOutKeyList();

    // Docks the copy to its side as the start-up does before opening it.
    void positionBarCopy();

    // Opens the copy across the screen, whatever its width was.
    void openAtFullWidth();

    // Puts the copy at `top` twips, out of the key editor's way; nothing is saved.
    void moveTop(double top);

    // The yellow marker around key i.
    void showMarkerAround(int keyIndex);

    // A key dragged to another place, or a key's menu asked for; the editor does the rest,
    // keeping the change with its others until "EXIT".
    void setArranging(KeyDragging::Arrange arrange, KeyDragging::ShowMenu showMenu);
    KeyDragging* keyDragging() const { return dragging_; }
    int keysInUse() const override;

    void apri() override;
    void Label5_Click() override;
    void Label1_Click(int index) override;
    void Timer1_Timer() override;

    // How key pictures are read when the scale asks for them again.
    void setIconLoader(IconLoader smallIcon) { smallIcon_ = std::move(smallIcon); }

protected:
    RightSideDrag rightSideDrag() const override { return RightSideDrag::AtLeftEdge; }
    KeyPressRules keyPressRules() const override { return barCopyKeyPress; }
    void closeAfterKey() override;
    KeyRecord& keyRecord(int index) override;
    void keyCreated(KeyButton* key) override;

private:
    void remakePictures() override;
    LayoutInput layoutInput(int lastKey) const;

    IconLoader smallIcon_;

    TuneState& tune_;
    KeyDragging* dragging_ = nullptr;
    KeyDragging::Arrange arrange_;
    KeyDragging::ShowMenu showMenu_;
};

} // namespace ombrix
