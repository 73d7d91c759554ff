#pragma once

#include <string_view>

#include "platform/core/FolderItem.h"

namespace platform {

// True when `file` (after symbolic links) is an existing regular file in a
// folder the user may not write to: no temporary file can be made beside it,
// so a save can only overwrite the file itself.
bool CanOnlyBeWrittenInPlace(const FolderItem& file);

// Overwrites the existing regular file with `text` through the file itself.
// Room for the longer of the old and the new content is reserved before the
// file is touched, and the old content is kept and written back when a write
// fails anyway, so that a failure leaves the file byte for byte as it was.
// Where that cannot be promised the file is not touched: on file systems that
// may need new blocks to overwrite old ones or cannot reserve room, and when
// the file-size limit is below either content. There is nowhere else to keep
// the old content: a crash or a power cut half-way can leave the file part
// new, part old. Throws IOException.
void WriteInPlace(const FolderItem& file, std::string_view text);

} // namespace platform
