#include "common/cp1252.h"
#include "common/keycount.h"
#include "common/keytable.h"
#include "recordbytes.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ombrix;

namespace {

// Key 1: a program with its own icon and a document, colour red (255.0 = 00 00 7F 43).
std::string programRecord() {
    return padded("/usr/bin/gedit", 250) + padded("/home/anna/notes.txt", 250) +
           littleEndian16(999) + padded("Edit", 6) + padded("Appunti/Notes", 36) +
           littleEndian16(0) + bytesOf({0x00, 0x00, 0x7F, 0x43});
}

// Key 2: never-set target and argument (NULs), a caption with Windows-1252 letters
// ("Caffè€" is 43 61 66 66 E8 80), the system grey colour (-2147483648.0 = 00 00 00 CF).
std::string captionRecord() {
    return nuls(250) + nuls(250) + littleEndian16(0) + "Caff\xE8\x80" + padded("", 36) +
           littleEndian16(0xFFFF) + bytesOf({0x00, 0x00, 0x00, 0xCF});
}

} // namespace

TEST(KeyRecordFile, AssembledRecordsReadFieldForField) {
    const std::string file = programRecord() + captionRecord();
    ASSERT_EQ(file.size(), 2 * keyRecordSize);

    const KeyRecord program = decodeKeyRecord(file.data());
    EXPECT_EQ(program.target.text(), "/usr/bin/gedit");
    EXPECT_EQ(program.argument.text(), "/home/anna/notes.txt");
    EXPECT_EQ(program.iconIndex, 999);
    EXPECT_EQ(program.caption.text(), "Edit");
    EXPECT_EQ(program.toolTip.text(), "Appunti/Notes");
    EXPECT_EQ(program.reserved, 0);
    EXPECT_EQ(program.backColor, 255.0f);

    const KeyRecord caption = decodeKeyRecord(file.data() + keyRecordSize);
    EXPECT_TRUE(caption.target.neverSet());
    EXPECT_EQ(caption.target.text(), "");
    EXPECT_EQ(caption.caption.text(), "Caffè€");
    EXPECT_EQ(caption.reserved, -1);
    EXPECT_EQ(caption.backColor, systemGreyColour);
}

TEST(KeyRecordFile, WriterReproducesAssembledBytesExactly) {
    const std::string file = programRecord() + captionRecord();
    const std::vector<KeyRecord> keys = {decodeKeyRecord(file.data()),
                                         decodeKeyRecord(file.data() + keyRecordSize)};
    EXPECT_EQ(encodeKeyTable(keys), file);

    TempFolder folder;
    ASSERT_TRUE(writeKeyTable(folder / "barra.dat", keys));
    EXPECT_EQ(readBytes(folder / "barra.dat"), file);
}

TEST(KeyRecordFile, FieldsAssignedInMemoryEncodeAsThePlatformStoresThem) {
    KeyRecord key;
    key.target.assign("/usr/bin/gedit");
    key.argument.assign("/home/anna/notes.txt");
    key.iconIndex = 999;
    key.caption.assign("Edit");
    key.toolTip.assign("Appunti/Notes");
    key.backColor = 255.0f;
    const std::vector<KeyRecord> keys = {key};
    EXPECT_EQ(encodeKeyTable(keys), programRecord());
}

TEST(KeyRecordFile, FullTableIs128RecordsOf550Bytes) {
    TempFolder folder;
    std::vector<KeyRecord> keys;
    for (int i = 0; i < maxKeys; ++i)
        keys.push_back(defaultKeyRecord(i));
    ASSERT_TRUE(writeKeyTable(keyTablePath(folder.path()), keys));
    EXPECT_EQ(std::filesystem::file_size(folder / "barra.dat"), 70400u);

    const auto back = readKeyTable(folder / "barra.dat", maxKeys);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, keys);
}

struct FixedTextCase {
    const char* name;
    std::string assigned;
    std::string storedBytes;
    std::string readBack;
};

class CaptionField : public testing::TestWithParam<FixedTextCase> {};

TEST_P(CaptionField, AssignsPaddedOrCutAndReadsTrimmed) {
    const auto& c = GetParam();
    const FixedText<6> field(c.assigned);
    EXPECT_EQ(std::string(field.bytes().begin(), field.bytes().end()), c.storedBytes);
    EXPECT_EQ(field.text(), c.readBack);
}

INSTANTIATE_TEST_SUITE_P(Rows, CaptionField,
                         testing::Values(FixedTextCase{"Short", "ab", "ab    ", "ab"},
                                         FixedTextCase{"Exact", "abcdef", "abcdef", "abcdef"},
                                         FixedTextCase{"CutToWidth", "abcdefgh", "abcdef",
                                                       "abcdef"},
                                         FixedTextCase{"InnerBlanksKept", " a b ", " a b  ", "a b"},
                                         FixedTextCase{"Blanks", "      ", "      ", ""},
                                         FixedTextCase{"Latin1", "né", "n\xE9    ", "né"},
                                         FixedTextCase{"NotInCodePage", "日本", "??    ", "??"},
                                         FixedTextCase{"CutAfterEncoding", "èèèèèèè",
                                                       "\xE8\xE8\xE8\xE8\xE8\xE8", "èèèèèè"}),
                         [](const auto& info) { return info.param.name; });

struct FaceCase {
    const char* name;
    std::string captionBytes;
    std::string face;
};

class CaptionFace : public testing::TestWithParam<FaceCase> {};

TEST_P(CaptionFace, EmptyCaptionsShowTheKeyNumber) {
    KeyRecord key;
    key.caption.setBytes(GetParam().captionBytes.data());
    EXPECT_EQ(captionFace(key, 6), GetParam().face);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CaptionFace,
    testing::Values(FaceCase{"SixBlanks", "      ", "7"},
                    FaceCase{"NulBytes", std::string(6, '\0'), "7"},
                    FaceCase{"BlanksThenNul", std::string("  \0\0\0\0", 6), "7"},
                    FaceCase{"TextThenNul", std::string("ab\0\0\0\0", 6), "ab"},
                    FaceCase{"Text", " Mail ", "Mail"}),
    [](const auto& info) { return info.param.name; });

TEST(DefaultKey, HoldsItsNumberWithALeadingBlankAndTheSystemGrey) {
    const KeyRecord key = defaultKeyRecord(11);
    EXPECT_EQ(std::string(key.caption.bytes().begin(), key.caption.bytes().end()), " 12   ");
    EXPECT_EQ(captionFace(key, 11), "12");
    EXPECT_EQ(key.iconIndex, 0);
    EXPECT_EQ(key.target.text(), "");
    EXPECT_FALSE(key.target.neverSet());
    EXPECT_EQ(key.backColor, systemGreyColour);
}

struct ColourCase {
    const char* name;
    float stored;
    std::optional<ColourValue> value;
};

class StoredColour : public testing::TestWithParam<ColourCase> {};

TEST_P(StoredColour, RoundsToNearestAndRefusesWhatNoIntegerHolds) {
    EXPECT_EQ(colourValueOf(GetParam().stored), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoredColour,
    testing::Values(ColourCase{"PlainRed", 255.0f, 255}, ColourCase{"White", 16777215.0f, 16777215},
                    ColourCase{"SystemGrey", systemGreyColour, std::numeric_limits<int>::min()},
                    ColourCase{"SystemColourRoundsToGrey", static_cast<float>(-2147483640),
                               std::numeric_limits<int>::min()},
                    ColourCase{"HalfToEvenDown", 2.5f, 2}, ColourCase{"HalfToEvenUp", 3.5f, 4},
                    ColourCase{"NoNumber", std::nanf(""), std::nullopt},
                    ColourCase{"Infinite", std::numeric_limits<float>::infinity(), std::nullopt},
                    ColourCase{"BeyondInt32", 3e9f, std::nullopt}),
    [](const auto& info) { return info.param.name; });

TEST(KeyTableReading, MissingShortAndOversizedFiles) {
    TempFolder folder;
    EXPECT_FALSE(readKeyTable(folder / "barra.dat", 8));

    const auto empty = readKeyTable(folder.write("empty.dat", ""), 8);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());

    // Two whole records and half of a third: the cut record is not read.
    const std::string twoAndAHalf =
        programRecord() + captionRecord() + programRecord().substr(0, 275);
    const auto shortFile = folder.write("short.dat", twoAndAHalf);
    EXPECT_EQ(readKeyTable(shortFile, 8)->size(), 2u);

    std::string oversized;
    for (int i = 0; i < 200; ++i)
        oversized += programRecord();
    EXPECT_EQ(readKeyTable(folder.write("big.dat", oversized), 128)->size(), 128u);
    EXPECT_EQ(readKeyTable(folder.write("big2.dat", oversized), 3)->size(), 3u);
}

TEST(KeyTableReading, KeysBeyondAShortFileShowTheirNumbers) {
    TempFolder folder;
    const auto file = folder.write("barra.dat", programRecord() + programRecord().substr(0, 100));
    const auto keys = loadKeys(file, 4);
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0].target.text(), "/usr/bin/gedit");
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(keys[i], defaultKeyRecord(i)) << "key " << i;

    const auto none = loadKeys(folder / "missing.dat", 3);
    ASSERT_EQ(none.size(), 3u);
    EXPECT_EQ(captionFace(none[2], 2), "3");
}

TEST(KeyTableReading, RandomBytesNeverBreakTheReader) {
    TempFolder folder;
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(random() % (3 * keyRecordSize), '\0');
        for (char& b : bytes)
            b = static_cast<char>(random());
        const auto keys = loadKeys(folder.write("random.dat", bytes), 5);
        ASSERT_EQ(keys.size(), 5u);
        for (const auto& key : keys) {
            // Texts always decode to valid UTF-8 and re-encode to at most their width.
            EXPECT_LE(utf8ToCp1252(key.caption.text()).size(), 6u);
            EXPECT_LE(utf8ToCp1252(key.target.text()).size(), 250u);
        }
    }
}

TEST(KeyTableWriting, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    TempFolder folder;
    const std::vector<KeyRecord> keys = {defaultKeyRecord(0)};

    const auto noFolder = writeKeyTable(folder / "missing" / "barra.dat", keys);
    EXPECT_FALSE(noFolder);
    EXPECT_NE(noFolder.message.text().find("barra.dat"), std::string::npos);

    // A folder standing where the table should go cannot be replaced by a file.
    std::filesystem::create_directories(folder / "barra.dat" / "inside");
    EXPECT_FALSE(writeKeyTable(folder / "barra.dat", keys));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "barra.dat" / "inside"));

    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++entries;
    EXPECT_EQ(entries, 1) << "a temporary file was left behind";
}

TEST(KeyTableWriting, ReplacesAnEarlierTableWhole) {
    TempFolder folder;
    const auto file = folder.write("barra.dat", std::string(5000, 'x'));
    const std::vector<KeyRecord> keys = {defaultKeyRecord(0), defaultKeyRecord(1)};
    ASSERT_TRUE(writeKeyTable(file, keys));
    EXPECT_EQ(std::filesystem::file_size(file), 2 * keyRecordSize);
    EXPECT_EQ(*readKeyTable(file, 128), keys);
}

TEST(KeyTableReading, HugeEndlessAndBlockingFilesCostNoMoreThanAFullTable) {
    TempFolder folder;
    const auto sparse = folder / "huge.dat";
    {
        std::ofstream out(sparse, std::ios::binary);
        out << programRecord();
    }
    std::filesystem::resize_file(sparse, std::uintmax_t{1} << 30);
    rusage before{};
    ::getrusage(RUSAGE_SELF, &before);
    const auto keys = readKeyTable(sparse, 1000);
    rusage after{};
    ::getrusage(RUSAGE_SELF, &after);
    ASSERT_TRUE(keys);
    EXPECT_EQ(keys->size(), 128u);
    EXPECT_EQ((*keys)[0].target.text(), "/usr/bin/gedit");
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024) << "KiB more at the peak";

    // Neither a device nor a FIFO without a writer is read, and neither holds the reader.
    std::filesystem::create_symlink("/dev/zero", folder / "zero.dat");
    ASSERT_EQ(::mkfifo((folder / "fifo.dat").c_str(), 0600), 0);
    for (const char* name : {"zero.dat", "fifo.dat"}) {
        EXPECT_FALSE(readKeyTable(folder / name, 128)) << name;
        EXPECT_EQ(loadKeys(folder / name, 2)[1], defaultKeyRecord(1)) << name;
        EXPECT_EQ(readKeyCount(folder / name), firstRunKeyCount) << name;
    }
}

// ---- The atomic writer keeps what the user set ----

class AtomicWrite : public testing::Test {
protected:
    std::filesystem::perms permsOf(const std::filesystem::path& file) const {
        return std::filesystem::status(file).permissions();
    }
    TempFolder folder_;
    const std::vector<KeyRecord> keys_ = {defaultKeyRecord(0)};
};

TEST_F(AtomicWrite, KeepsTheModeOfAPrivateTableAndRefusesAReadOnlyOne) {
    using std::filesystem::perms;
    const auto privateTable = folder_.write("private.dat", "old");
    std::filesystem::permissions(privateTable, perms::owner_read | perms::owner_write);
    ASSERT_TRUE(writeKeyTable(privateTable, keys_));
    EXPECT_EQ(permsOf(privateTable), perms::owner_read | perms::owner_write);
    EXPECT_EQ(readBytes(privateTable), encodeKeyTable(keys_));

    const auto readOnly = folder_.write("readonly.dat", "old");
    std::filesystem::permissions(readOnly,
                                 perms::owner_read | perms::group_read | perms::others_read);
    EXPECT_FALSE(writeKeyTable(readOnly, keys_));
    EXPECT_EQ(readBytes(readOnly), "old");

    const mode_t mask = ::umask(022);
    const auto fresh = folder_ / "fresh.dat";
    ASSERT_TRUE(writeKeyTable(fresh, keys_));
    ::umask(mask);
    EXPECT_EQ(permsOf(fresh),
              perms::owner_read | perms::owner_write | perms::group_read | perms::others_read);
}

TEST_F(AtomicWrite, WritesThroughASymbolicLinkToItsTarget) {
    const auto target = folder_.write("shared/barra.dat", "old");
    const auto link = folder_ / "barra.dat";
    std::filesystem::create_symlink("shared/barra.dat", link);
    ASSERT_TRUE(writeKeyTable(link, keys_));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(target), encodeKeyTable(keys_));
}

TEST_F(AtomicWrite, RemovesTheTemporaryFilesOfKilledWritesOnly) {
    const auto table = folder_ / "barra.dat";
    const std::string prefix = temporaryPrefixFor(table);
    const auto leftover = folder_.write(prefix + "Ab3xY9", "half a table");
    const auto living = folder_.write(prefix + "Zz0Zz0", "being written");
    const auto usersCopy = folder_.write("barra.dat.backup", "the user's");
    const int lock = ::open(living.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0) << "a writer that is still running holds its file";

    ASSERT_TRUE(writeKeyTable(table, keys_));
    ::close(lock);
    EXPECT_FALSE(std::filesystem::exists(leftover));
    EXPECT_TRUE(std::filesystem::exists(living));
    EXPECT_TRUE(std::filesystem::exists(usersCopy));
}
