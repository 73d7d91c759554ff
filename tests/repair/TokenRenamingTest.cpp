#include <gtest/gtest.h>

#include "tests/support/RenameRun.h"

using repair::NamePairs;

TEST(RenameTokens, EveryOldNameIsRenamedOnceAndAllAtOnce)
{
    struct Case { const char* name; NamePairs pairs; std::string expected; std::vector<std::string> labels; };
    const std::string text = "a|b|c|d|A";
    const Case cases[] = {
        {"one pair", MakePairs({{"a", "b"}}), "b|b|c|d|A", {"0/0"}},
        {"chain, look-ahead first", MakePairs({{"a", "b"}, {"b", "c"}}), "b|c|c|d|A", {"0/1", "1/1"}},
        {"chain listed backwards", MakePairs({{"b", "c"}, {"a", "b"}}), "b|c|c|d|A", {"0/1", "1/1"}},
        {"swap", MakePairs({{"a", "b"}, {"b", "a"}}), "b|a|c|d|A", {"0/1", "1/1"}},
        {"three-step chain", MakePairs({{"a", "b"}, {"b", "c"}, {"c", "d"}}), "b|c|d|d|A", {"0/2", "1/2", "2/2"}},
        {"three-step chain backwards", MakePairs({{"c", "d"}, {"b", "c"}, {"a", "b"}}), "b|c|d|d|A", {"0/2", "1/2", "2/2"}},
        {"same old name twice", MakePairs({{"a", "b"}, {"a", "c"}}), "b|b|c|d|A", {"0/1", "1/1"}},
        {"same new name twice", MakePairs({{"a", "c"}, {"b", "c"}}), "c|c|c|d|A", {"0/1", "1/1"}},
        {"case-only pair", MakePairs({{"a", "A"}}), "A|b|c|d|A", {"0/0"}},
        {"other case untouched", MakePairs({{"A", "x"}, {"B", "y"}}), "a|b|c|d|x", {"0/1", "1/1"}},
        {"no occurrence", MakePairs({{"e", "f"}}), text, {"0/0"}},
        {"cycle of three", MakePairs({{"a", "b"}, {"b", "c"}, {"c", "a"}}), "b|c|a|d|A", {"0/2", "1/2", "2/2"}},
        {"new name holding an old one", MakePairs({{"a", "b|a"}, {"b", "c"}}), "b|a|c|c|d|A", {"0/1", "1/1"}},
        {"new name holding an old token", MakePairs({{"a", "c.b"}, {"b", "a"}}), "c.b|a|c|d|A", {"0/1", "1/1"}},
    };
    for (const Case& c : cases) {
        const RenameRun outcome = RunRenaming(text, c.pairs);
        EXPECT_EQ(outcome.text, c.expected) << c.name;
        EXPECT_EQ(outcome.labels, c.labels) << c.name;
    }
}

TEST(RenameTokens, OnlyWholeTokensAreRenamed)
{
    struct Case { std::string text; std::string expected; };
    const Case cases[] = {
        {"a", "Z"},
        {"a\na\n\na", "Z\nZ\n\nZ"},
        {"a b\na;\na\"\na(\n(a)\n x a\n\"a\";a;a", "Z b\nZ;\nZ\"\nZ(\n(Z)\n x Z\n\"Z\";Z;Z"},
        {"ab ba a_ _a a.x x.a a- -a 1a a1 A", "ab ba a_ _a a.x x.a a- -a 1a a1 A"},
        {"\ra\r\ta\t", "\rZ\r\tZ\t"},
        {"\xC3\xA9" "a\xE3\x81\x82 \xFF" "a\xFF", "\xC3\xA9Z\xE3\x81\x82 \xFFZ\xFF"},
        {"a.b a.bc xa.b a-b.a", "a.b a.bc xa.b a-b.a"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RunRenaming(c.text, MakePairs({{"a", "Z"}})).text, c.expected) << c.text;
    }
    // A dot in an old name is a dot, not any character.
    EXPECT_EQ(RunRenaming("a.b aXb a.b.c", MakePairs({{"a.b", "n"}})).text, "n aXb a.b.c");
}

// Names holding other characters than tokens match only themselves, whole,
// and never start or end inside a character of the text.
TEST(RenameTokens, OtherNamesMatchOnlyThemselves)
{
    struct Case { std::string oldName; std::string text; std::string expected; };
    const Case cases[] = {
        {"a+", "a+ aa+ aaa a", "N aa+ aaa a"},
        {"a*", "a* aaa b", "N aaa b"},
        {"(a", "(a x(a a", "N x(a a"},
        {"[ab]", "[ab] a b", "N a b"},
        {"a|b", "a|b a b", "N a b"},
        {"\\Qa", "\\Qa a", "N a"},
        {"a$", "a$ a", "N a"},
        {"^a", "^a a", "N a"},
        {"x{2}", "x{2} xx", "N xx"},
        {"\xE3\x81\x82?", "\xE3\x81\x82? \xE3\x81\x82", "N \xE3\x81\x82"},
        {"a a", "a a a\na a", "N a\nN"},
        {"\x81", "\xE3\x81\x82 \x81 \xC3\x81", "\xE3\x81\x82 N \xC3\x81"},
        {"caf\xE9", "caf\xE9\x80\x80 caf\xE9 caf\xE9\xFF", "caf\xE9\x80\x80 N N\xFF"},
        {"\x82x", "\xE3\x81\x82x \x82x", "\xE3\x81\x82x N"},
        {"\x80x", "\xF0\xA0\x80\x80x \xF0\xA0\x80\x80\x80x", "\xF0\xA0\x80\x80x \xF0\xA0\x80\x80N"},
        {"x\xF0\xA0\x80", "x\xF0\xA0\x80\x80 x\xF0\xA0\x80", "x\xF0\xA0\x80\x80 N"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RunRenaming(c.text, MakePairs({{c.oldName, "N"}})).text, c.expected) << c.oldName;
    }
}

// Where two old names stand over the same bytes, the one that starts first is
// renamed, then the one whose pair comes first.
TEST(RenameTokens, OverlappingNamesStartingFirstWin)
{
    struct Case { const char* name; NamePairs pairs; std::string text; std::string expected; };
    const Case cases[] = {
        {"first start wins", MakePairs({{"b c", "Y"}, {"a b", "X"}}), "a b c", "X c"},
        {"overlapped name found again later", MakePairs({{"a b", "X"}, {"b c", "Y"}}), "a b c b c", "X c Y"},
        {"same start, first pair", MakePairs({{"a", "P"}, {"a b", "Q"}}), "a b;a b", "P b;P b"},
        {"same start, other order", MakePairs({{"a b", "Q"}, {"a", "P"}, {"b", "R"}}), "a b a", "Q P"},
        {"token inside a longer name", MakePairs({{"b", "R"}, {"a b c", "S"}}), "a b c b", "S R"},
        {"the same name overlapping itself", MakePairs({{"a a", "T"}}), "a a a a", "T T"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RunRenaming(c.text, c.pairs).text, c.expected) << c.name;
    }
}

TEST(RenameTokens, NewNamesAreInsertedLiterally)
{
    for (const std::string newName : {"$1", "\\0", "\\", "x$", "&", "$$"}) {
        EXPECT_EQ(RunRenaming("a;a", MakePairs({{"a", newName}})).text, newName + ";" + newName) << newName;
    }
}

TEST(RenameTokens, PairsWithAnEmptyNameRenameNothing)
{
    const RenameRun outcome = RunRenaming("x; y\n\n(a)", MakePairs({{"", "b"}, {"a", ""}, {"y", "z"}, {"a", "q"}}));
    EXPECT_EQ(outcome.text, "x; z\n\n(a)");
    EXPECT_EQ(outcome.labels, (std::vector<std::string>{"0/3", "1/3", "2/3", "3/3"}));
}

// No name is too long to rename, whether or not it is a token, and one that
// does not occur costs nothing.
TEST(RenameTokens, LongNamesAreRenamedLikeShortOnes)
{
    const std::string longName = std::string(70000, 'q') + " z";
    const std::string longToken(70000, 'r');
    const RenameRun outcome = RunRenaming("a " + longName + "\n" + longToken + " c",
                                          MakePairs({{"a", "b"}, {longName, "x"}, {longToken, "y"}, {"c", longName}, {"absent " + longName, "w"}}));
    EXPECT_EQ(outcome.text, "b x\ny " + longName);
}

// More renamed tokens than the renamer notes in one scan: the rest are
// found in a second scan.
TEST(RenameTokens, TextsDenseWithRenamedTokens)
{
    std::string text;
    std::string expected;
    for (int i = 0; i < 60000; ++i) {
        text += "a;b c\n";
        expected += "x1;y22\n";
    }
    text += "a";
    expected += "x1";
    EXPECT_EQ(RunRenaming(text, MakePairs({{"a", "x1"}, {"b c", "y22"}})).text, expected);
}
