#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The program's own reasons why a file could not be read or written, in the
// active localisation (or in `language`), for the alert that names the file.
// Reasons that come from the system stay in the C library's words.
namespace platform::FileReasons {

std::string It_is_not_a_regular_file(std::string_view language = {});
std::string Its_folder_is_not_writable_and_no_safe_overwrite(std::string_view language = {});
std::string Another_file_took_its_place(std::string_view language = {});
std::string It_is_too_large_for_memory(std::string_view language = {});
std::string Old_content_too_large_for_memory(std::string_view language = {});
std::string No_free_hidden_name(std::string_view language = {});
// Templates: %1 is the reason of the failed write, %2 that of the failed
// write-back; a file's path, then the reason it could not be removed; the
// path of the copy that keeps the old text; the copy's first name; the
// system's reason why the file system could not be asked.
std::string Old_content_not_written_back(std::string_view language = {});
std::string Temporary_file_not_removed(std::string_view language = {});
std::string Old_text_copy_not_removed(std::string_view language = {});
std::string Old_text_is_kept_in(std::string_view language = {});
std::string No_free_name_for_an_old_text_copy(std::string_view language = {});
std::string File_system_not_told(std::string_view language = {});

// `text` with %1, %2, ... replaced by the values in order. A value is never
// searched for placeholders itself, and a value whose placeholder a
// translation lost is added at the end, so that no reason is dropped.
std::string FillIn(const std::string& text, std::initializer_list<std::string> values);

// A second reason added to a first one, for an alert that must tell both.
std::string Joined(const std::string& first, const std::string& second);

} // namespace platform::FileReasons
