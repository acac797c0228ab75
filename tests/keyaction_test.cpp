#include "common/keyaction.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

using namespace ombrix;

namespace ombrix {
void PrintTo(const KeyAction& a, std::ostream* os) {
    static const char* kinds[] = {"OpenWebAddress", "ShutDown", "StartProgram", "Fail"};
    *os << "{" << kinds[static_cast<int>(a.kind)] << " url=" << testing::PrintToString(a.url)
        << " program=" << testing::PrintToString(a.program)
        << " arguments=" << testing::PrintToString(a.arguments)
        << " workingDirectory=" << testing::PrintToString(a.workingDirectory)
        << " error=" << a.errorNumber << " alsoOpen=" << testing::PrintToString(a.alsoOpen) << "}";
}
} // namespace ombrix

namespace {

const auto rowName = [](const auto& info) { return std::string(info.param.name); };

KeyAction web(std::string url) {
    KeyAction action;
    action.kind = KeyActionKind::OpenWebAddress;
    action.url = std::move(url);
    return action;
}

KeyAction shutDown() {
    KeyAction action;
    action.kind = KeyActionKind::ShutDown;
    return action;
}

KeyAction fail(int number, std::string alsoOpen = {}) {
    KeyAction action;
    action.errorNumber = number;
    action.alsoOpen = std::move(alsoOpen);
    return action;
}

KeyAction start(std::string program, std::vector<std::string> arguments, std::string folder,
                std::string alsoOpen = {}) {
    KeyAction action;
    action.kind = KeyActionKind::StartProgram;
    action.program = std::move(program);
    action.arguments = std::move(arguments);
    action.workingDirectory = std::move(folder);
    action.alsoOpen = std::move(alsoOpen);
    return action;
}

// ---- Web addresses, the shut-down key and empty targets: no files involved ----

struct WordCase {
    const char* name;
    std::string target;
    KeyPressRules rules;
    KeyAction expected;
};

class PlainTargets : public testing::TestWithParam<WordCase> {};

TEST_P(PlainTargets, AreToldByTheirText) {
    EXPECT_EQ(planKeyPress(GetParam().target, "", GetParam().rules), GetParam().expected);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Rows, PlainTargets,
    testing::Values(WordCase{"WebAddress", "http://example.org/a b", barKeyPress,
                             web("http://example.org/a b")},
                    WordCase{"WebAddressTrimmed", "   HTTP://example.org   ", barKeyPress,
                             web("HTTP://example.org")},
                    WordCase{"WebAddressEndsAtNul", "http://example.org\0stale"s, barKeyPress,
                             web("http://example.org")},
                    WordCase{"OldPlatformBackslashes", "http:\\\\host\\a\\p?q=\\x", barKeyPress,
                             web("http://host/a/p?q=\\x")},
                    WordCase{"OldPlatformBackslashesOnTheCopy", "https:\\\\host\\p",
                             barCopyKeyPress, web("https://host/p")},
                    WordCase{"SecureAddressIsAProgramOnTheBar", "https://example.org", barKeyPress,
                             fail(errorFileNotFound)},
                    WordCase{"SecureAddressOnTheCopy", "https://example.org", barCopyKeyPress,
                             web("https://example.org")},
                    WordCase{"ShutDown", "shl.ShutdownWindows", barKeyPress, shutDown()},
                    WordCase{"ShutDownPadded", "  shl.ShutdownWindows     ", barKeyPress,
                             shutDown()},
                    WordCase{"ShutDownIsExactCase", "shl.shutdownwindows", barKeyPress,
                             fail(errorFileNotFound)},
                    WordCase{"Empty", "", barKeyPress, fail(errorFileNotFound)},
                    WordCase{"Blanks", "      ", barKeyPress, fail(errorFileNotFound)},
                    WordCase{"NeverSet", "\0\0\0\0"s, barKeyPress, fail(errorFileNotFound)},
                    WordCase{"LeadingNulHidesText", "\0http://example.org"s, barKeyPress,
                             fail(errorFileNotFound)},
                    WordCase{"ShellCommandIsNoFile", "/bin/true; touch pwned", barKeyPress,
                             fail(errorFileNotFound)}),
    rowName);

// ---- Targets that name files: a tree of programs, documents and desktop entries ----

// "{d}" in a row stands for the test's folder.
class KeyTree : public testing::Test {
protected:
    void SetUp() override {
        executable("My Programs/tool");
        executable("My Programs/setup.exe");
        executable("My Programs/START.BAT");
        executable("My Programs/old.pif");
        executable("My Programs/run.html");
        executable("bin/pathtool");
        executable("bin/x-terminal-emulator");
        folder_.write("bin/plain", "x");
        folder_.write("My Programs/legacy.exe", "x");
        folder_.write("My Docs/a letter.txt", "x");
        folder_.write("My Docs/page.html", "x");
        folder_.write("My Docs/INDEX.HTM", "x");
        folder_.write("notes.txt", "x");
        std::filesystem::create_directories(folder_ / "home");
        writeEntries();
        keepEnvironment("PATH", savedPath_);
        keepEnvironment("HOME", savedHome_);
        ::setenv("PATH", at("{d}/bin").c_str(), 1);
        ::setenv("HOME", at("{d}/home").c_str(), 1);
    }

    void TearDown() override {
        restoreEnvironment("PATH", savedPath_);
        restoreEnvironment("HOME", savedHome_);
    }

    std::string at(std::string_view text) const {
        std::string result(text);
        for (auto pos = result.find("{d}"); pos != std::string::npos; pos = result.find("{d}"))
            result.replace(pos, 3, folder_.path().string());
        return result;
    }

    KeyAction at(KeyAction action) const {
        action.program = at(action.program);
        for (std::string& argument : action.arguments)
            argument = at(argument);
        action.workingDirectory = at(action.workingDirectory);
        action.alsoOpen = at(action.alsoOpen);
        return action;
    }

    TempFolder folder_;

private:
    void executable(std::string_view name) {
        ::chmod(folder_.write(name, "#!/bin/sh\n").c_str(), 0755);
    }

    void entry(std::string_view name, std::string_view lines) {
        folder_.write("apps/" + std::string(name) + ".desktop",
                      at("[Desktop Entry]\nType=Application\n" + std::string(lines)));
    }

    void writeEntries() {
        entry("editor", "Name=Editor\nExec=\"{d}/My Programs/tool\" --open %f\nPath={d}/My Docs\n");
        entry("onpath", "Name=On Path\nExec=pathtool %U --name %c\n");
        entry("noexec", "Name=Nothing\n");
        entry("badquote", "Exec=\"pathtool %f\n");
        entry("badcode", "Exec=pathtool %x\n");
        entry("gonefolder", "Exec=pathtool\nPath={d}/gone\n");
        entry("missingprogram", "Exec=no-such-program-here\n");
        entry("plainfile", "Exec=plain\n");
        entry("tryexec", "Exec=pathtool\nTryExec=no-such-program-here\n");
        entry("terminal", "Exec=pathtool %f\nTerminal=true\n");
        entry("shellline", "Exec=sh -c \"pathtool %f\"\n");
    }

    static void keepEnvironment(const char* name, std::optional<std::string>& saved) {
        const char* value = std::getenv(name);
        saved = value ? std::optional<std::string>(value) : std::nullopt;
    }

    static void restoreEnvironment(const char* name, const std::optional<std::string>& saved) {
        if (saved)
            ::setenv(name, saved->c_str(), 1);
        else
            ::unsetenv(name);
    }

    std::optional<std::string> savedPath_;
    std::optional<std::string> savedHome_;
};

struct FileCase {
    const char* name;
    std::string target;
    std::string argument;
    KeyAction expected;
    KeyPressRules rules = barKeyPress;
};

class ProgramStarts : public KeyTree, public testing::WithParamInterface<FileCase> {};

TEST_P(ProgramStarts, StartInTheRightFolderWithOneDocument) {
    const FileCase& row = GetParam();
    EXPECT_EQ(planKeyPress(at(row.target), at(row.argument), row.rules), at(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProgramStarts,
    testing::Values(
        FileCase{"ExecutableInItsFolder", "{d}/My Programs/tool", "",
                 start("{d}/My Programs/tool", {}, "{d}/My Programs")},
        FileCase{"DocumentWithBlanksIsOneArgument", "{d}/My Programs/tool",
                 "{d}/My Docs/a letter.txt",
                 start("{d}/My Programs/tool", {"{d}/My Docs/a letter.txt"}, "{d}/My Programs")},
        FileCase{"DocumentStoredInTheTarget", "{d}/My Programs/tool {d}/My Docs/a letter.txt", "",
                 start("{d}/My Programs/tool", {"{d}/My Docs/a letter.txt"}, "{d}/My Programs")},
        FileCase{"ArgumentReplacesTheTargetsDocument", "{d}/My Programs/tool {d}/notes.txt",
                 "{d}/My Docs/a letter.txt",
                 start("{d}/My Programs/tool", {"{d}/My Docs/a letter.txt"}, "{d}/My Programs")},
        FileCase{
            "ExeWithDocument", "{d}/My Programs/setup.exe {d}/My Docs/a letter.txt", "",
            start("{d}/My Programs/setup.exe", {"{d}/My Docs/a letter.txt"}, "{d}/My Programs")},
        FileCase{"BatInAnyCase", "{d}/My Programs/START.BAT", "",
                 start("{d}/My Programs/START.BAT", {}, "{d}/My Programs")},
        FileCase{"PifKeepsTheBarsFolder", "{d}/My Programs/old.pif", "",
                 start("{d}/My Programs/old.pif", {}, "")},
        FileCase{"PaddedFields", "   {d}/My Programs/tool      ",
                 std::string("  {d}/notes.txt  \0\0", 19),
                 start("{d}/My Programs/tool", {"{d}/notes.txt"}, "{d}/My Programs")},
        FileCase{"ArgumentNeverSet", "{d}/My Programs/tool", std::string("\0\0\0", 3),
                 start("{d}/My Programs/tool", {}, "{d}/My Programs")}),
    rowName);

class Failures : public KeyTree, public testing::WithParamInterface<FileCase> {};

TEST_P(Failures, EndWithTheirNumber) {
    const FileCase& row = GetParam();
    EXPECT_EQ(planKeyPress(at(row.target), at(row.argument), row.rules), at(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Failures,
    testing::Values(FileCase{"MissingProgram", "{d}/My Programs/gone", "", fail(errorFileNotFound)},
                    FileCase{"ProgramIsAFolder", "{d}/My Programs", "", fail(errorFileNotFound)},
                    FileCase{"ShellCommandAfterAProgram", "{d}/My Programs/tool; touch pwned", "",
                             fail(errorFileNotFound)},
                    FileCase{"MissingDocumentInArgument", "{d}/My Programs/tool",
                             "{d}/My Docs/gone.txt", fail(errorFileNotFound)},
                    FileCase{"MissingDocumentInTarget",
                             "{d}/My Programs/setup.exe {d}/My Docs/gone.txt", "",
                             fail(errorFileNotFound)},
                    FileCase{"DocumentIsAFolder", "{d}/My Programs/tool", "{d}/My Docs",
                             fail(errorFileNotFound)},
                    FileCase{"FileThatMayNotRun", "{d}/notes.txt", "", fail(errorPermissionDenied)},
                    FileCase{"ExeThatMayNotRun", "{d}/My Programs/legacy.exe", "",
                             fail(errorPermissionDenied)}),
    rowName);

class DesktopEntries : public KeyTree, public testing::WithParamInterface<FileCase> {};

TEST_P(DesktopEntries, StartFromTheirExecLine) {
    const FileCase& row = GetParam();
    EXPECT_EQ(planKeyPress(at(row.target), at(row.argument), row.rules), at(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DesktopEntries,
    testing::Values(
        FileCase{
            "QuotedProgramWithDocument", "{d}/apps/editor.desktop", "{d}/My Docs/a letter.txt",
            start("{d}/My Programs/tool", {"--open", "{d}/My Docs/a letter.txt"}, "{d}/My Docs")},
        FileCase{"DocumentStoredInTheTarget", "{d}/apps/editor.desktop {d}/notes.txt", "",
                 start("{d}/My Programs/tool", {"--open", "{d}/notes.txt"}, "{d}/My Docs")},
        FileCase{"WithoutDocument", "{d}/apps/editor.desktop", "",
                 start("{d}/My Programs/tool", {"--open"}, "{d}/My Docs")},
        FileCase{"ProgramOnPathStartsAtHome", "{d}/apps/onpath.desktop", "",
                 start("{d}/bin/pathtool", {"--name", "On Path"}, "{d}/home")},
        FileCase{"TerminalProgram", "{d}/apps/terminal.desktop", "{d}/notes.txt",
                 start("{d}/bin/x-terminal-emulator", {"-e", "{d}/bin/pathtool", "{d}/notes.txt"},
                       "{d}/home")},
        FileCase{"NoExecLine", "{d}/apps/noexec.desktop", "", fail(errorOther)},
        FileCase{"UnbalancedQuote", "{d}/apps/badquote.desktop", "", fail(errorOther)},
        FileCase{"UnknownFieldCode", "{d}/apps/badcode.desktop", "", fail(errorOther)},
        FileCase{"DocumentInAShellLine", "{d}/apps/shellline.desktop", "{d}/notes.txt",
                 fail(errorOther)},
        FileCase{"MissingPathFolder", "{d}/apps/gonefolder.desktop", "", fail(errorPathNotFound)},
        FileCase{"ProgramNotOnPath", "{d}/apps/missingprogram.desktop", "",
                 fail(errorFileNotFound)},
        FileCase{"ProgramOnPathMayNotRun", "{d}/apps/plainfile.desktop", "",
                 fail(errorPermissionDenied)},
        FileCase{"TryExecMissing", "{d}/apps/tryexec.desktop", "", fail(errorFileNotFound)},
        FileCase{"MissingDocument", "{d}/apps/editor.desktop", "{d}/gone.txt",
                 fail(errorFileNotFound)},
        FileCase{"MissingEntry", "{d}/apps/gone.desktop", "", fail(errorFileNotFound)}),
    rowName);

TEST_F(KeyTree, HomeFolderThatIsGoneFails) {
    ::setenv("HOME", at("{d}/gone").c_str(), 1);
    EXPECT_EQ(planKeyPress(at("{d}/apps/onpath.desktop"), ""), fail(errorPathNotFound));
}

TEST_F(KeyTree, ATerminalProgramWithoutATerminalDoesNotStart) {
    std::filesystem::remove(at("{d}/bin/x-terminal-emulator"));
    EXPECT_EQ(planKeyPress(at("{d}/apps/terminal.desktop"), ""), fail(errorOther));
}

TEST_F(KeyTree, UnreadableEntryMayNotRun) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "every file is readable to the superuser";
    ::chmod(at("{d}/apps/editor.desktop").c_str(), 0);
    EXPECT_EQ(planKeyPress(at("{d}/apps/editor.desktop"), ""), fail(errorPermissionDenied));
}

class HtmlPages : public KeyTree, public testing::WithParamInterface<FileCase> {};

TEST_P(HtmlPages, OpenOnTheCopyBeforeTheStartStep) {
    const FileCase& row = GetParam();
    EXPECT_EQ(planKeyPress(at(row.target), at(row.argument), row.rules), at(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HtmlPages,
    testing::Values(
        FileCase{"PageOnTheCopyOpensThenFails", "{d}/My Docs/page.html", "",
                 fail(errorPermissionDenied, "{d}/My Docs/page.html"), barCopyKeyPress},
        FileCase{"PageOnTheBarOnlyFails", "{d}/My Docs/page.html", "", fail(errorPermissionDenied)},
        FileCase{"HtmInAnyCase", "{d}/My Docs/INDEX.HTM", "",
                 fail(errorPermissionDenied, "{d}/My Docs/INDEX.HTM"), barCopyKeyPress},
        FileCase{"MissingPageOpensNothing", "{d}/My Docs/gone.html", "", fail(errorFileNotFound),
                 barCopyKeyPress},
        FileCase{"PageOpensEvenWhenTheDocumentIsMissing", "{d}/My Docs/page.html", "{d}/gone.txt",
                 fail(errorFileNotFound, "{d}/My Docs/page.html"), barCopyKeyPress},
        FileCase{
            "RunnablePageOpensAndStarts", "{d}/My Programs/run.html", "",
            start("{d}/My Programs/run.html", {}, "{d}/My Programs", "{d}/My Programs/run.html"),
            barCopyKeyPress},
        FileCase{"OtherFilesOpenNothing", "{d}/notes.txt", "", fail(errorPermissionDenied),
                 barCopyKeyPress}),
    rowName);

// ---- What the press leaves behind ----

TEST(CloseBar, AfterOpeningOrStartingOnly) {
    EXPECT_TRUE(closesBar(web("http://example.org")));
    EXPECT_TRUE(closesBar(start("/bin/true", {}, "/bin")));
    EXPECT_FALSE(closesBar(shutDown()));
    EXPECT_FALSE(closesBar(fail(errorFileNotFound)));
    EXPECT_FALSE(closesBar(fail(errorPermissionDenied, "/srv/page.html")));
}

TEST(ErrorMessage, PutsTwoBlanksBeforeTheNumber) {
    EXPECT_EQ(errorMessage(errorFileNotFound), "Error:  53");
    EXPECT_EQ(errorMessage(errorOther), "Error:  5");
    EXPECT_EQ(errorMessage(errorPathNotFound), "Error:  76");
    EXPECT_EQ(errorMessage(-1), "Error: -1");
}

} // namespace
