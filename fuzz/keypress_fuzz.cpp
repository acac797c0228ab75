// Targets and the key-press plan, over a small tree of real programs, documents and desktop
// entries: a started program is an absolute path to an existing file, the document is one
// argument, and the target splits into a program and the rest exactly.
#include "check.h"

#include "common/keyaction.h"
#include "common/targets.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Files the fuzzer can find by name: the dictionary holds "/tmp/ombrix-fuzz/..." paths.
void makeTree() {
    const fs::path root = "/tmp/ombrix-fuzz";
    fs::create_directories(root / "my programs");
    fs::create_directories(root / "docs");
    const auto write = [&](const char* name, const char* text, bool runs) {
        std::ofstream(root / name) << text;
        ::chmod((root / name).c_str(), runs ? 0755 : 0644);
    };
    write("my programs/tool", "#!/bin/sh\n", true);
    write("my programs/setup.exe", "x", true);
    write("docs/a letter.txt", "x", false);
    write("docs/page.html", "x", false);
    write("viewer.desktop", "[Desktop Entry]\nExec=tool --open %f\n", false);
    write("shell.desktop", "[Desktop Entry]\nExec=sh -c \"tool %f\"\n", false);
    ::setenv("PATH", (root / "my programs").c_str(), 1);
}

std::string trimmed(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    makeTree();
    return 0;
}

// The input is a target and an argument separated by the first newline.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto newline = input.find('\n');
    const std::string_view target = input.substr(0, newline);
    const std::string_view argument =
        newline == std::string_view::npos ? std::string_view{} : input.substr(newline + 1);

    const std::string trimmedTarget = trimmed(target);
    const ombrix::TargetParts parts = ombrix::splitTarget(trimmedTarget);
    FUZZ_CHECK(std::string_view(trimmedTarget).starts_with(parts.program));
    FUZZ_CHECK(trimmed(std::string_view(trimmedTarget).substr(parts.program.size())) ==
               parts.document);

    for (const auto& rules : {ombrix::barKeyPress, ombrix::barCopyKeyPress}) {
        const ombrix::KeyAction action = ombrix::planKeyPress(target, argument, rules);
        if (action.kind == ombrix::KeyActionKind::Fail) {
            FUZZ_CHECK(action.errorNumber != 0);
            continue;
        }
        FUZZ_CHECK(action.errorNumber == 0);
        if (action.kind != ombrix::KeyActionKind::StartProgram)
            continue;
        FUZZ_CHECK(action.program.starts_with('/') && ombrix::fileExists(action.program));
        const std::string document = trimmed(argument).empty() ? parts.document : trimmed(argument);
        if (!ombrix::isDesktopEntry(parts.program)) {
            FUZZ_CHECK(action.arguments.size() == (document.empty() ? 0u : 1u));
            if (!document.empty())
                FUZZ_CHECK(fs::path(action.arguments[0]) == fs::absolute(document));
        }
    }
    return 0;
}
