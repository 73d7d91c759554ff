#include "platform/core/FileReasons.h"

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

std::string Old_content_not_written_back(std::string_view language)
{
    return GetLocalizedString("FileReasons.Old_content_not_written_back",
                              "%1, and its old content could not be written back: %2", language);
}

std::string OldContentNotWrittenBack(const std::string& writeReason, const std::string& writeBackReason)
{
    // Filled in by position, so that a "%2" inside the first reason stays as
    // it is; a table whose text lost a placeholder still gives both reasons.
    const std::string text = Old_content_not_written_back();
    const std::size_t first = text.find("%1");
    const std::size_t second = text.find("%2");
    if (first == std::string::npos || second == std::string::npos || second < first) {
        return writeReason + ": " + writeBackReason;
    }
    return text.substr(0, first) + writeReason + text.substr(first + 2, second - first - 2) + writeBackReason
        + text.substr(second + 2);
}

} // namespace platform::FileReasons
