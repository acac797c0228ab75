#include "tune/keyeditoraccess.h"
#include "platform/translation.h"

#include "bar/baraccessible.h"
#include "common/textscale.h"
#include "tune/filechooser.h"
#include "tune/form2.h"
#include "tune/form3.h"
#include "widgets/choicefocus.h"
#include "widgets/design.h"
#include "widgets/focusring.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>

namespace ombrix {

namespace {

// A label that names a control: its text with the access key marked, and the control it
// names (the screen reader's "labelled by").
void labelFor(QLabel* label, const QString& text, QWidget* control, const QString& name) {
    label->setText(text);
    label->setBuddy(control);
    control->setAccessibleName(name);
}

void nameControls(const Form2::Controls& c) {
    // The access keys: Alt and the underlined letter.
    c.Check1->setText(translate("Ombrix", "Suono/&Sound"));
    c.Check2->setText(translate("Ombrix", "Doppio click /&double click"));
    c.Check5->setText(translate("Ombrix", "&Run on Windows start up"));
    c.Check4->setText(translate("Ombrix", "Mostra tutti i tasti /Show &all the keys"));
    c.Check3->setText(translate("Ombrix", "Originale / &Original"));
    c.Command4->setText(translate("Ombrix", "&Background Color"));
    c.Command2->setText(translate("Ombrix", "Se&tup"));
    c.command1->setText(translate("Ombrix", "E&XIT"));
    c.Option2->setText(QStringLiteral("&exe"));
    c.Option3->setText(QStringLiteral("&file"));
    c.Option5->setText(QStringLiteral("&html"));

    labelFor(c.Label4, translate("Ombrix", "Numero tasti/&Number of keys"), c.Text4,
             translate("Ombrix", "Number of keys"));
    labelFor(c.Label2, translate("Ombrix", "Testo del pulsante Button's &caption"), c.Text1,
             translate("Ombrix", "Button's caption"));
    labelFor(c.Label3, translate("Ombrix", "PopUp testo / &PopUp text"), c.Text2,
             translate("Ombrix", "Pop-up text"));
    labelFor(c.Label9, translate("Ombrix", "Scegli l'icona/Choose the &icon"), c.HScroll1,
             translate("Ombrix", "Icon number"));
    labelFor(c.Label6, translate("Ombrix", "Muovi il tasto selezionato / &Move the checked key"),
             c.HScroll2, translate("Ombrix", "Move the checked key"));
    c.Text3->setAccessibleName(translate("Ombrix", "Target: program and document, or web address"));
    c.Drive1->setAccessibleName(translate("Ombrix", "Place"));
    c.Drive1->view()->setAccessibleName(translate("Ombrix", "Places"));
    c.Dir1->setAccessibleName(translate("Ombrix", "Folders"));
    c.File1->setAccessibleName(translate("Ombrix", "Files"));
    c.KindFrame->setAccessibleName(translate("Ombrix", "Kind of key"));
    c.SelectorFrame->setAccessibleName(translate("Ombrix", "Keys"));
    c.Image1->setAccessibleName(translate("Ombrix", "Chosen picture"));
    c.SmallIconPicture->setAccessibleName(translate("Ombrix", "The target's own icon"));
    c.Label1->setAccessibleName(translate("Ombrix", "Icon number"));
    for (std::size_t i = 0; i < c.Option1.size(); ++i)
        c.Option1[i]->setAccessibleName(translate("Ombrix", "Key %1").arg(i + 1));
    // No two controls share an access key in any language: each text keeps the letter its
    // translation marks, and a text whose letter a control before it took gets the first free
    // one. "Setup" and "EXIT" come first, then the options, whose short fixed names ("file")
    // have few letters to spare.
    design::giveDistinctAccessKeys({c.Command2, c.command1, c.Check1, c.Check2, c.Check5, c.Check4,
                                    c.Check3, c.Option2, c.Option3, c.Option5, c.Command4, c.Label4,
                                    c.Label2, c.Label3, c.Label9, c.Label6});
}

// The key selectors, 16 to a row: the arrows select the next key in use that way, as Qt's own
// arrows would, which stop working once the unchecked selectors are out of the Tab cycle.
class SelectorArrows : public QObject {
public:
    SelectorArrows(const std::array<QRadioButton*, maxKeys>& selectors, QObject* parent)
        : QObject(parent), selectors_(selectors) {
        for (QRadioButton* selector : selectors_)
            selector->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        constexpr int perRow = 16;
        int step = 0;
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
            step = -1;
            break;
        case Qt::Key_Right:
            step = 1;
            break;
        case Qt::Key_Up:
            step = -perRow;
            break;
        case Qt::Key_Down:
            step = perRow;
            break;
        default:
            return false;
        }
        const auto at = std::find(selectors_.begin(), selectors_.end(), watched);
        for (int i = static_cast<int>(at - selectors_.begin()) + step; i >= 0 && i < maxKeys;
             i += step) {
            QRadioButton* next = selectors_[static_cast<std::size_t>(i)];
            if (next->isEnabled()) {
                next->click();
                next->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
        return true;
    }

private:
    std::array<QRadioButton*, maxKeys> selectors_;
};

} // namespace

void makeKeyEditorAccessible(Form2& editor, Form3& barCopy) {
    const Form2::Controls& c = editor.controls();
    nameControls(c);
    makeBarAccessible(barCopy);
    new ScrollBarKeys({c.HScroll1, c.HScroll2}, &editor);
    new ReturnPresses(
        {c.Command2, c.command1, c.Command4, c.Check1, c.Check2, c.Check3, c.Check4, c.Check5},
        &editor);
    std::vector<QWidget*> controls = {
        c.Check1,   c.Check2,  c.Check5,   c.Check4,  c.Text4, c.Text1,    c.Check3,
        c.HScroll1, c.Text2,   c.HScroll2, c.Drive1,  c.Dir1,  c.File1,    c.Command4,
        c.Option2,  c.Option3, c.Option5,  c.Option4, c.Text3, c.Command2, c.command1};
    controls.insert(controls.end(), c.Option1.begin(), c.Option1.end());
    tabInReadingOrder(&editor, controls);
    new FocusRing(&editor);
    // Tab stops once in the key selectors, at the checked one; the arrows go on from there.
    const auto tabOnlyToChecked = [&c] {
        for (QRadioButton* selector : c.Option1)
            selector->setFocusPolicy(selector->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    tabOnlyToChecked();
    new SelectorArrows(c.Option1, &editor);
    QObject::connect(c.keySelectors, &QButtonGroup::idToggled, &editor,
                     [tabOnlyToChecked](int, bool) { tabOnlyToChecked(); });
}

double keyEditorTextScale(double widthTwips, double heightTwips, const ScreenSize& screen) {
    return textScale(
        {QApplication::font().pointSizeF(), widthTwips, heightTwips, screen.width, screen.height});
}

} // namespace ombrix
