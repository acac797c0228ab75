#include "common/targets.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace ombrix;

namespace {

struct WebCase {
    const char* name;
    const char* target;
    bool bar;
    bool barCopy;
};

class WebAddress : public testing::TestWithParam<WebCase> {};

TEST_P(WebAddress, IsToldByItsFirstCharacters) {
    EXPECT_EQ(isWebAddress(GetParam().target), GetParam().bar);
    EXPECT_EQ(isWebAddress(GetParam().target, WebSchemes::HttpAndHttps), GetParam().barCopy);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WebAddress,
    testing::Values(WebCase{"Http", "http://example.org", true, true},
                    WebCase{"AnyCase", "HtTp://example.org", true, true},
                    WebCase{"BareScheme", "http:", true, true},
                    WebCase{"SecureOnlyOnTheCopy", "https://example.org", false, true},
                    WebCase{"SecureAnyCase", "HTTPS://example.org", false, true},
                    WebCase{"NoColon", "http//example.org", false, false},
                    WebCase{"Ftp", "ftp://example.org", false, false},
                    WebCase{"Short", "htt", false, false}, WebCase{"Empty", "", false, false},
                    WebCase{"Program", "/usr/bin/http:", false, false}),
    [](const auto& info) { return info.param.name; });

} // namespace

TEST(ShutdownTarget, IsExactCaseOnly) {
    EXPECT_TRUE(isShutdownTarget("shl.ShutdownWindows"));
    EXPECT_FALSE(isShutdownTarget("shl.shutdownwindows"));
    EXPECT_FALSE(isShutdownTarget("shl.ShutdownWindows "));
    EXPECT_FALSE(isShutdownTarget(""));
}

TEST(FileExists, OnlyForRegularFiles) {
    TempFolder folder;
    const auto file = folder.write("a file", "x");
    std::filesystem::create_directory(folder / "folder");
    std::filesystem::create_symlink(file, folder / "link");
    std::filesystem::create_symlink(folder / "gone", folder / "dangling");

    EXPECT_TRUE(fileExists(file));
    EXPECT_TRUE(fileExists(folder / "link"));
    EXPECT_FALSE(fileExists(folder / "dangling"));
    EXPECT_FALSE(fileExists(folder / "folder"));
    EXPECT_FALSE(fileExists(folder / "missing"));
    EXPECT_FALSE(fileExists(""));
    EXPECT_FALSE(fileExists(folder / "a *"));
}

TEST(IsProgram, ByEndingEntryOrExecutableBit) {
    TempFolder folder;
    const auto script = folder.write("run", "#!/bin/sh\n");
    ::chmod(script.c_str(), 0755);
    const auto text = folder.write("notes.txt", "x");

    EXPECT_TRUE(isProgram("C:\\Apps\\setup.EXE"));
    EXPECT_TRUE(isProgram("start.bat"));
    EXPECT_TRUE(isProgram("old.com"));
    EXPECT_TRUE(isProgram("dos.pif"));
    EXPECT_TRUE(isProgram("/usr/share/applications/org.gnome.Terminal.desktop"));
    EXPECT_TRUE(isProgram(script));
    EXPECT_FALSE(isProgram(text));
    EXPECT_FALSE(isProgram(folder.path()));
    EXPECT_FALSE(isProgram(folder / "missing"));
}

TEST(IconSourcePath, CutsAfterTheFirstProgramEnding) {
    EXPECT_EQ(iconSourcePath("C:\\Apps\\edit.exe /n c:\\a.txt"), "C:\\Apps\\edit.exe");
    EXPECT_EQ(iconSourcePath("C:\\Apps\\RUN.BAT x"), "C:\\Apps\\RUN.BAT");
    EXPECT_EQ(iconSourcePath("a.com.exe"), "a.com.exe");
    EXPECT_EQ(iconSourcePath("/nowhere/tool --flag"), "/nowhere/tool --flag");
    EXPECT_EQ(iconSourcePath(""), "");
}

TEST(IconSourcePath, WithoutAnEndingTakesTheLongestExistingLeadingFile) {
    TempFolder folder;
    const auto program = folder.write("my tool", "#!/bin/sh\n");
    const auto longer = folder.write("my tool x", "#!/bin/sh\n");
    const std::string base = folder.path().string();

    EXPECT_EQ(iconSourcePath(base + "/my tool --help"), program.string());
    EXPECT_EQ(iconSourcePath(base + "/my tool x y"), longer.string());
    EXPECT_EQ(iconSourcePath(base + "/my tool"), program.string());
}

// Dots inside folder and file names: an ending counts only where a blank or the end follows,
// and a file that exists is the program. The key press and the key's icon agree.
struct DottedCase {
    const char* name;
    const char* target; // "@" stands for the test's folder
    const char* program;
    const char* document;
};

class DottedTarget : public testing::TestWithParam<DottedCase> {};

TEST_P(DottedTarget, FindsTheProgramWhereItsNameEnds) {
    TempFolder folder;
    folder.write("sites/example.com/run.sh", "#!/bin/sh\n");
    folder.write("my.com files/go", "#!/bin/sh\n");
    folder.write("tools/old.com", "x");
    const auto expand = [&](std::string text) {
        for (auto at = text.find('@'); at != std::string::npos; at = text.find('@'))
            text.replace(at, 1, folder.path().string());
        return text;
    };
    const auto& c = GetParam();
    const TargetParts parts = splitTarget(expand(c.target));
    EXPECT_EQ(parts.program, expand(c.program));
    EXPECT_EQ(parts.document, expand(c.document));
    EXPECT_EQ(iconSourcePath(expand(c.target)), parts.program);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DottedTarget,
    testing::Values(
        DottedCase{"FolderNamedLikeAProgram", "@/sites/example.com/run.sh",
                   "@/sites/example.com/run.sh", ""},
        DottedCase{"FolderNamedLikeAProgramWithADocument", "@/sites/example.com/run.sh @/a b.txt",
                   "@/sites/example.com/run.sh", "@/a b.txt"},
        DottedCase{"FolderWithABlankAfterItsDot", "@/my.com files/go x", "@/my.com files/go", "x"},
        DottedCase{"ExistingProgramByItsEnding", "@/tools/old.com doc", "@/tools/old.com", "doc"},
        DottedCase{"MissingFolderIsNoEnding", "/gone/example.com/run.sh",
                   "/gone/example.com/run.sh", ""},
        DottedCase{"EndingBeforeABlank", "C:\\web.com\\tool.exe -x", "C:\\web.com\\tool.exe", "-x"},
        DottedCase{"EndingAtTheEnd", "C:\\App.EXE", "C:\\App.EXE", ""}),
    [](const auto& info) { return info.param.name; });

TEST(SplitTarget, ProgramAndDocument) {
    TempFolder folder;
    const auto program = folder.write("bin/viewer", "#!/bin/sh\n");
    const std::string base = folder.path().string();

    const auto byEnding = splitTarget("C:\\Apps\\edit.exe   C:\\My Docs\\a b.txt ");
    EXPECT_EQ(byEnding.program, "C:\\Apps\\edit.exe");
    EXPECT_EQ(byEnding.document, "C:\\My Docs\\a b.txt");

    const auto pif = splitTarget("old.PIF doc");
    EXPECT_EQ(pif.program, "old.PIF");
    EXPECT_EQ(pif.document, "doc");

    const auto byFile = splitTarget(base + "/bin/viewer " + base + "/My Photos/cat.png");
    EXPECT_EQ(byFile.program, program.string());
    EXPECT_EQ(byFile.document, base + "/My Photos/cat.png");

    const auto alone = splitTarget(program.string());
    EXPECT_EQ(alone.program, program.string());
    EXPECT_EQ(alone.document, "");

    // Nothing names a file: the whole target is the program, which will be reported missing.
    const auto shell = splitTarget("/bin/true; touch pwned");
    EXPECT_EQ(shell.program + shell.document, "/bin/true; touch pwned");
}

TEST(IconFilePath, UsesTheKeyIndexFromZero) {
    EXPECT_EQ(iconFilePath("/opt/ombrix", 0), "/opt/ombrix/icons/icon0.ico");
    EXPECT_EQ(iconFilePath("/opt/ombrix", 127), "/opt/ombrix/icons/icon127.ico");
}
