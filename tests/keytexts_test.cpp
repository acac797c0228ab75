#include "common/keytable.h"
#include "common/keytexts.h"
#include "platform/graphemes.h"

#include <QString>
#include <gtest/gtest.h>

#include <vector>

using namespace ombrix;

namespace {

// Captions and pop-up texts as a person types them, through the whole road: split into
// characters, put into the record, the table and its companion written and read back.
struct TypedCase {
    const char* name;
    const char* caption;
    const char* toolTip;
    const char* shownCaption; // what the key shows: the caption cut to six characters
};

class TypedTexts : public testing::TestWithParam<TypedCase> {};

KeyRecord typedKey(const TypedCase& row, KeyTexts& texts, int index) {
    KeyRecord key = defaultKeyRecord(index);
    const FieldText caption = fieldTextOf(platform::graphemesOf(QString::fromUtf8(row.caption)), 6);
    const FieldText toolTip =
        fieldTextOf(platform::graphemesOf(QString::fromUtf8(row.toolTip)), 36);
    key.caption.assign(caption.stored);
    key.toolTip.assign(toolTip.stored);
    texts.keep(index, KeyTextField::Caption, caption);
    texts.keep(index, KeyTextField::ToolTip, toolTip);
    return key;
}

TEST_P(TypedTexts, AreShownExactlyAsTypedAfterTheirSave) {
    const TypedCase& row = GetParam();
    KeyTexts texts;
    const std::vector<KeyRecord> keys = {defaultKeyRecord(0), typedKey(row, texts, 1)};

    const std::string table = encodeKeyTable(keys);
    ASSERT_EQ(table.size(), 2 * keyRecordSize); // the table keeps its format
    std::vector<KeyRecord> read;
    for (std::size_t i = 0; i < 2; ++i)
        read.push_back(decodeKeyRecord(table.data() + i * keyRecordSize));
    const KeyTexts readTexts = KeyTexts::decode(texts.encode());

    EXPECT_EQ(readTexts.textOf(read[1], 1, KeyTextField::Caption), row.shownCaption);
    EXPECT_EQ(readTexts.textOf(read[1], 1, KeyTextField::ToolTip), row.toolTip);
    EXPECT_EQ(readTexts.textOf(read[0], 0, KeyTextField::Caption), "1"); // its own text
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, TypedTexts,
    testing::Values(
        TypedCase{"Cyrillic", "Привет", "Открыть почту", "Привет"},
        TypedCase{"Greek", "Ωμέγα", "Άνοιγμα αρχείου", "Ωμέγα"},
        TypedCase{"Japanese", "日本語", "ファイルを開く", "日本語"},
        // A family of four is one character: seven emoji with joiners make six characters.
        TypedCase{"EmojiWithJoiners", "👨‍👩‍👧‍👦🚀🎵📁🖥️⚙️🔥",
                  "👍🏽 ok", "👨‍👩‍👧‍👦🚀🎵📁🖥️⚙️"},
        TypedCase{"RightToLeft", "שלום", "مرحبا بالعالم", "שלום"},
        TypedCase{"CombiningAccents", "e\u0301te\u0301", "Cafe\u0301 cre\u0300me",
                  "e\u0301te\u0301"},
        TypedCase{"Windows1252", "Çà€", "ÇàÉü€ – “quoted”", "Çà€"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TypedTexts, ThatTheCodePageHoldsNeedNoCompanionAndLeaveTheTableAsBefore) {
    KeyTexts texts;
    KeyRecord typed = typedKey({"", "Çà€", "ÇàÉü€ – “quoted”", ""}, texts, 0);
    KeyRecord plain = defaultKeyRecord(0);
    plain.caption.assign("Çà€");
    plain.toolTip.assign("ÇàÉü€ – “quoted”");
    EXPECT_TRUE(texts.empty());
    EXPECT_EQ(encodeKeyTable(std::vector{typed}), encodeKeyTable(std::vector{plain}));
}

TEST(TypedTexts, AreIgnoredOnceAnotherProgramChangedTheirRecord) {
    KeyTexts texts;
    KeyRecord key = typedKey({"", "Привет", "Открыть", ""}, texts, 0);
    key.caption.assign("Mail");
    EXPECT_EQ(texts.textOf(key, 0, KeyTextField::Caption), "Mail");
    EXPECT_EQ(texts.textOf(key, 0, KeyTextField::ToolTip), "Открыть");
    texts.dropStale({key});
    EXPECT_EQ(texts.size(), 1U);
}

} // namespace
