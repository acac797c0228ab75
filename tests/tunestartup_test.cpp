#include "bar/keybutton.h"
#include "barfixture.h"

#include "tune/imagelist.h"
#include "tune/startup.h"

#include <gtest/gtest.h>

using namespace ombrix;

namespace {

struct TuneFixture {
    BarFixture bar;
    TuneState state;
    ImageList images{PROGRAM_DIR};

    TuneWindows start(int firstSelectedKey = 0) {
        TuneStartup startup;
        startup.firstSelectedKey = firstSelectedKey;
        startup.context = bar.startup().context;
        startup.state = &state;
        startup.images = &images;
        startup.keyCountFile = bar.keyCountFile();
        startup.smallIcon = bar.startup().smallIcon;
        startup.beep = [this] { ++bar.beeps; };
        return startTune(startup);
    }
};

} // namespace

TEST(TuneStartup, WithoutAKeyTableTheCopyShowsKeys1To128) {
    TuneFixture f;
    ASSERT_TRUE(writeKeyCount(f.bar.keyCountFile(), 4));
    TuneWindows w = f.start();
    for (int i = 0; i < 128; ++i) {
        EXPECT_EQ(w.barCopy->key(i)->text(), QString::number(i + 1));
        const auto& caption = f.state.keys[static_cast<std::size_t>(i)].caption.bytes();
        EXPECT_EQ(std::string(caption.begin(), caption.end()).substr(0, 1), " ");
    }
    EXPECT_EQ(f.state.keyCount, 4);
    for (int i = 0; i < 128; ++i) {
        EXPECT_EQ(w.barCopy->key(i)->isEnabled(), i < 4) << i;
        EXPECT_EQ(w.editor->selector(i)->isEnabled(), i < 4) << i;
    }
}

TEST(TuneStartup, ShowsTheCopyOpenAndTheEditorOnKeyOne) {
    TuneFixture f;
    f.bar.writeKeys({keyWith("", 0, "Mail", "Posta", 255.0f)});
    f.bar.store.write("larghezza", "400");
    f.bar.store.write("top", "3000");
    TuneWindows w = f.start();
    EXPECT_TRUE(w.barCopy->isVisible());
    EXPECT_TRUE(w.editor->isVisible());
    EXPECT_EQ(w.barCopy->state().width, 28800) << "opened across the screen";
    EXPECT_EQ(w.barCopy->state().top, 3000);
    EXPECT_FALSE(w.barCopy->keepOpenBox()->isChecked()) << "saved closed";
    EXPECT_TRUE(w.editor->selector(0)->isChecked());
    EXPECT_EQ(f.state.selectedKey, 0);
    EXPECT_TRUE(w.barCopy->marker()->isVisibleTo(w.barCopy.get()));
    EXPECT_EQ(w.barCopy->key(0)->text(), "Mail");
    EXPECT_EQ(w.barCopy->key(0)->toolTip(), "Posta");
    EXPECT_EQ(w.editor->windowTitle(), "Ombrix Setup -  1. 0. 0");
}

// "Edit…" on a key of the bar starts the setup program on that key; a key not in use is not
// selected.
TEST(TuneStartup, SelectsTheKeyAskedForWhenItIsInUse) {
    TuneFixture f;
    f.bar.writeKeys({keyWith("", 0, "A", ""), keyWith("", 0, "B", ""), keyWith("", 0, "C", "")});
    TuneWindows third = f.start(2);
    EXPECT_TRUE(third.editor->selector(2)->isChecked());
    EXPECT_EQ(f.state.selectedKey, 2);
    TuneFixture g;
    g.bar.writeKeys({keyWith("", 0, "A", "")});
    TuneWindows beyond = g.start(5);
    EXPECT_EQ(g.state.selectedKey, 0);
}

TEST(TuneStartup, TheColourWindowReachesTheEditorsSelectorsAndTheCopysKeys) {
    TuneFixture f;
    TuneWindows w = f.start();
    const ColourWindowContext colours = colourWindowContext(w, f.state, PROGRAM_DIR, {});
    EXPECT_TRUE(colours.isKeySelected(0));
    colours.selectKey(2);
    EXPECT_TRUE(w.editor->selector(2)->isChecked());
    EXPECT_EQ(f.state.selectedKey, 2);
    EXPECT_TRUE(colours.isKeySelected(2));
    EXPECT_FALSE(colours.isKeySelected(0));
    colours.showOnBarCopy(2, 255.0f); // red
    EXPECT_EQ(w.barCopy->key(2)->faceColour().rgb() & 0xFFFFFFu, 0xFF0000u);
}

TEST(TuneStartup, AllKeysAreShownUnlessTheSettingSaysOtherwise) {
    TuneFixture f;
    ASSERT_TRUE(writeKeyCount(f.bar.keyCountFile(), 10));
    {
        TuneWindows w = f.start();
        EXPECT_EQ(f.state.lastKeyShown, 127);
        EXPECT_EQ(f.state.barLength, 48740);
        EXPECT_TRUE(w.editor->showAllBox()->isChecked());
        EXPECT_TRUE(w.barCopy->key(127)->isVisibleTo(w.barCopy.get()));
    }
    f.bar.store.write("tutti", "False");
    TuneState fresh;
    f.state = fresh;
    TuneWindows w = f.start();
    EXPECT_EQ(f.state.lastKeyShown, 10);
    EXPECT_FALSE(w.editor->showAllBox()->isChecked());
    EXPECT_TRUE(w.barCopy->key(10)->isVisibleTo(w.barCopy.get()));
    EXPECT_FALSE(w.barCopy->key(10)->isEnabled());
    EXPECT_FALSE(w.barCopy->key(11)->isVisibleTo(w.barCopy.get()));
}

TEST(TuneStartup, AProgramKeyTakesItsIconFromThePathUpToExe) {
    TuneFixture f;
    f.bar.folder.write("Apps/EDIT.EXE", "x");
    const std::string program = (f.bar.folder / "Apps/EDIT.EXE").string();
    f.bar.writeKeys({keyWith(program + " /n notes.txt", 999, "", "")});
    TuneWindows w = f.start();
    EXPECT_FALSE(w.barCopy->key(0)->icon().isNull());
    EXPECT_EQ(f.state.iconSourcePath, program);
}

TEST(TuneStartup, AFirstRunOffersTheBarsStarterKeys) {
    TuneFixture f;
    TuneWindows w = f.start();
    EXPECT_EQ(f.state.keyCount, 2) << "the web address and the shut-down key";
    EXPECT_EQ(w.barCopy->key(0)->text(), "Web");
    EXPECT_EQ(w.barCopy->key(1)->text(), "Off");
    EXPECT_EQ(w.barCopy->key(2)->text(), "3");
    EXPECT_TRUE(isShutdownTarget(f.state.keys[1].target.text()));
    EXPECT_FALSE(w.barCopy->key(2)->isEnabled());
}
