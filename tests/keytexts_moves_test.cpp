#include "common/keytexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ombrix;

namespace {

// Four keys whose captions only the companion keeps: "k0".."k3" typed, "?" in the records.
struct Keys {
    std::vector<KeyRecord> records;
    KeyTexts texts;
    Keys() {
        for (int i = 0; i < 4; ++i) {
            KeyRecord key = defaultKeyRecord(i);
            key.caption.assign("?");
            records.push_back(key);
            texts.keep(i, KeyTextField::Caption, {"k" + std::to_string(i), "?", false});
        }
    }
    std::string captions() const {
        std::string out;
        for (int i = 0; i < 4; ++i)
            out +=
                texts.textOf(records[static_cast<std::size_t>(i)], i, KeyTextField::Caption) + " ";
        return out;
    }
};

struct MoveCase {
    const char* name;
    int from;
    int to;
    const char* expected;
};

class KeyTextMoves : public testing::TestWithParam<MoveCase> {};

TEST_P(KeyTextMoves, FollowTheirKeys) {
    Keys keys;
    keys.texts.moveKey(GetParam().from, GetParam().to);
    EXPECT_EQ(keys.captions(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, KeyTextMoves,
                         testing::Values(MoveCase{"FirstToLast", 0, 3, "k1 k2 k3 k0 "},
                                         MoveCase{"LastToFirst", 3, 0, "k3 k0 k1 k2 "},
                                         MoveCase{"Neighbours", 1, 2, "k0 k2 k1 k3 "},
                                         MoveCase{"OntoItself", 2, 2, "k0 k1 k2 k3 "}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeyTextMoves, AnExchangeSwapsTwoKeysTexts) {
    Keys keys;
    keys.texts.exchangeKeys(0, 2);
    EXPECT_EQ(keys.captions(), "k2 k1 k0 k3 ");
}

TEST(KeyTextFile, KeepsEveryTextThroughEscapesAndSkipsLinesItCannotRead) {
    KeyTexts texts;
    texts.keep(0, KeyTextField::ToolTip, {"a\tb\\c\nd", "a?b\\c?d", false});
    texts.keep(127, KeyTextField::Caption, {"Ωμέγα", "?????", false});
    const std::string file = texts.encode() + "0\tcaption\tx\ty\n129\tcaption\tx\ty\n" +
                             "5\tlabel\tx\ty\n5\tcaption\tx\\q\ty\n5\tcaption\tonly three\n";
    EXPECT_EQ(KeyTexts::decode(file), texts);
    EXPECT_TRUE(KeyTexts::decode("1\tcaption\t?\tП\n").empty()); // no heading: not this file
}

} // namespace
