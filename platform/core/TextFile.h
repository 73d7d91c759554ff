#pragma once

#include <string>
#include <string_view>

#include "platform/core/FolderItem.h"

namespace platform {

// Reads the whole file as bytes. Throws IOException when the item cannot be
// opened or read (a folder, a missing file, no permission).
std::string ReadAllText(const FolderItem& file);

// Writes the text to a temporary file beside `file` and puts it in place only
// once it is complete, so that a failure never leaves a truncated file and an
// existing file stays as it was. Where no temporary file can be made (a folder
// the user may not write to), the file itself is written. Throws IOException
// on failure.
void WriteTextAtomically(const FolderItem& file, std::string_view text);

} // namespace platform
