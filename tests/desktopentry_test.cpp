#include "common/desktopentry.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace ombrix;

namespace ombrix {
void PrintTo(const DesktopEntry& e, std::ostream* os) {
    *os << "{name=" << testing::PrintToString(e.name) << " exec=" << testing::PrintToString(e.exec)
        << " icon=" << testing::PrintToString(e.icon) << " path=" << testing::PrintToString(e.path)
        << " tryExec=" << testing::PrintToString(e.tryExec) << " terminal=" << e.terminal << "}";
}
} // namespace ombrix

namespace {

using Words = std::optional<std::vector<std::string>>;

const auto rowName = [](const auto& info) { return std::string(info.param.name); };

// ---- Reading the [Desktop Entry] group ----

struct ParseCase {
    const char* name;
    std::string text;
    std::optional<DesktopEntry> expected;
};

class ParseEntry : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseEntry, ReadsTheEntryGroup) {
    EXPECT_EQ(parseDesktopEntry(GetParam().text), GetParam().expected);
}

DesktopEntry named(std::string name) {
    DesktopEntry entry;
    entry.name = std::move(name);
    return entry;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ParseEntry,
    testing::Values(
        ParseCase{"AllKeys",
                  "[Desktop Entry]\nType=Application\nName=Editor\nExec=edit %f\nIcon=edit\n"
                  "Path=/srv/work\nTryExec=edit\nTerminal=true\n",
                  DesktopEntry{"Editor", "edit %f", "edit", "/srv/work", "edit", true}},
        ParseCase{"LocalizedKeysAreNotRead", "[Desktop Entry]\nName[de]=Bearbeiter\nName=Editor\n",
                  named("Editor")},
        ParseCase{"ValueEscapes", "[Desktop Entry]\nName=a\\sb\\tc\\nd\\re\\\\f\n",
                  named("a b\tc\nd\re\\f")},
        ParseCase{"OtherBackslashPairsStay", "[Desktop Entry]\nName=a\\;b\\\"c\n",
                  named("a\\;b\\\"c")},
        ParseCase{"EscapedBlankSurvivesTrimming", "[Desktop Entry]\nName=\\sx\\s  \n",
                  named(" x ")},
        ParseCase{"BlanksAroundEqualsIgnored", "[Desktop Entry]\nName \t=  Editor \t\n",
                  named("Editor")},
        ParseCase{"FirstOfTwoKeysCounts", "[Desktop Entry]\nName=First\nName=Second\n",
                  named("First")},
        ParseCase{"CommentsBlankLinesAndCrLf",
                  "\xEF\xBB\xBF# made by hand\r\n\r\n[Desktop Entry]\r\n# Name=No\r\nName=Yes\r\n",
                  named("Yes")},
        ParseCase{"GroupsAroundItAreNotRead",
                  "[Other]\nName=Before\n[Desktop Entry]\nName=Entry\n"
                  "[Desktop Action new]\nName=After\nExec=other\n",
                  named("Entry")},
        ParseCase{"TerminalOnlyForTrue", "[Desktop Entry]\nTerminal=True\n", named("")},
        ParseCase{"NoEntryGroup", "Name=Editor\n[Desktop Action new]\nExec=edit\n", std::nullopt}),
    rowName);

TEST(ReadDesktopEntry, ReadsAFileAndRefusesAMissingOne) {
    TempFolder folder;
    const auto file = folder.write("e.desktop", "[Desktop Entry]\nName=From File\n");
    EXPECT_EQ(readDesktopEntry(file), named("From File"));
    EXPECT_EQ(readDesktopEntry(folder / "missing.desktop"), std::nullopt);
}

// ---- Undoing the quoting of an Exec line ----

struct SplitCase {
    const char* name;
    const char* exec;
    Words expected;
};

class SplitExec : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitExec, UndoesQuoting) {
    EXPECT_EQ(splitExecLine(GetParam().exec), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SplitExec,
    testing::Values(SplitCase{"Words", "prog -a b", Words{{"prog", "-a", "b"}}},
                    SplitCase{"RunsOfSeparators", "  prog \t -a\n\nb  ",
                              Words{{"prog", "-a", "b"}}},
                    SplitCase{"QuotedBlanks", "\"/opt/my app/run\" \"two words\"",
                              Words{{"/opt/my app/run", "two words"}}},
                    SplitCase{"QuotedEscapes", R"(p "\"q\" \`c\` \$HOME \\")",
                              Words{{"p", "\"q\" `c` $HOME \\"}}},
                    SplitCase{"OtherBackslashStaysInQuotes", R"(p "a\b")", Words{{"p", "a\\b"}}},
                    SplitCase{"EmptyQuotedWord", "p \"\" x", Words{{"p", "", "x"}}},
                    SplitCase{"QuotedPartJoinsItsWord", "p --dir=\"my folder\"",
                              Words{{"p", "--dir=my folder"}}},
                    SplitCase{"NothingToSplit", "  ", Words{std::vector<std::string>{}}},
                    SplitCase{"UnbalancedQuote", "\"/opt/my app/run", std::nullopt},
                    SplitCase{"EscapedClosingQuote", R"(p "abc\")", std::nullopt}),
    rowName);

// ---- Field codes ----

struct ExpandCase {
    const char* name;
    const char* exec;
    const char* document;
    Words expected;
    const char* icon = "ed-icon";
};

class ExpandExec : public testing::TestWithParam<ExpandCase> {};

TEST_P(ExpandExec, GivesTheArgumentVector) {
    DesktopEntry entry;
    entry.name = "My Editor";
    entry.icon = GetParam().icon;
    entry.exec = GetParam().exec;
    EXPECT_EQ(expandExec(entry, "/apps/ed.desktop", GetParam().document), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ExpandExec,
    testing::Values(
        ExpandCase{"FileCode", "ed %f", "/d/a b.txt", Words{{"ed", "/d/a b.txt"}}},
        ExpandCase{"ListAndUrlCodes", "ed %F %u %U", "/d/a b.txt",
                   Words{{"ed", "/d/a b.txt", "/d/a b.txt", "/d/a b.txt"}}},
        ExpandCase{"NoDocumentRemovesTheCode", "ed %f -n", "", Words{{"ed", "-n"}}},
        ExpandCase{"CodeInsideAWord", "ed --file=%f", "/d/x", Words{{"ed", "--file=/d/x"}}},
        ExpandCase{"CodeInsideAWordWithoutDocument", "ed --file=%f", "", Words{{"ed", "--file="}}},
        ExpandCase{"QuotedCode", "ed \"%f\"", "/d/x", Words{{"ed", "/d/x"}}},
        ExpandCase{"DocumentIsNotExpandedAgain", "ed %f", "/d/%c %%.txt",
                   Words{{"ed", "/d/%c %%.txt"}}},
        ExpandCase{"Icon", "ed %i %f", "", Words{{"ed", "--icon", "ed-icon"}}},
        ExpandCase{"NoIcon", "ed %i", "", Words{{"ed"}}, ""},
        ExpandCase{"IconInsideAWord", "ed -x%i", "", std::nullopt},
        ExpandCase{"NameAndEntryPath", "ed --title %c --from=%k", "",
                   Words{{"ed", "--title", "My Editor", "--from=/apps/ed.desktop"}}},
        ExpandCase{"Percent", "ed 100%% %%f", "", Words{{"ed", "100%", "%f"}}},
        ExpandCase{"RetiredCodesRemoved", "ed %d %D %n %N %v %m -x%d", "/d/x", Words{{"ed", "-x"}}},
        ExpandCase{"UnknownCode", "ed %x", "", std::nullopt},
        ExpandCase{"LonePercentAtEnd", "ed 50%", "", std::nullopt},
        ExpandCase{"UnbalancedQuote", "ed \"%f", "/d/x", std::nullopt},
        ExpandCase{"NoProgram", "%f", "", std::nullopt},
        ExpandCase{"EmptyLine", "", "/d/x", std::nullopt}),
    rowName);

TEST(ExpandExec, BothEscapeLayersOfAFileAreUndone) {
    // In the file a literal backslash inside quotes takes four, a dollar sign two.
    const auto entry =
        parseDesktopEntry("[Desktop Entry]\n"
                          "Exec=\"/opt/my app/run\" \"a\\\\\\\\b\" \"\\\\$HOME\" %f\n");
    ASSERT_TRUE(entry);
    EXPECT_EQ(expandExec(*entry, "/e.desktop", "/d/x"),
              Words({{"/opt/my app/run", "a\\b", "$HOME", "/d/x"}}));
}

} // namespace
