#include <gtest/gtest.h>

#include <set>
#include <utility>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>

#include "platform/core/FileReasons.h"
#include "platform/core/Localization.h"
#include "platform/gui/ToolkitTranslations.h"
#include "repair/Localized.h"
#include "tests/support/MainWindowFixture.h"

namespace {

struct Message {
    std::string (*constant)(std::string_view);
    const char* english;
    platform::Label& (Window1::*label)() const; // the zone label that shows it, if any
};

const Message kMessages[] = {
    {Localized::Drop_Old_Glyphs_App, "Drop Old Glyphs App", &Window1::Label1},
    {Localized::Drop_New_Glyphs_App, "Drop New Glyphs App", &Window1::Label2},
    {Localized::Drop_Old_Glyphs_File, "Drop Old Glyphs File", &Window1::Label3},
    {Localized::kRepair, "Repair", nullptr},
    {Localized::Not_a_Glyphs_app, "Not a Glyphs app.", nullptr},
    {Localized::Not_a_Glyphs_file, "Not a Glyphs file.", nullptr},
    {Localized::Drop_the_old_Glyphs_app, "Drop the old Glyphs app.", &Window1::Label1},
    {Localized::Drop_the_new_Glyphs_app, "Drop the new Glyphs app.", &Window1::Label2},
    {Localized::Drop_the_old_Glyphs_file, "Drop the old Glyphs file.", &Window1::Label3},
    {Localized::Both_apps_are_the_same_version, "Both apps are the same version.", nullptr},
    {Localized::Both_AJ1_Map_Files_are_the_same, "Both AJ1 Map Files are the same.", nullptr},
    {Localized::The_Glyphs_file_is_empty, "The Glyphs file is empty.", nullptr},
    {Localized::The_repaired_file_could_not_be_saved, "The repaired file could not be saved.", nullptr},
    {Localized::The_repaired_file_was_saved_but_may_not_be_on_the_disk_yet, "The repaired file was saved, but it may not be on the disk yet.", nullptr},
    {Localized::The_repaired_file_was_saved_but_a_copy_of_its_old_text_is_left,
     "The repaired file was saved, but a copy of its old text is left beside it.", nullptr},
    {Localized::There_is_not_enough_memory_to_repair_this_file, "There is not enough memory to repair this file.", nullptr},
    // The program's own reasons in that alert.
    {platform::FileReasons::It_is_not_a_regular_file, "it is not a regular file", nullptr},
    {platform::FileReasons::Its_folder_is_not_writable_and_no_safe_overwrite,
     "its folder is not writable, and this file system cannot promise the room to overwrite the file safely", nullptr},
    {platform::FileReasons::Old_content_not_written_back, "%1, and its old content could not be written back: %2", nullptr},
    {platform::FileReasons::Temporary_file_not_removed, "the temporary file %1 could not be removed: %2", nullptr},
    {platform::FileReasons::Old_text_copy_not_removed, "the copy of its old text, %1, could not be removed: %2", nullptr},
    {platform::FileReasons::Old_text_is_kept_in, "its old text is kept in %1", nullptr},
    {platform::FileReasons::Another_file_took_its_place, "another file took its place while it was being saved", nullptr},
    {platform::FileReasons::No_free_name_for_an_old_text_copy,
     "no copy of its old text could be made beside it: %1 and the names numbered after it are taken", nullptr},
    {platform::FileReasons::It_is_too_large_for_memory, "it is too large for this computer's memory", nullptr},
    {platform::FileReasons::Old_content_too_large_for_memory,
     "its folder is not writable, and its old content is too large for this computer's memory, where it would be kept while "
     "the file is overwritten", nullptr},
    {platform::FileReasons::No_free_hidden_name, "every hidden name tried for a new file in its folder was taken", nullptr},
    {platform::FileReasons::File_system_not_told, "its file system could not be asked what it can promise: %1", nullptr},
};

} // namespace

TEST(LocalizedTest, EnglishDefaultsAndAJapaneseTextForEveryMessage)
{
    std::set<std::string> japaneseTexts;
    for (const Message& m : kMessages) {
        SCOPED_TRACE(m.english);
        EXPECT_EQ(m.constant(""), m.english); // the tests run in English
        EXPECT_EQ(m.constant("en"), m.english);
        EXPECT_EQ(m.constant("de"), m.english); // no table: the default
        const std::string japanese = m.constant("ja");
        EXPECT_FALSE(japanese.empty());
        EXPECT_NE(japanese, m.english);
        japaneseTexts.insert(japanese);
    }
    // Every message has a text of its own: none looks up another's key.
    EXPECT_EQ(japaneseTexts.size(), std::size(kMessages));
    platform::SetActiveLanguage("ja");
    EXPECT_EQ(Localized::kRepair(""), Localized::kRepair("ja"));
    platform::SetActiveLanguage("");
}

// Qt's own dialogs (the save dialog, its question before a file is replaced,
// their buttons) speak the session's language too, where Qt's translations
// are installed.
TEST(LocalizedTest, QtsOwnTextsFollowTheLanguage)
{
    const std::pair<const char*, const char*> qtTexts[] = {
        {"QFileDialog", "Save As"},
        {"QFileDialog", "%1 already exists.\nDo you want to replace it?"},
        {"QPlatformTheme", "Cancel"},
    };
    ASSERT_TRUE(platform::InstallToolkitTranslations(QLocale(QLocale::Japanese, QLocale::Japan)));
    for (const auto& [context, english] : qtTexts) {
        EXPECT_NE(QCoreApplication::translate(context, english), QString::fromUtf8(english)) << english;
    }
    EXPECT_FALSE(platform::InstallToolkitTranslations(QLocale::c()));
    for (const auto& [context, english] : qtTexts) {
        EXPECT_EQ(QCoreApplication::translate(context, english), QString::fromUtf8(english)) << english;
    }
}

class LocalizedPromptTest : public MainWindowFixture {};

// A zone prompt in every language fits its label at the label's designed
// size, with a character's width to spare at either end, so that another
// font of the same kind does not clip it either.
TEST_F(LocalizedPromptTest, EveryPromptFitsItsLabelWithRoomToSpare)
{
    for (const Message& m : kMessages) {
        if (m.label == nullptr) continue;
        const QLabel& label = *(window->*m.label)().LabelWidget();
        const int room = label.width() - 2 * label.font().pixelSize();
        for (const char* language : {"en", "ja"}) {
            const std::string text = m.constant(language);
            SCOPED_TRACE(text);
            EXPECT_LE(label.fontMetrics().horizontalAdvance(QString::fromStdString(text)), room);
        }
    }
}
