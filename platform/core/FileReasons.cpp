#include "platform/core/FileReasons.h"

#include <vector>

#include "platform/core/Localization.h"

namespace platform::FileReasons {

std::string It_is_not_a_regular_file(std::string_view language)
{
    return GetLocalizedString("FileReasons.It_is_not_a_regular_file", "it is not a regular file", language);
}

std::string Its_folder_is_not_writable_and_no_safe_overwrite(std::string_view language)
{
    return GetLocalizedString("FileReasons.Its_folder_is_not_writable_and_no_safe_overwrite",
                              "its folder is not writable, and this file system cannot promise the room to overwrite the file safely",
                              language);
}

std::string Another_file_took_its_place(std::string_view language)
{
    return GetLocalizedString("FileReasons.Another_file_took_its_place",
                              "another file took its place while it was being saved", language);
}

std::string It_is_too_large_for_memory(std::string_view language)
{
    return GetLocalizedString("FileReasons.It_is_too_large_for_memory", "it is too large for this computer's memory", language);
}

std::string Old_content_too_large_for_memory(std::string_view language)
{
    return GetLocalizedString("FileReasons.Old_content_too_large_for_memory",
                              "its folder is not writable, and its old content is too large for this computer's memory, "
                              "where it would be kept while the file is overwritten",
                              language);
}

std::string No_free_hidden_name(std::string_view language)
{
    return GetLocalizedString("FileReasons.No_free_hidden_name",
                              "every hidden name tried for a new file in its folder was taken", language);
}

std::string Old_content_not_written_back(std::string_view language)
{
    return GetLocalizedString("FileReasons.Old_content_not_written_back",
                              "%1, and its old content could not be written back: %2", language);
}

std::string Temporary_file_not_removed(std::string_view language)
{
    return GetLocalizedString("FileReasons.Temporary_file_not_removed",
                              "the temporary file %1 could not be removed: %2", language);
}

std::string Old_text_copy_not_removed(std::string_view language)
{
    return GetLocalizedString("FileReasons.Old_text_copy_not_removed",
                              "the copy of its old text, %1, could not be removed: %2", language);
}

std::string Old_text_is_kept_in(std::string_view language)
{
    return GetLocalizedString("FileReasons.Old_text_is_kept_in", "its old text is kept in %1", language);
}

std::string No_free_name_for_an_old_text_copy(std::string_view language)
{
    return GetLocalizedString("FileReasons.No_free_name_for_an_old_text_copy",
                              "no copy of its old text could be made beside it: %1 and the names numbered after it are taken",
                              language);
}

std::string File_system_not_told(std::string_view language)
{
    return GetLocalizedString("FileReasons.File_system_not_told", "its file system could not be asked what it can promise: %1",
                              language);
}

std::string FillIn(const std::string& text, std::initializer_list<std::string> values)
{
    const std::vector<std::string> value(values);
    std::vector<bool> used(value.size(), false);
    std::string filled;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t number = i + 1 < text.size() && text[i] == '%' ? static_cast<std::size_t>(text[i + 1] - '0') : 0;
        if (number >= 1 && number <= value.size()) {
            filled += value[number - 1];
            used[number - 1] = true;
            ++i;
        } else {
            filled += text[i];
        }
    }
    for (std::size_t n = 0; n < value.size(); ++n) {
        if (!used[n]) filled = Joined(filled, value[n]);
    }
    return filled;
}

std::string Joined(const std::string& first, const std::string& second)
{
    if (first.empty()) return second;
    if (second.empty()) return first;
    return first + "; " + second;
}

} // namespace platform::FileReasons
