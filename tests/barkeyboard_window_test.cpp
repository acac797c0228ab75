#include "barfixture.h"

#include "bar/barkeyboard.h"
#include "common/contrast.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

using namespace ombrix;

namespace {

std::uint32_t rgbOf(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.rgb()) & 0xFFFFFFu;
}

// Three keys that start programs: "Ed" with a caption, two showing only their pop-up texts.
std::string program(BarFixture& f, const std::string& name) {
    f.folder.write("bin/" + name, "#!/bin/sh\n");
    std::filesystem::permissions(f.folder / ("bin/" + name), std::filesystem::perms::owner_all);
    return (f.folder / ("bin/" + name)).string();
}

std::unique_ptr<Form1> threeKeys(BarFixture& f) {
    f.writeKeys({keyWith(program(f, "ed"), 0, "Ed", "Editor"),
                 keyWith(program(f, "mail"), 0, "", "Mail"),
                 keyWith(program(f, "mc"), 0, "", "Midnight")});
    return f.build();
}

TEST(BarKeyboard, ArrowsLettersReturnAndEscapeUseTheBar) {
    BarFixture f;
    auto bar = threeKeys(f);
    bar->show();
    BarKeyboard keyboard(*bar);
    EXPECT_FALSE(bar->key(0)->isVisible()) << "the closed bar hides its keys";

    keyboard.openByKeyboard();
    ASSERT_FALSE(bar->state().closed());
    EXPECT_TRUE(bar->key(0)->isVisible());
    EXPECT_EQ(bar->focusWidget(), bar->key(0));
    QTest::keyClick(bar->key(0), Qt::Key_Right);
    EXPECT_EQ(bar->focusWidget(), bar->key(1));
    QTest::keyClick(bar->key(1), Qt::Key_M);
    EXPECT_EQ(bar->focusWidget(), bar->key(2)) << "the next key beginning with M";
    QTest::keyClick(bar->key(2), Qt::Key_Return);
    ASSERT_EQ(f.desktop.starts.size(), 1u);
    EXPECT_EQ(f.desktop.starts[0].program, (f.folder / "bin/mc").string());
    EXPECT_TRUE(bar->state().closed()) << "a used key closes the bar";
    EXPECT_FALSE(keyboard.holdsFocus());

    keyboard.toggle();
    EXPECT_TRUE(keyboard.holdsFocus());
    QTest::keyClick(bar->focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(bar->state().closed());
    EXPECT_FALSE(keyboard.holdsFocus());
    EXPECT_FALSE(bar->key(0)->isVisible());
}

// The focus mark reads at 3:1 at least on every key face and control, and on the rows, in the
// light palette and in a dark one; the bar's own texts keep their design colours.
TEST(BarKeyboard, TheFocusMarkAndTheTextsReadInLightAndDarkPalettes) {
    const QPalette before = QApplication::palette();
    for (const bool dark : {false, true}) {
        if (dark) {
            QPalette night(QColor(0x35, 0x35, 0x35), QColor(0x2A, 0x2A, 0x2A));
            night.setColor(QPalette::WindowText, Qt::white);
            night.setColor(QPalette::ButtonText, Qt::white);
            night.setColor(QPalette::Highlight, QColor(0x3D, 0xAE, 0xE9));
            QApplication::setPalette(night);
        }
        BarFixture f;
        auto bar = threeKeys(f);
        bar->show();
        BarKeyboard keyboard(*bar);
        keyboard.openByKeyboard();
        const std::vector<BarStop> stops = keyboard.stops();
        for (std::size_t i = 0; i < stops.size(); ++i) {
            QWidget* control = keyboard.widgetOf(stops[i]);
            control->setFocus();
            if (!keyboard.mark().isVisible())
                continue;
            const QColor face =
                qobject_cast<KeyButton*>(control)
                    ? bar->key(stops[i].index)->faceColour()
                    : control->palette().color(control->autoFillBackground() ? QPalette::Window
                                                                             : QPalette::Button);
            EXPECT_GE(contrastRatio(rgbOf(keyboard.mark().ringColour()), rgbOf(face)), 3.0)
                << "dark " << dark << " stop " << i;
            EXPECT_GE(contrastRatio(FocusMark::outline, 0xE6E2D8), 3.0);
        }
        const QPalette x = bar->closeLabel()->palette();
        EXPECT_GE(
            contrastRatio(rgbOf(x.color(QPalette::WindowText)), rgbOf(x.color(QPalette::Window))),
            4.5)
            << "dark " << dark;
        EXPECT_GE(
            contrastRatio(rgbOf(bar->sideButton(0)->palette().color(QPalette::Window)), 0xE6E2D8),
            3.0);
    }
    QApplication::setPalette(before);
}

} // namespace

namespace {

TEST(BarCaptions, GrowWithTheDesktopFontAndStillFitTheirKeys) {
    const QFont before = QApplication::font();
    QFont desktop = before;
    desktop.setPointSizeF(14);
    QApplication::setFont(desktop);
    BarFixture f;
    f.writeKeys({keyWith("/bin/true", 0, "A", ""), keyWith("/bin/true", 0, "Posta", "")});
    auto bar = f.build();
    QApplication::setFont(before);
    EXPECT_GT(bar->key(0)->font().pointSizeF(), 7.0) << "a short caption grows";
    EXPECT_LE(bar->key(0)->font().pointSizeF(), 10.0);
    for (int i = 0; i < 2; ++i) {
        const QFontMetrics metrics(bar->key(i)->font());
        EXPECT_LE(metrics.height(), bar->key(i)->height() - 4) << i;
    }
}

} // namespace
