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

// The label's access key takes the focus to its box.
void labelFor(QLabel* label, QLineEdit* box, const QString& name) {
    label->setBuddy(box);
    box->setAccessibleName(name);
}

} // namespace

void makeColourWindowAccessible(colori& window) {
    const colori::Controls& c = window.controls();
    new FocusRing(window.canvas()); // scrolls with the controls it marks
    labelFor(c.Label2, c.ton, translate("Ombrix", "Hue, 0 to 240"));
    labelFor(c.Label3, c.sat, translate("Ombrix", "Saturation, 0 to 240"));
    labelFor(c.label5, c.lum, translate("Ombrix", "Luminance, 0 to 240"));
    labelFor(c.label6, c.ROSSO, translate("Ombrix", "Red, 0 to 255"));
    labelFor(c.Label7, c.VERDE, translate("Ombrix", "Green, 0 to 255"));
    labelFor(c.Label8, c.BLUE, translate("Ombrix", "Blue, 0 to 255"));
    // Every label and button an access key of its own, the design's letters where the texts
    // as they read have them.
    design::giveDistinctAccessKeys({c.Label2, c.Label3, c.label5, c.label6, c.Label7, c.Label8,
                                    c.Command9, c.Command4, c.Command3, c.Command1, c.Command5},
                                   QStringLiteral("TSLRVBCAGOP"));
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
