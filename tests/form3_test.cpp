#include "barfixture.h"

#include "tune/form3.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace ombrix;

namespace {

struct CopyFixture {
    BarFixture bar;
    TuneState state;
    std::unique_ptr<Form3> copy;

    CopyFixture() {
        state.screenWidth = 28800;
        state.keys[0] = keyWith("https://example.org", 0, "Sec", "");
        state.keys[1] = keyWith((bar.folder / "page.html").string(), 0, "Page", "");
        state.keys[2] = keyWith(std::string(shutdownTarget), 0, "Off", "");
        bar.folder.write("page.html", "<p>hi</p>");
        copy = std::make_unique<Form3>(bar.startup().context, state);
        copy->setWindowState({0, 3000, handleWidth, 0, WindowShape::Handle});
        copy->layOutForStartUp();
        copy->openAtFullWidth();
    }
};

} // namespace

TEST(BarCopy, HasAll128KeysAndOnlyOpens) {
    CopyFixture f;
    EXPECT_EQ(f.copy->keyCount(), 128);
    EXPECT_EQ(f.copy->state().width, 28800);
    f.copy->apri();
    EXPECT_EQ(f.copy->state().width, 28800) << "the copy never closes";
    QTest::mouseClick(f.copy->handleArea(), Qt::LeftButton);
    EXPECT_EQ(f.copy->state().width, 28800) << "a click on its handle never closes it";
}

TEST(BarCopy, SideButtonsLeaveItWhereItIsAndSaveNothing) {
    CopyFixture f;
    const BarWindowState before = f.copy->state();
    QTest::mouseClick(f.copy->sideButton(2), Qt::LeftButton);
    EXPECT_EQ(f.copy->state().left, before.left);
    EXPECT_EQ(f.copy->state().top, before.top);
    EXPECT_FALSE(f.bar.store.read("indice"));
}

TEST(BarCopy, OnTheRightADragKeepsItAtTheLeftEdge) {
    CopyFixture f;
    f.bar.store.write("indice", "3");
    Form3 copy(f.bar.startup().context, f.state);
    copy.setWindowState({900, 3000, 28800, 0, WindowShape::WholeBar});
    copy.Form_MouseMove(100, 100, Qt::NoButton);
    copy.Form_MouseMove(100, 400, Qt::LeftButton);
    EXPECT_EQ(copy.state().left, 0);
    EXPECT_EQ(copy.state().top, 3300);
}

TEST(BarCopy, ANewScreenWidthReLaysAndOpensIt) {
    CopyFixture f;
    f.bar.screen = {19200, 10800};
    f.copy->Timer1_Timer();
    EXPECT_EQ(f.state.screenWidth, 19200);
    EXPECT_EQ(f.copy->state().width, 19200);
    EXPECT_EQ(f.copy->state().shape, WindowShape::WholeBar);
}

TEST(BarCopy, TheCloseLabelEndsTheSetupWithoutSaving) {
    CopyFixture f;
    QTest::mouseDClick(f.copy->closeLabel(), Qt::LeftButton);
    EXPECT_EQ(f.bar.quits, 1);
    EXPECT_FALSE(f.bar.store.read("left"));
    EXPECT_FALSE(f.bar.store.read("larghezza"));
}

TEST(BarCopy, TryingKeysAcceptsSecureAddressesAndOpensPages) {
    CopyFixture f;
    f.copy->keepOpenBox()->setChecked(true);
    f.copy->Command2_Click(0);
    EXPECT_EQ(f.bar.desktop.webAddresses, std::vector<std::string>{"https://example.org"});

    // A page is opened as a document, then the start of it as a program fails.
    f.copy->Command2_Click(1);
    ASSERT_EQ(f.bar.desktop.webAddresses.size(), 2u);
    EXPECT_EQ(f.bar.desktop.webAddresses[1].rfind("file://", 0), 0u);
    ASSERT_EQ(f.bar.desktop.warnings.size(), 1u);
    EXPECT_TRUE(f.bar.desktop.warnings[0].ends_with("\": it may not be run or read (error 70)."))
        << f.bar.desktop.warnings[0];
    EXPECT_EQ(f.copy->state().width, 28800);
}

TEST(BarCopy, AUsedKeyClosesItToTheHandleWhereItIsAndAClickThereOpensItAgain) {
    CopyFixture f;
    f.copy->Command2_Click(0);
    EXPECT_EQ(f.copy->state().width, handleWidth);
    EXPECT_EQ(f.copy->state().shape, WindowShape::Handle);
    EXPECT_EQ(f.copy->state().left, 0);
    QTest::mouseClick(f.copy->handleArea(), Qt::LeftButton);
    EXPECT_EQ(f.copy->state().width, 28800);
    EXPECT_EQ(f.copy->state().shape, WindowShape::WholeBar);
}

TEST(BarCopy, TheMarkerSurroundsTheSelectedKey) {
    CopyFixture f;
    f.copy->showMarkerAround(5);
    const QRect key = f.copy->key(5)->geometry();
    EXPECT_TRUE(f.copy->marker()->isVisibleTo(f.copy.get()));
    EXPECT_EQ(f.copy->marker()->pos(), key.topLeft() - QPoint(3, 3));
    EXPECT_TRUE(f.copy->marker()->geometry().contains(key));
}
