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
// the user may not write to), an existing file is overwritten in place, and a
// failure leaves it as it was too (see WriteInPlace). Throws IOException on
// failure, with the file's path and the system's reason.
void WriteTextAtomically(const FolderItem& file, std::string_view text);

} // namespace platform
