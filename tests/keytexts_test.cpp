#include "common/keysave.h"
#include "common/keytable.h"
#include "common/keytexts.h"
#include "platform/graphemes.h"
#include "tempfolder.h"

#include <QString>
#include <gtest/gtest.h>

#include <vector>

using namespace ombrix;

namespace {

// Captions and pop-up texts as a person types them, through the whole road: split into
// characters, put into the record, the table and its companion saved as "EXIT" saves them
// and read back as either program reads them at its start.
struct TypedCase {
    const char* name;
    const char* caption;
    const char* toolTip;
    const char* shownCaption; // what the key shows: the caption cut to six characters
};

class TypedTexts : public testing::TestWithParam<TypedCase> {};

KeyRecord typedKey(const TypedCase& row, KeyTexts& texts, int index) {
    KeyRecord key = defaultKeyRecord(index);
    const FieldText caption = platform::typedField(QString::fromUtf8(row.caption), 6);
    const FieldText toolTip = platform::typedField(QString::fromUtf8(row.toolTip), 36);
    key.caption.assign(caption.stored);
    key.toolTip.assign(toolTip.stored);
    texts.keep(index, KeyTextField::Caption, caption);
    texts.keep(index, KeyTextField::ToolTip, toolTip);
    return key;
}

// Saves the keys with their companion through the one save both programs use.
void save(const TempFolder& folder, const std::vector<KeyRecord>& keys, const KeyTexts& texts) {
    const KeyFiles files{folder.path(), folder / "conf" / "count"};
    ASSERT_TRUE(saveKeys(files, keys, static_cast<float>(keys.size()),
                         {keyTextsFile(folder.path(), texts)}));
}

TEST_P(TypedTexts, AreShownExactlyAsTypedAfterTheirSave) {
    const TypedCase& row = GetParam();
    KeyTexts texts;
    const std::vector<KeyRecord> keys = {defaultKeyRecord(0), typedKey(row, texts, 1)};
    TempFolder folder;
    save(folder, keys, texts);

    // The table keeps its format: one record per key, whatever the script.
    ASSERT_EQ(readBytes(keyTablePath(folder.path())).size(), 2 * keyRecordSize);
    const std::vector<KeyRecord> read = loadKeys(keyTablePath(folder.path()), 2);
    const KeyTexts readTexts = readKeyTexts(keyTextsPath(folder.path()));

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
    TempFolder withTexts;
    TempFolder without;
    // A companion left by an earlier save goes with the last text that needed it.
    KeyTexts earlier;
    save(withTexts, {typedKey({"", "Привет", "", ""}, earlier, 0)}, earlier);
    ASSERT_TRUE(std::filesystem::exists(keyTextsPath(withTexts.path())));

    KeyTexts texts;
    const KeyRecord typed = typedKey({"", "Çà€", "ÇàÉü€ – “quoted”", ""}, texts, 0);
    KeyRecord plain = defaultKeyRecord(0);
    plain.caption.assign("Çà€");
    plain.toolTip.assign("ÇàÉü€ – “quoted”");
    EXPECT_TRUE(texts.empty());
    save(withTexts, {typed}, texts);
    const KeyFiles files{without.path(), without / "conf" / "count"};
    ASSERT_TRUE(saveKeys(files, std::vector{plain}, 1, {}));

    EXPECT_EQ(readBytes(keyTablePath(withTexts.path())), readBytes(keyTablePath(without.path())));
    EXPECT_FALSE(std::filesystem::exists(keyTextsPath(withTexts.path())));
}

TEST(TypedTexts, AreIgnoredOnceAnotherProgramChangedTheirRecord) {
    KeyTexts texts;
    TempFolder folder;
    save(folder, {typedKey({"", "Привет", "Открыть", ""}, texts, 0)}, texts);
    KeyRecord key = loadKeys(keyTablePath(folder.path()), 1).at(0);
    key.caption.assign("Mail"); // as another program writes the table
    save(folder, {key}, texts);
    texts = readKeyTexts(keyTextsPath(folder.path()));
    key = loadKeys(keyTablePath(folder.path()), 1).at(0);
    EXPECT_EQ(texts.textOf(key, 0, KeyTextField::Caption), "Mail");
    EXPECT_EQ(texts.textOf(key, 0, KeyTextField::ToolTip), "Открыть");
    texts.dropStale(std::vector{key});
    EXPECT_EQ(texts.size(), 1U);
}

} // namespace
