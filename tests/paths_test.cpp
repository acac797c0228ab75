#include "platform/paths.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using ombrix::platform::dataFolder;

namespace {

enum class Marker { File, Folder, None };

struct DataFolderCase {
    const char* name;
    Marker marker;
    const char* xdgDataHome; // null: unset
    const char* expected;    // "program" for the program folder itself
};

class DataFolder : public testing::TestWithParam<DataFolderCase> {};

TEST_P(DataFolder, IsBesideTheProgramsOnlyInAPortableFolder) {
    const DataFolderCase& row = GetParam();
    TempFolder program;
    if (row.marker == Marker::File)
        program.write("portable", "portable\n");
    if (row.marker == Marker::Folder)
        fs::create_directory(program / "portable");

    const fs::path got = dataFolder(program.path(), row.xdgDataHome, "/home/u");
    const fs::path expected =
        std::string_view(row.expected) == "program" ? program.path() : fs::path(row.expected);
    EXPECT_EQ(got, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DataFolder,
    testing::Values(
        DataFolderCase{"PortableIgnoresXdg", Marker::File, "/x/data", "program"},
        DataFolderCase{"InstalledUsesXdgDataHome", Marker::None, "/x/data", "/x/data/Ombrix"},
        DataFolderCase{"InstalledWithoutXdgUsesHome", Marker::None, nullptr,
                       "/home/u/.local/share/Ombrix"},
        DataFolderCase{"EmptyXdgMeansHome", Marker::None, "", "/home/u/.local/share/Ombrix"},
        DataFolderCase{"RelativeXdgMeansHome", Marker::None, "data", "/home/u/.local/share/Ombrix"},
        DataFolderCase{"AFolderNamedLikeTheMarkerIsNoMarker", Marker::Folder, "/x/data",
                       "/x/data/Ombrix"}),
    [](const testing::TestParamInfo<DataFolderCase>& info) { return info.param.name; });

} // namespace
