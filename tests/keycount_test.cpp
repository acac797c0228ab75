#include "common/keycount.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

using namespace ombrix;

namespace {

std::string fileWithCount(float count, std::size_t size = keyCountFileSize) {
    std::string bytes(size, '\0');
    const auto bits = std::bit_cast<std::uint32_t>(count);
    for (int i = 0; i < 4; ++i)
        bytes[keyCountOffset + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    return bytes;
}

struct CountCase {
    const char* name;
    float stored;
    float used;
};

class StoredKeyCount : public testing::TestWithParam<CountCase> {};

} // namespace

TEST_P(StoredKeyCount, ReachesTheProgramsAsAWholeNumberFrom1To128) {
    TempFolder folder;
    const auto file = folder.write("keycount.stm", fileWithCount(GetParam().stored));
    EXPECT_EQ(readKeyCount(file), GetParam().used);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoredKeyCount,
    testing::Values(
        CountCase{"One", 1, 1}, CountCase{"Typical", 24, 24}, CountCase{"Full", 128, 128},
        CountCase{"Zero", 0, 1}, CountCase{"Negative", -3, 1}, CountCase{"TooMany", 500, 128},
        CountCase{"FractionUp", 12.7f, 13}, CountCase{"FractionDown", 12.2f, 12},
        CountCase{"HalfGoesUp", 12.5f, 13},
        CountCase{"NoNumber", std::numeric_limits<float>::quiet_NaN(), firstRunKeyCount},
        CountCase{"Infinity", std::numeric_limits<float>::infinity(), firstRunKeyCount},
        CountCase{"MinusInfinity", -std::numeric_limits<float>::infinity(), firstRunKeyCount},
        CountCase{"Huge", 3e38f, 128}),
    [](const auto& info) { return info.param.name; });

TEST(KeyCountFile, MissingOrShortFilesGiveTheFirstRunCount) {
    TempFolder folder;
    EXPECT_EQ(readKeyCount(folder / "keycount.stm"), firstRunKeyCount);
    EXPECT_EQ(readKeyCount(folder.write("three.stm", "abc")), firstRunKeyCount);
    EXPECT_EQ(readKeyCount(folder.write("short.stm", fileWithCount(20).substr(0, 343))),
              firstRunKeyCount);
    EXPECT_EQ(readKeyCount(folder.write("empty.stm", "")), firstRunKeyCount);
    EXPECT_GE(firstRunKeyCount, 1);
    EXPECT_LE(firstRunKeyCount, 128);
}

TEST(KeyCountFile, WritingCreatesRecord11AndItsFolder) {
    TempFolder folder;
    const auto file = folder / "config" / "Ombrix" / "keycount.stm";
    ASSERT_TRUE(writeKeyCount(file, 37));
    const std::string bytes = readBytes(file);
    EXPECT_EQ(bytes, fileWithCount(37));
    EXPECT_EQ(readStoredKeyCount(file), 37.0f);
}

TEST(KeyCountFile, WritingKeepsTheOtherBytesOfTheFile) {
    TempFolder folder;
    std::string before(500, 'z');
    const auto file = folder.write("keycount.stm", before);
    ASSERT_TRUE(writeKeyCount(file, 128));
    const std::string after = readBytes(file);
    ASSERT_EQ(after.size(), 500u);
    EXPECT_EQ(after.substr(0, keyCountOffset), before.substr(0, keyCountOffset));
    EXPECT_EQ(after.substr(keyCountFileSize), before.substr(keyCountFileSize));
    EXPECT_EQ(readKeyCount(file), 128);
}

TEST(KeyCountFile, AFailedWriteIsReported) {
    TempFolder folder;
    folder.write("blocker", "a file where a folder should be");
    const auto result = writeKeyCount(folder / "blocker" / "keycount.stm", 5);
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.message.text().empty());
}
