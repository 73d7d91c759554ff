#pragma once

#include <string_view>

#include "platform/core/NewFile.h"
#include "platform/core/SavePlace.h"

namespace platform {

// Writes `text` to `newFile`, made in the folder of `place`, and moves it
// over the file there once the text is on the disk, so that the place holds
// the old text or the new one, never a mix, also after a crash; only while
// the name still leads to the file that was looked at. Throws IOException,
// naming the chosen path, on failure: the place is left as it was and the
// new file is removed. Throws SavedWithFaultException when only flushing
// the folder after the move failed: the new text is in place.
void ReplaceFile(const SavePlace& place, NewFile& newFile, std::string_view text);

} // namespace platform
