#pragma once

#include "common/datalock.h"
#include "tune/colour/colori.h"
#include "tune/editorframe.h"
#include "tune/form2.h"
#include "tune/form3.h"

#include <memory>

namespace ombrix {

// The setup program's two windows, built by its start-up.
struct TuneWindows {
    std::unique_ptr<Form3> barCopy;
    std::unique_ptr<Form2> editor;
    // The editor's window when it scrolls; made only where its design's size does not fit.
    std::unique_ptr<EditorFrame> frame;
};

// The editor whole where it fits the bar's area beside the copy; else in a window that fits,
// where it scrolls. Called at the start and whenever the monitors change.
void fitEditorToArea(TuneWindows& windows, ScreenSize area);

// Everything the start-up reads from outside, so a test can run it on a folder of its own.
struct TuneStartup {
    BarContext context; // for the bar copy
    TuneState* state = nullptr;
    ImageList* images = nullptr;
    std::filesystem::path keyCountFile;
    IconLoader smallIcon;
    std::vector<std::filesystem::path> applicationFolders; // for a first run's starter keys
    std::function<void()> openColourWindow;
    std::function<void()> beep;
    std::function<void()> endRunningBar; // before leaving starts the bar; unset: nothing
    int firstSelectedKey = 0; // the key selected at the start (a key's "Edit…" on the bar)
};

// Builds the bar copy and the key editor from the key count, the settings and the key table,
// step by step (a failing step beeps once and the next goes on), and shows both: the copy open
// across the screen, the editor with key 1 selected, or the key asked for when it is in use.
TuneWindows startTune(const TuneStartup& startup);

// What the colour window is given: the key editor's selectors and the bar copy's keys.
ColourWindowContext colourWindowContext(const TuneWindows& windows, TuneState& state,
                                        const std::filesystem::path& programFolder,
                                        std::function<void()> click);

// The setup program's hold on a data folder for its whole session: the data lock (waiting a
// moment for a drop being saved), then an interrupted save finished or rolled back and the
// scratch folder of a killed session removed, before anything reads the keys. `mayRun` is
// false while another setup program holds the lock; a folder where no lock can be made (read
// only) does not keep the setup from starting.
struct SetupSession {
    DataLock lock;
    bool mayRun = false;
};
SetupSession takeSetupSession(const std::filesystem::path& dataFolder,
                              const std::filesystem::path& keyCountFile);

// The setup program: one copy per data folder, then the two windows.
int runTune(int argc, char** argv);

} // namespace ombrix
