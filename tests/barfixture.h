#pragma once

#include "bar/startup.h"
#include "common/keycount.h"
#include "common/keytable.h"
#include "platform/desktopservices.h"
#include "tempfolder.h"

#include <QApplication>
#include <QPixmap>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A stand-in desktop that records what a key press asks of it.
class RecordingDesktop : public ombrix::platform::DesktopServices {
public:
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
        std::string workingDirectory;
    };

    int startProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingDirectory) override {
        starts.push_back({program, arguments, workingDirectory});
        return startResult;
    }
    void openWebAddress(const std::string& address) override { webAddresses.push_back(address); }
    void requestShutdown(QWidget*) override { ++shutdownRequests; }
    void warn(QWidget*, const QString& text) override { warnings.push_back(text.toStdString()); }
    void openFolder(const std::string& folder) override { openedFolders.push_back(folder); }

    int startResult = 0;
    std::vector<Start> starts;
    std::vector<std::string> webAddresses;
    int shutdownRequests = 0;
    std::vector<std::string> warnings;
    std::vector<std::string> openedFolders;
};

// A program folder, settings and a key count of the test's own, and a bar started on them.
struct BarFixture {
    TempFolder folder;
    ombrix::MemorySettings store;
    ombrix::Preferences prefs{store};
    RecordingDesktop desktop;
    ombrix::ScreenSize screen{28800, 16200}; // 1920 x 1080 pixels at 96 dpi
    int beeps = 0;
    int quits = 0;

    std::filesystem::path keyCountFile() const { return folder / "config" / "keycount.stm"; }

    void writeKeys(const std::vector<ombrix::KeyRecord>& keys) {
        ASSERT_TRUE(ombrix::writeKeyTable(ombrix::keyTablePath(folder.path()), keys));
        ASSERT_TRUE(ombrix::writeKeyCount(keyCountFile(), static_cast<float>(keys.size())));
    }

    ombrix::BarStartup startup() {
        ombrix::BarStartup s;
        s.context.programFolder = folder.path();
        s.context.dataFolder = folder.path(); // a portable folder, as the build makes
        s.context.preferences = &prefs;
        s.context.desktop = &desktop;
        s.context.screen = [this] { return screen; };
        s.context.quit = [this] { ++quits; };
        s.keyCountFile = keyCountFile();
        s.applicationFolders = {folder / "applications"};
        s.smallIcon = [](const std::filesystem::path& file) {
            QPixmap picture;
            if (ombrix::fileExists(file)) {
                picture = QPixmap(16, 16);
                picture.fill(Qt::red);
            }
            return picture;
        };
        s.beep = [this] { ++beeps; };
        return s;
    }

    std::unique_ptr<ombrix::Form1> build() { return ombrix::buildBar(startup()); }
};

inline ombrix::KeyRecord keyWith(const std::string& target, std::int16_t iconIndex,
                                 const std::string& caption, const std::string& toolTip,
                                 float colour = ombrix::systemGreyColour,
                                 const std::string& argument = "") {
    ombrix::KeyRecord key;
    key.target.assign(target);
    key.argument.assign(argument);
    key.iconIndex = iconIndex;
    key.caption.assign(caption);
    key.toolTip.assign(toolTip);
    key.backColor = colour;
    return key;
}
