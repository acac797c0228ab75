#include "barfixture.h"

#include "bar/keymenu.h"
#include "common/datalock.h"

#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace ombrix;

namespace {

// Four keys captioned A to D; A starts a program, and the bar stands open.
std::unique_ptr<Form1> fourKeys(BarFixture& f) {
    f.folder.write("bin/tool", "#!/bin/sh\n");
    std::filesystem::permissions(f.folder / "bin/tool", std::filesystem::perms::owner_all);
    f.writeKeys({keyWith((f.folder / "bin/tool").string(), 0, "A", ""),
                 keyWith("http://b.example", 0, "B", ""), keyWith("http://c.example", 0, "C", ""),
                 keyWith("http://d.example", 0, "D", "")});
    auto bar = f.build();
    bar->setKeepOpen(true);
    bar->apri();
    return bar;
}

std::string storedCaptions(BarFixture& f) {
    std::string captions;
    const auto count = static_cast<int>(readKeyCount(f.keyCountFile()));
    for (const KeyRecord& key : loadKeys(keyTablePath(f.folder.path()), count))
        captions += key.caption.text();
    return captions;
}

std::string shownCaptions(const Form1& bar) {
    std::string captions;
    for (int i = 0; i < bar.keyCount(); ++i)
        captions += bar.key(i)->text().toStdString();
    return captions;
}

void send(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, to->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

// A real press on key `from`, moves in steps to the middle of key `to` (or of `away`, a point
// of the bar window), and the release there.
void drag(Form1& bar, int from, QPoint endOnBar, bool escapeOnTheWay = false) {
    QAbstractButton* key = bar.key(from);
    const QPoint start = key->rect().center();
    send(key, QEvent::MouseButtonPress, start, Qt::LeftButton);
    const QPoint startOnBar = key->mapTo(&bar, start);
    QPoint at = start;
    for (int step = 1; step <= 6; ++step) {
        at = key->mapFrom(&bar, startOnBar + (endOnBar - startOnBar) * step / 6);
        send(key, QEvent::MouseMove, at, Qt::LeftButton);
        if (escapeOnTheWay && step == 3)
            QTest::keyClick(&bar, Qt::Key_Escape);
    }
    send(key, QEvent::MouseButtonRelease, key->mapFrom(&bar, endOnBar), Qt::NoButton);
    QCoreApplication::processEvents();
}

QPoint middleOf(const Form1& bar, int key) {
    return bar.key(key)->geometry().center();
}

} // namespace

TEST(ArrangingOnTheBar, ADraggedKeyIsStoredWhereItIsLetGoAndStartsNothing) {
    BarFixture f;
    auto bar = fourKeys(f);
    drag(*bar, 3, middleOf(*bar, 1));
    EXPECT_EQ(storedCaptions(f), "ADBC");
    EXPECT_EQ(shownCaptions(*bar), "ADBC");
    EXPECT_TRUE(f.desktop.webAddresses.empty());
}

TEST(ArrangingOnTheBar, EscapeOrLeavingTheBarChangesNothingAndAClickStillStarts) {
    BarFixture f;
    auto bar = fourKeys(f);
    drag(*bar, 3, middleOf(*bar, 0), true);
    drag(*bar, 2, middleOf(*bar, 0) + QPoint(0, 400)); // below the bar, let go there
    EXPECT_EQ(storedCaptions(f), "ABCD");
    EXPECT_EQ(shownCaptions(*bar), "ABCD");
    EXPECT_TRUE(f.desktop.webAddresses.empty());
    QTest::mouseClick(bar->key(1), Qt::LeftButton);
    EXPECT_EQ(f.desktop.webAddresses, std::vector<std::string>{"http://b.example"});
}

TEST(ArrangingOnTheBar, ARefusedDragSaysWhyAsADropDoes) {
    BarFixture f;
    auto bar = fourKeys(f);
    const DataLock setup = DataLock::take(f.folder.path(), {});
    ASSERT_TRUE(setup.held());
    drag(*bar, 0, middleOf(*bar, 2));
    EXPECT_EQ(f.desktop.warnings, std::vector<std::string>{std::string(setupOpenMessage)});
    EXPECT_EQ(shownCaptions(*bar), "ABCD");
}

// The menu of a key offers what can be done with it; each choice is saved at once.
TEST(KeyMenuOnTheBar, OffersWhatTheKeyCanDo) {
    BarFixture f;
    auto bar = fourKeys(f);
    const auto offered = [&](int key) {
        bar->showKeyMenu(key, bar->mapToGlobal(middleOf(*bar, key)));
        auto* menu = bar->findChild<KeyMenu*>();
        std::string items;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator())
                items += std::string(action->isEnabled() ? "+" : "-") +
                         std::to_string(action->data().toInt());
        }
        delete menu;
        return items;
    };
    // Edit, Move left, Move right, Remove, and for a program key its folder.
    EXPECT_EQ(offered(0), "+0-1+2+3+4");
    EXPECT_EQ(offered(3), "+0+1-2+3");
}

// From the keyboard: the Menu key or Shift+F10 on the focused key.
TEST(KeyMenuOnTheBar, OpensFromTheKeyboardOnTheFocusedKey) {
    BarFixture f;
    auto bar = fourKeys(f);
    bar->show();
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
        bar->key(2)->setFocusPolicy(Qt::TabFocus);
        bar->key(2)->setFocus();
        QTest::keyClick(bar->key(2), key, modifiers);
        QCoreApplication::processEvents();
        auto* menu = bar->findChild<KeyMenu*>();
        ASSERT_TRUE(menu) << "key " << key;
        delete menu;
    }
}

TEST(KeyMenuOnTheBar, MovesRemovesAndUndoesUntilTheNextChange) {
    BarFixture f;
    auto bar = fourKeys(f);
    const std::string before = readBytes(keyTablePath(f.folder.path()));
    bar->chooseForKey(1, KeyMenuChoice::Remove);
    EXPECT_EQ(shownCaptions(*bar), "ACD");
    EXPECT_FALSE(bar->undoButton()->isHidden());
    bar->undoButton()->click();
    EXPECT_EQ(readBytes(keyTablePath(f.folder.path())), before);
    EXPECT_EQ(shownCaptions(*bar), "ABCD");

    bar->chooseForKey(2, KeyMenuChoice::Remove);
    bar->chooseForKey(0, KeyMenuChoice::MoveRight);
    EXPECT_EQ(storedCaptions(f), "BAD");
    EXPECT_FALSE(bar->canUndoRemoval()) << "a later change ends the offer";
    bar->chooseForKey(2, KeyMenuChoice::MoveLeft);
    EXPECT_EQ(storedCaptions(f), "BDA");
}

TEST(KeyMenuOnTheBar, EditStartsTheSetupProgramWithTheKeyAndOpenFolderShowsTheProgramsFolder) {
    BarFixture f;
    auto bar = fourKeys(f);
    f.folder.write("tune", "#!/bin/sh\n");
    bar->chooseForKey(0, KeyMenuChoice::OpenFolder);
    EXPECT_EQ(f.desktop.openedFolders, std::vector<std::string>{(f.folder / "bin").string()});
    bar->chooseForKey(2, KeyMenuChoice::Edit);
    ASSERT_EQ(f.desktop.starts.size(), 1u);
    EXPECT_EQ(f.desktop.starts[0].arguments, (std::vector<std::string>{"--key", "3"}));
    EXPECT_EQ(f.quits, 1);
}
