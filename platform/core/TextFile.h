#pragma once

#include <string>
#include <string_view>

#include "platform/core/FolderItem.h"

namespace platform {

// Reads the whole file as bytes. Throws IOException when the item cannot be
// opened or read (a folder, a missing file, no permission).
std::string ReadAllText(const FolderItem& file);

// Writes the text to a temporary file beside `file` and puts it in place only
// once it is complete and on the disk (see ReplaceFile): a failure leaves the
// file as it was, and after a crash the place holds the old text or the new
// one. Where no temporary file can be made (a folder the user may not write
// to), an existing file is overwritten in place (see WriteInPlace), which a
// failure leaves as it was too, but a crash half-way may not. A text over the
// file-size limit is refused before anything is written. Throws IOException
// on failure, with the file's path and the reason.
void WriteTextAtomically(const FolderItem& file, std::string_view text);

} // namespace platform
