#include <gtest/gtest.h>

#include "platform/core/Localization.h"
#include "repair/RegExVesk.h"
#include "tests/support/MessageRecorder.h"

namespace {

class RegExVeskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetActiveLanguage("en");
        RegExVesk::reg.reset();
    }
    void TearDown() override { platform::SetActiveLanguage(""); }

    MessageRecorder messages;
};

const std::string kRefusal = "box: Metacharacters ^ $ \\b cannot be used alone.";

} // namespace

TEST_F(RegExVeskTest, EmptyInputIsRefusedWithoutTouchingTheEngine)
{
    EXPECT_EQ(RegExVesk::MachStr("", "a", 0, true), "");
    EXPECT_EQ(RegExVesk::MachStr("a", "", 0, true), "");
    EXPECT_EQ(RegExVesk::ReplaceAll("", "a", "b", true), "");
    EXPECT_EQ(RegExVesk::ReplaceAll("abc", "", "b", true), "abc");
    EXPECT_EQ(RegExVesk::reg, nullptr);
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(RegExVeskTest, MachStrCountsItsStartInCharacters)
{
    const std::string text = "\xC3\xA9\xE3\x81\xAB" "ab"; // two characters in five bytes, then "ab"
    EXPECT_EQ(RegExVesk::MachStr(text, ".", 2, true), "a");
    EXPECT_EQ(RegExVesk::reg->SearchStartPosition, 5);
    EXPECT_EQ(RegExVesk::MachStr(text, ".", 0, true), "\xC3\xA9");
    EXPECT_EQ(RegExVesk::MachStr(text, "b", 99, true), "");
    EXPECT_EQ(RegExVesk::MachStr("AB", "b", 0, true), "");
    EXPECT_EQ(RegExVesk::MachStr("AB", "b", 0, false), "B");
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(RegExVeskTest, EveryCallGetsAFreshEngine)
{
    RegExVesk::ReplaceAll("a", "a", "b", false);
    const platform::RegEx* first = RegExVesk::reg.get();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->Options.ReplaceAllMatches);

    RegExVesk::MachStr("a", "a", 0, true);
    ASSERT_NE(RegExVesk::reg, nullptr);
    EXPECT_FALSE(RegExVesk::reg->Options.ReplaceAllMatches);
    EXPECT_TRUE(RegExVesk::reg->Options.CaseSensitive);
}

TEST_F(RegExVeskTest, ABareAnchorIsRefusedWithAMessage)
{
    // The refusal compares with the plain equality, which ignores ASCII case:
    // "\B" alone is refused too.
    for (const char* pattern : {"^", "$", "\\b", "\\B"}) {
        messages.Clear();
        EXPECT_EQ(RegExVesk::ReplaceAll("a b", pattern, "|", true), "a b") << pattern;
        EXPECT_EQ(messages.Shown(), std::vector<std::string>{kRefusal}) << pattern;
    }
    EXPECT_EQ(RegExVesk::reg, nullptr);

    messages.Clear();
    EXPECT_EQ(RegExVesk::ReplaceAll("a\n\nb", "^$", "-", true), "a\n-\nb");
    EXPECT_EQ(RegExVesk::ReplaceAll(" a", "^\\s+", "", true), "a");
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(RegExVeskTest, EngineErrorsShowAMessageBoxAndGiveAnEmptyText)
{
    EXPECT_EQ(RegExVesk::ReplaceAll("abc", "(a", "x", true), "");
    EXPECT_EQ(RegExVesk::MachStr("abc", "[a", 0, true), "");
    ASSERT_EQ(messages.Shown().size(), 2u);
    for (const std::string& shown : messages.Shown()) {
        EXPECT_EQ(shown.rfind("box: RegEx error: \n", 0), 0u) << shown;
        EXPECT_GT(shown.size(), std::string("box: RegEx error: \n").size()) << "the engine's message is missing";
    }
}

TEST_F(RegExVeskTest, MetacharacterAlertIsLocalised)
{
    EXPECT_EQ(RegExVesk::kAlert_Metacharacters("en"), "Metacharacters ^ $ \\b cannot be used alone.");
    EXPECT_EQ(RegExVesk::kAlert_Metacharacters("xx"), "Metacharacters ^ $ \\b cannot be used alone.");
    EXPECT_EQ(RegExVesk::kAlert_Metacharacters("ja"), "\xE3\x83\xA1\xE3\x82\xBF\xE6\x96\x87\xE5\xAD\x97 ^ $ \\b \xE3\x81\xAF\xE5\x8D\x98\xE7\x8B\xAC\xE3\x81\xA7\xE3\x81\xAF\xE4\xBD\xBF\xE3\x81\x88\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93\xE3\x80\x82");

    platform::SetActiveLanguage("ja");
    EXPECT_EQ(RegExVesk::ReplaceAll("x", "^", "", true), "x");
    EXPECT_EQ(messages.Shown(), std::vector<std::string>{"box: " + RegExVesk::kAlert_Metacharacters("ja")});
}
