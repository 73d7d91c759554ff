#include "repair/Localized.h"

#include "platform/core/Localization.h"

namespace Localized {

std::string Drop_Old_Glyphs_App(std::string_view language)
{
    return platform::GetLocalizedString("Localized.Drop_Old_Glyphs_App", "Drop Old Glyphs App", language);
}

std::string Drop_New_Glyphs_App(std::string_view language)
{
    return platform::GetLocalizedString("Localized.Drop_New_Glyphs_App", "Drop New Glyphs App", language);
}

std::string Drop_Old_Glyphs_File(std::string_view language)
{
    return platform::GetLocalizedString("Localized.Drop_Old_Glyphs_File", "Drop Old Glyphs File", language);
}

std::string kRepair(std::string_view language)
{
    return platform::GetLocalizedString("Localized.kRepair", "Repair", language);
}

std::string Not_a_Glyphs_app(std::string_view language)
{
    return platform::GetLocalizedString("Localized.Not_a_Glyphs_app", "Not a Glyphs app.", language);
}

std::string Not_a_Glyphs_file(std::string_view language)
{
    return platform::GetLocalizedString("Localized.Not_a_Glyphs_file", "Not a Glyphs file.", language);
}

std::string Drop_the_old_Glyphs_app(std::string_view language)
{
    return platform::GetLocalizedString("Localized.Drop_the_old_Glyphs_app", "Drop the old Glyphs app.", language);
}

std::string Drop_the_new_Glyphs_app(std::string_view language)
{
    return platform::GetLocalizedString("Localized.Drop_the_new_Glyphs_app", "Drop the new Glyphs app.", language);
}

std::string Drop_the_old_Glyphs_file(std::string_view language)
{
    return platform::GetLocalizedString("Localized.Drop_the_old_Glyphs_file", "Drop the old Glyphs file.", language);
}

std::string Both_apps_are_the_same_version(std::string_view language)
{
    return platform::GetLocalizedString("Localized.Both_apps_are_the_same_version", "Both apps are the same version.", language);
}

std::string Both_AJ1_Map_Files_are_the_same(std::string_view language)
{
    return platform::GetLocalizedString("Localized.Both_AJ1_Map_Files_are_the_same", "Both AJ1 Map Files are the same.", language);
}

std::string The_Glyphs_file_is_empty(std::string_view language)
{
    return platform::GetLocalizedString("Localized.The_Glyphs_file_is_empty", "The Glyphs file is empty.", language);
}

std::string The_repaired_file_could_not_be_saved(std::string_view language)
{
    return platform::GetLocalizedString("Localized.The_repaired_file_could_not_be_saved", "The repaired file could not be saved.", language);
}

std::string The_repaired_file_was_saved_but_may_not_be_on_the_disk_yet(std::string_view language)
{
    return platform::GetLocalizedString("Localized.The_repaired_file_was_saved_but_may_not_be_on_the_disk_yet",
                                        "The repaired file was saved, but it may not be on the disk yet.", language);
}

std::string The_repaired_file_was_saved_but_a_copy_of_its_old_text_is_left(std::string_view language)
{
    return platform::GetLocalizedString("Localized.The_repaired_file_was_saved_but_a_copy_of_its_old_text_is_left",
                                        "The repaired file was saved, but a copy of its old text is left beside it.", language);
}

std::string There_is_not_enough_memory_to_repair_this_file(std::string_view language)
{
    return platform::GetLocalizedString("Localized.There_is_not_enough_memory_to_repair_this_file",
                                        "There is not enough memory to repair this file.", language);
}

} // namespace Localized
