#include "tuneeditor.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace ombrix;

namespace {

QWidget* focused(TuneEditor& f) {
    return f.editor->focusWidget();
}

// Tab from the sound box once round the window: where it stops, in order.
std::vector<QWidget*> tabCycle(TuneEditor& f) {
    f.ui().Check1->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> visited{focused(f)};
    for (int i = 0; i < 400; ++i) {
        QTest::keyClick(focused(f), Qt::Key_Tab);
        if (focused(f) == f.ui().Check1)
            break;
        visited.push_back(focused(f));
    }
    return visited;
}

TEST(KeyEditorKeyboard, TabReadsTheWindowRowByRowAndReachesEveryBar) {
    TuneEditor f;
    f.editor->show();
    f.select(0);
    const std::vector<QWidget*> visited = tabCycle(f);
    ASSERT_EQ(focused(f), f.ui().Check1) << "Tab comes round to where it began";
    const auto reached = [&](QWidget* w) {
        return std::find(visited.begin(), visited.end(), w) != visited.end();
    };
    for (QWidget* control :
         {static_cast<QWidget*>(f.ui().HScroll1), static_cast<QWidget*>(f.ui().HScroll2),
          static_cast<QWidget*>(f.ui().Dir1), static_cast<QWidget*>(f.ui().File1),
          static_cast<QWidget*>(f.ui().Text3), static_cast<QWidget*>(f.ui().command1)})
        EXPECT_TRUE(reached(control)) << control->objectName().toStdString();
    // Row by row: no stop lies more than a row above the one before it, except the selectors'
    // frame starting its own rows below everything else.
    int rowsUp = 0;
    for (std::size_t i = 1; i < visited.size(); ++i) {
        const int before = visited[i - 1]->mapTo(f.editor.get(), QPoint()).y();
        const int now = visited[i]->mapTo(f.editor.get(), QPoint()).y();
        if (now < before - 8)
            ++rowsUp;
    }
    EXPECT_EQ(rowsUp, 0);
    EXPECT_EQ(std::count_if(visited.begin(), visited.end(),
                            [&](QWidget* w) {
                                return w->parentWidget() ==
                                       static_cast<QWidget*>(f.ui().SelectorFrame);
                            }),
              1)
        << "Tab stops once among the key selectors";
}

TEST(KeyEditorKeyboard, ArrowsGoOnAmongTheKeySelectors) {
    TuneEditor f;
    f.editor->show();
    f.select(2);
    f.editor->selector(2)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.editor->selector(2), Qt::Key_Right);
    EXPECT_EQ(focused(f), f.editor->selector(3));
    EXPECT_EQ(f.state.selectedKey, 3);
    const std::vector<QWidget*> visited = tabCycle(f);
    EXPECT_NE(std::find(visited.begin(), visited.end(), f.editor->selector(3)), visited.end());
}

TEST(KeyEditorKeyboard, TheBarsMoveWithArrowsAndPages) {
    TuneEditor f;
    f.editor->show();
    f.select(0);
    f.ui().Check3->setChecked(false); // a picture of the list, not the target's own icon
    QScrollBar* icons = f.ui().HScroll1;
    icons->setValue(5);
    icons->setFocus();
    QTest::keyClick(icons, Qt::Key_Right);
    EXPECT_EQ(icons->value(), 6);
    QTest::keyClick(icons, Qt::Key_PageDown);
    EXPECT_EQ(icons->value(), 16);
    EXPECT_EQ(f.key(0).iconIndex, 16) << "the checked key follows at once";
}

TEST(KeyEditorKeyboard, ReturnPressesTheFocusedButtonAndOpensTheFocusedFolder) {
    TuneEditor f;
    f.editor->show();
    QCheckBox* sound = f.ui().Check1;
    const bool before = sound->isChecked();
    sound->setFocus();
    QTest::keyClick(sound, Qt::Key_Return);
    QTest::qWait(300); // the press shows before it takes effect
    EXPECT_NE(sound->isChecked(), before);

    const std::filesystem::path inner = f.bar.folder.path() / "inner";
    std::filesystem::create_directories(inner);
    f.ui().Dir1->setPath(f.bar.folder.path());
    for (int row = 0; row < f.ui().Dir1->count(); ++row)
        if (f.ui().Dir1->entryPath(row) == inner)
            f.ui().Dir1->setCurrentRow(row);
    QTest::keyClick(f.ui().Dir1, Qt::Key_Return);
    EXPECT_EQ(f.ui().Dir1->path(), inner);
}

TEST(KeyEditorScreenReader, TextBoxesAndBarsAreNamedAndLabelledByTheirLabels) {
    TuneEditor f;
    const auto labelOf = [](QWidget* control) {
        QAccessibleInterface* it = QAccessible::queryAccessibleInterface(control);
        const auto labels = it->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    };
    EXPECT_EQ(labelOf(f.ui().Text1), "Testo del pulsante Button's caption");
    EXPECT_EQ(labelOf(f.ui().Text2), "PopUp testo / PopUp text");
    EXPECT_EQ(labelOf(f.ui().HScroll2), "Muovi il tasto selezionato / Move the checked key");
    for (QWidget* control :
         {static_cast<QWidget*>(f.ui().Text1), static_cast<QWidget*>(f.ui().Text3),
          static_cast<QWidget*>(f.ui().Text4), static_cast<QWidget*>(f.ui().HScroll1),
          static_cast<QWidget*>(f.ui().Dir1)})
        EXPECT_FALSE(
            QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty())
            << control->objectName().toStdString();
}

} // namespace

namespace {

TEST(KeyEditorLargeText, TheWindowAndItsTextsGrowWithTheDesktopFontAndStillFit) {
    const QFont before = QApplication::font();
    QFont desktop = before;
    desktop.setPointSizeF(9);
    QApplication::setFont(desktop);
    const QSize designed = TuneEditor().editor->size();
    const int designedText = TuneEditor().editor->font().pixelSize();
    desktop.setPointSizeF(14);
    QApplication::setFont(desktop);
    TuneEditor f;
    QApplication::setFont(before);
    EXPECT_NEAR(f.editor->width(), designed.width() * 14.0 / 9.0, 2);
    EXPECT_NEAR(f.editor->font().pixelSize(), designedText * 14.0 / 9.0, 1);
    EXPECT_LE(f.editor->height(), 1080);
    EXPECT_TRUE(QRect(QPoint(), f.editor->size()).contains(f.ui().command1->geometry()))
        << "the controls grow with the window";
}

} // namespace
