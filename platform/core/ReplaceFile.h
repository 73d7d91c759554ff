#pragma once

#include <string>
#include <string_view>

namespace platform {

// Writes `text` to a new file beside the one at `path` (after symbolic links)
// and renames it over that file once the text is on the disk, so that the
// place holds the old text or the new one, never a mix, also after a crash.
// Gives 0 when it is done, or the errno of the failure when no file can be
// made beside it (a folder the user may not write to), with nothing touched.
// Throws IOException, naming `path`, on any other failure: the place is left
// as it was and no temporary file is left, except when only flushing the
// folder after the rename failed, where the new text is already in place.
int ReplaceFile(const std::string& path, std::string_view text);

} // namespace platform
