#include "barfixture.h"

#include "common/keypixels.h"
#include "platform/sound.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace ombrix;

namespace {

constexpr int toolKey = 0, webKey = 1, shutdownKey = 2, secureKey = 3, shellKey = 4;

std::unique_ptr<Form1> programBar(BarFixture& f) {
    f.folder.write("bin/tool", "#!/bin/sh\n");
    std::filesystem::permissions(f.folder / "bin/tool", std::filesystem::perms::owner_all);
    f.folder.write("docs/a b.txt", "text");
    f.writeKeys({keyWith((f.folder / "bin/tool").string(), 0, "Tool", "", 255.0f,
                         (f.folder / "docs/a b.txt").string()),
                 keyWith("HTTP://example.org", 0, "Web", ""),
                 keyWith(std::string(shutdownTarget), 0, "Off", ""),
                 keyWith("https://example.org", 0, "Sec", ""),
                 keyWith("/bin/true; touch pwned", 0, "Bad", "")});
    return f.build();
}

} // namespace

TEST(BarWindow, AClickOnTheHandleOpensToTheScreenWidthAndCloses) {
    BarFixture f;
    auto bar = programBar(f);
    QTest::mouseClick(bar->handleArea(), Qt::LeftButton);
    EXPECT_EQ(bar->state().width, 28800);
    EXPECT_EQ(bar->state().shape, WindowShape::WholeBar);
    EXPECT_EQ(bar->width(), 1920);
    // Five keys: the strip is 5 x 365 + 2020 twips long, one row of 468 twips.
    EXPECT_EQ(bar->mask().boundingRect(), QRect(0, 0, 256, 31));

    QTest::mouseClick(bar->handleArea(), Qt::LeftButton);
    EXPECT_EQ(bar->state().width, 400);
    EXPECT_EQ(bar->mask().boundingRect(), QRect(0, 0, 27, 27));
}

TEST(BarWindow, DraggingTheHandleIsNotAClick) {
    BarFixture f;
    auto bar = programBar(f);
    const double topBefore = bar->state().top;
    QWidget* handle = bar->handleArea();
    const auto send = [handle](QEvent::Type type, QPointF at, Qt::MouseButton button,
                               Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, handle->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(handle, &event);
    };
    send(QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {10, 30}, Qt::NoButton, Qt::LeftButton);
    // The window has followed the pointer, so the pointer is back over the grab point.
    send(QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(bar->state().top, topBefore + 20 * 15);
    EXPECT_TRUE(bar->state().closed());

    send(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(bar->state().closed()) << "a press without a move is a click";
}

TEST(BarWindow, DoubleClicksOnTheWindowFollowTheOption) {
    BarFixture f;
    auto bar = programBar(f);
    bar->Form_DblClick();
    EXPECT_FALSE(bar->state().closed());

    f.store.write("doppio", "False");
    auto quiet = f.build();
    quiet->Form_DblClick();
    EXPECT_TRUE(quiet->state().closed());
}

TEST(KeyPress, StartsTheProgramWithItsDocumentInItsFolderAndCloses) {
    BarFixture f;
    auto bar = programBar(f);
    bar->apri();
    bar->Command2_Click(toolKey);
    ASSERT_EQ(f.desktop.starts.size(), 1u);
    EXPECT_EQ(f.desktop.starts[0].program, (f.folder / "bin/tool").string());
    EXPECT_EQ(f.desktop.starts[0].arguments,
              std::vector<std::string>{(f.folder / "docs/a b.txt").string()});
    EXPECT_EQ(f.desktop.starts[0].workingDirectory, (f.folder / "bin").string());
    EXPECT_TRUE(bar->state().closed());
    EXPECT_TRUE(f.desktop.warnings.empty());
}

TEST(KeyPress, KeepOpenKeepsTheBarOpen) {
    BarFixture f;
    auto bar = programBar(f);
    bar->apri();
    bar->keepOpenBox()->setChecked(true);
    bar->Command2_Click(toolKey);
    bar->Command2_Click(webKey);
    EXPECT_FALSE(bar->state().closed());
}

TEST(KeyPress, WebAddressesShutdownAndFailures) {
    BarFixture f;
    auto bar = programBar(f);

    bar->apri();
    bar->Command2_Click(webKey);
    EXPECT_EQ(f.desktop.webAddresses, std::vector<std::string>{"HTTP://example.org"});
    EXPECT_TRUE(bar->state().closed());

    bar->apri();
    bar->Command2_Click(shutdownKey);
    EXPECT_EQ(f.desktop.shutdownRequests, 1);
    EXPECT_FALSE(bar->state().closed()) << "the shutdown key never closes the bar";

    bar->Command2_Click(secureKey);
    bar->Command2_Click(shellKey);
    // Each message names the target and what failed, and keeps the number.
    EXPECT_EQ(f.desktop.warnings,
              (std::vector<std::string>{
                  "Cannot start \"https://example.org\": no such file (error 53).",
                  "Cannot start \"/bin/true; touch pwned\": no such file (error 53)."}));
    EXPECT_FALSE(bar->state().closed());
    EXPECT_TRUE(f.desktop.starts.empty());
    EXPECT_FALSE(std::filesystem::exists("pwned"));
}

TEST(KeyPress, AProgramThatWillNotStartReportsItsNumber) {
    BarFixture f;
    auto bar = programBar(f);
    bar->apri();
    f.desktop.startResult = 70;
    bar->Command2_Click(toolKey);
    EXPECT_EQ(f.desktop.warnings,
              std::vector<std::string>{"Cannot start \"" + (f.folder / "bin/tool").string() +
                                       "\": it may not be run or read (error 70)."});
    EXPECT_FALSE(bar->state().closed());
}

TEST(KeyPress, SoundsPlayOnlyWhenSoundIsOn) {
    for (const bool soundOn : {false, true}) {
        BarFixture f;
        f.store.write("suono", soundOn ? "True" : "False");
        platform::Sounds sounds(PROGRAM_DIR);
        auto startup = f.startup();
        startup.context.sounds = &sounds;
        f.writeKeys({keyWith("http://example.org", 0, "Web", "")});
        auto bar = buildBar(startup);
        bar->Command2_Click(0);
        EXPECT_EQ(sounds.loaded(), soundOn);
        EXPECT_EQ(f.desktop.webAddresses.size(), 1u) << "the key acts either way";
    }
}

TEST(BarWindow, UnloadSavesPlaceAndWidthOnlyWhenKeptOpen) {
    BarFixture f;
    auto bar = programBar(f);
    bar->apri();
    bar->Form_Unload();
    EXPECT_EQ(f.store.read("larghezza"), "400");
    EXPECT_EQ(f.store.read("left"), "0");
    EXPECT_EQ(f.store.read("top"), "8100");

    BarFixture g;
    auto kept = programBar(g);
    kept->apri();
    kept->keepOpenBox()->setChecked(true);
    kept->close();
    EXPECT_EQ(g.store.read("larghezza"), "28800");
}

// A monitor right of another, below a panel: the bar lives in that area and its place is
// stored from the area's corner, with the area's size.
TEST(BarWindow, StaysInItsAreaAndStoresItsPlaceFromTheAreasCorner) {
    BarFixture f;
    f.screen = {28800, 15750, 19200, 450};
    auto bar = programBar(f);
    EXPECT_EQ(bar->state().left, 19200);
    EXPECT_EQ(bar->state().top, 450 + 7875);
    bar->Form_Unload();
    EXPECT_EQ(f.store.read("left"), "0");
    EXPECT_EQ(f.store.read("top"), "7875");
    EXPECT_EQ(f.store.read("larghezzaarea"), "28800");
    EXPECT_EQ(f.store.read("altezzaarea"), "15750");

    f.screen = {14400, 7875, 19200, 225}; // the same monitor at twice the scale
    bar->Timer1_Timer();
    EXPECT_EQ(bar->state().left, 19200);
    EXPECT_GT(bar->state().top, 225 + 7875 / 2 - 400) << "about halfway down, as before";
    EXPECT_LT(bar->state().top, 225 + 7875 / 2);
}

// Dragged onto the monitor on its left, the handle docks there and the monitor is stored.
TEST(BarWindow, TheHandleDraggedAcrossTakesTheBarToAnotherMonitor) {
    BarFixture f;
    const std::vector<DockScreen> screens{{"DP-1", {19200, 15360, 0, 0}, false},
                                          {"HDMI-1", {28800, 16200, 19200, 0}, true}};
    auto startup = f.startup();
    startup.context.screens = [&] { return screens; };
    startup.context.screen = [&] {
        return screens[static_cast<std::size_t>(dockedScreen(screens, f.prefs.monitor()))].area;
    };
    auto bar = buildBar(startup);
    ASSERT_EQ(bar->state().left, 19200);
    bar->Form_MouseMove(200, 200, Qt::NoButton);
    bar->Form_MouseMove(200, 400, Qt::LeftButton);
    EXPECT_EQ(f.store.read("monitor"), std::nullopt) << "still on its own monitor";
    const double top = bar->state().top;
    bar->Form_MouseMove(-3000, 200, Qt::LeftButton); // the pointer on the other monitor
    EXPECT_EQ(f.store.read("monitor"), "DP-1");
    EXPECT_EQ(bar->state().left, 0);
    EXPECT_EQ(bar->state().top, top);
    EXPECT_EQ(bar->storedScreenWidth(), 19200);
}

TEST(BarWindow, TheCloseLabelSavesAndEnds) {
    BarFixture f;
    auto bar = programBar(f);
    QTest::mouseDClick(bar->closeLabel(), Qt::LeftButton);
    EXPECT_EQ(f.quits, 1);
    EXPECT_EQ(f.store.read("larghezza"), "400");
}

TEST(BarWindow, SideButtonsDockAndSaveTheSide) {
    BarFixture f;
    auto bar = programBar(f);
    QTest::mouseClick(bar->sideButton(2), Qt::LeftButton);
    EXPECT_EQ(bar->side(), Side::Right);
    EXPECT_EQ(bar->state().left, 28400);
    EXPECT_EQ(f.store.read("indice"), "3");

    bar->Label1_Click(3);
    EXPECT_EQ(bar->state().top, 15400);
    EXPECT_EQ(f.store.read("indice"), "4");
}

TEST(BarWindow, TransparentBackIsSavedAndReshapesOnlyTheOpenBar) {
    BarFixture f;
    auto bar = programBar(f);
    ASSERT_TRUE(bar->state().closed());
    bar->transparentBox()->click();
    EXPECT_EQ(f.store.read("tras"), "True");
    EXPECT_EQ(bar->state().shape, WindowShape::Handle) << "a closed bar stays round";
    EXPECT_EQ(bar->shapeRegion().boundingRect().size(), QSize(27, 27));
    bar->apri();
    bar->transparentBox()->click();
    EXPECT_EQ(f.store.read("tras"), "False");
    EXPECT_EQ(bar->state().shape, WindowShape::WholeBar);
}

TEST(BarWindow, TheTimerFollowsAChangeOfScreenWidth) {
    BarFixture f;
    auto bar = programBar(f);
    bar->Label1_Click(2); // right side, closed
    f.screen = {19200, 10800};
    bar->Timer1_Timer();
    EXPECT_TRUE(bar->state().closed());
    EXPECT_EQ(bar->state().left, 18800);
    EXPECT_EQ(bar->storedScreenWidth(), 19200);

    bar->apri();
    f.screen = {38400, 21600};
    bar->Timer1_Timer();
    EXPECT_EQ(bar->state().width, 38400);
    EXPECT_EQ(bar->state().shape, WindowShape::WholeBar);
}

// The bar's monitor going from scale 1 to 2 (or the bar taken to a monitor of scale 2): the
// keys showing a picture get one made for 32 device pixels; a caption key is left alone, and a
// change that keeps the pictures' side makes none again.
TEST(BarWindow, KeyPicturesAreMadeAgainForTheMonitorsNewScale) {
    BarFixture f;
    f.folder.write("bin/tool", "#!/bin/sh\n");
    const std::string tool = (f.folder / "bin/tool").string();
    f.writeKeys({keyWith(tool, targetIconIndex, "", ""), keyWith("", 0, "Word", "")});
    double scale = 1;
    int made = 0;
    auto startup = f.startup();
    startup.context.scale = [&] { return scale; };
    startup.smallIcon = [&](const std::filesystem::path&) {
        ++made;
        QPixmap picture(keyPictureSide(scale), keyPictureSide(scale));
        picture.fill(Qt::red);
        picture.setDevicePixelRatio(scale);
        return picture;
    };
    auto bar = buildBar(startup);
    ASSERT_EQ(made, 1);
    ASSERT_EQ(bar->key(0)->icon().availableSizes().value(0), QSize(16, 16));

    scale = 2;
    bar->Timer1_Timer();
    EXPECT_EQ(made, 2);
    EXPECT_EQ(bar->key(0)->icon().availableSizes().value(0), QSize(32, 32));
    EXPECT_EQ(bar->key(1)->text(), QStringLiteral("Word"));

    scale = 2.01;
    bar->Timer1_Timer();
    EXPECT_EQ(made, 2) << "the same 32 device pixels";
}

TEST(BarWindow, ManyKeysFoldIntoRowsAndTheWindowGrows) {
    BarFixture f;
    std::vector<KeyRecord> keys;
    for (int i = 0; i < 128; ++i)
        keys.push_back(keyWith("", 0, std::to_string(i + 1), ""));
    f.writeKeys(keys);
    auto bar = f.build();
    ASSERT_EQ(bar->keyCount(), 128);
    EXPECT_GT(bar->state().height, 495);
    EXPECT_EQ(bar->key(0)->geometry().topLeft(), QPoint(111, 4));
    EXPECT_GT(bar->key(127)->geometry().top(), bar->key(0)->geometry().top());
    QSet<QPair<int, int>> places;
    for (int i = 0; i < 128; ++i)
        places.insert({bar->key(i)->x(), bar->key(i)->y()});
    EXPECT_EQ(places.size(), 128) << "no two keys on one place";
}

TEST(SetupButton, SaysClearlyWhenTheSetupProgramIsMissing) {
    BarFixture f;
    auto bar = programBar(f);
    bar->setupButton()->click();
    ASSERT_EQ(f.desktop.warnings.size(), 1u);
    EXPECT_NE(f.desktop.warnings[0].find("missing"), std::string::npos);
    EXPECT_EQ(f.quits, 0);
}

TEST(SetupButton, StartsTheSetupProgramSavesAndEnds) {
    BarFixture f;
    auto bar = programBar(f);
    f.folder.write("tune", "#!/bin/sh\n");
    bar->setupButton()->click();
    ASSERT_EQ(f.desktop.starts.size(), 1u);
    EXPECT_EQ(f.desktop.starts[0].program, (f.folder / "tune").string());
    EXPECT_EQ(f.quits, 1);
    EXPECT_EQ(f.store.read("larghezza"), "400");
}

// A key's face is its stored colour exactly, not a shade of it, and a wide six-letter caption
// stays whole inside the key's edge: the columns just inside the edge are face colour only.
TEST(KeyFace, IsFlatInItsColourAndItsCaptionIsNeverCut) {
    BarFixture f;
    f.writeKeys({keyWith("", 0, "dotcom", "", 255.0f), keyWith("", 0, "WWWWWW", "", 65280.0f),
                 keyWith("", 0, "", "", 16711680.0f)}); // the last shows its number
    auto bar = f.build();
    const QRgb faces[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("key " + std::to_string(i));
        const QImage face = bar->key(i)->grab().toImage();
        const int w = face.width(), h = face.height();
        int flat = 0, inkColumns = 0;
        for (int x = 1; x < w - 1; ++x) {
            bool ink = false;
            for (int y = 1; y < h - 1; ++y) {
                if ((face.pixel(x, y) & 0xFFFFFF) == (faces[i] & 0xFFFFFF))
                    ++flat;
                else
                    ink = true;
            }
            inkColumns += ink ? 1 : 0;
            if (x == 1 || x == w - 2) {
                EXPECT_FALSE(ink) << "the caption reaches the edge at x " << x;
            }
        }
        EXPECT_GT(flat, (w - 2) * (h - 2) / 2) << "most of the face is exactly its colour";
        EXPECT_GT(inkColumns, 2) << "the caption shows";
    }
}
