#include "widgets/design.h"

#include "platform/translation.h"

#include "platform/screen.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <type_traits>
#include <vector>

namespace ombrix::design {

namespace {

class WrappingPushButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);
        style()->drawItemText(&painter, rect().adjusted(3, 2, -3, -2),
                              Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, palette(),
                              isEnabled(), caption, QPalette::ButtonText);
    }
};

template <typename Button> class WrappingButton : public Button {
public:
    WrappingButton(const QString& text, QWidget* parent) : Button(text, parent) {}

protected:
    static constexpr bool isRadio = std::is_same_v<Button, QRadioButton>;

    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        this->initStyleOption(&option);
        QStyle* style = this->style();
        QStyleOptionButton indicator = option;
        indicator.rect = style->subElementRect(isRadio ? QStyle::SE_RadioButtonIndicator
                                                       : QStyle::SE_CheckBoxIndicator,
                                               &option, this);
        indicator.rect.moveTop((this->height() - indicator.rect.height()) / 2);
        painter.drawPrimitive(
            isRadio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox, indicator);
        const int spacing = style->pixelMetric(isRadio ? QStyle::PM_RadioButtonLabelSpacing
                                                       : QStyle::PM_CheckBoxLabelSpacing,
                                               &option, this);
        const QRect textArea = this->rect().adjusted(indicator.rect.right() + 1 + spacing, 0, 0, 0);
        style->drawItemText(&painter, textArea,
                            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap |
                                Qt::TextShowMnemonic,
                            option.palette, this->isEnabled(), this->text(), QPalette::WindowText);
        if (this->hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = textArea;
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }

    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

} // namespace

QRect Drawing::pixels(const Place& p) const {
    return platform::toPixels(p.left * scale, p.top * scale, p.width * scale, p.height * scale);
}

QLabel* Drawing::label(QWidget* parent, const char* text, const Place& where, const char* name,
                       Wrap wrap) const {
    auto* made = place(new QLabel(translate(textContext, text), parent), where, name);
    if (wrap == Wrap::Yes)
        made->setWordWrap(true);
    made->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return made;
}

QPushButton* Drawing::button(QWidget* parent, const char* text, const Place& where,
                             const char* name) const {
    return place(new QPushButton(translate(textContext, text), parent), where, name);
}

QPushButton* Drawing::wrappingButton(QWidget* parent, const char* text, const Place& where,
                                     const char* name) const {
    return place(new WrappingPushButton(translate(textContext, text), parent), where, name);
}

QCheckBox* Drawing::checkBox(QWidget* parent, const char* text, const Place& where,
                             const char* name) const {
    return place(new WrappingButton<QCheckBox>(translate(textContext, text), parent), where, name);
}

QRadioButton* Drawing::optionButton(QWidget* parent, const char* text, const Place& where,
                                    const char* name) const {
    return place(new WrappingButton<QRadioButton>(translate(textContext, text), parent), where,
                 name);
}

QString withAccessKey(const QString& text, QChar letter) {
    if (text.contains(QLatin1Char('&')))
        return text;
    const auto matches = [&](qsizetype i) {
        return text.at(i).toCaseFolded() == letter.toCaseFolded();
    };
    qsizetype at = -1;
    for (qsizetype i = 0; i < text.size() && at < 0; ++i)
        if (matches(i) && (i == 0 || !text.at(i - 1).isLetterOrNumber()))
            at = i;
    for (qsizetype i = 0; i < text.size() && at < 0; ++i)
        if (matches(i))
            at = i;
    if (at < 0)
        return text;
    QString marked = text;
    marked.insert(at, QLatin1Char('&'));
    return marked;
}

namespace {

// Where the "&" of a text's access key stands ("&&" is a plain ampersand); -1 without one.
qsizetype markAt(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) != QLatin1Char('&'))
            return i;
        ++i;
    }
    return -1;
}

// Where in `text` the first letter not in `taken` stands: one that begins a word first.
qsizetype firstFreeLetter(const QString& text, const QString& taken) {
    const auto free = [&](qsizetype i) {
        return text.at(i).isLetterOrNumber() && !taken.contains(text.at(i).toCaseFolded());
    };
    for (qsizetype i = 0; i < text.size(); ++i)
        if (free(i) && (i == 0 || !text.at(i - 1).isLetterOrNumber()))
            return i;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (free(i))
            return i;
    return -1;
}

} // namespace

QStringList withDistinctAccessKeys(const QStringList& texts, const QString& preferred) {
    QStringList marked = texts;
    QString taken;
    std::vector<qsizetype> unkeyed;
    for (qsizetype i = 0; i < marked.size(); ++i) {
        const qsizetype at = markAt(marked.at(i));
        const QChar key = at >= 0 ? marked.at(i).at(at + 1).toCaseFolded() : QChar();
        if (at >= 0 && !taken.contains(key)) {
            taken += key;
            continue;
        }
        if (at >= 0) // an earlier text has it: this one is keyed again below
            marked[i].remove(at, 1);
        unkeyed.push_back(i);
    }
    for (const qsizetype i : unkeyed) {
        QString& text = marked[i];
        const QChar wish = i < preferred.size() ? preferred.at(i).toCaseFolded() : QChar();
        if (!wish.isNull() && !taken.contains(wish))
            text = withAccessKey(text, wish);
        if (markAt(text) < 0) {
            const qsizetype at = firstFreeLetter(text, taken);
            if (at >= 0)
                text.insert(at, QLatin1Char('&'));
        }
        if (const qsizetype at = markAt(text); at >= 0)
            taken += text.at(at + 1).toCaseFolded();
    }
    return marked;
}

void giveDistinctAccessKeys(const QList<QWidget*>& controls, const QString& preferred) {
    const auto textOf = [](const QWidget* control) {
        if (const auto* label = qobject_cast<const QLabel*>(control))
            return label->text();
        const auto* button = qobject_cast<const QAbstractButton*>(control);
        return button ? button->text() : QString();
    };
    QStringList texts;
    for (const QWidget* control : controls)
        texts << textOf(control);
    const QStringList keyed = withDistinctAccessKeys(texts, preferred);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        if (auto* label = qobject_cast<QLabel*>(controls.at(i)))
            label->setText(keyed.at(i));
        else if (auto* button = qobject_cast<QAbstractButton*>(controls.at(i)))
            button->setText(keyed.at(i));
    }
}

QColor captionColourOn(const QColor& face) {
    const int luma = (299 * face.red() + 587 * face.green() + 114 * face.blue()) / 1000;
    return luma < 128 ? Qt::white : Qt::black;
}

} // namespace ombrix::design
