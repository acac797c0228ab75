#include "tune/startup.h"
#include "platform/translation.h"

#include "common/keyarrangement.h"

#include "bar/session.h"
#include "bar/startupstep.h"
#include "common/keyarrangement.h"

#include "common/keycount.h"
#include "common/keysave.h"
#include "common/keytable.h"
#include "common/starterkeys.h"
#include "common/targets.h"
#include "platform/desktopservices.h"
#include "platform/icons.h"
#include "platform/launchnotice.h"
#include "platform/paths.h"
#include "platform/screen.h"
#include "platform/singleinstance.h"
#include "platform/terminationsignals.h"
#include "platform/windowsystem.h"
#include "tune/colour/colori.h"
#include "tune/keylist.h"
#include "tune/placement.h"
#include "version.h"

#include <QApplication>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace ombrix {
namespace {

// How long the setup program waits for a running bar to save its place and end.
constexpr int barEndingPatienceMs = 3000;

void step(const TuneStartup& startup, const std::function<bool()>& body) {
    runStartupStep(startup.beep, body);
}

// The whole key table, 128 records; false, leaving the keys alone, without one.
bool readKeys(TuneState& state, const std::filesystem::path& dataFolder) {
    const auto table = keyTablePath(dataFolder);
    if (!fileExists(table))
        return false;
    const std::vector<KeyRecord> keys = loadKeys(table, maxKeys);
    std::copy(keys.begin(), keys.end(), state.keys.begin());
    state.texts = readKeyTexts(keyTextsPath(dataFolder));
    return true;
}

// Without a key table every key holds its number, as stored (with its leading blank).
void giveDefaultKeys(Form3& copy, TuneState& state) {
    state.texts = {};
    for (int i = 0; i < maxKeys; ++i) {
        state.keys[static_cast<std::size_t>(i)] = defaultKeyRecord(i);
        copy.setKeyFace(i, QString::number(i + 1), QPixmap());
    }
}

bool paintFaces(Form3& copy, Form2& editor, TuneState& state, const TuneStartup& startup) {
    bool allFaces = true;
    const IconLoader viaSmallIconPicture = [&](const std::filesystem::path& file) {
        state.iconSourcePath = file.string();
        return editor.captureSmallIcon(file);
    };
    for (int i = 0; i < maxKeys; ++i) {
        KeyRecord& key = state.keys[static_cast<std::size_t>(i)];
        const IconLoader& loader =
            key.iconIndex == targetIconIndex ? viaSmallIconPicture : startup.smallIcon;
        allFaces = copy.showFace(i, key, startup.context.dataFolder, loader) && allFaces;
        copy.showToolTipAndShutdownBlue(i, key);
    }
    return allFaces;
}

} // namespace

void fitEditorToArea(TuneWindows& windows, ScreenSize area) {
    Form2& editor = *windows.editor;
    const double t = platform::toTwips(1);
    // Until the window manager has framed the window, room is kept for a frame and title bar.
    const EditorView view = editorView(area, editor.width() * t, editor.height() * t, 8 * t, 36 * t,
                                       windows.barCopy->state().height);
    if (!view.scrolls && !windows.frame)
        return;
    if (!windows.frame) {
        const bool shown = editor.isVisible();
        windows.frame = std::make_unique<EditorFrame>(&editor);
        if (shown)
            windows.frame->show();
    }
    // The vertical scroll bar takes room of its own where the area has it.
    const int bar = windows.frame->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = platform::toPixels(view.width);
    const int room = platform::toPixels(area.width - 8 * t);
    const bool scrollsDown = platform::toPixels(view.height) < editor.height();
    windows.frame->resize(scrollsDown ? std::max(width, std::min(width + bar, room)) : width,
                          platform::toPixels(view.height));
}

ColourWindowContext colourWindowContext(const TuneWindows& windows, TuneState& state,
                                        const std::filesystem::path& programFolder,
                                        std::function<void()> click) {
    Form2* editor = windows.editor.get();
    Form3* barCopy = windows.barCopy.get();
    ColourWindowContext context;
    context.programFolder = programFolder;
    context.state = &state;
    context.isKeySelected = [editor](int i) { return editor->selector(i)->isChecked(); };
    context.selectKey = [editor](int i) { editor->selectKey(i); };
    context.showOnBarCopy = [barCopy](int i, float colour) { barCopy->showColour(i, colour); };
    context.click = std::move(click);
    return context;
}

TuneWindows startTune(const TuneStartup& startup) {
    TuneState& state = *startup.state;
    Preferences& prefs = *startup.context.preferences;
    const ScreenSize screen = startup.context.screen();
    TuneWindows windows;

    // A first run offers the same starter keys as the bar, so leaving the setup keeps them.
    const bool firstRun =
        isFirstRun(keyTablePath(startup.context.dataFolder), startup.keyCountFile);
    const std::vector<KeyRecord> starter =
        firstRun ? starterKeys(startup.applicationFolders) : std::vector<KeyRecord>{};
    step(startup, [&] {
        state.keyCount =
            firstRun ? static_cast<float>(starter.size()) : readKeyCount(startup.keyCountFile);
        return true;
    });
    windows.barCopy = std::make_unique<Form3>(startup.context, state);
    Form3& copy = *windows.barCopy;
    copy.setIconLoader(startup.smallIcon);

    TuneContext editorContext;
    editorContext.programFolder = startup.context.programFolder;
    editorContext.dataFolder = startup.context.dataFolder;
    editorContext.state = &state;
    editorContext.barCopy = &copy;
    editorContext.images = startup.images;
    editorContext.preferences = startup.context.preferences;
    editorContext.sounds = startup.context.sounds;
    editorContext.smallIcon = startup.smallIcon;
    editorContext.openColourWindow = startup.openColourWindow;
    editorContext.screen = startup.context.screen;
    editorContext.desktop = startup.context.desktop;
    editorContext.keyCountFile = startup.keyCountFile;
    editorContext.quit = startup.context.quit;
    editorContext.endRunningBar = startup.endRunningBar;
    platform::DesktopServices* desktop = startup.context.desktop;
    editorContext.warn = [desktop](const QString& text) {
        desktop->warn(QApplication::activeWindow(), text);
    };
    windows.editor = std::make_unique<Form2>(editorContext);
    Form2& editor = *windows.editor;
    editor.setCaptionVersion(versionMajor, versionMinor, versionPatch);
    editor.Form_Load();

    step(startup, [&] {
        const float width = prefs.width() > 0 ? prefs.width() : closedWidth;
        // The copy stands at the left edge of the bar's area, at the bar's stored height there.
        BarWindowState placed = restoredPlace(
            {0, prefs.top(screen.height), width, prefs.areaWidth(), prefs.areaHeight()}, screen);
        placed.left = screen.left;
        placed.width = width;
        placed.shape = placed.closed() ? WindowShape::Handle : WindowShape::WholeBar;
        copy.setWindowState(placed);
        copy.setKeepOpen(!placed.closed());
        state.showAllKeys = prefs.showAllKeys();
        state.screenWidth = storedWidthOf(screen);
        state.barLength = 48740;
        state.soundOn = prefs.sound();
        state.doubleClickMode = prefs.doubleClick();
        copy.setSoundAndDoubleClick(state.soundOn, state.doubleClickMode);
        return true;
    });
    step(startup, [&] {
        copy.layOutForStartUp();
        editor.enableKeys(state.keyCount);
        return true;
    });
    step(startup, [&] {
        if (firstRun) {
            giveDefaultKeys(copy, state);
            std::copy(starter.begin(), starter.end(), state.keys.begin());
            return paintFaces(copy, editor, state, startup);
        }
        if (readKeys(state, startup.context.dataFolder))
            return paintFaces(copy, editor, state, startup);
        giveDefaultKeys(copy, state);
        return true;
    });
    step(startup, [&] {
        bool allValid = true;
        for (int i = 0; i < maxKeys; ++i)
            allValid =
                copy.showColour(i, state.keys[static_cast<std::size_t>(i)].backColor) && allValid;
        return allValid;
    });
    step(startup, [&] {
        const int first =
            keyEnabled(startup.firstSelectedKey, state.keyCount) ? startup.firstSelectedKey : 0;
        editor.selector(first)->setChecked(true);
        editor.Option1_Click(first);
        return true;
    });
    step(startup, [&] {
        const ShownKeys shown = shownKeys(state.showAllKeys, state.keyCount);
        state.lastKeyShown = shown.lastKeyShown;
        state.barLength = shown.barLength;
        editor.showAllBox()->setChecked(state.showAllKeys);
        if (!state.showAllKeys)
            editor.nascondi();
        return true;
    });
    step(startup, [&] {
        copy.positionBarCopy();
        copy.finishStartUp();
        copy.openAtFullWidth();
        return true;
    });
    step(startup, [&] {
        editor.Form_Load();
        return true;
    });
    fitEditorToArea(windows, startup.context.screen());
    editor.keepClearOfBarCopy(false);
    // The first window shown carries the launch's startup notice, with which the window
    // manager lets the setup window come to the front: the editor (or the frame that scrolls
    // it) is that window.
    if (windows.frame)
        windows.frame->show();
    else
        editor.show();
    platform::makeDock(&copy);
    copy.show();
    // The window manager frames the window once shown; the place is checked with that frame.
    QTimer::singleShot(300, &editor, [&editor] { editor.keepClearOfBarCopy(true); });
    return windows;
}

SetupSession takeSetupSession(const std::filesystem::path& dataFolder,
                              const std::filesystem::path& keyCountFile) {
    DataLock lock = DataLock::take(dataFolder, std::chrono::seconds(1));
    const bool held = lock.held();
    const bool mayRun = lock.state() != DataLock::State::Busy;
    if (held)
        (void)recoverKeys({dataFolder, keyCountFile});
    return {std::move(lock), mayRun};
}

int runTune(int argc, char** argv) {
    platform::chooseWindowSystem();
    const QByteArray launch = platform::launchId();
    QApplication app(argc, argv);
    platform::applicationStarted();
    loadTranslations(app);
    QApplication::setApplicationName(QStringLiteral("tune"));

    // The setup program writes the key table and key icons; an installed copy's per-user
    // folder may not exist yet.
    const std::filesystem::path data = platform::dataFolder();
    std::error_code ignored;
    std::filesystem::create_directories(data, ignored);
    // One setup program per data folder, whatever the runtime folder: it holds the data lock
    // for its whole session, so no drop onto a bar can change the keys under it.
    const SetupSession setup = takeSetupSession(data, platform::keyCountPath());
    if (!setup.mayRun) {
        platform::showWarning(nullptr,
                              translate("Ombrix", "The requested application is already open."));
        return 0;
    }
    // The bar and the setup program never run side by side: a running bar ends as "ins."
    // ends it, and its place is saved before the settings are read here.
    platform::endRunningCopy(QStringLiteral("ombrix"), barEndingPatienceMs);

    DesktopSession session;
    const auto& folder = session.folder;
    ImageList images(folder);
    TuneState state;

    TuneStartup startup;
    // Ending tune sends no further events: quit() would first close every window, running
    // the editor's closing sequence even when the bar copy's "X" ends tune without saving.
    startup.context = session.barContext([] { QCoreApplication::exit(0); });
    startup.smallIcon = [&session](const std::filesystem::path& file) {
        return session.smallIcon(file);
    };
    startup.state = &state;
    startup.images = &images;
    startup.keyCountFile = platform::keyCountPath();
    startup.applicationFolders = platform::applicationFolders();
    startup.beep = [] { QApplication::beep(); };
    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments())
        arguments.push_back(argument.toStdString());
    startup.firstSelectedKey = keyToEditOption(arguments).value_or(0);
    // "Background Color" opens the colour window over the editor once both windows exist.
    TuneWindows* shown = nullptr;
    startup.openColourWindow = [&] {
        if (!shown)
            return;
        const auto click = [&session, &state] {
            if (state.soundOn)
                session.sounds.playClick();
        };
        ColourWindowContext colours = colourWindowContext(*shown, state, folder, click);
        // The bar copy stays on top of every window: the colour window goes beside it.
        colours.area = [&startup, copy = shown->barCopy.get()] {
            const BarWindowState& at = copy->state();
            return roomBesideCopy(startup.context.screen(), {at.left, at.top, at.width, at.height});
        };
        openColourWindow(colours, shown->editor.get());
    };

    startup.endRunningBar = [] {
        platform::endRunningCopy(QStringLiteral("ombrix"), barEndingPatienceMs);
    };

    TuneWindows windows = startTune(startup);
    platform::completeLaunch(windows.editor.get(), launch);
    shown = &windows;
    // The copy follows the bar's area; the editor is put back inside it, clear of the copy.
    QObject::connect(&session.screens, &platform::ScreenWatch::changed, windows.editor.get(),
                     [&windows, &startup] {
                         windows.barCopy->Timer1_Timer();
                         fitEditorToArea(windows, startup.context.screen());
                         windows.editor->keepClearOfBarCopy(true);
                     });
    tellSettingsProblem(session);
    // Asked to end (the session closing, `kill`), the setup program ends without saving the
    // keys and without starting the bar: a session that is ending has no use for a new bar.
    const platform::TerminationSignals termination([] { QCoreApplication::exit(0); });
    return QApplication::exec();
}

} // namespace ombrix
