#include "bar/barlook.h"

#include "bar/barform.h"
#include "common/textscale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QChildEvent>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>

namespace ombrix {

namespace {

const QColor designFace(0xE6, 0xE2, 0xD8);      // the rows' background
const QColor designButton(0xF0, 0xF0, 0xF0);    // "ins." and the check boxes
const QColor designHighlight(0x31, 0x6A, 0xC5); // the side buttons: the classic highlight

// Some styles (dark ones especially) paint buttons and check boxes in colours of their own,
// whatever the palette: the bar's buttons are painted by a style that follows the palette.
class PaletteStyle : public QObject {
public:
    explicit PaletteStyle(QWidget* bar)
        : QObject(bar), style_(QStyleFactory::create(QStringLiteral("Fusion"))) {
        if (style_)
            style_->setParent(this);
        for (auto* button : bar->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
            follow(button);
        bar->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ChildPolished)
            if (auto* button =
                    qobject_cast<QAbstractButton*>(static_cast<QChildEvent*>(event)->child()))
                follow(button);
        return false;
    }

private:
    void follow(QAbstractButton* button) {
        if (style_ && button->style() != style_ && !button->inherits("ombrix::KeyButton"))
            button->setStyle(style_);
    }

    QStyle* style_;
};

} // namespace

void keepDesignColours(BarForm& bar) {
    new PaletteStyle(&bar);
    QPalette palette = bar.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, designFace);
        palette.setColor(group, QPalette::WindowText, Qt::black);
        palette.setColor(group, QPalette::Button, designButton);
        palette.setColor(group, QPalette::ButtonText, Qt::black);
        palette.setColor(group, QPalette::Base, Qt::white);
        palette.setColor(group, QPalette::Text, Qt::black);
        palette.setColor(group, QPalette::Highlight, designHighlight);
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
        palette.setColor(group, QPalette::Light, Qt::white);
        palette.setColor(group, QPalette::Dark, QColor(0x80, 0x80, 0x80));
        palette.setColor(group, QPalette::Mid, QColor(0xA0, 0xA0, 0xA0));
        palette.setColor(group, QPalette::Shadow, Qt::black);
    }
    bar.setPalette(palette);
    for (int i = 0; i < 4; ++i) {
        QPalette side = bar.sideButton(i)->palette();
        side.setColor(QPalette::Window, designHighlight);
        bar.sideButton(i)->setPalette(side);
    }
}

double captionPoints(double designPoints) {
    // A key is 350 twips, 23 pixels at 96 dots per inch: letters of 10 points fit inside its
    // edge.
    constexpr double largestFitting = 10;
    const double grown =
        designPoints * std::max(1.0, QApplication::font().pointSizeF() / designFontPoints);
    return std::min(grown, std::max(designPoints, largestFitting));
}

} // namespace ombrix
