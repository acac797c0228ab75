#include "tune/colour/coloriaccess.h"
#include "platform/translation.h"

#include "bar/keybutton.h"
#include "tune/colour/colori.h"
#include "widgets/design.h"
#include "widgets/focusring.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace ombrix {

namespace {

// The label's access key, Alt and `key`, takes the focus to its box.
void labelFor(QLabel* label, QChar key, QLineEdit* box, const QString& name) {
    label->setText(design::withAccessKey(label->text(), key));
    label->setBuddy(box);
    box->setAccessibleName(name);
}

void accessKey(QPushButton* button, QChar key) {
    button->setText(design::withAccessKey(button->text(), key));
}

} // namespace

void makeColourWindowAccessible(colori& window) {
    const colori::Controls& c = window.controls();
    new FocusRing(&window);
    labelFor(c.Label2, QLatin1Char('T'), c.ton, translate("Ombrix", "Hue, 0 to 240"));
    labelFor(c.Label3, QLatin1Char('S'), c.sat, translate("Ombrix", "Saturation, 0 to 240"));
    labelFor(c.label5, QLatin1Char('L'), c.lum, translate("Ombrix", "Luminance, 0 to 240"));
    labelFor(c.label6, QLatin1Char('R'), c.ROSSO, translate("Ombrix", "Red, 0 to 255"));
    labelFor(c.Label7, QLatin1Char('V'), c.VERDE, translate("Ombrix", "Green, 0 to 255"));
    labelFor(c.Label8, QLatin1Char('B'), c.BLUE, translate("Ombrix", "Blue, 0 to 255"));
    // The access keys: each a letter of its own, chosen from the texts as they read.
    accessKey(c.Command9, QLatin1Char('C'));
    accessKey(c.Command4, QLatin1Char('A'));
    accessKey(c.Command3, QLatin1Char('G'));
    accessKey(c.Command1, QLatin1Char('O'));
    accessKey(c.Command5, QLatin1Char('P'));
    c.Label9->setAccessibleName(translate("Ombrix", "Colour field: hue across, saturation down"));
    c.Label4->setAccessibleName(translate("Ombrix", "Luminance strip"));
    c.Image1->setAccessibleName(translate("Ombrix", "Colour field"));
    c.Image2->setAccessibleName(translate("Ombrix", "Chosen hue and saturation"));
    c.Image3->setAccessibleName(translate("Ombrix", "Chosen luminance"));
    c.Frame1->setAccessibleName(translate("Ombrix", "Keys"));
    for (std::size_t i = 0; i < c.Command2.size(); ++i)
        c.Command2[i]->setAccessibleName(translate("Ombrix", "Sample key %1").arg(i + 1));
    for (std::size_t i = 0; i < c.Option1.size(); ++i)
        c.Option1[i]->setAccessibleName(translate("Ombrix", "Key %1").arg(i + 1));
}

} // namespace ombrix
