#pragma once

#include <string>
#include <string_view>

// The messages of the main window, its drop zones and the repair run. Each
// returns the text stored under "Localized.<name>" for the language, or its
// English default; an empty language code gives the active localisation.
namespace Localized {

std::string Drop_Old_Glyphs_App(std::string_view language = {});
std::string Drop_New_Glyphs_App(std::string_view language = {});
std::string Drop_Old_Glyphs_File(std::string_view language = {});
std::string kRepair(std::string_view language = {});
std::string Not_a_Glyphs_app(std::string_view language = {});
std::string Not_a_Glyphs_file(std::string_view language = {});
std::string Drop_the_old_Glyphs_app(std::string_view language = {});
std::string Drop_the_new_Glyphs_app(std::string_view language = {});
std::string Drop_the_old_Glyphs_file(std::string_view language = {});
std::string Both_apps_are_the_same_version(std::string_view language = {});
std::string Both_AJ1_Map_Files_are_the_same(std::string_view language = {});
std::string The_Glyphs_file_is_empty(std::string_view language = {});
std::string The_repaired_file_could_not_be_saved(std::string_view language = {});
std::string The_repaired_file_was_saved_but_may_not_be_on_the_disk_yet(std::string_view language = {});
std::string The_repaired_file_was_saved_but_a_copy_of_its_old_text_is_left(std::string_view language = {});
std::string There_is_not_enough_memory_to_repair_this_file(std::string_view language = {});

} // namespace Localized
