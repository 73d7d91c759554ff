#include <gtest/gtest.h>

#include "platform/core/Localization.h"

using namespace platform;

TEST(Localization, JapaneseTableAndEnglishDefaults)
{
    EXPECT_EQ(GetLocalizedString("LocalizedMenu.kLang", "en", "ja"), "ja");
    EXPECT_EQ(GetLocalizedString("Localized.kRepair", "Repair", "ja"), "\xE4\xBF\xAE\xE5\xBE\xA9"); // 修復
    EXPECT_EQ(GetLocalizedString("Localized.kRepair", "Repair", "en"), "Repair");
    EXPECT_EQ(GetLocalizedString("Localized.kRepair", "Repair", "fr"), "Repair");
    EXPECT_EQ(GetLocalizedString("Localized.NoSuchKey", "Default text.", "ja"), "Default text.");
}

TEST(Localization, EmptyCodeFollowsTheActiveLanguage)
{
    SetActiveLanguage("ja");
    EXPECT_EQ(ActiveLanguage(), "ja");
    EXPECT_EQ(GetLocalizedString("LocalizedMenu.kLang", "en", ""), "ja");
    SetActiveLanguage("en");
    EXPECT_EQ(GetLocalizedString("LocalizedMenu.kLang", "en", ""), "en");
    SetActiveLanguage("");
    EXPECT_EQ(ActiveLanguage(), "en"); // the tests run with LANGUAGE=en
}
