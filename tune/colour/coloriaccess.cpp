#include "tune/colour/coloriaccess.h"

#include "bar/keybutton.h"
#include "tune/colour/colori.h"
#include "widgets/focusring.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace ombrix {

namespace {

void labelFor(QLabel* label, QLineEdit* box, const QString& name) {
    label->setBuddy(box);
    box->setAccessibleName(name);
}

} // namespace

void makeColourWindowAccessible(colori& window) {
    const colori::Controls& c = window.controls();
    new FocusRing(&window);
    labelFor(c.Label2, c.ton, QStringLiteral("Hue, 0 to 240"));
    labelFor(c.Label3, c.sat, QStringLiteral("Saturation, 0 to 240"));
    labelFor(c.label5, c.lum, QStringLiteral("Luminance, 0 to 240"));
    labelFor(c.label6, c.ROSSO, QStringLiteral("Red, 0 to 255"));
    labelFor(c.Label7, c.VERDE, QStringLiteral("Green, 0 to 255"));
    labelFor(c.Label8, c.BLUE, QStringLiteral("Blue, 0 to 255"));
    c.Label9->setAccessibleName(QStringLiteral("Colour field: hue across, saturation down"));
    c.Label4->setAccessibleName(QStringLiteral("Luminance strip"));
    c.Image1->setAccessibleName(QStringLiteral("Colour field"));
    c.Image2->setAccessibleName(QStringLiteral("Chosen hue and saturation"));
    c.Image3->setAccessibleName(QStringLiteral("Chosen luminance"));
    c.Frame1->setAccessibleName(QStringLiteral("Keys"));
    for (std::size_t i = 0; i < c.Command2.size(); ++i)
        c.Command2[i]->setAccessibleName(QStringLiteral("Sample key %1").arg(i + 1));
    for (std::size_t i = 0; i < c.Option1.size(); ++i)
        c.Option1[i]->setAccessibleName(QStringLiteral("Key %1").arg(i + 1));
}

} // namespace ombrix
