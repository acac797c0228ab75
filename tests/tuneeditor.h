#pragma once

#include "barfixture.h"

#include "tune/filechooser.h"
#include "tune/form2.h"
#include "tune/form3.h"
#include "tune/imagelist.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <functional>
#include <memory>
#include <vector>

// A key editor on a program folder of the test's own, wired to a recording desktop: 128
// numbered keys, 10 of them in use, the bar copy laid out on a 1920 x 1080 screen. Its settings
// are the bar fixture's unless the test gives others.
struct TuneEditor {
    BarFixture bar;
    ombrix::TuneState state;
    ombrix::ImageList images{PROGRAM_DIR};
    std::unique_ptr<ombrix::Form3> copy;
    std::unique_ptr<ombrix::Form2> editor;
    std::vector<QString> warnings;
    int quits = 0;

    explicit TuneEditor(ombrix::Preferences* preferences = nullptr) {
        for (int i = 0; i < ombrix::maxKeys; ++i)
            state.keys[static_cast<std::size_t>(i)] = ombrix::defaultKeyRecord(i);
        state.keyCount = 10;
        state.screenWidth = 28800;
        copy = std::make_unique<ombrix::Form3>(bar.startup().context, state);
        copy->layOutForStartUp();
        ombrix::TuneContext context;
        context.programFolder = bar.folder.path();
        context.dataFolder = bar.folder.path();
        context.state = &state;
        context.barCopy = copy.get();
        context.images = &images;
        context.preferences = preferences ? preferences : &bar.prefs;
        context.smallIcon = fakeIcon;
        context.screen = [this] { return bar.screen; };
        context.warn = [this](const QString& text) { warnings.push_back(text); };
        context.desktop = &bar.desktop;
        context.keyCountFile = bar.keyCountFile();
        context.quit = [this] { ++quits; };
        editor = std::make_unique<ombrix::Form2>(context);
    }

    // A picture of its own for every existing file, so a test can tell whose icon is shown.
    static QPixmap fakeIcon(const std::filesystem::path& file) {
        if (!ombrix::fileExists(file))
            return {};
        QPixmap picture(16, 16);
        const auto seed = static_cast<unsigned>(std::hash<std::string>{}(file.string()));
        picture.fill(QColor::fromRgb(seed & 0xFFFFFF));
        return picture;
    }

    static bool samePicture(const QPixmap& shown, const QPixmap& expected) {
        return !expected.isNull() && shown.toImage().convertToFormat(QImage::Format_RGB32) ==
                                         expected.toImage().convertToFormat(QImage::Format_RGB32);
    }

    const ombrix::Form2::Controls& ui() const { return editor->controls(); }
    ombrix::KeyRecord& key(int i) { return state.keys[static_cast<std::size_t>(i)]; }
    void select(int i) { editor->selector(i)->setChecked(true); }
    QPixmap faceOf(int i) const { return copy->key(i)->icon().pixmap(16, 16); }

    std::filesystem::path file(const std::string& name, const std::string& bytes = "x") {
        return bar.folder.write(name, bytes);
    }
    // Key i's icon file as saved in the program folder, and as the editor has it until "EXIT".
    std::filesystem::path iconFile(int i) const {
        return ombrix::iconFilePath(bar.folder.path(), i);
    }
    std::filesystem::path workingIcon(int i) const { return editor->workingIconFile(i); }

    // Shows `folder` in the folder and file lists, as a double click on it does.
    void openFolder(const std::filesystem::path& folder) { ui().Dir1->setPath(folder); }

    // A click, or a double click, of the mouse on the file list's entry `name`, given to the
    // window as the windowing system gives it: a double click is a click and then one more.
    void clickFile(const QString& name, bool doubleClick = false) {
        editor->show();
        QListWidget* list = ui().File1;
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        list->scrollToItem(found.front());
        const QPoint at =
            list->viewport()->mapTo(editor.get(), list->visualItemRect(found.front()).center());
        if (doubleClick)
            QTest::mouseDClick(editor->windowHandle(), Qt::LeftButton, {}, at);
        else
            QTest::mouseClick(editor->windowHandle(), Qt::LeftButton, {}, at);
    }
};
