#include <gtest/gtest.h>

#include <set>

#include "platform/core/Localization.h"
#include "repair/Localized.h"

namespace {

struct Message {
    std::string (*constant)(std::string_view);
    const char* english;
};

const Message kMessages[] = {
    {Localized::Drop_Old_Glyphs_App, "Drop Old Glyphs App"},
    {Localized::Drop_New_Glyphs_App, "Drop New Glyphs App"},
    {Localized::Drop_Old_Glyphs_File, "Drop Old Glyphs File"},
    {Localized::kRepair, "Repair"},
    {Localized::Not_a_Glyphs_app, "Not a Glyphs app."},
    {Localized::Not_a_Glyphs_file, "Not a Glyphs file."},
    {Localized::Drop_the_old_Glyphs_app, "Drop the old Glyphs app."},
    {Localized::Drop_the_new_Glyphs_app, "Drop the new Glyphs app."},
    {Localized::Drop_the_old_Glyphs_file, "Drop the old Glyphs file."},
    {Localized::Both_apps_are_the_same_version, "Both apps are the same version."},
    {Localized::Both_AJ1_Map_Files_are_the_same, "Both AJ1 Map Files are the same."},
    {Localized::The_Glyphs_file_is_empty, "The Glyphs file is empty."},
};

} // namespace

TEST(LocalizedTest, EnglishDefaultsAndAJapaneseTextForEveryMessage)
{
    std::set<std::string> japanese;
    for (const Message& m : kMessages) {
        SCOPED_TRACE(m.english);
        japanese.insert(m.constant("ja"));
        EXPECT_EQ(m.constant(""), m.english); // the tests run in English
        EXPECT_EQ(m.constant("en"), m.english);
        EXPECT_EQ(m.constant("de"), m.english); // no table: the default
        const std::string japanese = m.constant("ja");
        EXPECT_FALSE(japanese.empty());
        EXPECT_NE(japanese, m.english);
    }
    // Every message has a text of its own: none looks up another's key.
    EXPECT_EQ(japanese.size(), std::size(kMessages));
    platform::SetActiveLanguage("ja");
    EXPECT_EQ(Localized::kRepair(""), Localized::kRepair("ja"));
    platform::SetActiveLanguage("");
}
