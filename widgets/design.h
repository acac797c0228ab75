#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

// The windows are drawn from their designs: every control has a place in twips and a name
// (Check1, Text3), and these helpers put it there. Both programs build their windows with them.
namespace ombrix::design {

// A place in a window's design, twips: left, top, width, height. Places inside a frame are
// relative to the frame.
struct Place {
    double left, top, width, height;
};

// Whether a label's text may take more lines when it does not fit on one.
enum class Wrap { No, Yes };

// A window's design on the screen: every place drawn `scale` times its size.
struct Drawing {
    double scale = 1;

    // The place in pixels.
    QRect pixels(const Place& place) const;

    // Gives `widget` its place and its design name, and returns it.
    template <typename Widget>
    Widget* place(Widget* widget, const Place& where, const char* name) const {
        widget->setGeometry(pixels(where));
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    }

    // The controls' texts are the design's, in the user's language: a call passes them marked
    // with QT_TRANSLATE_NOOP("Ombrix", ...) so that the translation tools find them.

    // A label with its text at the top left of its place.
    QLabel* label(QWidget* parent, const char* text, const Place& where, const char* name,
                  Wrap wrap) const;
    QPushButton* button(QWidget* parent, const char* text, const Place& where,
                        const char* name) const;
    // A push button whose caption wraps onto a second line when it does not fit on one, as
    // narrow buttons ("CANCEL ALL", "System Gray") need.
    QPushButton* wrappingButton(QWidget* parent, const char* text, const Place& where,
                                const char* name) const;
    // A check box or option button whose text wraps onto more lines when it does not fit, the
    // whole of it answering a click, as narrow boxes need.
    QCheckBox* checkBox(QWidget* parent, const char* text, const Place& where,
                        const char* name) const;
    QRadioButton* optionButton(QWidget* parent, const char* text, const Place& where,
                               const char* name) const;
};

// The text with its access key marked ("&"): the first `letter` that begins a word, else the
// first anywhere, either case. A text that has no such letter, or has its access key already, is
// left as it is; so is the text a translation gives.
QString withAccessKey(const QString& text, QChar letter);

// One window's texts, each with an access key of its own: a text keeps the key its
// translation marks unless an earlier text has it; else it takes its `preferred` letter (same place
// in the list) where it has it and no other text has taken it; else the first free letter that
// begins a word; else the first free letter anywhere. A text left without a free letter gets no
// key. So a window keeps every key in a language whose words lack the design's letters.
QStringList withDistinctAccessKeys(const QStringList& texts, const QString& preferred);
// The same for a window's labels and buttons as they stand, in the order that keeps letters.
void giveDistinctAccessKeys(const QList<QWidget*>& controls, const QString& preferred = {});

// The caption colour on a face of colour `face`: black or white, whichever reads better.
QColor captionColourOn(const QColor& face);

} // namespace ombrix::design
