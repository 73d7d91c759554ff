#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"
#include "platform/core/RegEx.h"

using platform::RegEx;

namespace {

std::string ReplaceAll(const std::string& text, const std::string& pattern, const std::string& replacement, bool caseSensitive = true)
{
    RegEx regex;
    regex.Options.ReplaceAllMatches = true;
    regex.Options.CaseSensitive = caseSensitive;
    regex.SearchPattern = pattern;
    regex.ReplacementPattern = replacement;
    return regex.Replace(text);
}

std::optional<std::string> FirstMatch(const std::string& text, const std::string& pattern, std::int64_t startB = 0)
{
    RegEx regex;
    regex.Options.CaseSensitive = true;
    regex.SearchPattern = pattern;
    regex.SearchStartPosition = startB;
    const auto match = regex.Search(text);
    if (!match) return std::nullopt;
    return match->SubExpressionString(0);
}

} // namespace

TEST(RegExEngine, ReplacesAsTheProgramsPatternsNeed)
{
    struct Case { const char* text; const char* pattern; const char* replacement; const char* expected; };
    const Case cases[] = {
        // "^" and "$" at every line; LF is the only line end, so CR is text.
        {"a\nb\na", "^a$", "X", "X\nb\nX"},
        {"a\r\nb", "^a$", "X", "a\r\nb"},
        {"a\r\nb", "^a\r$", "X", "X\nb"},
        {"a\rb", "^b", "X", "a\rb"},
        {"x\n", "$", "!", "x!\n!"},
        // Whole-line indentation, runs of empty lines included.
        {"<a>\n  \n\t<b>\n", "^\\s+", "", "<a>\n<b>\n"},
        {"a\tb\tc\nd\te\t", "\\t[^\\t\\n]+$", "", "a\tb\nd\te\t"},
        // Non-overlapping, left to right; nothing matched leaves the text.
        {"aaa", "aa", "b", "ba"},
        {"abc", "z", "y", "abc"},
        // Empty matches advance one character, a whole UTF-8 character at a time.
        {"ab", "x*", "-", "-a-b-"},
        {"\xC3\xA9", "x*", "-", "-\xC3\xA9-"},
        // Replacement syntax: sub-expressions by number, escaped \ and $.
        {"ab", "(a)(b)", "\\2$1\\0", "baab"},
        {"a", "a", "\\\\\\$1$", "\\$1$"},
        {"a", "(x)?a", "[\\1]", "[]"},
        // Valid UTF-8 is matched by character.
        {"\xC3\xA9\xC3\xA9x", "\xC3\xA9+", "E", "Ex"},
        {"\xE3\x81\x82", "^.$", "1", "1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceAll(c.text, c.pattern, c.replacement), c.expected) << c.pattern << " on " << c.text;
    }
}

TEST(RegExEngine, CaseOptionAndFirstOnly)
{
    EXPECT_EQ(ReplaceAll("Aa", "a", "x", true), "Ax");
    EXPECT_EQ(ReplaceAll("Aa\xC3\x89", "a\xC3\xA9", "x", false), "Ax");

    RegEx regex;
    regex.SearchPattern = "a";
    regex.ReplacementPattern = "x";
    EXPECT_EQ(regex.Replace("aaa"), "xaa");
    regex.SearchStartPosition = 1;
    EXPECT_EQ(regex.Replace("aaa"), "axa");
}

TEST(RegExEngine, SearchesFromAByteOffset)
{
    EXPECT_EQ(FirstMatch("abcabc", "a.", 1), "ab");
    EXPECT_EQ(FirstMatch("abc", "a", 1), std::nullopt);
    EXPECT_EQ(FirstMatch("abc", "c", 99), std::nullopt);
    EXPECT_EQ(FirstMatch("abc", "$", 99), "");
    EXPECT_EQ(FirstMatch("x<key>K</key><string>3.2</string>", "(?<=<key>K</key><string>).+?(?=</string>)"), "3.2");

    RegEx regex;
    regex.SearchPattern = "(a)|(b)";
    const auto match = regex.Search("b");
    ASSERT_TRUE(match);
    EXPECT_EQ(match->SubExpressionCount(), 3);
    EXPECT_EQ(match->SubExpressionString(1), "");
    EXPECT_EQ(match->SubExpressionString(2), "b");
    EXPECT_THROW(match->SubExpressionString(3), std::out_of_range);
}

// A text that is not valid UTF-8 is matched byte by byte: no error, every byte
// kept, and each such byte is a character of its own.
TEST(RegExEngine, InvalidUtf8NeitherFailsNorLosesText)
{
    struct Case { std::string text; std::string pattern; std::string replacement; std::string expected; };
    const Case cases[] = {
        {"a\xFF" "b\xC3", "b", "B", "a\xFF" "B\xC3"},
        {"\xFF" "a\xFF;a", "(?<=[^a-z\\n])a(?=[^a-z\\n])", "X", "\xFF" "X\xFF;a"},
        {"\xFF\n\xFE", "^.$", "<\\0>", "<\xFF>\n<\xFE>"},
        {"\xC3\xA9\xFF", "x*", "-", "-\xC3-\xA9-\xFF-"},
        {"a\xC0\x80" "b", "[^a-z]+", "_", "a_b"},
        // A pattern with a byte that is not UTF-8 matches that byte.
        {"a\xFF" "b", "\xFF", "-", "a-b"},
        // A pattern that needs wide characters skips invalid bytes but keeps them.
        {"\xE3\x81\x82\xFF" "b", "\\x{3042}|b", "#", "#\xFF#"},
    };
    for (const Case& c : cases) {
        std::string result;
        EXPECT_NO_THROW(result = ReplaceAll(c.text, c.pattern, c.replacement)) << c.pattern;
        EXPECT_EQ(result, c.expected) << c.pattern;
    }
    EXPECT_EQ(FirstMatch("\xFF" "ab", "a."), "ab");
    EXPECT_EQ(FirstMatch("\xE3\x81\x82\xFF", "\xE3\x81\x82"), "\xE3\x81\x82");
}

TEST(RegExEngine, RejectedPatternsThrowWithTheEnginesMessage)
{
    for (const char* pattern : {"(", "a{2,1}", "[z-a]", "(?<=a+)b"}) {
        try {
            ReplaceAll("abc", pattern, "");
            ADD_FAILURE() << pattern << " was accepted";
        } catch (const platform::RegExException& error) {
            EXPECT_FALSE(std::string(error.what()).empty());
        }
    }
    EXPECT_THROW(FirstMatch("\xFF", "("), platform::RegExException);

    RegEx regex;
    regex.SearchPattern = "(";
    EXPECT_THROW(regex.Search("a"), platform::RegExException);
    EXPECT_THROW(regex.Search("a"), platform::RegExException);
    regex.SearchPattern = "a";
    EXPECT_TRUE(regex.Search("a"));
}
