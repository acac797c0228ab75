// Records how it was started: its working folder, then each of its arguments (argv[0] first),
// into the file named by ARGRECORDER_OUT. Each record is its length in bytes, a colon, the
// bytes and a newline, so blanks and newlines inside an argument survive. The file appears
// whole: it is written under another name and then renamed.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace {

void appendRecord(std::string& out, std::string_view text) {
    out += std::to_string(text.size());
    out += ':';
    out += text;
    out += '\n';
}

} // namespace

int main(int argc, char** argv) {
    const char* outName = std::getenv("ARGRECORDER_OUT");
    if (!outName || !*outName)
        return 2;
    std::error_code error;
    const std::string folder = std::filesystem::current_path(error).string();
    std::string records;
    appendRecord(records, folder);
    for (int i = 0; i < argc; ++i)
        appendRecord(records, argv[i]);

    const std::string partName = std::string(outName) + ".part";
    {
        std::ofstream out(partName, std::ios::binary);
        out << records;
        if (!out.flush())
            return 1;
    }
    return std::rename(partName.c_str(), outName) == 0 ? 0 : 1;
}
