// Prints what pressing a key with the given target and argument would do, for comparisons
// with other launchers:
//
//   planpress <target> [<argument>]
//
// The first line is "start" or "fail"; then records, each its length in bytes, a colon, the
// bytes and a newline: for a start the program, the working folder and each argument; for a
// failure the error number.
#include "common/keyaction.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

void record(std::string_view text) {
    std::printf("%zu:", text.size());
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::putchar('\n');
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: planpress <target> [<argument>]\n");
        return 2;
    }
    const ombrix::KeyAction action = ombrix::planKeyPress(argv[1], argc == 3 ? argv[2] : "");
    if (action.kind != ombrix::KeyActionKind::StartProgram) {
        std::printf("fail\n");
        record(std::to_string(action.errorNumber));
        return 0;
    }
    std::printf("start\n");
    record(action.program);
    record(action.workingDirectory);
    for (const std::string& argument : action.arguments)
        record(argument);
    return 0;
}
