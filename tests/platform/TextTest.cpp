#include <gtest/gtest.h>

#include "platform/core/Text.h"

using namespace platform;

TEST(PlainEquals, IgnoresCaseOfAsciiLettersOnly)
{
    struct Case { const char* a; const char* b; bool equal; };
    const Case cases[] = {
        {"Glyphs", "Glyphs", true},
        {"glyphs", "GLYPHS", true},
        {".APP", ".app", true},
        {"\\B", "\\b", true},
        {"ja", "JA", true},
        {"Glyphs", "Glyph", false},
        {"", "", true},
        {"\xC3\xA9", "\xC3\x89", false}, // é and É differ: only ASCII folds
        {"a-b", "a_b", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlainEquals(c.a, c.b), c.equal) << c.a << " vs " << c.b;
    }
}

TEST(ByteSlices, TakeAtMostTheTextAndNeverSplitAnythingElse)
{
    EXPECT_EQ(LeftB("Glyphs 3.app", 6), "Glyphs");
    EXPECT_EQ(RightB("Glyphs 3.app", 4), ".app");
    EXPECT_EQ(LeftB("Gly", 6), "Gly");
    EXPECT_EQ(RightB("pp", 4), "pp");
    EXPECT_EQ(RightB("", 7), "");
    EXPECT_EQ(LenB("\xE3\x81\xAB"), 3u);
}

TEST(LineEndings, AllBecomeLineFeeds)
{
    EXPECT_EQ(ReplaceLineEndingsLF("a\r\nb\rc\nd\r\n\r\n"), "a\nb\nc\nd\n\n");
    EXPECT_EQ(ReplaceLineEndingsLF("\r\r\n"), "\n\n");
    EXPECT_EQ(ReplaceLineEndingsLF("no ends"), "no ends");
}

TEST(Trim, RemovesBlanksTabsAndLineEndsAtBothEndsOnly)
{
    EXPECT_EQ(Trim(" \t\r\n\v\fa b\t \n"), "a b");
    EXPECT_EQ(Trim("\t \n"), "");
    EXPECT_EQ(Trim("x"), "x");
    EXPECT_EQ(Trim("\xC2\xA0x"), "\xC2\xA0x"); // a no-break space is text, not white space here
}

TEST(Split, KeepsEmptyPieces)
{
    EXPECT_EQ(Split("a\tb\t", "\t"), (std::vector<std::string>{"a", "b", ""}));
    EXPECT_EQ(Split("", "\t"), (std::vector<std::string>{""}));
    EXPECT_EQ(Split("\t", "\t"), (std::vector<std::string>{"", ""}));
}

TEST(PlainReplace, FirstOccurrenceOnly)
{
    EXPECT_EQ(ReplaceFirstPlain("&&Undo", "&", ""), "&Undo");
    EXPECT_EQ(ReplaceFirstPlain("Redo", "&", ""), "Redo");
    EXPECT_EQ(ReplaceFirstPlain("abc", "", "x"), "abc");
}

TEST(CharactersToBytes, CountsUtf8CharactersAndLoneBytesAsOne)
{
    const std::string text = "\xC3\xA9\xE3\x81\xAB" "a"; // é (2 bytes), に (3 bytes), a
    EXPECT_EQ(CharactersToBytes(text, 0), 0u);
    EXPECT_EQ(CharactersToBytes(text, 2), 5u);
    EXPECT_EQ(CharactersToBytes(text, 3), 6u);
    EXPECT_EQ(CharactersToBytes(text, 99), 6u);
    EXPECT_EQ(CharactersToBytes("\xFF\xE3\x81" "b", 2), 2u); // invalid and truncated bytes count singly
    EXPECT_EQ(CharactersToBytes("\xF0\x9F\x98\x80x", 1), 4u);
}
