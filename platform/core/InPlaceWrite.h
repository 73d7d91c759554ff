#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// True when the file system of `file` overwrites a file's blocks where they
// lie, so that room reserved ahead is all an overwrite needs.
bool OverwritesInPlace(const std::filesystem::path& file);

// Whether an overwrite first keeps a copy of the old text beside the file.
enum class OldTextCopying { None, Beside };

// Overwrites the existing regular `file` with `text` through the file
// itself, so that it keeps its owner, group, permissions, attributes and
// every link to it. Room for the longer of the old and the new content is
// reserved before the file is touched, and the old content is kept and
// written back when a write fails anyway, so that a failure leaves the file
// byte for byte as it was. Where that cannot be promised the file is not
// touched: on file systems that may need new blocks to overwrite old ones or
// cannot reserve room, and when the file-size limit is below either content.
// With OldTextCopying::Beside the old text is first put on the disk in a
// copy beside the file (see OldTextCopy), removed once the new text is on
// the disk, and kept where the old text could not be written back: a crash
// or a power cut half-way leaves it there. Without it, a crash half-way can
// leave the file part new, part old. Throws IOException naming `chosen`;
// SavedWithFaultException when the new text is in place but a later step
// failed.
void WriteInPlace(const std::string& chosen, const std::filesystem::path& file, std::string_view text,
                  OldTextCopying copying);

} // namespace platform
