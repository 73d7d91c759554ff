#pragma once

#include <string>
#include <string_view>

// The program's own reasons why a file could not be read or written, in the
// active localisation (or in `language`), for the alert that names the file.
// Reasons that come from the system stay in the C library's words.
namespace platform::FileReasons {

std::string It_is_not_a_regular_file(std::string_view language = {});
std::string Its_folder_is_not_writable_and_no_safe_overwrite(std::string_view language = {});
// A template: %1 is the reason of the failed write, %2 that of the failed
// write-back.
std::string Old_content_not_written_back(std::string_view language = {});

// The write-back template filled in.
std::string OldContentNotWrittenBack(const std::string& writeReason, const std::string& writeBackReason);

} // namespace platform::FileReasons
