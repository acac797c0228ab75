#include "common/keyaction.h"
#include "platform/launcher.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <sys/stat.h>
#include <thread>

using namespace ombrix;
using ombrix::platform::startProgram;
namespace fs = std::filesystem;

namespace {

// What the recorder saw: its working folder and its whole argv, argv[0] included.
struct Recorded {
    std::string folder;
    std::vector<std::string> argv;
};

// Reads the recorder's length-prefixed records; nothing when the file is malformed.
std::optional<Recorded> parseRecords(std::string_view text) {
    std::vector<std::string> records;
    while (!text.empty()) {
        const auto colon = text.find(':');
        if (colon == std::string_view::npos)
            return std::nullopt;
        const std::size_t length = std::stoul(std::string(text.substr(0, colon)));
        if (colon + 1 + length >= text.size() || text[colon + 1 + length] != '\n')
            return std::nullopt;
        records.emplace_back(text.substr(colon + 1, length));
        text.remove_prefix(colon + 2 + length);
    }
    if (records.empty())
        return std::nullopt;
    return Recorded{records.front(), {records.begin() + 1, records.end()}};
}

// The recorder's file, waited for at most five seconds.
std::optional<Recorded> waitForRecord(const fs::path& file) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!fs::exists(file)) {
        if (std::chrono::steady_clock::now() > deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return parseRecords(readBytes(file));
}

std::vector<std::string> argumentsOf(const Recorded& recorded) {
    return {recorded.argv.begin() + 1, recorded.argv.end()};
}

class Launch : public testing::Test {
protected:
    void SetUp() override {
        output_ = folder_ / "record";
        ::setenv("ARGRECORDER_OUT", output_.c_str(), 1);
    }
    void TearDown() override { ::unsetenv("ARGRECORDER_OUT"); }

    // A copy of the recorder at `name` inside the test folder.
    std::string recorderAt(std::string_view name) const {
        const fs::path copy = folder_ / name;
        fs::create_directories(copy.parent_path());
        fs::copy_file(ARGRECORDER, copy);
        ::chmod(copy.c_str(), 0755);
        return copy.string();
    }

    std::string realFolder(std::string_view name) const { return fs::canonical(folder_ / name); }

    // Starts what a key press planned, as the bar does, and returns what the program saw.
    std::optional<Recorded> pressAndRecord(const KeyAction& action) const {
        EXPECT_EQ(action.kind, KeyActionKind::StartProgram) << errorMessage(action.errorNumber);
        if (action.kind != KeyActionKind::StartProgram)
            return std::nullopt;
        EXPECT_EQ(startProgram(action.program, action.arguments, action.workingDirectory), 0);
        return waitForRecord(output_);
    }

    TempFolder folder_;
    fs::path output_;
};

TEST_F(Launch, ProgramInFolderWithBlanksGetsItsDocumentAsOneArgument) {
    const std::string program = recorderAt("My Programs/recorder");
    const auto document = folder_.write("My Docs/a letter\nwith lines.txt", "x").string();

    const auto recorded = pressAndRecord(planKeyPress(program, document));

    ASSERT_TRUE(recorded);
    EXPECT_EQ(argumentsOf(*recorded), std::vector<std::string>{document});
    EXPECT_EQ(recorded->folder, realFolder("My Programs"));
}

TEST_F(Launch, DocumentNamedLikeShellCommandsStaysText) {
    const std::string program = recorderAt("bin/recorder");
    const auto document = folder_.write("$(touch pwned); `touch pwned` | x > y.txt", "x").string();

    const auto recorded = pressAndRecord(planKeyPress(program, document));

    ASSERT_TRUE(recorded);
    EXPECT_EQ(argumentsOf(*recorded), std::vector<std::string>{document});
    EXPECT_FALSE(fs::exists(folder_ / "bin" / "pwned"));
    EXPECT_FALSE(fs::exists(folder_ / "y.txt"));
}

TEST_F(Launch, DesktopEntryWithQuotingAndFileCode) {
    const std::string program = recorderAt("My Programs/recorder");
    fs::create_directories(folder_ / "Work Folder");
    const auto document = folder_.write("My Docs/a letter.txt", "x").string();
    const auto entry = folder_.write(
        "apps/recorder.desktop",
        "[Desktop Entry]\nType=Application\nName=Recorder\nName[it]=Registratore\nIcon=rec\n"
        "Exec=\"" +
            program +
            "\" --title=%c \"two  words\" \"back\\\\\\\\slash \\\\$HOME\" %i %f\n"
            "Path=" +
            (folder_ / "Work Folder").string() + "\n");

    const auto recorded = pressAndRecord(planKeyPress(entry.string(), document));

    ASSERT_TRUE(recorded);
    EXPECT_EQ(argumentsOf(*recorded),
              (std::vector<std::string>{"--title=Recorder", "two  words", "back\\slash $HOME",
                                        "--icon", "rec", document}));
    EXPECT_EQ(recorded->folder, realFolder("Work Folder"));
}

TEST_F(Launch, ShellCommandIsAMissingFile) {
    const std::string command = "/bin/true; touch pwned";
    const fs::path before = fs::current_path();
    fs::current_path(folder_.path());

    const KeyAction planned = planKeyPress(command, "");
    const int started = startProgram(command, {}, folder_.path().string());
    const int startedHere = startProgram(command, {}, "");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    fs::current_path(before);

    EXPECT_EQ(planned.kind, KeyActionKind::Fail);
    EXPECT_EQ(planned.errorNumber, errorFileNotFound);
    EXPECT_EQ(started, errorFileNotFound);
    EXPECT_EQ(startedHere, errorFileNotFound);
    EXPECT_FALSE(fs::exists(folder_ / "pwned"));
}

TEST_F(Launch, BareNameIsFoundOnPath) {
    EXPECT_EQ(startProgram("true", {}, ""), 0);
}

// ---- Why a start fails ----

struct FailureCase {
    const char* name;
    std::string program; // "{recorder}" and "{d}" stand for the recorder and the test folder
    std::string folder;
    int expected;
};

class StartFailures : public Launch, public testing::WithParamInterface<FailureCase> {
protected:
    std::string at(std::string text) const {
        for (const auto& [mark, value] :
             {std::pair<std::string, std::string>{"{recorder}", ARGRECORDER},
              {"{d}", folder_.path().string()}}) {
            for (auto pos = text.find(mark); pos != std::string::npos; pos = text.find(mark))
                text.replace(pos, mark.size(), value);
        }
        return text;
    }
};

TEST_P(StartFailures, GiveTheirNumber) {
    folder_.write("text.txt", "x");
    ::chmod(folder_
                .write("not a program", "\x7f"
                                        "ELF garbage")
                .c_str(),
            0755);

    EXPECT_EQ(startProgram(at(GetParam().program), {}, at(GetParam().folder)), GetParam().expected);
    EXPECT_FALSE(fs::exists(output_)) << "the recorder must not have run";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StartFailures,
    testing::Values(
        FailureCase{"MissingProgram", "{d}/gone", "", errorFileNotFound},
        FailureCase{"NameNotOnPath", "no-such-program-here", "", errorFileNotFound},
        FailureCase{"FolderAsProgram", "{d}", "", errorFileNotFound},
        FailureCase{"NotExecutable", "{d}/text.txt", "", errorPermissionDenied},
        FailureCase{"MissingWorkingFolder", "{recorder}", "{d}/gone", errorPathNotFound},
        FailureCase{"WorkingFolderIsAFile", "{recorder}", "{d}/text.txt", errorPathNotFound},
        FailureCase{"CannotBeLoaded", "{d}/not a program", "", errorOther}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
