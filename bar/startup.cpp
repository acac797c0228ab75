#include "bar/startup.h"
#include "platform/translation.h"

#include "bar/baraccessible.h"
#include "bar/barkeyboard.h"
#include "bar/barservice.h"
#include "bar/session.h"
#include "bar/startupstep.h"

#include "common/colourvalue.h"
#include "common/datalock.h"
#include "common/keycount.h"
#include "common/keysave.h"
#include "common/keytable.h"
#include "common/starterkeys.h"
#include "common/targets.h"
#include "platform/firstframe.h"
#include "platform/icons.h"
#include "platform/paths.h"
#include "platform/singleinstance.h"
#include "platform/terminationsignals.h"
#include "platform/windowsystem.h"

#include <QApplication>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace ombrix {
namespace {

void step(const BarStartup& startup, const std::function<bool()>& body) {
    runStartupStep(startup.beep, body);
}

bool giveFacesFromTable(Form1& bar, const BarStartup& startup, std::vector<KeyRecord>& keys) {
    bool allFaces = true;
    for (int i = 0; i < static_cast<int>(keys.size()); ++i) {
        KeyRecord& key = keys[static_cast<std::size_t>(i)];
        allFaces = bar.showFace(i, key, startup.context.dataFolder, startup.smallIcon) && allFaces;
        bar.showToolTipAndShutdownBlue(i, key);
    }
    return allFaces;
}

// The buttons that exist decide: one record each, a default key for any that has none.
void matchKeysToButtons(std::vector<KeyRecord>& keys, int buttons) {
    keys.resize(std::min(keys.size(), static_cast<std::size_t>(buttons)));
    for (int i = static_cast<int>(keys.size()); i < buttons; ++i)
        keys.push_back(defaultKeyRecord(i));
}

bool giveColours(Form1& bar, const std::vector<KeyRecord>& keys) {
    bool allValid = true;
    for (int i = 0; i < static_cast<int>(keys.size()); ++i)
        allValid = bar.showColour(i, keys[static_cast<std::size_t>(i)].backColor) && allValid;
    return allValid;
}

// A started bar is shown without the focus; the window manager can give it the focus only once
// the window is on the screen.
void openByKeyboardOnceShown(Form1& bar, BarKeyboard& keyboard) {
    auto* wait = new QTimer(&bar);
    wait->setInterval(20);
    QObject::connect(wait, &QTimer::timeout, &bar, [wait, &bar, &keyboard, tries = 0]() mutable {
        const QWindow* window = bar.windowHandle();
        if ((window && window->isExposed()) || ++tries > 100) {
            wait->deleteLater();
            wait->stop();
            keyboard.openByKeyboard();
        }
    });
    wait->start();
}

} // namespace

std::vector<KeyRecord> startupKeys(const BarStartup& startup, int& keyCount) {
    const auto table = keyTablePath(startup.context.dataFolder);
    // An interrupted save is finished or rolled back before the keys are read; a program
    // holding the keys' lock now does that itself.
    if (const DataLock lock = DataLock::take(startup.context.dataFolder, {}); lock.held())
        (void)recoverKeys({startup.context.dataFolder, startup.keyCountFile});
    if (isFirstRun(table, startup.keyCountFile)) {
        std::vector<KeyRecord> starter = starterKeys(startup.applicationFolders);
        keyCount = static_cast<int>(starter.size());
        return starter;
    }
    keyCount = static_cast<int>(readKeyCount(startup.keyCountFile));
    if (!fileExists(table)) {
        std::vector<KeyRecord> keys;
        for (int i = 0; i < keyCount; ++i)
            keys.push_back(defaultKeyRecord(i));
        return keys;
    }
    return loadKeys(table, keyCount);
}

std::unique_ptr<Form1> buildBar(const BarStartup& startup) {
    auto bar = std::make_unique<Form1>(startup.context);
    Form1& form = *bar;
    Preferences& prefs = *startup.context.preferences;
    const ScreenSize screen = startup.context.screen();
    form.setKeyStore({keyTablePath(startup.context.dataFolder), startup.keyCountFile},
                     startup.smallIcon);

    int keyCount = 1;
    std::vector<KeyRecord> keys;
    step(startup, [&] {
        // Taken only when the whole step succeeds: a count without its keys is never kept.
        int readCount = keyCount;
        std::vector<KeyRecord> read = startup.readKeys(startup, readCount);
        keyCount = readCount;
        keys = std::move(read);
        // Read after the keys, whose reading finishes an interrupted save first.
        form.setKeyTexts(readKeyTexts(keyTextsPath(startup.context.dataFolder)));
        return true;
    });
    step(startup, [&] {
        form.createKeys(keyCount);
        return true;
    });
    matchKeysToButtons(keys, form.keyCount());
    step(startup, [&] {
        const BarWindowState saved =
            restoredPlace({prefs.left(), prefs.top(screen.height), prefs.width(), prefs.areaWidth(),
                           prefs.areaHeight()},
                          screen);
        form.setWindowState(saved);
        form.setKeepOpen(!saved.closed());
        return true;
    });
    step(startup, [&] {
        form.setSoundAndDoubleClick(prefs.sound(), prefs.doubleClick());
        form.setTransparentBack(prefs.transparentBack());
        return true;
    });
    step(startup, [&] {
        form.layoutRows();
        return true;
    });
    step(startup, [&] { return giveFacesFromTable(form, startup, keys); });
    step(startup, [&] { return giveColours(form, keys); });
    form.setKeys(std::move(keys));
    step(startup, [&] {
        form.dock();
        form.finishStartUp();
        return true;
    });
    return bar;
}

int runBar(int argc, char** argv) {
    platform::chooseWindowSystem();
    QApplication app(argc, argv);
    platform::applicationStarted();
    loadTranslations(app);
    QApplication::setApplicationName(QStringLiteral("Ombrix"));
    QApplication::setQuitOnLastWindowClosed(false);

    const bool toggle = QCoreApplication::arguments().contains(QStringLiteral("--toggle"));
    if (toggle && askRunningBarToToggle())
        return 0;
    // Asked to end (the session closing, the setup program starting): as the close label does,
    // the place is saved first. Made before the lock is taken, so that it is let go after the
    // lock: the setup program asks whoever holds the lock to end, also a bar already ending,
    // which must not be ended by the signal's default as if it had been killed.
    Form1* shown = nullptr;
    const platform::TerminationSignals termination([&shown] {
        if (shown)
            shown->Form_Unload();
        QCoreApplication::quit();
    });
    platform::SingleInstance instance(QStringLiteral("ombrix"));
    if (!isOnlyCopy(instance))
        return 0;

    DesktopSession session;
    BarStartup startup;
    startup.context = session.barContext([] { QCoreApplication::quit(); });
    startup.keyCountFile = platform::keyCountPath();
    startup.applicationFolders = platform::applicationFolders();
    startup.smallIcon = [&session](const std::filesystem::path& file) {
        return session.smallIcon(file);
    };
    startup.beep = [] { QApplication::beep(); };

    auto bar = buildBar(startup);
    QObject::connect(&session.screens, &platform::ScreenWatch::changed, bar.get(),
                     &Form1::Timer1_Timer);
    shown = bar.get();
    platform::makeDock(bar.get());
    makeBarAccessible(*bar);
    auto* keyboard = new BarKeyboard(*bar);
    bar->show();
    // The session-bus service and the shortcut are offered once the bar is on the screen: the
    // round trips they cost never delay the bar's first frame.
    Preferences& preferences = *startup.context.preferences;
    platform::afterFirstFrame([keyboard = QPointer<BarKeyboard>(keyboard), &preferences] {
        if (keyboard)
            offerToggle(*keyboard, preferences);
    });
    tellSettingsProblem(session);
    if (toggle)
        openByKeyboardOnceShown(*bar, *keyboard);
    const int status = QApplication::exec();
    shown = nullptr;
    return status;
}

} // namespace ombrix
