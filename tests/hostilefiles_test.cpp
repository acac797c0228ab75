// Files that are not what they seem: reads never wait and stay within their limit, writes
// never replace anything but a regular file.

#include "common/atomicfile.h"
#include "common/boundedread.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace ombrix;
namespace fs = std::filesystem;

namespace {

struct ReadCase {
    const char* name;
    // Makes the file at `file` in the folder; false when this machine cannot (not root).
    bool (*make)(const fs::path& file);
    std::optional<std::string> read; // with a limit of 16 bytes
};

class BoundedRead : public testing::TestWithParam<ReadCase> {};

bool nullDevice(const fs::path& file) {
    // A device node of its own needs the superuser; a link to /dev/zero is the same to a reader.
    if (::geteuid() == 0)
        return ::mknod(file.c_str(), S_IFCHR | 0600, makedev(1, 5)) == 0;
    fs::create_symlink("/dev/zero", file);
    return true;
}

} // namespace

TEST_P(BoundedRead, NeverWaitsAndStaysWithinTheLimit) {
    TempFolder folder;
    const fs::path file = folder / "file";
    if (!GetParam().make(file))
        GTEST_SKIP() << "this machine cannot make the file";
    EXPECT_EQ(readBoundedFile(file, 16), GetParam().read);
    const int fd = openBoundedFile(file, 16);
    EXPECT_EQ(fd >= 0, GetParam().read.has_value());
    if (fd >= 0)
        ::close(fd);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BoundedRead,
    testing::Values(
        ReadCase{"RegularFileWithinTheLimit",
                 [](const fs::path& f) { return writeFileAtomically(f, "sixteen bytes..!").ok; },
                 "sixteen bytes..!"},
        ReadCase{"EmptyFile", [](const fs::path& f) { return writeFileAtomically(f, "").ok; }, ""},
        ReadCase{"OneByteTooMany",
                 [](const fs::path& f) { return writeFileAtomically(f, "seventeen bytes!!").ok; },
                 std::nullopt},
        ReadCase{"SparseGigabyte",
                 [](const fs::path& f) {
                     return writeFileAtomically(f, "").ok && ::truncate(f.c_str(), 1L << 30) == 0;
                 },
                 std::nullopt},
        ReadCase{"FifoNobodyWrites",
                 [](const fs::path& f) { return ::mkfifo(f.c_str(), 0600) == 0; }, std::nullopt},
        ReadCase{"Device", nullDevice, std::nullopt},
        ReadCase{"Folder", [](const fs::path& f) { return fs::create_directory(f); }, std::nullopt},
        ReadCase{"Missing", [](const fs::path&) { return true; }, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct WriteCase {
    const char* name;
    bool (*make)(const TempFolder& folder, const fs::path& file);
    bool written;
};

class WriteOver : public testing::TestWithParam<WriteCase> {};

// A device, a FIFO or a folder in the way, or at the end of a link, is left as it is and the
// message names the file; a link to a regular file is followed.
TEST_P(WriteOver, ReplacesOnlyARegularFile) {
    TempFolder folder;
    const fs::path file = folder / "keypictures.cache";
    if (!GetParam().make(folder, file))
        GTEST_SKIP() << "this machine cannot make the file";
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    const WriteResult result = writeFileAtomically(file, "new");
    EXPECT_EQ(result.ok, GetParam().written) << result.message.text();
    struct stat after {};
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    if (GetParam().written) {
        EXPECT_EQ(readBytes(file), "new");
        return;
    }
    EXPECT_NE(result.message.text().find(file.string()), std::string::npos)
        << result.message.text();
    EXPECT_EQ(after.st_mode, before.st_mode) << "left alone";
    EXPECT_EQ(after.st_ino, before.st_ino) << "left alone";
    EXPECT_EQ(after.st_rdev, before.st_rdev) << "left alone";
}

INSTANTIATE_TEST_SUITE_P(Rows, WriteOver,
                         testing::Values(WriteCase{"LinkToARegularFile",
                                                   [](const TempFolder& d, const fs::path& f) {
                                                       d.write("real", "old");
                                                       fs::create_symlink(d / "real", f);
                                                       return true;
                                                   },
                                                   true},
                                         WriteCase{"LinkToDevNull",
                                                   [](const TempFolder&, const fs::path& f) {
                                                       fs::create_symlink("/dev/null", f);
                                                       return true;
                                                   },
                                                   false},
                                         WriteCase{"LinkToADeviceNodeOfItsOwn",
                                                   [](const TempFolder& d, const fs::path& f) {
                                                       if (::geteuid() != 0)
                                                           return false;
                                                       const fs::path node = d / "node";
                                                       fs::create_symlink(node, f);
                                                       return ::mknod(node.c_str(), S_IFCHR | 0600,
                                                                      makedev(1, 5)) == 0;
                                                   },
                                                   false},
                                         WriteCase{"Fifo",
                                                   [](const TempFolder&, const fs::path& f) {
                                                       return ::mkfifo(f.c_str(), 0600) == 0;
                                                   },
                                                   false},
                                         WriteCase{"Folder",
                                                   [](const TempFolder&, const fs::path& f) {
                                                       return fs::create_directory(f);
                                                   },
                                                   false}),
                         [](const auto& info) { return std::string(info.param.name); });
