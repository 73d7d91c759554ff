#pragma once

#include <string>
#include <string_view>

#include "platform/core/FolderItem.h"

namespace platform {

// Reads the whole file as bytes. Throws IOException when the item cannot be
// opened or read (a folder, a missing file, no permission), and before it is
// read when memory could not hold `timesHeld` texts of its size: what the
// caller makes of it as well.
std::string ReadAllText(const FolderItem& file, unsigned timesHeld = 1);

// Saves the text at `file`, where the kernel's own following of symbolic
// links leads (see SavePlace), keeping what the file there has besides its
// text: owner, group, permissions, extended attributes and links. The text
// goes to a new file beside it, which takes the file's place only once it is
// complete and on the disk (see ReplaceFile): a failure leaves the file as it
// was, and after a crash the place holds the old text or the new one. Where
// the new file cannot be given all the old one has, or the file has other
// names, the file is written into, with its old text kept in a copy beside
// it until the new one is on the disk; and so it is, without the copy, in a
// folder the user may not write to (see WriteInPlace). A text over the
// file-size limit is refused before anything is written. Throws IOException
// on failure, with the file's path and the reason (a failed allocation among
// them); SavedWithFaultException where the new text is in place but a step
// after it failed.
void WriteTextAtomically(const FolderItem& file, std::string_view text);

} // namespace platform
