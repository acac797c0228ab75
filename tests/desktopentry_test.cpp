#include "common/desktopentry.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>

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
        ParseCase{"LaterOfTwoKeysCounts", "[Desktop Entry]\nName=First\nName=Second\n",
                  named("Second")},
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

TEST(ParseEntry, NameIsInTheFirstLanguageTheEntryTranslates) {
    const std::string text = "[Desktop Entry]\nName=Viewer\nName[de]=Betrachter\n"
                             "Name[de_AT]=Anschauer\nName[fr]=Visionneuse\n";
    const auto nameFor = [&](std::string_view locales) {
        return parseDesktopEntry(text, languageVariants(locales))->name;
    };
    EXPECT_EQ(nameFor("de_AT.UTF-8@euro"), "Anschauer");
    EXPECT_EQ(nameFor("de_CH.UTF-8"), "Betrachter");
    EXPECT_EQ(nameFor("it_IT:fr_FR:de"), "Visionneuse");
    EXPECT_EQ(nameFor("C.UTF-8"), "Viewer");
    EXPECT_EQ(languageVariants("de_AT.UTF-8@euro"),
              (std::vector<std::string>{"de_AT.UTF-8@euro", "de_AT@euro", "de.UTF-8@euro",
                                        "de@euro", "de_AT.UTF-8", "de_AT", "de.UTF-8", "de"}));
}

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
    testing::Values(
        SplitCase{"Words", "prog -a b", Words{{"prog", "-a", "b"}}},
        SplitCase{"RunsOfSeparators", "  prog \t -a\n\nb  ", Words{{"prog", "-a", "b"}}},
        SplitCase{"QuotedBlanks", "\"/opt/my app/run\" \"two words\"",
                  Words{{"/opt/my app/run", "two words"}}},
        SplitCase{"QuotedEscapes", R"(p "\"q\" \`c\` \$HOME \\")",
                  Words{{"p", "\"q\" `c` $HOME \\"}}},
        SplitCase{"OtherBackslashStaysInQuotes", R"(p "a\b")", Words{{"p", "a\\b"}}},
        SplitCase{"EmptyQuotedWord", "p \"\" x", Words{{"p", "", "x"}}},
        SplitCase{"QuotedPartJoinsItsWord", "p --dir=\"my folder\"",
                  Words{{"p", "--dir=my folder"}}},
        SplitCase{"SingleQuotesKeepEverything", R"(sh -c 'A=yes /usr/bin/tool "x" \$HOME')",
                  Words{{"sh", "-c", R"(A=yes /usr/bin/tool "x" \$HOME)"}}},
        SplitCase{"BackslashOutsideQuotes", R"(p a\ b \'c\")", Words{{"p", "a b", "'c\""}}},
        SplitCase{"BackslashNewlineJoins", "p a\\\nb \"c\\\nd\"", Words{{"p", "ab", "cd"}}},
        SplitCase{"CommentAfterABlank", "p #rest\nq a#b\t#c", Words{{"p", "q", "a#b", "#c"}}},
        SplitCase{"NothingToSplit", "  ", Words{std::vector<std::string>{}}},
        SplitCase{"UnbalancedSingleQuote", "sh -c 'tool", std::nullopt},
        SplitCase{"TrailingBackslash", "p a\\", std::nullopt},
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
        ExpandCase{"OnlyTheFirstCodeTakesTheDocument", "ed %F -x %u %U", "/d/a b.txt",
                   Words{{"ed", "/d/a b.txt", "-x"}}},
        ExpandCase{"DocumentWithoutCodeComesLast", "ed -n", "/d/a b.txt",
                   Words{{"ed", "-n", "/d/a b.txt"}}},
        ExpandCase{"NoDocumentRemovesTheCode", "ed %f -n", "", Words{{"ed", "-n"}}},
        ExpandCase{"CodeInsideAWord", "ed --file=%f", "/d/x", Words{{"ed", "--file=/d/x"}}},
        ExpandCase{"CodeInsideAWordWithoutDocument", "ed --file=%f", "", Words{{"ed", "--file="}}},
        ExpandCase{"QuotedCodeIsRefused", "ed \"%f\"", "/d/x", std::nullopt},
        ExpandCase{"CodeInAShellLineIsRefused", "sh -c \"ed %f\"", "/d/x", std::nullopt},
        ExpandCase{"CodeInASingleQuotedLineIsRefused", "sh -c 'ed %c'", "", std::nullopt},
        ExpandCase{"CodeBesideABackslashIsRefused", "sh -c ed\\ %f", "/d/x", std::nullopt},
        ExpandCase{"QuotedPercentIsOnePercent", "sh -c \"date +%%H\"", "",
                   Words{{"sh", "-c", "date +%H"}}},
        ExpandCase{"CodeAsTheProgramIsRefused", "%f -x", "/d/x", std::nullopt},
        ExpandCase{"DocumentIsNotExpandedAgain", "ed %f", "/d/%c %%.txt",
                   Words{{"ed", "/d/%c %%.txt"}}},
        ExpandCase{"Icon", "ed %i %f", "", Words{{"ed", "--icon", "ed-icon"}}},
        ExpandCase{"NoIcon", "ed %i", "", Words{{"ed"}}, ""},
        ExpandCase{"IconInsideAWord", "ed -x%i", "", std::nullopt},
        ExpandCase{"NameAndEntryPath", "ed --title %c --from=%k", "",
                   Words{{"ed", "--title", "My Editor", "--from=/apps/ed.desktop"}}},
        ExpandCase{"Percent", "ed 100%% %%f", "", Words{{"ed", "100%", "%f"}}},
        ExpandCase{"RetiredCodesRemoved", "ed %d %D %n %N %v %m -x%d %f", "/d/x",
                   Words{{"ed", "-x", "/d/x"}}},
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

// Whatever a document is called, it reaches the program as exactly one argument of its own
// (or inside the one word whose code stands for it), or nothing starts.
TEST(ExpandExec, AHostileDocumentNameIsOneArgumentOrNothingStarts) {
    constexpr std::string_view doc = "\x01DOC\x01";
    struct Template {
        const char* exec;
        std::optional<std::vector<std::string>> argv; // doc stands for the document
    };
    const std::vector<Template> templates = {
        {"viewer %f", Words{{"viewer", std::string(doc)}}},
        {"viewer --file=%u -x", Words{{"viewer", "--file=" + std::string(doc), "-x"}}},
        {"viewer", Words{{"viewer", std::string(doc)}}},
        {"env A=1 viewer %U %F", Words{{"env", "A=1", "viewer", std::string(doc)}}},
        {R"(sh -c "viewer \"\$1\"" sh %f)",
         Words{{"sh", "-c", "viewer \"$1\"", "sh", std::string(doc)}}},
        {R"(sh -c "viewer %f")", std::nullopt},
        {R"(sh -c 'viewer %f')", std::nullopt},
        {R"(sh -c viewer\ %f)", std::nullopt},
        {R"(sh -c "viewer "%f)", std::nullopt},
    };
    const std::vector<std::string_view> pieces = {"$(touch PWNED)",
                                                  "`touch PWNED`",
                                                  ";",
                                                  "'",
                                                  "\"",
                                                  "\\",
                                                  "\n",
                                                  " ",
                                                  "%f",
                                                  "%%",
                                                  "#",
                                                  "*",
                                                  "${HOME}",
                                                  "|",
                                                  "&",
                                                  "\t",
                                                  "caff\xC3\xA8",
                                                  "-",
                                                  "--x",
                                                  "a"};
    std::mt19937 random(1);
    for (int round = 0; round < 3000; ++round) {
        std::string document = "/tmp/";
        for (auto n = random() % 8; n > 0; --n)
            document += pieces[random() % pieces.size()];
        for (const Template& t : templates) {
            DesktopEntry entry;
            entry.exec = t.exec;
            std::optional<std::vector<std::string>> expected = t.argv;
            if (expected) {
                for (std::string& argument : *expected) {
                    if (const auto at = argument.find(doc); at != std::string::npos)
                        argument.replace(at, doc.size(), document);
                }
            }
            ASSERT_EQ(expandExec(entry, "/apps/v.desktop", document), expected)
                << t.exec << " with " << testing::PrintToString(document);
        }
    }
}

} // namespace
