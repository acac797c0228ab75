#include "tuneeditor.h"

#include "bar/form1.h"
#include "common/keytable.h"
#include "common/keytexts.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QValidator>

#include <gtest/gtest.h>

using namespace ombrix;

namespace {

// Key `i` given a caption and a pop-up text by "Setup", as a person types them.
void typeKey(TuneEditor& f, int i, const QString& caption, const QString& toolTip) {
    f.select(i);
    f.ui().Check3->setChecked(false);
    f.ui().HScroll1->setValue(0);
    f.ui().Text1->setText(caption);
    f.ui().Text2->setText(toolTip);
    f.ui().Text3->setText("http://mail.example.org");
    f.ui().Command2->click();
}

QValidator::State typing(const QLineEdit* box, QString text) {
    int at = static_cast<int>(text.size());
    return box->validator()->validate(text, at);
}

} // namespace

TEST(TypedTexts, TheBoxesCountCharactersAsAPersonSeesThem) {
    TuneEditor f;
    const QLineEdit* caption = f.ui().Text1;
    EXPECT_EQ(typing(caption, "Привет"), QValidator::Acceptable);
    EXPECT_EQ(typing(caption, "Привет!"), QValidator::Invalid);
    // Six emoji, one a family of four joined into one: six characters.
    EXPECT_EQ(typing(caption, "👨‍👩‍👧‍👦🚀🎵📁🖥️⚙️"),
              QValidator::Acceptable);
    EXPECT_EQ(typing(caption, "e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301"),
              QValidator::Acceptable);
    EXPECT_EQ(typing(f.ui().Text2, QString(36, QChar(0x3042))), QValidator::Acceptable);
    EXPECT_EQ(typing(f.ui().Text2, QString(37, QChar(0x3042))), QValidator::Invalid);
}

// Typed in the setup program, moved to another place, stored by "EXIT", shown by the bar.
TEST(TypedTexts, ReachTheBarExactlyAsTypedWithTheirKey) {
    TuneEditor f;
    f.editor->show();
    typeKey(f, 6, "Привет", "👍🏽 مرحبا");
    EXPECT_EQ(f.copy->key(6)->text(), "Привет");
    EXPECT_EQ(f.copy->key(6)->toolTip(), "👍🏽 مرحبا");
    EXPECT_EQ(f.key(6).caption.text(), "??????"); // what the record holds

    f.ui().HScroll2->setValue(2); // key 6 moves to place 2 with its texts
    f.select(6);
    EXPECT_EQ(f.copy->key(2)->text(), "Привет");
    f.select(2);
    EXPECT_EQ(f.ui().Text1->text(), "Привет");
    f.ui().command1->click();
    ASSERT_TRUE(f.warnings.empty()) << f.warnings.front().toStdString();

    auto bar = f.bar.build();
    EXPECT_EQ(bar->key(2)->text(), "Привет");
    EXPECT_EQ(bar->key(2)->toolTip(), "👍🏽 مرحبا");
    EXPECT_EQ(bar->key(6)->text(), "3"); // the key that was at place 2
}

TEST(TypedTexts, ATextTooLongForItsFieldIsRefusedBeforeAnythingIsStored) {
    TuneEditor f;
    f.editor->show();
    f.select(4);
    f.ui().Text2->setText(QString(37, QChar(0x3042))); // set as a load would, past the box
    const KeyRecord before = f.key(4);
    typeKey(f, 4, "Ωμέγα", f.ui().Text2->text());
    ASSERT_EQ(f.warnings.size(), 1u);
    EXPECT_TRUE(f.warnings[0].contains("36"));
    EXPECT_EQ(f.key(4), before);
}

// In a font wider than the design's (a Japanese desktop's, here a monospaced one), each kind
// option still shows its whole text: the next one's circle moves aside, never over it.
TEST(KindOptions, MakeRoomForTheirTextsInAWiderFont) {
    const QFont before = QApplication::font();
    QFont wide(QStringLiteral("DejaVu Sans Mono"));
    wide.setStretch(QFont::Expanded);
    QApplication::setFont(wide);
    TuneEditor f;
    QApplication::setFont(before);
    const auto& ui = f.ui();
    const std::vector<QRadioButton*> row = {ui.Option2, ui.Option3, ui.Option5, ui.Option4};
    for (std::size_t i = 0; i + 1 < row.size(); ++i) {
        const QRadioButton* option = row[i];
        QString text = option->text();
        text.remove('&');
        const int textRight = option->x() +
                              option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                              option->fontMetrics().horizontalAdvance(text);
        EXPECT_LE(textRight, row[i + 1]->x()) << text.toStdString();
        EXPECT_LE(option->geometry().right(), row[i + 1]->x()) << text.toStdString();
    }
}
