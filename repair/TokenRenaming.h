#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "repair/NamePairs.h"

namespace repair {

// Called after each pair index is decided, with the index and the last index.
using RenameProgress = std::function<void(std::int64_t index, std::int64_t last)>;

// Renames every old name of `pairs` wherever it stands in `text` as a whole
// token (see StandsAsWholeToken) to the new name of the first pair with that
// old name, all at once: a name that a rename produced is never renamed
// again, so swapped or cycled names keep apart.
//
// A pair with an empty old or new name renames nothing, and the pairs after
// it with the same old name are left out. `progress` is called after each
// index, as its pair is decided; the text is rewritten once they all are.
std::string RenameTokens(std::string text, const NamePairs& pairs, const RenameProgress& progress);

} // namespace repair
