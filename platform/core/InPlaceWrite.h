#pragma once

#include <string_view>

#include "platform/core/SavePlace.h"

namespace platform {

// Whether an overwrite first keeps a copy of the old text beside the file.
enum class OldTextCopying { None, Beside };

// Overwrites the file open at `place` with `text` through the file itself,
// so that it keeps its owner, group, permissions, attributes and every link
// to it. Room is reserved before the file is touched (for the new text, and
// without a copy for the longer of the two), and the old content is written
// back when a write fails anyway, so that a failure leaves the file byte for
// byte as it was; a text or an old content over the file-size limit is
// refused.
//
// With OldTextCopying::Beside the old text is first put on the disk in a
// copy beside the file (see OldTextCopy), which a failed write puts back,
// removed once the new text is on the disk and kept where the old text could
// not be written back: a crash or a power cut half-way leaves it there. The
// copy is what makes this safe on any file system: one that cannot reserve
// room goes on without, and on one that writes changes to new blocks, the
// copy shares the file's blocks where it can, so that it is cloned back
// without any room; where it cannot, the room is counted before a byte is
// written.
//
// Without a copy the old content is kept in memory (one too large for it is
// refused), a crash half-way can leave the file part new, part old, and
// where the room cannot be promised (file systems that may need new blocks
// to overwrite old ones, or cannot reserve) the file is not touched.
//
// Throws IOException naming the chosen path; SavedWithFaultException when
// the new text is in place but a later step failed.
void WriteInPlace(SavePlace& place, std::string_view text, OldTextCopying copying);

} // namespace platform
