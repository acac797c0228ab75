#include "common/desktopentry.h"
#include "tempfolder.h"
#include "tune/ostartup/autostart.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>

using namespace ombrix;

namespace {

struct FolderRow {
    const char* name;
    const char* xdgConfigHome; // null: unset
    const char* home;
    const char* folder;
};

class AutostartFolder : public testing::TestWithParam<FolderRow> {};

TEST_P(AutostartFolder, FollowsTheConfigurationHome) {
    const FolderRow& row = GetParam();
    EXPECT_EQ(autostartFolder(row.xdgConfigHome, row.home), std::filesystem::path(row.folder));
}

INSTANTIATE_TEST_SUITE_P(
    Environments, AutostartFolder,
    testing::Values(FolderRow{"Set", "/cfg", "/home/a", "/cfg/autostart"},
                    FolderRow{"Unset", nullptr, "/home/a", "/home/a/.config/autostart"},
                    FolderRow{"Empty", "", "/home/a", "/home/a/.config/autostart"},
                    FolderRow{"Relative", "cfg", "/home/a", "/home/a/.config/autostart"},
                    FolderRow{"NoHomeEither", nullptr, nullptr, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- The Exec line

struct WordRow {
    const char* name;
    const char* path;
    const char* word;
};

class ExecWord : public testing::TestWithParam<WordRow> {};

TEST_P(ExecWord, QuotesOnlyWhatNeedsQuoting) {
    EXPECT_EQ(execWord(GetParam().path), GetParam().word);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ExecWord,
    testing::Values(WordRow{"Plain", "/opt/ombrix/ombrix", "/opt/ombrix/ombrix"},
                    WordRow{"Blank", "/opt/my apps/ombrix", "\"/opt/my apps/ombrix\""},
                    WordRow{"Percent", "/opt/100%/ombrix", "/opt/100%%/ombrix"},
                    WordRow{"Dollar", "/opt/$x/o", "\"/opt/\\$x/o\""},
                    WordRow{"Backslash", "/opt/a\\b", "\"/opt/a\\\\b\""},
                    WordRow{"DoubleQuote", "/opt/\"q\"/o", "\"/opt/\\\"q\\\"/o\""},
                    WordRow{"Backtick", "/opt/`x`", "\"/opt/\\`x\\`\""},
                    WordRow{"Semicolon", "/opt/a;b", "\"/opt/a;b\""}),
    [](const auto& info) { return std::string(info.param.name); });

// The entry read back as the desktop reads it starts exactly the bar, in its folder.
class EntryRoundTrip : public testing::TestWithParam<const char*> {};

TEST_P(EntryRoundTrip, StartsTheBarOfTheProgramFolder) {
    const std::filesystem::path folder = GetParam();
    const std::string text = autostartEntryText(folder, "/icons/key1.ico");
    const auto entry = parseDesktopEntry(text);
    ASSERT_TRUE(entry.has_value()) << text;
    EXPECT_EQ(entry->name, "Ombrix");
    EXPECT_EQ(entry->icon, "/icons/key1.ico");
    EXPECT_EQ(entry->path, folder.string());
    EXPECT_FALSE(entry->terminal);
    const auto argv = expandExec(*entry, "", "");
    ASSERT_TRUE(argv.has_value()) << entry->exec;
    EXPECT_EQ(*argv, std::vector<std::string>{(folder / "ombrix").string()}) << text;
    EXPECT_NE(text.find("Type=Application\n"), std::string::npos);
    EXPECT_NE(text.find("\nComment="), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Folders, EntryRoundTrip,
                         testing::Values("/opt/ombrix", "/home/anna/my programs/ombrix",
                                         "/opt/50% off", "/opt/back\\slash",
                                         "/opt/\"quoted\" $HOME `x`", "/opt/caffè",
                                         "/opt/new\nline"));

// ---- Making and removing the entry

struct AutostartPlace {
    TempFolder temp;
    std::filesystem::path program() const { return temp / "program folder"; }
    std::filesystem::path folder() const { return temp / "config/autostart"; }
    std::filesystem::path entry() const { return folder() / "ombrix.desktop"; }

    AutostartOutcome apply(bool startUp) const {
        return applyAutostart(startUp, program(), folder());
    }
};

struct Identity {
    ino_t inode;
    timespec modified;
    bool operator==(const Identity& o) const {
        return inode == o.inode && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec;
    }
};

Identity identityOf(const std::filesystem::path& file) {
    struct stat s {};
    ::stat(file.c_str(), &s);
    return {s.st_ino, s.st_mtim};
}

TEST(Autostart, TickedMakesTheFolderAndTheEntryOnceAndClearedRemovesIt) {
    AutostartPlace p;
    ASSERT_FALSE(std::filesystem::exists(p.temp / "config"));

    const AutostartOutcome made = p.apply(true);
    ASSERT_TRUE(made.ok) << made.message;
    EXPECT_EQ(made.change, AutostartChange::Written);
    EXPECT_EQ(readBytes(p.entry()), autostartEntryText(p.program(), "application-x-executable"))
        << "without key1.ico the entry shows a theme icon";
    const Identity first = identityOf(p.entry());

    const AutostartOutcome again = p.apply(true);
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.change, AutostartChange::Unchanged);
    EXPECT_EQ(identityOf(p.entry()), first) << "the second run does not touch the file";

    const AutostartOutcome removed = p.apply(false);
    ASSERT_TRUE(removed.ok) << removed.message;
    EXPECT_EQ(removed.change, AutostartChange::Removed);
    EXPECT_FALSE(std::filesystem::exists(p.entry()));
    EXPECT_TRUE(std::filesystem::is_directory(p.folder()));

    const AutostartOutcome removedAgain = p.apply(false);
    ASSERT_TRUE(removedAgain.ok);
    EXPECT_EQ(removedAgain.change, AutostartChange::Unchanged);
}

TEST(Autostart, AnEntryForAnotherPlaceIsReplacedAndTheOwnIconUsed) {
    AutostartPlace p;
    p.temp.write("config/autostart/ombrix.desktop", "[Desktop Entry]\nExec=/old/ombrix\n");
    p.temp.write("program folder/key1.ico", "icon");
    const AutostartOutcome made = p.apply(true);
    ASSERT_TRUE(made.ok) << made.message;
    EXPECT_EQ(made.change, AutostartChange::Written);
    EXPECT_EQ(readBytes(p.entry()),
              autostartEntryText(p.program(), (p.program() / "key1.ico").string()));
    struct stat s {};
    ::stat(p.entry().c_str(), &s);
    EXPECT_EQ(s.st_mode & 0777, 0644u);
}

TEST(Autostart, ClearedWithoutAnEntryCreatesNothing) {
    AutostartPlace p;
    const AutostartOutcome outcome = p.apply(false);
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.change, AutostartChange::Unchanged);
    EXPECT_FALSE(std::filesystem::exists(p.folder()));
}

struct BlockedRow {
    const char* name;
    bool startUp;
    const char* inTheWay; // a file ("f") or a folder with something in it ("d") at that place
    bool atEntry;         // at the entry's place rather than the folder's
};

class BlockedAutostart : public testing::TestWithParam<BlockedRow> {};

TEST_P(BlockedAutostart, IsReportedNamingThePlaceAndChangesNothing) {
    const BlockedRow& row = GetParam();
    AutostartPlace p;
    const auto place = row.atEntry ? p.entry() : p.folder();
    if (std::string(row.inTheWay) == "f")
        p.temp.write(std::filesystem::relative(place, p.temp.path()).string(), "in the way");
    else
        p.temp.write(std::filesystem::relative(place / "inside", p.temp.path()).string(), "x");

    const AutostartOutcome outcome = p.apply(row.startUp);
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.message.find(place.string()), std::string::npos) << outcome.message;
    if (std::string(row.inTheWay) == "f") {
        EXPECT_EQ(readBytes(place), "in the way");
    } else {
        EXPECT_EQ(readBytes(place / "inside"), "x");
    }
}

INSTANTIATE_TEST_SUITE_P(Obstacles, BlockedAutostart,
                         testing::Values(BlockedRow{"FileForTheFolder", true, "f", false},
                                         BlockedRow{"FolderForTheEntry", true, "d", true},
                                         BlockedRow{"FolderForTheEntryCleared", false, "d", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Autostart, NoFolderAtAllIsReported) {
    const AutostartOutcome outcome = applyAutostart(true, "/opt/ombrix", {});
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.message.empty());
}

// ---- The desktop's own checker

TEST(Autostart, TheDesktopsCheckerAcceptsTheEntry) {
    if (std::system("command -v desktop-file-validate >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "SKIPPED LOUDLY: desktop-file-validate is not installed (Debian package "
                        "desktop-file-utils); the autostart entry was not validated.";
    AutostartPlace p;
    p.temp.write("program folder/key1.ico", "icon");
    ASSERT_TRUE(p.apply(true).ok);
    const auto report = p.temp / "report";
    const std::string command =
        "desktop-file-validate '" + p.entry().string() + "' >'" + report.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << readBytes(report);
    EXPECT_EQ(readBytes(report), "") << "no warnings or hints either";
}

// ---- The helper program, run as the setup program runs it

struct RunRow {
    const char* name;
    const char* stored; // the StartUp setting, or null for no settings file
    bool entryBefore;
    bool blocked; // a file where the autostart folder belongs
    int exitCode;
    bool entryAfter;
};

class OStartUpProgram : public testing::TestWithParam<RunRow> {};

TEST_P(OStartUpProgram, FollowsTheStoredChoice) {
    const RunRow& row = GetParam();
    TempFolder temp;
    const auto config = temp / "config";
    if (row.stored)
        temp.write("config/Ombrix/Ombrix.conf",
                   std::string("[posizione]\nStartUp=") + row.stored + "\n");
    if (row.entryBefore)
        temp.write("config/autostart/ombrix.desktop", "[Desktop Entry]\n");
    if (row.blocked)
        temp.write("config/autostart", "in the way");
    const auto errors = temp / "errors";
    const std::string command = "env XDG_CONFIG_HOME='" + config.string() + "' HOME='" +
                                (temp / "home").string() + "' '" OSTARTUP "' 2>'" +
                                errors.string() + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "it ended by itself, not by a signal";
    EXPECT_EQ(WEXITSTATUS(status), row.exitCode) << readBytes(errors);
    const auto entry = config / "autostart/ombrix.desktop";
    EXPECT_EQ(std::filesystem::is_regular_file(entry), row.entryAfter);
    if (row.entryAfter) {
        const auto parsed = readDesktopEntry(entry);
        ASSERT_TRUE(parsed.has_value());
        const std::filesystem::path folder = std::filesystem::path(OSTARTUP).parent_path();
        EXPECT_EQ(parsed->path, folder.string());
        EXPECT_EQ(expandExec(*parsed, entry.string(), ""),
                  std::vector<std::string>{(folder / "ombrix").string()});
    }
    if (row.blocked) {
        EXPECT_NE(readBytes(errors).find((config / "autostart").string()), std::string::npos)
            << readBytes(errors);
    } else {
        EXPECT_EQ(readBytes(errors), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, OStartUpProgram,
                         testing::Values(RunRow{"Ticked", "True", false, false, 0, true},
                                         RunRow{"Cleared", "False", true, false, 0, false},
                                         RunRow{"NeverChosen", nullptr, true, false, 0, false},
                                         RunRow{"NotAChoice", "maybe", false, false, 0, false},
                                         RunRow{"TickedButBlocked", "True", false, true, 1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
